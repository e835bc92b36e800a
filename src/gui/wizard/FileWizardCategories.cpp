// The wizard's category pages: choosing categories (page 2), types for the user's own
// (page 3) and the sub categories of the starter set (page 4).

#include "FileWizard.h"

#include "WizardHeading.h"
#include "WizardViews.h"
#include "ledger/Cp1252.h"
#include "platform/TextCodec.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int EntryRole = Qt::UserRole;
constexpr int SubRole = Qt::UserRole + 1;

const QColor CreditColour(0, 160, 0);
const QColor DebitColour(192, 0, 0);

QIcon SideIcon(std::uint8_t side) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(side == SideCredit ? CreditColour : DebitColour);
    painter.drawRect(1, 1, 9, 9);
    return QIcon(pixmap);
}

// Credit in green with black text, debit in red with white text.
template <class Item> void PaintSide(Item* item, std::uint8_t side, int columns = 1) {
    for (int column = 0; column < columns; ++column) {
        if constexpr (std::is_same_v<Item, QTreeWidgetItem>) {
            item->setBackground(column, side == SideCredit ? CreditColour : DebitColour);
            item->setForeground(column, side == SideCredit ? Qt::black : Qt::white);
        } else {
            item->setBackground(side == SideCredit ? CreditColour : DebitColour);
            item->setForeground(side == SideCredit ? Qt::black : Qt::white);
        }
    }
}

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QTreeWidgetItem* RootItem(QTreeWidget* tree, const QString& caption) {
    auto* root = new QTreeWidgetItem(tree, {caption});
    root->setData(0, EntryRole, -1);
    root->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    QFont font = root->font(0);
    font.setBold(true);
    root->setFont(0, font);
    return root;
}

int EntryOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, EntryRole).toInt() : -1;
}

// The root stays open: it cannot be collapsed.
void KeepRootOpen(QTreeWidget* tree) {
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [](QTreeWidgetItem* item) {
        if (!item->parent())
            item->setExpanded(true);
    });
}

} // namespace

// ---- Page 2: categories --------------------------------------------------------------------------

