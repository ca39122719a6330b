#include "watch/tab_rotation.h"

#include "platform/clock.h"
#include "tabs/tab_strip.h"
#include "watch/watch_options.h"

#include <algorithm>

namespace pelquin {

namespace {

// A tab the rotation may show at all: a page, within its hours, its refreshes not failing.
bool showable(const BrowserTab &tab)
{
    return tab.hasPage() && !tab.paused() && tab.health() != TabHealth::Failing;
}

// Showable, and its page complete: nothing half loaded reaches the screen.
bool ready(const BrowserTab &tab)
{
    return showable(tab) && !tab.state().loading && !tab.browser().busy();
}

}  // namespace

TabRotation::TabRotation(TabControls controls, const Clock &clock,
                         std::function<int(const BrowserTab &)> ownSeconds, QObject *parent)
    : QObject(parent), m_c(controls), m_clock(clock), m_ownSeconds(std::move(ownSeconds))
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &TabRotation::onSecond);
}

void TabRotation::setInterval(int seconds)
{
    m_seconds = seconds <= 0 ? 0 : qBound(kMinRotateSeconds, seconds, kMaxRotateSeconds);
    m_prepared = nullptr;
    if (m_seconds == 0) {
        m_timer.stop();
        m_turnEnds = QDateTime();
        return;
    }
    const int selected = m_c.tabStrip.selected();
    const BrowserTab *shown = m_c.tabs.contains(selected) ? &m_c.tabs.tab(selected) : nullptr;
    m_turnEnds = m_clock.now().addSecs(shown ? secondsFor(*shown) : m_seconds);
    m_timer.start();
}

void TabRotation::userActed()
{
    if (m_seconds > 0)
        m_pausedUntil = m_clock.now().addSecs(kPauseSeconds);
}

bool TabRotation::paused() const
{
    return m_pausedUntil.isValid() && m_clock.now() < m_pausedUntil;
}

bool TabRotation::held() const
{
    return paused() ||
           std::any_of(m_holds.begin(), m_holds.end(), [](const auto &hold) { return hold(); });
}

int TabRotation::secondsFor(const BrowserTab &tab) const
{
    const int own = m_ownSeconds ? m_ownSeconds(tab) : 0;
    return own > 0 ? qBound(1, own, kMaxRotateSeconds) : m_seconds;
}

BrowserTab *TabRotation::upcoming() const
{
    const int selected = m_c.tabStrip.selected();
    BrowserTab *next = m_c.tabs.nextAfter(selected, m_c.tabStrip.count(), showable);
    return next && next->number() != selected ? next : nullptr;
}

bool TabRotation::holdsRefreshOf(const BrowserTab &tab) const
{
    // Alone, the shown tab has no other time to be refreshed in.
    return m_seconds > 0 && tab.number() == m_c.tabStrip.selected() && upcoming();
}

void TabRotation::onTick()
{
    if (m_seconds == 0 || held())
        return;
    // A tab still loading waits for the next round; the rotation goes on to the next ready.
    BrowserTab *next = m_c.tabs.nextAfter(m_c.tabStrip.selected(), m_c.tabStrip.count(), ready);
    m_prepared = nullptr;
    if (next && next->number() != m_c.tabStrip.selected())
        m_c.tabStrip.select(next->number());
    const int shown = m_c.tabStrip.selected();
    m_turnEnds = m_clock.now().addSecs(
        m_c.tabs.contains(shown) ? secondsFor(m_c.tabs.tab(shown)) : m_seconds);
}

void TabRotation::onSecond()
{
    if (m_seconds == 0)
        return;
    const QDateTime now = m_clock.now();
    if (held()) {
        // The shown tab's time starts again once the rotation goes on.
        if (m_turnEnds < now.addSecs(1))
            m_turnEnds = now.addSecs(1);
        return;
    }
    if (!m_turnEnds.isValid() || now >= m_turnEnds)
        onTick();
    BrowserTab *next = upcoming();
    if (!next)
        return;
    prepare(*next, m_turnEnds);
    const qint64 left = qMax<qint64>(0, now.secsTo(m_turnEnds));
    m_c.status.showForAMoment(
        QStringLiteral("Next: Tab %1 in %2 s").arg(next->number()).arg(left));
}

void TabRotation::prepare(BrowserTab &next, const QDateTime &turnStarts)
{
    if (m_prepared == &next || m_clock.now().secsTo(turnStarts) > kPrepareSeconds)
        return;
    m_prepared = &next;
    const QDateTime turnEnds = turnStarts.addSecs(secondsFor(next));
    if (next.state().loading || next.state().typingCheckPending || !next.refreshDueBy(turnEnds))
        return;
    next.refreshUnlessTyped([this] { return m_seconds > 0; });
}

}  // namespace pelquin
