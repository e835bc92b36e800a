#pragma once
// TTransact, the transaction editor: the modal window in which credit and debit transactions are
// entered, looked at, changed, split and deleted. The window holds no figures of its own: every
// edit of the user goes to the core's transaction session, and the controls show what the
// session holds after it (TransactShow.cpp). The main window makes the window once and opens it
// again for each transaction.

#include "edit/TransactionSession.h"
#include "ledger/DisplayFormats.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QToolButton;

namespace qz::gui {

class TBookCombo;
class TDateBox;
class TNumberBox;
class TPercentBox;
class TPercentUpDown;
class TTextBox;

// What the window works with; the main window provides it.
struct TTransactContext {
    TEditContext* Edit = nullptr;
    const TDisplayFormats* Formats = nullptr;
    const Clock* Time = nullptr;
    // The user's options, read again at every opening.
    std::function<TTransactionOptions()> Options;
    // The fields take the button-face colour when locked (the 256 and 16 colour displays).
    std::function<bool()> SystemColours;
    std::function<void(int topic)> ShowHelp;
    // "&Find": the transaction search; true when the search was applied.
    std::function<bool()> OpenSearch;
};

class TTransact : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 5000;

    explicit TTransact(TTransactContext context, QWidget* parent = nullptr);
    ~TTransact() override;

    // OpenTransactionEditor: prepares the window as Start does, runs it modally and answers
    // what it did; nothing (not opened) when the user gave up choosing the kind of a new one.
    std::optional<TTransactionEditorResult> OpenTransactionEditor(TTransMode mode, std::int32_t position,
                                                                  std::int32_t firstVisibleRow = 0,
                                                                  bool descending = false);
    // A fresh session on the transaction of row `position` of the Transactions view's list (Row),
    // at key index `position` (Index), or on a new one (New, after the kind); false when the
    // user gave up the kind. The window is not shown.
    bool Start(TTransMode mode, std::int32_t position, std::int32_t firstVisibleRow = 0, bool descending = false);
    // What the window did since Start.
    TTransactionEditorResult Result() const;
    TTransactionSession& Session() { return *S; }
    // "&Find" applied the transaction search and closed the window.
    bool SearchApplied() const { return ClosedByFind; }

public slots:
    void BtnNewClick();
    void FindBtnClick();
    void DeleteBtnClick();
    void EditBtnClick();
    void ArrowBtnClick(bool forward);
    void SplitBtnClick();
    void AddSplitBtnClick();
    void DeleteSplitBtnClick();
    void OKBtnClick();
    void HelpBtnClick();
    void NewSubBtnClick();
    void NewGrpBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TDialogs;

    // Transact.cpp: the window's parts.
    QWidget* MakeHeader();
    QWidget* MakeTabLine();
    QFrame* MakeDetailPanel();
    QWidget* MakeGstPanel();
    QWidget* MakeButtons();
    void ConnectFields();

    // TransactShow.cpp: the controls from the session.
    void ShowSession();
    void ShowHeader();
    void ShowTabs();
    void ShowLists();
    void ShowFields();
    void ShowGstPanel();
    void ShowLook();
    void ShowButtons();
    // After an edit typed into a box: what depends on it, leaving the box itself alone.
    void ShowEditState();
    // The focus goes where the session points (a refused save names the field).
    void FocusNamed();

    // TransactEvents.cpp: the user's edits into the session.
    void ComboMainChange();
    void ComboSubChange();
    void ComboGrpChange();
    void BookComboChange();
    void DateEditBtnChange();
    void DataChange(QWidget* source);
    void NbrBoxAmountExit();
    void NbrBoxBeforeGstExit();
    void GstPercentEditExit();
    void NbrBoxGstAmountExit();
    void UpDown1Click();
    void GstAmountToggleChange(bool percentMode);
    void TabControlChange(int tab);
    // The exit rule of the amount box that has the focus, before the split on show changes.
    void LeaveFocusedBox();

    TTransactContext Ctx;
    std::unique_ptr<TDialogs> KindAndNames;
    std::unique_ptr<TTransactionSession> S;
    // The mode of the last opening, for an opening on a list without transactions.
    std::optional<TTransMode> LastMode;
    bool Loading = false;
    bool ClosedByFind = false;

    QLabel* TransKindPanel = nullptr;
    QLabel* TransNoPanel = nullptr;
    QTabBar* TabControl = nullptr;
    QWidget* TotalPanel = nullptr;
    QLabel* TotalLabel = nullptr;
    QFrame* DetailPanel = nullptr;
    TBookCombo* BookCombo = nullptr;
    QComboBox* ComboMainName = nullptr;
    QComboBox* ComboSubName = nullptr;
    QComboBox* ComboGrpName = nullptr;
    QPushButton* NewSubBtn = nullptr;
    QPushButton* NewGrpBtn = nullptr;
    QLabel* DetailLabel = nullptr;
    TDateBox* DateEditBtn = nullptr;
    TTextBox* EditReference = nullptr;
    TNumberBox* NbrBoxAmount = nullptr;
    QWidget* GstPanel = nullptr;
    QToolButton* GstPercentToggle = nullptr;
    QToolButton* GstAmountToggle = nullptr;
    QLabel* BeforeGstLabel = nullptr;
    TNumberBox* NbrBoxBeforeGst = nullptr;
    QWidget* PercentPart = nullptr;
    TPercentBox* GstPercentEdit = nullptr;
    TPercentUpDown* UpDown1 = nullptr;
    QLabel* GstLabel = nullptr;
    TNumberBox* NbrBoxGstAmount = nullptr;
    QPlainTextEdit* MemoMemo = nullptr;
    QCheckBox* DisableCheck = nullptr;
    QPushButton* NewBtn = nullptr;
    QPushButton* FindBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QToolButton* BackBtn = nullptr;
    QToolButton* ForwardBtn = nullptr;
    QPushButton* SplitBtn = nullptr;
    QPushButton* AddSplitBtn = nullptr;
    QPushButton* DeleteSplitBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

} // namespace qz::gui
