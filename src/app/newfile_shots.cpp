// newfile_shots [folder]: pictures for docs/wizard: the new-from-existing dialogs as a user fills
// them in, the welcome screen, the open dialog "Open an Example file" shows with the examples
// made at build time, and the plumber example's description. Built only when asked for; run it
// under xvfb-run (or with QT_QPA_PLATFORM=offscreen).

#include "wizard/ExampleDesc.h"
#include "wizard/NewFromExist.h"
#include "wizard/NewFromExistB.h"
#include "wizard/Welcome.h"

#include "ledger/DateTime.h"
#include "platform/Registry.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"
#include "storage/OptionsFileOLE.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
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

// Lets the file dialog's model read its folder.
void Settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The welcome screen, and the open dialog of "Open an Example file" on a folder holding the
// examples the build made, as the installation folder holds them.
bool WelcomeShots(const QString& folder, ScriptedPrompts& prompts) {
    const QString built = QStringLiteral(ZUDEDUZE_BUILD_DIR "/data/Example Files");
    const QString examples = QDir::tempPath() + QStringLiteral("/Bookkeeping Files/Example Files");
    QDir(examples).removeRecursively();
    QDir().mkpath(examples);
    for (const QString& name : QDir(built).entryList({QStringLiteral("*.kqk")}, QDir::Files))
        QFile::copy(built + QLatin1Char('/') + name, examples + QLatin1Char('/') + name);

    MemoryRegistry registry;
    registry.WriteText(TWelcomeScreen::LastUsedValue, (examples + QStringLiteral("/Ashby Plumbing.kqk")).toStdString());
    std::array<TGridInfo, 5> sets;
    TGridProperties grid;
    TOptionsManager options(registry, prompts, sets, grid, QDir::tempPath().toStdString());
    TWelcomeScreen welcome(nullptr, registry, options);
    bool ok = Save(welcome, folder, "welcome");

    QFileDialog open(nullptr, QStringLiteral("Open file"), examples);
    open.setOption(QFileDialog::DontUseNativeDialog);
    open.setNameFilters(
        {QStringLiteral("Quillmar Zudeduze files (*.kqk)"), QStringLiteral("Ombrith Books files (*.kqk)")});
    open.setFileMode(QFileDialog::ExistingFile);
    open.resize(640, 400);
    open.show();
    Settle(600);
    ok = Save(open, folder, "welcome-examples") && ok;

    TfmExampleDesc desc(nullptr, QStringLiteral(ZUDEDUZE_SOURCE_DIR "/data/ExampleDesc/Ashby Plumbing.htm"), prompts);
    ok = Save(desc, folder, "example-plumber") && ok;
    return ok;
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
    ok = WelcomeShots(folder, prompts) && ok;
    return ok ? 0 : 1;
}
