#pragma once
// TGrpSelect, the group selection: every group with a tick. OK makes the ticks the worksheet's
// group selection; Cancel leaves the selection as it was.

#include "SelectionDialog.h"
#include "edit/Selections.h"

namespace qz::gui {

class TGrpSelect : public TSelectionDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 25000;

    TGrpSelect(TLedger& ledger, bool newSelection, bool showNumbers, ShowHelpFn showHelp = {},
               QWidget* parent = nullptr);

    // Runs the dialog modally: true after OK, when the selection is made (the caller
    // recalculates the worksheet).
    static bool SelectGroups(QWidget* parent, TLedger& ledger, bool newSelection, bool showNumbers,
                             const ShowHelpFn& showHelp = {});

public slots:
    void ResetBtnClick() override;
    void OKBtnClick() override;

private:
    void Fill();
    void ShowTicks();

    TLedger& Ledger;
    TGroupSelection Selection;
    TActSelectBox* GroupBox;
};

} // namespace qz::gui
