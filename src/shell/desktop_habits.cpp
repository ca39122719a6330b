#include "shell/desktop_habits.h"

#include "core/session.h"
#include "core/typed_address.h"
#include "platform/error_report.h"
#include "commands/commands.h"
#include "shell/find_dialog.h"
#include "tabs/free_tabs.h"
#include "commands/window_keys.h"
#include "commands/shortcuts.h"
#include "shell/status_area.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QLineEdit>
#include <QUrl>

#include <utility>

namespace pelquin {

DesktopHabits::DesktopHabits(Deps deps, QObject *parent)
    : QObject(parent), m_session(deps.session), m_c(deps.controls), m_commands(deps.commands),
      m_errors(deps.errors),
      m_keyboard(deps.keyboard), m_activated(std::move(deps.activated)), m_window(deps.window)
{
    m_shortcuts = new ShortcutKeys({deps.session, deps.controls.forTabs(), deps.menu, deps.commands,
                                    deps.desktop, deps.keyboard, [this] { showFind(); },
                                    [this](bool backward) { return findAgain(backward); }},
                                   this);
    deps.keyboard.setShortcuts([this](int key, Qt::KeyboardModifiers modifiers) {
        return m_shortcuts->onKeyPress(key, modifiers);
    });
    m_freeTabs = new FreeTabs(deps.session, deps.controls.forTabs(), deps.errors, this);
}

FindDialog *DesktopHabits::findDialog() const { return m_find.data(); }

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

void DesktopHabits::dropLink(BrowserTab &tab, const QString &text, bool hasText,
                             Qt::KeyboardModifiers keys)
{
    if (!hasText)
        return;
    if (cleanAddressText(text).toUpper().contains(QStringLiteral("JAVASCRIPT:")))
        return;
    Trap trap(m_errors, QStringLiteral(" At Tse"), {err::ObjectNotSet, 461});
    BrowserControl &browser = tab.browser();
    trap.step([&] { browser.navigate(text); });
    trap.step([&] {
        const bool held = m_keyboard.modifierHeld() ||
                          (keys & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        if (!held)
            m_c.tabStrip.select(tab.number());
    });
    trap.step([&] { browser.blankDocument(); });
}

int DesktopHabits::freeTabOrSay()
{
    const int tab = m_freeTabs->firstFree();
    if (tab == 0)
        m_c.status.showForAMoment(QStringLiteral("No tab is free: every tab shows a page"));
    return tab;
}

void DesktopHabits::newTab()
{
    const int tab = freeTabOrSay();
    if (tab == 0)
        return;
    m_c.tabStrip.select(tab);
    // In the address box, or in Open Location while the address bar is hidden.
    m_commands.run(Command::OpenLocation, CommandSource::Key);
}

void DesktopHabits::emptySelectedTab()
{
    const int tab = m_c.tabStrip.selected();
    if (m_c.tabs.contains(tab))
        m_freeTabs->empty(m_c.tabs.tab(tab));
}

void DesktopHabits::viewSourceInFreeTab()
{
    const int from = m_c.tabStrip.selected();
    if (!m_c.tabs.contains(from))
        return;
    const QString address = m_c.tabs.tab(from).browser().locationUrl();
    const QUrl url(address);
    if (address.isEmpty() || address == QLatin1String(kBlankPage) ||
        url.scheme() == QStringLiteral("view-source"))
        return;
    const int tab = freeTabOrSay();
    if (tab == 0)
        return;
    Trap(m_errors, QStringLiteral(" At View Source"), {err::EFail}).step([&] {
        m_c.tabs.tab(tab).browser().navigate(QStringLiteral("view-source:") + address);
        m_c.tabStrip.select(tab);
    });
}

}  // namespace pelquin
