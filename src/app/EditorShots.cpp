#include "EditorShots.h"

#include "platform/LocaleSettings.h"
#include "storage/FileConvert.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QWidget>

#include <cstdio>

namespace qz::gui::shots {

TShotDocument::TShotDocument()
    : Files(Ledger, Prompts, Questions, Clock),
      Access(Files.Settings, [](const std::string&) { return false; }), Edit{Files, Ledger, Access, Prompts, Dialogs},
      Formats(RegionalSettingsOf()) {
    Files.ConnectLists();
}

TShotDocument::~TShotDocument() {
    if (Files.IsOpen)
        Files.Close(true, false);
}

bool TShotDocument::Open(const QString& path) {
    const QString copy = Scratch.filePath(QStringLiteral("Shots.kqk"));
    if (!Scratch.isValid() || !QFile::copy(path, copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(path));
        return false;
    }
    TFileConvert convert(Files, Ledger, Prompts, Questions, Clock);
    if (!convert.OpenDocument(copy.toStdString()).Opened) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool SaveShot(QWidget& window, const QString& folder, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    const bool saved = window.grab().save(path);
    if (saved)
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    window.hide();
    return saved;
}

int RunShots(int argc, char** argv, const std::function<bool(TShotDocument& document, const QString& folder)>& shoot,
             const QString& defaultFolder) {
    QApplication app(argc, argv);
    // The example is an Australian business: its pictures show its money and dates, whatever the
    // machine's own settings.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() > 2) {
        std::fprintf(stderr, "usage: %s [document.kqk] [output-folder]\n", argv[0]);
        return 2;
    }
    const QString document =
        arguments.value(0, QStringLiteral(ZUDEDUZE_BUILD_DIR "/data/Example Files/Wattle Lane Cafe.kqk"));
    const QString folder = arguments.value(1, defaultFolder);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
        return 1;
    }
    TShotDocument shots;
    if (!shots.Open(document))
        return 1;
    return shoot(shots, folder) ? 0 : 1;
}

} // namespace qz::gui::shots
