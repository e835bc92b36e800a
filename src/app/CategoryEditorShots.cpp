// category_editor_shots: pictures of the category editor's windows on a document, for the
// documentation. Works on a copy of the document, so the document itself is never changed.
//   xvfb-run -a category_editor_shots "build/dev/data/Example Files/Wattle Lane Cafe.kqk" docs/editors
// Saves categories.png (the editor, its panel locked on a sub category), categories-newsub.png
// (the panel open for a new sub category), categories-dialog.png (the category dialog),
// categories-input.png and categories-input-nopercent.png (the name dialog with and without
// its percentage box).

#include "edit/EditContext.h"
#include "editors/InputDlg.h"
#include "editors/MainActForm.h"
#include "editors/NewMainActForm.h"
#include "platform/Clock.h"
#include "platform/LocaleSettings.h"
#include "platform/QtPrompts.h"
#include "storage/DocumentQuestions.h"
#include "storage/FileConvert.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

class NoDeleteDialog : public TEditDialogs {
public:
    bool ConfirmDelete() override { return false; }
};

bool Save(QWidget& window, const QString& folder, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    window.hide();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: category_editor_shots document.kqk output-folder\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    QTemporaryDir scratch;
    const QString copy = scratch.path() + QStringLiteral("/Shots.kqk");
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), copy)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 1;
    }

    TLedger ledger;
    QtPrompts prompts;
    PreparedQuestions questions;
    SystemClock clock;
    TFileManager files(ledger, prompts, questions, clock);
    files.ConnectLists();
    TFileConvert convert(files, ledger, prompts, questions, clock);
    if (!convert.OpenDocument(copy.toStdString()).Opened)
        return 1;
    TAccessCheck access(files.Settings, [](const std::string&) { return true; });
    NoDeleteDialog dialogs;
    TEditContext edit{files, ledger, access, prompts, dialogs};
    const TDisplayFormats formats(RegionalSettingsOf());
    bool saved = true;

    {
        TMainActForm editor(edit, formats, {});
        const std::int32_t category = ledger.MainActList.IndexOfNumber(500);
        editor.Start(category, ledger.SubActList.IndexOfPair(500, 2));
        saved &= Save(editor, folder, "categories.png");
        editor.Start(category, -1);
        editor.show();
        editor.NewSubBtnClick();
        editor.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("School Canteen"));
        saved &= Save(editor, folder, "categories-newsub.png");
        editor.SubCancelBtnClick();
    }
    {
        TNewMainActForm dialog(edit, TNewMainActForm::TMode::New, -1);
        dialog.findChild<QPushButton*>("DebitBtn")->click();
        auto* types = dialog.findChild<QListWidget*>("CatListBox");
        if (const auto found = types->findItems(QStringLiteral("Overheads"), Qt::MatchExactly); !found.isEmpty())
            types->setCurrentItem(found.front());
        dialog.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("Market Stall"));
        saved &= Save(dialog, folder, "categories-dialog.png");
    }
    for (const bool withPercent : {true, false}) {
        TInputDlg dialog("New Sub Category", "Enter the Name of the new Sub Category",
                         withPercent ? files.Settings.GstPercent : TInputDlg::NoPercent, files.Settings.TaxName,
                         [](std::string&) { return true; });
        dialog.show();
        dialog.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("Farmers' Market"));
        saved &= Save(dialog, folder, withPercent ? "categories-input.png" : "categories-input-nopercent.png");
    }
    files.Close(true, false);
    return saved ? 0 : 1;
}
