#pragma once
// The tool bar button: a flat button with a picture and a caption that stands out while the
// mouse is over it and can drop a menu down below itself.

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

class QMenu;

namespace qz::gui {

class TKQButton2 : public QAbstractButton {
    Q_OBJECT
public:
    // The picture sits left of the caption (the 32-pixel-high tool bar) or above it (the 40-pixel one).
    enum class TGlyphPlace { Left, Top };

    explicit TKQButton2(QWidget* parent = nullptr);

    void SetGlyph(const QPixmap& glyph);
    const QPixmap& Glyph() const { return GlyphPixmap; }
    void SetGlyphPlace(TGlyphPlace place);
    TGlyphPlace GlyphPlace() const { return Place; }

    // A menu dropped down just below the button after each click (after clicked() is emitted);
    // nullptr for none. The button does not own the menu.
    void SetDropDown(QMenu* menu);
    QMenu* DropDown() const { return Menu; }
    // Asked before the menu drops down; answering false leaves it closed (e.g. a refused password).
    std::function<bool()> OnBeforeDropDown;

    // The mouse is over the button (the raised frame is showing).
    bool IsHot() const { return Hot; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Clicked();
    void ShowDropDown();
    QSize CaptionSize() const;
    QPixmap DrawnGlyph() const;
    void PaintCaption(QPainter& painter, const QRect& rect, int alignment) const;

    QPixmap GlyphPixmap;
    TGlyphPlace Place = TGlyphPlace::Left;
    QMenu* Menu = nullptr;
    bool Hot = false;
};

} // namespace qz::gui
