#include "PrintScreenDialog.h"

#include "platform/TextCodec.h"
#include "reports/ReportOptions.h"
#include "storage/OptionsFileOLE.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A small page as the printout will look: upright or across, lines in colour or black, with or
// without the grid.
QIcon PagePicture(bool landscape, bool colour, bool gridlines) {
    const QSize sheet = landscape ? QSize(38, 28) : QSize(28, 38);
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRect page(QPoint((40 - sheet.width()) / 2, (40 - sheet.height()) / 2), sheet);
    painter.fillRect(page, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(page.adjusted(0, 0, -1, -1));
    const QColor ink[] = {colour ? QColor(0, 0, 160) : Qt::black, colour ? QColor(0, 128, 0) : Qt::black,
                          colour ? QColor(192, 0, 0) : Qt::black};
    for (int y = page.top() + 5, row = 0; y < page.bottom() - 2; y += 4, ++row) {
        painter.setPen(ink[row % 3]);
        painter.drawLine(page.left() + 3, y, page.right() - 3, y);
        if (gridlines) {
            painter.setPen(QColor(160, 160, 160));
            painter.drawLine(page.left() + 2, y + 2, page.right() - 2, y + 2);
        }
    }
    if (gridlines) {
        painter.setPen(QColor(160, 160, 160));
        for (int x = page.left() + sheet.width() / 3; x < page.right(); x += sheet.width() / 3)
            painter.drawLine(x, page.top() + 3, x, page.bottom() - 3);
    }
    return QIcon(picture);
}

// An editing box whose whole text is selected when the focus comes in.
class TSelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            if (auto* line = qobject_cast<QLineEdit*>(watched))
                QTimer::singleShot(0, line, &QLineEdit::selectAll);
            else if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
                QTimer::singleShot(0, memo, &QPlainTextEdit::selectAll);
        }
        return false;
    }
};

} // namespace

TPrintScreenDialog::TPrintScreenDialog(TPrintScreenContext context, QWidget* parent)
    : QDialog(parent), Ctx(std::move(context)) {
    setWindowTitle(QStringLiteral("Print Screen"));
    Page.Paper = DefaultPrinterPaper();
    Pages = Named(new QTabWidget(this), "Pages");
    Pages->addTab(MakeLayoutPage(), QStringLiteral("&Layout"));
    Pages->addTab(MakeTitlesPage(), QStringLiteral("&Titles"));

    PreviewBtn = Named(new QPushButton(QStringLiteral("P&rint Preview"), this), "PreviewBtn");
    PrintBtn = Named(new QPushButton(QStringLiteral("&Print"), this), "PrintBtn");
    CloseBtn = Named(new QPushButton(QStringLiteral("&Close"), this), "CloseBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("&Help"), this), "HelpBtn");
    PreviewBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PreviewBtn);
    buttons->addWidget(PrintBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    buttons->addWidget(HelpBtn);
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addWidget(Pages);
    main->addLayout(buttons);

    connect(PreviewBtn, &QPushButton::clicked, this, [this] { Run(false); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { Run(true); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });

    // Shown: the titles of what the worksheet shows, one copy.
    const auto read = [this](int index) { return !Ctx.ReadOption || Ctx.ReadOption(index); };
    TitleEdit->setText(FromDocument(PrintScreenTitle(*Ctx.Sheet, Ctx.BusinessName, Ctx.BusinessNumber,
                                                     read(OptPrintBisName), read(OptPrintBisNumber))));
    TitleEdit->setCursorPosition(0);
    InfoMemo->setPlainText(FromDocument(PrintScreenInformation(*Ctx.Sheet)));
    FileEdit->setText(QStringLiteral("Filename - ") + QString::fromStdString(ReportFileName(Ctx.DocumentPath)));
    CopiesBox->setValue(1);
    UpdatePictures();
}

TPrintScreenDialog::~TPrintScreenDialog() = default;

QWidget* TPrintScreenDialog::MakeLayoutPage() {
    auto* page = new QWidget(this);
    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), page);
    PortraitBtn = Named(new QRadioButton(QStringLiteral("Portrait"), orientation), "PortraitBtn");
    LandscapeBtn = Named(new QRadioButton(QStringLiteral("Landscape"), orientation), "LandscapeBtn");
    PortraitBtn->setChecked(true);
    PortraitBtn->setIconSize(QSize(40, 40));
    LandscapeBtn->setIconSize(QSize(40, 40));
    auto* orientationRow = new QHBoxLayout(orientation);
    orientationRow->addWidget(PortraitBtn);
    orientationRow->addWidget(LandscapeBtn);

    auto* fonts = new QGroupBox(QStringLiteral("Font Size"), page);
    SmallBtn = Named(new QRadioButton(QStringLiteral("Small"), fonts), "SmallBtn");
    NormalBtn = Named(new QRadioButton(QStringLiteral("Normal"), fonts), "NormalBtn");
    LargeBtn = Named(new QRadioButton(QStringLiteral("Large"), fonts), "LargeBtn");
    NormalBtn->setChecked(true);
    auto* fontRow = new QHBoxLayout(fonts);
    fontRow->addWidget(SmallBtn);
    fontRow->addWidget(NormalBtn);
    fontRow->addWidget(LargeBtn);

    ColourSwitch = Named(new QCheckBox(QStringLiteral("Print in Colo&ur"), page), "ColourSwitch");
    GridSwitch = Named(new QCheckBox(QStringLiteral("Show &Gridlines"), page), "GridSwitch");
    ColourSwitch->setChecked(true);
    GridSwitch->setChecked(true);
    CopiesBox = Named(new QSpinBox(page), "CopiesBox");
    CopiesBox->setRange(1, 999);
    auto* copiesLabel = new QLabel(QStringLiteral("Copies"), page);
    copiesLabel->setBuddy(CopiesBox);
    MarginsBtn = Named(new QPushButton(QStringLiteral("Print &Setup && Margins..."), page), "MarginsBtn");

    auto* grid = new QGridLayout(page);
    grid->addWidget(orientation, 0, 0, 1, 2);
    grid->addWidget(fonts, 1, 0, 1, 2);
    grid->addWidget(ColourSwitch, 2, 0);
    grid->addWidget(GridSwitch, 2, 1);
    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(copiesLabel);
    copiesRow->addWidget(CopiesBox);
    copiesRow->addStretch(1);
    grid->addLayout(copiesRow, 3, 0);
    grid->addWidget(MarginsBtn, 3, 1, Qt::AlignRight);

    connect(ColourSwitch, &QCheckBox::toggled, this, [this] { UpdatePictures(); });
    connect(GridSwitch, &QCheckBox::toggled, this, [this] { UpdatePictures(); });
    connect(PortraitBtn, &QRadioButton::clicked, this, [this] { Page.PageLayout(TPaperOrientation::Portrait); });
    connect(LandscapeBtn, &QRadioButton::clicked, this, [this] { Page.PageLayout(TPaperOrientation::Landscape); });
    connect(MarginsBtn, &QPushButton::clicked, this, &TPrintScreenDialog::MarginsBtnClick);
    return page;
}

