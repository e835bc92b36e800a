#include "PrintPreview.h"

#include "platform/TextCodec.h"

#include "controls/HelpContext.h"
#include "platform/Prompts.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

// The screen shows a page at 100 percent at this many dots to the inch.
constexpr double ScreenDpi = 96;

QPushButton* ToolButton(const QString& text, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TQRSpecPreview* OpenPreview(const TReport& report, const QPageLayout& layout, Prompts& ask, QWidget* parent,
                            std::function<void(int topic)> showHelp) {
    TPreviewServices services;
    services.Ask = &ask;
    services.ShowHelp = std::move(showHelp);
    auto* preview = new TQRSpecPreview(report, layout, std::move(services), parent);
    preview->show();
    // The keys (Page Up, Escape...) go to the preview at once, not to the window that opened it.
    preview->raise();
    preview->activateWindow();
    return preview;
}

bool PrintDirect(const TReport& report, const QPageLayout& layout, int copies, Prompts& ask) {
    if (!DefaultPrinterCheck(ask))
        return false;
    const TReportPainter pages(report, layout);
    if (PrintOnDefaultPrinter(report, layout, {1, pages.PageCount(), std::max(1, copies)}))
        return true;
    ask.MessageBox("The report could not be printed.", MsgKind::Error, MsgButtons::Ok);
    return false;
}

bool PrintOnDefaultPrinter(const TReport& report, const QPageLayout& layout, const TPrintRange& range) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printer.setPageLayout(layout)) {
        // The printer cannot print as near the edge as asked: its paper and orientation as chosen,
        // each margin at least as wide as the printer needs.
        printer.setPageSize(layout.pageSize());
        printer.setPageOrientation(layout.orientation());
        QPageLayout least = printer.pageLayout();
        least.setUnits(QPageLayout::Millimeter);
        const QMarginsF wanted = layout.margins(QPageLayout::Millimeter);
        const QMarginsF minimum = least.minimumMargins();
        printer.setPageMargins(QMarginsF(std::max(wanted.left(), minimum.left()), std::max(wanted.top(), minimum.top()),
                                         std::max(wanted.right(), minimum.right()),
                                         std::max(wanted.bottom(), minimum.bottom())),
                               QPageLayout::Millimeter);
    }
    printer.setCopyCount(range.Copies);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(range.FirstPage, range.LastPage);
    return PrintReport(report, printer);
}

