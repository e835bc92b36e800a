#include "BooksForm.h"

#include "NewEditBookForm.h"
#include "controls/HelpContext.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace qz::gui {

namespace {

constexpr int NumberRole = Qt::UserRole;
constexpr int ColourRole = Qt::UserRole + 1;
constexpr int NameColumn = 0;
constexpr int OpeningColumn = 1;

// A chosen row in bold white on the account's colour; the others in black on the row colour,
// with a swatch of the account's colour at the right end of the name.
class TBookRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QFont BoldOf(QFont font) {
        font.setBold(true);
        return font;
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(QFontMetrics(BoldOf(option.font)).height() + 7);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QColor colour = index.siblingAtColumn(NameColumn).data(ColourRole).value<QColor>();
        const bool chosen = option.state & QStyle::State_Selected;
        QRect text = option.rect.adjusted(4, 0, -4, 0);
        painter->save();
        painter->fillRect(option.rect, chosen ? colour : option.palette.color(QPalette::Base));
        if (!chosen && index.column() == NameColumn) {
            const int side = option.rect.height() - 8;
            const QRect swatch(option.rect.right() - 4 - 2 * side, option.rect.top() + 4, 2 * side, side);
            painter->setPen(QColor(Qt::black));
            painter->setBrush(colour);
            painter->drawRect(swatch.adjusted(0, 0, -1, -1));
            text.setRight(swatch.left() - 4);
        }
        painter->setFont(chosen ? BoldOf(option.font) : option.font);
        painter->setPen(chosen ? QColor(Qt::white) : QColor(Qt::black));
        const Qt::Alignment align =
            Qt::AlignVCenter | (index.column() == OpeningColumn ? Qt::AlignRight : Qt::AlignLeft);
        const QString shown = painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, text.width());
        painter->drawText(text, static_cast<int>(align), shown);
        painter->restore();
    }
};

} // namespace

TBooksForm::TBooksForm(TBooksContext context, std::int32_t index, QWidget* parent)
    : QDialog(parent), Ctx(std::move(context)) {
    setWindowTitle(QStringLiteral("Accounts"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("BooksForm"));
    SetHelpContext(this, HelpTopic);

    BookListView = new QTreeWidget(this);
    BookListView->setObjectName(QStringLiteral("BookListView"));
    BookListView->setColumnCount(2);
    BookListView->setHeaderLabels({QStringLiteral("Account Name"), QStringLiteral("Opening Balance")});
    BookListView->headerItem()->setTextAlignment(OpeningColumn, Qt::AlignRight | Qt::AlignVCenter);
    BookListView->setRootIsDecorated(false);
    BookListView->setItemsExpandable(false);
    BookListView->setUniformRowHeights(true);
    BookListView->setAllColumnsShowFocus(true);
    BookListView->setSelectionMode(QAbstractItemView::SingleSelection);
    BookListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    BookListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BookListView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    BookListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    BookListView->setItemDelegate(new TBookRowDelegate(BookListView));
    BookListView->header()->setStretchLastSection(false);
    BookListView->header()->setSectionsMovable(false);
    BookListView->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    BookListView->header()->setSectionResizeMode(OpeningColumn, QHeaderView::Fixed);
    BookListView->setMinimumSize(380, 240);

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
    UpBtn = ArrowButton(Qt::UpArrow, "UpBtn", QStringLiteral("Move Book up"));
    DownBtn = ArrowButton(Qt::DownArrow, "DownBtn", QStringLiteral("Move Book down"));

    connect(NewBtn, &QPushButton::clicked, this, &TBooksForm::NewBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TBooksForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TBooksForm::DeleteBtnClick);
    connect(UpBtn, &QToolButton::clicked, this, &TBooksForm::UpBtnClick);
    connect(DownBtn, &QToolButton::clicked, this, &TBooksForm::DownBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });
    connect(BookListView, &QTreeWidget::itemSelectionChanged, this, &TBooksForm::ChosenChanged);
    connect(BookListView, &QTreeWidget::itemDoubleClicked, this, [this] { EditBtnClick(); });

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(UpBtn);
    arrows->addWidget(DownBtn);
    arrows->addStretch();
    auto* side = new QVBoxLayout;
    side->addWidget(NewBtn);
    side->addWidget(EditBtn);
    side->addWidget(DeleteBtn);
    side->addStretch();
    side->addWidget(OKBtn);
    side->addWidget(CancelBtn);
    side->addWidget(HelpBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BookListView, 1);
    layout->addLayout(arrows);
    layout->addSpacing(4);
    layout->addLayout(side);

    const TBookList& accounts = Ctx.Edit->Ledger.BookList;
    FillList(index >= 0 && index < accounts.Count() ? accounts.Items(index)->Number : -1);
    BookListView->setFocus();
}

