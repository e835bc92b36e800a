// The Reports dialog on a real document: the report list as the tax setting makes it, the check
// boxes each report uses, a run for the dialog's period with the worksheet's own figures back on
// closing, the subtitle under a selection and "&Clear Selection", the orientation turning the
// margins, printing with the copies, and the paper warning of the detailed tax report.

#include "reports/Reports.h"

#include "../editors/GeneratedBooksFixture.h"
#include "controls/DateBox.h"
#include "engine/Engine.h"
#include "platform/TextCodec.h"
#include "reports/AssetsReport.h"
#include "storage/OptionsFileOLE.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <optional>

namespace qz::gui::test {
namespace {

const TDateTime Today = EncodeDate(2026, 5, 4);

QDate CalendarDayOf(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return QDate(day.Year, day.Month, day.Day);
}

class ReportsTest : public GeneratedBooksFixture {
protected:
    ReportsTest() : GeneratedBooksFixture(Today) {}

    void OpenBooks(bool taxOn = true) {
        WriteBooks(15, 300, [&](TLedger&, TFileSettings& settings) {
            if (!taxOn)
                settings.TaxOn = 0;
        });
        // The worksheet's figures as the window shows them: with GST in the totals.
        Ledger.Switches.GstInTotals = true;
        Recalculate(Ledger);
    }

    TReportsContext Context() {
        TReportsContext context;
        context.Ledger = &Ledger;
        context.Settings = &Files.Settings;
        context.Formats = &Formats;
        context.Ask = &Prompts;
        context.Time = &Time;
        context.DocumentPath = Path;
        context.ReadOption = [this](int option) { return option == OptGSTinTotals ? GstInTotalsOption : true; };
        context.ClearSelections = [this] { ++Cleared; };
        context.Preview = [this](QWidget*, const TReport& report, const QPageLayout& page) {
            Previewed = report;
            PreviewPage = page;
            // The run's period holds while its preview is open.
            PeriodDuringPreview = {Ledger.TransList.DateFrom, Ledger.TransList.DateTo};
        };
        context.Print = [this](QWidget*, const TReport& report, const QPageLayout&, int copies) {
            Printed = report;
            PrintedCopies = copies;
            return true;
        };
        context.Page = &Page;
        context.PageSetup = [this](QWidget*, TSpecPageSetup& page) { return PageSetupAnswer(page); };
        return context;
    }

    static QStringList ListTexts(const TReports& dialog) {
        QStringList texts;
        for (int row = 0; row < dialog.ReportListBox->count(); ++row)
            texts << dialog.ReportListBox->item(row)->text();
        return texts;
    }

    static const TReportLine* LineLabelled(const TReport& report, const std::string& label) {
        for (const TReportLine& line : report.Lines)
            if (line.Label == label)
                return &line;
        return nullptr;
    }

