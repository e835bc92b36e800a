// editor_shots_transfers: pictures of the transfer window with the transfer of the example's
// latest transfer chosen, and the transfer dialog filled in with its description line, saved as
// transfer-list.png and transfer-new.png.
//   xvfb-run -a editor_shots_transfers [document.kqk] [output-folder]

#include "EditorShots.h"
#include "editors/NewEditTransferForm.h"
#include "editors/TransferForm.h"

#include <iostream>

using namespace qz;
using namespace qz::gui;
using namespace qz::gui::shots;

namespace {

bool Shoot(TShotDocument& document, const QString& folder) {
    const TLedger& ledger = document.Ledger;
    if (ledger.BookList.Count() < 2) {
        std::cerr << "the document needs two accounts for a transfer\n";
        return false;
    }
    const TTransferContext context{&document.Edit, &document.Formats, document.Clock.Today(), {}};
    bool saved = true;
    {
        const std::int32_t count = ledger.TransferList.Count();
        const TTransRec* latest = count > 0 ? ledger.TransferList.Item(count - 1)->ToTrans : nullptr;
        TTransfer transfers(context, latest);
        saved &= SaveShot(transfers, folder, "transfer-list");
    }
    {
        TTransferFields fields = NewTransferFields(ledger, document.Clock.Today());
        fields.ToAccount = ledger.BookList.Items(1)->Number;
        fields.Amount = Money::FromCents(125050);
        fields.Reference = "TFR-0412";
        fields.Notes = "Takings banked from the till";
        TNewEditTransfer transfer(context, true, fields);
        saved &= SaveShot(transfer, folder, "transfer-new");
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    return RunShots(argc, argv, Shoot);
}
