#include "PageSetup.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace qz::gui {

namespace {

constexpr std::array<TMarginSide, 4> Sides{TMarginSide::Left, TMarginSide::Right, TMarginSide::Top,
                                           TMarginSide::Bottom};
constexpr int PictureSize = 130;

// A paper's width and length in tenths of a millimetre, as printer drivers give them.
QSize Tenths(const QPageSize& paper) {
    const QSizeF mm = paper.size(QPageSize::Millimeter);
    return {qRound(mm.width() * 10), qRound(mm.height() * 10)};
}

QString StatusText(QPrinter::PrinterState state) {
    switch (state) {
    case QPrinter::Idle:
        return QStringLiteral("Ready");
    case QPrinter::Active:
        return QStringLiteral("Printing");
    case QPrinter::Aborted:
        return QStringLiteral("Aborted");
    case QPrinter::Error:
        break;
    }
    return QStringLiteral("Error");
}

TPrinterChoice Describe(const QPrinterInfo& info) {
    TPrinterChoice choice{info.printerName(), StatusText(info.state()), info.makeAndModel(),
                          info.location(),    info.description(),       info.supportedPageSizes()};
    if (choice.Papers.isEmpty())
        choice.Papers = CommonPaperSizes();
    return choice;
}

TPrinterChoice NoPrinter() {
    return {QString(),         QStringLiteral("No printer installed"), QStringLiteral("PDF file"), QString(), QString(),
            CommonPaperSizes()};
}

const char* const FillerText =
    "Credits and debits of the period, listed by category type and category, with the transfers, the "
    "totals, the opening balance, the tax figures and the closing balance. The lines of a report keep "
    "inside the margins chosen here, on every page, with the page number at the foot of each. ";

} // namespace

std::vector<TPrinterChoice> MachinePrinters() {
    std::vector<TPrinterChoice> printers;
    const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
    if (!fallback.isNull())
        printers.push_back(Describe(fallback));
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        if (fallback.isNull() || info.printerName() != fallback.printerName())
            printers.push_back(Describe(info));
    return printers;
}

QList<QPageSize> CommonPaperSizes() {
    QList<QPageSize> papers;
    for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A3, QPageSize::A5,
                                     QPageSize::B5, QPageSize::Executive, QPageSize::Tabloid, QPageSize::EnvelopeDL})
        papers.append(QPageSize(id));
    return papers;
}

QPageSize DefaultPrinterPaper() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        return printer.defaultPageSize();
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

TSpecPageSetup::TSpecPageSetup() : InchMode(QLocale().measurementSystem() == QLocale::ImperialUSSystem) {}

bool TSpecPageSetup::Execute(QWidget* parent) {
    TPageSetup dialog(*this, MachinePrinters(), parent);
    return dialog.exec() == QDialog::Accepted;
}

QPageLayout TSpecPageSetup::PageLayout() const {
    const auto orientation =
        PaperOrientation == TPaperOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageLayout layout(Paper, orientation, QMarginsF(), QPageLayout::Millimeter);
    // Margins the page cannot hold (paper changed behind the setup's back) are cut to fit.
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const double across = std::max(0.0, full.width() - 1);
    const double down = std::max(0.0, full.height() - 1);
    layout.setMargins(QMarginsF(std::min(Margins.Left, across / 2), std::min(Margins.Top, down / 2),
                                std::min(Margins.Right, across / 2), std::min(Margins.Bottom, down / 2)));
    return layout;
}

QPageLayout TSpecPageSetup::PageLayout(TPaperOrientation orientation) {
    Margins = TurnMargins(Margins, PaperOrientation, orientation);
    PaperOrientation = orientation;
    return PageLayout();
}

