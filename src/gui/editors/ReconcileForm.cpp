#include "ReconcileForm.h"

#include "controls/HelpContext.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "platform/TextCodec.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int RowRole = Qt::UserRole;
enum TColumn { CheckColumn, DateColumn, ReferenceColumn, CategoryColumn, SubCategoryColumn, AmountColumn };
constexpr int PartIndent = 12;

// The shade of a split's part rows: the row colour drawn a little towards blue.
QColor SplitShade(const QColor& row) {
    const auto mix = [](int from, int to) { return from + (to - from) * 7 / 100; };
    return QColor(mix(row.red(), 0), mix(row.green(), 64), mix(row.blue(), 255));
}

QColor PartTextColour() {
    return QColor(0, 0, 255);
}

} // namespace

// The list: a press of the mouse or the space bar on a row ticks it; an empty list says so in
// its middle.
class TReconcileList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    std::function<void(int row)> OnToggle;
    std::function<void()> OnResized;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        QTreeWidget::mousePressEvent(event);
        if (event->button() != Qt::LeftButton)
            return;
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()); item && OnToggle)
            OnToggle(item->data(CheckColumn, RowRole).toInt());
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
            if (QTreeWidgetItem* item = currentItem(); item && OnToggle)
                OnToggle(item->data(CheckColumn, RowRole).toInt());
            event->accept();
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        QTreeWidget::paintEvent(event);
        if (topLevelItemCount() > 0)
            return;
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(viewport()->rect(), Qt::AlignCenter, QString::fromUtf8(TReconciliation::EmptyText));
    }
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        if (OnResized)
            OnResized();
    }
};

namespace {

// Plain and summary rows in the text colour on the row colour, with a check box; a split's
// part rows in blue italics on a lighter shade, indented, with a small tick mark, and a thin
// line between two parts of one transaction; "Split Transaction" in bold.
class TReconcileRowDelegate : public QStyledItemDelegate {
public:
    TReconcileRowDelegate(const TReconciliation& model, QObject* parent) : QStyledItemDelegate(parent), Model(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(option.fontMetrics.height() + 9);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int at = index.siblingAtColumn(CheckColumn).data(RowRole).toInt();
        if (at < 0 || static_cast<std::size_t>(at) >= Model.Rows().size())
            return;
        const TReconcileRow& row = Model.Rows()[static_cast<std::size_t>(at)];
        const bool part = row.Kind == TReconcileRowKind::Part;
        const bool chosen = option.state & QStyle::State_Selected;
        const QColor base = option.palette.color(QPalette::Base);
        painter->save();
        painter->fillRect(option.rect, chosen ? option.palette.color(QPalette::Highlight)
                                       : part ? SplitShade(base)
                                              : base);
        if (part && at > 0) {
            const TReconcileRow& above = Model.Rows()[static_cast<std::size_t>(at) - 1];
            if (above.Kind == TReconcileRowKind::Part && above.Number == row.Number) {
                painter->setPen(SplitShade(SplitShade(SplitShade(base))).darker(115));
                painter->drawLine(option.rect.topLeft(), option.rect.topRight());
            }
        }
        if (index.column() == CheckColumn)
            DrawTick(painter, option, row, chosen);
        else
            DrawText(painter, option, index, row, chosen);
        painter->restore();
    }

private:
    static void DrawTick(QPainter* painter, const QStyleOptionViewItem& option, const TReconcileRow& row, bool chosen) {
        if (row.Kind == TReconcileRowKind::Part) {
            if (!row.Ticked)
                return;
            const QRect r = option.rect;
            const int side = std::min(r.height() - 8, 9);
            const QPointF at(r.left() + PartIndent, r.center().y() - side / 2.0);
            QPainterPath tick;
            tick.moveTo(at + QPointF(0, side * 0.55));
            tick.lineTo(at + QPointF(side * 0.38, side));
            tick.lineTo(at + QPointF(side, 0));
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(QPen(chosen ? option.palette.color(QPalette::HighlightedText) : PartTextColour(), 1.6));
            painter->drawPath(tick);
            return;
        }
        QStyleOptionButton box;
        const QStyle* style = option.widget ? option.widget->style() : nullptr;
        if (!style)
            return;
        const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, option.widget);
        box.rect = QRect(option.rect.left() + 4, option.rect.center().y() - side / 2, side, side);
        box.state = QStyle::State_Enabled | (row.Ticked ? QStyle::State_On : QStyle::State_Off);
        box.palette = option.palette;
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
    }

    static void DrawText(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                         const TReconcileRow& row, bool chosen) {
        const bool part = row.Kind == TReconcileRowKind::Part;
        QFont font = option.font;
        font.setItalic(part);
        font.setBold(row.Kind == TReconcileRowKind::Summary && index.column() == CategoryColumn);
        painter->setFont(font);
        painter->setPen(chosen ? option.palette.color(QPalette::HighlightedText)
                        : part ? PartTextColour()
                               : option.palette.color(QPalette::Text));
        QRect text = option.rect.adjusted(4, 0, -4, 0);
        if (part && index.column() == CategoryColumn)
            text.setLeft(text.left() + PartIndent);
        const Qt::Alignment across = index.column() == DateColumn     ? Qt::AlignHCenter
                                     : index.column() == AmountColumn ? Qt::AlignRight
                                                                      : Qt::AlignLeft;
        const QString shown = QFontMetrics(font).elidedText(index.data().toString(), Qt::ElideRight, text.width());
        painter->drawText(text, static_cast<int>(across | Qt::AlignVCenter), shown);
    }

