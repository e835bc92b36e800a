#include "ButtonEdit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

#include <algorithm>

namespace qz::gui {

TButtonEdit::TButtonEdit(QWidget* parent) : QLineEdit(parent), Btn(new QToolButton(this)) {
    Btn->setObjectName(QStringLiteral("AidBtn"));
    Btn->setFocusPolicy(Qt::NoFocus);
    Btn->setCursor(Qt::ArrowCursor);
    Btn->setAutoRaise(true);
    Btn->hide();
    connect(Btn, &QToolButton::clicked, this, [this] {
        if (isEnabled() && !isReadOnly())
            ButtonClick();
    });
}

void TButtonEdit::SetButtonVisible(bool visible) {
    ShowButton = visible;
    Btn->setVisible(visible);
    PlaceButton();
}

void TButtonEdit::keyPressEvent(QKeyEvent* event) {
    if (ShowButton && event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier && !isReadOnly()) {
        ButtonClick();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TButtonEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    PlaceButton();
}

void TButtonEdit::PlaceButton() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    const int side = std::max(0, height() - 2 * frame);
    Btn->setGeometry(width() - frame - side, frame, side, side);
    Btn->setIconSize(QSize(side - 4, side - 4));
    const QMargins margins(0, 0, ShowButton ? side : 0, 0);
    if (textMargins() != margins)
        setTextMargins(margins);
}

} // namespace qz::gui
