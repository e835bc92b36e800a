// editor_shots_types DOCUMENT FOLDER: saves a picture of the category types editor and its
// dialog, the groups editor, the three selection dialogs and the category search, each as it
// opens on DOCUMENT (with a few ticks and a search typed, so that the pictures show them at
// work), into FOLDER. Nothing is written to the document.

#include "editors/ActSearchForm.h"
#include "editors/ActSelect.h"
#include "editors/ActSelectBox.h"
#include "editors/CatForm.h"
#include "editors/CatSelection.h"
#include "editors/DeleteDialog.h"
#include "editors/GroupForm.h"
#include "editors/GrpSelect.h"
#include "editors/NewEditCat.h"
#include "filters/DocumentReader.h"
#include "platform/Clock.h"
#include "platform/ScriptedPrompts.h"
#include "storage/DocumentQuestions.h"
#include "storage/FileManager.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

void Save(QWidget& window, const QString& folder, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
    window.hide();
}

void Tick(QWidget& window, const char* box, int row) {
    if (auto* found = window.findChild<TActSelectBox*>(QLatin1String(box)))
        if (QTreeWidgetItem* item = found->Rows()->topLevelItem(row)) {
            found->Rows()->setCurrentItem(item);
            item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_shots_types DOCUMENT FOLDER\n");
        return 2;
    }
    TLedger ledger;
    TDocumentReader reader;
    std::string error;
    if (!reader.Open(argv[1], error) || !reader.LoadForViews(ledger, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    ScriptedPrompts prompts;
    PreparedQuestions questions;
    SystemClock clock;
    TFileManager files(ledger, prompts, questions, clock);
    TAccessCheck access(files.Settings, [](const std::string&) { return false; });
    TQtEditDialogs dialogs;
    TEditContext edit{files, ledger, access, prompts, dialogs};

    TCatForm types(edit, -1, 0);
    Save(types, folder, "types");
    const TCatRec* type = ledger.CatList.Count() > 0 ? ledger.CatList.Items(0) : nullptr;
    TNewEditCat newType(ledger.CatList, prompts, type ? type->Name.Str() : std::string(), type ? type->Kind : 0,
                        !type || type->Side == SideCredit, false);
    Save(newType, folder, "newtype");
    TGroup groups(edit, ledger.GroupList.Count() > 1 ? 1 : 0, 0);
    Save(groups, folder, "groups");

    TActSelect categories(ledger, true, true);
    Tick(categories, "InSelectBox", 0);
    Tick(categories, "InSelectBox", 1);
    Tick(categories, "ExSelectBox", 2);
    Tick(categories, "SubSelectBox", 1);
    Save(categories, folder, "catselect");
    TCatSelection typeSelection(ledger.CatList);
    Tick(typeSelection, "CreditBox", 0);
    Tick(typeSelection, "DebitBox", 1);
    Save(typeSelection, folder, "typeselect");
    TGrpSelect groupSelection(ledger, true, true);
    Tick(groupSelection, "GroupBox", 0);
    Tick(groupSelection, "GroupBox", 2);
    Save(groupSelection, folder, "groupselect");

    TActSearchForm search(ledger, false);
    if (auto* debit = search.findChild<QRadioButton*>(QStringLiteral("DebitBtn")))
        debit->setChecked(true);
    if (auto* text = search.findChild<QLineEdit*>(QStringLiteral("SearchSrc")))
        text->setText(QStringLiteral("s"));
    if (auto* list = search.findChild<QTreeWidget*>(QStringLiteral("FoundList")))
        list->setCurrentItem(list->topLevelItem(0));
    Save(search, folder, "findcategory");
    return 0;
}
