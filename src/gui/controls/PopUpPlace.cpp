#include "PopUpPlace.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace qz::gui {

void PlacePopUp(QWidget* popup, const QWidget* target, TPopUpPlace place) {
    popup->adjustSize();
    const QSize size = popup->frameGeometry().size();
    const QPoint top = target->mapToGlobal(QPoint(0, 0));
    const int aboveY = top.y() - size.height();
    const int belowY = top.y() + target->height();
    int y = place == TPopUpPlace::Above ? aboveY : belowY;
    int x = top.x();
    if (const QScreen* screen = target->screen()) {
        const QRect room = screen->availableGeometry();
        if (place == TPopUpPlace::Above && aboveY < room.top())
            y = belowY;
        else if (place == TPopUpPlace::Below && belowY + size.height() > room.bottom() + 1 && aboveY >= room.top())
            y = aboveY;
        x = std::clamp(x, room.left(), std::max(room.left(), room.right() + 1 - size.width()));
    }
    popup->move(x, y);
}

} // namespace qz::gui