TQRSpecPreview::TQRSpecPreview(const TReport& report, const QPageLayout& layout, TPreviewServices services,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), Pages(report, layout), Services(std::move(services)) {
    setWindowTitle(QStringLiteral("Print Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (!Services.PrintRange)
        Services.PrintRange = [this](int pageCount, TPrintRange& range) {
            TPrintDlg dialog(pageCount, this, Services.ShowHelp);
            if (dialog.exec() != QDialog::Accepted)
                return false;
            range = dialog.Range();
            return true;
        };
    if (!Services.Printer)
        Services.Printer = [] { return CurrentDefaultPrinter(); };
    if (!Services.Print)
        Services.Print = PrintOnDefaultPrinter;
    if (!Services.SaveDialog)
        Services.SaveDialog = [this](const TFileDialogRequest& request) {
            QFileDialog dialog(this, request.Title, request.Folder);
            dialog.setNameFilters(request.Filters);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(QStringLiteral("pdf"));
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return QString();
            return dialog.selectedFiles().constFirst();
        };

    Scroller = new QScrollArea(this);
    Scroller->setAlignment(Qt::AlignCenter);
    Scroller->setBackgroundRole(QPalette::Dark);
    // The window keeps the keys: the scroll area would take Page Up and Page Down for scrolling.
    Scroller->setFocusPolicy(Qt::NoFocus);
    PageLabel = new QLabel(Scroller);
    PageLabel->installEventFilter(this);
    Scroller->setWidget(PageLabel);
    StatusLabel = new QLabel(QStringLiteral("Working..."), this);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    layoutBox->setSpacing(0);
    layoutBox->addWidget(MakeToolBar());
    layoutBox->addWidget(Scroller, 1);
    layoutBox->addWidget(StatusLabel);
    resize(760, 820);
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    SetHelpContext(this, HelpTopic);
    UpdateButtons();
    // The first page is drawn once the window has its size, after the events of its opening.
    QTimer::singleShot(0, this, [this] {
        Ready = true;
        ZoomTo(Zoom);
    });
}

QWidget* TQRSpecPreview::MakeToolBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    FirstBtn = ToolButton(QStringLiteral("|<"), QStringLiteral("First page"), bar);
    PriorBtn = ToolButton(QStringLiteral("<"), QStringLiteral("Previous page"), bar);
    NextBtn = ToolButton(QStringLiteral(">"), QStringLiteral("Next page"), bar);
    LastBtn = ToolButton(QStringLiteral(">|"), QStringLiteral("Last page"), bar);
    ZoomWidthBtn = ToolButton(QStringLiteral("Zoom to Width"), QStringLiteral("Zoom to Width"), bar);
    Zoom100Btn = ToolButton(QStringLiteral("Zoom to 100%"), QStringLiteral("Zoom to 100%"), bar);
    ZoomFitBtn = ToolButton(QStringLiteral("Zoom to Fit"), QStringLiteral("Zoom to Fit"), bar);
    PrintBtn = ToolButton(QStringLiteral("&Print"), QStringLiteral("Print"), bar);
    SavePdfBtn = ToolButton(QStringLiteral("Save as PDF..."), QStringLiteral("Save as PDF"), bar);
    CloseBtn = ToolButton(QStringLiteral("&Close"), QStringLiteral("Close"), bar);
    HelpBtn = ToolButton(QStringLiteral("&Help"), QStringLiteral("Help"), bar);
    for (QPushButton* button : {FirstBtn, PriorBtn, NextBtn, LastBtn})
        button->setFixedWidth(32);
    for (QPushButton* button :
         {FirstBtn, PriorBtn, NextBtn, LastBtn, ZoomWidthBtn, Zoom100Btn, ZoomFitBtn, PrintBtn, SavePdfBtn})
        row->addWidget(button);
    // Close and Help keep to the right end however wide the window.
    row->addStretch(1);
    row->addWidget(CloseBtn);
    row->addWidget(HelpBtn);
    connect(FirstBtn, &QPushButton::clicked, this, [this] { GoToPage(1); });
    connect(PriorBtn, &QPushButton::clicked, this, [this] { GoToPage(Current - 1); });
    connect(NextBtn, &QPushButton::clicked, this, [this] { GoToPage(Current + 1); });
    connect(LastBtn, &QPushButton::clicked, this, [this] { GoToPage(PageCount()); });
    connect(ZoomWidthBtn, &QPushButton::clicked, this, [this] { ZoomTo(TZoom::Width); });
    connect(Zoom100Btn, &QPushButton::clicked, this, [this] { ZoomTo(TZoom::Actual); });
    connect(ZoomFitBtn, &QPushButton::clicked, this, [this] { ZoomTo(TZoom::Fit); });
    connect(PrintBtn, &QPushButton::clicked, this, &TQRSpecPreview::PrintBtnClick);
    connect(SavePdfBtn, &QPushButton::clicked, this, &TQRSpecPreview::SavePdfBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Services.ShowHelp)
            Services.ShowHelp(HelpTopic);
    });
    return bar;
}

double TQRSpecPreview::FitPercent(bool widthOnly) const {
    const QSizeF paper = Pages.Layout().fullRect(QPageLayout::Inch).size() * ScreenDpi;
    // Zoomed to the width, the page runs down past the window: leave room for the scroll bar.
    const int scrollBar = widthOnly ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const QSize room = Scroller->size() - QSize(16 + scrollBar, 16);
    const double across = room.width() / paper.width();
    const double down = room.height() / paper.height();
    return std::max(5.0, 100 * (widthOnly ? across : std::min(across, down)));
}

