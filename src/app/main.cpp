// zudeduze: the program. One instance per user; a later start hands its file to the first.

#include "grid/ColumnProperties.h"
#include "mainwindow/MainForm.h"
#include "options/Option.h"
#include "options/QtDocumentQuestions.h"
#include "platform/FileDialogs.h"
#include "platform/InstallFolder.h"
#include "platform/LocaleSettings.h"
#include "platform/QtPrompts.h"
#include "platform/SettingsRegistry.h"
#include "platform/SingleInstance.h"
#include "wizard/ExampleDesc.h"
#include "wizard/NewFileDlg.h"
#include "wizard/Welcome.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

using namespace qz;
using namespace qz::gui;

namespace {

// More than 256 colours, exactly 256 (the program's own palette), or fewer. ZUDEDUZE_COLOURS
// (256 or 16) imitates the older displays.
TColourClass ScreenColourClass() {
    const QByteArray forced = qgetenv("ZUDEDUZE_COLOURS");
    if (forced == "256")
        return TColourClass::Palette256;
    if (forced == "16")
        return TColourClass::Colours16;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int bits = screen ? screen->depth() : 24;
    return bits > 8 ? TColourClass::TrueColour : bits == 8 ? TColourClass::Palette256 : TColourClass::Colours16;
}

// The worksheet's column widths are made for Arial's measures; a font of the same measures
// (Liberation Sans, Arimo) does as well. Without one, say so once, unless told not to.
void CheckFont(QWidget* parent, TOptionsManager& options) {
    if (!options.ReadOption(OptFontWarn))
        return;
    const QString family = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    if (family == QLatin1String("Arial") || family == QLatin1String("Liberation Sans") ||
        family == QLatin1String("Arimo"))
        return;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                    QStringLiteral("The worksheet is laid out for the Arial font, or a font of the same measures such "
                                   "as Liberation Sans, and neither is installed. Some texts may not fit their "
                                   "columns.\n\nOn Debian, the package fonts-liberation2 provides Liberation Sans."),
                    QMessageBox::Ok, parent);
    auto* dontShow = new QCheckBox(QStringLiteral("Don't display this message again"));
    box.setCheckBox(dontShow);
    box.exec();
    if (dontShow->isChecked())
        options.WriteOption(OptFontWarn, false);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillmar"));
    QApplication::setApplicationName(QStringLiteral("Quillmar Zudeduze"));
    QApplication::setApplicationVersion(QStringLiteral(ZUDEDUZE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quillmar-zudeduze"));
    const QStringList arguments = app.arguments().mid(1);

    // ZUDEDUZE_SCREENSHOTS=folder: open the document of the command line, save a picture of
    // each tab, of each page of the options window and of the column properties window there and
    // end (scripts/screenshot). It never hands its file to a program already running.
    const QString shots = qEnvironmentVariable("ZUDEDUZE_SCREENSHOTS");
    SingleInstance instance;
    if (shots.isEmpty() && !instance.BecomeFirst()) {
        // The first instance may run in another folder: hand over the full name. When it does
        // not answer that it took it, this start runs on its own.
        const QString joined = arguments.join(QLatin1Char(' '));
        if (instance.HandOver(joined.isEmpty() ? joined : QFileInfo(joined).absoluteFilePath()))
            return 0;
    }

    const QString install = InstallationFolder();
    const QStringList shipped = ShippedDataFolders();
    SeedInstallationFolder(install, shipped);
    for (const QString& folder : shipped)
        if (QFileInfo::exists(folder + QStringLiteral("/desktop/quillmar-zudeduze.svg"))) {
            QApplication::setWindowIcon(QIcon(folder + QStringLiteral("/desktop/quillmar-zudeduze.svg")));
            break;
        }

    QtPrompts prompts;
    QtDocumentQuestions questions;
    SettingsRegistry registry;
    SystemClock clock;
    const RegionalSettings regional = RegionalSettingsOf();

    TMainServices services;
    services.Ask = &prompts;
    services.Questions = &questions;
    services.Values = &registry;
    services.Time = &clock;
    services.Regional = &regional;
    services.InstallDir = install.toStdString();
    services.Colours = ScreenColourClass();
    TMain* window = nullptr;
    services.OpenDialog = [&](const TFileDialogRequest& request) { return RunFileDialog(window, request, false); };
    services.SaveDialog = [&](const TFileDialogRequest& request) { return RunFileDialog(window, request, true); };
    // A file handed over by a later start ends the welcome screen without a choice.
    TWelcomeScreen* welcome = nullptr;
    services.Welcome = [&] {
        TWelcomeScreen screen(window, registry, window->Options());
        welcome = &screen;
        const int choice = screen.Run();
        welcome = nullptr;
        return choice;
    };
    services.NewFileDialog = [&](const std::function<bool()>& closeCurrent,
                                 const std::function<bool(const std::string&)>& createBlank) {
        const QString folder = BookkeepingFolder(install);
        TNewFileDlg dialog(
            window, [&] { return TNewFileDlg::DefaultAskSavePath(window, folder); }, closeCurrent,
            [&](const QString& path) { return createBlank(path.toStdString()); });
        return dialog.exec() == QDialog::Accepted;
    };
    services.ExampleDescription = [&](const std::string& descFile) {
        TfmExampleDesc::ShowIfPresent(window, QString::fromStdString(window->Options().ExampleDescDir()), descFile,
                                      prompts);
    };

    if (!shots.isEmpty()) {
        services.Welcome = nullptr;
        services.ExampleDescription = nullptr;
    }

    TMain main(services);
    window = &main;
    instance.OnFileMessage = [&](const QString& file) {
        if (welcome && !file.isEmpty())
            welcome->EndWithoutChoice();
        main.OpenFromAnotherInstance(file.toStdString());
    };
    prompts.SetParent(&main);
    questions.SetParent(&main);
    if (services.Colours == TColourClass::Colours16 && shots.isEmpty())
        prompts.MessageBox(
            "Quillmar Zudeduze has detected that you system is set to display only 16 colours.  Although "
            "Quillmar Zudeduze will still function correctly, Quillmar Zudeduze has been designed run in "
            "256 or higher colour modes and uses these extra colours to enhance its useability. \r\rTo "
            "change your colour settings see the 'Display' item in the Windows Control Panel.",
            MsgKind::Information, MsgButtons::Ok);
    main.ShowWithPlacement();
    if (shots.isEmpty())
        CheckFont(&main, main.Options());
    QTimer::singleShot(0, &main, [&] {
        main.OpenFromCommandLine(arguments);
        if (shots.isEmpty()) {
            main.RunWelcome();
            return;
        }
        for (int tab = 0; tab < ViewCount; ++tab) {
            main.SelectTab(tab);
            QApplication::processEvents();
            main.grab().save(QStringLiteral("%1/tab%2.png").arg(shots).arg(tab));
        }
        // The options window's pages and the column properties window, as they open on it.
        main.SelectTab(0);
        for (int page = 0; page < TOptions::PageCount; ++page) {
            std::unique_ptr<TOptions> options = main.MakeOptionsWindow(page);
            options->show();
            QApplication::processEvents();
            options->grab().save(QStringLiteral("%1/options%2.png").arg(shots).arg(page));
        }
        TColumnProperties columns(main.Worksheet().GridInfo, main.Worksheet().Customised, 0, services.Colours, &main);
        columns.show();
        QApplication::processEvents();
        columns.grab().save(QStringLiteral("%1/columns.png").arg(shots));
        QApplication::quit();
    });
    return app.exec();
}
