#pragma once
// The tool bar's drop-down menus ("&Tools", "&Reports", "&Options"), drawn by the program: each
// item as wide as its caption in bold plus 20 pixels and as high as the text plus 6, on the tool
// bar's button colour; the chosen item bold in the highlight colours; a framed, raised menu.

#include <QMenu>
#include <QPixmap>

namespace qz::gui {

class TOwnerDrawMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int CaptionLeft = 20; // the caption starts this far from the item's left
    static constexpr int ExtraWidth = 20;  // added to the bold caption's width
    static constexpr int ExtraHeight = 6;  // added to the text height
    // The frame: a dark line, then a raised edge.
    static constexpr int FrameWidth = 2;
    // The shadow the menu casts below and right of its frame, over what lies under it.
    static constexpr int ShadowWidth = 4;

    explicit TOwnerDrawMenu(QWidget* parent = nullptr);
    explicit TOwnerDrawMenu(const QString& title, QWidget* parent = nullptr);

    // The size an item asks for: the caption in bold plus 20 by the text height plus 6; a separator
    // is half the text height high.
    static QSize ItemSize(const QString& caption, bool separator, const QFont& font);

    // The menu's frame, inside the band its shadow takes.
    QRect FrameRect() const;
    // What lay on the screen under the menu when it opened; the shadow is cast on it.
    const QPixmap& Beneath() const { return BeneathPixmap; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintFrame(QPainter& painter) const;
    void PaintShadow(QPainter& painter) const;

    QPixmap BeneathPixmap;
};

} // namespace qz::gui
