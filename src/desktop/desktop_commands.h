// desktop/: Favorites, the History folder, mail, Internet Options, Work Offline, Save Page
// and the probes of the system they rely on.

#pragma once

#include "watch/watch_options.h"
#include "desktop/mail_client.h"
#include "tabs/tab_controls.h"
#include "tabs/timers.h"

#include <QObject>

#include <functional>

class QAction;
class QWidget;

namespace pelquin {

class BrowserTab;

class ErrorReporter;
class HistoryFolder;
class Prompts;
class SettingsStore;
struct Session;

// Starts a program from a command line; false when it cannot be started.
using ProcessStarter = std::function<bool(const QString &commandLine)>;
ProcessStarter systemProcessStarter();

// What the desktop commands reach.
struct DesktopDeps {
    QWidget &window;
    Session &session;
    TabControls controls;
    QAction &offlineItem;  // checked while the program works offline
    BrowserFactory &browsers;
    SettingsStore &settings;
    Prompts &prompts;
    ErrorReporter &errors;
    Timers &timers;  // Favorites and offline pause the automatic refresh
    HistoryFolder &history;
    MailLookup mail;
    ProcessStarter start;
};

// Favorites, History, mail, Internet Options, Work Offline and Save Page to Disk.
class DesktopCommands : public QObject {
    Q_OBJECT
public:
    explicit DesktopCommands(DesktopDeps deps);

    void showFavorites();
    void showHistory();
    void sendEmail();
    void showInternetOptions();
    void toggleOffline();
    void savePageToDisk();
    // Add Favorite for the selected tab's page, without the Favorites question first.
    void addFavoriteOfSelectedTab();

    QString favoritesFolder() const;

signals:
    // Internet Options was closed with OK: the ways of watching pages may have changed.
    void watchOptionsChanged(const WatchOptions &options);

private:
    void addFavorite(BrowserTab &tab);
    void showFavoritesPage();
    void workOnline();
    void workOffline();

    DesktopDeps m_d;
};

}  // namespace pelquin
