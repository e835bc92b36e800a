#pragma once
// TListEditor, what the category types editor and the groups editor share: the caption and help
// topic, the column of "&New", "&Edit", "&Delete", "&Close" and "&Help" beside the list, and the
// account of what the editor's operations changed: whether anything did, what the main window
// must recalculate, and the worksheet rows of the records deleted. Every change reaches the
// document at once; "&Close" undoes nothing.

#include "edit/EditContext.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLayout;
class QPushButton;

namespace qz::gui {

struct TListEditorOutcome {
    bool Changed = false;
    // Every operation's refresh, combined, for RefreshAfterEdit.
    std::uint16_t Refresh = RefreshNone;
    // The worksheet rows (`Row`) the deleted records had, so that the worksheet can keep its
    // first visible row on the record it showed.
    std::vector<std::int32_t> DeletedRows;
};

class TListEditor : public QDialog {
    Q_OBJECT
public:
    using ShowHelpFn = std::function<void(int topic)>;

    const TListEditorOutcome& Outcome() const { return Result; }
    bool Changed() const { return Result.Changed; }
    std::uint16_t Refresh() const { return Result.Refresh; }

public slots:
    virtual void NewBtnClick() = 0;
    virtual void EditBtnClick() = 0;
    virtual void DeleteBtnClick() = 0;

protected:
    TListEditor(TEditContext& edit, const QString& caption, int helpTopic, ShowHelpFn showHelp, QWidget* parent);

    // Runs the window modally and answers what it changed.
    TListEditorOutcome Run();
    // The window: `list` (with what belongs to it) on the left, the buttons on the right. Call it
    // once, after the list's controls are made.
    void LayOut(QLayout* list);
    // "&Edit" and "&Delete" are offered for the chosen record only when it may change.
    void OfferEditing(bool editable);
    // A double-click, or a key that acts as "&Edit", where "&Edit" is offered.
    void EditIfOffered();
    // Takes an operation's answer; `deletedRow` is the worksheet row of the record a deletion
    // removed (-1: none, or it had no row).
    void Note(const TEditOutcome& outcome, std::int32_t deletedRow = -1);

    TEditContext& Edit;
    // Made by LayOut.
    QPushButton* NewBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;

private:
    int Topic;
    ShowHelpFn Help;
    TListEditorOutcome Result;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

} // namespace qz::gui
