#include "PercentUpDown.h"

#include "PercentBox.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int ArrowWidth = 16;
constexpr Money Tenth = Money::FromRaw(Money::Scale / 10);
// Up works only below this, so that a step never lands beyond 100.
constexpr Money UpLimit = Money::FromRaw(999000);

QToolButton* Arrow(Qt::ArrowType type, const char* name, QWidget* parent) {
    auto* arrow = new QToolButton(parent);
    arrow->setObjectName(QLatin1String(name));
    arrow->setArrowType(type);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAutoRepeat(true);
    // The two arrows share the height of the box, half each.
    arrow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    arrow->setFixedWidth(ArrowWidth);
    return arrow;
}

} // namespace

TPercentUpDown::TPercentUpDown(TPercentBox* box, QWidget* parent)
    : QWidget(parent), Box(box), Up(Arrow(Qt::UpArrow, "UpBtn", this)), Down(Arrow(Qt::DownArrow, "DownBtn", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Up);
    layout->addWidget(Down);
    connect(Up, &QToolButton::clicked, this, [this] { Click(+1); });
    connect(Down, &QToolButton::clicked, this, [this] { Click(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Box->installEventFilter(this);
}

QSize TPercentUpDown::sizeHint() const {
    return {ArrowWidth, Box->sizeHint().height()};
}

bool TPercentUpDown::Step(int direction) {
    const Money value = Box->Value();
    if (direction > 0 ? value >= UpLimit : value <= Money())
        return false;
    const Money stepped = direction > 0 ? value + Tenth : value - Tenth;
    Box->SetValue(std::clamp(stepped, Money(), Box->Maximum()));
    return true;
}

void TPercentUpDown::Click(int direction) {
    if (!isEnabled() || !Box->isEnabled() || Box->isReadOnly())
        return;
    if (Step(direction) && OnClick)
        OnClick();
}

bool TPercentUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Box && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qz::gui
