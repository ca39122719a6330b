#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <memory>

namespace pelquin::test {

// A small HTTP server on 127.0.0.1 for what the sponsor server does not answer: logins,
// attachments, downloads that never end. Each route returns the whole raw response, or an
// empty array to keep the connection open with nothing more sent.
class TestWebServer : public QObject {
public:
    struct Request {
        QByteArray path;
        QByteArray authorization;  // the Authorization header's value
    };
    using Route = std::function<QByteArray(const Request &)>;

    bool listen() { return m_server->listen(QHostAddress::LocalHost); }
    quint16 port() const { return m_server->serverPort(); }
    // Stops listening: the port refuses connections, as a server that went away.
    void close() { m_server->close(); }
    QString url(const QString &path) const
    {
        const bool tls = qobject_cast<QSslServer *>(m_server.get()) != nullptr;
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
            .arg(port())
            .arg(path);
    }
    void route(const QByteArray &path, Route route) { m_routes.insert(path, std::move(route)); }
    // The answer of `path` is sent, but the connection stays open: a download never ends.
    void keepOpen(const QByteArray &path) { m_keptOpen.insert(path); }
    int hits(const QByteArray &path) const { return m_hits.value(path); }

    static QByteArray response(const QByteArray &status, const QByteArray &headers,
                               const QByteArray &body)
    {
        return "HTTP/1.1 " + status + "\r\n" + headers + "Content-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    // A small HTML page with its title.
    static QByteArray page(const QByteArray &title, const QByteArray &body)
    {
        return response("200 OK", "Content-Type: text/html\r\n",
                        "<html><head><title>" + title + "</title></head><body>" + body +
                            "</body></html>");
    }

    // A QSslServer with its configuration serves https instead.
    explicit TestWebServer(std::unique_ptr<QTcpServer> server = std::make_unique<QTcpServer>())
        : m_server(std::move(server))
    {
        const auto accept = [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, this,
                                 [this, socket] { serve(socket); });
        };
        // A TLS server hands its sockets over only once they are encrypted.
        QObject::connect(m_server.get(), &QTcpServer::newConnection, this, accept);
        QObject::connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, accept);
    }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        m_buffers.remove(socket);
        Request request;
        request.path = lines.value(0).split(' ').value(1);
        for (const QByteArray &line : lines) {
            if (line.toLower().startsWith("authorization:"))
                request.authorization = line.mid(14).trimmed();
        }
        const QByteArray path = request.path.split('?').value(0);
        ++m_hits[path];
        const auto route = m_routes.constFind(path);
        const QByteArray answer = route != m_routes.constEnd()
                                      ? (*route)(request)
                                      : response("404 Not Found", "", "not found");
        if (answer.isEmpty())
            return;
        socket->write(answer);
        if (!m_keptOpen.contains(path))
            socket->disconnectFromHost();
    }

    std::unique_ptr<QTcpServer> m_server;
    QMap<QByteArray, Route> m_routes;
    QMap<QByteArray, int> m_hits;
    QSet<QByteArray> m_keptOpen;
    QMap<QTcpSocket *, QByteArray> m_buffers;
};

}  // namespace pelquin::test
