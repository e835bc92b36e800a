// The main window and the transaction editor on the café example: "&New Transaction" and the
// rows opened for editing change the worksheet's rows and totals as the full recalculation
// would; a deletion keeps the first visible row steady; a new record hidden by a selection is
// announced; and the window stores exactly what zudeduze-cli's add stores for the same input.

#include "MainFormFixture.h"

#include "controls/KQButton2.h"
#include "edit/TransactionAfterClose.h"
#include "editors/CategoryEditorFixture.h"
#include "editors/DeleteDialog.h"
#include "editors/TransactBookCombo.h"
#include "editors/TransactTestSupport.h"
#include "engine/Engine.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QToolButton>

#include <cstdlib>

namespace qz::gui::test {
namespace {

class MainTransactions : public MainFormTest {
protected:
    std::string WriteCafe(const std::string& name) {
        TLedger ledger;
        TDocumentContent content;
        ExampleDocument(ledger, content);
        const std::string path = Path(name);
        ScriptedPrompts quiet;
        EXPECT_TRUE(WriteGeneratedDocument(path, ledger, content, quiet));
        return path;
    }

    TLedger& Books() { return Window->Ledger(); }
    TWorksheet& Sheet() { return Window->Worksheet(); }

    // The grid line of a record of the Transactions view.
    std::int32_t LineOf(const TTransRec& t) {
        const TGridInfo& rows = Sheet().GridInfo[ViewTransactions];
        return rows.SortDirection == sdDescending ? Sheet().RowCount(ViewTransactions) - 1 - t.Row : t.Row;
    }

    // The first unsplit credit transaction shown at line `from` or below.
    TTransRec* UnsplitCreditFrom(std::int32_t from) {
        for (std::int32_t line = from; line < Sheet().RowCount(ViewTransactions); ++line)
            if (TTransRec* t = Sheet().TransactionAt(line); t && t->Kind == TransCredit && t->Split == '0')
                return t;
        return nullptr;
    }

    // Every total the views show, as a list of amounts to compare.
    std::vector<Money> Totals() {
        std::vector<Money> totals;
        for (const TMainActRec* c : Books().MainActList.KeyList)
            totals.push_back(c->Total);
        for (const TSubActRec* s : Books().SubActList.KeyList)
            totals.push_back(s->Total);
        for (const TGroupRec* g : Books().GroupList.KeyList) {
            totals.push_back(g->CreditTotal);
            totals.push_back(g->DebitTotal);
        }
        for (const TCatRec* type : Books().CatList.KeyList)
            totals.push_back(type->Total);
        for (const TTransRec* t : Books().TransList.KeyList)
            totals.push_back(t->Balance);
        return totals;
    }

    void ExpectFiguresOfTheFullRecalculation() {
        const std::vector<Money> shown = Totals();
        Recalculate(Books());
        EXPECT_EQ(Totals(), shown);
    }

    // The texts of the Transactions view's line that shows `reference`; empty when none does.
    std::vector<std::string> LineWithReference(const std::string& reference) {
        for (std::int32_t line = 0; line < Sheet().RowCount(ViewTransactions); ++line) {
            std::vector<std::string> texts;
            bool enabled = true;
            std::uint8_t type = 0;
            Sheet().GridB1GetText(line, texts, enabled, type);
            if (std::find(texts.begin(), texts.end(), reference) != texts.end())
                return texts;
        }
        return {};
    }

