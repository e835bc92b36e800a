#include "SingleInstance.h"

#include "InstallFolder.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QSettings>

#include <unistd.h>

namespace qz::gui {

namespace {

// What the first instance answers once it has taken a hand-over.
constexpr char Taken[] = "taken\n";

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), Name(std::move(name)) {
    connect(&Server, &QLocalServer::newConnection, this, &SingleInstance::Receive);
}

QString SingleInstance::NameFor(unsigned user, const QString& settingsFolder, const QString& installFolder,
                                const QString& display) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& part : {settingsFolder, installFolder, display}) {
        hash.addData(part.toUtf8());
        hash.addData(QByteArrayView("\0", 1));
    }
    return QStringLiteral("quillmar-zudeduze-%1-%2").arg(user).arg(QString::fromLatin1(hash.result().toHex().left(16)));
}

QString SingleInstance::DefaultName() {
    const QSettings settings(QStringLiteral("Quillmar"), QStringLiteral("Quillmar Zudeduze"));
    const QString settingsFolder = QFileInfo(settings.fileName()).absolutePath();
    QString display = QGuiApplication::platformName();
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"})
        display += QLatin1Char('|') + qEnvironmentVariable(variable);
    return NameFor(::getuid(), settingsFolder, InstallationFolder(), display);
}

bool SingleInstance::BecomeFirst() {
    QLocalSocket probe;
    probe.connectToServer(Name);
    if (probe.waitForConnected(300))
        return false;
    // A server name left by a program that died is taken over.
    QLocalServer::removeServer(Name);
    Server.setSocketOptions(QLocalServer::UserAccessOption);
    Server.listen(Name);
    return true;
}

bool SingleInstance::HandOver(const QString& fileName, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(Name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(fileName.toUtf8());
    socket.write("\n");
    socket.flush();
    if (!socket.waitForBytesWritten(timeoutMs) && socket.bytesToWrite() > 0)
        return false;
    // Only an answer says the first instance took the file.
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
        answer += socket.readAll();
    }
    socket.disconnectFromServer();
    return answer == Taken;
}

void SingleInstance::Receive() {
    while (QLocalSocket* socket = Server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString fileName = QString::fromUtf8(socket->readLine()).trimmed();
            if (OnFileMessage)
                OnFileMessage(fileName);
            socket->write(Taken);
            socket->flush();
        });
    }
}

} // namespace qz::gui
