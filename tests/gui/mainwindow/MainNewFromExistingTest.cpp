// "&New", "&From Existing File" walked with clicks and keys from an open document to the new
// document in the window: what it carried over and what it left behind.

#include "MainFormFixture.h"

#include "forms/ModalDriver.h"
#include "wizard/NewFileDlg.h"
#include "wizard/NewFromExist.h"
#include "wizard/NewFromExistB.h"

#include "controls/DateBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <fstream>
#include <iterator>
#include <map>

namespace qz::gui::test {
namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MainNewFromExisting : public MainFormTest {};

TEST_F(MainNewFromExisting, TheNewDocumentStartsFromTheOldOnesReconciledEnd) {
    const std::string old = WriteDocument("Old Books.kqk", 300, 11);
    ASSERT_TRUE(Window->OpenFile(old));
    // What the old document holds, read off its lists while it is open: each account's
    // reconciled balance, and its unreconciled transactions (opening balances aside).
    std::map<std::int32_t, Money> reconciled;
    std::size_t unreconciled = 0;
    for (const TTransRec* t : Window->Ledger().TransList.KeyList) {
        if (!t->Reconciled) {
            unreconciled += t->Kind != TransOpening ? 1 : 0;
            continue;
        }
        const bool in = t->Kind == TransCredit || t->Kind == TransFrom || t->Kind == TransOpening;
        reconciled[t->Book] += in ? t->Amount : -t->Amount;
    }
    ASSERT_GT(unreconciled, 0u);
    const std::string before = Bytes(old);

    RealNewFileDialog = true;
    DialogAnswers = {QString::fromStdString(old)};
    bool walked = false;
    WhenModal<TNewFileDlg>([&](TNewFileDlg& newFile) {
        WhenModal<TNewFromExDlg>([&](TNewFromExDlg& dialog) {
            EXPECT_FALSE(Window->DocumentOpen()) << "the open document closes before the dialogs show";
            QTest::mouseClick(dialog.findChild<QPushButton*>("BrowseBtn"), Qt::LeftButton);
            QTest::keyClicks(dialog.findChild<QLineEdit*>("NameEdit"), QStringLiteral("Books 2027/28"));
            WhenModal<TfmNewFromExistB>([&](TfmNewFromExistB& details) {
                EXPECT_EQ(details.StartDate(), QDate(2026, 12, 10)) << "today";
                details.findChild<TDateBox*>("StartDateBox")->setDate(QDate(2027, 7, 1));
                QTest::mouseClick(details.findChild<QRadioButton*>("GstNo"), Qt::LeftButton);
                QTest::keyClick(details.findChild<QPushButton*>("OKBtn"), Qt::Key_Space);
                walked = true;
            });
            QTest::mouseClick(dialog.findChild<QPushButton*>("MakeBtn"), Qt::LeftButton);
        });
        QTest::mouseClick(newFile.findChild<QPushButton*>("FromExistingBtn"), Qt::LeftButton);
    });
    Window->NewCommand();
    ASSERT_TRUE(walked);

    EXPECT_EQ(Bytes(old), before) << "the old document is only read";
    ASSERT_TRUE(Window->DocumentOpen());
    EXPECT_EQ(Window->FileManager().Path, Path("Books 202728.kqk"));
    EXPECT_TRUE(Shown("New file created."));
    const TLedger& books = Window->Ledger();
    EXPECT_EQ(Window->FileManager().Settings.GstOpeningBalance, Money()) << "answered No";
    ASSERT_EQ(books.BookList.Count(), static_cast<std::int32_t>(reconciled.size()));
    for (const TBookRec* account : books.BookList.KeyList) {
        SCOPED_TRACE(account->Number);
        ASSERT_NE(account->OpeningTrans, nullptr);
        EXPECT_EQ(account->OpeningTrans->Amount, reconciled[account->Number]);
    }
    EXPECT_EQ(books.TransList.Count(), static_cast<std::int32_t>(books.BookList.Count() + unreconciled));
    for (const TTransRec* t : books.TransList.KeyList) {
        EXPECT_EQ(t->Date, EncodeDate(2027, 7, 1));
        EXPECT_EQ(t->Reconciled != 0, t->Kind == TransOpening) << "only the unreconciled came over";
    }
}

} // namespace
} // namespace qz::gui::test
