#include "EntryKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace qz::gui {

namespace {

bool IsEditingKey(int key) {
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

bool ForwardEntryKey(QLineEdit* target, const QKeyEvent* event) {
    const QString text = event->text();
    const bool character = !text.isEmpty() && text.front().isPrint();
    if (!target || !(character || IsEditingKey(event->key())))
        return false;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), text);
    QCoreApplication::sendEvent(target, &copy);
    return true;
}

} // namespace qz::gui
