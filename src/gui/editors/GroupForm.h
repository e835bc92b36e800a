#pragma once
// TGroup, the groups editor: every group with its number ("G4") and name, and New, Edit and
// Delete through the core's operations. Group 0, the default group, keeps its name and stays.
// Every change reaches the document at once; "&Close" undoes nothing.

#include "ListEditor.h"

class QTreeWidget;

namespace qz::gui {

class TGroup : public TListEditor {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 11000;

    // `groupIndex`: key index of the group to choose, -1 for none.
    TGroup(TEditContext& edit, std::int32_t groupIndex, ShowHelpFn showHelp = {}, QWidget* parent = nullptr);

    // Runs the editor modally and answers what it changed (the deleted rows are rows of the
    // Groups worksheet).
    static TListEditorOutcome OpenGroups(QWidget* parent, TEditContext& edit, std::int32_t groupIndex,
                                         const ShowHelpFn& showHelp = {});

    // The key index of the chosen group; -1 when none.
    std::int32_t ChosenIndex() const;

public slots:
    void NewBtnClick() override;
    void EditBtnClick() override;
    void DeleteBtnClick() override;

private:
    // Fills the list in list order and chooses the group of `number` (none for -1).
    void Fill(std::int32_t chooseNumber);
    void ChosenChanged();
    // Takes an operation's answer (TListEditor::Note) and shows the list as the lists now hold it.
    void Take(const TEditOutcome& outcome, std::int32_t chooseNumber, std::int32_t deletedRow = -1);
    // The name box of New and Edit, checked by the group list.
    bool InputName(const QString& caption, const QString& prompt, std::string& name);

    QTreeWidget* GroupList;
};

} // namespace qz::gui
