#include "watch/tab_health_watch.h"

#include "platform/clock.h"
#include "tabs/tab_collection.h"
#include "watch/watch_rule.h"
#include "watch/watched_pages.h"

#include <QPointer>
#include <QUrl>

namespace pelquin {

namespace {

// Told once a failing tab has tried this often: one try may be a blink.
constexpr int kTriesBeforeNotice = 3;

}  // namespace

TabHealthWatch::TabHealthWatch(Deps deps, QObject *parent)
    : QObject(parent), m_d(std::move(deps))
{
    for (BrowserTab &tab : m_d.tabs) {
        connect(&tab, &BrowserTab::pageCompleted, this, [this, &tab] { pageCompleted(tab); });
        connect(&tab, &BrowserTab::healthChanged, this, [this, &tab] { healthChanged(tab); });
    }
    m_staleTimer.setInterval(kStaleCheckMs);
    connect(&m_staleTimer, &QTimer::timeout, this, &TabHealthWatch::checkStaleness);
    m_staleTimer.start();
}

void TabHealthWatch::checkStaleness()
{
    const QDateTime now = m_d.clock.now();
    for (BrowserTab &tab : m_d.tabs) {
        const WatchRule *rule = m_d.pages.ruleFor(tab);
        const QDateTime moved = tab.seenWords().movedAt;
        const bool stale = rule && rule->staleMinutes && tab.hasPage() && moved.isValid() &&
                           moved.msecsTo(now) > qint64(*rule->staleMinutes * 60000);
        tab.setStaleSince(stale ? moved : QDateTime());
    }
}

void TabHealthWatch::pageCompleted(BrowserTab &tab)
{
    // An error page says nothing of the site's login; the failing says the rest.
    if (!tab.lastLoadGood() || tab.state().crashed)
        return;
    const bool byRefresh = tab.refreshingByItself();
    const QString host = QUrl(tab.state().currentUrl).host();
    const QString hostBefore = m_goodPages.value(&tab).host;
    const QPointer<BrowserTab> alive(&tab);
    const QPointer<TabHealthWatch> self(this);
    tab.browser().checkPasswordField([=](bool shown) {
        if (alive && self)
            passwordFieldFound(*alive, shown, byRefresh, host, hostBefore);
    });
}

void TabHealthWatch::passwordFieldFound(BrowserTab &tab, bool shown, bool byRefresh,
                                        const QString &host, const QString &hostBefore)
{
    GoodPage &before = m_goodPages[&tab];
    const bool sentElsewhere = !hostBefore.isEmpty() && host != hostBefore;
    if (!shown)
        tab.setSignedOut(QDateTime());  // signed in again, or another page altogether
    else if (byRefresh && (!before.passwordField || sentElsewhere))
        tab.setSignedOut(m_d.clock.now());
    before = GoodPage{host, shown};
}

void TabHealthWatch::healthChanged(BrowserTab &tab)
{
    const TabHealth health = tab.health();
    const TabHealth told = m_told.value(&tab, TabHealth::Fine);
    const int number = tab.number();
    if (health == TabHealth::Failing && told != TabHealth::Failing &&
        tab.refreshTrouble().tries >= kTriesBeforeNotice) {
        m_told[&tab] = health;
        m_d.notify(tab, QStringLiteral("Tab %1 could not refresh: %2")
                            .arg(number).arg(tab.refreshTrouble().reason));
    } else if (health == TabHealth::SignedOut && told != TabHealth::SignedOut) {
        m_told[&tab] = health;
        m_d.notify(tab, QStringLiteral("Tab %1 was signed out").arg(number));
    } else if (health == TabHealth::Fine && told != TabHealth::Fine) {
        m_told.remove(&tab);
        m_d.notify(tab, QStringLiteral("Tab %1 is fine again").arg(number));
    }
}

}  // namespace pelquin
