#pragma once
// TGrpSelect, the group selection: every group with a tick. OK makes the ticks the worksheet's
// group selection; Cancel leaves the selection as it was.

#include "edit/Selections.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace qz::gui {

class TActSelectBox;

class TGrpSelect : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 25000;
    using ShowHelpFn = std::function<void(int topic)>;

    TGrpSelect(TLedger& ledger, bool newSelection, bool showNumbers, ShowHelpFn showHelp = {},
               QWidget* parent = nullptr);

    // Runs the dialog modally: true after OK, when the selection is made (the caller
    // recalculates the worksheet).
    static bool SelectGroups(QWidget* parent, TLedger& ledger, bool newSelection, bool showNumbers,
                             const ShowHelpFn& showHelp = {});

public slots:
    void ResetBtnClick();
    void OKBtnClick();

private:
    void Fill();
    void ShowTicks();

    TLedger& Ledger;
    TGroupSelection Selection;
    ShowHelpFn Help;
    TActSelectBox* GroupBox;
    QPushButton* OKBtn;
};

} // namespace qz::gui
