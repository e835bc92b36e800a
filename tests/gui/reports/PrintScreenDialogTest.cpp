// The Print Screen dialog on the main window's worksheet: "&Print" behind the Printing password,
// the titles it starts with, a preview of the tab's printout on the chosen page, the narrow-paper
// warning, and printing with the copies.

#include "reports/PrintScreenDialog.h"

#include "../mainwindow/MainFormFixture.h"
#include "forms/ModalDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <optional>

namespace qz::gui::test {
namespace {

class PrintScreenDialogTest : public MainFormTest {
protected:
    TPrintScreenContext Context() {
        TPrintScreenContext context;
        context.Sheet = &Window->Worksheet();
        context.Ask = &Prompts;
        context.BusinessName = "Cafe";
        context.BusinessNumber = "12 345";
        context.DocumentPath = "/books/Wattle Lane.kqk";
        context.PrintedText = "11/12/2026 10:00:00";
        context.ReadOption = [](int) { return true; };
        context.Preview = [this](QWidget*, const TReport& report, const QPageLayout& page) {
            Previewed = report;
            PreviewPage = page;
        };
        context.Print = [this](QWidget*, const TReport& report, const QPageLayout&, int copies) {
            Printed = report;
            Copies = copies;
            return true;
        };
        return context;
    }

    std::optional<TReport> Previewed;
    std::optional<TReport> Printed;
    QPageLayout PreviewPage;
    int Copies = 0;
};

TEST_F(PrintScreenDialogTest, PrintIsEnabledWithRowsAndAsksThePrintingPassword) {
    QAbstractButton* print = Window->findChild<QAbstractButton*>(QStringLiteral("PrintBtn"));
    ASSERT_TRUE(print);
    EXPECT_FALSE(print->isEnabled());
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 100, 7, [](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectPrint = 1;
    })));
    EXPECT_TRUE(print->isEnabled());
    Questions.PasswordAccepted = false;
    EXPECT_FALSE(OpensAWindow([this] { EXPECT_FALSE(Window->PrintCommand()); }));
    EXPECT_EQ(Questions.PasswordQuestions, 1);
    bool opened = false;

    Questions.PasswordAccepted = true;
    WhenModal<TPrintScreenDialog>([&](TPrintScreenDialog& dialog) {
        opened = true;
        dialog.CloseBtn->click();
    });
    print->click();
    EXPECT_TRUE(opened);
}

TEST_F(PrintScreenDialogTest, TheTabIsPreviewedWithItsTitlesOnTheChosenPage) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 100)));
    TPrintScreenDialog dialog(Context());
    EXPECT_EQ(dialog.TitleEdit->text(), "Print Screen - All Transactions - Cafe, 12 345");
    EXPECT_EQ(dialog.FileEdit->text(), "Filename - Wattle Lane");
    EXPECT_TRUE(dialog.InfoMemo->toPlainText().contains("All Accounts"));
    EXPECT_EQ(dialog.CopiesBox->value(), 1);

    dialog.TitleEdit->setText(QStringLiteral("The year"));
    QTest::mouseClick(dialog.LandscapeBtn, Qt::LeftButton);
    QTest::mouseClick(dialog.PreviewBtn, Qt::LeftButton);
    ASSERT_TRUE(Previewed);
    EXPECT_EQ(Previewed->Title, "The year");
    EXPECT_EQ(PreviewPage.orientation(), QPageLayout::Landscape);
    // The columns share the landscape page's printable width.
    double width = 0;
    for (const TReportColumn& column : Previewed->Tables.at(0).Columns)
        width += column.WidthMm;
    EXPECT_NEAR(width, PreviewPage.paintRect(QPageLayout::Millimeter).width(), 0.01);

    dialog.CopiesBox->setValue(2);
    QTest::mouseClick(dialog.PrintBtn, Qt::LeftButton);
    ASSERT_TRUE(Printed);
    EXPECT_EQ(Copies, 2);
}

TEST_F(PrintScreenDialogTest, PaperTooNarrowForTheColumnsIsToldAndPrintedAllTheSame) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 100)));
    TPrintScreenDialog dialog(Context());
    const int columns = PrintScreenColumnCount(Window->Worksheet());
    ASSERT_GT(columns * 25, 210) << "the Transactions tab needs more than A4 portrait";
    QTest::mouseClick(dialog.PreviewBtn, Qt::LeftButton);
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_NE(Prompts.Messages[0].Text.find("Some data in this report may not be visible"), std::string::npos);
    EXPECT_TRUE(Previewed);

    // The Quick Summary's few columns fit.
    Prompts.Messages.clear();
    Window->Worksheet().SwitchView(ViewSummary);
    TPrintScreenDialog summary(Context());
    QTest::mouseClick(summary.PreviewBtn, Qt::LeftButton);
    EXPECT_TRUE(Prompts.Messages.empty());
}

} // namespace
} // namespace qz::gui::test
