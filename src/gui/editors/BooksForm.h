#pragma once
// TBooksForm, the accounts window ("Accounts"): the accounts in the user's order, each in its
// colour with its opening balance; new, edit and delete through the core's account operations,
// and the arrows that move an account within the order of the account bar. Every change is
// stored as it is made, so "&Cancel" keeps what was confirmed.

#include "edit/AccountEdit.h"
#include "ledger/DisplayFormats.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QPushButton;
class QToolButton;
class QTreeWidget;

namespace qz::gui {

// What the window works on.
struct TBooksContext {
    TEditContext* Edit = nullptr;
    const TDisplayFormats* Formats = nullptr;
    // Today, the starting date a new account is offered.
    TDateTime Today = 0;
    std::function<void(int topic)> ShowHelp;
};

class TBooksForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 2000;
    // The "Opening Balance" column, less a scroll bar's width from this many rows on.
    static constexpr int OpeningColumnWidth = 150;
    static constexpr int RowsBeforeScrollBar = 10;

    // `index`: the key index of the account chosen at first; -1 for none.
    TBooksForm(TBooksContext context, std::int32_t index, QWidget* parent = nullptr);

    // Runs the window modally with the account at key index `index` chosen (none for -1).
    // Answers whether anything changed; `refresh` takes, ORed in, what the caller must refill,
    // re-sort and recalculate (TRefresh flags; see RefreshAfterEdit).
    static bool OpenAccounts(QWidget* parent, const TBooksContext& context, std::int32_t index, std::uint16_t& refresh);

    bool Changed() const { return Refresh != RefreshNone; }
    std::uint16_t RefreshNeeded() const { return Refresh; }
    // The account of the chosen row; null when none is chosen.
    TBookRec* ChosenAccount() const;

public slots:
    void NewBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void UpBtnClick();
    void DownBtnClick();

private:
    QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, const QString& hint);
    // Fills the list from the account list, in its order, choosing the account `number` (none
    // for -1). Records are read again each time: a commit given up brings back new ones.
    void FillList(std::int32_t number);
    void ChosenChanged();
    void Note(const TEditOutcome& outcome);
    void Move(bool up);
    std::int32_t ChosenNumber() const;

    TBooksContext Ctx;
    std::uint16_t Refresh = RefreshNone;
    // The user passed the access check for rearranging once in this window; the arrows, which
    // repeat while held, do not ask again.
    bool MayRearrange = false;
    QTreeWidget* BookListView;
    QPushButton* NewBtn;
    QPushButton* EditBtn;
    QPushButton* DeleteBtn;
    QToolButton* UpBtn;
    QToolButton* DownBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

} // namespace qz::gui
