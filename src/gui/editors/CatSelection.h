#pragma once
// TCatSelection, the category type selection: every type of each side with a tick, used by the
// category selection to tick the categories of the chosen types.

#include "SelectionDialog.h"
#include "edit/Selections.h"

namespace qz::gui {

class TCatSelection : public TSelectionDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 23000;

    TCatSelection(TCatList& types, ShowHelpFn showHelp = {}, QWidget* parent = nullptr);

    // Runs the dialog modally: true after OK, with the answer in the types' Picked flags.
    static bool SelectCategoryTypes(QWidget* parent, TCatList& types, const ShowHelpFn& showHelp = {});

public slots:
    void ResetBtnClick() override;

private:
    TActSelectBox* BoxOf(std::uint8_t side) const;
    void Fill();
    void Tick(std::uint8_t side, int row, bool on);
    void TickAll(std::uint8_t side, bool on);
    void Ticks();

    TTypeSelection Selection;
    TActSelectBox* CreditBox;
    TActSelectBox* DebitBox;
};

} // namespace qz::gui
