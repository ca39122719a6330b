#pragma once

#include "tabs/tab_controls.h"

#include <QString>

#include <functional>

namespace pelquin {

class Clock;
class ErrorReporter;
class Prompts;
struct Session;

// Keeps each tab in step with its browser: state, caption, tooltip, picture, dropdown text,
// and, for the selected tab, status text, progress and the Back and Forward buttons.
class BrowserEvents {
public:
    struct Hooks {
        std::function<void()> startNextTabs;
    };

    BrowserEvents(Session &session, TabControls controls, Prompts &prompts,
                  ErrorReporter &errors, const Clock &clock, Hooks hooks);

    // Connects the handlers to the events of all 30 browsers.
    void connectAll();

    void beforeNavigate(int t, const QString &address, bool topLevel);
    void historyButtonChange(int t, HistoryButton button, bool enabled);
    void documentComplete(int t, const QString &address, bool topLevel);
    void downloadComplete(int t);
    void newWindow(int t, bool *cancel);
    void progressChange(int t, int progress, int maximum);
    void statusTextChange(int t, const QString &text);
    // Tab t's page process ended: the world picture goes, the status says so.
    void pageStopped(int t);
    // No padlock for a site whose certificate was refused: nothing on it is secure.
    void certificateRefused(int t);
    // A link of tab t's page turned out to be a download: the tab shows its page as before.
    void keepPage(int t);

    // The caption for tab t showing `address`, compared with the start page by `compared`.
    QString captionFor(int t, const QString &compared, const QString &address) const;
    static QString tooltipFor(int t, const QString &address);

private:
    void setCaption(int t, const QString &caption);
    // Tab t, emptied by the user, shows its blank page: nothing to name. Another address
    // ends that.
    bool showsEmptied(int t, const QString &address);
    void setSecurity(int t, PageSecurity security);

    Session &m_session;
    TabControls m_c;
    Prompts &m_prompts;
    ErrorReporter &m_errors;
    const Clock &m_clock;
    Hooks m_hooks;
};

}  // namespace pelquin
