#include "ActSelect.h"

#include "CatSelection.h"
#include "ledger/NumberTexts.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr std::uint8_t Sides[] = {SideCredit, SideDebit};
const QColor Lime(0x00, 0xFF, 0x00);
const QColor Red(0xFF, 0x00, 0x00);

// The picture of a credit or a debit node: a small disc in the side's colour.
QIcon SidePicture(std::uint8_t side) {
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(side == SideCredit ? Lime : Red);
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return QIcon(picture);
}

QLabel* Arrow(QWidget* parent) {
    auto* arrow = new QLabel(QStringLiteral("\u25B6"), parent);
    arrow->setAlignment(Qt::AlignCenter);
    arrow->setFixedWidth(18);
    return arrow;
}

// Heights the dialog snaps to when resized: its fixed part and whole pairs of rows.
constexpr int FixedHeight = 206;
constexpr int HeightStep = 36;

} // namespace

TActSelect::TActSelect(TLedger& ledger, bool newSelection, bool showNumbers, ShowHelpFn showHelp, QWidget* parent)
    : TSelectionDialog(QStringLiteral("Category Selection"), HelpTopic, std::move(showHelp), parent), Ledger(ledger),
      Selection(ledger, newSelection) {
    InSelectBox =
        new TActSelectBox(QStringLiteral("Credit Categories"), QStringLiteral("Category Name"), showNumbers, this);
    InSelectBox->setObjectName(QStringLiteral("InSelectBox"));
    ExSelectBox =
        new TActSelectBox(QStringLiteral("Debit Categories"), QStringLiteral("Category Name"), showNumbers, this);
    ExSelectBox->setObjectName(QStringLiteral("ExSelectBox"));
    ExSelectBox->SetColours(Red, Qt::white);
    SubSelectBox =
        new TActSelectBox(QStringLiteral("Sub Categories"), QStringLiteral("Sub Category Name"), showNumbers, this);
    SubSelectBox->setObjectName(QStringLiteral("SubSelectBox"));
    // Shown empty and disabled until a category is highlighted, so the window keeps its shape.
    SubSelectBox->setEnabled(false);
    CreditArrow = Arrow(this);
    DebitArrow = Arrow(this);
    for (QWidget* box :
         {static_cast<QWidget*>(InSelectBox), static_cast<QWidget*>(ExSelectBox), static_cast<QWidget*>(SubSelectBox)})
        box->setMinimumWidth(230);

    for (const std::uint8_t side : Sides) {
        TActSelectBox* box = BoxOf(side);
        connect(box, &TActSelectBox::HighlightChanged, this, [this, side](int row) { Highlight(side, row); });
        connect(box, &TActSelectBox::TickChanged, this,
                [this, side](int row, bool on) { TickCategory(side, row, on); });
        connect(box, &TActSelectBox::AllTicked, this, [this, side](bool on) { TickAllCategories(side, on); });
    }
    connect(SubSelectBox, &TActSelectBox::TickChanged, this, &TActSelect::TickSub);
    connect(SubSelectBox, &TActSelectBox::AllTicked, this, &TActSelect::TickAllSubs);

    auto* treeTitle = new QLabel(QStringLiteral("Selected Categories"), this);
    QFont bold = treeTitle->font();
    bold.setBold(true);
    treeTitle->setFont(bold);
    TreeView = new QTreeWidget(this);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderHidden(true);
    TreeView->setItemsExpandable(false);
    TreeView->setSelectionMode(QAbstractItemView::NoSelection);
    TreeView->setFocusPolicy(Qt::NoFocus);
    TreeView->setMinimumWidth(200);

    auto* typeBtn = new QPushButton(QStringLiteral("Category Type &Selection"), this);
    typeBtn->setObjectName(QStringLiteral("CatTypeBtn"));
    connect(typeBtn, &QPushButton::clicked, this, &TActSelect::CatTypeBtnClick);

    // Credit above debit on the left, the sub categories as high as both, then the tree.
    auto* grid = new QGridLayout;
    grid->addWidget(InSelectBox, 0, 0);
    grid->addWidget(CreditArrow, 0, 1);
    grid->addWidget(ExSelectBox, 1, 0);
    grid->addWidget(DebitArrow, 1, 1);
    grid->addWidget(SubSelectBox, 0, 2, 2, 1);
    auto* tree = new QVBoxLayout;
    tree->setSpacing(2);
    tree->addWidget(treeTitle);
    tree->addWidget(TreeView, 1);
    grid->addLayout(tree, 0, 3, 2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    LayOut(grid, typeBtn);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(900, screen && screen->size().height() < 600 ? 458 : 530);
    FillCategories();
}

bool TActSelect::SelectCategories(QWidget* parent, TLedger& ledger, bool newSelection, bool showNumbers,
                                  const ShowHelpFn& showHelp) {
    TActSelect dialog(ledger, newSelection, showNumbers, showHelp, parent);
    return dialog.exec() == QDialog::Accepted;
}

TActSelectBox* TActSelect::BoxOf(std::uint8_t side) const {
    return side == SideCredit ? InSelectBox : ExSelectBox;
}

void TActSelect::FillCategories() {
    for (const std::uint8_t side : Sides)
        BoxOf(side)->SetRows(SelectRows(Selection.CategoriesOfSide(side),
                                        [](const TMainActRec& category) { return QString::number(category.Number); }));
    ShowTicks();
}

void TActSelect::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (InSelectBox->RowCount() > 0 ? InSelectBox : ExSelectBox)->Rows()->setFocus();
}

