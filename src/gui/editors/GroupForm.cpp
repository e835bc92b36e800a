#include "GroupForm.h"

#include "TextInputForm.h"
#include "controls/HelpContext.h"
#include "edit/GroupEdit.h"
#include "platform/TextCodec.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int NumberRole = Qt::UserRole;

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TGroup::TGroup(TEditContext& edit, std::int32_t groupIndex, std::int32_t firstVisibleRow, ShowHelpFn showHelp,
               QWidget* parent)
    : QDialog(parent), Edit(edit), Help(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Groups"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);
    for (const TGroupRec* group : Edit.Ledger.GroupList.KeyList)
        if (group->Row >= 0 && group->Row < firstVisibleRow)
            AboveFirstRow.insert(group->Number);

    GroupList = new QTreeWidget(this);
    GroupList->setObjectName(QStringLiteral("GroupList"));
    GroupList->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Name")});
    GroupList->setRootIsDecorated(false);
    GroupList->setUniformRowHeights(true);
    GroupList->setAllColumnsShowFocus(true);
    GroupList->header()->setSectionsMovable(false);
    GroupList->header()->setStretchLastSection(true);
    GroupList->setColumnWidth(0, 60);
    GroupList->setMinimumSize(300, 260);
    connect(GroupList, &QTreeWidget::currentItemChanged, this, [this] { ChosenChanged(); });
    connect(GroupList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (EditBtn->isEnabled())
            EditBtnClick();
    });

    QPushButton* newBtn = Button(QStringLiteral("&New"), "NewBtn", this);
    EditBtn = Button(QStringLiteral("&Edit"), "EditBtn", this);
    DeleteBtn = Button(QStringLiteral("&Delete"), "DeleteBtn", this);
    QPushButton* closeBtn = Button(QStringLiteral("&Close"), "CloseBtn", this);
    QPushButton* helpBtn = Button(QStringLiteral("&Help"), "HelpBtn", this);
    connect(newBtn, &QPushButton::clicked, this, &TGroup::NewBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TGroup::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TGroup::DeleteBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpBtn, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(HelpTopic);
    });

    auto* right = new QVBoxLayout;
    for (QPushButton* button : {newBtn, EditBtn, DeleteBtn})
        right->addWidget(button);
    right->addStretch();
    right->addWidget(closeBtn);
    right->addWidget(helpBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(GroupList, 1);
    layout->addLayout(right);

    const TGroupList& groups = Edit.Ledger.GroupList;
    Fill(groupIndex >= 0 && groupIndex < groups.Count() ? groups.Items(groupIndex)->Number : -1);
    GroupList->setFocus();
}

bool TGroup::OpenGroups(QWidget* parent, TEditContext& edit, std::int32_t groupIndex, std::int32_t firstVisibleRow,
                        std::uint16_t& refresh, std::int32_t& deletedAbove, const ShowHelpFn& showHelp) {
    TGroup form(edit, groupIndex, firstVisibleRow, showHelp, parent);
    form.exec();
    refresh |= form.Refresh();
    deletedAbove = form.DeletedAbove();
    return form.Changed();
}

void TGroup::Fill(std::int32_t chooseNumber) {
    const QSignalBlocker quiet(GroupList);
    GroupList->clear();
    for (const TGroupRec* group : Edit.Ledger.GroupList.KeyList) {
        auto* item =
            new QTreeWidgetItem(GroupList, {FromDocument(group->NumberText()), FromDocument(group->Name.View())});
        item->setData(0, NumberRole, group->Number);
        if (group->Number == chooseNumber)
            GroupList->setCurrentItem(item);
    }
    ChosenChanged();
}

std::int32_t TGroup::ChosenIndex() const {
    const QTreeWidgetItem* item = GroupList->currentItem();
    if (!item || !item->isSelected())
        return -1;
    const TGroupRec* group = Edit.Ledger.GroupList.Find(item->data(0, NumberRole).toInt());
    return group ? Edit.Ledger.GroupList.IndexOf(group) : -1;
}

// The default group keeps its name and stays.
void TGroup::ChosenChanged() {
    const std::int32_t index = ChosenIndex();
    const bool editable = index >= 0 && !GroupIsFixed(*Edit.Ledger.GroupList.Items(index));
    EditBtn->setEnabled(editable);
    DeleteBtn->setEnabled(editable);
}

void TGroup::Take(const TEditOutcome& outcome, std::int32_t chooseNumber) {
    RefreshFlags |= outcome.Refresh;
    if (outcome.Done())
        AnyChange = true;
    // After a commit given up the list holds what the document holds: show that.
    Fill(chooseNumber);
}

void TGroup::NewBtnClick() {
    TAccessScope access(Edit, TAccessArea::Adding);
    if (!access)
        return;
    std::string name;
    const TGroupList& groups = Edit.Ledger.GroupList;
    const auto check = [&](const std::string& typed) {
        std::string trimmed = typed;
        return groups.ValidateName(trimmed, Edit.Ask);
    };
    if (!TTextInputForm::InputText(this, Edit.Ask, QStringLiteral("New Group"),
                                   QStringLiteral("Enter the Name of the new Group"), name, check))
        return;
    const TEditOutcome outcome = AddGroup(Edit, name);
    Take(outcome, outcome.Index >= 0 ? groups.Items(outcome.Index)->Number : -1);
}

void TGroup::EditBtnClick() {
    const std::int32_t index = ChosenIndex();
    if (index < 0 || GroupIsFixed(*Edit.Ledger.GroupList.Items(index)))
        return;
    TAccessScope access(Edit, TAccessArea::Editing);
    if (!access)
        return;
    const TGroupList& groups = Edit.Ledger.GroupList;
    const std::int32_t number = groups.Items(index)->Number;
    std::string name = groups.Items(index)->Name.Str();
    const auto check = [&](const std::string& typed) {
        std::string trimmed = typed;
        return groups.ValidateName(trimmed, Edit.Ask);
    };
    if (!TTextInputForm::InputText(this, Edit.Ask, QStringLiteral("Edit Group Name"),
                                   QStringLiteral("Enter the new Name for the Group"), name, check))
        return;
    Take(RenameGroup(Edit, index, name), number);
}

void TGroup::DeleteBtnClick() {
    const std::int32_t index = ChosenIndex();
    if (index < 0)
        return;
    const std::int32_t number = Edit.Ledger.GroupList.Items(index)->Number;
    const TEditOutcome outcome = DeleteGroup(Edit, index);
    if (outcome.Done() && AboveFirstRow.erase(number) > 0)
        ++DeletedAboveCount;
    // After a deletion the first row is chosen.
    const TGroupList& groups = Edit.Ledger.GroupList;
    Take(outcome, outcome.Done() ? (groups.Count() > 0 ? groups.Items(0)->Number : -1) : number);
}

} // namespace qz::gui
