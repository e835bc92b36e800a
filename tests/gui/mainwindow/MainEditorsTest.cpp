// The main window's way into the editors of the books' structure and the selections: the tool
// buttons, the account bar, a double-click on a row and the context menu open them behind the
// password of their area; what they change reaches the worksheet's views at once and the
// document on disk; records they delete above a view's first visible row leave that row on the
// record it showed.

#include "MainFormFixture.h"

#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "edit/CategoryEdit.h"
#include "edit/GroupEdit.h"
#include "edit/SubCategoryEdit.h"
#include "editors/ActSearchForm.h"
#include "editors/ActSelect.h"
#include "editors/ActSelectBox.h"
#include "editors/BooksForm.h"
#include "editors/CatForm.h"
#include "editors/GroupForm.h"
#include "editors/GrpSelect.h"
#include "editors/MainActForm.h"
#include "editors/NewEditBookForm.h"
#include "editors/NewEditCat.h"
#include "editors/TextInputForm.h"
#include "forms/ModalDriver.h"
#include "grid/Grid3.h"
#include "ledger/NumberTexts.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace qz::gui::test {
namespace {

void Click(QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

void Type(QWidget& window, const char* name, const QString& text) {
    auto* box = window.findChild<QLineEdit*>(QLatin1String(name));
    ASSERT_NE(box, nullptr) << name;
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Clicks the row of a list showing `text` in `column`, as the user picks it.
void ClickItem(QTreeWidget* list, const QString& text, int column) {
    const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly, column);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(found.front()).center());
}

// WhenModal, and the window must be closed afterwards; one left open fails the test rather than
// keep it waiting.
template <class Window> void WhenModalClosing(std::function<void(Window&)> action) {
    WhenModal<Window>([action](Window& window) {
        action(window);
        if (window.isVisible()) {
            ADD_FAILURE() << "the window is still open";
            window.reject();
        }
    });
}

// Acts on a window of type `Window` once it is the modal one, for a window that opens after
// another one closes. Gives up after a few seconds.
template <class Window> void WhenModalOpens(std::function<void(Window&)> action, int tries = 300) {
    QTimer::singleShot(10, [action, tries] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            action(*window);
            return;
        }
        if (tries > 0)
            WhenModalOpens<Window>(action, tries - 1);
        else
            ADD_FAILURE() << "the expected window never opened";
    });
}

class MainEditorsTest : public MainFormTest {
protected:
    void Open(int transactions = 300) {
        Document = WriteDocument("books.kqk", transactions);
        ASSERT_TRUE(Window->OpenFile(Document));
    }
    void Reopen() {
        ASSERT_TRUE(Window->CloseCommand());
        ASSERT_TRUE(Window->OpenFile(Document));
    }
    TWorksheet& Sheet() { return Window->Worksheet(); }
    TLedger& Books() { return Window->Ledger(); }
    TGrid3& Grid() { return *Window->Grid(); }

    // Records with zero totals keep their rows, so that new records show.
    void ShowZeroRows(int view) {
        Books().MainActList.ShowZeroRows = view == ViewCategories || Books().MainActList.ShowZeroRows;
        Books().SubActList.ShowZeroRows = view == ViewSubCategories || Books().SubActList.ShowZeroRows;
        Books().GroupList.ShowZeroRows = view == ViewGroups || Books().GroupList.ShowZeroRows;
        Books().CatList.ShowZeroRows = view == ViewSummary || Books().CatList.ShowZeroRows;
        RefreshAfterEdit(Books(), RefreshCategories | RefreshSubCategories | RefreshGroups | RefreshTypes);
        Sheet().SortView(view);
        Window->SelectTab(view);
        Sheet().Refresh();
    }