// The height snaps to the fixed part and whole pairs of rows.
void TActSelect::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int height = event->size().height();
    const int snapped = FixedHeight + std::max(1, (height - FixedHeight + HeightStep / 2) / HeightStep) * HeightStep;
    if (snapped != height && snapped >= minimumHeight())
        resize(width(), snapped);
}

void TActSelect::Highlight(std::uint8_t side, int row) {
    if (row < 0)
        return;
    const auto categories = Selection.CategoriesOfSide(side);
    if (row >= static_cast<int>(categories.size()))
        return;
    BoxOf(side == SideCredit ? std::uint8_t(SideDebit) : std::uint8_t(SideCredit))->ClearHighlight();
    HighlightedCategory = categories[static_cast<std::size_t>(row)];
    ShowSubs();
}

// The highlighted category's sub categories, in its side's colours, ticked as they are; they
// take ticks only while the category is ticked.
void TActSelect::ShowSubs() {
    CreditArrow->setVisible(HighlightedCategory && HighlightedCategory->Side == SideCredit);
    DebitArrow->setVisible(HighlightedCategory && HighlightedCategory->Side != SideCredit);
    if (!HighlightedCategory) {
        SubSelectBox->SetRows({});
        SubSelectBox->setEnabled(false);
        return;
    }
    const auto rows = SelectRows(Selection.SubsOf(*HighlightedCategory), [](const TSubActRec& sub) {
        return FromDocument(SubActNumberText(sub.MainAct, sub.Number));
    });
    const bool credit = HighlightedCategory->Side == SideCredit;
    SubSelectBox->SetColours(credit ? Lime : Red, credit ? Qt::black : Qt::white);
    SubSelectBox->SetTicksEnabled(HighlightedCategory->Picked != 0);
    SubSelectBox->SetRows(rows);
    SubSelectBox->setEnabled(true);
}

void TActSelect::TickCategory(std::uint8_t side, int row, bool on) {
    const auto categories = Selection.CategoriesOfSide(side);
    if (row < 0 || row >= static_cast<int>(categories.size()))
        return;
    Selection.TickCategory(*categories[static_cast<std::size_t>(row)], on);
    ShowTicks();
}

void TActSelect::TickAllCategories(std::uint8_t side, bool on) {
    Selection.TickAllCategories(side, on);
    ShowTicks();
}

void TActSelect::TickSub(int row, bool on) {
    if (!HighlightedCategory)
        return;
    const auto subs = Selection.SubsOf(*HighlightedCategory);
    if (row >= 0 && row < static_cast<int>(subs.size()))
        Selection.TickSub(*subs[static_cast<std::size_t>(row)], on);
    ShowTicks();
}

void TActSelect::TickAllSubs(bool on) {
    if (HighlightedCategory)
        Selection.TickAllSubs(*HighlightedCategory, on);
    ShowTicks();
}

void TActSelect::ShowTicks() {
    for (const std::uint8_t side : Sides)
        BoxOf(side)->SetTicks(PickedTicks(Selection.CategoriesOfSide(side)));
    if (HighlightedCategory) {
        SubSelectBox->SetTicksEnabled(HighlightedCategory->Picked != 0);
        SubSelectBox->SetTicks(PickedTicks(Selection.SubsOf(*HighlightedCategory)));
    }
    FillTree();
    OfferOK(Selection.CanApply());
}

// A root, each ticked category by name with its ticked sub categories by name; always open.
void TActSelect::FillTree() {
    TreeView->clear();
    auto* root = new QTreeWidgetItem(TreeView, {QStringLiteral("Categories")});
    for (const TCategorySelection::TNode& node : Selection.Tree()) {
        auto* category = new QTreeWidgetItem(root, {FromDocument(node.Category->Name.View())});
        category->setIcon(0, SidePicture(node.Category->Side));
        for (const TSubActRec* sub : node.Subs) {
            auto* item = new QTreeWidgetItem(category, {FromDocument(sub->Name.View())});
            item->setIcon(0, SidePicture(sub->Side));
        }
    }
    TreeView->expandAll();
}

void TActSelect::CatTypeBtnClick() {
    if (!TCatSelection::SelectCategoryTypes(this, Ledger.CatList, Help))
        return;
    Selection.TakeTypeTicks();
    ShowSubs();
    ShowTicks();
}

void TActSelect::ResetBtnClick() {
    HighlightedCategory = nullptr;
    InSelectBox->ClearHighlight();
    ExSelectBox->ClearHighlight();
    ShowSubs();
    Selection.Reset();
    ShowTicks();
}

void TActSelect::OKBtnClick() {
    if (!Selection.CanApply())
        return;
    Selection.Apply();
    accept();
}

} // namespace qz::gui
