// The main window's "&Reconcile": enabled while a document is open, behind the password of
// Editing, and after the window reconciled anything the worksheet recalculated (with an active
// search applied again) and the document holding the flags.

#include "MainFormFixture.h"

#include "editors/ReconcileForm.h"
#include "editors/TransFindForm.h"
#include "forms/ModalDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <set>

namespace qz::gui::test {
namespace {

class MainReconcileTest : public MainFormTest {
protected:
    QAction* ReconcileItem() const { return Window->Action(QStringLiteral("ReconcileItem")); }

    // In the window: every row ticked, "&Reconcile Now" answered Yes, then "&Close".
    void ReconcileEverything() {
        WhenModal<TReconcile>([this](TReconcile& w) {
            w.findChild<QPushButton*>(QStringLiteral("SelAllBtn"))->click();
            Prompts.QueueAnswer(MsgResult::Yes);
            w.findChild<QPushButton*>(QStringLiteral("ReconcileBtn"))->click();
            EXPECT_TRUE(w.Reconciliation().Empty());
            w.findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
        });
    }

    // The view's credit total worked out from its rows: every row counts now.
    static Money CreditsOfRows(const TLedger& books) {
        Money credit;
        for (const TTransRec* t : books.TransList.KeyList)
            if (t->Row != -1 &&
                (t->Kind == TransCredit || t->Kind == TransFrom || (t->Kind == TransOpening && t->Amount >= Money())))
                credit += t->Amount;
        return credit;
    }
};

TEST_F(MainReconcileTest, ReconcilingRecalculatesTheWorksheetAndTheDocumentKeepsIt) {
    EXPECT_FALSE(ReconcileItem()->isEnabled());
    const std::string path = WriteDocument("books.kqk", 300);
    ASSERT_TRUE(Window->OpenFile(path));
    EXPECT_TRUE(ReconcileItem()->isEnabled());
    TLedger& books = Window->Ledger();
    ASSERT_GT(books.TransList.UnreconciledCount, 0);
    const Money creditBefore = books.TransList.CreditTotal;
    ASSERT_NE(creditBefore, CreditsOfRows(books)) << "some unreconciled credit is left out";
    // A split counts once: its parts share their number.
    std::set<std::int32_t> unreconciled;
    for (const TTransRec* t : books.TransList.KeyList)
        if (!t->Reconciled && t->Row != -1)
            unreconciled.insert(t->Number);
    const std::size_t transactions = unreconciled.size();
    ASSERT_GT(transactions, 1u);

    ReconcileEverything();
    ReconcileItem()->trigger();

    EXPECT_EQ(Prompts.LastText(), std::to_string(transactions) + " Transactions Reconciled");
    EXPECT_EQ(books.TransList.UnreconciledCount, 0);
    EXPECT_EQ(books.TransList.CreditTotal, CreditsOfRows(books));
    EXPECT_FALSE(Window->ProgressBar()->isVisible());

    ASSERT_TRUE(Window->CloseCommand());
    EXPECT_FALSE(ReconcileItem()->isEnabled());
    ASSERT_TRUE(Window->OpenFile(path));
    EXPECT_EQ(Window->Ledger().TransList.UnreconciledCount, 0);
}

// With "Unreconciled Only" in force, the rows just reconciled leave the worksheet.
TEST_F(MainReconcileTest, AnActiveSearchIsAppliedAgain) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 300)));
    WhenModal<TTransFindForm>([](TTransFindForm& form) {
        QTest::keyClick(form.findChild<QCheckBox*>(QStringLiteral("UnreconciledBtn")), Qt::Key_Space);
        form.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
    Window->findChild<QPushButton*>(QStringLiteral("FindSelBtn"))->click();
    ASSERT_TRUE(Window->Ledger().Switches.SearchActive);
    ASSERT_GT(Window->Worksheet().RowCount(ViewTransactions), 0);

    ReconcileEverything();
    EXPECT_TRUE(Window->ReconcileCommand());
    EXPECT_EQ(Window->Worksheet().RowCount(ViewTransactions), 0);
}

TEST_F(MainReconcileTest, AProtectedDocumentAsksForTheEditingPasswordOnce) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 60, 7, [](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectEdit = 1;
    })));
    Questions.PasswordAccepted = false;
    EXPECT_FALSE(OpensAWindow([this] { EXPECT_FALSE(Window->ReconcileCommand()); }));
    EXPECT_EQ(Questions.PasswordQuestions, 1);

    // Given, the window opens, and its "&Reconcile Now" does not ask again.
    Questions.PasswordAccepted = true;
    ReconcileEverything();
    EXPECT_TRUE(Window->ReconcileCommand());
    EXPECT_EQ(Questions.PasswordQuestions, 2);
    EXPECT_EQ(Window->Ledger().TransList.UnreconciledCount, 0);
}

} // namespace
} // namespace qz::gui::test
