#include "sponsor/sponsor_site.h"

#include <QStringList>

namespace pelquin {

namespace {

QString hostName(const QString &host)
{
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? host : host.left(colon);
}

}  // namespace

SponsorSite::SponsorSite(QString host) : m_host(std::move(host)) {}

SponsorSite SponsorSite::fromEnvironment()
{
    const QString host = qEnvironmentVariable("PELQUIN_SPONSOR_HOST").trimmed();
    return SponsorSite(host.isEmpty() ? QString::fromLatin1(kDefaultHost) : host);
}

QString SponsorSite::domain() const
{
    const QString name = hostName(m_host);
    const QStringList labels = name.split(QLatin1Char('.'));
    if (labels.size() > 2)
        return labels.mid(1).join(QLatin1Char('.'));
    return name;
}

bool SponsorSite::servedLocally() const
{
    const QString name = hostName(m_host).toLower();
    return name == QStringLiteral("localhost") || name.endsWith(QStringLiteral(".localhost"));
}

quint16 SponsorSite::port() const
{
    const qsizetype colon = m_host.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return 80;
    bool ok = false;
    const uint port = m_host.mid(colon + 1).toUInt(&ok);
    return ok && port > 0 && port < 65536 ? static_cast<quint16>(port) : 80;
}

}  // namespace pelquin
