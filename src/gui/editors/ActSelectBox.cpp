#include "ActSelectBox.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

enum Column { TickColumn = 0, NumberColumn = 1, NameColumn = 2 };

// Rows 18 pixels high at the least; the tick box keeps the plain style's colours on the
// highlighted row, whose white text would otherwise hide a tick on the debit side's red.
class TTickDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int RowHeight = 18;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width(), std::max(size.height(), RowHeight)};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.column() != TickColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &cell, view);
        const bool ticked = cell.checkState == Qt::Checked;
        cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);

        QStyleOptionViewItem tick;
        tick.rect = box;
        tick.state = (option.state & QStyle::State_Enabled) | (ticked ? QStyle::State_On : QStyle::State_Off);
        tick.palette = view ? QApplication::palette(view) : QApplication::palette();
        if (!(option.state & QStyle::State_Enabled))
            tick.palette.setCurrentColorGroup(QPalette::Disabled);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &tick, painter, view);
    }
};

} // namespace

TActSelectBox::TActSelectBox(const QString& title, const QString& nameColumn, bool numbers, QWidget* parent)
    : QWidget(parent) {
    Title = new QLabel(title, this);
    QFont bold = Title->font();
    bold.setBold(true);
    Title->setFont(bold);

    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("Rows"));
    List->setHeaderLabels({QString(), QStringLiteral("No."), nameColumn});
    List->setRootIsDecorated(false);
    List->setUniformRowHeights(true);
    List->setAllColumnsShowFocus(true);
    List->header()->setSectionsMovable(false);
    List->header()->setStretchLastSection(true);
    List->header()->setSectionResizeMode(TickColumn, QHeaderView::Fixed);
    List->setColumnWidth(TickColumn, 26);
    List->setColumnWidth(NumberColumn, 50);
    List->setColumnHidden(NumberColumn, !numbers);
    List->setItemDelegate(new TTickDelegate(List));
    List->setContextMenuPolicy(Qt::CustomContextMenu);
    List->installEventFilter(this);
    Title->setBuddy(List);
    SetColours(QColor(0x00, 0xFF, 0x00), Qt::black);

    AllBtn = new QToolButton(this);
    AllBtn->setObjectName(QStringLiteral("SelectAllBtn"));
    AllBtn->setText(QStringLiteral("Select All"));
    NoneBtn = new QToolButton(this);
    NoneBtn->setObjectName(QStringLiteral("UnselectAllBtn"));
    NoneBtn->setText(QStringLiteral("Unselect All"));
    connect(AllBtn, &QToolButton::clicked, this, [this] { emit AllTicked(true); });
    connect(NoneBtn, &QToolButton::clicked, this, [this] { emit AllTicked(false); });
    connect(List, &QTreeWidget::customContextMenuRequested, this, &TActSelectBox::ShowMenu);

    connect(List, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (Filling || column != TickColumn)
            return;
        emit TickChanged(List->indexOfTopLevelItem(item), item->checkState(TickColumn) == Qt::Checked);
    });
    connect(List, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!Filling)
            emit HighlightChanged(item ? List->indexOfTopLevelItem(item) : -1);
    });

    auto* commands = new QHBoxLayout;
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addStretch();
    commands->addWidget(AllBtn);
    commands->addWidget(NoneBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(Title);
    layout->addWidget(List, 1);
    layout->addLayout(commands);
}

void TActSelectBox::SetRows(const std::vector<TRow>& rows) {
    Filling = true;
    List->clear();
    for (const TRow& row : rows) {
        auto* item = new QTreeWidgetItem(List, {QString(), row.Number, row.Name});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                       (TicksOn ? Qt::ItemIsUserCheckable : Qt::ItemFlags()));
        item->setCheckState(TickColumn, row.Ticked ? Qt::Checked : Qt::Unchecked);
    }
    List->setCurrentItem(nullptr);
    Filling = false;
}

void TActSelectBox::SetTicks(const std::vector<bool>& ticks) {
    for (int row = 0; row < RowCount() && row < static_cast<int>(ticks.size()); ++row)
        SetTicked(row, ticks[static_cast<std::size_t>(row)]);
}

void TActSelectBox::SetTicked(int row, bool on) {
    if (QTreeWidgetItem* item = List->topLevelItem(row)) {
        Filling = true;
        item->setCheckState(TickColumn, on ? Qt::Checked : Qt::Unchecked);
        Filling = false;
    }
}

bool TActSelectBox::Ticked(int row) const {
    const QTreeWidgetItem* item = List->topLevelItem(row);
    return item && item->checkState(TickColumn) == Qt::Checked;
}

int TActSelectBox::RowCount() const {
    return List->topLevelItemCount();
}

int TActSelectBox::Highlighted() const {
    QTreeWidgetItem* item = List->currentItem();
    return item && item->isSelected() ? List->indexOfTopLevelItem(item) : -1;
}

void TActSelectBox::SetHighlighted(int row) {
    List->setCurrentItem(List->topLevelItem(row));
}

void TActSelectBox::ClearHighlight() {
    Filling = true;
    List->setCurrentItem(nullptr);
    List->clearSelection();
    Filling = false;
}

void TActSelectBox::SetColours(const QColor& background, const QColor& text) {
    List->setStyleSheet(QStringLiteral("QTreeWidget::item:selected { background: %1; color: %2; }")
                            .arg(background.name(), QColor(text).name()));
}

void TActSelectBox::SetTicksEnabled(bool on) {
    TicksOn = on;
    Filling = true;
    for (int row = 0; row < RowCount(); ++row) {
        QTreeWidgetItem* item = List->topLevelItem(row);
        item->setFlags(on ? item->flags() | Qt::ItemIsUserCheckable : item->flags() & ~Qt::ItemIsUserCheckable);
    }
    Filling = false;
    AllBtn->setEnabled(on);
    NoneBtn->setEnabled(on);
}

// Space ticks or unticks the highlighted row, whichever of its cells the user clicked on.
bool TActSelectBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        QTreeWidgetItem* item = List->currentItem();
        if (TicksOn && item)
            item->setCheckState(TickColumn, item->checkState(TickColumn) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TActSelectBox::ShowMenu(const QPoint& at) {
    if (!TicksOn)
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("Select All"), this, [this] { emit AllTicked(true); });
    menu.addAction(QStringLiteral("Unselect All"), this, [this] { emit AllTicked(false); });
    menu.exec(List->viewport()->mapToGlobal(at));
}

} // namespace qz::gui