TPageSetup::TPageSetup(TSpecPageSetup& setup, std::vector<TPrinterChoice> printers, QWidget* parent)
    : QDialog(parent), Setup(setup), Printers(std::move(printers)),
      Margins(setup.InchMode, setup.Margins, setup.Minima, Tenths(setup.Paper).width(), Tenths(setup.Paper).height(),
              setup.PaperOrientation) {
    if (Printers.empty())
        Printers.push_back(NoPrinter());
    setWindowTitle(QStringLiteral("Print Setup & Margins"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFont(QFont(QStringLiteral("Arial"), 9));
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakePrinterBox(), 0, 0, 1, 2);
    grid->addWidget(MakePaperBox(), 1, 0);
    grid->addWidget(MakeOrientationBox(), 1, 1);
    grid->addWidget(MakeMarginsBox(), 0, 2);
    grid->addWidget(MakePreviewBox(), 1, 2);
    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 2, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &TPageSetup::OKBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // Opening: the given printer and paper, the margins as they were.
    Loading = true;
    (Setup.PaperOrientation == TPaperOrientation::Landscape ? LandscapeBtn : PortraitBtn)->setChecked(true);
    int printer = 0;
    for (std::size_t i = 0; i < Printers.size(); ++i)
        if (Printers[i].Name == Setup.PrinterName && !Setup.PrinterName.isEmpty())
            printer = static_cast<int>(i);
    for (const TPrinterChoice& choice : Printers)
        PrinterList->addItem(choice.Name.isEmpty() ? QStringLiteral("No printer (PDF only)") : choice.Name);
    PrinterList->setCurrentIndex(printer);
    PrinterChanged(printer);
    Loading = false;
    connect(PrinterList, &QComboBox::currentIndexChanged, this, &TPageSetup::PrinterChanged);
    connect(SizeList, &QComboBox::currentIndexChanged, this, &TPageSetup::PaperChanged);
    ShowMargins();
    DrawPreview();
}

TPageSetup::~TPageSetup() {
    // The boxes lose the focus while they are destroyed, after this dialog's own part is gone.
    for (QLineEdit* box : MarginBoxes)
        box->disconnect(this);
}

QGroupBox* TPageSetup::MakePrinterBox() {
    auto* box = new QGroupBox(QStringLiteral("Printer"), this);
    auto* form = new QFormLayout(box);
    PrinterList = new QComboBox(box);
    PrinterList->setMinimumWidth(220);
    auto* name = new QLabel(QStringLiteral("&Name:"), box);
    name->setBuddy(PrinterList);
    form->addRow(name, PrinterList);
    StatusLabel = new QLabel(box);
    TypeLabel = new QLabel(box);
    WhereLabel = new QLabel(box);
    CommentLabel = new QLabel(box);
    form->addRow(QStringLiteral("Status:"), StatusLabel);
    form->addRow(QStringLiteral("Type:"), TypeLabel);
    form->addRow(QStringLiteral("Where:"), WhereLabel);
    form->addRow(QStringLiteral("Comment:"), CommentLabel);
    return box;
}

QGroupBox* TPageSetup::MakePaperBox() {
    auto* box = new QGroupBox(QStringLiteral("Paper"), this);
    auto* form = new QFormLayout(box);
    SizeList = new QComboBox(box);
    auto* size = new QLabel(QStringLiteral("Si&ze:"), box);
    size->setBuddy(SizeList);
    form->addRow(size, SizeList);
    // The print system chooses the tray; there is nothing to choose here.
    SourceList = new QComboBox(box);
    SourceList->addItem(QStringLiteral("Automatically Select"));
    SourceList->setEnabled(false);
    auto* source = new QLabel(QStringLiteral("&Source:"), box);
    source->setBuddy(SourceList);
    form->addRow(source, SourceList);
    return box;
}

QGroupBox* TPageSetup::MakeOrientationBox() {
    auto* box = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* column = new QVBoxLayout(box);
    PortraitBtn = new QRadioButton(QStringLiteral("P&ortrait"), box);
    LandscapeBtn = new QRadioButton(QStringLiteral("L&andscape"), box);
    column->addWidget(PortraitBtn);
    column->addWidget(LandscapeBtn);
    column->addStretch(1);
    connect(PortraitBtn, &QRadioButton::clicked, this, [this] { OrientationClick(TPaperOrientation::Portrait); });
    connect(LandscapeBtn, &QRadioButton::clicked, this, [this] { OrientationClick(TPaperOrientation::Landscape); });
    return box;
}

QGroupBox* TPageSetup::MakeMarginsBox() {
    MarginsBox = new QGroupBox(
        Margins.InchMode() ? QStringLiteral("Margins (inches)") : QStringLiteral("Margins (millimeters)"), this);
    auto* rows = new QGridLayout(MarginsBox);
    rows->setVerticalSpacing(3);
    const char* const names[] = {"Left", "Right", "Top", "Bottom"};
    for (int side = 0; side < 4; ++side) {
        auto* label = new QLabel(QLatin1String(names[side]), MarginsBox);
        label->setFixedWidth(55);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* decrease = new QToolButton(MarginsBox);
        decrease->setArrowType(Qt::LeftArrow);
        decrease->setToolTip(QStringLiteral("Decrease Margin"));
        auto* increase = new QToolButton(MarginsBox);
        increase->setArrowType(Qt::RightArrow);
        increase->setToolTip(QStringLiteral("Increase Margin"));
        for (QToolButton* button : {decrease, increase}) {
            button->setFixedSize(21, 21);
            button->setAutoRepeat(true);
            button->setAccessibleName(button->toolTip());
        }
        auto* edit = new QLineEdit(MarginsBox);
        edit->setFixedSize(70, 21);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setAccessibleName(QLatin1String(names[side]));
        rows->addWidget(label, side, 0);
        rows->addWidget(decrease, side, 1);
        rows->addWidget(edit, side, 2);
        rows->addWidget(increase, side, 3);
        DecreaseBtns[side] = decrease;
        IncreaseBtns[side] = increase;
        MarginBoxes[side] = edit;
        const TMarginSide which = Sides[side];
        connect(decrease, &QToolButton::clicked, this, [this, which] {
            Margins.Decrease(which);
            ShowMargins();
            DrawPreview();
        });
        connect(increase, &QToolButton::clicked, this, [this, which] {
            Margins.Increase(which);
            ShowMargins();
            DrawPreview();
        });
        connect(edit, &QLineEdit::textEdited, this, [this, side] { MarginTyped(side); });
        connect(edit, &QLineEdit::editingFinished, this, [this, side] { MarginBoxExit(side); });
    }
    ResetBtn = new QPushButton(QStringLiteral("&Reset Margins"), MarginsBox);
    rows->addWidget(ResetBtn, 4, 0, 1, 4, Qt::AlignHCenter);
    connect(ResetBtn, &QPushButton::clicked, this, [this] {
        Margins.Reset();
        ShowMargins();
        DrawPreview();
    });
    return MarginsBox;
}

QGroupBox* TPageSetup::MakePreviewBox() {
    auto* box = new QGroupBox(QStringLiteral("Preview"), this);
    auto* column = new QVBoxLayout(box);
    PreviewLabel = new QLabel(box);
    PreviewLabel->setFixedSize(PictureSize, PictureSize);
    column->addWidget(PreviewLabel, 0, Qt::AlignCenter);
    return box;
}

void TPageSetup::PrinterChanged(int index) {
    if (index < 0 || index >= static_cast<int>(Printers.size()))
        return;
    const TPrinterChoice& printer = Printers[static_cast<std::size_t>(index)];
    StatusLabel->setText(printer.Status);
    TypeLabel->setText(printer.Type);
    WhereLabel->setText(printer.Where);
    CommentLabel->setText(printer.Comment);
    LoadPapers();
}

void TPageSetup::LoadPapers() {
    const TPrinterChoice& printer = Printers[static_cast<std::size_t>(std::max(0, PrinterList->currentIndex()))];
    const QPageSize wanted = Loading ? Setup.Paper : ChosenPaper();
    QList<QPageSize> papers = printer.Papers;
    int chosen = -1;
    for (int i = 0; i < papers.size() && chosen < 0; ++i)
        if (papers[i].isEquivalentTo(wanted))
            chosen = i;
    // The paper the caller had stays on offer while the dialog opens, even if the driver lacks it.
    if (chosen < 0 && Loading) {
        papers.append(wanted);
        chosen = static_cast<int>(papers.size()) - 1;
    }
    const QSignalBlocker quiet(SizeList);
    SizeList->clear();
    ShownPapers = papers;
    for (const QPageSize& paper : papers)
        SizeList->addItem(paper.name());
    SizeList->setCurrentIndex(std::max(0, chosen));
    PaperChanged();
}

QPageSize TPageSetup::ChosenPaper() const {
    const int index = SizeList->currentIndex();
    return index >= 0 && index < ShownPapers.size() ? ShownPapers[index] : Setup.Paper;
}

void TPageSetup::PaperChanged() {
    const QSize tenths = Tenths(ChosenPaper());
    // Chosen by the user (another paper or another printer): the margins start again from 15 mm.
    if (Loading) {
        Margins = TMarginPanel(Margins.InchMode(), Margins.MarginsMm(), Setup.Minima, tenths.width(), tenths.height(),
                               Margins.Orientation());
    } else {
        Margins.SetPaper(tenths.width(), tenths.height());
        ShowMargins();
    }
    DrawPreview();
}

void TPageSetup::OrientationClick(TPaperOrientation orientation) {
    if (orientation == Margins.Orientation())
        return;
    Margins.SetOrientation(orientation);
    ShowMargins();
    DrawPreview();
}

void TPageSetup::MarginTyped(int side) {
    double value = 0;
    const TMarginSide which = Sides[static_cast<std::size_t>(side)];
    if (!TMarginPanel::ParseTyped(MarginBoxes[side]->text().toStdString(), value) || value < Margins.Minimum(which) ||
        value > Margins.Maximum(which))
        return;
    Margins.Type(which, value);
    DrawPreview();
}

void TPageSetup::MarginBoxExit(int side) {
    double value = 0;
    const TMarginSide which = Sides[static_cast<std::size_t>(side)];
    if (TMarginPanel::ParseTyped(MarginBoxes[side]->text().toStdString(), value))
        Margins.Type(which, value);
    ShowMargins();
    DrawPreview();
}

void TPageSetup::ShowMargins() {
    for (std::size_t side = 0; side < Sides.size(); ++side)
        MarginBoxes[side]->setText(QString::fromStdString(Margins.Text(Sides[side])));
}

void TPageSetup::DrawPreview() {
    PreviewImage = QPixmap(PictureSize, PictureSize);
    PreviewImage.fill(palette().color(QPalette::Button));
    const bool portrait = Margins.Orientation() == TPaperOrientation::Portrait;
    const double acrossMm = (portrait ? Margins.PaperWidthTenths() : Margins.PaperLengthTenths()) / 10.0;
    const double downMm = (portrait ? Margins.PaperLengthTenths() : Margins.PaperWidthTenths()) / 10.0;
    if (acrossMm <= 0 || downMm <= 0) {
        PreviewLabel->setPixmap(PreviewImage);
        return;
    }
    // The longer side is 120 pixels, the other in proportion.
    const double scale = 120 / std::max(acrossMm, downMm);
    const int width = static_cast<int>(std::lround(acrossMm * scale));
    const int height = static_cast<int>(std::lround(downMm * scale));
    const QRect page((PictureSize - width) / 2 - 4, (PictureSize - height) / 2, width, height - 4);
    QPainter painter(&PreviewImage);
    painter.fillRect(page.translated(6, 6), palette().color(QPalette::Shadow));
    painter.fillRect(page, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(page.adjusted(0, 0, -1, -1));
    const TPageMargins mm = Margins.MarginsMm();
    const auto pixels = [](double margin, int sidePixels, double sideMm) {
        return static_cast<int>(std::lround(margin * sidePixels / sideMm));
    };
    const QRect inside = page.adjusted(pixels(mm.Left, width, acrossMm), pixels(mm.Top, height, downMm),
                                       -pixels(mm.Right, width, acrossMm), -pixels(mm.Bottom, height, downMm));
    if (inside.width() > 0 && inside.height() > 0) {
        painter.setPen(QPen(Qt::blue, 0, Qt::DotLine));
        painter.drawRect(inside.adjusted(0, 0, -1, -1));
        QFont filler(QStringLiteral("Arial"));
        filler.setPointSizeF(3);
        painter.setFont(filler);
        painter.setPen(QColor(128, 128, 128));
        const QRect text = inside.adjusted(2, 2, -2, -2);
        painter.setClipRect(text);
        painter.drawText(text, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                         QString::fromLatin1(FillerText).repeated(6));
    }
    painter.end();
    PreviewLabel->setPixmap(PreviewImage);
}

void TPageSetup::OKBtnClick() {
    for (int side = 0; side < 4; ++side)
        MarginBoxExit(side);
    Setup.Margins = Margins.MarginsMm();
    Setup.PaperOrientation = Margins.Orientation();
    Setup.Paper = ChosenPaper();
    Setup.PrinterName = Printers[static_cast<std::size_t>(std::max(0, PrinterList->currentIndex()))].Name;
    accept();
}

} // namespace qz::gui
