#include "tabs/timers.h"

#include "platform/clock.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "tabs/tab_strip.h"

#include <algorithm>


namespace pelquin {


Timers::Timers(Session &session, TabControls controls, ErrorReporter &errors,
               const Clock &clock, std::function<void()> startNextTabs, QObject *parent)
    : QObject(parent), m_session(session), m_c(controls), m_errors(errors), m_clock(clock),
      m_startNextTabs(std::move(startNextTabs))
{
    m_refreshTimer.setInterval(kRefreshInterval);
    m_restartTimer.setInterval(kRestartDelay);
    connect(&m_refreshTimer, &QTimer::timeout, this, &Timers::onRefreshTick);
    connect(&m_restartTimer, &QTimer::timeout, this, &Timers::onRestartTick);
    m_spacingTimer.setSingleShot(true);
    m_spacingTimer.setInterval(kRefreshSpacingMs);
    connect(&m_spacingTimer, &QTimer::timeout, this, &Timers::onSpacingTick);
    // A failing tab's next try comes on time, not at the tick after it.
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &Timers::onRetryTick);
    for (BrowserTab &tab : m_c.tabs)
        connect(&tab, &BrowserTab::healthChanged, this, &Timers::scheduleRetry);
}

void Timers::scheduleRetry()
{
    QDateTime next;
    for (const BrowserTab &tab : m_c.tabs) {
        const RefreshTrouble &trouble = tab.refreshTrouble();
        if (trouble.failing() && (!next.isValid() || trouble.nextTry < next))
            next = trouble.nextTry;
    }
    if (!next.isValid() || !m_refreshStarted) {
        m_retryTimer.stop();
        return;
    }
    // Never at once: a tab whose try cannot start now (it waits for an answer) is not asked
    // again and again.
    m_retryTimer.start(int(qBound(qint64(kRetryFloorMs), m_clock.now().msecsTo(next),
                                  qint64(kRefreshInterval))));
}

void Timers::tryFailingTabsNow()
{
    for (BrowserTab &tab : m_c.tabs)
        tab.tryAgainNow();
    onRetryTick();
}

void Timers::tryNow(BrowserTab &tab)
{
    tab.tryAgainNow();
    onRetryTick();
}

void Timers::startRefresh()
{
    m_refreshStarted = true;
    if (!m_pauses.any())
        m_refreshTimer.start();
}

void Timers::pause(RefreshPause reason)
{
    m_pauses.m_reasons.insert(reason);
    m_refreshTimer.stop();
    // The tabs still due are found again by the first tick after the pause.
    m_spacingTimer.stop();
    m_queued.clear();
}

void Timers::resume(RefreshPause reason)
{
    m_pauses.m_reasons.erase(reason);
    if (reason == RefreshPause::Setup && m_restartWhenSetupCloses)
        m_restartTimer.start();
    // Each end of a pause starts the 20 seconds anew.
    if (m_refreshStarted && !m_pauses.any())
        m_refreshTimer.start();
}

void Timers::onRefreshTick()
{
    if (m_pauses.any())
        return;
    Trap trap(m_errors, QStringLiteral(" At Timer"), {}, {err::EFail, 16});
    const QDateTime now = m_clock.now();
    trap.step([&] {
        for (BrowserTab &tab : m_c.tabs) {
            if (tab.askedLongerAgoThan(kLoadTimeoutSeconds, now))
                tab.state().loading = false;
        }
    });
    trap.step([&] { queueDueTabs(now); });
    trap.step([&] {
        if (!m_session.tabs.startupDone)
            m_startNextTabs();
    });
    scheduleRetry();
}

void Timers::queueDueTabs(const QDateTime &now)
{
    for (BrowserTab &tab : m_c.tabs) {
        TabState &state = tab.state();
        if (!tab.refreshDue(m_session.settings[tab.number()], now) || state.loading ||
            (m_refreshHeld && m_refreshHeld(tab)))
            continue;
        if (state.typingCheckPending) {
            // A page too busy to answer holds nothing worth waiting for, and a refresh
            // may be what brings it back.
            if (state.typingAskedAt.secsTo(now) <= kTypingAnswerSeconds)
                continue;
            state.typingCheckPending = false;
            ++state.typingQuestion;
            tab.refreshNow();
            continue;
        }
        if (std::find(m_queued.begin(), m_queued.end(), &tab) == m_queued.end())
            m_queued.push_back(&tab);
    }
    if (!m_spacingTimer.isActive())
        onSpacingTick();
}

void Timers::onRetryTick()
{
    if (m_pauses.any())
        return;
    Trap(m_errors, QStringLiteral(" At Timer"), {}, {err::EFail, 16}).step([&] {
        queueDueTabs(m_clock.now());
    });
    scheduleRetry();
}

void Timers::onSpacingTick()
{
    while (!m_queued.empty() && !m_pauses.any()) {
        BrowserTab &tab = *m_queued.front();
        m_queued.pop_front();
        // Asked for in the meantime, by the user or the page: no longer due.
        if (tab.state().loading || tab.state().typingCheckPending ||
            !tab.refreshDue(m_session.settings[tab.number()], m_clock.now()) ||
            (m_refreshHeld && m_refreshHeld(tab)))
            continue;
        refreshUnlessTyped(tab);
        break;
    }
    if (m_pauses.any())
        m_queued.clear();
    if (m_queued.empty())
        m_spacingTimer.stop();
    else
        m_spacingTimer.start();
}

void Timers::refreshUnlessTyped(BrowserTab &tab)
{
    tab.refreshUnlessTyped([this] { return !m_pauses.any(); });
}

void Timers::onRestartTick()
{
    m_restartTimer.stop();
    Trap(m_errors, QStringLiteral(" At Timer2"), {}, {err::EFail}).step([&] {
        m_restartWhenSetupCloses = false;
        m_session.tabs.startupDone = false;
        for (BrowserTab &tab : m_c.tabs) {
            tab.state().started = false;
            tab.state().loading = false;
            // The profile was read again: every tab's refresh is due.
            tab.forgetLastRefresh();
        }
        m_startNextTabs();
    });
}

}  // namespace pelquin
