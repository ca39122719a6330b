// How a tab follows its browser: what each event of the page changes in the tab.

#include "tabs/browser_tab.h"

#include "core/own_pages.h"
#include "core/session.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/prompts.h"

#include <QPointer>

namespace pelquin {

void BrowserTab::connectBrowser()
{
    BrowserControl *b = &m_browser;
    connect(b, &BrowserControl::beforeNavigate, this, &BrowserTab::onBeforeNavigate);
    connect(b, &BrowserControl::historyButtonChange, this, &BrowserTab::onHistoryButtonChange);
    connect(b, &BrowserControl::documentComplete, this, &BrowserTab::onDocumentComplete);
    connect(b, &BrowserControl::downloadComplete, this, &BrowserTab::onDownloadComplete);
    connect(b, &BrowserControl::newWindow, this, &BrowserTab::onNewWindow);
    connect(b, &BrowserControl::progressChange, this, &BrowserTab::onProgressChange);
    connect(b, &BrowserControl::statusTextChange, this, &BrowserTab::showStatusText);
    connect(b, &BrowserControl::pageStopped, this, &BrowserTab::onPageStopped);
    connect(b, &BrowserControl::loadFailed, this, &BrowserTab::onLoadFailed);
    connect(b, &BrowserControl::watchedTextMoved, this, &BrowserTab::pageTextMoved);
    connect(b, &BrowserControl::watchPartAsked, this, &BrowserTab::watchPartAsked);
    connect(b, &BrowserControl::stopWatchingAsked, this, &BrowserTab::stopWatchingAsked);
    connect(b, &BrowserControl::watchedPartRefused, this, &BrowserTab::watchedPartRefused);
    connect(b, &BrowserControl::certificateRefused, this, [this] {
        // No padlock for a site whose certificate was refused: nothing on it is secure.
        Trap(m_context.errors, QStringLiteral(" At Certificate")).step([&] {
            setSecurity(PageSecurity::None);
        });
    });
}

void BrowserTab::onBeforeNavigate(const QString &a, bool topLevel)
{
    const QString upper = a.trimmed().toUpper();
    if (upper.contains(QStringLiteral("JAVASCRIPT:")))
        return;
    ErrorReporter &errors = m_context.errors;
    if (topLevel)
        Trap(errors, QStringLiteral(" At BeforeNavigate2")).step([&] { emit loadStarted(a); });
    Trap trap(errors, QStringLiteral(" At BeforeNavigate2"), {err::ObjectNotSet});
    trap.step([&] {
        if (upper == QStringLiteral("HTTP:///")) {
            const HistoryDirection direction = m_context.session.tabs.historyDirection;
            if (direction == HistoryDirection::Back)
                m_browser.goBack();
            else if (direction == HistoryDirection::Forward)
                m_browser.goForward();
        }
    });
    trap.step([&] { setPicture(TabPicture::None); });
    trap.step([&] { m_state.currentUrl = a; });
    const bool emptied = topLevel && showsEmptied(a);
    if (topLevel && !emptied) {
        trap.step([&] { m_state.crashed = false; });
        trap.step([&] { nameAfter(captionFor(a, a)); });
        trap.step([&] { setToolTip(toolTipFor(a)); });
        trap.step([&] {
            qsizetype p = 0;
            if (!a.left(4).toUpper().startsWith(QStringLiteral("HTTP")))
                p = qMax<qsizetype>(0, a.toUpper().indexOf(QStringLiteral("HTTP")));
            setAddress(a.mid(p));
        });
    }
    trap.step([&] { m_lastRefresh = m_context.clock.now(); });
    // Nothing of the new page is shown, or known to be secure, before it completes.
    if (topLevel)
        trap.step([&] { setSecurity(PageSecurity::None); });
}

bool BrowserTab::showsEmptied(const QString &address)
{
    if (address != QLatin1String(kBlankPage))
        m_state.emptied = false;  // any other page ends the emptiness
    return m_state.emptied;
}

void BrowserTab::nameAfter(const QString &caption)
{
    setCaption(caption);
    emit captionChanged(caption);
}

void BrowserTab::setSecurity(PageSecurity security)
{
    m_state.security = security;
    emit securityChanged(security);
}

void BrowserTab::onHistoryButtonChange(HistoryButton button, bool enabled)
{
    Trap(m_context.errors, QStringLiteral(" At CSC")).step([&] {
        (button == HistoryButton::Forward ? m_state.forwardEnabled : m_state.backEnabled) =
            enabled;
        emit historyButtonsChanged(m_state.backEnabled, m_state.forwardEnabled);
    });
}

void BrowserTab::onDocumentComplete(const QString &a, bool topLevel)
{
    if (!topLevel || m_browser.locationUrl() == QStringLiteral("http:///"))
        return;
    Trap trap(m_context.errors, QStringLiteral(" At Document Complete"),
              {err::IndexOutOfBounds});
    trap.step([&] { setPicture(TabPicture::World); });
    trap.step([&] { m_state.loading = false; });
    trap.step([&] { m_lastRefresh = m_context.clock.now(); });
    trap.step([&] { m_state.currentUrl = m_browser.locationUrl(); });
    if (!showsEmptied(m_state.currentUrl)) {
        trap.step([&] { setAddress(m_state.currentUrl); });
        trap.step([&] { nameAfter(captionFor(a, m_state.currentUrl)); });
        trap.step([&] { setToolTip(toolTipFor(m_state.currentUrl)); });
    }
    trap.step([&] { setSecurity(m_browser.security()); });
    trap.step([&] { noteLoadEnded(); });
    trap.step([&] { emit pageCompleted(m_state.currentUrl); });
    trap.step([&] { emit afterPageCompleted(); });
}

void BrowserTab::onDownloadComplete()
{
    Trap trap(m_context.errors, QStringLiteral(" At Download Complete"));
    trap.step([&] {
        if (m_state.refreshing) {
            setPicture(TabPicture::World);
            m_state.refreshing = false;
        }
    });
    m_refreshingByItself = false;
    trap.step([&] { emit loadFinished(); });
}

void BrowserTab::onNewWindow(bool *cancel)
{
    if (m_context.session.settings[m_number].openNewBrowser)
        return;
    Trap(m_context.errors, QStringLiteral(" At NewWindow")).step([&] {
        *cancel = true;
        m_context.prompts.beep();
        if (m_state.statusText.left(4).toUpper() == QStringLiteral("HTTP"))
            m_browser.navigate(m_state.statusText);
    });
}

void BrowserTab::onProgressChange(int progress, int maximum)
{
    if (progress >= 1)
        emit progressChanged(progress, maximum);
}

void BrowserTab::showStatusText(const QString &text)
{
    Trap(m_context.errors, QStringLiteral(" At StatusTextChange")).step([&] {
        m_state.statusText = text;
        emit statusTextChanged(text);
    });
}

void BrowserTab::onPageStopped()
{
    // Its page's process ended: the world picture goes, the status says so.
    Trap(m_context.errors, QStringLiteral(" At Page Stopped")).step([&] {
        setPicture(TabPicture::None);
        m_state.loading = false;
        m_state.crashed = true;
        showStatusText(stoppedStatusText());
    });
    emit pageCrashed();
}

void BrowserTab::keepPage()
{
    Trap trap(m_context.errors, QStringLiteral(" At Keep Page"));
    const QString address = m_browser.locationUrl();
    trap.step([&] { m_state.currentUrl = address; });
    trap.step([&] { setAddress(address); });
    trap.step([&] { setCaption(captionFor(address, address)); });
    trap.step([&] { setToolTip(toolTipFor(address)); });
    trap.step([&] {
        setPicture(!address.isEmpty() && !m_browser.busy() ? TabPicture::World
                                                           : TabPicture::None);
    });
    trap.step([&] { setSecurity(m_browser.security()); });
}

}  // namespace pelquin