    const TReconciliation& Model;
};

} // namespace

TReconcile::TReconcile(TReconcileContext context, QWidget* parent)
    : QDialog(parent), Ctx(std::move(context)), Model(std::make_unique<TReconciliation>(*Ctx.Edit, *Ctx.Formats)) {
    setWindowTitle(QStringLiteral("Reconcile Transactions"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("Reconcile"));
    SetHelpContext(this, HelpTopic);
    CreateControls();
    // The rows leave the list before the message says how many were reconciled.
    Model->RowsChanged = [this] {
        FillList();
        TickChanged();
    };
    FillList();
    TickChanged();
    StatementChanged();
    resize(760, 560);
    ListView->setFocus();
}

TReconcile::~TReconcile() = default;

bool TReconcile::OpenReconcile(QWidget* parent, const TReconcileContext& context, std::uint16_t* refresh) {
    TReconcile window(context, parent);
    window.exec();
    if (refresh)
        *refresh |= window.RefreshNeeded();
    return window.AnyReconciled();
}

void TReconcile::CreateControls() {
    HintLabel = new QLabel(QStringLiteral("Tick the Transactions to be reconciled"), this);
    HintLabel->setObjectName(QStringLiteral("HintLabel"));

    ListView = new TReconcileList(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(6);
    ListView->setHeaderLabels({QString(), QStringLiteral("Date"), QStringLiteral("Reference"),
                               QStringLiteral("Category"), QStringLiteral("Sub Category"), QStringLiteral("Amount")});
    ListView->headerItem()->setTextAlignment(DateColumn, Qt::AlignCenter);
    ListView->headerItem()->setTextAlignment(AmountColumn, Qt::AlignRight | Qt::AlignVCenter);
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView->setMinimumSize(540, 200);
    ListView->setItemDelegate(new TReconcileRowDelegate(*Model, ListView));
    ListView->header()->setSectionsMovable(false);
    ListView->header()->setStretchLastSection(false);
    for (int column = CheckColumn; column <= AmountColumn; ++column)
        ListView->header()->setSectionResizeMode(column, column == SubCategoryColumn ? QHeaderView::Stretch
                                                                                     : QHeaderView::Fixed);
    ListView->OnToggle = [this](int row) { ToggleRow(row); };
    ListView->OnResized = [this] { FitColumns(); };

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    SelAllBtn = button(QStringLiteral("&Select All"), "SelAllBtn");
    UnselAllBtn = button(QStringLiteral("&Unselect All"), "UnselAllBtn");
    ReconcileBtn = button(QStringLiteral("&Reconcile Now"), "ReconcileBtn");
    CloseBtn = button(QStringLiteral("&Close"), "CloseBtn");
    HelpBtn = button(QStringLiteral("&Help"), "HelpBtn");
    connect(SelAllBtn, &QPushButton::clicked, this, [this] { SelAllBtnClick(true); });
    connect(UnselAllBtn, &QPushButton::clicked, this, [this] { SelAllBtnClick(false); });
    connect(ReconcileBtn, &QPushButton::clicked, this, &TReconcile::ReconcileBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {SelAllBtn, UnselAllBtn, ReconcileBtn})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    buttons->addWidget(HelpBtn);
    auto* listSide = new QVBoxLayout;
    listSide->addWidget(HintLabel);
    listSide->addWidget(ListView, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(listSide, 1);
    top->addSpacing(4);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(CreateBalances());
}

QWidget* TReconcile::CreateBalances() {
    auto* area = new QWidget(this);
    auto label = [area](const QString& text, const char* name, Qt::Alignment align = Qt::AlignLeft) {
        auto* l = new QLabel(text, area);
        if (name)
            l->setObjectName(QLatin1String(name));
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };
    auto* balances = new QGroupBox(QStringLiteral("Balances"), area);
    balances->setObjectName(QStringLiteral("BalancesBox"));
    BalLabel = label({}, "BalLabel", Qt::AlignRight);
    UnclearedLabel = label({}, "UnclearedLabel");
    TotalDisLabel = label({}, "TotalDisLabel", Qt::AlignRight);
    AllLabel = label({}, "AllLabel", Qt::AlignRight);
    auto* grid = new QGridLayout(balances);
    grid->addWidget(label(QStringLiteral("Reconciled Transactions"), nullptr), 0, 0);
    grid->addWidget(BalLabel, 0, 1);
    grid->addWidget(UnclearedLabel, 1, 0);
    grid->addWidget(TotalDisLabel, 1, 1);
    grid->addWidget(label(QStringLiteral("All Transactions"), nullptr), 2, 0);
    grid->addWidget(AllLabel, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(1, QFontMetrics(font()).horizontalAdvance(QStringLiteral("-$00,000,000.00")));

    auto* statement = new QGroupBox(QStringLiteral("Statement"), area);
    statement->setObjectName(QStringLiteral("StatementGroup"));
    StatementBox = new TNumberBox(TNumberKind::Currency, statement);
    StatementBox->setObjectName(QStringLiteral("StatementBox"));
    StatementBox->SetSigned(true);
    StatementBox->setToolTip(QStringLiteral("The closing balance of the bank statement"));
    DifferenceLabel = label({}, "DifferenceLabel", Qt::AlignRight);
    auto* statementGrid = new QGridLayout(statement);
    auto* statementLabel = label(QStringLiteral("Statement balance"), nullptr);
    statementLabel->setBuddy(StatementBox);
    statementGrid->addWidget(statementLabel, 0, 0);
    statementGrid->addWidget(StatementBox, 0, 1);
    statementGrid->addWidget(label(QStringLiteral("Difference"), nullptr), 1, 0);
    statementGrid->addWidget(DifferenceLabel, 1, 1);
    statementGrid->setColumnStretch(1, 1);
    statementGrid->setRowStretch(2, 1);
    connect(StatementBox, &QLineEdit::textChanged, this, &TReconcile::StatementChanged);

    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(balances, 3);
    row->addWidget(statement, 2);
    return area;
}

void TReconcile::FillList() {
    const int current = ListView->currentIndex().row();
    ListView->clear();
    QList<QTreeWidgetItem*> items;
    const auto& rows = Model->Rows();
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TReconcileRow& row = rows[i];
        auto* item = new QTreeWidgetItem({QString(), FromDocument(row.DateText), FromDocument(row.Reference),
                                          FromDocument(row.Category), FromDocument(row.SubCategory),
                                          FromDocument(row.AmountText)});
        item->setData(CheckColumn, RowRole, static_cast<int>(i));
        item->setTextAlignment(DateColumn, Qt::AlignCenter);
        item->setTextAlignment(AmountColumn, Qt::AlignRight | Qt::AlignVCenter);
        items.push_back(item);
    }
    ListView->addTopLevelItems(items);
    if (!items.isEmpty())
        ListView->setCurrentItem(items[std::clamp(current, 0, static_cast<int>(items.size()) - 1)]);
    FitColumns();
}

void TReconcile::FitColumns() {
    const QFontMetrics metrics(ListView->font());
    const int rowHeight = metrics.height() + 9;
    const int fit = rowHeight > 0 ? ListView->viewport()->height() / rowHeight : 0;
    const bool scrolls = ListView->topLevelItemCount() > fit;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ListView);
    QHeaderView* header = ListView->header();
    header->resizeSection(CheckColumn, style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, ListView) + 12);
    header->resizeSection(DateColumn, metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + 20);
    header->resizeSection(ReferenceColumn, 110);
    // Room for "Split Transaction" in bold, whatever the font.
    QFont bold = ListView->font();
    bold.setBold(true);
    const int category =
        std::max(CategoryColumnWidth,
                 QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(TReconciliation::SplitText)) + 12 + scrollBar);
    header->resizeSection(CategoryColumn, category - (scrolls ? scrollBar : 0));
    header->resizeSection(AmountColumn, metrics.horizontalAdvance(QStringLiteral("-$00,000,000.00")) + 12);
}

