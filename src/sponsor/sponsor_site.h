// sponsor/: the sponsor site's host and its built-in pages, as plain text; the server that
// serves them lives in engine/.

#pragma once

#include <QString>

namespace pelquin {

// The sponsor site: the one web host tabs 1 and 2 start on and the Search command uses.
class SponsorSite {
public:
    static constexpr const char *kDefaultHost = "pelquin.localhost:8470";

    explicit SponsorSite(QString host = QString::fromLatin1(kDefaultHost));
    // $PELQUIN_SPONSOR_HOST, or the default host.
    static SponsorSite fromEnvironment();

    const QString &host() const { return m_host; }
    QString url(const QString &path) const { return QStringLiteral("http://") + m_host + path; }
    QString welcomeUrl() const { return url(QStringLiteral("/w1.htm")); }
    QString searchFormUrl() const { return url(QStringLiteral("/w2.htm")); }
    // The text an address contains while it shows search results.
    QString searchResultsMark() const { return m_host + QStringLiteral("/sc"); }
    // The host without its port, less its first label when it has more than two.
    QString domain() const;
    // A *.localhost host is served by the program itself.
    bool servedLocally() const;
    // The port of the host, 80 when it names none.
    quint16 port() const;

private:
    QString m_host;
};

}  // namespace pelquin
