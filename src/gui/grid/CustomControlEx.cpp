#include "CustomControlEx.h"

namespace qz::gui {

TCustomControlEx::TCustomControlEx(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCustomControlEx::leaveEvent(QEvent* event) {
    MouseLeft();
    QWidget::leaveEvent(event);
}

} // namespace qz::gui
