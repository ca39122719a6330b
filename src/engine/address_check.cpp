#include "engine/address_check.h"

#include "engine/page_script_resource.h"

#include <QDateTime>
#include <QHostAddress>
#include <QHostInfo>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace pelquin {

namespace {

constexpr int kPollMs = 200;
// The page's own answer comes within its time limit; this much more is left for the reading.
constexpr int kGraceMs = 2000;

}  // namespace

AddressCheck::AddressCheck(QWebEnginePage &page, QObject *parent)
    : QObject(parent), m_page(page)
{
}

void AddressCheck::run(int timeoutMs, bool clientErrorWasGood,
                       std::function<void(const AddressAnswer &)> done)
{
    static const QString source = pageScriptResource(QStringLiteral("address_check.js"));
    const quint64 round = ++m_round;
    m_done = std::move(done);
    m_clientErrorWasGood = clientErrorWasGood;
    const QString key = QStringLiteral("__pelquinAddressCheck%1").arg(round);
    m_page.runJavaScript(source.arg(QLatin1Char('\'') + key + QLatin1Char('\''))
                             .arg(timeoutMs),
                         QWebEngineScript::ApplicationWorld);
    const qint64 giveUpAt = QDateTime::currentMSecsSinceEpoch() + timeoutMs + kGraceMs;
    QTimer::singleShot(kPollMs, this, [this, round, key, giveUpAt] { poll(round, key, giveUpAt); });
}

void AddressCheck::poll(quint64 round, const QString &key, qint64 giveUpAt)
{
    if (round != m_round)
        return;
    if (QDateTime::currentMSecsSinceEpoch() > giveUpAt)
        return tell(round, {false, QStringLiteral("timed out")});
    const QPointer<AddressCheck> alive(this);
    m_page.runJavaScript(
        QStringLiteral("window['%1']").arg(key), QWebEngineScript::ApplicationWorld,
        [this, alive, round, key, giveUpAt](const QVariant &result) {
            if (!alive || round != m_round)
                return;
            const QVariantMap answer = result.toMap();
            if (answer.isEmpty()) {
                QTimer::singleShot(kPollMs, this,
                                   [this, round, key, giveUpAt] { poll(round, key, giveUpAt); });
                return;
            }
            const QString error = answer.value(QStringLiteral("error")).toString();
            if (error == QStringLiteral("timeout"))
                return tell(round, {false, QStringLiteral("timed out")});
            if (!error.isEmpty())
                return tellNetworkFailure(round, m_page.url().host());
            const int status = answer.value(QStringLiteral("status")).toInt();
            const bool failed = status >= 500 || (status >= 400 && !m_clientErrorWasGood);
            tell(round, failed ? AddressAnswer{false, QStringLiteral("HTTP %1").arg(status)}
                               : AddressAnswer{true, QString()});
        });
}

void AddressCheck::tellNetworkFailure(quint64 round, const QString &host)
{
    // The engine itself knows the loopback names and addresses; the desktop's resolver may not.
    const bool loopback = host == QStringLiteral("localhost") ||
                          host.endsWith(QStringLiteral(".localhost")) ||
                          !QHostAddress(host).isNull();
    if (host.isEmpty() || loopback)
        return tell(round, {false, QStringLiteral("cannot connect to the server")});
    const QPointer<AddressCheck> alive(this);
    QHostInfo::lookupHost(host, this, [this, alive, round](const QHostInfo &info) {
        if (!alive)
            return;
        tell(round, {false, info.error() == QHostInfo::HostNotFound
                                ? QStringLiteral("server not found")
                                : QStringLiteral("cannot connect to the server")});
    });
}

void AddressCheck::tell(quint64 round, const AddressAnswer &answer)
{
    if (round != m_round || !m_done)
        return;
    std::exchange(m_done, nullptr)(answer);
}

}  // namespace pelquin
