#include "Grid3Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace qz::gui {

namespace {

QColor InkOf(TGlyphLook look) {
    switch (look) {
    case TGlyphLook::Disabled:
        return QColor(128, 128, 128);
    case TGlyphLook::Hot:
        return QColor(0, 0, 160);
    default:
        return Qt::black;
    }
}

// Shapes are drawn in an 18 × 18 box, pointing up (towards the start) or right.
void DrawUpTriangle(QPainter& painter, int top) {
    painter.drawPolygon(QPolygon({{4, top + 5}, {14, top + 5}, {9, top}}));
}
void DrawDownTriangle(QPainter& painter, int top) {
    painter.drawPolygon(QPolygon({{4, top}, {14, top}, {9, top + 5}}));
}

void DrawCircularArrow(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRect(4, 4, 10, 10), 90 * 16, 270 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(QPolygon({{9, 1}, {13, 4}, {9, 7}}));
}

void DrawShape(QPainter& painter, TGlyphShape shape, const QColor& ink) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    switch (shape) {
    case TGlyphShape::CircularArrow:
        DrawCircularArrow(painter, ink);
        break;
    case TGlyphShape::TriangleRight:
        painter.drawPolygon(QPolygon({{6, 4}, {6, 14}, {12, 9}}));
        break;
    case TGlyphShape::BarAndTriangle:
        painter.drawRect(4, 4, 11, 2);
        DrawDownTriangle(painter, 8);
        break;
    case TGlyphShape::ToStart:
        painter.drawRect(4, 4, 11, 2);
        DrawUpTriangle(painter, 8);
        break;
    case TGlyphShape::Back:
        DrawUpTriangle(painter, 6);
        break;
    case TGlyphShape::Thumb:
        for (int y = 5; y <= 11; y += 3)
            painter.drawRect(4, y, 10, 1);
        break;
    case TGlyphShape::Forward:
        DrawDownTriangle(painter, 7);
        break;
    case TGlyphShape::ToEnd:
        DrawDownTriangle(painter, 5);
        painter.drawRect(4, 12, 11, 2);
        break;
    }
}

} // namespace

void DrawGlyph(QPainter& painter, const QRect& rect, TGlyphShape shape, TGlyphLook look, bool horizontal) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, shape == TGlyphShape::CircularArrow);
    const int pressedShift = look == TGlyphLook::Pressed ? 1 : 0;
    painter.translate(rect.left() + (rect.width() - GlyphSize) / 2 + pressedShift,
                      rect.top() + (rect.height() - GlyphSize) / 2 + pressedShift);
    if (horizontal)
        painter.setTransform(QTransform(0, 1, 1, 0, 0, 0), true); // mirror on the diagonal: up becomes left
    if (look == TGlyphLook::Disabled) {
        painter.translate(1, 1);
        DrawShape(painter, shape, Qt::white); // engraved: a white copy under the grey one
        painter.translate(-1, -1);
    }
    DrawShape(painter, shape, InkOf(look));
    painter.restore();
}

QPixmap DefaultLockGlyph() {
    QPixmap picture(96, 116);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 100), 12, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(22, 56);
    shackle.lineTo(22, 34);
    shackle.arcTo(QRectF(22, 8, 52, 52), 180, -180);
    shackle.lineTo(74, 56);
    painter.drawPath(shackle);
    QLinearGradient brass(0, 52, 96, 116);
    brass.setColorAt(0, QColor(250, 214, 90));
    brass.setColorAt(1, QColor(176, 124, 20));
    painter.setPen(QPen(QColor(110, 76, 10), 2));
    painter.setBrush(brass);
    painter.drawRoundedRect(QRectF(6, 52, 84, 60), 8, 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 30, 10));
    painter.drawEllipse(QPointF(48, 74), 7, 7);
    painter.drawPolygon(QPolygonF({{44, 76}, {52, 76}, {54, 96}, {42, 96}}));
    return picture;
}

QPixmap UnlockButtonGlyph() {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 100), 2));
    painter.drawArc(QRect(8, 1, 7, 9), 0, 180 * 16);
    painter.setPen(QPen(QColor(110, 76, 10), 1));
    painter.setBrush(QColor(230, 190, 70));
    painter.drawRect(1, 7, 10, 8);
    return picture;
}

} // namespace qz::gui
