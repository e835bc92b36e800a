// newfile_shots [folder]: pictures of the new-from-existing dialogs for docs/wizard, the way a
// user fills them in on the example document. Built only when asked for; run it under xvfb-run
// (or with QT_QPA_PLATFORM=offscreen).

#include "wizard/NewFromExist.h"
#include "wizard/NewFromExistB.h"

#include "ledger/DateTime.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

bool Save(QWidget& window, const QString& folder, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
    window.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
    const QString folder = QApplication::arguments().value(1, QStringLiteral(ZUDEDUZE_SOURCE_DIR "/docs/wizard"));
    if (!QDir().mkpath(folder))
        return 1;

    ScriptedPrompts prompts;
    PreparedQuestions questions;
    FixedClock clock(EncodeDate(2025, 7, 1));
    TLedger ledger;
    TFileManager files(ledger, prompts, questions, clock);
    TFileConvert convert(files, ledger, prompts, questions, clock);
    TNewFromExistingServices services;
    services.Ask = &prompts;
    services.Questions = &questions;
    services.Time = &clock;
    services.Convert = &convert;
    services.OpenDialog = [](const TFileDialogRequest&) {
        return QStringLiteral("/home/user/Bookkeeping Files/Wattle Lane Cafe.kqk");
    };
    TNewFromExDlg dialog(services, QDir::homePath());
    dialog.findChild<QPushButton*>("BrowseBtn")->click();
    dialog.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("Wattle Lane Cafe 2025-26"));
    bool ok = Save(dialog, folder, "new-from-existing");

    TfmNewFromExistB details(QDate(2025, 7, 1));
    ok = Save(details, folder, "new-from-existing-details") && ok;
    return ok ? 0 : 1;
}
