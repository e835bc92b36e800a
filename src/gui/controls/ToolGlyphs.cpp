#include "ToolGlyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace qz::gui {

namespace {

// Every picture is drawn on a 32 × 32 grid and scaled to the size asked for.
constexpr qreal Grid = 32.0;

const QColor Outline(40, 40, 60);

QPen OutlinePen(qreal width = 1.2) {
    return QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush Shaded(const QColor& colour, const QRectF& rect) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0, colour.lighter(140));
    gradient.setColorAt(1, colour);
    return gradient;
}

// A sheet of paper with a folded corner.
void Sheet(QPainter& painter, const QRectF& rect) {
    const qreal fold = rect.width() / 4;
    QPainterPath page;
    page.moveTo(rect.topLeft());
    page.lineTo(rect.right() - fold, rect.top());
    page.lineTo(rect.right(), rect.top() + fold);
    page.lineTo(rect.bottomRight());
    page.lineTo(rect.bottomLeft());
    page.closeSubpath();
    painter.setPen(OutlinePen());
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    QPainterPath corner;
    corner.moveTo(rect.right() - fold, rect.top());
    corner.lineTo(rect.right() - fold, rect.top() + fold);
    corner.lineTo(rect.right(), rect.top() + fold);
    painter.setBrush(QColor(220, 220, 230));
    painter.drawPath(corner);
}

void Lines(QPainter& painter, qreal left, qreal right, qreal top, int count, qreal step, const QColor& colour) {
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i)
        painter.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

// A round badge in `colour` with a white plus.
void PlusBadge(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour) {
    painter.setPen(OutlinePen(1.0));
    painter.setBrush(Shaded(colour, QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius)));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    const qreal arm = radius * 0.55;
    painter.drawLine(centre + QPointF(-arm, 0), centre + QPointF(arm, 0));
    painter.drawLine(centre + QPointF(0, -arm), centre + QPointF(0, arm));
}

void NewTransaction(QPainter& painter) {
    Sheet(painter, QRectF(4, 2, 20, 26));
    Lines(painter, 8, 20, 11, 5, 3.5, QColor(90, 120, 200));
    PlusBadge(painter, QPointF(23, 23), 7, QColor(20, 160, 40));
}

// Three index cards in different colours, fanned out.
void Categories(QPainter& painter) {
    const QColor colours[] = {QColor(230, 80, 60), QColor(250, 190, 40), QColor(60, 130, 220)};
    for (int i = 0; i < 3; ++i) {
        const QRectF card(3 + i * 5, 4 + i * 6, 20, 13);
        painter.setPen(OutlinePen());
        painter.setBrush(Shaded(colours[i], card));
        painter.drawRoundedRect(card, 2, 2);
        painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(card.left() + 3, card.top() + 4), QPointF(card.left() + 11, card.top() + 4));
    }
}

// Three coloured boxes held together by a bracket.
void Groups(QPainter& painter) {
    const QColor colours[] = {QColor(40, 170, 140), QColor(150, 90, 200), QColor(240, 130, 40)};
    painter.setPen(QPen(Outline, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{8, 4}, {4, 4}, {4, 28}, {8, 28}}));
    for (int i = 0; i < 3; ++i) {
        const QRectF box(10, 3 + i * 9, 19, 7);
        painter.setPen(OutlinePen());
        painter.setBrush(Shaded(colours[i], box));
        painter.drawRoundedRect(box, 1.5, 1.5);
    }
}

// A spanner crossed with a screwdriver.
void Tools(QPainter& painter) {
    painter.save();
    painter.translate(16, 16);
    painter.rotate(45);
    // The screwdriver: yellow handle, grey shaft.
    painter.setPen(OutlinePen());
    painter.setBrush(QColor(180, 180, 190));
    painter.drawRect(QRectF(-1.5, -14, 3, 14));
    painter.setBrush(Shaded(QColor(240, 180, 0), QRectF(-3.5, 0, 7, 13)));
    painter.drawRoundedRect(QRectF(-3.5, 0, 7, 13), 2, 2);
    painter.restore();

    painter.save();
    painter.translate(16, 16);
    painter.rotate(-45);
    QPainterPath spanner;
    spanner.addRoundedRect(QRectF(-2.5, -8, 5, 20), 1.5, 1.5);
    QPainterPath head;
    head.addEllipse(QPointF(0, -10), 6, 6);
    QPainterPath jaw;
    jaw.addRect(QRectF(-2.2, -17, 4.4, 8));
    spanner = spanner.united(head).subtracted(jaw);
    painter.setPen(OutlinePen());
    painter.setBrush(Shaded(QColor(110, 130, 160), QRectF(-6, -16, 12, 28)));
    painter.drawPath(spanner);
    painter.restore();
}

// A bar chart on a white card.
void Reports(QPainter& painter) {
    painter.setPen(OutlinePen());
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(2, 3, 28, 26));
    const QColor colours[] = {QColor(60, 130, 220), QColor(230, 80, 60), QColor(40, 170, 70), QColor(250, 190, 40)};
    const qreal heights[] = {9, 17, 13, 21};
    for (int i = 0; i < 4; ++i) {
        const QRectF bar(5 + i * 6.2, 26 - heights[i], 4.6, heights[i]);
        painter.setPen(OutlinePen(0.8));
        painter.setBrush(Shaded(colours[i], bar));
        painter.drawRect(bar);
    }
}