void TReconcile::TickChanged() {
    const TReconcileLabels labels = Model->Labels();
    BalLabel->setText(FromDocument(labels.Balance));
    UnclearedLabel->setText(FromDocument(labels.Uncleared));
    TotalDisLabel->setText(FromDocument(labels.TotalDis));
    AllLabel->setText(FromDocument(labels.All));
    DifferenceLabel->setText(FromDocument(labels.Difference));
    const std::optional<Money> difference = Model->Difference();
    QPalette palette = DifferenceLabel->parentWidget()->palette();
    if (difference && !difference->IsZero())
        palette.setColor(QPalette::WindowText, Qt::red);
    DifferenceLabel->setPalette(palette);
    ReconcileBtn->setEnabled(Model->CanReconcile());
    ListView->viewport()->update();
}

void TReconcile::StatementChanged() {
    Model->SetStatementBalance(StatementBox->text().isEmpty() ? std::nullopt
                                                              : std::optional<Money>(StatementBox->Value()));
    TickChanged();
}

void TReconcile::ToggleRow(int row) {
    if (row < 0)
        return;
    Model->Toggle(static_cast<std::size_t>(row));
    TickChanged();
}

void TReconcile::SelAllBtnClick(bool ticked) {
    Model->TickAll(ticked);
    TickChanged();
}

void TReconcile::ReconcileBtnClick() {
    Refresh |= Model->ReconcileNow().Refresh;
    TickChanged();
    ListView->setFocus();
}

} // namespace qz::gui
