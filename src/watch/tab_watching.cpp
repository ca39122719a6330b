#include "watch/tab_watching.h"

#include "platform/desktop_notifier.h"
#include "watch/change_marks.h"
#include "tabs/tab_collection.h"
#include "watch/tab_rotation.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"

#include <QApplication>
#include <QEvent>

namespace pelquin {

TabWatching::TabWatching(Deps deps, QObject *parent)
    : QObject(parent), m_d(std::move(deps)),
      m_marks(new ChangeMarks(m_d.controls.tabs, m_d.controls.tabStrip, m_d.clock, this)),
      m_wall(new TabWall(m_d.controls.tabs, m_d.controls.tabStrip, m_d.clock,
                         &m_d.window)),
      m_rotation(new TabRotation(m_d.controls.tabs, m_d.controls.tabStrip, m_d.clock, this))
{
    m_wall->setArea(m_d.pageArea);
    connect(m_marks, &ChangeMarks::tabChanged, this, &TabWatching::tabChanged);
    for (BrowserTab &tab : m_d.controls.tabs) {
        connect(&tab, &BrowserTab::pageCompleted, m_wall,
                [this, &tab] { m_wall->pageCompleted(tab); });
    }
    m_rotation->setHeld([this] { return m_wall->isOpen() || (m_d.busy && m_d.busy()); });
    if (m_d.notifier) {
        connect(m_d.notifier, &DesktopNotifier::clicked, this, [this](int tab) {
            if (!m_d.controls.tabs.contains(tab) || tab > m_d.controls.tabStrip.count())
                return;
            m_d.controls.tabStrip.select(tab);
            if (m_d.bringToFront)
                m_d.bringToFront();
        });
    }
    qApp->installEventFilter(this);
}

TabWatching::~TabWatching() { qApp->removeEventFilter(this); }

void TabWatching::applyOptions(const WatchOptions &options)
{
    m_options = options;
    m_rotation->setInterval(options.rotateSeconds);
}

void TabWatching::rotateEvery(int seconds)
{
    if (seconds > 0)
        m_rotation->setInterval(seconds);
}

void TabWatching::tabSelected()
{
    m_marks->selectionChanged();
    m_wall->dismiss();
    const int selected = m_d.controls.tabStrip.selected();
    if (m_d.controls.tabs.contains(selected))
        m_wall->tabShown(m_d.controls.tabs.tab(selected));
}

void TabWatching::goToNextChangedTab()
{
    TabStrip &strip = m_d.controls.tabStrip;
    const BrowserTab *next = m_d.controls.tabs.nextAfter(
        strip.selected(), strip.count(), [](const BrowserTab &tab) { return tab.changed(); });
    if (!next) {
        m_d.controls.status.showForAMoment(
            QStringLiteral("No tab has changed since you last looked"));
        return;
    }
    m_wall->dismiss();
    strip.select(next->number());
}

void TabWatching::tabChanged(BrowserTab &tab)
{
    if (!m_options.notifyChanges || !m_d.notifier)
        return;
    const QString caption = m_d.controls.tabStrip.caption(tab.number());
    m_d.notifier->notify(tab.number(), QStringLiteral("Tab %1 changed").arg(tab.number()),
                         caption.isEmpty() ? tab.state().currentUrl : caption);
}

bool TabWatching::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        // Only what the user did: events the program makes itself are not spontaneous.
        if (event->spontaneous())
            m_rotation->userActed();
        break;
    default:
        break;
    }
    return false;
}

}  // namespace pelquin