void Print(QPainter& painter) {
    // The paper coming out on top, the printer body, the printed sheet in front.
    painter.setPen(OutlinePen());
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 2, 14, 10));
    const QRectF body(2, 11, 28, 12);
    painter.setBrush(Shaded(QColor(120, 130, 150), body));
    painter.drawRoundedRect(body, 2.5, 2.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 220, 80));
    painter.drawEllipse(QPointF(25.5, 15), 1.4, 1.4);
    painter.setPen(OutlinePen());
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(7, 19, 18, 11));
    Lines(painter, 10, 22, 23, 2, 3.5, QColor(90, 120, 200));
}

// A check list with ticks.
void Options(QPainter& painter) {
    painter.setPen(OutlinePen());
    painter.setBrush(QColor(255, 250, 220));
    painter.drawRoundedRect(QRectF(3, 2, 26, 28), 2, 2);
    for (int i = 0; i < 3; ++i) {
        const qreal top = 6 + i * 8;
        painter.setPen(OutlinePen(1.0));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(6, top, 6, 6));
        painter.setPen(QPen(QColor(90, 120, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(15, top + 3), QPointF(26, top + 3));
        if (i != 1) {
            painter.setPen(QPen(QColor(20, 150, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(QPolygonF({{6.5, top + 2.5}, {9, top + 5.5}, {13.5, top - 1.5}}));
        }
    }
}

void Help(QPainter& painter) {
    const QRectF disc(2, 2, 28, 28);
    QRadialGradient gradient(QPointF(12, 10), 20);
    gradient.setColorAt(0, QColor(120, 180, 255));
    gradient.setColorAt(1, QColor(20, 70, 190));
    painter.setPen(OutlinePen());
    painter.setBrush(gradient);
    painter.drawEllipse(disc);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(21);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
}

// A calendar page: red top band and a grid of days, a few of them marked or all of them.
void Calendar(QPainter& painter, bool wholeMonth) {
    const QRectF page(3, 4, 26, 25);
    painter.setPen(OutlinePen());
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setBrush(QColor(210, 50, 50));
    painter.drawRect(QRectF(3, 4, 26, 6));
    painter.setPen(QPen(Outline, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9, 2), QPointF(9, 6));
    painter.drawLine(QPointF(23, 2), QPointF(23, 6));
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            const bool marked = wholeMonth ? true : (row == 1 && column >= 1 && column <= 3);
            painter.setBrush(marked ? QColor(40, 110, 220) : QColor(190, 195, 210));
            painter.drawRect(QRectF(5.5 + column * 4.5, 12.5 + row * 4, 3.2, 2.8));
        }
    }
}

// A grey case with rows of keys, bold enough to read at the size of a box's button.
void KeyCase(QPainter& painter, const QRectF& body) {
    painter.setPen(OutlinePen(1.6));
    painter.setBrush(Shaded(QColor(150, 160, 180), body));
    painter.drawRoundedRect(body, 3, 3);
}

void Keys(QPainter& painter, qreal left, qreal top, int columns, int rows, qreal key, qreal gap) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            painter.drawRect(QRectF(left + column * (key + gap), top + row * (key + gap), key, key));
}

// A calculator's keys: three by three.
void NumberPad(QPainter& painter) {
    KeyCase(painter, QRectF(5, 2, 22, 28));
    Keys(painter, 8.5, 5.5, 3, 3, 4.4, 2.4);
    painter.setBrush(QColor(60, 130, 220));
    painter.drawRect(QRectF(8.5, 5.5 + 3 * 6.8, 15, 4.4));
}

// A typewriter keyboard: rows of keys and a space bar.
void Keyboard(QPainter& painter) {
    KeyCase(painter, QRectF(1, 7, 30, 19));
    Keys(painter, 4, 10, 6, 2, 3.2, 1.4);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8, 19.5, 16, 3.2));
}

} // namespace

QPixmap ToolGlyph(TToolGlyph which, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / Grid, size / Grid);
    switch (which) {
    case TToolGlyph::NewTransaction:
        NewTransaction(painter);
        break;
    case TToolGlyph::Categories:
        Categories(painter);
        break;
    case TToolGlyph::Groups:
        Groups(painter);
        break;
    case TToolGlyph::Tools:
        Tools(painter);
        break;
    case TToolGlyph::Reports:
        Reports(painter);
        break;
    case TToolGlyph::Print:
        Print(painter);
        break;
    case TToolGlyph::Options:
        Options(painter);
        break;
    case TToolGlyph::Help:
        Help(painter);
        break;
    case TToolGlyph::DayRange:
        Calendar(painter, false);
        break;
    case TToolGlyph::MonthRange:
        Calendar(painter, true);
        break;
    case TToolGlyph::NumberPad:
        NumberPad(painter);
        break;
    case TToolGlyph::Keyboard:
        Keyboard(painter);
        break;
    }
    return pixmap;
}

} // namespace qz::gui
