// desktop/: Favorites, the History folder, mail, Internet Options, Work Offline, Save Page
// and the probes of the system they rely on.

#pragma once

#include "desktop/mail_client.h"
#include "tabs/browser_pool.h"

#include <QObject>

#include <functional>

class QAction;
class QTimer;
class QWidget;

namespace pelquin {

class ErrorReporter;
class HistoryFolder;
class Prompts;
class SettingsStore;
struct Session;

// Starts a program from a command line; false when it cannot be started.
using ProcessStarter = std::function<bool(const QString &commandLine)>;
ProcessStarter systemProcessStarter();

// The speed menu's items that run the desktop commands.
struct DesktopMenuItems {
    QAction &favorites;
    QAction &history;
    QAction &sendEmail;
    QAction &internetOptions;
    QAction &offline;
    QAction &savePage;
};

// What the desktop commands reach.
struct DesktopDeps {
    QWidget &window;
    Session &session;
    TabControls controls;
    DesktopMenuItems items;
    BrowserFactory &browsers;
    SettingsStore &settings;
    Prompts &prompts;
    ErrorReporter &errors;
    QTimer &refreshTimer;
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

private:
    void addFavorite(int tab);
    void showFavoritesPage();
    void workOnline();
    void workOffline();

    DesktopDeps m_d;
};

}  // namespace pelquin
