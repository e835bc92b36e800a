#include "TransactBookCombo.h"

#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace qz::gui {

namespace {

constexpr int NumberRole = Qt::UserRole;
constexpr int ColourRole = Qt::UserRole + 1;

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// The account on `rect` as the chosen one: bold white on its colour.
void DrawChosen(QPainter& painter, const QRect& rect, const QColor& colour, const QFont& font, const QString& text) {
    painter.save();
    painter.fillRect(rect, colour);
    painter.setFont(Bold(font));
    painter.setPen(QColor(Qt::white));
    const QRect room = rect.adjusted(4, 0, -2, 0);
    painter.drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, room.width()));
    painter.restore();
}

class TAccountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), QFontMetrics(Bold(option.font)).height() + 6));
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (option.state & QStyle::State_Selected) {
            DrawChosen(*painter, option.rect, index.data(ColourRole).value<QColor>(), option.font,
                       index.data().toString());
            return;
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

} // namespace

TBookCombo::TBookCombo(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new TAccountDelegate(this));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
}

void TBookCombo::SetAccounts(const std::vector<TAccountItem>& accounts, std::optional<std::int32_t> chosen) {
    bool same = count() == static_cast<int>(accounts.size());
    for (int i = 0; same && i < count(); ++i)
        same = itemData(i, NumberRole).toInt() == accounts[static_cast<std::size_t>(i)].Number &&
               itemText(i) == FromDocument(accounts[static_cast<std::size_t>(i)].Name) &&
               itemData(i, ColourRole).value<QColor>() == ToQColor(accounts[static_cast<std::size_t>(i)].Colour);
    if (!same) {
        clear();
        for (const TAccountItem& account : accounts) {
            addItem(FromDocument(account.Name), account.Number);
            setItemData(count() - 1, ToQColor(account.Colour), ColourRole);
        }
    }
    setCurrentIndex(chosen ? findData(*chosen, NumberRole) : -1);
    update();
}

std::optional<std::int32_t> TBookCombo::ChosenNumber() const {
    if (currentIndex() < 0)
        return std::nullopt;
    return itemData(currentIndex(), NumberRole).toInt();
}

QColor TBookCombo::ChosenColour() const {
    return currentIndex() < 0 ? QColor() : itemData(currentIndex(), ColourRole).value<QColor>();
}

void TBookCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QString text = option.currentText;
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawChosen(painter, field, ChosenColour(), font(), text);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = field.adjusted(1, 1, -1, -1);
        focus.backgroundColor = ChosenColour();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace qz::gui
