#include "platform/instance_messenger.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace pelquin {

namespace {

const QByteArray kHeader = QByteArrayLiteral("pelquin-open 1\n");
const QByteArray kEnd = QByteArrayLiteral("\n\n");
const QByteArray kTaken = QByteArrayLiteral("ok\n");
const QByteArray kAskHeader = QByteArrayLiteral("pelquin-ask 1\n");
const QByteArray kRefused = QByteArrayLiteral("no\n");

// Whether what arrived so far can still become a message of either kind.
bool mayBecomeMessage(const QByteArray &received)
{
    return kHeader.startsWith(received.left(kHeader.size())) ||
           kAskHeader.startsWith(received.left(kAskHeader.size()));
}

QString oneLine(const QString &word)
{
    QString line = word;
    return line.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
}

}  // namespace

InstanceMessenger::InstanceMessenger(const QString &appFolder, QObject *parent,
                                     int deadlineMs)
    : QObject(parent), m_name(socketName(appFolder)), m_server(new QLocalServer(this)),
      m_deadlineMs(deadlineMs)
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
        const QString line = oneLine(address);
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

QByteArray InstanceMessenger::request(const QStringList &words)
{
    QByteArray text = kAskHeader;
    for (const QString &word : words) {
        const QString line = oneLine(word);
        if (!line.isEmpty())
            text += line.toUtf8() + '\n';
    }
    return text + '\n';
}

std::optional<QStringList> InstanceMessenger::wordsOf(const QByteArray &message)
{
    if (!message.startsWith(kAskHeader) || !message.endsWith(kEnd) ||
        message.size() > kMaxMessageBytes)
        return std::nullopt;
    const QByteArray body = message.mid(kAskHeader.size(), message.size() - kAskHeader.size() - 2);
    if (body.isEmpty())
        return std::nullopt;
    QStringList words;
    for (const QByteArray &line : body.split('\n')) {
        // An empty line inside is a second message, or garbage: neither is taken.
        if (line.isEmpty() || line.size() > kMaxAddressLength || words.size() == kMaxRequestWords)
            return std::nullopt;
        words << QString::fromUtf8(line);
    }
    return words;
}

QByteArray InstanceMessenger::answerMessage(const InstanceAnswer &answer)
{
    return (answer.ok ? kTaken : kRefused) + answer.text.toUtf8();
}

std::optional<InstanceAnswer> InstanceMessenger::answerOf(const QByteArray &message)
{
    if (message.size() > kMaxAnswerBytes)
        return std::nullopt;
    if (message.startsWith(kTaken))
        return InstanceAnswer{true, QString::fromUtf8(message.mid(kTaken.size()))};
    if (message.startsWith(kRefused))
        return InstanceAnswer{false, QString::fromUtf8(message.mid(kRefused.size()))};
    return std::nullopt;
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
        // A sender that dawdles holds no socket for long.
        QTimer::singleShot(m_deadlineMs, socket, [socket] { socket->abort(); });
    }
}

void InstanceMessenger::onReadyRead(QLocalSocket *socket)
{
    QByteArray buffer = socket->property("received").toByteArray();
    buffer += socket->read(kMaxMessageBytes + 1 - buffer.size());
    if (buffer.size() > kMaxMessageBytes || !mayBecomeMessage(buffer)) {
        socket->abort();
        return;
    }
    if (!buffer.endsWith(kEnd)) {
        socket->setProperty("received", buffer);
        return;
    }
    socket->setProperty("received", QByteArray());
    if (buffer.startsWith(kAskHeader)) {
        socket->write(answerFor(buffer));
        socket->flush();
        socket->disconnectFromServer();
        return;
    }
    const QStringList addresses = addressesOf(buffer);
    socket->write(kTaken);
    socket->flush();
    socket->disconnectFromServer();
    if (!addresses.isEmpty())
        emit addressesReceived(addresses);
}

QByteArray InstanceMessenger::answerFor(const QByteArray &message)
{
    const std::optional<QStringList> words = wordsOf(message);
    if (!words || !m_handler)
        return answerMessage({false, QStringLiteral("The request was not understood.\n")});
    // Nothing the handler raises may end the running program.
    try {
        const QByteArray answer = answerMessage(m_handler(*words));
        if (answer.size() <= kMaxAnswerBytes)
            return answer;
        return answerMessage({false, QStringLiteral("The answer is too long to send.\n")});
    } catch (const std::exception &error) {
        std::fprintf(stderr, "pelquin: a request failed: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "pelquin: a request failed\n");
    }
    return answerMessage({false, QStringLiteral("The running program could not do it.\n")});
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

std::optional<InstanceAnswer> InstanceMessenger::ask(const QString &appFolder,
                                                     const QStringList &words, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(appFolder));
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    socket.write(request(words));
    if (!socket.waitForBytesWritten(timeoutMs))
        return std::nullopt;
    // The program answers and hangs up; a longer answer than any it gives is not read.
    QByteArray answer;
    while (answer.size() <= kMaxAnswerBytes) {
        answer += socket.read(kMaxAnswerBytes + 1 - answer.size());
        if (socket.state() != QLocalSocket::ConnectedState || !socket.waitForReadyRead(timeoutMs))
            break;
    }
    answer += socket.read(kMaxAnswerBytes + 1 - answer.size());
    return answerOf(answer);
}

}  // namespace pelquin
