#include "ChartWindow.h"

#include "ChartHint.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"
#include "reports/CashFlowSeries.h"
#include "reports/PageSetup.h"

#include <QAction>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qz::gui {

QFont ChartPageFont(const QPaintDevice* device, double points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points * 72.0 / device->logicalDpiY());
    font.setBold(bold);
    return font;
}

double PaintChartTitleBand(QPainter& painter, double width, const TChartPageTexts& texts, bool titles) {
    const QFont small = ChartPageFont(painter.device(), 8);
    const QFont titleFont = ChartPageFont(painter.device(), 14, true);
    const QFont subFont = ChartPageFont(painter.device(), 11);
    painter.setPen(Qt::black);
    double top = 0;
    painter.setFont(small);
    const double smallHeight = QFontMetricsF(small, painter.device()).height();
    painter.drawText(QRectF(0, 0, width, smallHeight), Qt::AlignLeft | Qt::AlignVCenter, texts.FileLine);
    painter.drawText(QRectF(0, 0, width, smallHeight), Qt::AlignRight | Qt::AlignVCenter, texts.PrintedLine);
    top += smallHeight + 6;
    if (!titles)
        return top;
    painter.setFont(titleFont);
    const double titleHeight = QFontMetricsF(titleFont, painter.device()).height();
    painter.drawText(QRectF(0, top, width, titleHeight), Qt::AlignCenter, texts.Title);
    top += titleHeight;
    if (!texts.Subtitle.isEmpty()) {
        painter.setFont(subFont);
        const double subHeight = QFontMetricsF(subFont, painter.device()).height();
        painter.drawText(QRectF(0, top, width, subHeight), Qt::AlignCenter, texts.Subtitle);
        top += subHeight;
    }
    return top + 6;
}

void RenderChartInto(QChart& chart, QPainter& painter, const QRectF& target, bool background) {
    const QBrush screenBackground = chart.backgroundBrush();
    const QString screenTitle = chart.title();
    const bool shadow = chart.isDropShadowEnabled();
    chart.setTitle(QString());
    chart.setDropShadowEnabled(false);
    if (!background)
        chart.setBackgroundBrush(Qt::white);
    // The chart is laid out at the page's proportions, then drawn into the page.
    const QSizeF screenSize = chart.size();
    const QSizeF pageSize(target.width() * 1.5, target.height() * 1.5);
    chart.resize(pageSize);
    QCoreApplication::sendPostedEvents();
    if (chart.scene())
        chart.scene()->render(&painter, target, QRectF(chart.pos(), pageSize), Qt::IgnoreAspectRatio);
    chart.resize(screenSize);
    chart.setBackgroundBrush(screenBackground);
    chart.setDropShadowEnabled(shadow);
    chart.setTitle(screenTitle);
    QCoreApplication::sendPostedEvents();
}

TChartMouseView::TChartMouseView(QChart* chart) : QChartView(chart) {
    setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
}

void TChartMouseView::mousePressEvent(QMouseEvent* event) {
    TChartHint::HideHint();
    Start = event->position();
    Last = Start;
    Button = event->button();
    event->accept();
}

void TChartMouseView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (Button == Qt::NoButton) {
        QColor colour;
        const QString hint = Hint ? Hint(at, &colour) : QString();
        if (hint.isEmpty())
            TChartHint::HideHint();
        else
            TChartHint::ShowAt(mapToGlobal(at.toPoint() + QPoint(0, HintDrop)), hint, colour);
        return;
    }
    const QPointF step = at - Last;
    Last = at;
    if (Button == Qt::RightButton) {
        chart()->scroll(-step.x(), step.y());
        if (Scrolled)
            Scrolled();
    } else if (Button == Qt::LeftButton && Rotating && Rotating()) {
        if (Rotate)
            Rotate(step.y() / 4, step.x() / 4);
    }
}

void TChartMouseView::mouseReleaseEvent(QMouseEvent* event) {
    if (Button == Qt::LeftButton && !(Rotating && Rotating())) {
        const QRectF rect = QRectF(Start, event->position()).normalized();
        if (Unzoom && event->position().x() < Start.x() - 4)
            Unzoom();
        else if (rect.width() > 4 && rect.height() > 4 && Zoom)
            Zoom(rect);
    }
    Button = Qt::NoButton;
}

