#include "EntryLook.h"

#include <QApplication>
#include <QWidget>

namespace qz::gui {

QColor DisabledFill() {
    return QApplication::palette().color(QPalette::Active, QPalette::Window);
}

void SetEntryLook(QWidget* box, const QColor& lockedFill) {
    QPalette palette = QApplication::palette(box);
    palette.setColor(QPalette::Disabled, QPalette::Base, DisabledFill());
    if (lockedFill.isValid())
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, lockedFill);
    box->setPalette(palette);
}

} // namespace qz::gui
