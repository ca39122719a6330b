#pragma once

#include "core/browser_control.h"
#include "core/tab_settings.h"
#include "core/tab_state.h"
#include "platform/twips.h"
#include "tabs/page_asks.h"
#include "tabs/refresh_trouble.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QWidget;

namespace pelquin {

class Clock;
class ErrorReporter;
class Prompts;
struct Session;

// What every tab needs from the run around it.
struct TabContext {
    Session &session;  // the profile's entries and the run's own flags
    const Clock &clock;
    ErrorReporter &errors;
    Prompts &prompts;
};

// The picture before a tab's caption: none while its page loads, the world once loaded.
enum class TabPicture { None, World };

// How the tab looks in the strip, its own to say; the strip only draws it.
struct TabLook {
    QString caption;
    QString toolTip;
    TabPicture picture = TabPicture::None;
    // Its page changed since the user last looked, first at this time; unset: unchanged.
    QDateTime changedSince;
    // Its page waits for the user's answer.
    bool waiting = false;
    // Conditions of its watch rule that turned true since the user last looked, as its
    // tooltip tells them: Found "In stock" (10:42).
    QStringList alerts;
    // The latest of them as the status bar tells it: Tab 7: found "In stock" at 10:42.
    QString alertStatus;
};

// How a tab is, beside what its page shows: its automatic refreshes fail, its site signed it
// out, or its watched text has not changed for longer than its rule allows. The worst first.
enum class TabHealth { Fine, Failing, SignedOut, Stale };

// What the user last saw of a tab's page, or what it first showed unseen: a digest of its
// words.
struct SeenWords {
    QString address;
    QByteArray digest;
    QString text;  // its watched text then
    QDateTime time;
    // The latest reading of its watched text, seen or not: conditions fire going from it.
    std::optional<QString> latest;
    bool known = false;
    quint64 question = 0;  // the latest reading asked for; older answers are dropped
    // When its watched text last read otherwise than the reading before, as compared.
    QByteArray movedDigest;
    QDateTime movedAt;
    void noteReading(const QByteArray &digest, const QDateTime &now)
    {
        if (digest == movedDigest && movedAt.isValid())
            return;
        movedDigest = digest;
        movedAt = now;
    }
};

// One tab of the strip: its number, its browser, its address box, what its page is doing,
// how it looks and when its page was last asked for. It follows its browser's events
// itself and tells the rest of the program through its signals.
class BrowserTab : public QObject {
    Q_OBJECT
public:
    BrowserTab(int number, BrowserControl &browser, QComboBox &addressBox, TabContext context);

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
    // from here. Unset until the first request, and again when a profile is read anew.
    const QDateTime &lastRefresh() const { return m_lastRefresh; }
    void forgetLastRefresh() { m_lastRefresh = QDateTime(); }
    // Its page was asked for more than `seconds` before `now`, or never.
    bool askedLongerAgoThan(qint64 seconds, const QDateTime &now) const;
    // Its profile entry asks for an automatic refresh and the interval has passed.
    bool refreshDue(const TabSetting &profile, const QDateTime &now) const;
    // Its automatic refresh will be due by `when`, by its own profile entry.
    bool refreshDueBy(const QDateTime &when) const;
    // The automatic refresh: the page loads again unless it holds words the user typed and
    // has not sent, which the page is asked and answers later; `mayGoOn` is asked again
    // then.
    void refreshUnlessTyped(std::function<bool()> mayGoOn);
    // The automatic refresh, at once.
    void refreshNow();
    // How long its page may take to say whether its address answers.
    static constexpr int kAddressCheckMs = 20000;
    // Its automatic refreshes that failed since its page last loaded well.
    const RefreshTrouble &refreshTrouble() const { return m_trouble; }
    // When its page last loaded well: what it shows while its refreshes fail.
    const QDateTime &goodPageTime() const { return m_goodPageTime; }
    // A failing tab tries at the next tick (the network came back, the user asked).
    void tryAgainNow();
    // The load now ending is its automatic refresh; whether the last one ended well.
    bool refreshingByItself() const { return m_refreshingByItself; }
    bool lastLoadGood() const { return m_lastLoadGood; }

    // Outside its watch rule's hours, until `until`: its refresh, marks and turn in the
    // rotation wait, and its page is frozen. Unset: within its hours.
    void setPausedUntil(const QDateTime &until);
    const QDateTime &pausedUntil() const { return m_pausedUntil; }
    bool paused() const { return m_pausedUntil.isValid(); }
    // Its tooltip's line while paused: Paused until Mon 08:00.
    QString pausedLine() const;

