#include "InstallFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qz::gui {

QString InstallationFolder() {
    const QString overridden = qEnvironmentVariable("ZUDEDUZE_HOME");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share");
    return folder + QStringLiteral("/Quillmar/Quillmar Zudeduze");
}

QStringList ShippedDataFolders() {
    QStringList candidates;
    const QString exe = QCoreApplication::applicationDirPath();
    candidates << exe + QStringLiteral("/../share/quillmar-zudeduze");
#ifdef ZUDEDUZE_BUILD_DATA_DIR
    candidates << QStringLiteral(ZUDEDUZE_BUILD_DATA_DIR);
#endif
#ifdef ZUDEDUZE_SOURCE_DATA_DIR
    candidates << QStringLiteral(ZUDEDUZE_SOURCE_DATA_DIR);
#endif
    QStringList found;
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isDir())
            found << QDir::cleanPath(candidate);
    return found;
}

QString BookkeepingFolder(const QString& install) {
    return install + QStringLiteral("/Bookkeeping Files");
}

QString ExampleFolder(const QString& install) {
    return BookkeepingFolder(install) + QStringLiteral("/Example Files");
}

bool SeedInstallationFolder(const QString& install, const QStringList& shipped) {
    QDir root;
    if (!root.mkpath(BookkeepingFolder(install)))
        return false;
    for (const QString& source : shipped) {
        const QDir from(source);
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QString relative = from.relativeFilePath(file);
            if (relative.startsWith(QStringLiteral("desktop/")))
                continue;
            if (relative.startsWith(QStringLiteral("Example Files/")))
                relative = QStringLiteral("Bookkeeping Files/") + relative;
            const QString target = install + QLatin1Char('/') + relative;
            if (QFileInfo::exists(target))
                continue;
            root.mkpath(QFileInfo(target).absolutePath());
            // A copy under a temporary name, then renamed: a half-copied document never appears.
            const QString temporary = target + QStringLiteral(".tmp~");
            QFile::remove(temporary);
            if (QFile::copy(file, temporary)) {
                QFile(temporary).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::ReadOther);
                if (!QFile::rename(temporary, target))
                    QFile::remove(temporary);
            }
        }
    }
    return true;
}

} // namespace qz::gui
