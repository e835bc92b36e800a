#pragma once
// TReports, the Reports dialog: the period, one of the printed reports, its options, copies and
// subtitle, then a preview or a print. A run lays the report out from the books prepared for it
// (the period applied, amounts without tax; TReportRun) and hands the lines to the preview or
// the printer. The period stays the dialog's until it closes; closing puts the worksheet's own
// date range back. The figures and the report list are the core's; this window shows them.

#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "reports/PageSetup.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportLines.h"
#include "reports/ReportRun.h"
#include "storage/FileOLE.h"

#include <QDialog>
#include <QPageLayout>
#include <QPoint>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace qz::gui {

class TDateBox;

// The dialog's outside world; the program passes the real windows, the tests scripted ones.
struct TReportsContext {
    TLedger* Ledger = nullptr;
    const TFileSettings* Settings = nullptr;
    const TDisplayFormats* Formats = nullptr;
    Prompts* Ask = nullptr;
    const Clock* Time = nullptr;
    std::string DocumentPath;
    // The options store's boolean options (OptGSTinTotals, OptPrintFilename...).
    std::function<bool(int option)> ReadOption;
    // The main window's reset of every selection (the date range stays).
    std::function<void()> ClearSelections;
    std::function<void(int topic)> ShowHelp;
    // The month selector opened with its top left at `at`; false when cancelled.
    std::function<bool(QPoint at, TDateTime& from, TDateTime& to)> PickMonths;
    // The page setup dialog on `page`; false when cancelled. Its own Execute when not given.
    std::function<bool(QWidget* parent, TSpecPageSetup& page)> PageSetup;
    // The preview of a laid-out report; returns when the preview closes.
    std::function<void(QWidget* parent, const TReport& report, const QPageLayout& page)> Preview;
    // Prints `copies` of a report straight away; false when it was not printed.
    std::function<bool(QWidget* parent, const TReport& report, const QPageLayout& page, int copies)> Print;
    // The page setup of the reports: paper, orientation, margins and printer, kept by the main
    // window between uses of the dialog; the dialog's own when null.
    TSpecPageSetup* Page = nullptr;
};

class TReports : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 18000;

    explicit TReports(TReportsContext context, QWidget* parent = nullptr);
    ~TReports() override;

    // Shows the dialog modally. True when the books' totals were changed while it was open and
    // put back on closing (the caller refreshes the worksheet).
    static bool OpenReports(QWidget* parent, const TReportsContext& context);

    // The report of `entry` laid out for the dialog's period and options; the books are
    // prepared for it and put back, all but the period, which stays until the dialog closes.
    TReport LayOut(const TReportEntry& entry);
    const std::vector<TReportEntry>& Entries() const { return Catalogue; }
    const TSpecPageSetup& Page() const { return *PageSetupOf; }
    // The page a run lays the report out on.
    QPageLayout RunPage() const { return PageSetupOf->PageLayout(); }
    bool TotalsChanged() const { return PeriodApplied; }

    TDateBox* LoDateBtn = nullptr;
    TDateBox* HiDateBtn = nullptr;
    QToolButton* MonthSelBtn = nullptr;
    QPushButton* ResetDatesBtn = nullptr;
    QListWidget* ReportListBox = nullptr;
    QPlainTextEdit* DescMemo = nullptr;
    QRadioButton* PortBtn = nullptr;
    QRadioButton* LandBtn = nullptr;
    QCheckBox* ShowZeroCheck = nullptr;
    QCheckBox* ShowActCheck = nullptr;
    QCheckBox* SortActCheck = nullptr;
    QSpinBox* CopiesBox = nullptr;
    QLineEdit* DescEdit = nullptr;
    QFrame* SelPanel = nullptr;
    QPushButton* ClearSelBtn = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* MarginsBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

public slots:
    // "Pre&view Report" (false), "&Print Report" (true), and a double click in the list.
    void PreviewBtnClick(bool print = false);
    void ResetDatesBtnClick();
    void MonthSelBtnClick();
    void ClearSelBtnClick();
    void MarginsBtnClick();
    void CloseBtnClick();

protected:
    void reject() override;

private:
    void CreateControls();
    void FillReportList();
    void ReportChosen();
    void UpdateChecks();
    // An orientation button pressed: the page turns, and its margins with it.
    void OrientationClick(bool landscape);
    void UpdateSubTitle();
    TDateTime FromDate() const;
    TDateTime ToDate() const;

    TReportsContext Ctx;
    std::vector<TReportEntry> Catalogue;
    TSpecPageSetup OwnPage;
    TSpecPageSetup* PageSetupOf = nullptr;
    // The worksheet's own date range, put back on closing.
    TWorksheetPeriod Saved;
    bool PeriodApplied = false;
    bool Running = false;
    bool Closed = false;
};

} // namespace qz::gui