    bool GstInTotalsOption = true;
    TSpecPageSetup Page;
    std::function<bool(TSpecPageSetup&)> PageSetupAnswer = [](TSpecPageSetup&) { return false; };
    int Cleared = 0;
    std::optional<TReport> Previewed;
    std::optional<TReport> Printed;
    QPageLayout PreviewPage;
    int PrintedCopies = 0;
    std::pair<TDateTime, TDateTime> PeriodDuringPreview;
};

TEST_F(ReportsTest, TheListFollowsTheTaxSettingAndEachReportItsCheckBoxes) {
    OpenBooks(true);
    TReports dialog(Context());
    EXPECT_EQ(ListTexts(dialog),
              (QStringList{"Cash Flow Statement - Basic", "Cash Flow Statement - Detailed", "GST Report - Basic",
                           "GST Report - Detailed", "Assets Purchased & Sold - Basic",
                           "Assets Purchased & Sold - Detailed"}));
    EXPECT_EQ(dialog.ReportListBox->currentRow(), 0);
    EXPECT_EQ(dialog.DescMemo->toPlainText(), "Cash Flow Statement based on Category Types and Categories.");
    for (int row = 0; row < dialog.ReportListBox->count(); ++row)
        EXPECT_TRUE(dialog.ReportListBox->item(row)->flags() & Qt::ItemIsEnabled) << row;

    // "Sort by Category Numbers" follows "Show Category Numbers", and loses its tick with it.
    EXPECT_FALSE(dialog.SortActCheck->isEnabled());
    dialog.ShowActCheck->setChecked(true);
    EXPECT_TRUE(dialog.SortActCheck->isEnabled());
    dialog.SortActCheck->setChecked(true);
    dialog.ShowActCheck->setChecked(false);
    EXPECT_FALSE(dialog.SortActCheck->isEnabled());
    EXPECT_FALSE(dialog.SortActCheck->isChecked());

    // The tax reports take none of the three.
    dialog.ReportListBox->setCurrentRow(3);
    EXPECT_EQ(dialog.DescMemo->toPlainText(), "GST report that includes a complete summary of all GST Transactions.");
    EXPECT_FALSE(dialog.ShowZeroCheck->isEnabled());
    EXPECT_FALSE(dialog.ShowActCheck->isEnabled());
    // The assets reports take all three, as the cash flow does.
    dialog.ReportListBox->setCurrentRow(5);
    EXPECT_EQ(dialog.DescMemo->toPlainText(), "Lists and totals asset purchases and asset sales, showing Category "
                                              "Types, Categories and Sub Categories.");
    EXPECT_TRUE(dialog.ShowZeroCheck->isEnabled());
    EXPECT_TRUE(dialog.ShowActCheck->isEnabled());
}

TEST_F(ReportsTest, WithoutTaxTheTaxReportsAreNotListed) {
    OpenBooks(false);
    TReports dialog(Context());
    EXPECT_EQ(ListTexts(dialog),
              (QStringList{"Cash Flow Statement - Basic", "Cash Flow Statement - Detailed",
                           "Assets Purchased & Sold - Basic", "Assets Purchased & Sold - Detailed"}));
}

TEST_F(ReportsTest, ARunTakesTheDialogsPeriodWithoutTaxAndClosingPutsTheWorksheetBack) {
    OpenBooks();
    const TDateTime worksheetFrom = Ledger.TransList.DateFrom;
    const TDateTime worksheetTo = Ledger.TransList.DateTo;
    const Money creditTotal = Ledger.MainActList.CreditTotal;
    const TDateTime from = EncodeDate(2026, 2, 1);
    const TDateTime to = EncodeDate(2026, 2, 28);
    const auto runFebruary = [&] {
        TReports dialog(Context());
        dialog.LoDateBtn->SetDate(CalendarDayOf(from));
        dialog.HiDateBtn->SetDate(CalendarDayOf(to));
        dialog.LoDateBtn->OnDatePicked();
        EXPECT_EQ(dialog.DescEdit->text(), "01/02/2026 Through 28/02/2026");
        dialog.DescEdit->setText(QStringLiteral("February"));
        QTest::mouseClick(dialog.PreviewBtn, Qt::LeftButton);
        EXPECT_EQ(PeriodDuringPreview, std::make_pair(from, to));
        // After the run the switch is the option's again; the period stays the dialog's.
        EXPECT_EQ(Ledger.Switches.GstInTotals, GstInTotalsOption);
        EXPECT_EQ(Ledger.TransList.DateFrom, from);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.TotalsChanged());
        EXPECT_EQ(Ledger.TransList.DateFrom, worksheetFrom);
        EXPECT_EQ(Ledger.TransList.DateTo, worksheetTo);
    };

    runFebruary();
    ASSERT_TRUE(Previewed);
    EXPECT_EQ(Previewed->Subtitle, "February");
    EXPECT_NE(Previewed->Title.find("Cash Flow Statement"), std::string::npos);
    EXPECT_EQ(Ledger.MainActList.CreditTotal, creditTotal);
    const TReportLine* withTaxInTotals = LineLabelled(*Previewed, "TOTAL CREDITS");
    ASSERT_TRUE(withTaxInTotals);
    const std::string totalCredits = withTaxInTotals->Amount;

