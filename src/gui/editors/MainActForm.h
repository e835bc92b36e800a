#pragma once
// TMainActForm, the category editor ("Categories"): one category at a time with its sub
// categories; new, changed, renumbered and deleted categories through the category dialog;
// new, changed and deleted sub categories in the detail panel, with their tax percentage and
// notes. Every change is the core's operation, made at once; the window fills its controls
// from the lists, and after each operation reads them again, so it always shows what is stored.

#include "edit/SubCategoryEdit.h"
#include "ledger/DisplayFormats.h"
#include "worksheet/WorksheetHost.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qz::gui {

class TPercentBox;

// The windows the editor opens that belong to others: the main window provides them.
struct TCategoryEditorHooks {
    // The category types editor; answers the refresh its changes call for (RefreshNone when it
    // changed nothing).
    std::function<std::uint16_t()> OpenCategoryTypes;
    // The category search, starting on main categories; true when it found a category or a
    // sub category.
    std::function<bool(TCategoryFound& found)> FindCategory;
    std::function<void(int topic)> ShowHelp;
};

struct TCategoryEditorOutcome {
    // Left with OK, or something was changed (a Cancel undoes nothing that was confirmed).
    bool Changed = false;
    // Every operation's refresh, combined, for RefreshAfterEdit.
    std::uint16_t Refresh = RefreshNone;
    // The worksheet rows (their `Row`) of the categories and sub categories deleted, so that the
    // worksheet can keep its first visible row steady.
    std::vector<std::int32_t> DeletedCategoryRows;
    std::vector<std::int32_t> DeletedSubRows;
};

class TMainActForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 10000;
    // The chosen sub category: a key index, or none, or the new one being entered.
    static constexpr std::int32_t NoSub = -1;
    static constexpr std::int32_t NewSub = -2;

    TMainActForm(TEditContext& edit, const TDisplayFormats& formats, TCategoryEditorHooks hooks,
                 QWidget* parent = nullptr);
    ~TMainActForm() override;

    // OpenCategoryEditor: shows the category at key index `categoryIndex` (the first when -1)
    // with the sub category at key index `subIndex` chosen (none when -1), runs modally and
    // answers what changed.
    static TCategoryEditorOutcome Open(QWidget* parent, TEditContext& edit, const TDisplayFormats& formats,
                                       const TCategoryEditorHooks& hooks, std::int32_t categoryIndex = -1,
                                       std::int32_t subIndex = -1);

    // Shows the category and sub category as Open does, without running the window.
    void Start(std::int32_t categoryIndex, std::int32_t subIndex);
    const TCategoryEditorOutcome& Outcome() const { return Result; }

    std::int32_t Position() const { return Pos; }
    std::int32_t ChosenSub() const { return SubIndex; }
    bool Locked() const { return PanelLocked; }

public slots:
    void NewMainBtnClick();
    void EditMainBtnClick();
    void DelMainBtnClick();
    void FindBtnClick();
    void ArrowBtnClick(bool forward);
    void CatBtnClick();
    void NewSubBtnClick();
    void EditSubBtnClick();
    void DelSubBtnClick();
    void SubOKBtnClick();
    void SubCancelBtnClick();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainActForm.cpp: the window and the categories.
    QWidget* MakeCategoryLine();
    QWidget* MakeCategoryButtons();
    QWidget* MakeSubList();
    QWidget* MakeDetailPanel();
    QWidget* MakeWindowButtons();
    TMainActRec* Shown() const;
    void ShowCategory();
    void ShowCategoryLine(const TMainActRec& category);
    void ShowEmptyState();
    void UpdateButtons();
    // Notes an operation's outcome; a commit given up makes the window read the lists again.
    bool Took(const TEditOutcome& outcome);
    void ShowCategoryNumbered(std::int32_t number, std::int32_t subNumber = 0);

    // MainActSubs.cpp: the sub category list and the detail panel.
    void LoadSubs();
    void ChooseSub(std::int32_t index);
    void ShowDetail();
    void ClearDetail();
    bool LeavingAnEdit();
    void OpenPanel(bool isNew, TAccessArea area);
    void LockPanel();
    bool SaveNewSub();
    bool SaveSubChanges();
    void DropPanelEdit();
    bool PanelDiffers() const;
    void RefuseName();
    void NameEdited();
    void PercentEdited();
    void StepPercent(bool up);
    bool ListChoiceKey(int key) const;
    QTreeWidgetItem* RowOfNumber(std::int32_t subNumber) const;
    QTreeWidgetItem* ChosenRow() const;
    QString RowText() const;
    TSubCategoryFields PanelFields() const;

    TEditContext& Edit;
    const TDisplayFormats& Formats;
    TCategoryEditorHooks Hooks;
    TCategoryEditorOutcome Result;

    std::int32_t Pos = -1;
    std::int32_t SubIndex = NoSub;
    bool PanelLocked = true;
    bool Loading = false;
    bool EmptyMessageDue = false;
    bool TaxShown = false;
    // What the open panel started with: an unchanged panel closes without a question.
    TSubCategoryFields PanelStart;
    // The access the open panel was granted, so that its save does not ask again.
    std::optional<TAccessArea> PanelGrant;

    QWidget* CategoryLine = nullptr;
    QLabel* NamePanel = nullptr;
    QLabel* TaxPicture = nullptr;
    QLabel* NumberPanel = nullptr;
    QLabel* TypePanel = nullptr;
    QPushButton* NewMainBtn = nullptr;
    QPushButton* EditMainBtn = nullptr;
    QPushButton* DelMainBtn = nullptr;
    QPushButton* FindBtn = nullptr;
    QToolButton* BackBtn = nullptr;
    QToolButton* ForwardBtn = nullptr;
    QPushButton* CatBtn = nullptr;
    QTreeWidget* SubList = nullptr;
    QPushButton* NewSubBtn = nullptr;
    QPushButton* EditSubBtn = nullptr;
    QPushButton* DelSubBtn = nullptr;
    QFrame* DetailPanel = nullptr;
    QLabel* SubNumberLabel = nullptr;
    QLineEdit* NameEdit = nullptr;
    QLabel* PercentLabel = nullptr;
    TPercentBox* PercentEdit = nullptr;
    QToolButton* PercentUpBtn = nullptr;
    QToolButton* PercentDownBtn = nullptr;
    QPlainTextEdit* NotesMemo = nullptr;
    QPushButton* SubOKBtn = nullptr;
    QPushButton* SubCancelBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

} // namespace qz::gui
