#pragma once
// TCatSelection, the category type selection: every type of each side with a tick, used by the
// category selection to tick the categories of the chosen types.

#include "edit/Selections.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace qz::gui {

class TActSelectBox;

class TCatSelection : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 23000;
    using ShowHelpFn = std::function<void(int topic)>;

    TCatSelection(TCatList& types, ShowHelpFn showHelp = {}, QWidget* parent = nullptr);

    // Runs the dialog modally: true after OK, with the answer in the types' Picked flags.
    static bool SelectCategoryTypes(QWidget* parent, TCatList& types, const ShowHelpFn& showHelp = {});

public slots:
    void ResetBtnClick();

private:
    void Fill();
    void Tick(std::uint8_t side, int row, bool on);
    void TickAll(std::uint8_t side, bool on);
    void Ticks();

    TTypeSelection Selection;
    ShowHelpFn Help;
    TActSelectBox* CreditBox;
    TActSelectBox* DebitBox;
    QPushButton* OKBtn;
};

} // namespace qz::gui