    static bool Holds(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    // Scrolls the grid so that `line` is its first visible row, as the scroll bar does.
    void ScrollTo(std::int32_t line) {
        TGrid3& grid = *Window->Grid();
        grid.ScrollRows(line - grid.TopRow());
    }

    static QAction* MenuItem(QMenu* menu, const QString& caption) {
        for (QAction* action : menu->actions())
            if (action->text() == caption && action->isVisible())
                return action;
        return nullptr;
    }

    static void AnswerDeleteWithCtrl() {
        WhenShown<TDeleteDialog>([](TDeleteDialog& dialog) {
            QTest::keyPress(&dialog, Qt::Key_Control);
            QTest::mouseClick(dialog.findChild<QPushButton*>("DeleteBtn"), Qt::LeftButton, Qt::ControlModifier);
        });
    }
};

// A sale with GST from the percentage and a rent payment with a GST amount typed in: two new
// rows with their amounts, "&Reports" on, and the figures of a full recalculation.
TEST_F(MainTransactions, NewTransactionsReachTheWorksheet) {
    ASSERT_TRUE(Window->OpenFile(WriteCafe("cafe.kqk")));
    const std::int32_t rows = Sheet().RowCount(ViewTransactions);
    auto* newButton = Window->ToolButton(QStringLiteral("TransBtn"));
    ASSERT_TRUE(newButton->isEnabled());

    AnswerKind(false);
    WhenShown<TTransact>([](TTransact& editor) {
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Count"));
        TypeDate(ChildOf<QAbstractSpinBox>(editor, "DateEditBtn"), QDate(2025, 2, 14));
        QTest::keyClicks(ChildOf<QLineEdit>(editor, "EditReference"), QStringLiteral("VAL-14"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("110"));
        EXPECT_EQ(ChildOf<QLineEdit>(editor, "NbrBoxGstAmount")->text(), QStringLiteral("10.00"));
        Press(editor, "OKBtn");
    });
    newButton->click();
    ASSERT_EQ(Sheet().RowCount(ViewTransactions), rows + 1);
    const std::vector<std::string> sale = LineWithReference("VAL-14");
    ASSERT_FALSE(sale.empty());
    EXPECT_TRUE(Holds(sale, "$110.00")) << "the row shows the amount";

    AnswerKind(true);
    WhenShown<TTransact>([](TTransact& editor) {
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Shop"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Rent"));
        TypeDate(ChildOf<QAbstractSpinBox>(editor, "DateEditBtn"), QDate(2025, 3, 1));
        QTest::keyClicks(ChildOf<QLineEdit>(editor, "EditReference"), QStringLiteral("RENT-3"));
        Press(editor, "GstAmountToggle");
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("1540"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxGstAmount"), QStringLiteral("140"));
        Press(editor, "OKBtn");
    });
    Window->Grid()->OnShowPopup(10, 10, 0);
    QAction* newItem = MenuItem(Window->ContextMenu(), QStringLiteral("&New Transaction"));
    ASSERT_NE(newItem, nullptr);
    ASSERT_TRUE(newItem->isEnabled());
    newItem->trigger();
    EXPECT_EQ(Sheet().RowCount(ViewTransactions), rows + 2);
    const std::vector<std::string> rent = LineWithReference("RENT-3");
    ASSERT_FALSE(rent.empty());
    EXPECT_TRUE(Holds(rent, "$1,540.00"));
    EXPECT_TRUE(Window->ToolButton(QStringLiteral("GraphBtn"))->isEnabled());
    ExpectFiguresOfTheFullRecalculation();
}

// A double-click on a sale opens it locked; split in three it is three rows; "&Edit
// Transaction" on one of them and "&Delete" take all three away, and the first visible row
// stays on the same transaction.
TEST_F(MainTransactions, SplitThenDeleteFromTheRows) {
    ASSERT_TRUE(Window->OpenFile(WriteCafe("cafe.kqk")));
    const std::int32_t rows = Sheet().RowCount(ViewTransactions);
    TTransRec* sale = UnsplitCreditFrom(2);
    ASSERT_NE(sale, nullptr);
    const std::int32_t number = sale->Number;
    const std::int32_t line = LineOf(*sale);
    TGrid3& grid = *Window->Grid();
    ScrollTo(line);
    ASSERT_EQ(grid.TopRow(), line);

    WhenShown<TTransact>([number](TTransact& editor) {
        EXPECT_EQ(ChildOf<QLabel>(editor, "TransNoPanel")->text(), QString::number(number));
        Press(editor, "EditBtn");
        Press(editor, "SplitBtn");
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Take"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("25"));
        Press(editor, "AddSplitBtn");
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Cat"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Mark"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("35"));
        Press(editor, "OKBtn");
    });
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, grid.RowRect(0).center());
    ASSERT_EQ(Sheet().RowCount(ViewTransactions), rows + 2);
    ExpectFiguresOfTheFullRecalculation();

    // The view's top moves down the list; the deleted parts all lie above it.
    std::int32_t lastPart = 0;
    for (const TTransRec* t : Books().TransList.KeyList)
        if (t->Number == number)
            lastPart = std::max(lastPart, LineOf(*t));
    ScrollTo(lastPart + 5);
    ASSERT_EQ(grid.TopRow(), lastPart + 5);
    const TTransRec* top = Sheet().TransactionAt(lastPart + 5);
    ASSERT_NE(top, nullptr);
    const std::int32_t topNumber = top->Number;
    const char topSplit = top->Split;

