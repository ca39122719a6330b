#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QHttpServer;
class QUrlQuery;

namespace pelquin {

// The built-in sponsor site: serves the bundled pages on the loopback address only.
class SponsorServer {
public:
    using Page = std::function<QByteArray(const QUrlQuery &)>;

    SponsorServer();
    ~SponsorServer();
    SponsorServer(const SponsorServer &) = delete;
    SponsorServer &operator=(const SponsorServer &) = delete;

    // Port 0 picks any free port. False when the port cannot be bound.
    bool listen(quint16 port);
    // The port it listens on, 0 before a successful listen.
    quint16 port() const { return m_port; }

    // Serves `page` as UTF-8 HTML at exactly `path`; the bundled pages win over a path
    // they already use.
    void addPage(const QString &path, Page page);

private:
    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
};

}  // namespace pelquin
