#include "shell/display_modes.h"

#include "tabs/tab_collection.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "commands/speed_menu.h"
#include "shell/window_layout.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

#include <QScreen>
#include <QWidget>

namespace pelquin {

DisplayModes::DisplayModes(QWidget &window, Session &session, WindowControls controls,
                           SpeedMenu &menu, WindowLayout &layout, ErrorReporter &errors)
    : m_window(window), m_session(session), m_c(controls), m_menu(menu), m_layout(layout),
      m_errors(errors)
{
}

void DisplayModes::relayAllTabs(bool positions)
{
    for (BrowserTab &each : m_c.tabs) {
        if (positions)
            m_layout.placeForBars(each);
        m_layout.fitBrowserHeight(each);
    }
}

void DisplayModes::toggleButtonBar()
{
    Trap trap(m_errors, QStringLiteral(" At MHB"));
    trap.step([&] {
        if (!m_c.buttons.isHidden()) {
            m_c.buttons.setVisible(false);
            m_menu.hideButtonsItem->setText(QStringLiteral("&Show Buttons"));
            m_layout.bars().buttonsHidden = true;
            relayAllTabs(true);
        } else {
            m_layout.bars().buttonsHidden = false;
            m_c.buttons.setVisible(true);
            m_menu.hideButtonsItem->setText(QStringLiteral("&Hide Buttons"));
            relayAllTabs(true);
        }
    });
    m_layout.repaint();
    m_layout.nameExpertModeItem();
}

void DisplayModes::toggleAddressBar()
{
    Trap trap(m_errors, QStringLiteral(" At MHAB"));
    const int sel = qMax(1, m_c.tabStrip.selected());
    trap.step([&] {
        if (!m_c.tabs.tab(sel).addressBox().isHidden()) {
            m_layout.bars().addressHidden = true;
            for (BrowserTab &each : m_c.tabs) {
                each.addressBox().setVisible(false);
                m_layout.placeForBars(each);
                m_layout.fitBrowserHeight(each);
            }
            m_menu.hideAddressBarItem->setText(QStringLiteral("&Show Address Bar"));
        } else {
            m_layout.bars().addressHidden = false;
            relayAllTabs(true);
            m_menu.hideAddressBarItem->setText(QStringLiteral("&Hide Address Bar"));
            m_c.tabs.tab(sel).addressBox().setVisible(true);
            m_c.tabs.tab(sel).addressBox().raise();
        }
    });
    trap.step([&] { m_layout.fitTabStripHeight(); });
    m_layout.repaint();
    m_layout.nameExpertModeItem();
}

void DisplayModes::toggleStatusBar()
{
    Trap trap(m_errors, QStringLiteral(" At MHSB"));
    trap.step([&] {
        if (!m_c.status.statusBar()->isHidden()) {
            m_c.status.statusBar()->setVisible(false);
            m_layout.bars().statusHidden = true;
            m_c.status.padlock()->setVisible(false);
            m_c.status.progressBar()->setVisible(false);
            relayAllTabs(false);
            m_menu.hideStatusBarItem->setText(QStringLiteral("&Show Status and Progress Bar"));
        } else {
            m_c.status.statusBar()->setVisible(true);
            m_c.status.progressBar()->setVisible(true);
            m_c.status.updateSecurityPicture();
            m_layout.bars().statusHidden = false;
            relayAllTabs(false);
            m_menu.hideStatusBarItem->setText(QStringLiteral("&Hide Status and Progress Bar"));
        }
    });
    trap.step([&] { m_layout.fitTabStripHeight(); });
    m_layout.repaint();
    m_layout.nameExpertModeItem();
}

void DisplayModes::toggleExpertMode()
{
    Trap(m_errors, QStringLiteral(" At MEM")).step([&] {
        const BarVisibility bars = m_layout.bars();
        if (bars.anyShown()) {
            if (!bars.addressHidden)
                toggleAddressBar();
            if (!bars.buttonsHidden)
                toggleButtonBar();
            if (!bars.statusHidden)
                toggleStatusBar();
            m_menu.expertModeItem->setText(QStringLiteral("Leave E&xpert Mode"));
            m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
        } else if (bars.allHidden()) {
            if (m_fullScreen) {
                toggleFullScreen();  // the window comes back as it was, bars and all
                return;
            }
            toggleAddressBar();
            toggleButtonBar();
            toggleStatusBar();
            m_menu.expertModeItem->setText(QStringLiteral("Full Screen Mode (E&xpert Mode)"));
        }
    });
}

void DisplayModes::toggleFullScreen()
{
    Trap(m_errors, QStringLiteral(" At Full Screen")).step([&] {
        if (m_fullScreen) {
            m_fullScreen = false;
            if (m_layout.bars().allHidden())
                toggleExpertMode();
            m_window.setWindowState(m_stateBefore);
            if (!(m_stateBefore & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                m_window.setGeometry(m_geometryBefore);
            return;
        }
        m_geometryBefore = m_window.geometry();
        m_stateBefore = m_window.windowState();
        if (!m_layout.bars().allHidden())
            toggleExpertMode();
        m_fullScreen = true;
        // Without a window manager nothing sizes the window for its state: it is placed
        // first (a placement after would clear the state).
        m_window.setWindowState(m_window.windowState() & ~Qt::WindowMaximized);
        if (QScreen *screen = m_window.screen())
            m_window.setGeometry(screen->geometry());
        m_window.setWindowState(m_window.windowState() | Qt::WindowFullScreen);
    });
}

}  // namespace pelquin