    // The grid line of the active view that shows `name` (in the view's name slot); -1 if none.
    int LineOf(const std::string& name) {
        for (int line = 0; line < Grid().RowCount(); ++line)
            if (NameAt(line) == name)
                return line;
        return -1;
    }
    std::string NameAt(int line) {
        switch (Sheet().ActiveTab()) {
        case ViewCategories:
            return Sheet().CategoryAt(line)->Name.Str();
        case ViewSubCategories:
            return Sheet().SubCategoryAt(line)->Name.Str();
        case ViewGroups:
            return Sheet().GroupAt(line)->Name.Str();
        case ViewSummary:
            return Sheet().CategoryTypeAt(line)->Name.Str();
        default:
            return {};
        }
    }
    std::vector<std::string> Totals() {
        std::vector<std::string> totals;
        for (const TColProperty& column : Grid().GridInfo()->ColInfo.Items)
            if (column.Visible && column.ShowTotal)
                totals.push_back(column.TotalText);
        return totals;
    }
    // The totals row's text below the column of `slot`.
    std::string TotalOf(int slot) {
        for (const TColProperty& column : Grid().GridInfo()->ColInfo.Items)
            if (column.LinkIndex == slot)
                return column.TotalText;
        ADD_FAILURE() << "no column shows slot " << slot;
        return {};
    }
    // The text of a slot of a row of the active view, as the grid asks for it.
    std::string SlotText(int line, int slot) {
        std::vector<std::string> texts(GridMaxCols);
        bool enabled = true;
        std::uint8_t rowType = 0;
        TColour colour = 0;
        Grid().OnGetText(line, texts, enabled, rowType, colour);
        return texts[static_cast<std::size_t>(slot)];
    }
    void DoubleClickLine(int line) {
        const QPoint at = Grid().RowRect(line - Grid().TopRow()).center();
        QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(&Grid(), Qt::LeftButton, Qt::NoModifier, at);
    }
    // The selection button opens its dialog; a click on `row` of `box` and Space tick it; OK.
    template <class Dialog> void TickAndSelect(const char* button, const char* box, int row) {
        WhenModalClosing<Dialog>([box, row](Dialog& dialog) {
            QTreeWidget* rows = dialog.template findChild<TActSelectBox*>(QLatin1String(box))->Rows();
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::NoModifier,
                              rows->visualItemRect(rows->topLevelItem(row)).center());
            QTest::keyClick(rows, Qt::Key_Space);
            Click(dialog, "OKBtn");
        });
        Window->findChild<QPushButton*>(QLatin1String(button))->click();
    }
    void PickMenuItem(const QString& text) {
        Grid().OnShowPopup(10, 10, Grid().TopRow());
        for (QAction* action : Window->ContextMenu()->actions())
            if (action->text() == text) {
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no menu item " << text.toStdString();
    }

    std::string Document;
};

TEST_F(MainEditorsTest, TheCategoriesButtonAddsASubCategoryTheWorksheetShows) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    TWorksheet& sheet = Window->Worksheet();
    // A new sub category has no total yet: the view shows rows without one.
    Window->Ledger().SubActList.ShowZeroRows = true;
    Window->Ledger().SubActList.Recount();
    const std::int32_t rowsBefore = sheet.RowCount(ViewSubCategories);
    auto* categories = Window->ToolButton(QStringLiteral("ActBtn"));
    ASSERT_TRUE(categories->isEnabled());
    WhenModalClosing<TMainActForm>([](TMainActForm& editor) {
        Click(editor, "NewSubBtn");
        QTest::keyClicks(editor.findChild<QLineEdit*>("NameEdit"), QStringLiteral("Night Market"));
        Click(editor, "SubOKBtn");
        Click(editor, "OKBtn");
    });
    categories->click();
    EXPECT_EQ(sheet.RowCount(ViewSubCategories), rowsBefore + 1);
    const auto& subs = Window->Ledger().SubActList.KeyList;
    EXPECT_TRUE(
        std::any_of(subs.begin(), subs.end(), [](const TSubActRec* sub) { return sub->Name.Str() == "Night Market"; }));
}

