#include "ColorPick.h"

#include "grid/ColorPalette.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int SampleSize = 75;
constexpr int Columns = 16;

// A square painted in one palette entry.
class TSampleSquare : public QWidget {
public:
    explicit TSampleSquare(QWidget* parent) : QWidget(parent) { setFixedSize(SampleSize, SampleSize); }
    int Entry = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(TColorPalette::Program().Entry(Entry)));
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

TPaletteBoxes::TPaletteBoxes(QWidget* parent) : QWidget(parent) {
    setFixedSize(GridSize, GridSize);
    setFocusPolicy(Qt::StrongFocus);
}

QRect TPaletteBoxes::BoxRect(int index) {
    const int step = BoxSize + Spacing;
    return QRect(Spacing + (index % Columns) * step, Spacing + (index / Columns) * step, BoxSize, BoxSize);
}

int TPaletteBoxes::EntryAt(QPoint point) {
    for (int index = 0; index < TColorPalette::EntryCount; ++index)
        if (BoxRect(index).contains(point))
            return index;
    return -1;
}

void TPaletteBoxes::SetChosen(int index) {
    if (index < 0 || index >= TColorPalette::EntryCount || index == Index)
        return;
    Index = index;
    update();
    if (OnChange)
        OnChange(Index);
}

void TPaletteBoxes::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TColorPalette& colours = TColorPalette::Program();
    for (int index = 0; index < TColorPalette::EntryCount; ++index) {
        const QRect box = BoxRect(index);
        // A sunken edge round each box.
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
        painter.fillRect(box.adjusted(1, 1, -1, -1), QColor(colours.Entry(index)));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(BoxRect(Index).adjusted(-2, -2, 1, 1));
}

void TPaletteBoxes::mousePressEvent(QMouseEvent* event) {
    const int index = EntryAt(event->position().toPoint());
    if (index >= 0)
        SetChosen(index);
}

void TPaletteBoxes::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -Columns;
        break;
    case Qt::Key_Down:
        step = Columns;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // A move that would leave the palette is ignored.
    SetChosen(Index + step);
}

TColorPick::TColorPick(int index, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Colour Selector"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Boxes = new TPaletteBoxes(this);
    Boxes->setObjectName(QStringLiteral("PaletteBoxes"));
    auto* sample = new TSampleSquare(this);
    sample->setObjectName(QStringLiteral("Sample"));
    SampleBox = sample;
    Boxes->OnChange = [sample](int entry) {
        sample->Entry = entry;
        sample->repaint();
    };
    Boxes->SetChosen(std::clamp(index, 0, TColorPalette::EntryCount - 1));
    sample->Entry = Boxes->Chosen();

    auto* sampleGroup = new QGroupBox(QStringLiteral("Sample"), this);
    auto* sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(sample, 0, Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    ok->setAutoDefault(false);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(sampleGroup);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Boxes);
    layout->addLayout(side);
    Boxes->setFocus();
}

std::optional<int> TColorPick::Pick(QWidget* parent, int index) {
    TColorPick window(index, parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.Chosen();
}

} // namespace qz::gui
