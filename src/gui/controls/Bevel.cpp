#include "Bevel.h"

#include <QPainter>
#include <QPalette>

namespace qz::gui {

namespace {

void DrawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

void DrawBevel(QPainter& painter, const QRect& rect, TBevel bevel, const QPalette& palette) {
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    if (bevel == TBevel::Raised)
        DrawEdge(painter, rect, light, dark);
    else
        DrawEdge(painter, rect, dark, light);
}

void DrawButtonFace(QPainter& painter, const QRect& rect, TBevel bevel, const QColor& face, const QPalette& palette) {
    painter.fillRect(rect, face);
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor shadow = palette.color(QPalette::Shadow);
    if (bevel == TBevel::Raised) {
        DrawEdge(painter, rect, light, shadow);
        DrawEdge(painter, rect.adjusted(1, 1, -1, -1), face.lighter(115), dark);
    } else {
        DrawEdge(painter, rect, shadow, light);
        DrawEdge(painter, rect.adjusted(1, 1, -1, -1), dark, face);
    }
}

} // namespace qz::gui
