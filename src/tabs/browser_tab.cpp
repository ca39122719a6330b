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

}  // namespace pelquin
