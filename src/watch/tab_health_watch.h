#pragma once

#include "tabs/browser_tab.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

namespace pelquin {

class Clock;
class TabCollection;
class WatchedPages;

// Finds the tabs that went stale (their watched text has not changed for longer than their
// rule's staleMinutes) or were signed out (a refresh brought a password field the good page
// did not have, or another host's page that asks for one), and tells the desktop about the
// health of the tabs: a tab failing its third try, signed out, and fine again after that.
class TabHealthWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kStaleCheckMs = 30000;

    struct Deps {
        TabCollection &tabs;
        WatchedPages &pages;
        const Clock &clock;
        // Sends a desktop notice about the tab, when the user wants them.
        std::function<void(BrowserTab &, const QString &summary)> notify;
    };
    TabHealthWatch(Deps deps, QObject *parent);

    // Every tab with a rule that has staleMinutes is stale or not by now.
    void checkStaleness();

private:
    void pageCompleted(BrowserTab &tab);
    void passwordFieldFound(BrowserTab &tab, bool shown, bool byRefresh, const QString &host,
                            const QString &hostBefore);
    void healthChanged(BrowserTab &tab);

    // What the last good page of a tab was: its host, and whether it asked for a password.
    struct GoodPage {
        QString host;
        bool passwordField = false;
    };

    Deps m_d;
    QTimer m_staleTimer;
    QHash<const BrowserTab *, GoodPage> m_goodPages;
    // What the last notice about a tab's health said; Fine: none was sent.
    QHash<const BrowserTab *, TabHealth> m_told;
};

}  // namespace pelquin
