#include "ColumnTitleHint.h"

#include "TitleRow.h"
#include "WinColour.h"

#include <QPainter>

namespace qz::gui {

TColumnTitleHint::TColumnTitleHint(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TColumnTitleHint::ShowHint(const QRect& area, const QString& title, const QFont& font, bool sorted,
                                TSortDirection direction, TColour buttonColour) {
    FTitle = title;
    FFont = font;
    FSorted = sorted;
    FDirection = direction;
    FButton = buttonColour;
    setGeometry(area);
    show();
    update();
}

void TColumnTitleHint::FollowMouse(int globalX) {
    move(globalX - width() / 2, y());
}

void TColumnTitleHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, ToQColor(FButton));
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, Qt::black);
    painter.fillRect(r.right(), r.top(), 1, r.height(), Qt::black);
    if (FSorted)
        PaintSortTriangle(painter, r, FDirection);
    DrawColumnTitle(painter, r.adjusted(3, 0, FSorted ? -25 : -3, -1), FTitle, FFont, Qt::white);
}

} // namespace qz::gui
