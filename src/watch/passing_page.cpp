#include "watch/passing_page.h"

#include "platform/clock.h"
#include "tabs/free_tabs.h"
#include "tabs/tab_strip.h"

namespace pelquin {

PassingPage::PassingPage(TabControls controls, FreeTabs &freeTabs, const Clock &clock,
                         QObject *parent)
    : QObject(parent), m_c(controls), m_freeTabs(freeTabs), m_clock(clock)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PassingPage::onTick);
}

int PassingPage::show(const QString &address, int seconds)
{
    if (!active()) {
        const int free = m_freeTabs.firstFree();
        if (free == 0)
            return 0;
        m_passing = free;
        m_before = m_c.tabStrip.selected();
    }
    m_freeTabs.openTyped(m_c.tabs.tab(m_passing), address);
    m_c.tabStrip.select(m_passing);
    m_until = m_clock.now().addSecs(seconds);
    m_timer.start(seconds * 1000);
    return m_passing;
}

void PassingPage::onTick()
{
    if (!active())
        return;
    const qint64 left = m_clock.now().msecsTo(m_until);
    if (left > 0) {
        m_timer.start(int(left));
        return;
    }
    putBack();
}

void PassingPage::putBack()
{
    const int passing = std::exchange(m_passing, 0);
    m_timer.stop();
    // Someone chose another tab meanwhile: that one stays.
    if (m_c.tabStrip.selected() == passing && m_c.tabs.contains(m_before))
        m_c.tabStrip.select(m_before);
    if (m_c.tabStrip.selected() != passing)
        m_freeTabs.empty(m_c.tabs.tab(passing));
}

}  // namespace pelquin