QWidget* TFileWizard::CategoriesPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(HelpButton(2, 1), 0, 0);
    grid->addWidget(WizardHeading(QStringLiteral("Choose your Categories"), page), 0, 1, 1, 3);

    CreditBtn = new QRadioButton(QStringLiteral("Cr&edit"), page);
    CreditBtn->setObjectName(QStringLiteral("CreditBtn"));
    DebitBtn = new QRadioButton(QStringLiteral("&Debit"), page);
    DebitBtn->setObjectName(QStringLiteral("DebitBtn"));
    CreditBtn->setChecked(true);
    for (QRadioButton* side : {CreditBtn, DebitBtn})
        connect(side, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                FillTemplateList();
        });
    auto* sides = new QHBoxLayout;
    sides->addWidget(BoldLabel(QStringLiteral("Template Categories"), page));
    sides->addStretch(1);
    sides->addWidget(CreditBtn);
    sides->addWidget(DebitBtn);
    grid->addWidget(HelpButton(2, 2), 1, 0);
    grid->addLayout(sides, 1, 1);

    TemplateList = new TWizardList(page);
    TemplateList->setObjectName(QStringLiteral("TemplateList"));
    TemplateList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TemplateList->setDragEnabled(true);
    TemplateList->setDragDropMode(QAbstractItemView::DragDrop);
    TemplateList->setDefaultDropAction(Qt::CopyAction);
    connect(TemplateList, &QListWidget::itemDoubleClicked, this, [this] { SelectHighlighted(); });
    connect(TemplateList, &QListWidget::currentItemChanged, this, [this] { ShowTemplateDescription(); });
    grid->addWidget(TemplateList, 2, 1);
    grid->addWidget(BoldLabel(QStringLiteral("Template Category Description"), page), 3, 1);
    DescriptionLabel = new QLabel(page);
    DescriptionLabel->setObjectName(QStringLiteral("DescriptionLabel"));
    DescriptionLabel->setTextFormat(Qt::RichText);
    DescriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DescriptionLabel->setFrameShape(QFrame::StyledPanel);
    DescriptionLabel->setMinimumHeight(110);
    DescriptionLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(DescriptionLabel, 4, 1, 2, 1);

    grid->addWidget(HelpButton(2, 3), 1, 2);
    grid->addWidget(BoldLabel(QStringLiteral("Selected Categories"), page), 1, 3);
    SelectedTree = new TWizardTree(page);
    SelectedTree->setObjectName(QStringLiteral("SelectedTree"));
    SelectedTree->setHeaderHidden(true);
    SelectedTree->setIndentation(14);
    // Long names scroll rather than being cut short.
    SelectedTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SelectedTree->header()->setStretchLastSection(false);
    SelectedTree->setDragEnabled(true);
    SelectedTree->setDragDropMode(QAbstractItemView::DragDrop);
    SelectedTree->setDefaultDropAction(Qt::CopyAction);
    SelectedTree->setEditTriggers(QAbstractItemView::EditKeyPressed);
    SelectedTree->Source = TemplateList;
    SelectedTree->Dropped = [this] { SelectHighlighted(); };
    TemplateList->Source = SelectedTree;
    TemplateList->Dropped = [this] { ReturnDropped(); };
    KeepRootOpen(SelectedTree);
    connect(SelectedTree, &QTreeWidget::itemDoubleClicked, this, [this] { RemoveCategoryClick(); });
    connect(SelectedTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { CategoryEdited(item); });
    grid->addWidget(SelectedTree, 2, 3, 2, 1);

    auto* newBtn = Button(QStringLiteral("&New"), "NewCategoryBtn", page);
    auto* renameBtn = Button(QStringLiteral("&Rename"), "RenameCategoryBtn", page);
    auto* removeBtn = Button(QStringLiteral("&Remove"), "RemoveCategoryBtn", page);
    auto* clearBtn = Button(QStringLiteral("&Clear"), "ClearCategoriesBtn", page);
    connect(newBtn, &QPushButton::clicked, this, &TFileWizard::NewCategoryClick);
    connect(renameBtn, &QPushButton::clicked, this, &TFileWizard::RenameCategoryClick);
    connect(removeBtn, &QPushButton::clicked, this, &TFileWizard::RemoveCategoryClick);
    connect(clearBtn, &QPushButton::clicked, this, &TFileWizard::ClearCategoriesClick);
    auto* first = new QHBoxLayout;
    first->addWidget(newBtn);
    first->addWidget(renameBtn);
    auto* second = new QHBoxLayout;
    second->addWidget(removeBtn);
    second->addWidget(clearBtn);
    grid->addWidget(HelpButton(2, 4), 4, 2);
    grid->addLayout(first, 4, 3);
    grid->addWidget(HelpButton(2, 5), 5, 2, Qt::AlignTop);
    grid->addLayout(second, 5, 3, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);
    return page;
}

std::uint8_t TFileWizard::ShownSide() const {
    return DebitBtn->isChecked() ? SideDebit : SideCredit;
}

void TFileWizard::FillTemplateList() {
    TemplateList->clear();
    for (const int index : Categories.TemplateList(ShownSide())) {
        auto* item = new QListWidgetItem(FromDocument(Categories.Entries[static_cast<std::size_t>(index)].Name));
        item->setData(EntryRole, index);
        TemplateList->addItem(item);
    }
    ShowTemplateDescription();
}

void TFileWizard::FillSelectedTree() {
    Filling = true;
    SelectedTree->clear();
    QTreeWidgetItem* root = RootItem(SelectedTree, RootCaption());
    for (const int index : Categories.SelectedList()) {
        const TMainActInfo& entry = Categories.Entries[static_cast<std::size_t>(index)];
        auto* item = new QTreeWidgetItem(root, {FromDocument(entry.Name)});
        item->setData(0, EntryRole, index);
        item->setIcon(0, SideIcon(entry.Side));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
        if (entry.IsUser())
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
    }
    root->setExpanded(true);
    Filling = false;
    UpdateButtons();
}

