#include "tabs/browser_tab.h"

#include "core/session.h"

#include <QComboBox>
#include <QLocale>

#include <utility>

namespace pelquin {

BrowserTab::BrowserTab(int number, BrowserControl &browser, QComboBox &addressBox,
                       TabContext context)
    : m_number(number), m_browser(browser), m_addressBox(addressBox), m_context(context)
{
    connectBrowser();
}

QString BrowserTab::address() const
{
    return m_addressBox.currentText();
}

void BrowserTab::setAddress(const QString &text)
{
    m_addressBox.setEditText(text);
}

bool BrowserTab::askedLongerAgoThan(qint64 seconds, const QDateTime &now) const
{
    // An unset time lies long ago.
    return !m_lastRefresh.isValid() || m_lastRefresh.secsTo(now) > seconds;
}

void BrowserTab::setPausedUntil(const QDateTime &until)
{
    if (until == m_pausedUntil)
        return;
    m_pausedUntil = until;
    emit lookChanged();
}

QString BrowserTab::pausedLine() const
{
    // Day names in English whatever the desktop's language, as Watch.json writes them.
    return paused() ? QStringLiteral("Paused until ") +
                          QLocale::c().toString(m_pausedUntil, QStringLiteral("ddd HH:mm"))
                    : QString();
}

TabHealth BrowserTab::health() const
{
    if (m_trouble.failing())
        return TabHealth::Failing;
    if (m_signedOutAt.isValid())
        return TabHealth::SignedOut;
    if (m_staleSince.isValid())
        return TabHealth::Stale;
    return TabHealth::Fine;
}

QStringList BrowserTab::healthLines() const
{
    QStringList lines;
    if (m_trouble.failing())
        lines << m_trouble.toolTipLine();
    if (m_signedOutAt.isValid())
        lines << QStringLiteral("Signed out (%1)").arg(m_signedOutAt.toString(u"HH:mm"));
    if (m_staleSince.isValid())
        lines << QStringLiteral("No change since %1").arg(m_staleSince.toString(u"HH:mm"));
    return lines;
}

void BrowserTab::setSignedOut(const QDateTime &at)
{
    if (at.isValid() == m_signedOutAt.isValid())
        return;  // still the first time it was found
    m_signedOutAt = at;
    emit healthChanged();
    emit lookChanged();
}

void BrowserTab::setStaleSince(const QDateTime &lastChange)
{
    if (lastChange == m_staleSince)
        return;
    m_staleSince = lastChange;
    emit healthChanged();
    emit lookChanged();
}

bool BrowserTab::hasPage() const
{
    for (const QString &address : {m_state.currentUrl, m_browser.locationUrl()}) {
        if (!address.isEmpty() && address != QLatin1String(kBlankPage))
            return true;
    }
    return false;
}

void BrowserTab::setCaption(const QString &caption)
{
    if (std::exchange(m_look.caption, caption) != caption)
        emit lookChanged();
}

void BrowserTab::setToolTip(const QString &toolTip)
{
    if (std::exchange(m_look.toolTip, toolTip) != toolTip)
        emit lookChanged();
}

void BrowserTab::setPicture(TabPicture picture)
{
    if (std::exchange(m_look.picture, picture) != picture)
        emit lookChanged();
}

void BrowserTab::addAlert(const QString &tip, const QString &status)
{
    // A screenful at most: the oldest go first.
    constexpr qsizetype kKept = 5;
    m_look.alerts << tip;
    if (m_look.alerts.size() > kKept)
        m_look.alerts.remove(0, m_look.alerts.size() - kKept);
    m_look.alertStatus = status;
    emit lookChanged();
}

void BrowserTab::clearAlerts()
{
    if (!alerted())
        return;
    m_look.alerts.clear();
    m_look.alertStatus.clear();
    emit lookChanged();
}

void BrowserTab::setChangedSince(const QDateTime &since)
{
    // The first change is the one the mark tells of.
    if (since.isValid() == changed())
        return;
    m_look.changedSince = since;
    emit lookChanged();
}

void BrowserTab::setWaiting(bool waiting)
{
    if (std::exchange(m_look.waiting, waiting) != waiting)
        emit lookChanged();
}

void BrowserTab::clearLook()
{
    m_look = TabLook{};
    emit lookChanged();
}

QString BrowserTab::captionFor(const QString &compared, const QString &address) const
{
    const TabSetting &setting = m_context.session.settings[m_number];
    if (captionForAddress(compared) == captionForAddress(setting.startUrl))
        return setting.tabName;
    if (!m_state.scriptCaption.trimmed().isEmpty())
        return m_state.scriptCaption;
    return captionForAddress(address);
}

QString BrowserTab::toolTipFor(const QString &address) const
{
    return QStringLiteral("Tab ") + QString::number(m_number) + QLatin1Char(':') + address;
}

}  // namespace pelquin
