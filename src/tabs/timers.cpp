#include "tabs/timers.h"

#include "platform/clock.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "tabs/tab_strip.h"

#include <limits>

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
}

void Timers::onRefreshTick()
{
    const Session &s = m_session;
    if (s.helpOpen || s.setupOpen || s.favoritesOpen || s.workOffline)
        return;
    Trap trap(m_errors, QStringLiteral(" At Timer"), {}, {err::EFail, 16});
    const QDateTime now = m_clock.now();
    trap.step([&] {
        for (int i = 1; i <= kTabCount; ++i) {
            const QDateTime &last = m_session.settings[i].lastRefresh;
            // an unset time lies long ago
            const qint64 seconds =
                last.isValid() ? last.secsTo(now) : std::numeric_limits<qint64>::max();
            if (seconds > kLoadTimeoutSeconds)
                m_session.tabs[i].loading = false;
        }
    });
    trap.step([&] {
        for (int i = 1; i <= kTabCount; ++i) {
            TabSetting &setting = m_session.settings[i];
            if (!setting.autoRefresh)
                continue;
            const qint64 seconds = setting.lastRefresh.isValid()
                                       ? setting.lastRefresh.secsTo(now)
                                       : std::numeric_limits<qint64>::max();
            // 64 bits: any interval a profile can hold, however it was edited
            const qint64 interval = qint64(setting.refreshMinutes) * 60;
            if (seconds > interval && !m_session.tabs[i].loading) {
                setting.lastRefresh = now;
                m_c.browsers.at(i).refresh();
                m_session.tabs[i].refreshing = true;
                m_c.tabStrip.setImage(i, 0);
            }
        }
    });
    trap.step([&] {
        if (!m_session.tabs.startupDone)
            m_startNextTabs();
    });
}

void Timers::onRestartTick()
{
    m_restartTimer.stop();
    Trap(m_errors, QStringLiteral(" At Timer2"), {}, {err::EFail}).step([&] {
        m_session.reloadAfterSetup = false;
        m_session.tabs.startupDone = false;
        for (int i = 1; i <= kTabCount; ++i) {
            m_session.tabs[i].started = false;
            m_session.tabs[i].loading = false;
        }
        m_startNextTabs();
    });
}

}  // namespace pelquin
