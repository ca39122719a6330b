#include "tabs/browser_events.h"

#include "tabs/tab_collection.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "core/own_pages.h"
#include "core/session.h"
#include "tabs/button_bar.h"
#include "tabs/status_area.h"
#include "tabs/tab_strip.h"

#include <QLabel>
#include <QStatusBar>

namespace pelquin {

BrowserEvents::BrowserEvents(Session &session, TabControls controls, Prompts &prompts,
                             ErrorReporter &errors, const Clock &clock, Hooks hooks)
    : m_session(session), m_c(controls), m_prompts(prompts), m_errors(errors), m_clock(clock),
      m_hooks(std::move(hooks))
{
}

void BrowserEvents::connectAll()
{
    for (BrowserTab &each : m_c.tabs) {
        const int t = each.number();
        BrowserControl *b = &m_c.tabs.tab(t).browser();
        QObject::connect(b, &BrowserControl::beforeNavigate, b,
                         [this, t](const QString &a, bool top) { beforeNavigate(t, a, top); });
        QObject::connect(b, &BrowserControl::historyButtonChange, b,
                         [this, t](HistoryButton h, bool e) { historyButtonChange(t, h, e); });
        QObject::connect(b, &BrowserControl::documentComplete, b,
                         [this, t](const QString &a, bool top) { documentComplete(t, a, top); });
        QObject::connect(b, &BrowserControl::downloadComplete, b,
                         [this, t] { downloadComplete(t); });
        QObject::connect(b, &BrowserControl::newWindow, b,
                         [this, t](bool *cancel) { newWindow(t, cancel); });
        QObject::connect(b, &BrowserControl::progressChange, b,
                         [this, t](int v, int m) { progressChange(t, v, m); });
        QObject::connect(b, &BrowserControl::statusTextChange, b,
                         [this, t](const QString &s) { statusTextChange(t, s); });
        QObject::connect(b, &BrowserControl::pageStopped, b, [this, t] { pageStopped(t); });
        QObject::connect(b, &BrowserControl::certificateRefused, b,
                         [this, t] { certificateRefused(t); });
    }
}

QString BrowserEvents::captionFor(int t, const QString &compared, const QString &address) const
{
    const TabSetting &setting = m_session.settings[t];
    if (captionForAddress(compared) == captionForAddress(setting.startUrl))
        return setting.tabName;
    const QString &scripted = m_c.tabs.tab(t).state().scriptCaption;
    if (!scripted.trimmed().isEmpty())
        return scripted;
    return captionForAddress(address);
}

QString BrowserEvents::tooltipFor(int t, const QString &address)
{
    return QStringLiteral("Tab ") + QString::number(t) + QLatin1Char(':') + address;
}

void BrowserEvents::beforeNavigate(int t, const QString &a, bool topLevel)
{
    const QString upper = a.trimmed().toUpper();
    if (upper.contains(QStringLiteral("JAVASCRIPT:")))
        return;
    if (topLevel) {
        Trap(m_errors, QStringLiteral(" At BeforeNavigate2")).step([&] {
            emit m_c.tabs.tab(t).loadStarted(a);
        });
    }
    Trap trap(m_errors, QStringLiteral(" At BeforeNavigate2"), {err::ObjectNotSet});
    trap.step([&] {
        if (upper == QStringLiteral("HTTP:///")) {
            if (m_session.tabs.historyDirection == HistoryDirection::Back)
                m_c.tabs.tab(t).browser().goBack();
            else if (m_session.tabs.historyDirection == HistoryDirection::Forward)
                m_c.tabs.tab(t).browser().goForward();
        }
    });
    trap.step([&] { m_c.tabStrip.setImage(t, 0); });
    trap.step([&] { m_c.tabs.tab(t).state().currentUrl = a; });
    const bool emptied = topLevel && showsEmptied(t, a);
    if (topLevel && !emptied) {
        trap.step([&] { m_c.tabs.tab(t).state().crashed = false; });
        trap.step([&] { setCaption(t, captionFor(t, a, a)); });
        trap.step([&] { m_c.tabStrip.setToolTip(t, tooltipFor(t, a)); });
        trap.step([&] {
            qsizetype p = 0;
            if (!a.left(4).toUpper().startsWith(QStringLiteral("HTTP")))
                p = qMax<qsizetype>(0, a.toUpper().indexOf(QStringLiteral("HTTP")));
            m_c.tabs.tab(t).setAddress(a.mid(p));
        });
    }
    trap.step([&] { m_c.tabs.tab(t).lastRefresh = m_clock.now(); });
    // Nothing of the new page is shown, or known to be secure, before it completes.
    if (topLevel)
        trap.step([&] { setSecurity(t, PageSecurity::None); });
}

bool BrowserEvents::showsEmptied(int t, const QString &address)
{
    TabState &tab = m_c.tabs.tab(t).state();
    if (address != QLatin1String(kBlankPage))
        tab.emptied = false;  // any other page ends the emptiness
    return tab.emptied;
}

void BrowserEvents::setCaption(int t, const QString &caption)
{
    m_c.tabStrip.setCaption(t, caption);
    emit m_c.tabs.tab(t).captionChanged(caption);
}

void BrowserEvents::setSecurity(int t, PageSecurity security)
{
    m_c.tabs.tab(t).state().security = security;
    if (t == m_c.tabStrip.selected())
        m_c.status.showSecurity(security);
}

void BrowserEvents::historyButtonChange(int t, HistoryButton button, bool enabled)
{
    Trap(m_errors, QStringLiteral(" At CSC")).step([&] {
        TabState &tab = m_c.tabs.tab(t).state();
        (button == HistoryButton::Forward ? tab.forwardEnabled : tab.backEnabled) = enabled;
        if (t == m_c.tabStrip.selected()) {
            m_c.buttons.setEnabledAt(1, tab.backEnabled);
            m_c.buttons.setEnabledAt(2, tab.forwardEnabled);
        }
    });
}

void BrowserEvents::documentComplete(int t, const QString &a, bool topLevel)
{
    BrowserControl &browser = m_c.tabs.tab(t).browser();
    if (!topLevel || browser.locationUrl() == QStringLiteral("http:///"))
        return;
    Trap trap(m_errors, QStringLiteral(" At Document Complete"), {err::IndexOutOfBounds});
    TabState &tab = m_c.tabs.tab(t).state();
    trap.step([&] { m_c.tabStrip.setImage(t, 1); });
    trap.step([&] { tab.loading = false; });
    trap.step([&] { m_c.tabs.tab(t).lastRefresh = m_clock.now(); });
    trap.step([&] { tab.currentUrl = browser.locationUrl(); });
    if (!showsEmptied(t, tab.currentUrl)) {
        trap.step([&] { m_c.tabs.tab(t).setAddress(tab.currentUrl); });
        trap.step([&] { setCaption(t, captionFor(t, a, tab.currentUrl)); });
        trap.step([&] { m_c.tabStrip.setToolTip(t, tooltipFor(t, tab.currentUrl)); });
    }
    trap.step([&] { setSecurity(t, browser.security()); });
    trap.step([&] { emit m_c.tabs.tab(t).pageCompleted(tab.currentUrl); });
    trap.step([&] {
        if (!m_session.tabs.startupDone && m_hooks.startNextTabs)
            m_hooks.startNextTabs();
    });
}

void BrowserEvents::downloadComplete(int t)
{
    Trap trap(m_errors, QStringLiteral(" At Download Complete"));
    trap.step([&] {
        if (m_c.tabs.tab(t).state().refreshing) {
            m_c.tabStrip.setImage(t, 1);
            m_c.tabs.tab(t).state().refreshing = false;
        }
    });
    trap.step([&] { emit m_c.tabs.tab(t).loadFinished(); });
}

void BrowserEvents::newWindow(int t, bool *cancel)
{
    if (m_session.settings[t].openNewBrowser)
        return;
    Trap(m_errors, QStringLiteral(" At NewWindow")).step([&] {
        *cancel = true;
        m_prompts.beep();
        const QString &status = m_c.tabs.tab(t).state().statusText;
        if (status.left(4).toUpper() == QStringLiteral("HTTP"))
            m_c.tabs.tab(t).browser().navigate(status);
    });
}

void BrowserEvents::progressChange(int t, int progress, int maximum)
{
    if (t != m_c.tabStrip.selected() || progress < 1)
        return;
    Trap(m_errors, QStringLiteral(" At Progress Change"), {16, err::InvalidProperty}).step([&] {
        m_c.tabs.tab(t).state().progressMax = maximum;
        m_c.tabs.tab(t).state().progressValue = progress;
        emit m_c.tabs.tab(t).progressChanged(progress, maximum);
    });
}

void BrowserEvents::statusTextChange(int t, const QString &text)
{
    Trap(m_errors, QStringLiteral(" At StatusTextChange")).step([&] {
        m_c.tabs.tab(t).state().statusText = text;
        emit m_c.tabs.tab(t).statusTextChanged(text);
    });
}

void BrowserEvents::pageStopped(int t)
{
    Trap(m_errors, QStringLiteral(" At Page Stopped")).step([&] {
        m_c.tabStrip.setImage(t, 0);
        m_c.tabs.tab(t).state().loading = false;
        m_c.tabs.tab(t).state().crashed = true;
        statusTextChange(t, stoppedStatusText());
    });
}

void BrowserEvents::certificateRefused(int t)
{
    Trap(m_errors, QStringLiteral(" At Certificate")).step([&] {
        setSecurity(t, PageSecurity::None);
    });
}

void BrowserEvents::keepPage(int t)
{
    if (!m_c.tabs.contains(t))
        return;
    Trap trap(m_errors, QStringLiteral(" At Keep Page"));
    BrowserControl &browser = m_c.tabs.tab(t).browser();
    const QString address = browser.locationUrl();
    TabState &tab = m_c.tabs.tab(t).state();
    trap.step([&] { tab.currentUrl = address; });
    trap.step([&] { m_c.tabs.tab(t).setAddress(address); });
    trap.step([&] { m_c.tabStrip.setCaption(t, captionFor(t, address, address)); });
    trap.step([&] { m_c.tabStrip.setToolTip(t, tooltipFor(t, address)); });
    trap.step([&] { m_c.tabStrip.setImage(t, !address.isEmpty() && !browser.busy() ? 1 : 0); });
    trap.step([&] { setSecurity(t, browser.security()); });
}

}  // namespace pelquin