    Window->Grid()->OnShowPopup(10, 10, lastPart);
    QAction* edit = MenuItem(Window->ContextMenu(), QStringLiteral("&Edit Transaction"));
    ASSERT_NE(edit, nullptr);
    WhenShown<TTransact>([this](TTransact& editor) {
        EXPECT_EQ(ChildOf<QLabel>(editor, "TransKindPanel")->text(), QStringLiteral("Split Credit Transaction"));
        Prompts.QueueAnswer(MsgResult::Yes);
        AnswerDeleteWithCtrl();
        Press(editor, "DeleteBtn");
        EXPECT_EQ(editor.Result().Deleted, 3);
        Press(editor, "CancelBtn");
    });
    edit->trigger();
    EXPECT_EQ(Sheet().RowCount(ViewTransactions), rows - 1);
    for (const TTransRec* t : Books().TransList.KeyList)
        EXPECT_NE(t->Number, number);
    const TTransRec* stillTop = Sheet().TransactionAt(grid.TopRow());
    ASSERT_NE(stillTop, nullptr);
    EXPECT_EQ(stillTop->Number, topNumber);
    EXPECT_EQ(stillTop->Split, topSplit);
    ExpectFiguresOfTheFullRecalculation();
}

// A category selection that leaves out the sales: the new sale is stored, and the user is told
// why it may not show.
TEST_F(MainTransactions, ANewRecordUnderASelectionIsAnnounced) {
    ASSERT_TRUE(Window->OpenFile(WriteCafe("cafe.kqk")));
    Books().MainActList.FindByNumber(100)->Selected = 0;
    for (TSubActRec* sub : Books().SubActList.KeyList)
        if (sub->MainAct == 100)
            sub->Selected = 0;
    Books().Switches.CategorySelectionActive = true;
    Recalculate(Books());
    const std::int32_t number = Books().TransList.NewNumber();
    AnswerKind(false);
    WhenShown<TTransact>([](TTransact& editor) {
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Count"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("48.50"));
        Press(editor, "OKBtn");
    });
    Window->ToolButton(QStringLiteral("TransBtn"))->click();
    EXPECT_TRUE(Shown(SelectionNoticeText));
    const auto& list = Books().TransList.KeyList;
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), [&](const TTransRec* t) { return t->Number == number; }));
    ExpectFiguresOfTheFullRecalculation();
}

