#include "watch/active_hours.h"

#include "platform/clock.h"
#include "tabs/tab_collection.h"
#include "watch/watch_rule.h"
#include "watch/watched_pages.h"

namespace pelquin {

ActiveHours::ActiveHours(TabCollection &tabs, WatchedPages &pages, const Clock &clock,
                         QObject *parent)
    : QObject(parent), m_tabs(tabs), m_pages(pages), m_clock(clock)
{
    connect(&m_timer, &QTimer::timeout, this, &ActiveHours::check);
    m_timer.start(kCheckMs);
    connect(&m_pages, &WatchedPages::rulesApplied, this, &ActiveHours::check);
    for (BrowserTab &tab : m_tabs) {
        // A page that completed (the start-up loads every tab) learns its hours at once.
        connect(&tab, &BrowserTab::pageCompleted, this,
                [this, &tab] { checkTab(tab, m_clock.now()); });
    }
}

void ActiveHours::check()
{
    const QDateTime now = m_clock.now();
    for (BrowserTab &tab : m_tabs)
        checkTab(tab, now);
}

void ActiveHours::checkTab(BrowserTab &tab, const QDateTime &now)
{
    const WatchRule *rule = m_pages.ruleFor(tab);
    const bool outside = rule && rule->hours && tab.hasPage() && !rule->hours->activeAt(now);
    if (outside) {
        tab.setPausedUntil(rule->hours->nextStart(now));
        if (!tab.state().loading && !tab.browser().busy())
            tab.browser().setFrozen(true);
        return;
    }
    if (!tab.paused())
        return;
    tab.setPausedUntil(QDateTime());
    tab.browser().setFrozen(false);
    // What it shows was frozen hours ago: its hours begin with a fresh page.
    tab.refreshUnlessTyped([] { return true; });
}

}  // namespace pelquin