QWidget* TPrintScreenDialog::MakeTitlesPage() {
    auto* page = new QWidget(this);
    TitleEdit = Named(new QLineEdit(page), "TitleEdit");
    InfoMemo = Named(new QPlainTextEdit(page), "InfoMemo");
    InfoMemo->setTabChangesFocus(true);
    InfoMemo->setFixedHeight(InfoMemo->fontMetrics().lineSpacing() * 4 + 12);
    FileEdit = Named(new QLineEdit(page), "FileEdit");
    TitleEdit->setMinimumWidth(460);
    auto* selectAll = new TSelectAllOnFocus(this);
    for (QWidget* box :
         {static_cast<QWidget*>(TitleEdit), static_cast<QWidget*>(InfoMemo), static_cast<QWidget*>(FileEdit)})
        box->installEventFilter(selectAll);
    auto* grid = new QGridLayout(page);
    const char* const labels[] = {"Main Title", "Report Information", "File"};
    QWidget* boxes[] = {TitleEdit, InfoMemo, FileEdit};
    for (int row = 0; row < 3; ++row) {
        auto* label = new QLabel(QString::fromLatin1(labels[row]), page);
        label->setBuddy(boxes[row]);
        grid->addWidget(label, row * 2, 0);
        grid->addWidget(boxes[row], row * 2 + 1, 0);
    }
    return page;
}

void TPrintScreenDialog::UpdatePictures() {
    PortraitBtn->setIcon(PagePicture(false, ColourSwitch->isChecked(), GridSwitch->isChecked()));
    LandscapeBtn->setIcon(PagePicture(true, ColourSwitch->isChecked(), GridSwitch->isChecked()));
}

void TPrintScreenDialog::MarginsBtnClick() {
    Page.PageLayout(LandscapeBtn->isChecked() ? TPaperOrientation::Landscape : TPaperOrientation::Portrait);
    TSpecPageSetup page = Page;
    if (!(Ctx.PageSetup ? Ctx.PageSetup(this, page) : page.Execute(this)))
        return;
    Page = page;
    const bool landscape = Page.PaperOrientation == TPaperOrientation::Landscape;
    LandscapeBtn->setChecked(landscape);
    PortraitBtn->setChecked(!landscape);
}

TPrintScreenOptions TPrintScreenDialog::Options() const {
    const auto read = [this](int index) { return !Ctx.ReadOption || Ctx.ReadOption(index); };
    TPrintScreenOptions options;
    options.FontSize = SmallBtn->isChecked()   ? TPrintFontSize::Small
                       : LargeBtn->isChecked() ? TPrintFontSize::Large
                                               : TPrintFontSize::Normal;
    options.Colour = ColourSwitch->isChecked();
    options.Gridlines = GridSwitch->isChecked();
    options.MainTitle = ToDocument(TitleEdit->text());
    options.Information = ToDocument(InfoMemo->toPlainText());
    options.FileLine = ToDocument(FileEdit->text());
    options.PrintedText = Ctx.PrintedText;
    options.PrintFilename = read(OptPrintFilename);
    options.PrintDate = read(OptPrintDate);
    options.PrintableWidthMm = RunPage().paintRect(QPageLayout::Millimeter).width();
    return options;
}

TReport TPrintScreenDialog::LayOut() const {
    return PrintScreenReport(*Ctx.Sheet, Options());
}

void TPrintScreenDialog::reject() {
    // A preview still open keeps its run, and the dialog with it.
    if (!Running)
        QDialog::reject();
}

void TPrintScreenDialog::Run(bool print) {
    if (Running)
        return;
    Running = true;
    const QPageLayout page = RunPage();
    const double width = page.fullRect(QPageLayout::Millimeter).width();
    if (PrintScreenPaperTooNarrow(width, PrintScreenColumnCount(*Ctx.Sheet)) && Ctx.Ask)
        Ctx.Ask->MessageBox(PrintScreenPaperMessage, MsgKind::Information, MsgButtons::Ok);
    const TReport report = LayOut();
    if (print) {
        if (Ctx.Print)
            Ctx.Print(this, report, page, CopiesBox->value());
    } else if (Ctx.Preview) {
        Ctx.Preview(this, report, page);
    }
    Running = false;
}

} // namespace qz::gui
