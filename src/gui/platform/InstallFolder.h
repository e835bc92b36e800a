#pragma once
// The program's installation folder: a per-user writable folder that holds "Bookkeeping Files"
// (with its "Example Files"), "ExampleDesc", "Wizard Files" and the worksheet options files.
// It is seeded from the shipped data on every start: files missing from it are copied in, files
// already there (the user's) are never replaced.

#include <QString>
#include <QStringList>

namespace qz::gui {

// $ZUDEDUZE_HOME when set (tests, portable use), else the per-user application data folder.
QString InstallationFolder();
// The shipped data folders, the installed one first; only those that exist.
QStringList ShippedDataFolders();
// Copies what is missing; "Example Files" goes inside "Bookkeeping Files". False when the
// folder cannot be made.
bool SeedInstallationFolder(const QString& install, const QStringList& shipped);

QString BookkeepingFolder(const QString& install);
QString ExampleFolder(const QString& install);

} // namespace qz::gui
