#include "shell/display_modes.h"

#include "tabs/address_bar.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "shell/speed_menu.h"
#include "shell/window_layout.h"
#include "tabs/button_bar.h"
#include "tabs/status_area.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

namespace pelquin {

namespace {
const QString kShown = QStringLiteral("0");
const QString kHidden = QStringLiteral("1");
}  // namespace

DisplayModes::DisplayModes(QWidget &window, Session &session, TabControls controls,
                           SpeedMenu &menu, WindowLayout &layout, ErrorReporter &errors)
    : m_window(window), m_session(session), m_c(controls), m_menu(menu), m_layout(layout),
      m_errors(errors)
{
}

void DisplayModes::relayAllTabs(bool positions)
{
    for (int i = 1; i <= kTabCount; ++i) {
        if (positions)
            m_layout.fixpositions(i);
        m_layout.fixwebheight(i);
    }
}

void DisplayModes::toggleButtonBar()
{
    Trap trap(m_errors, QStringLiteral(" At MHB"));
    trap.step([&] {
        if (!m_c.buttons.isHidden()) {
            m_c.buttons.setVisible(false);
            m_menu.hideButtonsItem->setText(QStringLiteral("&Show Buttons"));
            SpeedMenu::setTag(m_menu.hideButtonsItem, kHidden);
            relayAllTabs(true);
        } else {
            SpeedMenu::setTag(m_menu.hideButtonsItem, kShown);
            m_c.buttons.setVisible(true);
            m_menu.hideButtonsItem->setText(QStringLiteral("&Hide Buttons"));
            relayAllTabs(true);
        }
    });
    m_layout.repaint();
    m_layout.checkmode();
}

void DisplayModes::toggleAddressBar()
{
    Trap trap(m_errors, QStringLiteral(" At MHAB"));
    const int sel = qMax(1, m_c.tabStrip.selected());
    trap.step([&] {
        if (!m_c.addressBar.combo(sel)->isHidden()) {
            SpeedMenu::setTag(m_menu.hideAddressBarItem, kHidden);
            for (int i = 1; i <= kTabCount; ++i) {
                m_c.addressBar.combo(i)->setVisible(false);
                m_layout.fixpositions(i);
                m_layout.fixwebheight(i);
            }
            m_menu.hideAddressBarItem->setText(QStringLiteral("&Show Address Bar"));
        } else {
            SpeedMenu::setTag(m_menu.hideAddressBarItem, kShown);
            relayAllTabs(true);
            m_menu.hideAddressBarItem->setText(QStringLiteral("&Hide Address Bar"));
            m_c.addressBar.combo(sel)->setVisible(true);
            m_c.addressBar.combo(sel)->raise();
        }
    });
    trap.step([&] { m_layout.fitTabStripHeight(); });
    m_layout.repaint();
    m_layout.checkmode();
}

void DisplayModes::toggleStatusBar()
{
    Trap trap(m_errors, QStringLiteral(" At MHSB"));
    trap.step([&] {
        if (!m_c.status.statusBar()->isHidden()) {
            m_c.status.statusBar()->setVisible(false);
            SpeedMenu::setTag(m_menu.hideStatusBarItem, kHidden);
            m_c.status.padlock()->setVisible(false);
            m_c.status.progressBar()->setVisible(false);
            relayAllTabs(false);
            m_menu.hideStatusBarItem->setText(QStringLiteral("&Show Status and Progress Bar"));
        } else {
            m_c.status.statusBar()->setVisible(true);
            m_c.status.progressBar()->setVisible(true);
            m_c.status.updateSecurityPicture();
            SpeedMenu::setTag(m_menu.hideStatusBarItem, kShown);
            relayAllTabs(false);
            m_menu.hideStatusBarItem->setText(QStringLiteral("&Hide Status and Progress Bar"));
        }
    });
    trap.step([&] { m_layout.fitTabStripHeight(); });
    m_layout.repaint();
    m_layout.checkmode();
}

void DisplayModes::toggleExpertMode()
{
    Trap(m_errors, QStringLiteral(" At MEM")).step([&] {
        const BarTags tags = m_layout.tags();
        if (tags.anyShown()) {
            if (SpeedMenu::tag(m_menu.hideAddressBarItem) == kShown)
                toggleAddressBar();
            if (SpeedMenu::tag(m_menu.hideButtonsItem) == kShown)
                toggleButtonBar();
            if (SpeedMenu::tag(m_menu.hideStatusBarItem) == kShown)
                toggleStatusBar();
            m_menu.expertModeItem->setText(QStringLiteral("Leave E&xpert Mode"));
            m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
        } else if (tags.allHidden()) {
            toggleAddressBar();
            toggleButtonBar();
            toggleStatusBar();
            m_menu.expertModeItem->setText(QStringLiteral("Full Screen Mode (E&xpert Mode)"));
        }
    });
}

}  // namespace pelquin