// With Adding protected, the button asks first; a wrong answer opens nothing.
TEST_F(MainEditorsTest, TheCategoriesButtonAsksForThePasswordOfAdding) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40, 3, [](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectAdd = 1;
    })));
    Questions.PasswordAccepted = false;
    EXPECT_FALSE(OpensAWindow([this] { Window->ToolButton(QStringLiteral("ActBtn"))->click(); }));
    EXPECT_EQ(Questions.PasswordQuestions, 1);
}

TEST_F(MainEditorsTest, TheGroupsButtonAddsAGroupTheGroupsViewShowsAndTheDocumentKeeps) {
    Open(40);
    ShowZeroRows(ViewGroups);
    const int rowsBefore = Grid().RowCount();
    const std::vector<std::string> totalsBefore = Totals();
    WhenModalClosing<TGroup>([](TGroup& editor) {
        WhenModalClosing<TTextInputForm>([](TTextInputForm& box) {
            Type(box, "TextEdit", QStringLiteral("Night Market"));
            Click(box, "OKBtn");
        });
        Click(editor, "NewBtn");
        Click(editor, "CloseBtn");
    });
    Window->ToolButton(QStringLiteral("GrpBtn"))->click();

    ASSERT_EQ(Grid().RowCount(), rowsBefore + 1);
    const int line = LineOf("Night Market");
    ASSERT_GE(line, 0);
    EXPECT_EQ(Sheet().GroupAt(line)->NumberText(), "G4");
    EXPECT_EQ(Totals(), totalsBefore);
    Reopen();
    const TGroupRec* stored = Books().GroupList.Find(4);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Name.Str(), "Night Market");
}

// A double-click on a row of the Quick Summary opens the category types editor on that row's
// type; a type made there shows as a row of its own.
TEST_F(MainEditorsTest, TheQuickSummaryOpensTheCategoryTypesEditorOnTheRowsType) {
    Open(40);
    ShowZeroRows(ViewSummary);
    const int overheads = LineOf("Overheads");
    ASSERT_GE(overheads, 0);
    ASSERT_LT(overheads, Grid().RowsThatFit());
    const TCatRec* type = Sheet().CategoryTypeAt(overheads);
    const std::int32_t typeIndex = Books().CatList.IndexOf(type);
    const std::vector<std::string> totalsBefore = Totals();
    WhenModalClosing<TCatForm>([typeIndex](TCatForm& editor) {
        EXPECT_EQ(editor.Side(), SideDebit);
        EXPECT_EQ(editor.ChosenIndex(), typeIndex);
        WhenModalClosing<TNewEditCat>([](TNewEditCat& dialog) {
            Type(dialog, "NameEdit", QStringLiteral("Premises"));
            Click(dialog, "Kind2");
            Click(dialog, "OKBtn");
        });
        Click(editor, "NewBtn");
        Click(editor, "CloseBtn");
    });
    DoubleClickLine(overheads);

    const int line = LineOf("Premises");
    ASSERT_GE(line, 0);
    // A debit type with no figures yet.
    EXPECT_EQ(SlotText(line, 1), "");
    EXPECT_EQ(SlotText(line, 2), Sheet().Formats.MoneyText(Money()));
    EXPECT_EQ(Totals(), totalsBefore);
    Reopen();
    const auto& types = Books().CatList.KeyList;
    const auto stored =
        std::find_if(types.begin(), types.end(), [](const TCatRec* t) { return t->Name.Str() == "Premises"; });
    ASSERT_NE(stored, types.end());
    EXPECT_EQ((*stored)->Side, SideDebit);
    EXPECT_EQ((*stored)->Kind, 2);
}

