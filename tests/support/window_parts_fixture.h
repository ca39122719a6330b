#pragma once

#include "support/tabs_fixture.h"
#include "shell/tab_selection.h"
#include "shell/window_layout.h"
#include "tabs/staged_loading.h"
#include "tabs/timers.h"

#include <QObject>

namespace pelquin {
class DesktopNotifier;
class TabWatching;
}  // namespace pelquin

namespace pelquin::test {

// The tabs laid out in a shown window whose selection brings the selected tab's page,
// status, padlock and Back/Forward to the front, as the main window does: for the parts
// that need a laid-out page or a working selection, without the rest of the window.
class LaidOutTabsFixture : public TabsFixture {
protected:
    LaidOutTabsFixture();
    ~LaidOutTabsFixture() override;

    // What the refresh timers start when a tab's turn comes; nothing here.
    virtual void startNextTabs() {}

    Timers timers{session, controls(), errors, clock, [this] { startNextTabs(); }};
    WindowLayout layout{window, windowControls(), menu, errors};
    TabSelection selection{session, windowControls(), menu, layout, timers.pauses(), errors};

private:
    // Lays the window out again when it is resized, as the main window does.
    class Resizes : public QObject {
    public:
        explicit Resizes(WindowLayout &layout) : m_layout(layout) {}
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        WindowLayout &m_layout;
    };
    Resizes m_resizes{layout};
};

// The laid-out tabs with the timers and the staged loading of their first pages, as in the
// main window.
class LoadingFixture : public LaidOutTabsFixture {
protected:
    LoadingFixture();

    // The first activation: the refresh ticks, tab 1 is selected, the first pages are asked.
    void startUp();
    void startNextTabs() override { staged.startNextTabs(); }

    StagedLoading staged{session, controls(), timers.pauses(), errors};
};

// The laid-out tabs watched as in the main window: change marks, the wall of tabs and the
// rotation, following the selection.
class WatchingFixture : public LaidOutTabsFixture {
protected:
    WatchingFixture();
    ~WatchingFixture() override;

    // Builds the watching parts anew, giving desktop notices to `notifier`.
    void watch(DesktopNotifier *notifier);

    TabWatching *watching = nullptr;

private:
    void dropWatching();
};

}  // namespace pelquin::test
