#pragma once
// TGroup, the groups editor: every group with its number ("G4") and name, and New, Edit and
// Delete through the core's operations. Group 0, the default group, keeps its name and stays.
// Every change reaches the document at once; "&Close" undoes nothing.

#include "edit/EditContext.h"

#include <QDialog>

#include <functional>
#include <set>

class QPushButton;
class QTreeWidget;

namespace qz::gui {

class TGroup : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 11000;
    using ShowHelpFn = std::function<void(int topic)>;

    // `groupIndex`: key index of the group to choose, -1 for none. `firstVisibleRow`: the first
    // row the Groups worksheet shows.
    TGroup(TEditContext& edit, std::int32_t groupIndex, std::int32_t firstVisibleRow, ShowHelpFn showHelp = {},
           QWidget* parent = nullptr);

    // Runs the editor modally. Answers whether anything changed; ORs what the main window must
    // recalculate into `refresh` and sets `deletedAbove` to the number of deleted groups that
    // lay above `firstVisibleRow` of the Groups worksheet.
    static bool OpenGroups(QWidget* parent, TEditContext& edit, std::int32_t groupIndex, std::int32_t firstVisibleRow,
                           std::uint16_t& refresh, std::int32_t& deletedAbove, const ShowHelpFn& showHelp = {});

    bool Changed() const { return AnyChange; }
    std::uint16_t Refresh() const { return RefreshFlags; }
    std::int32_t DeletedAbove() const { return DeletedAboveCount; }
    // The key index of the chosen group; -1 when none.
    std::int32_t ChosenIndex() const;

public slots:
    void NewBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();

private:
    // Fills the list in list order and chooses the group of `number` (none for -1).
    void Fill(std::int32_t chooseNumber);
    void ChosenChanged();
    void Take(const TEditOutcome& outcome, std::int32_t chooseNumber);

    TEditContext& Edit;
    ShowHelpFn Help;
    bool AnyChange = false;
    std::uint16_t RefreshFlags = RefreshNone;
    std::int32_t DeletedAboveCount = 0;
    std::set<std::int32_t> AboveFirstRow;

    QTreeWidget* GroupList;
    QPushButton* EditBtn;
    QPushButton* DeleteBtn;
};

} // namespace qz::gui