TEST_F(MainEditorsTest, TheAccountBarsAccountsButtonAddsAnAccountTheBarAndTheTransactionsShow) {
    Open(40);
    TKQBookBar& bar = *Window->AccountBar();
    ASSERT_EQ(bar.ButtonCount(), 3);
    const int rowsBefore = Grid().RowCount();
    WhenModalClosing<TBooksForm>([](TBooksForm& accounts) {
        WhenModalClosing<TNewEditBookForm>([](TNewEditBookForm& dialog) {
            Type(dialog, "NameEdit", QStringLiteral("Term Deposit"));
            Type(dialog, "OpeningBox", QStringLiteral("5000"));
            Click(dialog, "OKBtn");
        });
        Click(accounts, "NewBtn");
        Click(accounts, "OKBtn");
    });
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.AccountsButtonRect().center());

    EXPECT_EQ(bar.ButtonCount(), 4);
    EXPECT_NE(bar.HintAt(bar.AccountButtonRect(3).center()), QString());
    // Its opening balance is a row of the Transactions view.
    ASSERT_EQ(Grid().RowCount(), rowsBefore + 1);
    const TTransRec* opening = nullptr;
    for (int line = 0; line < Grid().RowCount(); ++line)
        if (const TTransRec* t = Sheet().TransactionAt(line); t->BookRec && t->BookRec->Name.Str() == "Term Deposit")
            opening = t;
    ASSERT_NE(opening, nullptr);
    EXPECT_EQ(opening->Kind, TransOpening);
    EXPECT_EQ(opening->Amount, Money::FromUnits(5000));

    Reopen();
    ASSERT_EQ(Books().BookList.Count(), 4);
    const TBookRec* stored = Books().BookList.Items(3);
    EXPECT_EQ(stored->Name.Str(), "Term Deposit");
    ASSERT_NE(stored->OpeningTrans, nullptr);
    EXPECT_EQ(stored->OpeningTrans->Amount, Money::FromUnits(5000));
    EXPECT_EQ(Window->AccountBar()->ButtonCount(), 4);
}

// A selection ticks records in its dialog; on OK the worksheet shows and totals only what it
// selected.
TEST_F(MainEditorsTest, TheCategorySelectionRestrictsTheWorksheetAndItsTotals) {
    Open();
    Window->SelectTab(ViewCategories);
    TMainActRec* chosen = nullptr;
    for (TMainActRec* category : Books().MainActList.KeyList)
        if (!chosen && category->Side == SideCredit)
            chosen = category; // the credit box's first row
    ASSERT_NE(chosen, nullptr);
    ASSERT_GT(Grid().RowCount(), 1);
    const std::string creditBefore = TotalOf(2);
    TickAndSelect<TActSelect>("ActSelBtn", "InSelectBox", 0);

    ASSERT_EQ(Grid().RowCount(), 1);
    EXPECT_EQ(Sheet().CategoryAt(0), chosen);
    // The credit total is the one category's.
    EXPECT_EQ(TotalOf(2), SlotText(0, 2));
    EXPECT_NE(TotalOf(2), creditBefore);
    EXPECT_TRUE(Window->ResetButton()->isEnabled());
    Window->SelectTab(ViewTransactions);
    ASSERT_GT(Grid().RowCount(), 0);
    for (int line = 0; line < Grid().RowCount(); ++line)
        EXPECT_EQ(Sheet().TransactionAt(line)->MainAct, chosen->Number) << line;
}

TEST_F(MainEditorsTest, TheGroupSelectionRestrictsTheWorksheetAndItsTotals) {
    Open();
    Window->SelectTab(ViewGroups);
    ASSERT_GT(Grid().RowCount(), 1);
    TickAndSelect<TGrpSelect>("GrpSelBtn", "GroupBox", 2);

    ASSERT_EQ(Grid().RowCount(), 1);
    EXPECT_EQ(Sheet().GroupAt(0)->Number, 2);
    // Credit, debit and net of the totals row are the group's own.
    for (const int slot : {2, 3, 4})
        EXPECT_EQ(TotalOf(slot), SlotText(0, slot)) << slot;
    Window->SelectTab(ViewTransactions);
    ASSERT_GT(Grid().RowCount(), 0);
    for (int line = 0; line < Grid().RowCount(); ++line) {
        const TTransRec* t = Sheet().TransactionAt(line);
        EXPECT_EQ(t->Group, 2) << line;
        EXPECT_FALSE(t->IsTransfer()) << line;
    }
}

