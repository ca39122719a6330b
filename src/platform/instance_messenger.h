#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace pelquin {

// Hands addresses from a later start to the program already running on the same
// application folder, over a local socket private to the user. What arrives is only text:
// the receiver checks every address as it checks typed ones.
class InstanceMessenger : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 64 * 1024;
    static constexpr int kMaxAddresses = 30;
    static constexpr int kMaxAddressLength = 4096;

    explicit InstanceMessenger(const QString &appFolder, QObject *parent = nullptr);
    ~InstanceMessenger() override;

    // The socket's path: the user's runtime folder and a name from the folder's canonical
    // path, so that each application folder has its own.
    static QString socketName(const QString &appFolder);
    // The message for `addresses`, and the addresses of a message (none when malformed).
    static QByteArray message(const QStringList &addresses);
    static QStringList addressesOf(const QByteArray &message);

    // Starts listening; a socket left by a program that died is replaced. Call it only
    // while holding the application folder's lock.
    bool listen();
    // Hands the addresses to the running program; true when it took them.
    static bool send(const QString &appFolder, const QStringList &addresses,
                     int timeoutMs = 5000);

signals:
    void addressesReceived(const QStringList &addresses);

private:
    void onConnection();
    void onReadyRead(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server;
};

}  // namespace pelquin
