#pragma once

#include "watch/watched_pages.h"

#include <QObject>
#include <QString>

#include <functional>

namespace pelquin {

class BrowserTab;
class Clock;
struct SeenWords;
class TabCollection;
class TabStrip;
struct WatchAlert;

// Marks the tabs whose page shows other words than when the user last looked at them, and
// alerts on the conditions of their watch rules. A page's watched text (its rule's part, its
// ignored lines left out) is remembered when the user leaves its tab (and when it completes
// while shown); when the page of a tab in the background completes again at the same
// address, or changes its words without a reload, its text is compared with that. Markup,
// scripts and white space do not count, nor, when its rule says so, numbers and times.
class ChangeMarks : public QObject {
    Q_OBJECT
public:
    // Follows every tab's completed and changing pages.
    ChangeMarks(TabCollection &tabs, TabStrip &strip, WatchedPages &pages, const Clock &clock,
                QObject *parent = nullptr);

    // The user now looks at the selected tab, and no longer at the one before: its marks go.
    void selectionChanged();

signals:
    // The tab has just been marked (not again while it stays marked).
    void tabChanged(BrowserTab &tab);
    // A condition of the tab's watch rule has just turned true.
    void tabAlerted(BrowserTab &tab, const WatchAlert &alert);

private:
    using Reading = WatchedPages::Reading;
    using Use = std::function<void(SeenWords &, const QString &watched)>;

    void pageCompleted(BrowserTab &tab, const QString &address);
    // Shows the user, in the page, the words added since they last looked.
    void highlightAdded(BrowserTab &tab);
    // Its page changed its words without a reload.
    void pageTextMoved(BrowserTab &tab);
    // Reads the page's watched text and hands it to `use`, unless a newer reading was asked.
    void readText(BrowserTab &tab, Reading reading, Use use);
    void remember(BrowserTab &tab, Reading reading);
    void compare(BrowserTab &tab, const QString &address, Reading reading);
    void alertOn(BrowserTab &tab, std::optional<QString> before, const QString &now);

    TabCollection &m_tabs;
    TabStrip &m_strip;
    WatchedPages &m_pages;
    const Clock &m_clock;
    BrowserTab *m_looking = nullptr;  // the tab the user looks at
};

}  // namespace pelquin
