#include "watch/crash_recovery.h"

#include "platform/clock.h"
#include "tabs/tab_collection.h"

#include <QPointer>

namespace pelquin {

CrashRecovery::CrashRecovery(TabControls controls, const Clock &clock,
                             std::function<bool(const BrowserTab &)> unattended, QObject *parent)
    : QObject(parent), m_c(controls), m_clock(clock), m_unattended(std::move(unattended))
{
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &CrashRecovery::onTick);
    for (BrowserTab &tab : m_c.tabs)
        connect(&tab, &BrowserTab::pageCrashed, this, [this, &tab] { crashed(tab); });
    m_probe.setInterval(kProbeEverySeconds * 1000);
    connect(&m_probe, &QTimer::timeout, this, &CrashRecovery::probePages);
    m_probe.start();
}

void CrashRecovery::probePages()
{
    for (BrowserTab &tab : m_c.tabs) {
        // A frozen page answers nothing, by design.
        if (!tab.hasPage() || tab.state().loading || tab.state().crashed ||
            tab.crashes.probing || tab.paused())
            continue;
        tab.crashes.probing = true;
        const QPointer<BrowserTab> asked = &tab;
        tab.browser().probeAnswer(kAnswerWithinMs, [asked](bool answered) {
            if (!asked)
                return;
            asked->crashes.probing = false;
            if (!answered && !asked->state().crashed)
                asked->browser().endHungPage();
        });
    }
}

void CrashRecovery::crashed(BrowserTab &tab)
{
    BrowserTab::Crashes &crashes = tab.crashes;
    const QDateTime now = m_clock.now();
    while (!crashes.times.isEmpty() &&
           crashes.times.first().secsTo(now) > qint64(kWithinMinutes) * 60)
        crashes.times.removeFirst();
    crashes.times << now;
    crashes.reloadAt = QDateTime();
    if (crashes.times.size() >= kMostCrashes) {
        crashes.gaveUp = true;
        const QString note = QStringLiteral("Stopped reloading after %1 crashes in %2 minutes")
                                 .arg(kMostCrashes)
                                 .arg(kWithinMinutes);
        tab.browser().noteOnStoppedPage(note);
        tab.showStatusText(note);
        return;
    }
    crashes.gaveUp = false;
    crashes.reloadAt = now.addSecs(kReloadAfterSeconds);
    if (!m_tick.isActive())
        m_tick.start();
}

void CrashRecovery::onTick()
{
    const QDateTime now = m_clock.now();
    bool waiting = false;
    for (BrowserTab &tab : m_c.tabs) {
        QDateTime &due = tab.crashes.reloadAt;
        if (!due.isValid())
            continue;
        // Loaded again meanwhile (the user pressed Refresh): nothing left to do.
        if (!tab.state().crashed) {
            due = QDateTime();
            continue;
        }
        if (now < due) {
            waiting = true;
            continue;
        }
        due = QDateTime();
        // Someone looks at it now: the crash page and its Refresh are theirs.
        if (m_unattended && m_unattended(tab))
            tab.refreshNow();
    }
    if (!waiting)
        m_tick.stop();
}

}  // namespace pelquin