QToolButton* TBooksForm::ArrowButton(Qt::ArrowType arrow, const char* name, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(arrow);
    b->setToolTip(hint);
    b->setAutoRepeat(true);
    b->setFixedSize(28, 28);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

bool TBooksForm::OpenAccounts(QWidget* parent, const TBooksContext& context, std::int32_t index,
                              std::uint16_t& refresh) {
    TBooksForm form(context, index, parent);
    form.exec();
    refresh |= form.RefreshNeeded();
    return form.Changed();
}

void TBooksForm::FillList(std::int32_t number) {
    const TBookList& accounts = Ctx.Edit->Ledger.BookList;
    QTreeWidgetItem* chosen = nullptr;
    {
        const QSignalBlocker quiet(BookListView);
        BookListView->clear();
        for (const TBookRec* account : accounts.KeyList) {
            auto* item =
                new QTreeWidgetItem(BookListView, {FromDocument(account->Name.View()),
                                                   FromDocument(Ctx.Formats->MoneyText(account->OpeningBalance()))});
            item->setData(NameColumn, NumberRole, account->Number);
            item->setData(NameColumn, ColourRole, ToQColor(account->Colour));
            item->setTextAlignment(OpeningColumn, Qt::AlignRight | Qt::AlignVCenter);
            if (account->Number == number)
                chosen = item;
        }
        if (chosen) {
            BookListView->setCurrentItem(chosen);
            BookListView->scrollToItem(chosen);
        }
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, BookListView);
    BookListView->header()->resizeSection(OpeningColumn, OpeningColumnWidth -
                                                             (accounts.Count() >= RowsBeforeScrollBar ? scrollBar : 0));
    ChosenChanged();
}

std::int32_t TBooksForm::ChosenNumber() const {
    const QList<QTreeWidgetItem*> chosen = BookListView->selectedItems();
    return chosen.isEmpty() ? -1 : chosen.front()->data(NameColumn, NumberRole).toInt();
}

TBookRec* TBooksForm::ChosenAccount() const {
    const std::int32_t number = ChosenNumber();
    return number < 0 ? nullptr : Ctx.Edit->Ledger.BookList.Find(number);
}

void TBooksForm::ChosenChanged() {
    const bool chosen = ChosenAccount() != nullptr;
    EditBtn->setEnabled(chosen);
    DeleteBtn->setEnabled(chosen);
    UpBtn->setEnabled(chosen);
    DownBtn->setEnabled(chosen);
}

void TBooksForm::Note(const TEditOutcome& outcome) {
    // A commit given up asks for everything again: the records came back as new ones.
    Refresh |= outcome.Refresh;
}

void TBooksForm::NewBtnClick() {
    TEditContext& edit = *Ctx.Edit;
    const TAccessScope access(edit, TAccessArea::Adding);
    if (!access)
        return;
    TAccountFields fields = NewAccountFields(edit.Ledger, Ctx.Today);
    if (!TNewEditBookForm::EditAccount(this, true, fields))
        return;
    const std::int32_t was = ChosenNumber();
    const TEditOutcome outcome = AddAccount(edit, fields);
    Note(outcome);
    FillList(outcome.Done() ? edit.Ledger.BookList.Items(outcome.Index)->Number : was);
}

void TBooksForm::EditBtnClick() {
    TEditContext& edit = *Ctx.Edit;
    const TBookRec* account = ChosenAccount();
    if (!account)
        return;
    const std::int32_t number = account->Number;
    const TAccessScope access(edit, TAccessArea::Editing);
    if (!access)
        return;
    TAccountFields fields = AccountFieldsOf(*account);
    if (!TNewEditBookForm::EditAccount(this, false, fields))
        return;
    Note(ChangeAccount(edit, edit.Ledger.BookList.IndexOf(account), fields));
    FillList(number);
}

void TBooksForm::DeleteBtnClick() {
    TEditContext& edit = *Ctx.Edit;
    const TBookRec* account = ChosenAccount();
    if (!account)
        return;
    const std::int32_t number = account->Number;
    const TEditOutcome outcome = DeleteAccount(edit, edit.Ledger.BookList.IndexOf(account));
    Note(outcome);
    FillList(outcome.Done() ? -1 : number);
}

void TBooksForm::UpBtnClick() {
    Move(true);
}

void TBooksForm::DownBtnClick() {
    Move(false);
}

void TBooksForm::Move(bool up) {
    TEditContext& edit = *Ctx.Edit;
    const TBookRec* account = ChosenAccount();
    if (!account)
        return;
    std::vector<TBookRec*> rows = edit.Ledger.BookList.KeyList;
    const std::int32_t row = edit.Ledger.BookList.IndexOf(account);
    if (MoveAccountRow(rows, row, up) == row)
        return;
    if (!MayRearrange) {
        // The password prompt takes the mouse: the held arrow must not go on repeating behind it.
        UpBtn->setDown(false);
        DownBtn->setDown(false);
        MayRearrange = edit.CheckAccess(TAccessArea::Editing);
        if (!MayRearrange)
            return;
    }
    const std::int32_t number = account->Number;
    const std::optional<TAccessArea> granted = edit.Granted;
    edit.Granted = TAccessArea::Editing;
    const TEditOutcome outcome = StoreAccountOrder(edit, rows);
    edit.Granted = granted;
    Note(outcome);
    FillList(number);
}

} // namespace qz::gui
