// The reconcile window on a real document, driven by clicks and keys: a press or the space bar
// ticks a row (a split as a whole), the select buttons, "&Reconcile Now" with Yes and with No,
// the statement balance and its difference, and the empty list. What is stored is read back by
// opening the document again.

#include "editors/ReconcileForm.h"

#include "editors/DeleteDialog.h"

#include "GeneratedBooksFixture.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "filters/GeneratedDocument.h"
#include "forms/ModalDriver.h"
#include "platform/Drives.h"
#include "platform/ScriptedPrompts.h"
#include "platform/TextCodec.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

const TDateTime Today = EncodeDate(2026, 5, 4);

class ReconcileFormTest : public GeneratedBooksFixture {
protected:
    ReconcileFormTest() : GeneratedBooksFixture(Today) {}

    // Generated books, every transaction reconciled, and with `own` the test's unreconciled
    // ones after them: a deposit of 75, a fee of 40, split S (A a sale of 100, B a cost of 30)
    // and a transfer of 25 out of the first account into the second.
    void OpenBooks(bool own = true) {
        WriteBooks(9, 40, [&](TLedger& books, TFileSettings&) {
            for (TTransRec* t : books.TransList.KeyList)
                t->Reconciled = 1;
            if (own)
                AddOwnTransactions(books);
        });
    }

    void AddOwnTransactions(TLedger& books) {
        const TTransRec* sale = nullptr;
        const TTransRec* cost = nullptr;
        TDateTime last = 0;
        for (const TTransRec* t : books.TransList.KeyList) {
            last = std::max(last, DayOf(t->Date));
            if (t->Split == '0' && t->Kind == TransCredit)
                sale = t;
            if (t->Split == '0' && t->Kind == TransDebit)
                cost = t;
        }
        ASSERT_TRUE(sale && cost);
        std::int32_t number = books.TransList.NewNumber();
        auto add = [&](const TTransRec& like, std::uint8_t kind, double amount, int day, char split = '0') {
            auto* t = new TTransRec(like);
            t->Number = split > 'A' ? number - 1 : number++;
            t->Kind = kind;
            t->Amount = Money::FromDouble(amount);
            t->Gst = Money();
            t->Date = last + day;
            t->Book = 0;
            t->Split = split;
            t->Reference = "";
            t->Reconciled = 0;
            books.TransList.Add(t);
            return t;
        };
        Deposit = add(*sale, TransCredit, 75, 1)->Number;
        add(*cost, TransDebit, 40, 2);
        Split = add(*sale, TransCredit, 100, 3, 'A')->Number;
        add(*cost, TransDebit, 30, 3, 'B');
        TTransRec transfer;
        transfer.Group = 1;
        transfer.MainAct = number + 1;
        add(transfer, TransTo, 25, 4);
        transfer.Book = 1;
        transfer.Group = 0;
        transfer.MainAct = number - 1;
        add(transfer, TransFrom, 25, 4)->Book = 1;
        books.TransList.SortByKey();
    }

    bool Run(std::function<void(TReconcile&)> act) {
        WhenModal<TReconcile>(std::move(act));
        Refresh = RefreshNone;
        return TReconcile::OpenReconcile(nullptr, {&Edit, &Formats, [this](int topic) { Topics.push_back(topic); }},
                                         &Refresh);
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QTreeWidget* List(TReconcile& w) { return Child<QTreeWidget>(w, "ListView"); }
    static QString Label(TReconcile& w, const char* name) { return Child<QLabel>(w, name)->text(); }
    static void Click(TReconcile& w, const char* name) { Child<QAbstractButton>(w, name)->click(); }
    static bool Enabled(TReconcile& w, const char* name) { return Child<QWidget>(w, name)->isEnabled(); }

    // The list's line of the row of transaction `number` with letter `split` ('1' a summary).
    static int LineOf(TReconcile& w, std::int32_t number, char split = '0') {
        const auto& rows = w.Reconciliation().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].Number == number && rows[i].Split == split)
                return static_cast<int>(i);
        ADD_FAILURE() << number << split;
        return -1;
    }
    static QRect RectOf(TReconcile& w, int line) { return List(w)->visualItemRect(List(w)->topLevelItem(line)); }
    static void Press(TReconcile& w, int line) {
        QTest::mousePress(List(w)->viewport(), Qt::LeftButton, {}, RectOf(w, line).center());
        QTest::mouseRelease(List(w)->viewport(), Qt::LeftButton, {}, RectOf(w, line).center());
    }
    static bool Ticked(TReconcile& w, int line) {
        return w.Reconciliation().Rows()[static_cast<std::size_t>(line)].Ticked;
    }
    QString MoneyText(Money amount) const { return FromDocument(Formats.MoneyText(amount)); }

    std::uint8_t FlagOf(const TLedger& ledger, std::int32_t number, char split = '0') const {
        for (const TTransRec* t : ledger.TransList.KeyList)
            if (t->Number == number && t->Split == split)
                return t->Reconciled;
        ADD_FAILURE() << number << split;
        return 2;
    }

    std::uint16_t Refresh = RefreshNone;
    std::vector<int> Topics;
    std::int32_t Deposit = 0;
    std::int32_t Split = 0;
};

