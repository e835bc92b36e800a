#include "OwnerDrawMenu.h"

#include "ShownCaption.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOptionMenuItem>

namespace qz::gui {

namespace {

constexpr int CaptionFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;
// The darkest of the shadow, next to the frame (of 255).
constexpr int ShadowAlpha = 110;
// The frame's line against the system's shadow colour, in percent.
constexpr int FrameDarker = 150;

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// Everything else is left to the application's style; only the items are measured and drawn here.
class TOwnerDrawStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type != CT_MenuItem)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (!item)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        return TOwnerDrawMenu::ItemSize(item->text, item->menuItemType == QStyleOptionMenuItem::Separator, item->font);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        DrawItem(*item, *painter);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        // The items fill the menu inside its frame.
        if (metric == PM_MenuHMargin || metric == PM_MenuVMargin)
            return 0;
        if (metric == PM_MenuPanelWidth)
            return TOwnerDrawMenu::FrameWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        // The menu draws its frame itself, inside the band of its shadow.
        if (element == PE_FrameMenu)
            return;
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    static void DrawItem(const QStyleOptionMenuItem& item, QPainter& painter) {
        // The menu's own colours, whatever group the item's state would pick.
        QPalette palette = item.palette;
        palette.setCurrentColorGroup(QPalette::Active);
        painter.save();
        painter.fillRect(item.rect, palette.color(QPalette::Button));
        if (item.menuItemType == QStyleOptionMenuItem::Separator) {
            const int middle = item.rect.center().y();
            painter.setPen(palette.color(QPalette::Dark));
            painter.drawLine(item.rect.left() + 2, middle, item.rect.right() - 2, middle);
            painter.setPen(palette.color(QPalette::Light));
            painter.drawLine(item.rect.left() + 2, middle + 1, item.rect.right() - 2, middle + 1);
            painter.restore();
            return;
        }
        const bool enabled = item.state.testFlag(QStyle::State_Enabled);
        const bool selected = enabled && item.state.testFlag(QStyle::State_Selected);
        QFont font = item.font;
        if (selected) {
            font.setBold(true);
            painter.fillRect(item.rect, palette.color(QPalette::Highlight));
            painter.setPen(palette.color(QPalette::HighlightedText));
        } else if (!enabled) {
            painter.setPen(palette.color(QPalette::Dark));
        } else {
            painter.setPen(palette.color(QPalette::WindowText));
        }
        painter.setFont(font);
        const QRect caption = item.rect.adjusted(TOwnerDrawMenu::CaptionLeft, 0, 0, 0);
        const int shortcut = item.text.indexOf(u'\t');
        painter.drawText(caption, CaptionFlags | Qt::AlignLeft | Qt::AlignVCenter,
                         shortcut < 0 ? item.text : item.text.left(shortcut));
        painter.restore();
    }
};

QStyle* OwnerDrawStyle() {
    // One style for every such menu; it lives as long as the application.
    static QPointer<TOwnerDrawStyle> style;
    if (!style) {
        style = new TOwnerDrawStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

TOwnerDrawMenu::TOwnerDrawMenu(QWidget* parent) : TOwnerDrawMenu(QString(), parent) {}

TOwnerDrawMenu::TOwnerDrawMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    setStyle(OwnerDrawStyle());
    // Room for the shadow below and right of the frame.
    setContentsMargins(0, 0, ShadowWidth, ShadowWidth);
}

QRect TOwnerDrawMenu::FrameRect() const {
    return rect().adjusted(0, 0, -ShadowWidth, -ShadowWidth);
}

void TOwnerDrawMenu::showEvent(QShowEvent* event) {
    // Taken before the menu is on the screen. Where the screen cannot be read, the shadow falls on
    // the window colour.
    BeneathPixmap = QPixmap();
    if (QScreen* shownOn = screen())
        BeneathPixmap = shownOn->grabWindow(0, x(), y(), width(), height());
    if (BeneathPixmap.size() != size()) {
        BeneathPixmap = QPixmap(size());
        BeneathPixmap.fill(palette().color(QPalette::Window));
    }
    QMenu::showEvent(event);
}

void TOwnerDrawMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    QPainter painter(this);
    PaintFrame(painter);
    PaintShadow(painter);
}

// A dark line around the menu, so that it stands apart from the tool bar of the same colour it
// drops over; inside it a raised edge, light above and left, darker below and right.
void TOwnerDrawMenu::PaintFrame(QPainter& painter) const {
    const QPalette& colours = palette();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(colours.color(QPalette::Active, QPalette::Shadow).darker(FrameDarker));
    painter.drawRect(FrameRect().adjusted(0, 0, -1, -1));
    const QRect edge = FrameRect().adjusted(1, 1, -1, -1);
    painter.setPen(colours.color(QPalette::Active, QPalette::Light));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(colours.color(QPalette::Active, QPalette::Dark));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
}

// What lay under the bands right of and below the frame, darkened the more the nearer the frame:
// the frame's shape moved a band's width down and right, softening outwards.
void TOwnerDrawMenu::PaintShadow(QPainter& painter) const {
    const QRect frame = FrameRect();
    const QRect right(frame.right() + 1, 0, ShadowWidth, height());
    const QRect below(0, frame.bottom() + 1, width(), ShadowWidth);
    painter.drawPixmap(right, BeneathPixmap, right);
    painter.drawPixmap(below, BeneathPixmap, below);
    const int r = frame.right();
    const int b = frame.bottom();
    for (int depth = 1; depth <= ShadowWidth; ++depth) {
        const QColor shade(0, 0, 0, ShadowAlpha * (ShadowWidth + 1 - depth) / ShadowWidth);
        painter.fillRect(QRect(QPoint(r + depth, ShadowWidth), QPoint(r + depth, b)), shade);
        painter.fillRect(QRect(QPoint(ShadowWidth, b + depth), QPoint(r, b + depth)), shade);
        // The corner: the pixels whose farther distance from the frame is `depth`.
        for (int nearer = 1; nearer <= depth; ++nearer) {
            painter.fillRect(QRect(r + depth, b + nearer, 1, 1), shade);
            if (nearer != depth)
                painter.fillRect(QRect(r + nearer, b + depth, 1, 1), shade);
        }
    }
}

QSize TOwnerDrawMenu::ItemSize(const QString& caption, bool separator, const QFont& font) {
    const int textHeight = QFontMetrics(font).height();
    if (separator)
        return {ExtraWidth, textHeight / 2};
    const int width = QFontMetrics(Bold(font)).horizontalAdvance(ShownCaption(caption));
    return {width + ExtraWidth, textHeight + ExtraHeight};
}

} // namespace qz::gui
