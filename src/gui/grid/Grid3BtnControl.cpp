#include "Grid3BtnControl.h"

#include "WinColour.h"

#include <QMouseEvent>
#include <QPainter>

namespace qz::gui {

TGrid3BtnControl::TGrid3BtnControl(QWidget* parent) : TCustomControlEx(parent) {}

void TGrid3BtnControl::SetMeasures(const TMeasures& measures) {
    FMeasures = measures;
    update();
}

void TGrid3BtnControl::SetRowColours(std::vector<TColour> colours) {
    FRowColours = std::move(colours);
    update();
}

void TGrid3BtnControl::SetColours(TColour background, TColour button) {
    FBackground = background;
    FButton = button;
    update();
}

void TGrid3BtnControl::SetState(bool enabled, bool locked) {
    FEnabled = enabled;
    FLocked = locked;
    update();
}

QRect TGrid3BtnControl::ButtonRect(const THit& hit) const {
    const TMeasures& m = FMeasures;
    switch (hit.Button) {
    case TButton::Reset:
        return {0, 0, width(), m.TitleHeight};
    case TButton::Row:
        return {0, m.TitleHeight + hit.Position * m.RowHeight, width(), m.RowHeight};
    case TButton::Lock:
        return {0, m.TitleHeight + m.RowsThatFit * m.RowHeight, width(), m.TotalsHeight};
    case TButton::None:
        break;
    }
    return {};
}

TGrid3BtnControl::THit TGrid3BtnControl::HitAt(QPoint point) const {
    if (point.x() < 0 || point.x() >= width() || point.y() < 0)
        return {};
    const TMeasures& m = FMeasures;
    if (point.y() < m.TitleHeight)
        return {TButton::Reset, -1};
    const int rowsBottom = m.TitleHeight + m.RowsThatFit * m.RowHeight;
    if (point.y() < rowsBottom && m.RowHeight > 0) {
        const int position = (point.y() - m.TitleHeight) / m.RowHeight;
        return position < static_cast<int>(FRowColours.size()) ? THit{TButton::Row, position} : THit{};
    }
    if (point.y() < rowsBottom + m.TotalsHeight)
        return {TButton::Lock, -1};
    return {};
}

bool TGrid3BtnControl::Works(const THit& hit) const {
    if (hit.Button == TButton::None)
        return false;
    if (FLocked)
        return hit.Button == TButton::Reset;
    return FEnabled;
}

TGlyphLook TGrid3BtnControl::LookOf(const THit& hit) const {
    if (!Works(hit))
        return TGlyphLook::Disabled;
    if (hit == FPressed)
        return TGlyphLook::Pressed;
    return hit == FHot ? TGlyphLook::Hot : TGlyphLook::Normal;
}

void TGrid3BtnControl::PaintButton(QPainter& painter, const THit& hit, TColour colour, TGlyphShape shape) const {
    const QRect r = ButtonRect(hit).adjusted(1, 1, -1, -1);
    painter.fillRect(r, ToQColor(colour));
    const TGlyphLook look = LookOf(hit);
    if (look == TGlyphLook::Hot || look == TGlyphLook::Pressed) {
        const QColor light = ToQColor(LightenColour(colour, 80));
        const QColor dark = ToQColor(DarkenColour(colour, 80));
        const bool raised = look == TGlyphLook::Hot;
        painter.fillRect(r.left(), r.top(), r.width(), 1, raised ? light : dark);
        painter.fillRect(r.left(), r.top(), 1, r.height(), raised ? light : dark);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, raised ? dark : light);
        painter.fillRect(r.right(), r.top(), 1, r.height(), raised ? dark : light);
    }
    DrawGlyph(painter, r, shape, look);
}

void TGrid3BtnControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(FBackground));
    PaintButton(painter, {TButton::Reset, -1}, FButton, TGlyphShape::CircularArrow);
    if (!FLocked)
        for (int position = 0; position < static_cast<int>(FRowColours.size()); ++position)
            PaintButton(painter, {TButton::Row, position}, FRowColours[static_cast<std::size_t>(position)],
                        TGlyphShape::TriangleRight);
    PaintButton(painter, {TButton::Lock, -1}, FButton, TGlyphShape::BarAndTriangle);
}

void TGrid3BtnControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const THit hit = HitAt(event->position().toPoint());
    FPressed = Works(hit) ? hit : THit{};
    update();
}

void TGrid3BtnControl::mouseMoveEvent(QMouseEvent* event) {
    const THit hit = HitAt(event->position().toPoint());
    const THit hot = Works(hit) ? hit : THit{};
    if (hot == FHot)
        return;
    FHot = hot;
    update();
}

void TGrid3BtnControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const THit pressed = FPressed;
    FPressed = {};
    update();
    if (pressed.Button == TButton::None || !(HitAt(event->position().toPoint()) == pressed))
        return;
    switch (pressed.Button) {
    case TButton::Row:
        if (OnRowClick)
            OnRowClick(pressed.Position);
        break;
    case TButton::Reset:
        if (OnResetClick)
            OnResetClick();
        break;
    case TButton::Lock:
        if (OnLockClick)
            OnLockClick();
        break;
    case TButton::None:
        break;
    }
}

void TGrid3BtnControl::MouseLeft() {
    if (FHot.Button == TButton::None)
        return;
    FHot = {};
    update();
}

} // namespace qz::gui
