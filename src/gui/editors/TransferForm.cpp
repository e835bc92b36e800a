#include "TransferForm.h"

#include "controls/HelpContext.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int IndexRole = Qt::UserRole;      // the pair's index in the transfer list
constexpr int ColourRole = Qt::UserRole + 1; // an account cell's colour; none for an empty cell

// Rows one text height plus 7 pixels high; each account cell ends with a swatch of the account's colour.
class TTransferRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(option.fontMetrics.height() + 7);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant colour = index.data(ColourRole);
        if (!colour.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const int side = option.rect.height() - 8;
        const QRect swatch(option.rect.right() - 4 - 2 * side, option.rect.top() + 4, 2 * side, side);
        QStyleOptionViewItem text = option;
        text.rect.setRight(swatch.left() - 2);
        painter->save();
        // The cell's background under the swatch as well.
        QStyleOptionViewItem whole = option;
        initStyleOption(&whole, index);
        whole.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &whole, painter, option.widget);
        QStyledItemDelegate::paint(painter, text, index);
        painter->setPen(QColor(Qt::black));
        painter->setBrush(colour.value<QColor>());
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

TTransfer::TTransfer(TTransferContext context, const TTransRec* record, QWidget* parent)
    : QDialog(parent), Ctx(std::move(context)) {
    setWindowTitle(QStringLiteral("Transfer"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("Transfer"));
    SetHelpContext(this, HelpTopic);

    TransferListView = new QTreeWidget(this);
    TransferListView->setObjectName(QStringLiteral("TransferListView"));
    TransferListView->setColumnCount(4);
    TransferListView->setHeaderLabels(
        {QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Date"), QStringLiteral("Amount")});
    TransferListView->headerItem()->setTextAlignment(DateColumn, Qt::AlignCenter);
    TransferListView->headerItem()->setTextAlignment(AmountColumn, Qt::AlignRight | Qt::AlignVCenter);
    TransferListView->setRootIsDecorated(false);
    TransferListView->setItemsExpandable(false);
    TransferListView->setUniformRowHeights(true);
    TransferListView->setAllColumnsShowFocus(true);
    TransferListView->setSelectionMode(QAbstractItemView::SingleSelection);
    TransferListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    TransferListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TransferListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TransferListView->setItemDelegate(new TTransferRowDelegate(TransferListView));
    QHeaderView* header = TransferListView->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(FromColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(ToColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(DateColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(AmountColumn, QHeaderView::Fixed);
    header->resizeSection(DateColumn, 90);
    TransferListView->setMinimumSize(520, 260);

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    NewBtn = button(QStringLiteral("&New"), "NewBtn");
    EditBtn = button(QStringLiteral("&Edit"), "EditBtn");
    DeleteBtn = button(QStringLiteral("&Delete"), "DeleteBtn");
    OKBtn = button(QStringLiteral("&OK"), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = button(QStringLiteral("&Cancel"), "CancelBtn");
    HelpBtn = button(QStringLiteral("&Help"), "HelpBtn");

    connect(NewBtn, &QPushButton::clicked, this, &TTransfer::NewBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TTransfer::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TTransfer::DeleteBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });
    connect(TransferListView, &QTreeWidget::itemSelectionChanged, this, &TTransfer::ChosenChanged);
    connect(TransferListView, &QTreeWidget::itemDoubleClicked, this, [this] { EditBtnClick(); });

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {NewBtn, EditBtn, DeleteBtn})
        side->addWidget(b);
    side->addStretch();
    for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn})
        side->addWidget(b);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(TransferListView, 1);
    layout->addSpacing(4);
    layout->addLayout(side);

    const std::int32_t chosen = TransferIndexOf(Ctx.Edit->Ledger.TransferList, record);
    FillList(NumberOf(chosen));
    (chosen >= 0 ? static_cast<QWidget*>(TransferListView) : NewBtn)->setFocus();
}

bool TTransfer::OpenTransfers(QWidget* parent, const TTransferContext& context, const TTransRec* record) {
    TTransfer window(context, record, parent);
    const bool ok = window.exec() == QDialog::Accepted;
    return ok || window.Changed();
}

std::int32_t TTransfer::NumberOf(std::int32_t index) const {
    const TTransferRec* pair = Ctx.Edit->Ledger.TransferList.Item(index);
    return pair ? pair->ToTrans->Number : -1;
}

void TTransfer::FillList(std::int32_t number) {
    const TTransferList& transfers = Ctx.Edit->Ledger.TransferList;
    const TDisplayFormats& formats = *Ctx.Formats;
    QTreeWidgetItem* chosen = nullptr;
    {
        const QSignalBlocker quiet(TransferListView);
        TransferListView->clear();
        for (std::int32_t i = 0; i < transfers.Count(); ++i) {
            const TTransferRec& pair = *transfers.Item(i);
            const TTransRec& out = *pair.ToTrans;
            const TBookRec* from = out.BookRec;
            const TBookRec* to = pair.FromTrans ? pair.FromTrans->BookRec : nullptr;
            auto* item = new QTreeWidgetItem(TransferListView);
            for (auto [column, account] : {std::pair(FromColumn, from), std::pair(ToColumn, to)})
                if (account) {
                    item->setText(column, FromDocument(account->Name.View()));
                    item->setData(column, ColourRole, ToQColor(account->Colour));
                }
            item->setText(DateColumn, FromDocument(formats.DateText(out.Date)));
            item->setTextAlignment(DateColumn, Qt::AlignCenter);
            item->setText(AmountColumn, FromDocument(formats.MoneyText(out.Amount)));
            item->setTextAlignment(AmountColumn, Qt::AlignRight | Qt::AlignVCenter);
            item->setData(FromColumn, IndexRole, i);
            if (out.Number == number)
                chosen = item;
        }
        if (chosen) {
            TransferListView->setCurrentItem(chosen);
            TransferListView->scrollToItem(chosen);
        }
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, TransferListView);
    TransferListView->header()->resizeSection(
        AmountColumn, AmountColumnWidth - (transfers.Count() >= RowsBeforeScrollBar ? scrollBar : 0));
    ChosenChanged();
}

std::int32_t TTransfer::ChosenIndex() const {
    const QList<QTreeWidgetItem*> chosen = TransferListView->selectedItems();
    return chosen.isEmpty() ? -1 : chosen.front()->data(FromColumn, IndexRole).toInt();
}

void TTransfer::ChosenChanged() {
    const bool chosen = ChosenIndex() >= 0;
    EditBtn->setEnabled(chosen);
    DeleteBtn->setEnabled(chosen);
}

void TTransfer::Note(const TEditOutcome& outcome) {
    // A commit given up brought the records back from the document: the worksheet catches up too.
    AnyChange |= outcome.Done() || outcome.Result == TEditResult::NotStored;
}

void TTransfer::NewBtnClick() {
    TEditContext& edit = *Ctx.Edit;
    const TAccessScope access(edit, TAccessArea::Adding);
    if (!access)
        return;
    TTransferFields fields = NewTransferFields(edit.Ledger, Ctx.Today);
    if (!TNewEditTransfer::EditTransfer(this, Ctx, true, fields))
        return;
    const std::int32_t was = NumberOf(ChosenIndex());
    const TEditOutcome outcome = AddTransfer(edit, fields, *Ctx.Formats);
    Note(outcome);
    FillList(outcome.Done() ? NumberOf(outcome.Index) : was);
}

void TTransfer::EditBtnClick() {
    TEditContext& edit = *Ctx.Edit;
    const std::int32_t index = ChosenIndex();
    if (index < 0)
        return;
    const std::int32_t number = NumberOf(index);
    const TAccessScope access(edit, TAccessArea::Editing);
    if (!access)
        return;
    TTransferFields fields = TransferFieldsOf(*edit.Ledger.TransferList.Item(index));
    if (!TNewEditTransfer::EditTransfer(this, Ctx, false, fields))
        return;
    Note(ChangeTransfer(edit, index, fields, *Ctx.Formats));
    FillList(number);
}

void TTransfer::DeleteBtnClick() {
    const std::int32_t index = ChosenIndex();
    if (index < 0)
        return;
    const std::int32_t number = NumberOf(index);
    const TEditOutcome outcome = DeleteTransfer(*Ctx.Edit, index);
    Note(outcome);
    FillList(outcome.Done() ? -1 : number);
}

} // namespace qz::gui
