#include "commands/shortcuts.h"

#include "core/session.h"
#include "desktop/desktop_commands.h"
#include "commands/commands.h"
#include "commands/window_keys.h"
#include "commands/speed_menu.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QKeyCombination>

#include <array>
#include <cmath>

namespace pelquin {

namespace {

using C = Command;

constexpr std::array<int, 17> kZoomSteps = {25,  33,  50,  67,  75,  80,  90,  100, 110,
                                            125, 150, 175, 200, 250, 300, 400, 500};

}  // namespace

double zoomStep(double factor, int direction)
{
    const double percent = factor * 100.0;
    if (direction > 0) {
        for (const int step : kZoomSteps) {
            if (step > percent + 0.5)
                return step / 100.0;
        }
        return kZoomSteps.back() / 100.0;
    }
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < percent - 0.5)
            return *it / 100.0;
    }
    return kZoomSteps.front() / 100.0;
}

ShortcutKeys::ShortcutKeys(Deps deps, QObject *parent) : QObject(parent), m_d(std::move(deps))
{
    showShortcutsInMenu();
}

void ShortcutKeys::showShortcutsInMenu()
{
    for (const CommandRow &row : commandTable()) {
        QAction *item = m_d.menu.item(row.command);
        if (!item || row.keys.empty())
            continue;
        // Shown in the menu, acting only inside it: the key map runs the keys.
        item->setShortcutContext(Qt::WidgetShortcut);
        item->setShortcut(row.keys.front().keys);
    }
}

int ShortcutKeys::selected() const
{
    const int t = m_d.controls.tabStrip.selected();
    return m_d.controls.tabs.contains(t) ? t : 0;
}

bool ShortcutKeys::onKeyPress(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const std::optional<CommandCall> call = commandForKey(qtKey, modifiers);
    return call && run(*call);
}

bool ShortcutKeys::selectRelative(int step)
{
    const int count = m_d.controls.tabStrip.count();
    if (count < 1)
        return false;
    const int from = selected() == 0 ? 1 : selected();
    m_d.controls.tabStrip.select((from - 1 + step + count) % count + 1);
    return true;
}

void ShortcutKeys::zoom(int direction)
{
    const int t = selected();
    if (t == 0)
        return;
    BrowserControl &browser = m_d.controls.tabs.tab(t).browser();
    const double factor = direction == 0 ? 1.0 : zoomStep(browser.zoomFactor(), direction);
    browser.setZoomFactor(factor);
    m_d.controls.status.showForAMoment(
        QStringLiteral("Zoom %1%").arg(std::lround(browser.zoomFactor() * 100.0)));
}

bool ShortcutKeys::restoreAddress()
{
    const int t = selected();
    if (t == 0)
        return false;
    BrowserTab &tab = m_d.controls.tabs.tab(t);
    QWidget *focus = QApplication::focusWidget();
    if (!focus || (focus != &tab.addressBox() && focus->parentWidget() != &tab.addressBox()))
        return false;
    const QString shown = tab.state().emptied ? QString() : tab.state().currentUrl;
    if (tab.address() == shown)
        return false;
    tab.setAddress(shown);
    if (QLineEdit *edit = tab.addressBox().lineEdit())
        edit->selectAll();
    return true;
}

bool ShortcutKeys::run(const CommandCall &call)
{
    switch (call.command) {
    case C::ReloadPastCache:
        m_d.commands.navigation().refreshPastCache();
        return true;
    case C::Stop:
        // A page shown full screen comes back before anything stops.
        if (selected() != 0 && m_d.controls.tabs.tab(selected()).browser().fullScreen()) {
            m_d.controls.tabs.tab(selected()).browser().exitFullScreen();
            return true;
        }
        if (restoreAddress())
            return true;
        // Escape closes and cancels on pages and in the address box: taken only while the
        // tab loads.
        if (selected() == 0 || !m_d.controls.tabs.tab(selected()).browser().busy())
            return false;
        break;
    case C::Help:
        return false;  // the key preview shows the help
    case C::NextTab: return selectRelative(1);
    case C::PreviousTab: return selectRelative(-1);
    case C::SelectTab:
        if (call.tab > m_d.controls.tabStrip.count())
            return false;
        m_d.controls.tabStrip.select(call.tab);
        return true;
    case C::LastTab:
        if (m_d.controls.tabStrip.count() < 1)
            return false;
        m_d.controls.tabStrip.select(m_d.controls.tabStrip.count());
        return true;
    case C::AddFavorite:
        // Held back while Setup is open, as the Favorites button is.
        if (!m_d.commands.setupOpen())
            m_d.desktop.addFavoriteOfSelectedTab();
        return true;
    case C::Find:
        m_d.showFind();
        return true;
    case C::FindNext:
    case C::FindPrevious:
        if (!m_d.findAgain(call.command == C::FindPrevious))
            m_d.showFind();
        return true;
    case C::ZoomIn: zoom(1); return true;
    case C::ZoomOut: zoom(-1); return true;
    case C::ZoomReset: zoom(0); return true;
    // Every other command runs as its menu item or its bound handler does.
    case C::OpenLocation: case C::Back: case C::Forward: case C::Refresh: case C::Home:
    case C::Search: case C::Favorites: case C::History: case C::Print: case C::Setup:
    case C::Goto: case C::Downloads: case C::InternetOptions: case C::SavePage:
    case C::WorkOffline: case C::HideButtons: case C::HideAddressBar: case C::HideStatusBar:
    case C::ExpertMode: case C::SendEmail: case C::WallOfTabs: case C::NextChangedTab:
    case C::WhatChanged: case C::WatchSettings:
    case C::NewTab: case C::EmptyTab: case C::Quit: case C::ViewSource: case C::FullScreen:
        break;
    case C::Count:
        return false;
    }
    return m_d.commands.run(call.command, CommandSource::Key);
}

}  // namespace pelquin
