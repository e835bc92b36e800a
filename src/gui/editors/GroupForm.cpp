#include "GroupForm.h"

#include "TextInputForm.h"
#include "edit/GroupEdit.h"
#include "platform/TextCodec.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int NumberRole = Qt::UserRole;

} // namespace

TGroup::TGroup(TEditContext& edit, std::int32_t groupIndex, ShowHelpFn showHelp, QWidget* parent)
    : TListEditor(edit, QStringLiteral("Groups"), HelpTopic, std::move(showHelp), parent) {
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
    // A mouse click makes the row current before it selects it: the buttons follow the selection.
    connect(GroupList, &QTreeWidget::itemSelectionChanged, this, [this] { ChosenChanged(); });
    connect(GroupList, &QTreeWidget::itemDoubleClicked, this, [this] { EditIfOffered(); });
    auto* left = new QVBoxLayout;
    left->addWidget(GroupList);
    LayOut(left);

    const TGroupList& groups = Edit.Ledger.GroupList;
    Fill(groupIndex >= 0 && groupIndex < groups.Count() ? groups.Items(groupIndex)->Number : -1);
    GroupList->setFocus();
}

TListEditorOutcome TGroup::OpenGroups(QWidget* parent, TEditContext& edit, std::int32_t groupIndex,
                                      const ShowHelpFn& showHelp) {
    TGroup form(edit, groupIndex, showHelp, parent);
    return form.Run();
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
    OfferEditing(index >= 0 && !GroupIsFixed(*Edit.Ledger.GroupList.Items(index)));
}

void TGroup::Take(const TEditOutcome& outcome, std::int32_t chooseNumber, std::int32_t deletedRow) {
    Note(outcome, deletedRow);
    // After a commit given up the list holds what the document holds: show that.
    Fill(chooseNumber);
}

void TGroup::NewBtnClick() {
    TAccessScope access(Edit, TAccessArea::Adding);
    if (!access)
        return;
    std::string name;
    if (!InputName(QStringLiteral("New Group"), QStringLiteral("Enter the Name of the new Group"), name))
        return;
    const TEditOutcome outcome = AddGroup(Edit, name);
    Take(outcome, outcome.Index >= 0 ? Edit.Ledger.GroupList.Items(outcome.Index)->Number : -1);
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
    if (!InputName(QStringLiteral("Edit Group Name"), QStringLiteral("Enter the new Name for the Group"), name))
        return;
    Take(RenameGroup(Edit, index, name), number);
}

void TGroup::DeleteBtnClick() {
    const std::int32_t index = ChosenIndex();
    if (index < 0)
        return;
    const TGroupRec* group = Edit.Ledger.GroupList.Items(index);
    const std::int32_t number = group->Number;
    const std::int32_t row = group->Row;
    const TEditOutcome outcome = DeleteGroup(Edit, index);
    // After a deletion the first row is chosen.
    const TGroupList& groups = Edit.Ledger.GroupList;
    Take(outcome, outcome.Done() ? (groups.Count() > 0 ? groups.Items(0)->Number : -1) : number, row);
}

bool TGroup::InputName(const QString& caption, const QString& prompt, std::string& name) {
    const auto check = [this](const std::string& typed) {
        std::string trimmed = typed;
        return Edit.Ledger.GroupList.ValidateName(trimmed, Edit.Ask);
    };
    return TTextInputForm::InputText(this, Edit.Ask, caption, prompt, name, check);
}

} // namespace qz::gui
