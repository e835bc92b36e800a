// editor_shots_accounts: pictures of the accounts window and the account dialog, saved as
// accounts.png and newaccount.png.
//   xvfb-run -a editor_shots_accounts [document.kqk] [output-folder]

#include "EditorShots.h"
#include "editors/BooksForm.h"
#include "editors/NewEditBookForm.h"

using namespace qz;
using namespace qz::gui;
using namespace qz::gui::shots;

namespace {

bool Shoot(TShotDocument& document, const QString& folder) {
    bool saved = true;
    {
        TBooksForm accounts({&document.Edit, &document.Formats, document.Clock.Today(), {}}, 0);
        saved &= SaveShot(accounts, folder, "accounts");
    }
    {
        TAccountFields fields = NewAccountFields(document.Ledger, document.Clock.Today());
        fields.Name = "Term Deposit";
        fields.OpeningBalance = Money::FromUnits(5000);
        TNewEditBookForm account(true, fields);
        saved &= SaveShot(account, folder, "newaccount");
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    return RunShots(argc, argv, Shoot);
}
