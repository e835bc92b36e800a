#pragma once
// The strip of buttons left of the grid's cells: the reset button beside the title row, a button
// per shown row, and the lock button beside the totals row. A button acts when the left mouse
// button is released over the button it was pressed on.

#include "CustomControlEx.h"
#include "Grid3Glyphs.h"
#include "ledger/Colour.h"

#include <functional>
#include <vector>

namespace qz::gui {

class TGrid3BtnControl : public TCustomControlEx {
    Q_OBJECT
public:
    struct TMeasures {
        int TitleHeight = 0;
        int RowHeight = 0;
        int RowsThatFit = 0;
        int TotalsHeight = 0;
    };
    enum class TButton { None, Reset, Row, Lock };
    struct THit {
        TButton Button = TButton::None;
        int Position = -1; // row buttons: the position under the top row
        bool operator==(const THit&) const = default;
    };

    explicit TGrid3BtnControl(QWidget* parent = nullptr);

    void SetMeasures(const TMeasures& measures);
    // One colour per shown row (red-green-blue values); rows beyond the data get no button.
    void SetRowColours(std::vector<TColour> colours);
    void SetColours(TColour background, TColour button);
    // Disabled: every button is; locked: only the reset button works.
    void SetState(bool enabled, bool locked);

    THit HitAt(QPoint point) const;
    QRect ButtonRect(const THit& hit) const;

    std::function<void(int position)> OnRowClick;
    std::function<void()> OnResetClick;
    std::function<void()> OnLockClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void MouseLeft() override;

private:
    bool Works(const THit& hit) const;
    TGlyphLook LookOf(const THit& hit) const;
    void PaintButton(QPainter& painter, const THit& hit, TColour colour, TGlyphShape shape) const;

    TMeasures FMeasures;
    std::vector<TColour> FRowColours;
    TColour FBackground = 0;
    TColour FButton = 0;
    bool FEnabled = true;
    bool FLocked = false;
    THit FHot;
    THit FPressed;
};

} // namespace qz::gui