void TChartMouseView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    if (Resized)
        Resized();
}

void TChartMouseView::leaveEvent(QEvent*) {
    TChartHint::HideHint();
}

void SetMoneyAxis(QCategoryAxis& axis, double low, double high, const TDisplayFormats& formats) {
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    axis.setRange(low, high > low ? high : low + 1);
    axis.applyNiceNumbers();
    for (const QString& label : axis.categoriesLabels())
        axis.remove(label);
    const int ticks = std::max(2, axis.tickCount());
    const double first = axis.min();
    const double span = axis.max() - first;
    for (int tick = 0; tick < ticks; ++tick) {
        const double value = first + span * tick / (ticks - 1);
        axis.append(FromDocument(formats.MoneyText(Money::FromDouble(value))), value);
    }
}

std::optional<std::vector<bool>> ChartAccountClick(const TLedger& ledger, int index, bool ctrlHeld) {
    const std::vector<TBookRec*>& books = ledger.BookList.KeyList;
    if (index < 0 || static_cast<std::size_t>(index) >= books.size())
        return std::nullopt;
    std::vector<bool> pressed(books.size(), false);
    for (std::size_t i = 0; i < books.size(); ++i)
        pressed[i] = (ctrlHeld && books[i]->Selected) || static_cast<int>(i) == index;
    if (ctrlHeld && books[static_cast<std::size_t>(index)]->Selected) {
        pressed[static_cast<std::size_t>(index)] = false;
        if (std::none_of(pressed.begin(), pressed.end(), [](bool on) { return on; }))
            return std::nullopt;
    }
    return pressed;
}

namespace {

// Paints every page of the chart on a device that starts each page with `newPage`; false when
// a page left a part out.
bool PaintAllPages(TPrintableChart& chart, QPainter& painter, const QRectF& printable, const TChartPageTexts& texts,
                   const std::function<bool()>& newPage) {
    bool complete = true;
    const int pages = std::max(1, chart.PageCount(painter, printable));
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !newPage())
            return false;
        complete = chart.PaintChartPage(painter, printable, texts, index) && complete;
    }
    return complete;
}

