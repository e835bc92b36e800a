// The main window and the transfer window: the Tools menu's "&Transfers" (enabled with two
// accounts or more), a double-click on a transfer row and the context menu's "&Edit Transfer"
// open it; what it changed reaches the worksheet's rows, span, date pickers and figures at once
// (the figures of the full recalculation) and the document on disk.

#include "MainFormFixture.h"

#include "controls/DatePanel.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "edit/TransactionOrder.h"
#include "editors/NewEditTransferForm.h"
#include "editors/TransactBookCombo.h"
#include "editors/TransferForm.h"
#include "engine/Engine.h"
#include "forms/ModalDriver.h"
#include "grid/Grid3.h"

#include <QAction>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

template <class T> T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget& window, const char* name) {
    Child<QAbstractButton>(window, name)->click();
}

// The dialog's OK, which must close it; one left open fails the test rather than keep it waiting.
void ClickOK(QDialog& dialog) {
    Click(dialog, "OKBtn");
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog is still open";
        dialog.reject();
    }
}

QDate ToQDate(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return QDate(day.Year, day.Month, day.Day);
}

class MainTransfers : public MainFormTest {
protected:
    void Open(int transactions = 300) {
        Document = WriteDocument("books.kqk", transactions);
        ASSERT_TRUE(Window->OpenFile(Document));
    }
    TLedger& Books() { return Window->Ledger(); }
    TWorksheet& Sheet() { return Window->Worksheet(); }
    TGrid3& Grid() { return *Window->Grid(); }

    // Every balance and total the worksheet shows.
    std::vector<Money> Figures() {
        std::vector<Money> figures{Books().TransList.CreditTotal, Books().TransList.DebitTotal};
        for (const TTransRec* t : Books().TransList.KeyList) {
            figures.push_back(t->Balance);
            figures.push_back(Money::FromUnits(t->Row));
        }
        for (const TMainActRec* c : Books().MainActList.KeyList)
            figures.push_back(c->Total);
        return figures;
    }
    void ExpectFiguresOfTheFullRecalculation() {
        const std::vector<Money> shown = Figures();
        Recalculate(Books());
        EXPECT_EQ(Figures(), shown);
    }
    // The line of the Transactions view that shows `t`.
    std::int32_t LineOf(const TTransRec& t) {
        const TGridInfo& rows = Sheet().GridInfo[ViewTransactions];
        return rows.SortDirection == sdDescending ? Sheet().RowCount(ViewTransactions) - 1 - t.Row : t.Row;
    }
    void DoubleClickLine(std::int32_t line) {
        Grid().ScrollRows(line - Grid().TopRow());
        const QPoint at = Grid().RowRect(line - Grid().TopRow()).center();
        QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(&Grid(), Qt::LeftButton, Qt::NoModifier, at);
    }

    std::string Document;
};

TEST_F(MainTransfers, TheToolsMenuItemWantsTwoAccounts) {
    QAction* item = Window->Action(QStringLiteral("TransfersItem"));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled()) << "no document";
    // A blank document has one account.
    DialogAnswers.push_back(QString::fromStdString(Path("blank.kqk")));
    Window->NewCommand();
    ASSERT_TRUE(Window->DocumentOpen());
    ASSERT_EQ(Books().BookList.Count(), 1);
    EXPECT_FALSE(item->isEnabled());
    Open(40);
    EXPECT_TRUE(item->isEnabled());
}

