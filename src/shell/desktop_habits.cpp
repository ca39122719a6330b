// What the main window does as the desktop's browsers do: the shared keys, and addresses
// from outside a tab opened in free tabs.

#include "shell/main_window.h"

#include "core/session.h"
#include "shell/find_dialog.h"
#include "shell/free_tabs.h"
#include "shell/keyboard.h"
#include "shell/shortcuts.h"

#include <QLineEdit>

#include <utility>

namespace pelquin {

void MainWindow::attachDesktopHabits()
{
    const auto findAgain = [this](bool backward) {
        if (!m_find || m_find->text()->text().isEmpty())
            return false;
        m_find->findNext(backward);
        return true;
    };
    m_shortcuts = new ShortcutKeys({m_session, controls(), *m_menu, *m_commands, *m_desktop,
                                    *m_keyboard, [this] { showFind(); }, findAgain},
                                   this);
    m_keyboard->setShortcuts([this](int key, Qt::KeyboardModifiers modifiers) {
        return m_shortcuts->onKeyPress(key, modifiers);
    });
    m_freeTabs = new FreeTabs(m_session, controls(), m_d.errors, this);
}

void MainWindow::openAddresses(const QStringList &addresses)
{
    // During start-up they wait for the first activation, which selects tab 1.
    if (!m_session.activated) {
        m_pendingAddresses += addresses;
        return;
    }
    m_freeTabs->openFromOutside(addresses);
}

void MainWindow::openPendingAddresses()
{
    const QStringList addresses = std::exchange(m_pendingAddresses, {});
    if (!addresses.isEmpty() && m_session.activated)
        m_freeTabs->openFromOutside(addresses);
}

void MainWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

}  // namespace pelquin
