#include "OwnerDrawMenu.h"

#include "ShownCaption.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace qz::gui {

namespace {

constexpr int CaptionFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;

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
        // The items fill the menu; the frame stays the style's.
        if (metric == PM_MenuHMargin || metric == PM_MenuVMargin)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
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
}

QSize TOwnerDrawMenu::ItemSize(const QString& caption, bool separator, const QFont& font) {
    const int textHeight = QFontMetrics(font).height();
    if (separator)
        return {ExtraWidth, textHeight / 2};
    const int width = QFontMetrics(Bold(font)).horizontalAdvance(ShownCaption(caption));
    return {width + ExtraWidth, textHeight + ExtraHeight};
}

} // namespace qz::gui
