// How a tab refreshes by itself: only when the page holds no words typed and not sent, and
// only when its address answers, so that a server away for a while never replaces a good
// page with an error page.

#include "tabs/browser_tab.h"

#include "core/session.h"
#include "platform/clock.h"
#include "platform/error_report.h"

#include <QPointer>

namespace pelquin {

bool BrowserTab::refreshDue(const TabSetting &profile, const QDateTime &now) const
{
    // Outside its hours it waits; a failing tab tries again by its own schedule.
    if (paused())
        return false;
    if (m_trouble.failing())
        return now >= m_trouble.nextTry;
    // 64 bits: any interval a profile can hold, however it was edited.
    return profile.autoRefresh &&
           askedLongerAgoThan(qint64(profile.refreshMinutes) * 60, now);
}

bool BrowserTab::refreshDueBy(const QDateTime &when) const
{
    return refreshDue(m_context.session.settings[m_number], when);
}

void BrowserTab::refreshNow()
{
    Trap(m_context.errors, QStringLiteral(" At Timer"), {}, {err::EFail, 16}).step([&] {
        m_lastRefresh = m_context.clock.now();
        // A failing tab's try is under way: the next comes only if this one fails too.
        if (m_trouble.failing())
            m_trouble.nextTry = m_lastRefresh.addSecs(
                retryDelaySeconds(m_trouble.tries, intervalSeconds()));
        m_browser.refresh();
        m_state.refreshing = true;
        m_refreshingByItself = true;
        setPicture(TabPicture::None);
    });
}

void BrowserTab::refreshUnlessTyped(std::function<bool()> mayGoOn)
{
    m_state.typingCheckPending = true;
    m_state.typingAskedAt = m_context.clock.now();
    const quint64 question = ++m_state.typingQuestion;
    const QPointer<BrowserTab> alive(this);
    m_browser.checkTypedText([this, alive, question, mayGoOn = std::move(mayGoOn)](bool typed) {
        if (!alive || m_state.typingQuestion != question)
            return;  // answered too late: the tab went on without it
        Trap trap(m_context.errors, QStringLiteral(" At Timer"), {}, {err::EFail, 16});
        m_state.typingCheckPending = false;
        if (typed) {
            // Words typed and not sent would be lost: asked again at the next tick.
            m_state.refreshWaitsForTyping = true;
            m_state.statusText = QString::fromLatin1(kRefreshWaitsText);
            trap.step([&] { emit statusTextChanged(m_state.statusText); });
            return;
        }
        m_state.refreshWaitsForTyping = false;
        // Things may have changed while the page answered.
        if (mayGoOn() && !m_state.loading)
            refreshIfAnswering(mayGoOn);
    });
}

void BrowserTab::refreshIfAnswering(std::function<bool()> mayGoOn)
{
    // Still asking: the tick leaves the tab alone, and a page that never answers is refreshed
    // after the same wait as for typed words.
    m_state.typingCheckPending = true;
    m_state.typingAskedAt = m_context.clock.now();
    const quint64 question = m_state.typingQuestion;
    const QPointer<BrowserTab> alive(this);
    m_browser.checkAddressAnswers(
        kAddressCheckMs, [this, alive, question, mayGoOn](const AddressAnswer &answer) {
            if (!alive || m_state.typingQuestion != question)
                return;
            m_state.typingCheckPending = false;
            Trap trap(m_context.errors, QStringLiteral(" At Timer"), {}, {err::EFail, 16});
            if (!answer.ok) {
                trap.step([&] { refreshFailed(answer.reason); });
                return;
            }
            if (mayGoOn() && !m_state.loading)
                refreshNow();
        });
}

void BrowserTab::refreshFailed(const QString &reason)
{
    const QDateTime now = m_context.clock.now();
    m_lastRefresh = now;
    m_trouble.failed(now, reason, intervalSeconds());
    emit healthChanged();
    emit lookChanged();
}

int BrowserTab::intervalSeconds() const
{
    const TabSetting &profile = m_context.session.settings[m_number];
    return profile.autoRefresh ? profile.refreshMinutes * 60 : 0;
}

void BrowserTab::tryAgainNow()
{
    if (m_trouble.failing())
        m_trouble.nextTry = m_context.clock.now();
}

void BrowserTab::onLoadFailed(const QString &reason)
{
    m_failedLoad = reason;
    // The page was asked for and answered, and then its load failed all the same.
    if (m_refreshingByItself)
        Trap(m_context.errors, QStringLiteral(" At Load Failed")).step([&] {
            refreshFailed(reason);
        });
}

void BrowserTab::noteLoadEnded()
{
    const bool good = m_failedLoad.isNull();
    m_failedLoad = QString();
    m_lastLoadGood = good;
    if (!good) {
        m_goodPageTime = QDateTime();  // the engine's error page shows: nothing good is kept
        return;
    }
    m_goodPageTime = m_context.clock.now();
    if (m_trouble.failing()) {
        m_trouble = RefreshTrouble();
        emit healthChanged();
        emit lookChanged();
    }
}

}  // namespace pelquin
