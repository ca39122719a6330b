#pragma once

#include "watch/watch_options.h"
#include "tabs/tab_controls.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

namespace pelquin {

class ActiveHours;
class ChangeMarks;
class CrashRecovery;
class Clock;
class DesktopNotifier;
class TabHealthWatch;
class TabRotation;
class TabWall;
struct WatchAlert;
class PartPicking;
class Prompts;
class WatchedPages;
class WhatChangedView;

// What helps to watch many pages at once: the marks on changed tabs and their desktop
// notices, the wall of tabs, and showing the tabs in turn.
class TabWatching : public QObject {
    Q_OBJECT
public:
    struct Deps {
        TabControls controls;
        const Clock &clock;
        QWidget &window;
        // Where the pages lie in the window.
        std::function<QRect()> pageArea;
        // Brings the window in front of the others (a notice was clicked).
        std::function<void()> bringToFront;
        // Nothing turns while this says so (a dialog of the window is open).
        std::function<bool()> busy;
        DesktopNotifier *notifier = nullptr;  // none: no notices
        // Where Watch.json and the versions are kept; empty: nowhere.
        QString appFolder;
        bool privateRun = false;  // nothing is written
        Prompts *prompts = nullptr;  // for Watch Settings
        // Whether the window is in expert mode (every bar hidden): a wall screen.
        std::function<bool()> expertMode;
    };
    TabWatching(Deps deps, QObject *parent);
    ~TabWatching() override;

    void applyOptions(const WatchOptions &options);
    const WatchOptions &options() const { return m_options; }
    // Showing the tabs in turn for this run, from the command line; 0 leaves the options'.
    void rotateEvery(int seconds);

    // The user's own choice of a tab, and the tabs' completed pages, reach the parts here.
    void tabSelected();
    // The watch rule of the selected tab's page, in a dialog.
    void editWatchSettings();
    // Shows what changed on the selected tab's page since the user last looked, or closes it.
    void toggleWhatChanged();
    // Selects the next tab with an alert, or else the next changed tab, and says why; says
    // so when there is none.
    void goToNextChangedTab();

    ChangeMarks &marks() const { return *m_marks; }
    WatchedPages &pages() const { return *m_pages; }
    TabWall &wall() const { return *m_wall; }
    TabRotation &rotation() const { return *m_rotation; }
    CrashRecovery &crashRecovery() const { return *m_crashRecovery; }
    TabHealthWatch &health() const { return *m_health; }
    ActiveHours &activeHours() const { return *m_hours; }
    // Nobody is there to press Refresh on the tab's page: it is not selected, or the wall is
    // shown, the tabs rotate or the window is in expert mode.
    bool unattended(const BrowserTab &tab) const;
    WhatChangedView &whatChanged() const;
    PartPicking &partPicking() const;

protected:
    // The user's keys and clicks pause the turning for a minute.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tabChanged(BrowserTab &tab);
    void tabAlerted(BrowserTab &tab, const WatchAlert &alert);
    // A desktop notice about the tab, when the user wants them.
    void notifyAbout(BrowserTab &tab, const QString &summary);
    // Says, without waiting for an answer, what is wrong in Watch.json.
    void showRuleProblems(const QStringList &problems);

    Deps m_d;
    WatchedPages *m_pages;
    ChangeMarks *m_marks;
    TabWall *m_wall;
    TabRotation *m_rotation;
    CrashRecovery *m_crashRecovery;
    TabHealthWatch *m_health;
    ActiveHours *m_hours;
    // Placed in the window, but the watching's own: they go with it.
    QPointer<WhatChangedView> m_whatChanged;
    QPointer<PartPicking> m_picking;
    WatchOptions m_options;
    QPointer<QMessageBox> m_ruleProblems;
};

}  // namespace pelquin
