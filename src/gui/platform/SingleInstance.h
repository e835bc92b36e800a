#pragma once
// One running program per user: a second start hands its command line (the file to open) to
// the first over a local socket and ends; the first opens the file and comes to the front.

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
    // Hands `fileName` (possibly empty) to the first instance; false when none answered.
    bool HandOver(const QString& fileName, int timeoutMs = 2000);

    // Called in the first instance with what a later start handed over.
    std::function<void(const QString& fileName)> OnFileMessage;

    // Per user, so two users on one machine each have their own program.
    static QString DefaultName();

private:
    void Receive();

    QString Name;
    QLocalServer Server;
};

} // namespace qz::gui