// A transfer dated after every transaction: the span (no date range of the user's) reaches it,
// the date pickers show it, both halves have rows in the view's order, and the figures are those
// of the full recalculation.
TEST_F(MainTransfers, ANewTransferFromTheToolsMenuReachesTheWorksheet) {
    Open();
    const TDateTime last = Books().TransList.DateTo;
    const TDateTime day = DayOf(last) + 20;
    const std::int32_t number = Books().TransList.NewNumber();
    WhenModal<TTransfer>([&](TTransfer& form) {
        EXPECT_EQ(form.focusWidget(), Child<QWidget>(form, "NewBtn"));
        WhenModal<TNewEditTransfer>([&](TNewEditTransfer& dialog) {
            auto* to = Child<TBookCombo>(dialog, "ComboTo");
            to->setFocus();
            QTest::keyClick(to, Qt::Key_Down);
            auto* amount = Child<TNumberBox>(dialog, "NbrBoxAmount");
            amount->setFocus();
            amount->selectAll();
            QTest::keyClicks(amount, QStringLiteral("321.09"));
            Child<QDateEdit>(dialog, "DateEditBtn")->setDate(ToQDate(day));
            ClickOK(dialog);
        });
        Click(form, "NewBtn");
        Click(form, "OKBtn");
    });
    Window->Action(QStringLiteral("TransfersItem"))->trigger();

    const TTransRec* out = nullptr;
    const TTransRec* in = nullptr;
    for (const TTransRec* t : Books().TransList.KeyList) {
        if (t->Number == number)
            out = t;
        if (t->Number == number + 1)
            in = t;
    }
    ASSERT_TRUE(out && in);
    EXPECT_EQ(out->Kind, TransTo);
    EXPECT_EQ(in->Kind, TransFrom);
    EXPECT_EQ(Books().TransList.DateTo, day) << "the span reaches the new transfer";
    EXPECT_EQ(Window->DatePanel()->Picker(2)->date(), ToQDate(day));
    EXPECT_NE(out->Row, -1);
    EXPECT_NE(in->Row, -1);
    EXPECT_TRUE(
        InOrder(Books().TransList.RowList, static_cast<std::uint8_t>(Sheet().GridInfo[ViewTransactions].SortIndex)));
    EXPECT_EQ(Sheet().TransactionAt(LineOf(*out)), out);
    ExpectFiguresOfTheFullRecalculation();

    // On disk as well.
    ASSERT_TRUE(Window->CloseCommand());
    ASSERT_TRUE(Window->OpenFile(Document));
    const std::int32_t index = TransferIndexOf(Books().TransferList, Books().TransList.KeyList.back());
    ASSERT_GE(index, 0);
    const TTransferRec& pair = *Books().TransferList.Item(index);
    ASSERT_NE(pair.FromTrans, nullptr);
    EXPECT_EQ(pair.ToTrans->Number, number);
    EXPECT_EQ(pair.ToTrans->Amount, Money::FromCents(32109));
}

// A double-click on either half opens the window on its pair; a change of the amount moves the
// balances at once. The context menu's item opens the same pair.
TEST_F(MainTransfers, ATransferRowOpensTheWindowOnItsPair) {
    Open();
    const TTransRec* in = nullptr;
    for (const TTransRec* t : Books().TransList.KeyList)
        if (t->Kind == TransFrom && t->Row != -1)
            in = t;
    ASSERT_NE(in, nullptr);
    const std::int32_t pairIndex = TransferIndexOf(Books().TransferList, in);
    const std::int32_t number = in->Number;
    WhenModal<TTransfer>([&](TTransfer& form) {
        EXPECT_EQ(form.ChosenIndex(), pairIndex);
        EXPECT_EQ(form.focusWidget(), Child<QTreeWidget>(form, "TransferListView"));
        WhenModal<TNewEditTransfer>([](TNewEditTransfer& dialog) {
            auto* amount = Child<TNumberBox>(dialog, "NbrBoxAmount");
            amount->setFocus();
            amount->selectAll();
            QTest::keyClicks(amount, QStringLiteral("1234.56"));
            ClickOK(dialog);
        });
        Click(form, "EditBtn");
        Click(form, "CancelBtn"); // the change is kept
    });
    DoubleClickLine(LineOf(*in));
    const TTransRec* changed = nullptr;
    for (const TTransRec* t : Books().TransList.KeyList)
        if (t->Number == number)
            changed = t;
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->Amount, Money::FromCents(123456));
    ExpectFiguresOfTheFullRecalculation();

    // The context menu's "&Edit Transfer" on the same row.
    Grid().OnShowPopup(10, 10, LineOf(*changed));
    QAction* edit = nullptr;
    for (QAction* action : Window->ContextMenu()->actions())
        if (action->text() == QStringLiteral("&Edit Transfer"))
            edit = action;
    ASSERT_NE(edit, nullptr);
    WhenModal<TTransfer>([&](TTransfer& form) {
        EXPECT_EQ(form.ChosenIndex(), TransferIndexOf(Books().TransferList, changed));
        Click(form, "CancelBtn");
    });
    edit->trigger();
}

} // namespace
} // namespace qz::gui::test
