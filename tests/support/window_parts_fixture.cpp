#include "support/window_parts_fixture.h"

#include "watch/tab_wall.h"
#include "watch/tab_watching.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

namespace pelquin::test {

LaidOutTabsFixture::LaidOutTabsFixture()
{
    layout.setSelectAgain([this] { selection.onTabSelected(); });
    QObject::connect(&strip, &TabStrip::selectionHandling, &window,
                     [this] { selection.onTabSelected(); });
    window.installEventFilter(&m_resizes);
    layout.formResize();
    window.show();
    QCoreApplication::processEvents();
    strip.select(1);  // the first activation's selection
}

LaidOutTabsFixture::~LaidOutTabsFixture() { window.removeEventFilter(&m_resizes); }

bool LaidOutTabsFixture::Resizes::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        m_layout.formResize();
    return false;
}

LoadingFixture::LoadingFixture()
{
    // A completed page lets the start-up go on, once everything else has seen it.
    for (BrowserTab &tab : tabs)
        QObject::connect(&tab, &BrowserTab::afterPageCompleted, &timers,
                         [this] { staged.startNextTabs(); });
}

void LoadingFixture::startUp()
{
    timers.startRefresh();
    strip.select(1);
    staged.startNextTabs();
}

WatchingFixture::WatchingFixture() { watch(nullptr); }

WatchingFixture::~WatchingFixture() { dropWatching(); }

void WatchingFixture::watch(DesktopNotifier *notifier)
{
    dropWatching();
    watching = new TabWatching(
        {controls(), clock, window,
         [this] { return tabs.tab(qMax(1, tabs.front())).page()->geometry(); },
         [this] {
             window.raise();
             window.activateWindow();
         },
         [this] {
             return QApplication::activeModalWidget() != nullptr ||
                    timers.pauses().has(RefreshPause::Setup);
         },
         notifier, session.appFolder, false, &prompts},
        &window);
    QObject::connect(&strip, &TabStrip::selectionHandling, watching,
                     [this] { watching->tabSelected(); });
    watching->tabSelected();  // the user looks at the selected tab from the start
}

void WatchingFixture::dropWatching()
{
    if (!watching)
        return;
    // The wall belongs to the window, not to the watching whose marks it reads.
    delete &watching->wall();
    delete watching;
    watching = nullptr;
}

}  // namespace pelquin::test
