#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace pelquin {

// What the page itself can be asked to do, each with its dialog.
enum class PageCommand { SaveAs, Print };

// Choosing the part of a page to watch: where the page menu was opened, or a step from there.
enum class PickStep { Start, Wider, Narrower };

// The history button whose state a browser reports.
enum class HistoryButton { Forward, Back };

// What a page asks the user and waits for: a script dialog, a login or a permission.
struct PageDialog {
    enum class Kind { Alert, Confirm, Prompt, LeavePage, Login, ProxyLogin, Permission };
    Kind kind = Kind::Alert;
    QString site;   // the host that asks
    QString text;   // the page's message, the realm of a login, or the permission's name
    QString value;  // a prompt's proposed answer
    QString origin; // scheme, host and port of the asking page: what a permission is kept for
};

// The user's answer; `text` is a prompt's answer or a login's name.
struct PageDialogReply {
    bool accepted = false;
    QString text;
    QString password;
};
using PageDialogAnswer = std::function<void(const PageDialogReply &)>;

// Where a search of the page stands: match `active` (from 1) of `total`; none found: 0 of 0.
struct FindResult {
    int active = 0;
    int total = 0;
    bool found() const { return total > 0; }
};

// What the padlock tells of the page a browser shows.
enum class PageSecurity {
    None,            // not https, or not yet shown
    Trusted,         // https with a certificate the engine trusted
    AcceptedByUser,  // https shown past a certificate error the user accepted
};

// How a page's address answered when asked again: `ok`, or why not ("timed out",
// "server not found", "HTTP 503").
struct AddressAnswer {
    bool ok = true;
    QString reason;
};

// One tab's embedded browser: the operations the program calls and the events it relies on.
// Operations that fail raise BasicError (GoBack/GoForward raise E_FAIL without history).
class BrowserControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The widget that shows the page.
    virtual QWidget *widget() = 0;

    // Takes the text as typed: no scheme means http://, an absolute path opens the file.
    virtual void navigate(const QString &address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;
    // Loads the page again from the network, past the cache.
    virtual void refreshBypassingCache() { refresh(); }
    virtual bool busy() const = 0;
    virtual QString locationUrl() const = 0;
    virtual QString locationName() const = 0;

    // Opens the document, writes "<HTML></HTML>" and closes it: no navigation. Raises 91 when
    // the browser holds no document yet.
    virtual void blankDocument() = 0;
    // The body's inner markup, delivered later on the UI thread; empty when there is none.
    virtual void readBodyMarkup(std::function<void(const QString &)> done) = 0;
    // The same, but empty when the markup does not hold `word` (letters only, any case): a
    // reader that looks for one word spares every other page the whole serialisation.
    virtual void readBodyMarkupWith(const QString &word,
                                    std::function<void(const QString &)> done)
    {
        readBodyMarkup([word, done = std::move(done)](const QString &markup) {
            done(markup.contains(word, Qt::CaseInsensitive) ? markup : QString());
        });
    }

    // Whether the page holds words the user typed and has not sent (a changed text field or
    // text area, an editable region typed into), delivered later on the UI thread.
    virtual void checkTypedText(std::function<void(bool typed)> done) { done(false); }

    // The text the page shows (no markup, scripts or hidden elements), delivered later on the
    // UI thread; empty when there is no page.
    virtual void readVisibleText(std::function<void(const QString &)> done) = 0;
    // The same once the page has settled: many pages fill in their words by script after
    // they complete, so the text counts when two readings a moment apart agree (or after a
    // few seconds, whatever it is then).
    virtual void readSettledText(std::function<void(const QString &)> done)
    {
        readVisibleText(std::move(done));
    }

    // Which part of its pages is watched: a CSS selector, or empty for the whole text. The
    // page says when that text changes without a reload (watchedTextMoved).
    virtual void watchText(const QString &region) { Q_UNUSED(region); }
    // The watched part's text once the page has settled; the whole text when no part is.
    virtual void readWatchedText(std::function<void(const QString &)> done)
    {
        readSettledText(std::move(done));
    }
    // Picks the part of the page to watch and outlines it: the block under the page menu's
    // place, or one step wider or narrower than the last. `done` learns its CSS selector and
    // the start of its text; an empty selector when there is none.
    virtual void pickPart(PickStep step,
                          std::function<void(const QString &selector, const QString &text)> done)
    {
        Q_UNUSED(step);
        done(QString(), QString());
    }
    // Marks for a few seconds where these words stand in the page, without touching its text.
    virtual void highlightAdded(const QStringList &phrases) { Q_UNUSED(phrases); }
    // Asks the page, in a script world of the program's own, whether it still answers: `done`
    // learns it within `timeoutMs`. A page without a document answers.
    virtual void probeAnswer(int timeoutMs, std::function<void(bool answered)> done)
    {
        Q_UNUSED(timeoutMs);
        done(true);
    }
    // Asks the page's address again, as the page would, without touching the page shown:
    // whether a reload now would bring a good page. `done` learns it within `timeoutMs` and a
    // little; a page that has nothing to lose (none, an error page, a file) answers ok.
    virtual void checkAddressAnswers(int timeoutMs,
                                     std::function<void(const AddressAnswer &)> done)
    {
        Q_UNUSED(timeoutMs);
        done({});
    }
    // Freezes the page (no script, no timers, no work) while it is out of sight, until
    // thawed; a frozen page shown is thawed for as long as it shows.
    virtual void setFrozen(bool frozen) { Q_UNUSED(frozen); }
    // Whether the page shows a field for a password, delivered later on the UI thread.
    virtual void checkPasswordField(std::function<void(bool shown)> done) { done(false); }
    // Ends the process of a page that no longer answers: it then stops as a crashed page does.
    virtual void endHungPage() {}
    // Its stopped page (its page's process ended) says `note` too.
    virtual void noteOnStoppedPage(const QString &note) { Q_UNUSED(note); }
    // The outline goes; nothing is picked.
    virtual void endPicking() {}
    // Whether a watch rule applies to the page shown: its menu then offers to stop watching.
    virtual void setWatchRuleApplies(bool applies) { Q_UNUSED(applies); }
    // The same as it is now, settled or not.
    virtual void readWatchedTextNow(std::function<void(const QString &)> done)
    {
        readVisibleText(std::move(done));
    }

    // Finds and highlights the next (or previous) match of `text` on the page; an empty text
    // clears the highlight. `done` learns later which match is highlighted of how many.
    virtual void findText(const QString &text, bool backward,
                          std::function<void(const FindResult &)> done) = 0;

    // Whether the page can do the command now; raises when it cannot be asked.
    virtual bool commandAvailable(PageCommand command) = 0;
    // Runs the command, asking the user in its dialog; raises E_FAIL when not available.
    virtual void exec(PageCommand command) = 0;

    // The page's zoom, 1.0 for 100%; the browser keeps it over its navigations.
    virtual double zoomFactor() const = 0;
    virtual void setZoomFactor(double factor) = 0;

    // What the padlock tells of the page now shown.
    virtual PageSecurity security() const { return PageSecurity::None; }
    // Loads the page again, answering the next login `ask` of its site once with this name
    // and password (a login the tab had to cancel while it was in the background).
    virtual void loginAndReload(const PageDialog &ask, const QString &user,
                                const QString &password) = 0;

    // Whether the page shows full screen, at its own request; ending it puts it back in its
    // tab.
    virtual bool fullScreen() const { return false; }
    virtual void exitFullScreen() {}

signals:
    // The watched text changed while the page stayed: told after it rested, at most every
    // ten seconds.
    void watchedTextMoved();
    // From the page menu: the user wants to watch the part under the pointer, or no longer to
    // watch this page.
    void watchPartAsked();
    void stopWatchingAsked();
    // The page did not take the watched part's CSS selector: the part reads as empty.
    void watchedPartRefused(const QString &region);
    // Never cancelled. `topLevel` is false for a sub-frame.
    void beforeNavigate(const QString &address, bool topLevel);
    // Set *cancel to refuse the new window; otherwise it opens in a window of its own.
    void newWindow(bool *cancel);
    void documentComplete(const QString &address, bool topLevel);
    // The end of every load, also a failed or stopped one.
    void downloadComplete();
    // A top-level load failed: the page shown is the engine's error page, told right before
    // its documentComplete. `reason` as in AddressAnswer.
    void loadFailed(const QString &reason);
    void progressChange(int progress, int maximum);
    void statusTextChange(const QString &text);
    void historyButtonChange(HistoryButton button, bool enabled);
    // The page waits for `answer`, which must be called exactly once. The engine stands still
    // for every tab until it is: a script dialog or a login is answered before the slot
    // returns unless the user is looking at the asking tab. A permission may wait. With
    // nothing connected the browser answers on its own.
    void pageDialogRequested(const PageDialog &dialog, const PageDialogAnswer &answer);
    // The page's process ended; the browser shows a page of its own that says so.
    void pageStopped(const QString &address);
    // The site's certificate was not trusted: the browser shows a page of its own that says
    // so instead of the site's.
    void certificateRefused(const QString &address);
    // The page's menu asks whether a tab without a page is there for "Open link in new tab".
    void newTabQuery(bool *available);
    // The user opens a link of the page in a new tab: the page's menu ("Open link in new
    // tab"), a middle click or Ctrl+click; `select` (Ctrl+Shift+click) selects that tab.
    void openInNewTab(const QString &address, bool select = false);
    // The page went full screen (at its request) or came back.
    void fullScreenChange(bool on);
};

