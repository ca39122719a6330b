#include "shell/desktop_habits.h"

#include "core/session.h"
#include "core/typed_address.h"
#include "platform/error_report.h"
#include "shell/find_dialog.h"
#include "shell/free_tabs.h"
#include "shell/keyboard.h"
#include "shell/shortcuts.h"
#include "tabs/tab_strip.h"

#include <QLineEdit>

#include <utility>

namespace pelquin {

DesktopHabits::DesktopHabits(Deps deps, QObject *parent)
    : QObject(parent), m_session(deps.session), m_c(deps.controls), m_errors(deps.errors),
      m_keyboard(deps.keyboard), m_activated(std::move(deps.activated)), m_window(deps.window)
{
    m_shortcuts = new ShortcutKeys({deps.session, deps.controls, deps.menu, deps.commands,
                                    deps.desktop, deps.keyboard, [this] { showFind(); },
                                    [this](bool backward) { return findAgain(backward); }},
                                   this);
    deps.keyboard.setShortcuts([this](int key, Qt::KeyboardModifiers modifiers) {
        return m_shortcuts->onKeyPress(key, modifiers);
    });
    m_freeTabs = new FreeTabs(deps.session, deps.controls, deps.errors, this);
}

void DesktopHabits::showFind()
{
    if (!m_find) {
        m_find = new FindDialog(
            [this]() -> BrowserControl * {
                const int t = m_c.tabStrip.selected();
                return m_c.tabs.contains(t) ? &m_c.tabs.tab(t).browser() : nullptr;
            },
            &m_window);
    }
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
    m_find->text()->setFocus();
    m_find->text()->selectAll();
}

bool DesktopHabits::findAgain(bool backward)
{
    if (!m_find || m_find->text()->text().isEmpty())
        return false;
    m_find->findNext(backward);
    return true;
}

void DesktopHabits::openAddresses(const QStringList &addresses)
{
    // During start-up they wait for the first activation, which selects tab 1.
    if (!m_activated()) {
        m_pendingAddresses += addresses;
        return;
    }
    m_freeTabs->openFromOutside(addresses);
}

void DesktopHabits::openPendingAddresses()
{
    const QStringList addresses = std::exchange(m_pendingAddresses, {});
    if (!addresses.isEmpty() && m_activated())
        m_freeTabs->openFromOutside(addresses);
}

void DesktopHabits::dropLink(int tab, const QString &text, bool hasText,
                             Qt::KeyboardModifiers keys)
{
    if (!m_c.tabs.contains(tab) || !hasText)
        return;
    if (cleanAddressText(text).toUpper().contains(QStringLiteral("JAVASCRIPT:")))
        return;
    Trap trap(m_errors, QStringLiteral(" At Tse"), {err::ObjectNotSet, 461});
    BrowserControl &browser = m_c.tabs.tab(tab).browser();
    trap.step([&] { browser.navigate(text); });
    trap.step([&] {
        const bool held = m_keyboard.modifierHeld() ||
                          (keys & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        if (!held)
            m_c.tabStrip.select(tab);
    });
    trap.step([&] { browser.blankDocument(); });
}

}  // namespace pelquin
