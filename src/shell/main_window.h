// shell/: the main window that composes every part: layout in twips, bars and full screen,
// keyboard and speed menu, command dispatch, help screen, start-up and closing.

#pragma once

#include "desktop/desktop_commands.h"
#include "shell/window_controls.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace pelquin {

class ButtonBar;
class Clock;
class Commands;
class CommandProcessor;
class PageScript;
class SetupDialog;
class ShortcutKeys;
class FindDialog;
class DesktopHabits;
class DesktopNotifier;
class TabWatching;
class FreeTabs;
class HistorySaver;
class DisplayModes;
class AddressBoxKeys;
class DownloadsControl;
class PageDialogQueue;
class RefreshTroubleBar;
class WindowKeys;
class MainWindowControl;
class ErrorReporter;
class Prompts;
class SettingsStore;
class SpeedMenu;
class SponsorSite;
class StagedLoading;
class StatusArea;
class TabSelection;
class TabStrip;
class Timers;
class WindowLayout;
class WindowStore;
struct Session;

// What the main window is built from; everything is owned elsewhere and outlives it.
struct MainWindowDeps {
    Session &session;
    Prompts &prompts;
    ErrorReporter &errors;
    const Clock &clock;
    SettingsStore &settings;
    BrowserFactory &factory;
    const SponsorSite &sponsor;
    // The profile the start names ("work.set"); empty: Setup.set.
    QString profileName;
    HistoryFolder &history;
    MailLookup mail;
    ProcessStarter start;
    DesktopNotifier *notifier = nullptr;  // none: no desktop notices
    // Show the tabs in turn every so many seconds, for this run; 0: as Internet Options says.
    int rotateSeconds = 0;
    // A private run: the window keeps nothing between runs and says so in its title.
    bool privateRun = false;
};

// Why the main window is asked to close.
enum class CloseReason { User, SessionEnd, Terminated };

// The main window, "Pelquin 2000 Browser": composes the tab strip, button bar, address boxes,
// browsers and status bar, and runs the window's load, activation and closing.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowDeps deps);
    ~MainWindow() override;

    // Readies the window before it shows: menus and buttons, the history, the profile and
    // the placement. Call once.
    void startUp();
    // The window's activation: the first one selects tab 1 and opens waiting addresses.
    void activate();
    // Closes the window for a reason other than the user's.
    void closeFor(CloseReason reason);

    // Shows the help screen modally with the refresh timer stopped (speed menu and F1).
    void showHelp();
    // Opens the Setup dialog, or brings the open one forward.
    void openSetup();
    SetupDialog *setupDialog() const;
    // Opens the Find dialog for the selected tab's page, or brings it forward.
    void showFind();
    FindDialog *findDialog() const;

    TabStrip &tabStrip() const { return *m_tabStrip; }
    ButtonBar &buttons() const { return *m_buttons; }
    StatusArea &status() const { return *m_status; }
    TabCollection &tabs() const { return *m_tabs; }
    SpeedMenu &menu() const { return *m_menu; }
    WindowLayout &windowLayout() const { return *m_layout; }
    DisplayModes &displayModes() const { return *m_modes; }
    MainWindowControl &windowControl() const { return *m_control; }
    TabSelection &selection() const { return *m_selection; }
    StagedLoading &stagedLoading() const { return *m_staged; }
    Timers &timers() const { return *m_timers; }
    Commands &commands() const { return *m_commands; }
    AddressBoxKeys &addressBoxKeys() const { return *m_addressBoxKeys; }
    WindowKeys &keyboard() const { return *m_keyboard; }
    ShortcutKeys &shortcuts() const;
    FreeTabs &freeTabs() const;
    DesktopHabits &habits() const { return *m_habits; }
    // Addresses from the command line or a later start: they open in free tabs once the
    // start-up is done.
    void openAddresses(const QStringList &addresses);
    // The first activation, which selects tab 1 and opens waiting addresses, has been done.
    bool activated() const { return m_activated; }
    // Shows the window in front of the others, as for a link from another program.
    void bringToFront();
    DesktopCommands &desktop() const { return *m_desktop; }
    CommandProcessor &commandProcessor() const { return *m_processor; }
    PageScript &pageScript() const { return *m_script; }
    PageDialogQueue &pageDialogs() const { return *m_pageDialogs; }
    RefreshTroubleBar &refreshTroubleBar() const { return *m_refreshTrouble; }
    DownloadsControl &downloads() const { return *m_downloads; }
    HistorySaver &historySaver() const { return *m_historySaver; }
    TabWatching &watching() const { return *m_watching; }
    WindowControls controls() const;

signals:
    // The window has closed for good; the program ends even if pop-up windows remain.
    void closed();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The window's parts, made in this order: each needs some of the ones before.
    void makeTabs();
    void makeLayoutAndLoading(const WindowControls &c);
    void makeCommands(const WindowControls &c);
    void makeDesktop(const WindowControls &c);
    void makeWatching(const WindowControls &c);
    void firstActivation();
    void showHelpScreen();
    bool mayClose(CloseReason reason);
    void shutDown();
    void speedMenuFromTabStrip(const QPoint &globalPos);

    MainWindowDeps m_d;
    Session &m_session;
    TabStrip *m_tabStrip;
    ButtonBar *m_buttons;
    StatusArea *m_status;
    std::unique_ptr<TabCollection> m_tabs;
    SpeedMenu *m_menu;
    std::unique_ptr<WindowStore> m_store;
    std::unique_ptr<WindowLayout> m_layout;
    std::unique_ptr<DisplayModes> m_modes;
    std::unique_ptr<TabSelection> m_selection;
    std::unique_ptr<StagedLoading> m_staged;
    std::unique_ptr<MainWindowControl> m_control;
    std::unique_ptr<CommandProcessor> m_processor;
    std::unique_ptr<PageScript> m_script;
    Timers *m_timers;
    Commands *m_commands;
    AddressBoxKeys *m_addressBoxKeys;
    WindowKeys *m_keyboard;
    DesktopHabits *m_habits = nullptr;
    DesktopCommands *m_desktop;
    PageDialogQueue *m_pageDialogs;
    RefreshTroubleBar *m_refreshTrouble;
    HistorySaver *m_historySaver;
    DownloadsControl *m_downloads;
    TabWatching *m_watching;
    QPointer<SetupDialog> m_setup;
    CloseReason m_closeReason = CloseReason::User;
    bool m_unloadAccepted = false;
    bool m_inFirstActivation = false;
    bool m_loaded = false;
    bool m_activated = false;  // the first activation has been done
    bool m_shown = false;
};

}  // namespace pelquin
