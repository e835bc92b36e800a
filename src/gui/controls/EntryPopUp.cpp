#include "EntryPopUp.h"

#include "EntryKeys.h"

#include <QKeyEvent>

namespace qz::gui {

TEntryPopUp::TEntryPopUp(QLineEdit* target, QWidget* parent) : QFrame(parent, Qt::Popup), Target(target) {}

void TEntryPopUp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Done();
        return;
    }
    if (!ForwardEntryKey(Target, event))
        QFrame::keyPressEvent(event);
}

void TEntryPopUp::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (Gone)
        return;
    Gone = true;
    emit Closed();
}

} // namespace qz::gui
