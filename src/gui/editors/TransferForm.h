#pragma once
// TTransfer, the transfer window ("Transfer"): every transfer with the account it leaves and the
// one it enters (each with a swatch of its colour), its date and amount; new, edit and delete
// through the core's transfer operations. Every change is stored as it is made, so "&Cancel"
// keeps what was confirmed.

#include "NewEditTransferForm.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace qz::gui {

class TTransfer : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = TNewEditTransfer::HelpTopic;
    // The "Amount" column, less a scroll bar's width from this many rows on.
    static constexpr int AmountColumnWidth = 120;
    static constexpr int RowsBeforeScrollBar = 10;
    enum TColumn { FromColumn, ToColumn, DateColumn, AmountColumn };

    // `record`: a half of the transfer chosen at first; null for none.
    TTransfer(TTransferContext context, const TTransRec* record, QWidget* parent = nullptr);

    // Runs the window modally. True when it was left with "&OK" or anything changed (or a change
    // the document did not take brought the records back from it).
    static bool OpenTransfers(QWidget* parent, const TTransferContext& context, const TTransRec* record);

    bool Changed() const { return AnyChange; }
    // The index in the transfer list of the chosen row; -1 when none is chosen.
    std::int32_t ChosenIndex() const;

public slots:
    void NewBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();

private:
    // Fills the list from the transfer list, choosing the pair whose "Transfer To" half has
    // `number` (none for -1). Pairs are read again each time: a commit given up brings back new records.
    void FillList(std::int32_t number);
    void ChosenChanged();
    void Note(const TEditOutcome& outcome);
    std::int32_t NumberOf(std::int32_t index) const;

    TTransferContext Ctx;
    bool AnyChange = false;
    QTreeWidget* TransferListView;
    QPushButton* NewBtn;
    QPushButton* EditBtn;
    QPushButton* DeleteBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

} // namespace qz::gui