TEST_F(ReconcileFormTest, APressOrTheSpaceBarTicksARowAndASplitAsAWhole) {
    OpenBooks();
    EXPECT_FALSE(Run([this](TReconcile& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Reconcile Transactions"));
        EXPECT_EQ(Label(w, "HintLabel"), QStringLiteral("Tick the Transactions to be reconciled"));
        QTreeWidget* list = List(w);
        const QStringList headers = {QString(),
                                     QStringLiteral("Date"),
                                     QStringLiteral("Reference"),
                                     QStringLiteral("Category"),
                                     QStringLiteral("Sub Category"),
                                     QStringLiteral("Amount")};
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(list->headerItem()->text(column), headers[column]);
        ASSERT_EQ(list->topLevelItemCount(), 7);
        const int summary = LineOf(w, Split, '1');
        EXPECT_EQ(list->topLevelItem(summary)->text(3), QStringLiteral("Split Transaction"));
        EXPECT_EQ(list->topLevelItem(summary)->text(5), MoneyText(Money::FromUnits(70)));
        EXPECT_EQ(list->topLevelItem(LineOf(w, Split, 'B'))->text(5), MoneyText(Money::FromUnits(-30)));
        const Money reconciled = w.Reconciliation().Sums().Reconciled;
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("5 unreconciled Transactions"));
        EXPECT_EQ(Label(w, "BalLabel"), MoneyText(reconciled));
        EXPECT_EQ(Label(w, "TotalDisLabel"), MoneyText(Money::FromUnits(75 - 40 + 70 - 25 + 25)));
        EXPECT_FALSE(Enabled(w, "ReconcileBtn"));

        // A press on part B ticks the summary and part A with it.
        Press(w, LineOf(w, Split, 'B'));
        for (char split : {'1', 'A', 'B'})
            EXPECT_TRUE(Ticked(w, LineOf(w, Split, split))) << split;
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("4 unreconciled Transactions"));
        EXPECT_EQ(Label(w, "BalLabel"), MoneyText(reconciled + Money::FromUnits(70)));
        EXPECT_TRUE(Enabled(w, "ReconcileBtn"));

        // The keyboard: the first row, the space bar on it, twice.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        ASSERT_EQ(list->currentIndex().row(), 0);
        EXPECT_EQ(LineOf(w, Deposit), 0);
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_TRUE(Ticked(w, 0));
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("3 unreconciled Transactions"));
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_FALSE(Ticked(w, 0));
        // A click on the summary row unticks the split; the space bar on it ticks it again.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RectOf(w, summary).center());
        EXPECT_FALSE(Ticked(w, LineOf(w, Split, 'A')));
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_TRUE(Ticked(w, LineOf(w, Split, 'A')));

        // A part row is drawn on its own, bluer shade; a plain row on the list's colour.
        list->clearSelection();
        list->setCurrentItem(nullptr);
        const QImage shot = list->viewport()->grab().toImage();
        const auto shade = [&](int line) {
            const QRect r = RectOf(w, line);
            return shot.pixelColor(r.right() - 2, r.top() + 3);
        };
        const QColor plain = shade(LineOf(w, Deposit));
        const QColor part = shade(LineOf(w, Split, 'A'));
        EXPECT_EQ(plain, list->palette().color(QPalette::Base));
        EXPECT_NE(part, plain);
        EXPECT_GT(part.blue(), part.red());
        QTest::keyClick(&w, Qt::Key_Escape);
    }));
    EXPECT_EQ(Refresh, RefreshNone);
}

TEST_F(ReconcileFormTest, SelectAllAndUnselectAll) {
    OpenBooks();
    Run([this](TReconcile& w) {
        const QString all = Label(w, "AllLabel");
        Click(w, "SelAllBtn");
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("0 unreconciled Transactions"));
        EXPECT_EQ(Label(w, "TotalDisLabel"), MoneyText(Money()));
        EXPECT_EQ(Label(w, "AllLabel"), all);
        EXPECT_EQ(Label(w, "BalLabel"), all);
        EXPECT_TRUE(Enabled(w, "ReconcileBtn"));
        for (std::size_t i = 0; i < w.Reconciliation().Rows().size(); ++i)
            EXPECT_TRUE(Ticked(w, static_cast<int>(i))) << i;
        Click(w, "UnselAllBtn");
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("5 unreconciled Transactions"));
        EXPECT_FALSE(Enabled(w, "ReconcileBtn"));
        Click(w, "HelpBtn");
        Click(w, "CloseBtn");
    });
    EXPECT_EQ(Topics, std::vector<int>{TReconcile::HelpTopic});
}

