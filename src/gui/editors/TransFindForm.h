#pragma once
// TTransFindForm, "Transaction Selection": the transaction search's window with its two pages,
// "&Quick Selection" (exact values) and "&Detailed Selection" (comparisons and ranges). The main
// window creates it once and only hides it between uses, so that its controls keep the
// criteria last accepted; what the criteria select, and the checks of "&OK", are the core's
// (TTransactionSearch).

#include "edit/TransactionSearch.h"
#include "platform/Prompts.h"

#include <QDialog>

#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace qz::gui {

class TTransFindForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int QuickHelpTopic = 22000;
    static constexpr int DetailedHelpTopic = 22001;
    using ShowHelpFn = std::function<void(int topic)>;

    // `progress` receives the positions of the progress display while the search runs.
    TTransFindForm(TLedger& ledger, Prompts& ask, TSearchProgress progress = {}, ShowHelpFn showHelp = {},
                   QWidget* parent = nullptr);

    // Shows the window modally. A new search starts from the defaults on the quick page; an
    // edit starts from the criteria last accepted, on their page. True after "&OK", when the
    // transactions are marked and the rows filtered: the caller turns the transaction
    // selection on and recalculates.
    bool OpenSearch(bool newSearch);
    // Marks the transactions again with the criteria last accepted; the caller recalculates.
    void ReapplySearch();

    // The criteria the controls hold, on the page shown.
    TSearchCriteria Criteria() const;
    const TTransactionSearch& Search() const { return Finder; }

public slots:
    void OKBtnClick();
    void ResetBtnClick();
    void reject() override;

private:
    void FitPage();
    QWidget* CreateQuickPage();
    QWidget* CreateDetailedPage();
    QWidget* CreateButtons();
    // A quick toggle down: its box enabled, emptied, left-aligned and focused; up: disabled,
    // centred, "All". Its label is blue and bold while it is down.
    void QuickToggled(QCheckBox* toggle, QLineEdit* box, bool down);
    // A list's choice: "All" empties and disables both boxes, "Between" enables both, the
    // others the first alone.
    void ListChanged(QComboBox* list, QLineEdit* first, QLineEdit* second, QToolButton* firstPad,
                     QToolButton* secondPad);
    // Every control at its default on both pages.
    void ResetControls();
    void ShowCriteria(const TSearchCriteria& criteria);
    void UpdateButtons();
    void FocusPage();
    QLineEdit* BoxOf(TSearchBox box) const;
    int HelpTopic() const;

    TLedger& Ledger;
    Prompts& Ask;
    TSearchProgress Progress;
    ShowHelpFn Help;
    TTransactionSearch Finder;
    bool Resetting = false;

    QTabWidget* Pages = nullptr;
    // Quick page.
    QCheckBox* NumberBtn = nullptr;
    QCheckBox* ReferenceBtn = nullptr;
    QCheckBox* AmountBtn = nullptr;
    QCheckBox* UnreconciledBtn = nullptr;
    QCheckBox* TransfersBtn = nullptr;
    QLineEdit* NumberBox = nullptr;
    QLineEdit* ReferenceBox = nullptr;
    QLineEdit* AmountBox = nullptr;
    QToolButton* KeyboardBtn = nullptr;
    QToolButton* PadBtn = nullptr;
    // Detailed page.
    QRadioButton* KindBtns[3] = {};      // All, Credit, Debit
    QRadioButton* StateBtns[3] = {};     // All, Reconciled, Unreconciled (by their choice's number)
    QRadioButton* TransfersBtns[3] = {}; // Include, Exclude, Only (by their choice's number)
    QComboBox* NumberList = nullptr;
    QComboBox* ReferenceList = nullptr;
    QComboBox* AmountList = nullptr;
    QLineEdit* NumberBoxes[2] = {};
    QLineEdit* ReferenceBoxes[2] = {};
    QLineEdit* AmountBoxes[2] = {};
    QToolButton* AmountPads[2] = {};
    // Buttons.
    QPushButton* OKBtn = nullptr;
    QPushButton* ResetBtn = nullptr;
};

} // namespace qz::gui
