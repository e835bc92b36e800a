#pragma once
// One running program per user, settings and display: a second start hands its command line
// (the file to open) to the first over a local socket and ends once the first has taken it;
// the first opens the file and comes to the front. A start under another settings folder,
// another installation folder or on another display is a program of its own.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>

namespace qz::gui {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);

    // True when no other instance answers; this one then listens for later starts (when it
    // cannot listen, it still runs, only without the hand-off).
    bool BecomeFirst();
    // Hands `fileName` (possibly empty) to the first instance; true only when it answered that
    // it took it, so a start that gets no answer runs on its own instead of ending.
    bool HandOver(const QString& fileName, int timeoutMs = 2000);

    // Called in the first instance with what a later start handed over.
    std::function<void(const QString& fileName)> OnFileMessage;

    // The name for this process: its user, settings folder, installation folder and display.
    static QString DefaultName();
    // The name for a user, the folders where the settings and the installation are kept, and
    // a display (the windowing system and its display name).
    static QString NameFor(unsigned user, const QString& settingsFolder, const QString& installFolder,
                           const QString& display);

private:
    void Receive();

    QString Name;
    QLocalServer Server;
};

} // namespace qz::gui