// "&Find a Category" on the Sub Categories view searches the sub categories; the category editor
// then opens on the found one's category with the found one chosen.
TEST_F(MainEditorsTest, FindACategoryOpensTheCategoryEditorOnWhatItFound) {
    Open();
    Window->SelectTab(ViewSubCategories);
    // The sub category the search is to find: the first debit one in list order.
    const TSubActRec* wanted = nullptr;
    for (const TSubActRec* sub : Books().SubActList.KeyList)
        if (!wanted && sub->Side == SideDebit && sub->Name.Str() != "Payments")
            wanted = sub;
    ASSERT_NE(wanted, nullptr);
    const std::int32_t wantedIndex = Books().SubActList.IndexOf(wanted);
    const std::int32_t categoryIndex = Books().MainActList.IndexOfNumber(wanted->MainAct);
    bool editorOpened = false;
    WhenModalClosing<TActSearchForm>([&](TActSearchForm& search) {
        EXPECT_TRUE(search.findChild<QRadioButton*>(QStringLiteral("SubBtn"))->isChecked());
        Click(search, "DebitBtn");
        Type(search, "SearchSrc", QString::fromStdString(wanted->Name.Str()));
        auto* found = search.findChild<QTreeWidget*>(QStringLiteral("FoundList"));
        // The same name may stand in other categories: pick the one of the wanted category.
        const QString numberText = QString::fromStdString(SubActNumberText(wanted->MainAct, wanted->Number));
        ClickItem(found, numberText, 0);
        WhenModalOpens<TMainActForm>([&](TMainActForm& editor) {
            editorOpened = true;
            EXPECT_EQ(editor.Position(), categoryIndex);
            EXPECT_EQ(editor.ChosenSub(), wantedIndex);
            Click(editor, "CancelBtn");
        });
        Click(search, "DisplayBtn");
    });
    PickMenuItem(QStringLiteral("&Find a Category"));
    EXPECT_TRUE(editorOpened);
}

// ---- The first visible row after deletions ----------------------------------------------------

// Unused groups "Spare 1" to "Spare 6" (G4 to G9) fill the Groups view to ten rows.
struct TKeepCase {
    const char* Name;
    bool Descending;
    int Top;                         // the first visible row before
    std::vector<std::string> Delete; // the groups deleted
    std::string TopName;             // the group on the first visible row, before and after
    int TopAfter;
};

void PrintTo(const TKeepCase& c, std::ostream* out) {
    *out << c.Name;
}

class KeepFirstRowTest : public MainEditorsTest, public ::testing::WithParamInterface<TKeepCase> {};

TEST_P(KeepFirstRowTest, DeletedGroupsAboveTheFirstVisibleRowLeaveItOnItsGroup) {
    const TKeepCase& c = GetParam();
    Open(40);
    for (int i = 1; i <= 6; ++i)
        ASSERT_TRUE(AddGroup(Window->EditContext(), "Spare " + std::to_string(i)).Done());
    ShowZeroRows(ViewGroups);
    ASSERT_EQ(Grid().RowCount(), 10);
    if (c.Descending) {
        // A click on the sorted column's button turns the order round.
        QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, Grid().ColumnButtonRect(0).center());
        ASSERT_EQ(Sheet().GridInfo[ViewGroups].SortDirection, sdDescending);
    }
    Grid().ScrollRows(c.Top - Grid().TopRow());
    ASSERT_EQ(Grid().TopRow(), c.Top);
    ASSERT_EQ(NameAt(c.Top), c.TopName);

    WhenModalClosing<TGroup>([&c](TGroup& editor) {
        for (const std::string& name : c.Delete) {
            ClickItem(editor.findChild<QTreeWidget*>(QStringLiteral("GroupList")), QString::fromStdString(name), 1);
            Click(editor, "DeleteBtn");
        }
        Click(editor, "CloseBtn");
    });
    Window->ToolButton(QStringLiteral("GrpBtn"))->click();

    ASSERT_EQ(Grid().RowCount(), 10 - static_cast<int>(c.Delete.size()));
    EXPECT_EQ(Grid().TopRow(), c.TopAfter);
    EXPECT_EQ(Sheet().GridInfo[ViewGroups].ScrollBarPos, c.TopAfter);
    EXPECT_EQ(NameAt(Grid().TopRow()), c.TopName);
}

