// category_editor_shots: pictures of the category editor's windows, for the documentation.
//   xvfb-run -a category_editor_shots [document.kqk] [output-folder]
// Saves categories.png (the editor, its panel locked on a sub category), categories-newsub.png
// (the panel open for a new sub category), categories-dialog.png (the category dialog),
// categories-input.png and categories-input-nopercent.png (the name dialog with and without
// its percentage box).

#include "EditorShots.h"
#include "editors/InputDlg.h"
#include "editors/MainActForm.h"
#include "editors/NewMainActForm.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace qz;
using namespace qz::gui;
using namespace qz::gui::shots;

namespace {

bool Shoot(TShotDocument& document, const QString& folder) {
    TLedger& ledger = document.Ledger;
    bool saved = true;
    {
        TMainActForm editor(document.Edit, document.Formats, {});
        const std::int32_t category = ledger.MainActList.IndexOfNumber(500);
        editor.Start(category, ledger.SubActList.IndexOfPair(500, 2));
        saved &= SaveShot(editor, folder, "categories");
        editor.Start(category, -1);
        editor.show();
        editor.NewSubBtnClick();
        editor.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("School Canteen"));
        saved &= SaveShot(editor, folder, "categories-newsub");
        editor.SubCancelBtnClick();
    }
    {
        TNewMainActForm dialog(document.Edit, TNewMainActForm::TMode::New, -1);
        dialog.findChild<QPushButton*>("DebitBtn")->click();
        auto* types = dialog.findChild<QListWidget*>("CatListBox");
        if (const auto found = types->findItems(QStringLiteral("Overheads"), Qt::MatchExactly); !found.isEmpty())
            types->setCurrentItem(found.front());
        dialog.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("Market Stall"));
        saved &= SaveShot(dialog, folder, "categories-dialog");
    }
    const TFileSettings& settings = document.Files.Settings;
    for (const bool withPercent : {true, false}) {
        TInputDlg dialog("New Sub Category", "Enter the Name of the new Sub Category",
                         withPercent ? settings.GstPercent : TInputDlg::NoPercent, settings.TaxName,
                         [](std::string&) { return true; });
        dialog.show();
        dialog.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("Farmers' Market"));
        saved &= SaveShot(dialog, folder, withPercent ? "categories-input" : "categories-input-nopercent");
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    return RunShots(argc, argv, Shoot);
}