void TFileWizard::ShowTemplateDescription() {
    const QListWidgetItem* item = TemplateList->currentItem();
    if (!item) {
        DescriptionLabel->clear();
        return;
    }
    const TMainActInfo& entry = Categories.Entries[static_cast<std::size_t>(item->data(EntryRole).toInt())];
    QString text = QStringLiteral("<b>%1</b>").arg(FromDocument(entry.Name).toHtmlEscaped());
    for (const std::string& sub : entry.SubNames)
        text += QStringLiteral("<br>&nbsp;&nbsp;&nbsp;&nbsp;-%1").arg(FromDocument(sub).toHtmlEscaped());
    DescriptionLabel->setText(text);
}

void TFileWizard::SelectHighlighted() {
    for (const QListWidgetItem* item : TemplateList->selectedItems())
        Categories.Select(item->data(EntryRole).toInt());
    FillTemplateList();
    FillSelectedTree();
}

void TFileWizard::ReturnDropped() {
    for (const QTreeWidgetItem* item : SelectedTree->selectedItems())
        if (EntryOf(item) >= 0)
            Categories.ReturnToTemplate(EntryOf(item), ShownSide());
    FillTemplateList();
    FillSelectedTree();
}

void TFileWizard::NewCategoryClick() {
    std::string name;
    if (!Context.Ask->InputBox("New Category", "Enter new Category name", name))
        return;
    if (const std::string refusal = Categories.AddUserCategory(name, ShownSide()); !refusal.empty())
        Context.Ask->MessageBox(refusal, MsgKind::Information, MsgButtons::Ok);
    FillSelectedTree();
}

void TFileWizard::RemoveCategoryClick() {
    const int index = EntryOf(SelectedTree->currentItem());
    if (index < 0)
        return;
    Categories.Remove(index);
    FillTemplateList();
    FillSelectedTree();
}

void TFileWizard::ClearCategoriesClick() {
    Categories.Clear();
    FillTemplateList();
    FillSelectedTree();
}

void TFileWizard::RenameCategoryClick() {
    QTreeWidgetItem* item = SelectedTree->currentItem();
    if (EntryOf(item) >= 0 && (item->flags() & Qt::ItemIsEditable))
        SelectedTree->editItem(item, 0);
}

void TFileWizard::CategoryEdited(QTreeWidgetItem* item) {
    const int index = EntryOf(item);
    if (Filling || index < 0)
        return;
    const std::string refusal = Categories.RenameUserCategory(index, ToDocument(item->text(0)));
    if (!refusal.empty())
        Context.Ask->MessageBox(refusal, MsgKind::Information, MsgButtons::Ok);
    // The tree is refilled once the editor has let go of the item.
    QMetaObject::invokeMethod(
        this, [this] { FillSelectedTree(); }, Qt::QueuedConnection);
}

// ---- Page 3: category types ------------------------------------------------------------------------

