#include "platform/instance_messenger.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace pelquin {

namespace {

const QByteArray kHeader = QByteArrayLiteral("pelquin-open 1\n");
const QByteArray kEnd = QByteArrayLiteral("\n\n");
const QByteArray kTaken = QByteArrayLiteral("ok\n");

}  // namespace

InstanceMessenger::InstanceMessenger(const QString &appFolder, QObject *parent)
    : QObject(parent), m_name(socketName(appFolder)), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceMessenger::onConnection);
}

InstanceMessenger::~InstanceMessenger() = default;

QString InstanceMessenger::socketName(const QString &appFolder)
{
    const QFileInfo folder(appFolder);
    const QString canonical =
        folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                             : folder.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    // The runtime folder is the user's own (mode 0700); Qt makes one when none is set.
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return QDir(runtime).filePath(QStringLiteral("pelquin-") +
                                  QString::fromLatin1(hash.left(24)));
}

QByteArray InstanceMessenger::message(const QStringList &addresses)
{
    QByteArray text = kHeader;
    for (const QString &address : addresses) {
        QString line = address;
        line.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
        if (!line.isEmpty())
            text += line.toUtf8() + '\n';
    }
    return text + '\n';
}

QStringList InstanceMessenger::addressesOf(const QByteArray &message)
{
    if (!message.startsWith(kHeader) || !message.endsWith(kEnd) ||
        message.size() > kMaxMessageBytes)
        return {};
    QStringList addresses;
    const QByteArray body = message.mid(kHeader.size(), message.size() - kHeader.size() - 1);
    for (const QByteArray &line : body.split('\n')) {
        if (line.isEmpty() || line.size() > kMaxAddressLength)
            continue;
        addresses << QString::fromUtf8(line);
        if (addresses.size() == kMaxAddresses)
            break;
    }
    return addresses;
}

bool InstanceMessenger::listen()
{
    if (m_server->listen(m_name))
        return true;
    // Only the lock's holder listens: a socket already there is a dead program's.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void InstanceMessenger::onConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        // Never more than one message's worth kept for a sender.
        socket->setReadBufferSize(kMaxMessageBytes + 1);
    }
}

void InstanceMessenger::onReadyRead(QLocalSocket *socket)
{
    QByteArray buffer = socket->property("received").toByteArray();
    buffer += socket->read(kMaxMessageBytes + 1 - buffer.size());
    if (buffer.size() > kMaxMessageBytes || !kHeader.startsWith(buffer.left(kHeader.size()))) {
        socket->abort();
        return;
    }
    if (!buffer.endsWith(kEnd)) {
        socket->setProperty("received", buffer);
        return;
    }
    socket->setProperty("received", QByteArray());
    const QStringList addresses = addressesOf(buffer);
    socket->write(kTaken);
    socket->flush();
    socket->disconnectFromServer();
    if (!addresses.isEmpty())
        emit addressesReceived(addresses);
}

bool InstanceMessenger::send(const QString &appFolder, const QStringList &addresses,
                             int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(appFolder));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(message(addresses));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && answer.size() < 16) {
        if (!socket.waitForReadyRead(timeoutMs))
            break;
        answer += socket.readAll();
    }
    return answer == kTaken;
}

}  // namespace pelquin
