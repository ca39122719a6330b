// The window's life: loading the profile, the first activation that starts the pages, and
// the questions and savings of closing.

#include "shell/main_window.h"

#include "core/session.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/startup_trace.h"
#include "setup/startup_profile.h"
#include "shell/desktop_habits.h"
#include "shell/display_modes.h"
#include "desktop/downloads_control.h"
#include "core/history_saver.h"
#include "commands/window_keys.h"
#include "shell/main_window_control.h"
#include "commands/speed_menu.h"
#include "shell/window_layout.h"
#include "shell/window_store.h"
#include "shell/button_bar.h"
#include "tabs/staged_loading.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QTimer>

namespace pelquin {

void MainWindow::startUp()
{
    Trap trap(m_d.errors, QStringLiteral(" At Form Load"));
    trap.step([&] {
        m_keyboard->forgetModifiers();
        m_layout->bars() = BarVisibility{};
        m_tabs->tab(1).addressBox().setVisible(true);
    });
    trap.step([&] {
        // This desktop keeps no History folder of its own: History stays a key and a page.
        m_menu->favoritesItem->setVisible(true);
        m_buttons->setVisibleAt(7, true);
        m_menu->historyItem->setVisible(false);
        m_buttons->setVisibleAt(8, false);
    });
    trap.step([&] {
        setWindowTitle(m_d.privateRun ? QStringLiteral("Pelquin 2000 Browser (private)")
                                      : QStringLiteral("Pelquin 2000 Browser"));
    });
    trap.step([&] {
        m_store->loadHistory();
        m_historySaver->watch(*m_session.history.model());
    });
    trap.step([&] {
        StartupProfile setup(m_session, m_d.sponsor, m_d.settings, m_d.errors);
        m_store->setRestored(setup.run(m_d.profileName, *this, *m_control));
    });
    m_timers->startRefresh();
    m_loaded = true;
}

bool MainWindow::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && m_loaded)
        activate();
    if (event->type() == QEvent::WinIdChange) {
        // The engine's first view re-creates the window; without a window manager the new
        // one would cover a dialog that is already open.
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this)
            QTimer::singleShot(0, modal, [modal] { modal->raise(); });
    }
    return result;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_shown = true;
    // Without a window manager no activation ever arrives: activate once the window shows.
    QTimer::singleShot(0, this, [this] {
        if (m_loaded && !m_activated && !m_inFirstActivation)
            activate();
    });
}

void MainWindow::activate()
{
    if (!m_activated && !m_inFirstActivation) {
        m_inFirstActivation = true;
        traceStartup("first activation");
        firstActivation();
        m_inFirstActivation = false;
        if (!m_activated)
            return;  // an error ended the activation
        m_habits->openPendingAddresses();
    }
    // The pages are asked for at once: letting the window's first paint run before them
    // only made every first page wait for it.
    traceStartup("staged loading");
    m_staged->startNextTabs();
    traceStartup("every first page asked for");
}

void MainWindow::firstActivation()
{
    m_store->fitOuterSize();
    Trap trap(m_d.errors, QStringLiteral(" At Form Activate"));
    trap.step([&] {
        const int toolbar = m_d.settings.number(setting::Toolbar);
        const int address = m_d.settings.number(setting::Address);
        const int status = m_d.settings.number(setting::Status);
        if (toolbar == 1)
            m_modes->toggleButtonBar();
        if (address == 1)
            m_modes->toggleAddressBar();
        if (status == 1)
            m_modes->toggleStatusBar();
    });
    trap.step([&] { m_tabStrip->select(1); });
    trap.step([&] { m_tabs->tab(1).addressBox().raise(); });
    trap.step([&] {
        // The refresh runs again after the start-up help as after any other.
        if (m_session.notice.showHelpAtStart == 1)
            showHelpScreen();
    });
    trap.step([&] { m_activated = true; });
}

void MainWindow::closeFor(CloseReason reason)
{
    m_closeReason = reason;
    close();
    m_closeReason = CloseReason::User;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!mayClose(m_closeReason)) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
    emit closed();
}

bool MainWindow::mayClose(CloseReason reason)
{
    if (m_unloadAccepted)
        return true;
    if (reason == CloseReason::SessionEnd || reason == CloseReason::Terminated) {
        // The history is kept also when the session ends or the program is terminated.
        m_downloads->closing(false);
        m_unloadAccepted = true;
        m_store->saveHistory();
        return true;
    }
    if (m_timers->pauses().has(RefreshPause::Setup)) {
        m_d.prompts.message(QStringLiteral("Close Setup"),
                            QStringLiteral("Close Setup Window First"));
        return false;
    }
    if (!m_downloads->closing(true))
        return false;
    m_store->saveHistory();
    m_unloadAccepted = true;
    return true;
}

void MainWindow::shutDown()
{
    if (!m_shown)
        return;  // ended during start-up: the stored placement is still the right one
    // The window is kept as it was before F11 filled the screen.
    if (m_modes->fullScreen())
        m_modes->toggleFullScreen();
    m_store->savePlacement();
}

}  // namespace pelquin
