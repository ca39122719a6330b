// setup/: applying the profile at start-up (StartupProfile) and the Setup dialog that edits, saves
// and loads profiles.

#pragma once

#include "setup/setup_rows.h"
#include "tabs/tab_controls.h"
#include "tabs/timers.h"

#include <QDialog>
#include <QPointer>

#include <vector>
#include <functional>

class QPushButton;
class QTabWidget;

namespace pelquin {

class ErrorReporter;
class Prompts;
class ScriptableWindow;
class SponsorSite;
struct Session;

// What the Setup dialog reaches in the main window.
struct SetupDeps {
    Session &session;
    TabControls controls;
    ScriptableWindow &window;
    const SponsorSite &sponsor;
    Prompts &prompts;
    ErrorReporter &errors;
    Timers &timers;  // Setup pauses the automatic refresh while it is open
    std::function<void()> showHelp;  // the help screen, modal
};

// "Setup": edits the 30 tabs' profile values on three pages of ten rows, saves and loads
// profiles, erases the address history and switches full-screen mode. Modeless, on top.
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(SetupDeps deps, QWidget *parent);
    ~SetupDialog() override;

    // The row of tab t, 1 to 30.
    const SetupRow &row(int tab) const { return m_rows.at(static_cast<size_t>(tab - 1)); }
    QTabWidget *pages() const { return m_pages; }

    void fillRowsFromProfile();  // fills the rows from the tabs' profile values
    bool writeRowsToProfile();  // rows into the profile values, then the profile file
    void saveAndClose();  // Ok
    void showHelp();  // Help
    void eraseHistory();  // Erase
    void saveProfile();  // Save
    void loadProfile();  // Load
    void toggleFullScreen();  // full-screen switch
    void reject() override;  // Escape: as Cancel

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void captionFullScreenButton();
    void autoRefreshClicked(int i);
    void newBrowserClicked(int i);
    void setOnTop(bool onTop);
    QString chooseProfile(bool save);

    SetupDeps m_d;
    QTabWidget *m_pages;
    std::vector<SetupRow> m_rows;
    QPushButton *m_fullScreen;
    bool m_loadingControls = false;
    // The timers go before the dialog when the window is torn down.
    QPointer<Timers> m_timers;
};


}  // namespace pelquin