// The same two transactions entered in the window and with zudeduze-cli's add are stored alike.
TEST_F(MainTransactions, TheWindowStoresWhatTheCommandLineToolStores) {
    const std::string byTool = WriteCafe("tool.kqk");
    const std::string byWindow = WriteCafe("window.kqk");
    QProcess help;
    help.start(QStringLiteral(ZUDEDUZE_CLI), {QStringLiteral("add"), QStringLiteral("--help")});
    if (!help.waitForFinished(10000) || help.exitCode() != 0)
        GTEST_SKIP() << "this zudeduze-cli has no add command";

    std::int32_t first = 0;
    std::int32_t second = 0;
    std::int16_t till = 0;
    std::int16_t bank = 0;
    {
        StoredDocument cafe(byTool);
        ASSERT_TRUE(cafe.Opened);
        first = cafe.Ledger.TransList.NewNumber();
        second = first + 1;
        till = cafe.Ledger.BookList.Items(0)->Number;
        bank = cafe.Ledger.BookList.Items(1)->Number;
    }
    const auto run = [&](const QStringList& arguments) {
        QProcess tool;
        tool.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        tool.start(QStringLiteral(ZUDEDUZE_CLI),
                   QStringList{QStringLiteral("add"), QString::fromStdString(byTool)} + arguments);
        ASSERT_TRUE(tool.waitForFinished(20000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    };
    run({"--kind",
         "credit",
         "--date",
         "2025-03-15",
         "--amount",
         "110",
         "--category",
         "100-2",
         "--account",
         QString::number(till),
         "--reference",
         "INV-9",
         "--memo",
         "Morning",
         "--split",
         "--amount",
         "40",
         "--category",
         "500-1",
         "--account",
         QString::number(bank),
         "--gst",
         "2.50"});
    run({"--kind", "debit", "--date", "2025-04-02", "--amount", "55", "--category", "200-1", "--group", "3",
         "--account", QString::number(bank), "--gst", "3.21", "--unreconciled"});

    ASSERT_TRUE(Window->OpenFile(byWindow));
    const QString tillName = FromDocument(Books().BookList.Find(till)->Name.Str());
    const QString bankName = FromDocument(Books().BookList.Find(bank)->Name.Str());
    AnswerKind(false);
    WhenShown<TTransact>([&](TTransact& editor) {
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Take"));
        Choose(ChildOf<QComboBox>(editor, "BookCombo"), tillName);
        TypeDate(ChildOf<QAbstractSpinBox>(editor, "DateEditBtn"), QDate(2025, 3, 15));
        QTest::keyClicks(ChildOf<QLineEdit>(editor, "EditReference"), QStringLiteral("INV-9"));
        QTest::keyClicks(ChildOf<QPlainTextEdit>(editor, "MemoMemo"), QStringLiteral("Morning"));
        // The tool works the tax out from the sub category's percentage.
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("110"));
        auto* reconciled = ChildOf<QCheckBox>(editor, "DisableCheck");
        if (!reconciled->isChecked())
            QTest::mouseClick(reconciled, Qt::LeftButton, {}, QPoint(8, reconciled->height() / 2));
        Press(editor, "SplitBtn");
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Cat"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Func"));
        Choose(ChildOf<QComboBox>(editor, "BookCombo"), bankName);
        Press(editor, "GstAmountToggle");
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("40"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxGstAmount"), QStringLiteral("2.50"));
        Press(editor, "OKBtn");
    });
    Window->ToolButton(QStringLiteral("TransBtn"))->click();
    AnswerKind(true);
    WhenShown<TTransact>([&](TTransact& editor) {
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Shop"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Rent"));
        Choose(ChildOf<QComboBox>(editor, "ComboGrpName"), QStringLiteral("Mark"));
        Choose(ChildOf<QComboBox>(editor, "BookCombo"), bankName);
        TypeDate(ChildOf<QAbstractSpinBox>(editor, "DateEditBtn"), QDate(2025, 4, 2));
        auto* reconciled = ChildOf<QCheckBox>(editor, "DisableCheck");
        if (reconciled->isChecked())
            QTest::mouseClick(reconciled, Qt::LeftButton, {}, QPoint(8, reconciled->height() / 2));
        Press(editor, "GstAmountToggle");
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxAmount"), QStringLiteral("55"));
        TypeAndLeave(ChildOf<QLineEdit>(editor, "NbrBoxGstAmount"), QStringLiteral("3.21"));
        Press(editor, "OKBtn");
    });
    Window->ToolButton(QStringLiteral("TransBtn"))->click();
    ASSERT_TRUE(Window->CloseCommand());

    StoredDocument tool(byTool);
    StoredDocument window(byWindow);
    ASSERT_TRUE(tool.Opened && window.Opened);
    ASSERT_EQ(window.Ledger.TransList.Count(), tool.Ledger.TransList.Count());
    int compared = 0;
    for (const TTransRec* t : tool.Ledger.TransList.KeyList) {
        if (t->Number != first && t->Number != second)
            continue;
        SCOPED_TRACE(std::to_string(t->Number) + t->Split);
        const TTransRec* w = nullptr;
        for (const TTransRec* candidate : window.Ledger.TransList.KeyList)
            if (candidate->Number == t->Number && candidate->Split == t->Split)
                w = candidate;
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Kind, t->Kind);
        EXPECT_EQ(w->Date, t->Date);
        EXPECT_EQ(w->Reference.Str(), t->Reference.Str());
        EXPECT_EQ(w->MainAct, t->MainAct);
        EXPECT_EQ(w->SubAct, t->SubAct);
        EXPECT_EQ(w->Group, t->Group);
        EXPECT_EQ(w->Book, t->Book);
        EXPECT_EQ(w->Amount, t->Amount);
        EXPECT_EQ(w->Gst, t->Gst);
        EXPECT_EQ(w->Notes, t->Notes);
        EXPECT_EQ(w->Reconciled, t->Reconciled);
        EXPECT_EQ(w->InSelection, t->InSelection);
        ++compared;
    }
    EXPECT_EQ(compared, 3) << "A and B of the sale, and the rent";
}

} // namespace
} // namespace qz::gui::test
