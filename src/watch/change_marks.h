#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

namespace pelquin {

class BrowserTab;
class Clock;
struct SeenWords;
class TabCollection;
class TabStrip;

// Marks the tabs whose page shows other words than when the user last looked at them. A
// page's text is remembered when the user leaves its tab (and when it completes while
// shown); when the page of a tab in the background completes again at the same address,
// its text is compared with that. Markup, scripts and white space do not count.
class ChangeMarks : public QObject {
    Q_OBJECT
public:
    // Follows every tab's completed pages.
    ChangeMarks(TabCollection &tabs, TabStrip &strip, const Clock &clock,
                QObject *parent = nullptr);

    // The user now looks at the selected tab, and no longer at the one before: its mark goes.
    void selectionChanged();

signals:
    // The tab has just been marked (not again while it stays marked).
    void tabChanged(BrowserTab &tab);

private:
    // The text as it is now, or once the page has settled after completing.
    enum class Reading { AsShown, Settled };

    void pageCompleted(BrowserTab &tab, const QString &address);
    // Its page changed its words without a reload.
    void pageTextMoved(BrowserTab &tab);
    // Reads the page's text and hands its digest to `use`, unless a newer reading was asked.
    void readText(BrowserTab &tab, Reading reading,
                  std::function<void(SeenWords &, const QByteArray &)> use);
    void remember(BrowserTab &tab, Reading reading);
    void compare(BrowserTab &tab, const QString &address);

    TabCollection &m_tabs;
    TabStrip &m_strip;
    const Clock &m_clock;
    BrowserTab *m_looking = nullptr;  // the tab the user looks at
};

}  // namespace pelquin