INSTANTIATE_TEST_SUITE_P(SortOrders, KeepFirstRowTest,
                         ::testing::Values(
                             // G0..G9 from the top: G4 and G6 lie above the first visible row (G7), G9 below.
                             TKeepCase{"Ascending", false, 7, {"Spare 1", "Spare 3", "Spare 6"}, "Spare 4", 5},
                             // G9..G0 from the top: G9 and G7 lie above the first visible row (G6), G4 below.
                             TKeepCase{"Descending", true, 3, {"Spare 6", "Spare 4", "Spare 1"}, "Spare 3", 1},
                             // Nothing above: the row stays where it was.
                             TKeepCase{"NothingAbove", false, 2, {"Spare 5"}, "Online", 2}),
                         [](const ::testing::TestParamInfo<TKeepCase>& info) { return std::string(info.param.Name); });

// The category editor deletes a category with its sub categories: the Sub Categories view, on
// screen, and the Main Categories view, left scrolled down on its tab, both keep their records
// on their first visible rows.
TEST_F(MainEditorsTest, ADeletedCategoryLeavesTheFirstVisibleRowsOfBothViewsOnTheirRecords) {
    Open(40);
    TEditContext& edit = Window->EditContext();
    std::int32_t overheads = -1;
    for (const TCatRec* type : Books().CatList.KeyList)
        if (type->Name.Str() == "Overheads")
            overheads = type->Number;
    ASSERT_TRUE(AddCategory(edit, {50, "Aardvark Hire", SideDebit, overheads}).Done());
    const std::int32_t aardvark = Books().MainActList.IndexOfNumber(50);
    for (const char* name : {"Aardvark Feed", "Aardvark Vet"})
        ASSERT_TRUE(AddSubCategory(edit, aardvark, {name, Money(), ""}).Done());
    ShowZeroRows(ViewSubCategories);
    ShowZeroRows(ViewCategories);

    // The new category is the first row of Main Categories (by number); scroll below it.
    ASSERT_EQ(LineOf("Aardvark Hire"), 0);
    Grid().ScrollRows(3 - Grid().TopRow());
    const std::string categoryOnTop = NameAt(3);
    Window->SelectTab(ViewSubCategories);
    const int below = std::max(LineOf("Aardvark Feed"), LineOf("Aardvark Vet")) + 2;
    ASSERT_LT(below, Grid().RowCount());
    Grid().ScrollRows(below - Grid().TopRow());
    ASSERT_EQ(Grid().TopRow(), below);
    const std::string subOnTop = NameAt(below);

    WhenModalClosing<TMainActForm>([](TMainActForm& editor) {
        // The editor opens on the first category by number.
        Click(editor, "DelMainBtn");
        Click(editor, "OKBtn");
    });
    Window->ToolButton(QStringLiteral("ActBtn"))->click();
    ASSERT_EQ(Books().MainActList.IndexOfNumber(50), -1);

    EXPECT_EQ(Grid().TopRow(), below - 2);
    EXPECT_EQ(NameAt(Grid().TopRow()), subOnTop);
    Window->SelectTab(ViewCategories);
    EXPECT_EQ(Grid().TopRow(), 2);
    EXPECT_EQ(NameAt(Grid().TopRow()), categoryOnTop);
}

} // namespace
} // namespace qz::gui::test