QWidget* TFileWizard::TypesPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(HelpButton(3, 1), 0, 0);
    grid->addWidget(WizardHeading(QStringLiteral("Give your own Categories a type"), page), 0, 1, 1, 3);

    TypesCreditBtn = new QRadioButton(QStringLiteral("C&redit"), page);
    TypesCreditBtn->setObjectName(QStringLiteral("TypesCreditBtn"));
    TypesDebitBtn = new QRadioButton(QStringLiteral("&Debit"), page);
    TypesDebitBtn->setObjectName(QStringLiteral("TypesDebitBtn"));
    for (QRadioButton* side : {TypesCreditBtn, TypesDebitBtn})
        connect(side, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                FillTypeLists();
        });
    auto* sides = new QHBoxLayout;
    sides->addWidget(TypesCreditBtn);
    sides->addWidget(TypesDebitBtn);
    sides->addStretch(1);
    grid->addWidget(HelpButton(3, 2), 1, 0);
    grid->addLayout(sides, 1, 1, 1, 3);

    UntypedList = new QListWidget(page);
    UntypedList->setObjectName(QStringLiteral("UntypedList"));
    TypeList = new QListWidget(page);
    TypeList->setObjectName(QStringLiteral("TypeList"));
    TypeArrow = new QLabel(QStringLiteral("\u2192"), page);
    TypeArrow->setObjectName(QStringLiteral("TypeArrow"));
    QFont arrowFont = TypeArrow->font();
    arrowFont.setPointSizeF(arrowFont.pointSizeF() * 2);
    arrowFont.setBold(true);
    TypeArrow->setFont(arrowFont);
    TypeArrow->setFixedWidth(32);
    TypeArrow->setAlignment(Qt::AlignCenter);
    connect(UntypedList, &QListWidget::currentItemChanged, this, [this] { ShowTypeArrow(); });
    connect(TypeList, &QListWidget::currentItemChanged, this, [this] { ShowTypeArrow(); });
    grid->addWidget(HelpButton(3, 3), 2, 0);
    grid->addWidget(BoldLabel(QStringLiteral("Categories"), page), 2, 1);
    grid->addWidget(BoldLabel(QStringLiteral("Category Types"), page), 2, 3);
    grid->addWidget(UntypedList, 3, 1);
    grid->addWidget(TypeArrow, 3, 2);
    grid->addWidget(TypeList, 3, 3);

    AddTypeBtn = Button(QStringLiteral("&Add"), "AddTypeBtn", page);
    connect(AddTypeBtn, &QPushButton::clicked, this, &TFileWizard::AddTypeClick);
    auto* add = new QHBoxLayout;
    add->addStretch(1);
    add->addWidget(HelpButton(3, 4));
    add->addWidget(AddTypeBtn);
    add->addStretch(1);
    grid->addLayout(add, 4, 1, 1, 3);

    TypedList = new QTreeWidget(page);
    TypedList->setObjectName(QStringLiteral("TypedList"));
    TypedList->setColumnCount(2);
    TypedList->setHeaderLabels({QStringLiteral("Category"), QStringLiteral("Category Type")});
    TypedList->setRootIsDecorated(false);
    RemoveTypeBtn = Button(QStringLiteral("&Remove"), "RemoveTypeBtn", page);
    connect(RemoveTypeBtn, &QPushButton::clicked, this, &TFileWizard::RemoveTypeClick);
    grid->addWidget(HelpButton(3, 5), 5, 0, Qt::AlignTop);
    grid->addWidget(TypedList, 5, 1, 1, 3);
    grid->addWidget(RemoveTypeBtn, 6, 3, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    grid->setRowStretch(5, 1);
    return page;
}

std::uint8_t TFileWizard::TypesSide() const {
    return TypesDebitBtn->isChecked() ? SideDebit : SideCredit;
}

void TFileWizard::EnterTypesPage() {
    const bool credit = Categories.SideHasUserCategories(SideCredit);
    const bool debit = Categories.SideHasUserCategories(SideDebit);
    TypesCreditBtn->setEnabled(credit);
    TypesDebitBtn->setEnabled(debit);
    const QSignalBlocker blockCredit(TypesCreditBtn);
    const QSignalBlocker blockDebit(TypesDebitBtn);
    if (credit)
        TypesCreditBtn->setChecked(true);
    else
        TypesDebitBtn->setChecked(true);
    FillTypeLists();
}

void TFileWizard::FillTypeLists() {
    const std::uint8_t side = TypesSide();
    UntypedList->clear();
    for (const int index : Categories.Untyped(side)) {
        auto* item = new QListWidgetItem(FromDocument(Categories.Entries[static_cast<std::size_t>(index)].Name));
        item->setData(EntryRole, index);
        PaintSide(item, side);
        UntypedList->addItem(item);
    }
    TypeList->clear();
    for (const std::string& name : WizardTypeNames(side)) {
        auto* item = new QListWidgetItem(QString::fromStdString(name));
        PaintSide(item, side);
        TypeList->addItem(item);
    }
    TypedList->clear();
    for (const int index : Categories.Typed()) {
        const TMainActInfo& entry = Categories.Entries[static_cast<std::size_t>(index)];
        auto* item = new QTreeWidgetItem(TypedList, {FromDocument(entry.Name), QString::fromStdString(entry.TypeName)});
        item->setData(0, EntryRole, index);
        PaintSide(item, entry.Side, 2);
    }
    ShowTypeArrow();
    UpdateButtons();
}