    TabHealth health() const;
    // Its tooltip's lines for each way it is not fine: Could not refresh since 10:42 (3
    // tries): HTTP 503 / Signed out (10:42) / No change since 10:42.
    QStringList healthLines() const;
    // Its site asked for a password where its page had none, at `at`; unset: signed in.
    void setSignedOut(const QDateTime &at);
    const QDateTime &signedOutAt() const { return m_signedOutAt; }
    // Its watched text last changed at `lastChange`, too long ago; unset: not stale.
    void setStaleSince(const QDateTime &lastChange);
    const QDateTime &staleSince() const { return m_staleSince; }

    const TabLook &look() const { return m_look; }
    void setCaption(const QString &caption);
    void setToolTip(const QString &toolTip);
    void setPicture(TabPicture picture);
    void setChangedSince(const QDateTime &since);
    bool changed() const { return m_look.changedSince.isValid(); }
    // A condition of its watch rule turned true: `tip` for its tooltip, `status` for the
    // status bar.
    void addAlert(const QString &tip, const QString &status);
    void clearAlerts();
    bool alerted() const { return !m_look.alerts.isEmpty(); }
    void setWaiting(bool waiting);
    // Its header was made anew (the page script rebuilt the strip): it looks blank.
    void clearLook();

    // What the user last saw of its page; the change marks keep it.
    SeenWords &seenWords() { return m_seenWords; }

    // What its page asked and the user has not answered; the page dialog queue keeps it.
    PageAsks &asks() { return m_asks; }
    const PageAsks &asks() const { return m_asks; }

    // The caption for its page at `address`, its start page compared by `compared`.
    QString captionFor(const QString &compared, const QString &address) const;
    QString toolTipFor(const QString &address) const;
    // A link of its page turned out to be a download: it shows its page as before.
    void keepPage();
    // Its status text is `text`, as if the browser had said it.
    void showStatusText(const QString &text);

    // Its address box's text while the shared list changes under it.
    QString heldAddress;

    // When its page's process ended lately, oldest first; when it is to be loaded again
    // (unset: not); whether reloading gave up. The crash recovery keeps them.
    struct Crashes {
        QList<QDateTime> times;
        QDateTime reloadAt;
        bool gaveUp = false;
        bool probing = false;  // asked whether it still answers, no answer yet
    };
    Crashes crashes;

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
    // Every handler of pageCompleted has run: the start-up may go on to the next tabs.
    void afterPageCompleted();
    void statusTextChanged(const QString &text);
    // The page's load progressed (only values of at least 1).
    void progressChanged(int value, int maximum);
    void captionChanged(const QString &caption);
    void lookChanged();
    void historyButtonsChanged(bool backEnabled, bool forwardEnabled);
    void securityChanged(PageSecurity security);
    // Its page's watched text changed without a reload.
    void pageTextMoved();
    // Its page's process ended (crashed, killed, out of memory).
    void pageCrashed();
    // From its page menu: watch the part under the pointer; stop watching its page.
    void watchPartAsked();
    void stopWatchingAsked();
    // Its page did not take the watched part's selector.
    void watchedPartRefused(const QString &region);
    // Its health changed, or its refreshes failed again.
    void healthChanged();

private:
    void connectBrowser();
    void onBeforeNavigate(const QString &address, bool topLevel);
    void onHistoryButtonChange(HistoryButton button, bool enabled);
    void onDocumentComplete(const QString &address, bool topLevel);
    void onDownloadComplete();
    void onNewWindow(bool *cancel);
    void onProgressChange(int progress, int maximum);
    void onPageStopped();
    void onLoadFailed(const QString &reason);
    // Its page completed: a good load ends the refresh trouble.
    void noteLoadEnded();
    // Refreshes only when its address answers; otherwise the page stays and it tries later.
    void refreshIfAnswering(std::function<bool()> mayGoOn);
    void refreshFailed(const QString &reason);
    // Its profile's automatic refresh interval; 0 without one.
    int intervalSeconds() const;
    void setSecurity(PageSecurity security);
    void nameAfter(const QString &caption);
    // Emptied by the user, it shows its blank page: nothing to name. Another address ends
    // that.
    bool showsEmptied(const QString &address);

    int m_number;
    BrowserControl &m_browser;
    QComboBox &m_addressBox;
    TabContext m_context;
    TabState m_state;
    TabLook m_look;
    QDateTime m_lastRefresh;
    RefreshTrouble m_trouble;
    QDateTime m_goodPageTime;
    QString m_failedLoad;  // why the load ending now failed; null for a good one
    bool m_refreshingByItself = false;
    bool m_lastLoadGood = false;
    QDateTime m_signedOutAt;
    QDateTime m_pausedUntil;
    QDateTime m_staleSince;
    PageAsks m_asks;
    SeenWords m_seenWords;
};

}  // namespace pelquin
