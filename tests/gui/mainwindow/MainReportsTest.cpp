// The main window's reports item: enabled while a document is open, behind the password of the
// Worksheet area, opening the Reports dialog; a period chosen in the dialog is the worksheet's
// own again once the dialog closes, and the worksheet shows its own figures.

#include "MainFormFixture.h"

#include "controls/DateBox.h"
#include "forms/ModalDriver.h"
#include "reports/Reports.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace qz::gui::test {
namespace {

using MainReportsTest = MainFormTest;

TEST_F(MainReportsTest, TheReportsItemOpensTheDialogAfterTheWorksheetPassword) {
    QAction* item = Window->Action(QStringLiteral("ReportsItem"));
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isEnabled());
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 300, 7, [](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectWorksheet = 1;
    })));
    EXPECT_TRUE(item->isEnabled());

    // Refused: nothing opens.
    Questions.PasswordAccepted = false;
    EXPECT_FALSE(OpensAWindow([item] { item->trigger(); }));
    EXPECT_EQ(Questions.PasswordQuestions, 1);
    bool opened = false;

    // Given: the dialog opens on the worksheet's period; a shorter one is given back on closing.
    Questions.PasswordAccepted = true;
    TLedger& books = Window->Ledger();
    const TDateTime from = books.TransList.DateFrom;
    const TDateTime to = books.TransList.DateTo;
    const std::int32_t rows = books.TransList.VisibleCount;
    const Money credits = books.TransList.CreditTotal;
    WhenModal<TReports>([&](TReports& dialog) {
        opened = true;
        EXPECT_EQ(dialog.ReportListBox->count(), 6);
        dialog.HiDateBtn->SetDate(dialog.LoDateBtn->date().addMonths(1));
        // A run applies the period; a preview is not needed for that.
        dialog.LayOut(dialog.Entries().front());
        EXPECT_LT(books.TransList.VisibleCount, rows);
        dialog.CloseBtn->click();
    });
    item->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(books.TransList.DateFrom, from);
    EXPECT_EQ(books.TransList.DateTo, to);
    EXPECT_EQ(books.TransList.VisibleCount, rows);
    EXPECT_EQ(books.TransList.CreditTotal, credits);
}

} // namespace
} // namespace qz::gui::test