void TFileWizard::ShowTypeArrow() {
    const bool both = UntypedList->currentItem() && TypeList->currentItem();
    TypeArrow->setVisible(true);
    TypeArrow->setEnabled(both);
    TypeArrow->setText(both ? QStringLiteral("\u2192") : QString());
    AddTypeBtn->setEnabled(both);
}

void TFileWizard::AddTypeClick() {
    const QListWidgetItem* category = UntypedList->currentItem();
    const QListWidgetItem* type = TypeList->currentItem();
    if (!category || !type)
        return;
    Categories.SetType(category->data(EntryRole).toInt(), type->text().toStdString());
    FillTypeLists();
}

void TFileWizard::RemoveTypeClick() {
    const int index = EntryOf(TypedList->currentItem());
    if (index < 0)
        return;
    Categories.SetType(index, {});
    if (Categories.Entries[static_cast<std::size_t>(index)].Side != TypesSide())
        (TypesSide() == SideCredit ? TypesDebitBtn : TypesCreditBtn)->setChecked(true);
    FillTypeLists();
}

// ---- Page 4: sub categories ----------------------------------------------------------------------

QWidget* TFileWizard::SubCategoriesPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(HelpButton(4, 1), 0, 0);
    grid->addWidget(WizardHeading(QStringLiteral("Sub Categories"), page), 0, 1, 1, 2);
    SubTree = new QTreeWidget(page);
    SubTree->setObjectName(QStringLiteral("SubTree"));
    SubTree->setHeaderHidden(true);
    SubTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SubTree->header()->setStretchLastSection(false);
    SubTree->setEditTriggers(QAbstractItemView::EditKeyPressed);
    KeepRootOpen(SubTree);
    connect(SubTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { SubEdited(item); });
    grid->addWidget(HelpButton(4, 2), 1, 0, Qt::AlignTop);
    grid->addWidget(SubTree, 1, 1, 4, 1);
    auto* newBtn = Button(QStringLiteral("Ne&w"), "NewSubBtn", page);
    auto* renameBtn = Button(QStringLiteral("&Rename"), "RenameSubBtn", page);
    auto* removeBtn = Button(QStringLiteral("Re&move"), "RemoveSubBtn", page);
    connect(newBtn, &QPushButton::clicked, this, &TFileWizard::NewSubClick);
    connect(renameBtn, &QPushButton::clicked, this, &TFileWizard::RenameSubClick);
    connect(removeBtn, &QPushButton::clicked, this, &TFileWizard::RemoveSubClick);
    auto* side = new QGridLayout;
    side->addWidget(HelpButton(4, 3), 0, 0);
    side->addWidget(newBtn, 0, 1);
    side->addWidget(HelpButton(4, 4), 1, 0);
    side->addWidget(renameBtn, 1, 1);
    side->addWidget(removeBtn, 2, 1);
    side->setRowStretch(3, 1);
    grid->addLayout(side, 1, 2, 4, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

void TFileWizard::FillSubTree() {
    // Keep the highlighted entry highlighted across the refill.
    const QTreeWidgetItem* current = SubTree->currentItem();
    const QString currentCategory =
        current ? (current->parent() && current->parent()->parent() ? current->parent()->text(0) : current->text(0))
                : QString();
    const QString currentText = current ? current->text(0) : QString();
    Filling = true;
    SubTree->clear();
    QTreeWidgetItem* root = RootItem(SubTree, RootCaption());
    QTreeWidgetItem* again = nullptr;
    for (int i = 0; i < static_cast<int>(Starters.size()); ++i) {
        const TStarterCategory& category = Starters[static_cast<std::size_t>(i)];
        auto* item = new QTreeWidgetItem(root, {FromDocument(category.Name)});
        item->setData(0, EntryRole, i);
        item->setData(0, SubRole, -1);
        item->setIcon(0, SideIcon(category.Side));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        if (item->text(0) == currentText)
            again = item;
        for (int s = 0; s < static_cast<int>(category.SubNames.size()); ++s) {
            auto* sub = new QTreeWidgetItem(item, {FromDocument(category.SubNames[static_cast<std::size_t>(s)])});
            sub->setData(0, EntryRole, i);
            sub->setData(0, SubRole, s);
            sub->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            if (item->text(0) == currentCategory && sub->text(0) == currentText)
                again = sub;
        }
        item->setExpanded(true);
    }
    root->setExpanded(true);
    Filling = false;
    SubTree->setCurrentItem(again ? again : root);
}

void TFileWizard::NewSubClick() {
    const int index = EntryOf(SubTree->currentItem());
    if (index < 0)
        return;
    std::string name;
    if (!Context.Ask->InputBox("New Sub Category", "Enter new Sub Category name", name))
        return;
    if (const std::string refusal = AddStarterSub(Starters[static_cast<std::size_t>(index)], name); !refusal.empty()) {
        Context.Ask->MessageBox(refusal, MsgKind::Information, MsgButtons::Ok);
        return;
    }
    SubsChanged = SubsChanged || !Trim(name).empty();
    FillSubTree();
}

void TFileWizard::RenameSubClick() {
    if (QTreeWidgetItem* item = SubTree->currentItem(); EntryOf(item) >= 0)
        SubTree->editItem(item, 0);
}

void TFileWizard::RemoveSubClick() {
    const QTreeWidgetItem* item = SubTree->currentItem();
    const int index = EntryOf(item);
    const int sub = item ? item->data(0, SubRole).toInt() : -1;
    if (index < 0 || sub < 0)
        return;
    auto& subs = Starters[static_cast<std::size_t>(index)].SubNames;
    subs.erase(subs.begin() + sub);
    SubsChanged = true;
    FillSubTree();
}

void TFileWizard::SubEdited(QTreeWidgetItem* item) {
    const int index = EntryOf(item);
    if (Filling || index < 0)
        return;
    const int sub = item->data(0, SubRole).toInt();
    const std::string text = ToDocument(item->text(0));
    TStarterCategory& category = Starters[static_cast<std::size_t>(index)];
    const std::string before = sub < 0 ? category.Name : category.SubNames[static_cast<std::size_t>(sub)];
    const std::string refusal =
        sub < 0 ? RenameStarterCategory(Starters, index, text) : RenameStarterSub(category, sub, text);
    if (!refusal.empty())
        Context.Ask->MessageBox(refusal, MsgKind::Information, MsgButtons::Ok);
    else if (WizardName(text) != before && !WizardName(text).empty())
        SubsChanged = true;
    QMetaObject::invokeMethod(
        this, [this] { FillSubTree(); }, Qt::QueuedConnection);
}

bool TFileWizard::LeaveSubsForward() {
    if (!SomeWithoutSubs(Starters))
        return true;
    return Context.Ask->MessageBox(
               "Some of your Categories don't have Sub Categories.  This is OK, its easy to create new Sub Categories "
               "later as you enter your transactions.\r\rDo you want to continue without creating Sub Categories for "
               "each Category?",
               MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::Yes;
}

bool TFileWizard::LeaveSubsBack() {
    if (!SubsChanged)
        return true;
    if (Context.Ask->MessageBox("If you go back now you will loose the changes you have made on this page.  Do you "
                                "want to go back now?",
                                MsgKind::Confirmation, MsgButtons::YesNo) != MsgResult::Yes)
        return false;
    SubsChanged = false;
    return true;
}

} // namespace qz::gui
