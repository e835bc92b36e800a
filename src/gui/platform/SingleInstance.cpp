#include "SingleInstance.h"

#include <QLocalSocket>
#include <unistd.h>

namespace qz::gui {

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), Name(std::move(name)) {
    connect(&Server, &QLocalServer::newConnection, this, &SingleInstance::Receive);
}

QString SingleInstance::DefaultName() { return QStringLiteral("quillmar-zudeduze-%1").arg(::getuid()); }

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
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
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
        });
    }
}

} // namespace qz::gui
