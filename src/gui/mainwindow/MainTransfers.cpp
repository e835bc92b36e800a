// The main window and the transfer window: the Tools menu's "&Transfers" and a transfer row of
// the Transactions view opened for editing, and the worksheet brought up to date after it.

#include "MainForm.h"

#include "editors/TransferForm.h"

namespace qz::gui {

bool TMain::OpenTransfers(const TTransRec* record) {
    if (!Files.IsOpen)
        return false;
    TTransferContext context;
    context.Edit = &Edit;
    context.Formats = &Formats;
    context.Today = Services.Time->Today();
    context.ShowHelp = [this](int topic) { ShowHelp(topic); };
    return TTransfer::OpenTransfers(this, context, record);
}

void TMain::TransfersCommand() {
    if (OpenTransfers(nullptr))
        Filters.TransfersEdited();
}

// A transfer row: the worksheet's own steps follow when this answers true.
bool TMain::EditTransfer(TTransRec& transaction) {
    return OpenTransfers(&transaction);
}

} // namespace qz::gui
