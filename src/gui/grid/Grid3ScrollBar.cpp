#include "Grid3ScrollBar.h"

#include "WinColour.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace qz::gui {

TGrid3ScrollBar::TGrid3ScrollBar(Qt::Orientation orientation, QWidget* parent)
    : TCustomControlEx(parent), FOrientation(orientation), FRepeat(new QTimer(this)) {
    connect(FRepeat, &QTimer::timeout, this, &TGrid3ScrollBar::RepeatTick);
    if (orientation == Qt::Vertical)
        setFixedWidth(ButtonSize);
    else
        setFixedHeight(ButtonSize);
}

// ---- Range and position ----------------------------------------------------------------------

void TGrid3ScrollBar::SetRange(int max) {
    FMax = std::max(0, max);
    FPosition = std::clamp(FPosition, 0, FMax);
    update();
}

void TGrid3ScrollBar::SetPageSize(int page) {
    FPage = std::max(1, page);
}

void TGrid3ScrollBar::SetStep(int step) {
    FStep = std::max(1, step);
}

void TGrid3ScrollBar::SetPosition(int position) {
    const int clamped = std::clamp(position, 0, FMax);
    if (clamped == FPosition)
        return;
    FPosition = clamped;
    update();
}

void TGrid3ScrollBar::MoveTo(int position) {
    const int clamped = std::clamp(position, 0, FMax);
    if (clamped == FPosition)
        return;
    FPosition = clamped;
    update();
    if (OnChange)
        OnChange(FPosition);
}

// ---- Geometry ---------------------------------------------------------------------------------

int TGrid3ScrollBar::Length() const {
    return FOrientation == Qt::Vertical ? height() : width();
}
int TGrid3ScrollBar::Thickness() const {
    return FOrientation == Qt::Vertical ? width() : height();
}
int TGrid3ScrollBar::Along(QPoint point) const {
    return FOrientation == Qt::Vertical ? point.y() : point.x();
}
int TGrid3ScrollBar::Across(QPoint point) const {
    return FOrientation == Qt::Vertical ? point.x() : point.y();
}
int TGrid3ScrollBar::TrackLength() const {
    return std::max(0, Length() - 4 * ButtonSize);
}

int TGrid3ScrollBar::ThumbStart() const {
    const int room = std::max(0, TrackLength() - ButtonSize);
    return TrackStart() + (FMax > 0 ? static_cast<int>(static_cast<long long>(room) * FPosition / FMax) : 0);
}

int TGrid3ScrollBar::PositionForThumbAt(int thumbStart) const {
    const int room = TrackLength() - ButtonSize;
    if (room <= 0)
        return FPosition;
    const long long offset = std::clamp(thumbStart - TrackStart(), 0, room);
    return static_cast<int>((offset * FMax + room / 2) / room);
}

QRect TGrid3ScrollBar::Span(int start, int length) const {
    return FOrientation == Qt::Vertical ? QRect(0, start, Thickness(), length) : QRect(start, 0, length, Thickness());
}

QRect TGrid3ScrollBar::PartRect(TPart part) const {
    const int end = Length();
    const int thumb = ThumbStart();
    switch (part) {
    case TPart::ToStart:
        return Span(0, ButtonSize);
    case TPart::Back:
        return Span(ButtonSize, ButtonSize);
    case TPart::TrackBefore:
        return Span(TrackStart(), thumb - TrackStart());
    case TPart::Thumb:
        return Active() ? Span(thumb, ButtonSize) : QRect();
    case TPart::TrackAfter:
        return Span(thumb + ButtonSize, end - 2 * ButtonSize - thumb - ButtonSize);
    case TPart::Forward:
        return Span(end - 2 * ButtonSize, ButtonSize);
    case TPart::ToEnd:
        return Span(end - ButtonSize, ButtonSize);
    case TPart::None:
        break;
    }
    return {};
}

TGrid3ScrollBar::TPart TGrid3ScrollBar::PartAt(QPoint point) const {
    if (!rect().contains(point))
        return TPart::None;
    for (TPart part : {TPart::ToStart, TPart::Back, TPart::Forward, TPart::ToEnd, TPart::Thumb, TPart::TrackBefore,
                       TPart::TrackAfter})
        if (PartRect(part).contains(point))
            return part;
    return TPart::None;
}

// ---- Drawing ----------------------------------------------------------------------------------