void TQRSpecPreview::ZoomTo(TZoom zoom) {
    Zoom = zoom;
    if (zoom == TZoom::Actual)
        Percent = 100;
    else if (zoom != TZoom::Percent)
        Percent = FitPercent(zoom == TZoom::Width);
    ShowPage();
}

void TQRSpecPreview::GoToPage(int page) {
    Current = std::clamp(page, 1, PageCount());
    ShowPage();
}

void TQRSpecPreview::ShowPage() {
    const QImage image = Pages.PageImage(Current - 1, ScreenDpi * Percent / 100);
    PageLabel->setPixmap(QPixmap::fromImage(image));
    PageLabel->resize(image.size());
    StatusLabel->setText(QStringLiteral("Page %1 of %2").arg(Current).arg(PageCount()));
    UpdateButtons();
}

QPixmap TQRSpecPreview::ShownPage() const {
    return PageLabel->pixmap();
}

void TQRSpecPreview::UpdateButtons() {
    FirstBtn->setEnabled(Current > 1);
    PriorBtn->setEnabled(Current > 1);
    NextBtn->setEnabled(Current < PageCount());
    LastBtn->setEnabled(Current < PageCount());
}

void TQRSpecPreview::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_PageUp:
        GoToPage(control ? 1 : Current - 1);
        return;
    case Qt::Key_PageDown:
        GoToPage(control ? PageCount() : Current + 1);
        return;
    case Qt::Key_Home:
        GoToPage(1);
        return;
    case Qt::Key_End:
        GoToPage(PageCount());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TQRSpecPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (Ready && (Zoom == TZoom::Width || Zoom == TZoom::Fit))
        ZoomTo(Zoom);
}

bool TQRSpecPreview::eventFilter(QObject* watched, QEvent* event) {
    // A click on the page swaps between the whole page and its real size.
    if (watched == PageLabel && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ZoomTo(Percent >= 100 ? TZoom::Fit : TZoom::Actual);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TQRSpecPreview::PrintBtnClick() {
    if (!Services.Ask || !DefaultPrinterCheck(*Services.Ask, Services.Printer()))
        return;
    PrintBtn->setEnabled(false);
    CloseBtn->setEnabled(false);
    TPrintRange range;
    if (!Services.PrintRange(PageCount(), range)) {
        PrintBtn->setEnabled(true);
        CloseBtn->setEnabled(true);
        return;
    }
    // The printing waits until the click has been handled, then the preview closes.
    QTimer::singleShot(0, this, [this, range] { PrintPages(range); });
}

void TQRSpecPreview::PrintPages(const TPrintRange& range) {
    if (!Services.Print(Pages.Report(), Pages.Layout(), range) && Services.Ask)
        Services.Ask->MessageBox("The report could not be printed.", MsgKind::Error, MsgButtons::Ok);
    close();
}

void TQRSpecPreview::SavePdfBtnClick() {
    // The dialog starts in the user's documents, on the report's title as the file's name.
    QString name = FromDocument(Pages.Report().Title.empty() ? Pages.Report().Name : Pages.Report().Title);
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    const QString suggested =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/') + name + ".pdf";
    const QString path = Services.SaveDialog({QStringLiteral("Save as PDF"),
                                              suggested,
                                              {QStringLiteral("PDF files (*.pdf)"), QStringLiteral("All files (*)")}});
    if (path.isEmpty())
        return;
    if (!SavePdf(Pages.Report(), Pages.Layout(), path) && Services.Ask)
        Services.Ask->MessageBox("The report could not be saved as " + path.toStdString() + ".", MsgKind::Error,
                                 MsgButtons::Ok);
}

} // namespace qz::gui