// The "Print Chart" dialog: the page's orientation, background, copies and setup, its titles,
// and a preview, printing or a PDF of the page.
class TChartPrintWnd : public QDialog {
public:
    TChartPrintWnd(TPrintableChart& chart, const TChartContext& context)
        : QDialog(chart.ChartWindow()), Chart(chart), Ctx(context) {
        setObjectName(QStringLiteral("ChartPrintWnd"));
        setWindowTitle(QStringLiteral("Print Chart"));
        auto* tabs = new QTabWidget(this);
        auto* layoutPage = new QWidget(tabs);
        PortraitBtn = new QRadioButton(QStringLiteral("P&ortrait"), layoutPage);
        LandscapeBtn = new QRadioButton(QStringLiteral("&Landscape"), layoutPage);
        PortraitBtn->setChecked(true);
        BackgroundBox = new QCheckBox(QStringLiteral("Print Chart Backgroud"), layoutPage);
        CopiesBox = new QSpinBox(layoutPage);
        CopiesBox->setRange(1, 999);
        auto* setupBtn = new QPushButton(QStringLiteral("Print &Setup && Margins..."), layoutPage);
        auto* pageLayout = new QGridLayout(layoutPage);
        pageLayout->addWidget(PortraitBtn, 0, 0);
        pageLayout->addWidget(LandscapeBtn, 1, 0);
        pageLayout->addWidget(BackgroundBox, 2, 0, 1, 2);
        pageLayout->addWidget(new QLabel(QStringLiteral("Copies"), layoutPage), 3, 0);
        pageLayout->addWidget(CopiesBox, 3, 1);
        pageLayout->addWidget(setupBtn, 4, 0, 1, 2);
        tabs->addTab(layoutPage, QStringLiteral("L&ayout"));
        auto* titlesPage = new QWidget(tabs);
        TitleEdit = new QLineEdit(chart.DefaultPageTexts().Title, titlesPage);
        SubtitleEdit = new QLineEdit(titlesPage);
        auto* titlesLayout = new QGridLayout(titlesPage);
        titlesLayout->addWidget(new QLabel(QStringLiteral("Chart Title"), titlesPage), 0, 0);
        titlesLayout->addWidget(TitleEdit, 0, 1);
        titlesLayout->addWidget(new QLabel(QStringLiteral("Sub Title"), titlesPage), 1, 0);
        titlesLayout->addWidget(SubtitleEdit, 1, 1);
        tabs->addTab(titlesPage, QStringLiteral("&Titles"));

        auto* previewBtn = new QPushButton(QStringLiteral("P&rint Preview"), this);
        auto* printBtn = new QPushButton(QStringLiteral("&Print"), this);
        auto* pdfBtn = new QPushButton(QStringLiteral("Save as PDF..."), this);
        auto* closeBtn = new QPushButton(QStringLiteral("&Close"), this);
        auto* helpBtn = new QPushButton(QStringLiteral("&Help"), this);
        auto* buttons = new QHBoxLayout;
        for (QPushButton* button : {previewBtn, printBtn, pdfBtn, closeBtn, helpBtn})
            buttons->addWidget(button);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(tabs);
        layout->addLayout(buttons);

        connect(setupBtn, &QPushButton::clicked, this, [this] {
            if (Ctx.Page)
                Ctx.Page->Execute(this);
        });
        connect(previewBtn, &QPushButton::clicked, this, [this] { Preview(); });
        connect(printBtn, &QPushButton::clicked, this, [this] { Print(); });
        connect(pdfBtn, &QPushButton::clicked, this, [this] { SaveAsPdf(); });
        connect(closeBtn, &QPushButton::clicked, this, &QDialog::accept);
        connect(helpBtn, &QPushButton::clicked, this, [this] {
            if (Ctx.ShowHelp)
                Ctx.ShowHelp(14000);
        });
    }

private:
    QPageLayout PageLayout() const {
        const TPaperOrientation orientation =
            LandscapeBtn->isChecked() ? TPaperOrientation::Landscape : TPaperOrientation::Portrait;
        if (Ctx.Page)
            return Ctx.Page->PageLayout(orientation);
        return QPageLayout(QPageSize(QPageSize::A4),
                           orientation == TPaperOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    }
    TChartPageTexts Texts() const {
        TChartPageTexts texts = Chart.DefaultPageTexts();
        texts.Title = TitleEdit->text();
        texts.Subtitle = SubtitleEdit->text();
        texts.Background = BackgroundBox->isChecked();
        return texts;
    }
    // Tells the user when the legend had to be left out.
    void Complain(bool complete) {
        if (!complete && Ctx.Ask)
            Ctx.Ask->MessageBox(LegendTooNarrowMessage, MsgKind::Information, MsgButtons::Ok);
    }
    void Preview() {
        const QPageLayout layout = PageLayout();
        const int dpi = 96;
        const QRect paper = layout.fullRectPixels(dpi);
        const QRect printable = layout.paintRectPixels(dpi);
        const auto blank = [&] {
            QImage image(paper.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
            image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
            return image;
        };
        // The pages one under another.
        std::vector<QImage> pages{blank()};
        {
            bool complete = true;
            const QRectF area(0, 0, printable.width(), printable.height());
            QPainter measure(&pages.front());
            const int count = std::max(1, Chart.PageCount(measure, area));
            measure.end();
            for (int index = 0; index < count; ++index) {
                if (index > 0)
                    pages.push_back(blank());
                QPainter painter(&pages.back());
                painter.setRenderHint(QPainter::Antialiasing);
                painter.translate(printable.topLeft());
                complete = Chart.PaintChartPage(painter, area, Texts(), index) && complete;
            }
            Complain(complete);
        }
        QImage sheet(paper.width(), static_cast<int>(pages.size()) * (paper.height() + 10), QImage::Format_RGB32);
        sheet.fill(Qt::gray);
        {
            QPainter painter(&sheet);
            for (std::size_t i = 0; i < pages.size(); ++i)
                painter.drawImage(0, static_cast<int>(i) * (paper.height() + 10), pages[i]);
        }
        QDialog preview(this);
        preview.setWindowTitle(QStringLiteral("Print Preview"));
        auto* scroller = new QScrollArea(&preview);
        auto* label = new QLabel;
        label->setPixmap(QPixmap::fromImage(sheet));
        scroller->setWidget(label);
        auto* closeBtn = new QPushButton(QStringLiteral("&Close"), &preview);
        connect(closeBtn, &QPushButton::clicked, &preview, &QDialog::accept);
        auto* layoutBox = new QVBoxLayout(&preview);
        layoutBox->addWidget(scroller);
        layoutBox->addWidget(closeBtn, 0, Qt::AlignRight);
        preview.resize(std::min(paper.width() + 40, 900), 700);
        preview.exec();
    }
    void Print() {
        if (!Ctx.Ask || !DefaultPrinterCheck(*Ctx.Ask, Ctx.Printer ? Ctx.Printer() : CurrentDefaultPrinter()))
            return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(PageLayout());
        printer.setCopyCount(CopiesBox->value());
        QPainter painter;
        if (!painter.begin(&printer)) {
            Ctx.Ask->MessageBox("The chart could not be printed.", MsgKind::Error, MsgButtons::Ok);
            return;
        }
        const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
        Complain(PaintAllPages(Chart, painter, QRectF(0, 0, printable.width(), printable.height()), Texts(),
                               [&printer] { return printer.newPage(); }));
        painter.end();
    }
    void SaveAsPdf() {
        TFileDialogRequest request;
        request.Title = QStringLiteral("Save as PDF");
        request.Filters = QStringList{QStringLiteral("PDF files (*.pdf)")};
        QString path = Ctx.SaveDialog ? Ctx.SaveDialog(request) : RunFileDialog(this, request, true);
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        if (!SaveChartPdf(Chart, path, Texts(), PageLayout()) && Ctx.Ask)
            Ctx.Ask->MessageBox("The PDF file could not be written.", MsgKind::Error, MsgButtons::Ok);
    }

    TPrintableChart& Chart;
    const TChartContext& Ctx;
    QRadioButton* PortraitBtn = nullptr;
    QRadioButton* LandscapeBtn = nullptr;
    QCheckBox* BackgroundBox = nullptr;
    QSpinBox* CopiesBox = nullptr;
    QLineEdit* TitleEdit = nullptr;
    QLineEdit* SubtitleEdit = nullptr;
};

} // namespace

void RunChartPrintDialog(TPrintableChart& chart, const TChartContext& context) {
    TChartPrintWnd dialog(chart, context);
    dialog.exec();
}

bool SaveChartPdf(TPrintableChart& chart, const QString& path, const TChartPageTexts& texts,
                  const QPageLayout& layout) {
    QPdfWriter writer(path);
    writer.setPageLayout(layout);
    writer.setResolution(300);
    writer.setTitle(texts.Title);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRect printable = layout.paintRectPixels(writer.resolution());
    PaintAllPages(chart, painter, QRectF(0, 0, printable.width(), printable.height()), texts,
                  [&writer] { return writer.newPage(); });
    return painter.end();
}

TChartTaxBox MakeChartTaxBox(QWidget* parent, const TChartTaxSwitches& tax) {
    TChartTaxBox box;
    box.Box = new QGroupBox(parent);
    box.Box->setObjectName(QStringLiteral("TaxPanel"));
    box.ExcludingBtn = new QRadioButton(FromDocument(tax.ExcludingCaption), box.Box);
    box.IncludingBtn = new QRadioButton(FromDocument(tax.IncludingCaption), box.Box);
    auto* layout = new QVBoxLayout(box.Box);
    layout->addWidget(box.ExcludingBtn);
    layout->addWidget(box.IncludingBtn);
    (tax.IncludingDown ? box.IncludingBtn : box.ExcludingBtn)->setChecked(true);
    box.Box->setVisible(tax.Shown);
    return box;
}

TChartButtonRow MakeChartButtonRow(QWidget* parent, const std::function<void(int code)>& jump) {
    TChartButtonRow buttons;
    buttons.Panel = new QWidget(parent);
    auto* row = new QHBoxLayout(buttons.Panel);
    row->setContentsMargins(0, 0, 0, 0);
    buttons.PrintBtn = new QPushButton(QStringLiteral("&Print"), buttons.Panel);
    buttons.JumpBtn = new QPushButton(QStringLiteral("&Jump To..."), buttons.Panel);
    buttons.CloseBtn = new QPushButton(QStringLiteral("&Close"), buttons.Panel);
    buttons.HelpBtn = new QPushButton(QStringLiteral("&Help"), buttons.Panel);
    auto* jumpMenu = new QMenu(buttons.JumpBtn);
    const std::pair<const char*, int> charts[] = {{"&Cash Flow Chart", CashFlowChartCode},
                                                  {"Ca&tegory Totals Chart", CategoryChartCode},
                                                  {"&Account Totals Chart", AccountChartCode},
                                                  {"&Group Totals Chart", GroupChartCode},
                                                  {"&Quick Summary Chart", SummaryChartCode}};
    for (const auto& [caption, code] : charts) {
        QAction* action = jumpMenu->addAction(QString::fromUtf8(caption));
        action->setData(code);
        const int chosen = code;
        QObject::connect(action, &QAction::triggered, buttons.JumpBtn, [jump, chosen] { jump(chosen); });
    }
    buttons.JumpBtn->setMenu(jumpMenu);
    row->addWidget(buttons.PrintBtn);
    row->addWidget(buttons.JumpBtn);
    row->addStretch();
    row->addWidget(buttons.CloseBtn);
    row->addWidget(buttons.HelpBtn);
    return buttons;
}

void ShowOtherCharts(QPushButton& jumpBtn, int ownCode) {
    for (QAction* action : jumpBtn.menu()->actions())
        action->setVisible(action->data().toInt() != ownCode);
}

TChartViewBox MakeChartViewBox(QWidget* parent, int captionWidth, const std::function<void()>& mouseMode,
                               const std::function<void()>& lookChanged, const std::function<void()>& reset) {
    TChartViewBox view;
    auto* box = view.Box = new QGroupBox(QStringLiteral("View"), parent);
    view.ZoomBtn = new QRadioButton(QStringLiteral("Zoom"), box);
    view.RotateBtn = new QRadioButton(QStringLiteral("3D Rotate"), box);
    view.MouseCaption = new QLabel(box);
    view.MouseCaption->setWordWrap(true);
    view.MouseCaption->setMinimumWidth(captionWidth);
    view.TwoDBtn = new QRadioButton(QStringLiteral("2D"), box);
    view.ThreeDBtn = new QRadioButton(QStringLiteral("3D"), box);
    auto* dimensions = new QButtonGroup(box);
    dimensions->addButton(view.TwoDBtn);
    dimensions->addButton(view.ThreeDBtn);
    auto* modes = new QButtonGroup(box);
    modes->addButton(view.ZoomBtn);
    modes->addButton(view.RotateBtn);
    view.DepthBox = new QSpinBox(box);
    view.DepthBox->setObjectName(QStringLiteral("DepthBox"));
    view.DepthBox->setRange(0, 100);
    view.ResetViewBtn = new QPushButton(QStringLiteral("&Reset View"), box);
    auto* layout = new QGridLayout(box);
    layout->addWidget(view.ZoomBtn, 0, 0);
    layout->addWidget(view.RotateBtn, 1, 0);
    layout->addWidget(view.MouseCaption, 0, 1, 2, 1);
    layout->addWidget(view.TwoDBtn, 0, 2);
    layout->addWidget(view.ThreeDBtn, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("3D Depth %"), box), 0, 3);
    layout->addWidget(view.DepthBox, 1, 3);
    layout->addWidget(view.ResetViewBtn, 0, 4, 2, 1);
    QObject::connect(view.ZoomBtn, &QRadioButton::toggled, box, mouseMode);
    QObject::connect(view.ThreeDBtn, &QRadioButton::toggled, box, [view, lookChanged] {
        const bool deep = view.ThreeDBtn->isChecked();
        view.DepthBox->setEnabled(deep);
        view.RotateBtn->setEnabled(deep);
        if (!deep)
            view.ZoomBtn->setChecked(true);
        lookChanged();
    });
    QObject::connect(view.DepthBox, &QSpinBox::valueChanged, box, lookChanged);
    QObject::connect(view.ResetViewBtn, &QPushButton::clicked, box, reset);
    return view;
}

} // namespace qz::gui