// What the Internet Options dialog sets for every browser.
struct BrowserOptions {
    enum class Proxy { None, System, Manual };
    bool javascript = true;
    bool images = true;
    Proxy proxy = Proxy::System;
    QString proxyHost;
    quint16 proxyPort = 8080;
    // Tabs of one site share one page process: less memory, but a crash or a busy page
    // takes the site's other tabs with it. The engine takes it at its next start.
    bool processPerSite = false;
    // Words typed into the pages' fields are checked in the desktop's language.
    bool spellCheck = true;
};

// What the engine reports to the desktop part: the Internet Shortcut files a page opens and
// the pages completed, which the History folder keeps.
class BrowsingRecords {
public:
    virtual ~BrowsingRecords() = default;
    // The address an Internet Shortcut file holds; empty when it holds none.
    virtual QString shortcutAddress(const QString &path) const = 0;
    virtual void pageCompleted(const QString &address, const QString &title,
                               const QDateTime &when) = 0;
};

// Makes the 30 browsers; the engine's implementation also owns their shared profile.
class DownloadList;

class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;
    virtual BrowserControl *create(int tab, QWidget *parent) = 0;
    // Blocks or allows every network request of every browser.
    virtual void setOffline(bool offline) = 0;
    virtual bool offline() const = 0;
    virtual void applyOptions(const BrowserOptions &options) = 0;
    // The dictionary typed words are checked with, such as "en-US"; empty when the desktop's
    // language has none.
    virtual QString spellingLanguage() const = 0;
    virtual void clearCache() = 0;
    virtual void clearCookies() = 0;
    // This run's downloads of every browser.
    virtual DownloadList &downloads() = 0;
};

}  // namespace pelquin
