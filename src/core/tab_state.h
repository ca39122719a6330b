#pragma once

#include "core/browser_control.h"
#include "core/typed_address.h"

#include <QDateTime>
#include <QString>


namespace pelquin {

inline constexpr int kTabCount = 30;

// What a tab's status says while its automatic refresh waits for typed words to be sent.
inline constexpr char kRefreshWaitsText[] =
    "Automatic refresh waits: this page holds text you typed";

enum class HistoryDirection { None, Back, Forward };

// Per-tab run-time values; all start false, empty or 0.
struct TabState {
    bool backEnabled = false;
    bool forwardEnabled = false;
    QString currentUrl;
    bool started = false;  // the staged loading has begun the home page
    bool loading = false;  // a load begun by the staged loading is outstanding
    int progressMax = 0;
    int progressValue = 0;
    bool refreshing = false;  // the next download-complete puts the world picture back
    QString statusText;
    QString scriptCaption;
    PageSecurity security = PageSecurity::None;  // of the page shown, for the padlock
    bool crashed = false;  // the page's process ended; the next navigation clears it
    // An address from outside was given to it this run: no longer free, even before its
    // page shows.
    bool claimed = false;
    // The user emptied the tab (Ctrl+W): its blank page shows no caption, tooltip or address.
    bool emptied = false;
    // Top-level navigations so far: a page script read from a page the tab has left is
    // not run.
    quint64 navigations = 0;
    // The automatic refresh is due but waits: the page holds words typed and not sent.
    bool refreshWaitsForTyping = false;
    bool typingCheckPending = false;  // the page has been asked and has not answered yet
    quint64 typingQuestion = 0;        // which question an answer belongs to
    QDateTime typingAskedAt;
};

// What the tabs share for the whole run.
struct TabRun {
    HistoryDirection historyDirection = HistoryDirection::None;
    bool startupDone = false;  // the staged loading has started every tab's home page
    int lastSelectedTab = 0;
    // Where text typed into an address box that is no address is searched for ("%s": the
    // words); Internet Options sets it.
    QString searchTemplate = QString::fromLatin1(kDefaultSearchTemplate);
};

// The short tab caption for an address; may be empty.
QString captionForAddress(QString inname);

}  // namespace pelquin
