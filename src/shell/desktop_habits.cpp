// What the main window does as the desktop's browsers do: the shared keys, addresses from
// outside a tab opened in free tabs, and links dropped on a tab.

#include "shell/main_window.h"

#include "core/session.h"
#include "core/typed_address.h"
#include "platform/error_report.h"
#include "shell/find_dialog.h"
#include "shell/free_tabs.h"
#include "shell/keyboard.h"
#include "shell/shortcuts.h"
#include "tabs/browser_pool.h"
#include "tabs/tab_strip.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

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

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(TabStrip::kTabMime)))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    // A tab dropped on the window's free area ends the tab drag, nothing more.
    m_tabStrip->setDragMode(0);
    event->acceptProposedAction();
}

void MainWindow::linkDrop(int tab, const QString &text, bool hasText,
                          Qt::KeyboardModifiers keys)
{
    if (tab < 1 || tab > kTabCount || !hasText)
        return;
    if (cleanAddressText(text).toUpper().contains(QStringLiteral("JAVASCRIPT:")))
        return;
    Trap trap(m_d.errors, QStringLiteral(" At Tse"), {err::ObjectNotSet, 461});
    BrowserControl &browser = m_browsers->at(tab);
    trap.step([&] { browser.navigate(text); });
    trap.step([&] {
        const bool held = m_session.modifierHeld ||
                          (keys & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        if (!held)
            m_tabStrip->select(tab);
    });
    trap.step([&] { browser.blankDocument(); });
}

}  // namespace pelquin