TEST_F(ReconcileFormTest, ReconcileNowWithYesStoresTheTickedTransactionsAndRemovesTheirRows) {
    OpenBooks();
    EXPECT_TRUE(Run([this](TReconcile& w) {
        const Money reconciled = w.Reconciliation().Sums().Reconciled;
        const QString all = Label(w, "AllLabel");
        Press(w, LineOf(w, Deposit));
        Press(w, LineOf(w, Split, 'A'));
        Prompts.QueueAnswer(MsgResult::Yes);
        Click(w, "ReconcileBtn");
        ASSERT_EQ(Prompts.Messages.size(), 2u);
        EXPECT_EQ(Prompts.Messages[0].Text, TReconciliation::Question);
        EXPECT_EQ(Prompts.Messages[1].Text, "2 Transactions Reconciled");
        EXPECT_EQ(List(w)->topLevelItemCount(), 3);
        EXPECT_EQ(Label(w, "BalLabel"), MoneyText(reconciled + Money::FromUnits(75 + 70)));
        EXPECT_EQ(Label(w, "AllLabel"), all);
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("3 unreconciled Transactions"));
        EXPECT_FALSE(Enabled(w, "ReconcileBtn"));
        Click(w, "CloseBtn");
    }));
    EXPECT_TRUE(Refresh & RefreshTotals);
    Reopen();
    EXPECT_EQ(FlagOf(Ledger, Deposit), 1);
    EXPECT_EQ(FlagOf(Ledger, Split, 'A'), 1);
    EXPECT_EQ(FlagOf(Ledger, Split, 'B'), 1);
    EXPECT_EQ(FlagOf(Ledger, Deposit + 1), 0);
    EXPECT_EQ(Ledger.TransList.UnreconciledCount, 3);
}

TEST_F(ReconcileFormTest, NoChangesNothing) {
    OpenBooks();
    EXPECT_FALSE(Run([this](TReconcile& w) {
        Click(w, "SelAllBtn");
        Prompts.QueueAnswer(MsgResult::No);
        Click(w, "ReconcileBtn");
        EXPECT_EQ(Prompts.LastText(), TReconciliation::Question);
        EXPECT_EQ(List(w)->topLevelItemCount(), 7);
        EXPECT_TRUE(Enabled(w, "ReconcileBtn"));
        Click(w, "CloseBtn");
    }));
    EXPECT_EQ(Refresh, RefreshNone);
    Reopen();
    EXPECT_EQ(Ledger.TransList.UnreconciledCount, 6); // every record of the rows but the summary
}

TEST_F(ReconcileFormTest, TheStatementBalanceShowsTheDifferenceInRedWhileNotZero) {
    OpenBooks();
    Run([this](TReconcile& w) {
        auto* box = Child<TNumberBox>(w, "StatementBox");
        auto* difference = Child<QLabel>(w, "DifferenceLabel");
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_TRUE(difference->text().isEmpty());
        const QColor normal = difference->palette().color(QPalette::WindowText);
        const Money reconciled = w.Reconciliation().Sums().Reconciled;
        Press(w, LineOf(w, Deposit));
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("1000"));
        EXPECT_EQ(difference->text(), MoneyText(Money::FromUnits(1000) - reconciled - Money::FromUnits(75)));
        EXPECT_EQ(difference->palette().color(QPalette::WindowText), QColor(Qt::red));
        // An overdrawn statement.
        box->clear();
        QTest::keyClicks(box, QStringLiteral("-20.5"));
        EXPECT_EQ(difference->text(), MoneyText(Money::FromCents(-2050) - reconciled - Money::FromUnits(75)));
        // Reconcile Now tells of the difference.
        Prompts.QueueAnswer(MsgResult::Cancel);
        Click(w, "ReconcileBtn");
        EXPECT_NE(Prompts.LastText().find("The ticked Transactions differ from the Statement balance by "),
                  std::string::npos);
        // The ticks reach the statement.
        box->clear();
        QTest::keyClicks(box, FromDocument(FormatNumber2(reconciled + Money::FromUnits(75), '.', '\0', false)));
        EXPECT_EQ(difference->text(), MoneyText(Money()));
        EXPECT_EQ(difference->palette().color(QPalette::WindowText), normal);
        box->clear();
        EXPECT_TRUE(difference->text().isEmpty());
        Click(w, "CloseBtn");
    });
}

TEST_F(ReconcileFormTest, AnEmptyListSaysSoAndReconcilesNothing) {
    OpenBooks(false);
    EXPECT_FALSE(Run([this](TReconcile& w) {
        QTreeWidget* list = List(w);
        EXPECT_EQ(list->topLevelItemCount(), 0);
        EXPECT_EQ(Label(w, "UnclearedLabel"), QStringLiteral("0 unreconciled Transactions"));
        Click(w, "SelAllBtn");
        EXPECT_FALSE(Enabled(w, "ReconcileBtn"));
        // The text stands in the middle of the list.
        const QImage shot = list->viewport()->grab().toImage();
        const QColor base = list->palette().color(QPalette::Base);
        int inked = 0;
        for (int x = 0; x < shot.width(); ++x)
            for (int y = shot.height() / 2 - 8; y < shot.height() / 2 + 8; ++y)
                inked += shot.pixelColor(x, y) != base;
        EXPECT_GT(inked, 50);
        Click(w, "CloseBtn");
    }));
    EXPECT_TRUE(Prompts.Messages.empty());
}

} // namespace
} // namespace qz::gui::test
