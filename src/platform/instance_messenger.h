#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace pelquin {

// What the running program answers a request: done, or why not, and the text to show.
struct InstanceAnswer {
    bool ok = false;
    QString text;
};

// Hands addresses and requests from a later start to the program already running on the
// same application folder, over a local socket private to the user. What arrives is only
// text: the receiver checks every address and word as it checks typed ones.
class InstanceMessenger : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 64 * 1024;
    static constexpr int kMaxAddresses = 30;
    static constexpr int kMaxAddressLength = 4096;
    static constexpr int kMaxRequestWords = 8;
    // A status of 30 long addresses fits many times over; more is not read.
    static constexpr int kMaxAnswerBytes = 1024 * 1024;
    // A sender that has not said all within this time is cut off.
    static constexpr int kMessageDeadlineMs = 5000;
    using RequestHandler = std::function<InstanceAnswer(const QStringList &words)>;

    explicit InstanceMessenger(const QString &appFolder, QObject *parent = nullptr,
                               int deadlineMs = kMessageDeadlineMs);
    ~InstanceMessenger() override;

    // The socket's path: the user's runtime folder and a name from the folder's canonical
    // path, so that each application folder has its own.
    static QString socketName(const QString &appFolder);
    // The message for `addresses`, and the addresses of a message (none when malformed).
    static QByteArray message(const QStringList &addresses);
    static QStringList addressesOf(const QByteArray &message);
    // A request of a few words, and the words of one (none when malformed, empty or too
    // many words).
    static QByteArray request(const QStringList &words);
    static std::optional<QStringList> wordsOf(const QByteArray &message);
    // The answer as sent, and as read back (none when malformed or too long).
    static QByteArray answerMessage(const InstanceAnswer &answer);
    static std::optional<InstanceAnswer> answerOf(const QByteArray &message);

    // Who answers requests; without one they are answered "not understood".
    void setRequestHandler(RequestHandler handler) { m_handler = std::move(handler); }

    // Starts listening; a socket left by a program that died is replaced. Call it only
    // while holding the application folder's lock.
    bool listen();
    // Hands the addresses to the running program; true when it took them.
    static bool send(const QString &appFolder, const QStringList &addresses,
                     int timeoutMs = 5000);
    // Asks the running program; none when no program answers.
    static std::optional<InstanceAnswer> ask(const QString &appFolder, const QStringList &words,
                                             int timeoutMs = 5000);

signals:
    void addressesReceived(const QStringList &addresses);

private:
    void onConnection();
    void onReadyRead(QLocalSocket *socket);
    QByteArray answerFor(const QByteArray &message);

    QString m_name;
    QLocalServer *m_server;
    RequestHandler m_handler;
    int m_deadlineMs;
};

}  // namespace pelquin
