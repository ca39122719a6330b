#pragma once

#include "core/browser_control.h"
#include "core/tab_settings.h"
#include "core/tab_state.h"
#include "platform/twips.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class QComboBox;
class QWidget;

namespace pelquin {

// One tab of the strip: its number, its browser, its address box, what it is doing now and
// where its controls lie. The rest of the program reaches a tab through the TabCollection
// and learns what its page does from its signals.
class BrowserTab : public QObject {
    Q_OBJECT
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

    // The tab shows a page, or is loading one: neither empty nor blank.
    bool hasPage() const;
    // Its page has been on the screen this run. Drawing a page the first time costs its
    // engine about 20 MB for good: a tab never shown is never drawn just for a picture.
    bool shownOnce = false;

    TabState &state() { return m_state; }
    const TabState &state() const { return m_state; }
    // When its page was last asked for: the load timeout and the automatic refresh count
    // from here. Unset until the first request.
    QDateTime lastRefresh;
    // Its page was asked for more than `seconds` before `now`, or never.
    bool askedLongerAgoThan(qint64 seconds, const QDateTime &now) const;
    // Its profile entry asks for an automatic refresh and the interval has passed.
    bool refreshDue(const TabSetting &profile, const QDateTime &now) const;

    // Where the page and the address box lie, in twips.
    TwipsBox pageBox;
    TwipsBox addressBoxPlace;

signals:
    // A top-level load began, at `address`.
    void loadStarted(const QString &address);
    // A load ended, completed or not.
    void loadFinished();
    // The page at `address` has completed loading: what runs on a completed page runs now.
    void pageCompleted(const QString &address);
    void statusTextChanged(const QString &text);
    void progressChanged(int value, int maximum);
    void captionChanged(const QString &caption);

private:
    int m_number;
    BrowserControl &m_browser;
    QComboBox &m_addressBox;
    TabState m_state;
};

}  // namespace pelquin
