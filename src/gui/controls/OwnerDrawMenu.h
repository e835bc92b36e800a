#pragma once
// The tool bar's drop-down menus ("&Tools", "&Reports", "&Options"), drawn by the program: each
// item as wide as its caption in bold plus 20 pixels and as high as the text plus 6, on the tool
// bar's button colour; the chosen item bold in the highlight colours.

#include <QMenu>

namespace qz::gui {

class TOwnerDrawMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int CaptionLeft = 20; // the caption starts this far from the item's left
    static constexpr int ExtraWidth = 20;  // added to the bold caption's width
    static constexpr int ExtraHeight = 6;  // added to the text height

    explicit TOwnerDrawMenu(QWidget* parent = nullptr);
    explicit TOwnerDrawMenu(const QString& title, QWidget* parent = nullptr);

    // The size an item asks for: the caption in bold plus 20 by the text height plus 6; a separator
    // is half the text height high.
    static QSize ItemSize(const QString& caption, bool separator, const QFont& font);
};

} // namespace qz::gui
