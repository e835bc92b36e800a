#include "CatForm.h"

#include "NewEditCat.h"
#include "edit/CategoryTypeEdit.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int NumberRole = Qt::UserRole;
constexpr int DefaultRole = Qt::UserRole + 1;

// The mark of a default type: a gold disc with a white tick.
QPixmap DefaultMark(int size) {
    QPixmap mark(size, size);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
    painter.setBrush(QColor(0xF0, 0xC0, 0x20));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    painter.setPen(QPen(Qt::white, qMax(1.5, size / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{size * 0.27, size * 0.52}, {size * 0.44, size * 0.70}, {size * 0.74, size * 0.32}};
    painter.drawPolyline(tick, 3);
    return mark;
}

// One text height plus a pixel per item; the chosen one bold, in the side's colours.
class TTypeDelegate : public QStyledItemDelegate {
public:
    TTypeDelegate(const std::uint8_t& side, QObject* parent) : QStyledItemDelegate(parent), Side(side) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), option.fontMetrics.height() + 1};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool chosen = option.state & QStyle::State_Selected;
        const QRect row = option.rect;
        const bool credit = Side == SideCredit;
        painter->save();
        painter->fillRect(row, chosen ? (credit ? QColor(0x00, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00))
                                      : option.palette.base().color());
        const int markSize = row.height() - 3;
        int left = row.left() + 3;
        if (index.data(DefaultRole).toBool())
            painter->drawPixmap(left, row.top() + 1, DefaultMark(markSize));
        left += markSize + 4;
        QFont font = option.font;
        font.setBold(chosen);
        painter->setFont(font);
        painter->setPen(chosen ? (credit ? Qt::black : Qt::white) : option.palette.text().color());
        painter->drawText(QRect(left, row.top(), row.right() - left, row.height()), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
        if (chosen && (option.state & QStyle::State_HasFocus)) {
            painter->setPen(QPen(credit ? Qt::black : Qt::white, 1, Qt::DotLine));
            painter->drawRect(row.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    const std::uint8_t& Side;
};

QPushButton* Toggle(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setCheckable(true);
    button->setMinimumWidth(110);
    return button;
}

} // namespace

TCatForm::TCatForm(TEditContext& edit, std::int32_t typeIndex, ShowHelpFn showHelp, QWidget* parent)
    : TListEditor(edit, QStringLiteral("Category Types"), HelpTopic, std::move(showHelp), parent) {
    CreditBtn = Toggle(QStringLiteral("C&redit"), "CreditBtn", this);
    DebitBtn = Toggle(QStringLiteral("&Debit"), "DebitBtn", this);
    auto* sides = new QButtonGroup(this);
    sides->addButton(CreditBtn);
    sides->addButton(DebitBtn);
    CreditBtn->setStyleSheet(QStringLiteral("QPushButton:checked { background: #00FF00; color: black; }"));
    DebitBtn->setStyleSheet(QStringLiteral("QPushButton:checked { background: #FF0000; color: white; }"));
    connect(CreditBtn, &QPushButton::clicked, this, [this] { ShowSide(SideCredit); });
    connect(DebitBtn, &QPushButton::clicked, this, [this] { ShowSide(SideDebit); });

    TypeList = new QListWidget(this);
    TypeList->setObjectName(QStringLiteral("TypeList"));
    TypeList->setItemDelegate(new TTypeDelegate(ShownSide, TypeList));
    TypeList->setMinimumSize(260, 240);
    TypeList->installEventFilter(this);
    connect(TypeList, &QListWidget::currentRowChanged, this, [this] { ChosenChanged(); });
    connect(TypeList, &QListWidget::itemDoubleClicked, this, [this] { EditIfOffered(); });

    DefaultPicture = new QLabel(this);
    DefaultPicture->setPixmap(DefaultMark(fontMetrics().height() - 2));
    auto* defaultText = new QLabel(QStringLiteral("= Default Category"), this);

    auto* toggles = new QHBoxLayout;
    toggles->addWidget(CreditBtn);
    toggles->addWidget(DebitBtn);
    toggles->addStretch();
    auto* legend = new QHBoxLayout;
    legend->addWidget(DefaultPicture);
    legend->addWidget(defaultText);
    legend->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(toggles);
    left->addWidget(TypeList, 1);
    left->addLayout(legend);
    LayOut(left);

    const TCatRec* chosen =
        typeIndex >= 0 && typeIndex < Edit.Ledger.CatList.Count() ? Edit.Ledger.CatList.Items(typeIndex) : nullptr;
    ShowSide(chosen && chosen->Side != SideCredit ? SideDebit : SideCredit, chosen ? chosen->Number : -1);
    TypeList->setFocus();
}

TListEditorOutcome TCatForm::OpenCategoryTypes(QWidget* parent, TEditContext& edit, std::int32_t typeIndex,
                                               const ShowHelpFn& showHelp) {
    TCatForm form(edit, typeIndex, showHelp, parent);
    return form.Run();
}

// Fills the list with the side's types by name and chooses `chooseNumber`, or the first.
void TCatForm::ShowSide(std::uint8_t side, std::int16_t chooseNumber) {
    ShownSide = side;
    (side == SideCredit ? CreditBtn : DebitBtn)->setChecked(true);
    const QSignalBlocker quiet(TypeList);
    TypeList->clear();
    for (const TCatRec* type : TypesOfSide(Edit.Ledger.CatList, side)) {
        auto* item = new QListWidgetItem(FromDocument(type->Name.View()), TypeList);
        item->setData(NumberRole, type->Number);
        item->setData(DefaultRole, TypeIsFixed(*type));
    }
    TypeList->setCurrentRow(TypeList->count() > 0 ? 0 : -1);
    ChooseNumber(chooseNumber);
    ChosenChanged();
}

void TCatForm::ChooseNumber(std::int16_t number) {
    for (int row = 0; row < TypeList->count(); ++row)
        if (TypeList->item(row)->data(NumberRole).toInt() == number)
            TypeList->setCurrentRow(row);
}

std::int32_t TCatForm::ChosenIndex() const {
    const QListWidgetItem* item = TypeList->currentItem();
    if (!item)
        return -1;
    const TCatRec* type = Edit.Ledger.CatList.Find(item->data(NumberRole).toInt());
    return type ? Edit.Ledger.CatList.IndexOf(type) : -1;
}

// Default types keep their name and section, and stay.
void TCatForm::ChosenChanged() {
    const std::int32_t index = ChosenIndex();
    OfferEditing(index >= 0 && !TypeIsFixed(*Edit.Ledger.CatList.Items(index)));
    TypeList->viewport()->update();
}

void TCatForm::Take(const TEditOutcome& outcome, std::int16_t chooseNumber, std::int32_t deletedRow) {
    Note(outcome, deletedRow);
    // After a commit given up the lists hold what the document holds: show that.
    ShowSide(ShownSide, chooseNumber);
}

void TCatForm::NewBtnClick() {
    TAccessScope access(Edit, TAccessArea::Adding);
    if (!access)
        return;
    std::string name;
    std::int16_t kind = 0;
    if (!TNewEditCat::EditCategoryType(this, Edit.Ledger.CatList, Edit.Ask, name, kind, ShownSide == SideCredit, true))
        return;
    const TEditOutcome outcome = AddCategoryType(Edit, name, ShownSide, kind);
    Take(outcome, outcome.Index >= 0 ? Edit.Ledger.CatList.Items(outcome.Index)->Number : -1);
}

void TCatForm::EditBtnClick() {
    const std::int32_t index = ChosenIndex();
    if (index < 0 || TypeIsFixed(*Edit.Ledger.CatList.Items(index)))
        return;
    TAccessScope access(Edit, TAccessArea::Editing);
    if (!access)
        return;
    const TCatRec* type = Edit.Ledger.CatList.Items(index);
    const std::int16_t number = type->Number;
    std::string name = type->Name.Str();
    std::int16_t kind = type->Kind;
    if (!TNewEditCat::EditCategoryType(this, Edit.Ledger.CatList, Edit.Ask, name, kind, ShownSide == SideCredit, false))
        return;
    Take(ChangeCategoryType(Edit, index, name, kind), number);
}

void TCatForm::DeleteBtnClick() {
    const std::int32_t index = ChosenIndex();
    if (index < 0)
        return;
    const TCatRec* type = Edit.Ledger.CatList.Items(index);
    const std::int16_t number = type->Number;
    const std::int32_t row = type->Row;
    const TEditOutcome outcome = DeleteCategoryType(Edit, index);
    Take(outcome, outcome.Done() ? std::int16_t(-1) : number, row);
}

// Enter and Space on the list act as "&Edit", when it is offered.
bool TCatForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TypeList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            EditIfOffered();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qz::gui
