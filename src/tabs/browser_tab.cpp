#include "tabs/browser_tab.h"

#include <QComboBox>

namespace pelquin {

BrowserTab::BrowserTab(int number, BrowserControl &browser, QComboBox &addressBox)
    : m_number(number), m_browser(browser), m_addressBox(addressBox)
{
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
    return !lastRefresh.isValid() || lastRefresh.secsTo(now) > seconds;
}

bool BrowserTab::refreshDue(const TabSetting &profile, const QDateTime &now) const
{
    // 64 bits: any interval a profile can hold, however it was edited.
    return profile.autoRefresh &&
           askedLongerAgoThan(qint64(profile.refreshMinutes) * 60, now);
}

bool BrowserTab::hasPage() const
{
    for (const QString &address : {m_state.currentUrl, m_browser.locationUrl()}) {
        if (!address.isEmpty() && address != QLatin1String(kBlankPage))
            return true;
    }
    return false;
}

}  // namespace pelquin
