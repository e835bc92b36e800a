#pragma once
// The print preview window: one page of a report at a time, zoomed, with printing and saving as
// PDF. It is not modal and frees itself when closed.

#include "PrintDlg.h"
#include "ReportPainter.h"
#include "platform/FileDialogs.h"
#include "reports/PrinterCheck.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace qz {
class Prompts;
}

namespace qz::gui {

// The window's outside world; the program passes the real dialogs, the tests scripted ones.
struct TPreviewServices {
    Prompts* Ask = nullptr;
    // The save dialog for "Save as PDF..."; an empty answer cancels.
    std::function<QString(const TFileDialogRequest&)> SaveDialog;
    // The print-range dialog; the real one when not given.
    std::function<bool(int pageCount, TPrintRange& range)> PrintRange;
    // The printers; the machine's own when not given.
    std::function<TDefaultPrinter()> Printer;
    // The printing itself; the default printer when not given.
    std::function<bool(const TReport&, const QPageLayout&, const TPrintRange&)> Print;
    // The help on a topic; no help when not given.
    std::function<void(int topic)> ShowHelp;
};

class TQRSpecPreview : public QWidget {
    Q_OBJECT
public:
    enum class TZoom { Width, Actual, Fit, Percent };

    static constexpr int HelpTopic = 17000;

    // The window shows "Working..." until the first page is ready, once events are processed.
    TQRSpecPreview(const TReport& report, const QPageLayout& layout, TPreviewServices services,
                   QWidget* parent = nullptr);

    int CurrentPage() const { return Current; } // from 1
    int PageCount() const { return Pages.PageCount(); }
    double ZoomPercent() const { return Percent; }
    // The page as it is shown now.
    QPixmap ShownPage() const;

    void GoToPage(int page);
    void ZoomTo(TZoom zoom);
    void PrintBtnClick();
    void SavePdfBtnClick();

    QPushButton* FirstBtn = nullptr;
    QPushButton* PriorBtn = nullptr;
    QPushButton* NextBtn = nullptr;
    QPushButton* LastBtn = nullptr;
    QPushButton* ZoomWidthBtn = nullptr;
    QPushButton* Zoom100Btn = nullptr;
    QPushButton* ZoomFitBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* SavePdfBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QLabel* StatusLabel = nullptr;
    QLabel* PageLabel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeToolBar();
    void ShowPage();
    void UpdateButtons();
    double FitPercent(bool widthOnly) const;
    void PrintPages(const TPrintRange& range);

    TReportPainter Pages;
    TPreviewServices Services;
    QScrollArea* Scroller = nullptr;
    bool Ready = false; // the first page has been drawn
    int Current = 1;
    TZoom Zoom = TZoom::Fit;
    double Percent = 100;
};

// Opens the preview window on a report and shows it; the window deletes itself when closed (its
// destroyed() signal ends the run that opened it). `ask` must outlive the window; `showHelp`
// answers its "&Help".
TQRSpecPreview* OpenPreview(const TReport& report, const QPageLayout& layout, Prompts& ask, QWidget* parent = nullptr,
                            std::function<void(int topic)> showHelp = {});
// Prints pages of a report on the default printer with `layout`; false when printing failed.
bool PrintOnDefaultPrinter(const TReport& report, const QPageLayout& layout, const TPrintRange& range);
// Prints the whole report `copies` times on the default printer, after the default printer
// check; the user is told when there is no printer or the printing failed.
bool PrintDirect(const TReport& report, const QPageLayout& layout, int copies, Prompts& ask);

} // namespace qz::gui
