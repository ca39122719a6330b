#include "shell/tab_selection.h"

#include "tabs/tab_collection.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "commands/speed_menu.h"
#include "shell/window_layout.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QComboBox>

namespace pelquin {

TabSelection::TabSelection(Session &session, WindowControls controls, SpeedMenu &menu,
                           WindowLayout &layout, const RefreshPauses &pauses,
                           ErrorReporter &errors)
    : m_session(session), m_c(controls), m_menu(menu), m_layout(layout), m_pauses(pauses),
      m_errors(errors)
{
    // Back and Forward follow the selected tab's page.
    for (BrowserTab &tab : m_c.tabs) {
        QObject::connect(&tab, &BrowserTab::historyButtonsChanged, &m_c.buttons,
                         [this, &tab](bool back, bool forward) {
                             if (tab.number() != m_c.tabStrip.selected())
                                 return;
                             m_c.buttons.setEnabledAt(1, back);
                             m_c.buttons.setEnabledAt(2, forward);
                         });
    }
}

void TabSelection::onTabSelected()
{
    TabRun &tabs = m_session.tabs;
    const int t = m_c.tabStrip.selected();
    if (!m_c.tabs.contains(t))
        return;  // the page script removed every tab
    const TabState &tab = m_c.tabs.tab(t).state();
    Trap trap(m_errors, QStringLiteral(" At TabStrip Click"),
              {err::InvalidCall, 16, err::InvalidProperty});
    trap.step([&] {
        if (tabs.lastSelectedTab == 0)
            tabs.lastSelectedTab = 1;
        m_c.tabs.tab(tabs.lastSelectedTab).addressBox().setVisible(false);
    });
    trap.step([&] {
        tabs.lastSelectedTab = t;
        m_c.tabStrip.setDraggedTab(t);
    });
    trap.step([&] {
        m_layout.placeSelectedBrowser(m_c.tabs.tab(t));
        m_c.tabs.bringToFront(t);
    });
    trap.step([&] {
        if (tab.progressMax < 1)
            m_c.status.setProgressValue(0);
        else
            m_c.status.setProgress(tab.progressMax, tab.progressValue);
    });
    trap.step([&] { m_layout.placeForBars(m_c.tabs.tab(t)); });
    trap.step([&] {
        if (!m_layout.bars().addressHidden)
            m_c.tabs.tab(t).addressBox().setVisible(true);
    });
    trap.step([&] {
        // Keys go to the address box when it shows, else to the page: a page that pauses
        // while it has no focus must not stay paused on a screen without an address bar.
        QComboBox *combo = &m_c.tabs.tab(t).addressBox();
        if (!combo->isHidden())
            combo->setFocus();
        else if (QWidget *page = m_c.tabs.tab(t).page())
            page->setFocus(Qt::OtherFocusReason);
    });
    trap.step([&] { m_c.status.setText(tab.statusText); });
    trap.step([&] { m_c.status.showSecurity(tab.security); });
    trap.step([&] {
        m_c.buttons.setEnabledAt(1, tab.backEnabled);
        m_c.buttons.setEnabledAt(2, tab.forwardEnabled);
    });
    trap.step([&] {
        if (m_pauses.has(RefreshPause::Setup))
            m_c.tabStrip.setDragsTabs(true);
    });
}

}  // namespace pelquin
