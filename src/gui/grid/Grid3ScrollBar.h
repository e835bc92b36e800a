#pragma once
// The grid's own scroll bar: "to start", "back", the thumb on its track, "forward" and "to end".
// Buttons and the track repeat while held (first after 400 ms, then every 100 ms); the thumb
// follows the mouse and snaps back when the mouse strays more than 40 pixels off the bar.

#include "CustomControlEx.h"
#include "Grid3Glyphs.h"

#include <functional>

class QTimer;

namespace qz::gui {

class TGrid3ScrollBar : public TCustomControlEx {
    Q_OBJECT
public:
    enum class TPart { None, ToStart, Back, TrackBefore, Thumb, TrackAfter, Forward, ToEnd };

    static constexpr int ButtonSize = 22;
    static constexpr int FirstRepeatDelay = 400;
    static constexpr int RepeatInterval = 100;
    static constexpr int SnapBackDistance = 40;

    explicit TGrid3ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The range is 0 … max. Setting these never raises an event.
    void SetRange(int max);
    void SetPageSize(int page);
    void SetStep(int step);
    void SetPosition(int position);
    int Position() const { return FPosition; }
    int Max() const { return FMax; }
    int PageSize() const { return FPage; }
    Qt::Orientation Orientation() const { return FOrientation; }

    TPart PartAt(QPoint point) const;
    QRect PartRect(TPart part) const;

    // Every change the user makes, at once; and at the release, when the position is not the
    // one of the press.
    std::function<void(int position)> OnChange;
    std::function<void(int position)> OnRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void MouseLeft() override;

private:
    bool Active() const { return isEnabled() && FMax > 0; }
    int Length() const;
    int Along(QPoint point) const;
    int Across(QPoint point) const;
    int Thickness() const;
    int TrackStart() const { return 2 * ButtonSize; }
    int TrackLength() const;
    int ThumbStart() const;
    int PositionForThumbAt(int thumbStart) const;
    QRect Span(int start, int length) const;
    TGlyphLook LookOf(TPart part) const;
    void PaintPart(QPainter& painter, TPart part) const;

    void Act(TPart part);
    void MoveTo(int position);
    void DragThumb(QPoint point);
    void RepeatTick();

    Qt::Orientation FOrientation;
    int FMax = 0;
    int FPage = 1;
    int FStep = 1;
    int FPosition = 0;
    TPart FHot = TPart::None;
    TPart FPressed = TPart::None;
    QPoint FMouse;
    int FPressPosition = 0;
    int FThumbGrab = 0;
    QTimer* FRepeat = nullptr;
};

} // namespace qz::gui
