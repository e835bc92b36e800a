#pragma once
// TActSelect, the category selection: the credit and debit categories with a tick each, the
// sub categories of the highlighted category, and the tree of what is ticked. OK makes the
// ticks the worksheet's category selection; Cancel leaves the selection as it was.

#include "SelectionDialog.h"
#include "edit/Selections.h"

class QLabel;
class QTreeWidget;

namespace qz::gui {

class TActSelect : public TSelectionDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 24000;

    // `newSelection`: true for the selection button and "New Selection", false for "Edit
    // Selection". `showNumbers`: the option that shows category numbers.
    TActSelect(TLedger& ledger, bool newSelection, bool showNumbers, ShowHelpFn showHelp = {},
               QWidget* parent = nullptr);

    // Runs the dialog modally: true after OK, when the selection is made (the caller
    // recalculates the worksheet).
    static bool SelectCategories(QWidget* parent, TLedger& ledger, bool newSelection, bool showNumbers,
                                 const ShowHelpFn& showHelp = {});

public slots:
    void CatTypeBtnClick();
    void ResetBtnClick() override;
    void OKBtnClick() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TActSelectBox* BoxOf(std::uint8_t side) const;
    void FillCategories();
    void Highlight(std::uint8_t side, int row);
    void ShowSubs();
    void TickCategory(std::uint8_t side, int row, bool on);
    void TickAllCategories(std::uint8_t side, bool on);
    void TickSub(int row, bool on);
    void TickAllSubs(bool on);
    // The boxes' ticks, the tree and OK, from the records' ticks.
    void ShowTicks();
    void FillTree();

    TLedger& Ledger;
    TCategorySelection Selection;
    TMainActRec* HighlightedCategory = nullptr;

    TActSelectBox* InSelectBox;
    TActSelectBox* ExSelectBox;
    TActSelectBox* SubSelectBox;
    QLabel* CreditArrow;
    QLabel* DebitArrow;
    QTreeWidget* TreeView;
};

} // namespace qz::gui
