#include "watch/tab_rotation.h"

#include "watch/watch_options.h"
#include "platform/clock.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <algorithm>

namespace pelquin {

TabRotation::TabRotation(TabCollection &tabs, TabStrip &strip, const Clock &clock,
                         QObject *parent)
    : QObject(parent), m_tabs(tabs), m_strip(strip), m_clock(clock)
{
    connect(&m_timer, &QTimer::timeout, this, &TabRotation::onTick);
}

void TabRotation::setInterval(int seconds)
{
    m_seconds = seconds <= 0 ? 0 : qBound(kMinRotateSeconds, seconds, kMaxRotateSeconds);
    if (m_seconds == 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(m_seconds * 1000);
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

void TabRotation::onTick()
{
    if (m_seconds == 0 || paused() ||
        std::any_of(m_holds.begin(), m_holds.end(), [](const auto &held) { return held(); }))
        return;
    const BrowserTab *next = m_tabs.nextAfter(m_strip.selected(), m_strip.count(),
                                              [](const BrowserTab &tab) { return tab.hasPage(); });
    if (next && next->number() != m_strip.selected())
        m_strip.select(next->number());
}

}  // namespace pelquin
