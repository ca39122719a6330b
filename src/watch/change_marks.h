#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

namespace pelquin {

class Clock;
class TabCollection;
class TabStrip;

// Marks the tabs whose page shows other words than when the user last looked at them. A
// page's text is remembered when the user leaves its tab (and when it completes while
// shown); when the page of a tab in the background completes again at the same address,
// its text is compared with that. Markup, scripts and white space do not count.
class ChangeMarks : public QObject {
    Q_OBJECT
public:
    ChangeMarks(TabCollection &tabs, TabStrip &strip, const Clock &clock,
                QObject *parent = nullptr);

    // Follows every tab's completed pages.
    void connectAll();
    // The user now looks at the selected tab, and no longer at the one before: its mark goes.
    void selectionChanged();
    bool marked(int tab) const;
    // The first marked tab after `tab` in tab order, going round; 0 when none is marked.
    int nextMarked(int tab) const;

signals:
    // Tab `tab` has just been marked (not again while it stays marked).
    void tabChanged(int tab);

private:
    // What the user last saw of a tab's page, or what it first showed unseen.
    struct SeenText {
        QString address;
        QByteArray digest;
        bool known = false;
        quint64 question = 0;  // the latest reading asked for; older answers are dropped
    };

    // The text as it is now, or once the page has settled after completing.
    enum class Reading { AsShown, Settled };

    void pageCompleted(int tab, const QString &address);
    // Reads the page's text and hands its digest to `use`, unless a newer reading was asked.
    void readText(int tab, Reading reading,
                  std::function<void(SeenText &, const QByteArray &)> use);
    void remember(int tab, Reading reading);
    void compare(int tab, const QString &address);

    TabCollection &m_tabs;
    TabStrip &m_strip;
    const Clock &m_clock;
    std::map<int, SeenText> m_seen;
    int m_looking = 0;  // the tab the user looks at
};

}  // namespace pelquin