TGlyphLook TGrid3ScrollBar::LookOf(TPart part) const {
    if (!Active())
        return TGlyphLook::Disabled;
    if (part == FPressed)
        return TGlyphLook::Pressed;
    return part == FHot ? TGlyphLook::Hot : TGlyphLook::Normal;
}

void TGrid3ScrollBar::PaintPart(QPainter& painter, TPart part) const {
    static constexpr struct {
        TPart Part;
        TGlyphShape Shape;
    } Buttons[] = {{TPart::ToStart, TGlyphShape::ToStart},
                   {TPart::Back, TGlyphShape::Back},
                   {TPart::Thumb, TGlyphShape::Thumb},
                   {TPart::Forward, TGlyphShape::Forward},
                   {TPart::ToEnd, TGlyphShape::ToEnd}};
    const QRect r = PartRect(part);
    if (r.isEmpty())
        return;
    const TColour face = ResolveColour(clBtnFace);
    const TGlyphLook look = LookOf(part);
    const TColour fill = look == TGlyphLook::Hot ? LightenColour(face, 20) : face;
    painter.fillRect(r, ToQColor(fill));
    const bool sunken = look == TGlyphLook::Pressed;
    painter.setPen(ToQColor(sunken ? DarkenColour(face, 80) : LightenColour(face, 80)));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(ToQColor(sunken ? LightenColour(face, 80) : DarkenColour(face, 80)));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    for (const auto& button : Buttons)
        if (button.Part == part)
            DrawGlyph(painter, r, button.Shape, look, FOrientation == Qt::Horizontal);
}

void TGrid3ScrollBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TColour track = LightenColour(ResolveColour(clBtnFace), 30);
    painter.fillRect(rect(), ToQColor(track));
    for (TPart part : {TPart::TrackBefore, TPart::TrackAfter})
        if (part == FPressed && Active())
            painter.fillRect(PartRect(part), ToQColor(DarkenColour(track, 60)));
    for (TPart part : {TPart::ToStart, TPart::Back, TPart::Thumb, TPart::Forward, TPart::ToEnd})
        PaintPart(painter, part);
}

// ---- Mouse ------------------------------------------------------------------------------------

void TGrid3ScrollBar::Act(TPart part) {
    switch (part) {
    case TPart::ToStart:
        MoveTo(0);
        break;
    case TPart::Back:
        MoveTo(FPosition - FStep);
        break;
    case TPart::Forward:
        MoveTo(FPosition + FStep);
        break;
    case TPart::TrackBefore:
        MoveTo(FPosition - FPage);
        break;
    case TPart::TrackAfter:
        MoveTo(FPosition + FPage);
        break;
    case TPart::ToEnd:
        MoveTo(FMax);
        break;
    default:
        break;
    }
}

void TGrid3ScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Active())
        return;
    FMouse = event->position().toPoint();
    FPressed = PartAt(FMouse);
    FPressPosition = FPosition;
    if (FPressed == TPart::Thumb)
        FThumbGrab = Along(FMouse) - ThumbStart();
    else
        Act(FPressed);
    if (FPressed == TPart::Back || FPressed == TPart::Forward || FPressed == TPart::TrackBefore ||
        FPressed == TPart::TrackAfter)
        FRepeat->start(FirstRepeatDelay);
    update();
}

void TGrid3ScrollBar::RepeatTick() {
    FRepeat->setInterval(RepeatInterval);
    if (PartAt(FMouse) == FPressed)
        Act(FPressed);
}

void TGrid3ScrollBar::DragThumb(QPoint point) {
    const bool strayed = Across(point) < -SnapBackDistance || Across(point) > Thickness() + SnapBackDistance;
    MoveTo(strayed ? FPressPosition : PositionForThumbAt(Along(point) - FThumbGrab));
}

void TGrid3ScrollBar::mouseMoveEvent(QMouseEvent* event) {
    FMouse = event->position().toPoint();
    if (FPressed == TPart::Thumb) {
        DragThumb(FMouse);
        return;
    }
    const TPart hot = Active() ? PartAt(FMouse) : TPart::None;
    if (hot != FHot) {
        FHot = hot;
        update();
    }
}

void TGrid3ScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || FPressed == TPart::None)
        return;
    FRepeat->stop();
    FPressed = TPart::None;
    update();
    if (FPosition != FPressPosition && OnRelease)
        OnRelease(FPosition);
}

void TGrid3ScrollBar::MouseLeft() {
    if (FHot == TPart::None)
        return;
    FHot = TPart::None;
    update();
}

} // namespace qz::gui
