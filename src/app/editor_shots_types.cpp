// editor_shots_types: pictures of the category types editor and its dialog, the groups editor,
// the three selection dialogs and the category search, each as it opens on the document (with a
// few ticks and a search typed, so that the pictures show them at work).
//   xvfb-run -a editor_shots_types [document.kqk] [output-folder]
// Saves types.png, newtype.png, groups.png, catselect.png, typeselect.png, groupselect.png and
// findcategory.png.

#include "EditorShots.h"
#include "editors/ActSearchForm.h"
#include "editors/ActSelect.h"
#include "editors/ActSelectBox.h"
#include "editors/CatForm.h"
#include "editors/CatSelection.h"
#include "editors/GroupForm.h"
#include "editors/GrpSelect.h"
#include "editors/NewEditCat.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

using namespace qz;
using namespace qz::gui;
using namespace qz::gui::shots;

namespace {

void Tick(QWidget& window, const char* box, int row) {
    if (auto* found = window.findChild<TActSelectBox*>(QLatin1String(box)))
        if (QTreeWidgetItem* item = found->Rows()->topLevelItem(row)) {
            found->Rows()->setCurrentItem(item);
            item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
}

bool Shoot(TShotDocument& document, const QString& folder) {
    TLedger& ledger = document.Ledger;
    bool saved = true;
    TCatForm types(document.Edit, -1);
    saved &= SaveShot(types, folder, "types");
    // A new debit type being named, its section chosen.
    TNewEditCat newType(ledger.CatList, document.Prompts, std::string(), 0, false, true);
    if (auto* name = newType.findChild<QLineEdit*>(QStringLiteral("NameEdit")))
        name->setText(QStringLiteral("Premises"));
    if (auto* kind = newType.findChild<QRadioButton*>(QStringLiteral("Kind2")))
        kind->setChecked(true);
    saved &= SaveShot(newType, folder, "newtype");
    TGroup groups(document.Edit, ledger.GroupList.Count() > 1 ? 1 : 0);
    saved &= SaveShot(groups, folder, "groups");

    TActSelect categories(ledger, true, true);
    Tick(categories, "InSelectBox", 0);
    Tick(categories, "InSelectBox", 1);
    Tick(categories, "ExSelectBox", 2);
    Tick(categories, "SubSelectBox", 1);
    saved &= SaveShot(categories, folder, "catselect");
    TCatSelection typeSelection(ledger.CatList);
    Tick(typeSelection, "CreditBox", 0);
    Tick(typeSelection, "DebitBox", 1);
    saved &= SaveShot(typeSelection, folder, "typeselect");
    TGrpSelect groupSelection(ledger, true, true);
    Tick(groupSelection, "GroupBox", 0);
    Tick(groupSelection, "GroupBox", 2);
    saved &= SaveShot(groupSelection, folder, "groupselect");

    TActSearchForm search(ledger, false);
    if (auto* debit = search.findChild<QRadioButton*>(QStringLiteral("DebitBtn")))
        debit->setChecked(true);
    if (auto* text = search.findChild<QLineEdit*>(QStringLiteral("SearchSrc")))
        text->setText(QStringLiteral("s"));
    if (auto* list = search.findChild<QTreeWidget*>(QStringLiteral("FoundList")))
        list->setCurrentItem(list->topLevelItem(0));
    saved &= SaveShot(search, folder, "findcategory");
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    return RunShots(argc, argv, Shoot);
}
