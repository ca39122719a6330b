#pragma once

#include "watch/watch_options.h"
#include "tabs/tab_controls.h"

#include <QObject>
#include <QRect>

#include <functional>

namespace pelquin {

class ChangeMarks;
class Clock;
class DesktopNotifier;
class TabRotation;
class TabWall;

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
    };
    TabWatching(Deps deps, QObject *parent);
    ~TabWatching() override;

    void applyOptions(const WatchOptions &options);
    const WatchOptions &options() const { return m_options; }
    // Showing the tabs in turn for this run, from the command line; 0 leaves the options'.
    void rotateEvery(int seconds);

    // The user's own choice of a tab, and the tabs' completed pages, reach the parts here.
    void tabSelected();
    // Selects the next tab marked as changed; says so when there is none.
    void goToNextChangedTab();

    ChangeMarks &marks() const { return *m_marks; }
    TabWall &wall() const { return *m_wall; }
    TabRotation &rotation() const { return *m_rotation; }

protected:
    // The user's keys and clicks pause the turning for a minute.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tabChanged(BrowserTab &tab);

    Deps m_d;
    ChangeMarks *m_marks;
    TabWall *m_wall;
    TabRotation *m_rotation;
    WatchOptions m_options;
};

}  // namespace pelquin