    // The same run while the worksheet shows amounts without tax gives the same figures.
    GstInTotalsOption = false;
    Ledger.Switches.GstInTotals = false;
    Recalculate(Ledger);
    ASSERT_NE(Ledger.MainActList.CreditTotal, creditTotal) << "the books carry no tax to leave out";
    runFebruary();
    const TReportLine* withoutTax = LineLabelled(*Previewed, "TOTAL CREDITS");
    ASSERT_TRUE(withoutTax);
    EXPECT_EQ(withoutTax->Amount, totalCredits);
}

TEST_F(ReportsTest, ASelectionIsToldInTheSubtitleUntilItIsCleared) {
    OpenBooks();
    Ledger.Switches.SearchActive = true;
    TReports dialog(Context());
    EXPECT_FALSE(dialog.SelPanel->isHidden());
    EXPECT_TRUE(dialog.DescEdit->text().startsWith("Selected Transactions - "))
        << dialog.DescEdit->text().toStdString();

    QTest::mouseClick(dialog.ClearSelBtn, Qt::LeftButton);
    EXPECT_EQ(Cleared, 1);
    EXPECT_TRUE(dialog.SelPanel->isHidden());
    EXPECT_FALSE(dialog.DescEdit->text().startsWith("Selected"));
}

TEST_F(ReportsTest, LandscapeTurnsTheMarginsWithThePaper) {
    OpenBooks();
    Page.Margins = {10, 20, 30, 40}; // left, right, top, bottom
    TReports dialog(Context());
    EXPECT_TRUE(dialog.PortBtn->isChecked());
    QTest::mouseClick(dialog.LandBtn, Qt::LeftButton);
    QTest::mouseClick(dialog.PreviewBtn, Qt::LeftButton);
    ASSERT_TRUE(Previewed);
    EXPECT_EQ(PreviewPage.orientation(), QPageLayout::Landscape);
    // Left 40, right 30, top 10, bottom 20.
    EXPECT_EQ(PreviewPage.margins(QPageLayout::Millimeter), QMarginsF(40, 10, 30, 20)); // left, top, right, bottom
    // The page setup keeps the turned page; portrait again, the margins are as they were.
    EXPECT_EQ(Page.PaperOrientation, TPaperOrientation::Landscape);
    QTest::mouseClick(dialog.PortBtn, Qt::LeftButton);
    EXPECT_EQ(Page.Margins, (TPageMargins{10, 20, 30, 40}));

    // The page setup opens on the orientation the buttons show, and its choice presses the button.
    TPaperOrientation shown = TPaperOrientation::Landscape;
    PageSetupAnswer = [&](TSpecPageSetup& page) {
        shown = page.PaperOrientation;
        page.PageLayout(TPaperOrientation::Landscape);
        return true;
    };
    QTest::mouseClick(dialog.MarginsBtn, Qt::LeftButton);
    EXPECT_EQ(shown, TPaperOrientation::Portrait);
    EXPECT_TRUE(dialog.LandBtn->isChecked());
    EXPECT_EQ(Page.Margins, (TPageMargins{40, 30, 10, 20}));
}

TEST_F(ReportsTest, PrintReportPrintsTheCopiesAndTheNarrowPaperIsToldForTheDetailedTaxReport) {
    OpenBooks();
    Page.Paper = QPageSize(QPageSize::A5);
    TReports dialog(Context());
    dialog.CopiesBox->setValue(3);
    dialog.ReportListBox->setCurrentRow(3);
    QTest::mouseClick(dialog.PrintBtn, Qt::LeftButton);
    ASSERT_TRUE(Printed);
    EXPECT_EQ(PrintedCopies, 3);
    EXPECT_EQ(Printed->Name, "gst");
    ASSERT_FALSE(Prompts.Messages.empty());
    EXPECT_NE(Prompts.Messages.front().Text.find("may not be wide enough"), std::string::npos);

    // A4 is wide enough.
    Prompts.Messages.clear();
    Page.Paper = QPageSize(QPageSize::A4);
    TReports wide(Context());
    wide.ReportListBox->setCurrentRow(3);
    QTest::mouseClick(wide.PreviewBtn, Qt::LeftButton);
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(ReportsTest, AssetsReportRunsForTheDialogsPeriodWithoutTaxAndPrints) {
    OpenBooks();
    // The year of the books, less its first month.
    TReports dialog(Context());
    dialog.LoDateBtn->SetDate(CalendarDayOf(Ledger.TransList.DateFrom + 31));
    const auto dayOf = [](QDate date) { return EncodeDate(date.year(), date.month(), date.day()); };
    const TDateTime from = dayOf(dialog.LoDateBtn->date());
    const TDateTime to = dayOf(dialog.HiDateBtn->date());
    dialog.ReportListBox->setCurrentRow(5);
    dialog.ShowActCheck->setChecked(true);
    QTest::mouseClick(dialog.PreviewBtn, Qt::LeftButton);
    ASSERT_TRUE(Previewed);
    EXPECT_EQ(Previewed->Name, "assets");
    EXPECT_TRUE(Previewed->FooterShowsPageCount);
    EXPECT_EQ(Previewed->Title.rfind("Assets Purchased and Sold", 0), 0u) << Previewed->Title;
    dialog.CopiesBox->setValue(2);
    QTest::mouseClick(dialog.PrintBtn, Qt::LeftButton);
    ASSERT_TRUE(Printed);
    EXPECT_EQ(Printed->Name, "assets");
    EXPECT_EQ(PrintedCopies, 2);

    // The figures are the core's for that period without tax; the books bought and sold equipment in it.
    TAssetsFigures figures;
    {
        const TReportRun run(Ledger, from, to, GstInTotalsOption);
        figures = AssetsFigures(Ledger);
    }
    ASSERT_FALSE(figures.TotalAssetValue.IsZero()) << "no assets in the period";
    for (const auto& [label, amount] : {std::pair{"TOTAL ASSET VALUE", figures.TotalAssetValue},
                                        {"TOTAL FUNDS", figures.TotalFunds},
                                        {"TOTAL ACTUAL FUNDS", figures.TotalActualFunds}}) {
        const TReportLine* line = LineLabelled(*Previewed, label);
        ASSERT_TRUE(line) << label;
        EXPECT_EQ(line->Amount, Formats.MoneyText(amount)) << label;
    }
    // The detailed report lists sub categories, shown with their numbers as the box is ticked.
    EXPECT_TRUE(std::any_of(Previewed->Lines.begin(), Previewed->Lines.end(), [](const TReportLine& line) {
        return line.Indent1 == 10 && line.Label.find('-') != std::string::npos;
    }));
}

TEST_F(ReportsTest, ResetDatesTakesTheFirstAndLastTransaction) {
    OpenBooks();
    TReports dialog(Context());
    dialog.LoDateBtn->SetDate(QDate(2026, 3, 1));
    QTest::mouseClick(dialog.ResetDatesBtn, Qt::LeftButton);
    EXPECT_EQ(dialog.LoDateBtn->date(), CalendarDayOf(Ledger.TransList.Items(0)->Date));
    EXPECT_EQ(dialog.HiDateBtn->date(), CalendarDayOf(Ledger.TransList.Items(Ledger.TransList.Count() - 1)->Date));
}

} // namespace
} // namespace qz::gui::test
