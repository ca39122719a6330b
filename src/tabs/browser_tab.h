#pragma once

#include "core/browser_control.h"
#include "core/tab_state.h"
#include "platform/twips.h"

#include <QDateTime>
#include <QString>

class QComboBox;
class QWidget;

namespace pelquin {

// One tab of the strip: its number, its browser, its address box, what it is doing now and
// where its controls lie. The rest of the program reaches a tab through the TabCollection.
class BrowserTab {
public:
    BrowserTab(int number, BrowserControl &browser, QComboBox &addressBox);

    int number() const { return m_number; }
    BrowserControl &browser() const { return m_browser; }
    // The widget that shows the page.
    QWidget *page() const { return m_browser.widget(); }
    QComboBox &addressBox() const { return m_addressBox; }
    // The address box's text.
    QString address() const;
    void setAddress(const QString &text);

    TabState &state() { return m_state; }
    const TabState &state() const { return m_state; }
    // When its page was last asked for: the load timeout and the automatic refresh count
    // from here. Unset until the first request.
    QDateTime lastRefresh;
    // Where the page and the address box lie, in twips.
    TwipsBox pageBox;
    TwipsBox addressBoxPlace;

private:
    int m_number;
    BrowserControl &m_browser;
    QComboBox &m_addressBox;
    TabState m_state;
};

}  // namespace pelquin
