#include "shell/shortcuts.h"

#include "core/session.h"
#include "desktop/desktop_commands.h"
#include "shell/commands.h"
#include "shell/keyboard.h"
#include "shell/speed_menu.h"
#include "tabs/status_area.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QKeyCombination>

#include <array>
#include <cmath>

namespace pelquin {

namespace {

using C = ShortcutCommand;

std::vector<ShortcutEntry> makeTable()
{
    const auto key = [](QKeyCombination keys, C command, int tab = 0) {
        return ShortcutEntry{QKeySequence(keys), Shortcut{command, tab}};
    };
    std::vector<ShortcutEntry> table = {
        key(Qt::Key_F5, C::Refresh),
        key(Qt::CTRL | Qt::Key_R, C::Refresh),
        key(Qt::SHIFT | Qt::Key_F5, C::ReloadPastCache),
        key(Qt::CTRL | Qt::SHIFT | Qt::Key_R, C::ReloadPastCache),
        key(Qt::ALT | Qt::Key_Left, C::Back),
        key(Qt::ALT | Qt::Key_Right, C::Forward),
        key(Qt::ALT | Qt::Key_Home, C::Home),
        key(Qt::Key_Escape, C::Stop),
        key(Qt::CTRL | Qt::Key_L, C::FocusAddress),
        key(Qt::ALT | Qt::Key_D, C::FocusAddress),
        key(Qt::Key_F6, C::FocusAddress),
        key(Qt::CTRL | Qt::Key_Tab, C::NextTab),
        key(Qt::CTRL | Qt::Key_PageDown, C::NextTab),
        key(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, C::PreviousTab),
        key(Qt::CTRL | Qt::Key_PageUp, C::PreviousTab),
    };
    for (int tab = 1; tab <= 8; ++tab)
        table.push_back(key(Qt::CTRL | Qt::Key(Qt::Key_0 + tab), C::SelectTab, tab));
    const ShortcutEntry rest[] = {
        key(Qt::CTRL | Qt::Key_9, C::LastTab),
        key(Qt::CTRL | Qt::Key_P, C::Print),
        key(Qt::CTRL | Qt::Key_S, C::SavePage),
        key(Qt::CTRL | Qt::Key_D, C::AddFavorite),
        key(Qt::CTRL | Qt::Key_H, C::History),
        key(Qt::CTRL | Qt::Key_F, C::Find),
        key(Qt::Key_F3, C::FindNext),
        key(Qt::SHIFT | Qt::Key_F3, C::FindPrevious),
        key(Qt::Key_F11, C::ExpertMode),
        key(Qt::CTRL | Qt::Key_Plus, C::ZoomIn),
        key(Qt::CTRL | Qt::Key_Equal, C::ZoomIn),
        key(Qt::CTRL | Qt::Key_Minus, C::ZoomOut),
        key(Qt::CTRL | Qt::Key_0, C::ZoomReset),
    };
    table.insert(table.end(), std::begin(rest), std::end(rest));
    return table;
}

// What the help says each command does, in the order of the table.
QString describe(const Shortcut &s)
{
    switch (s.command) {
    case C::Refresh: return QStringLiteral("Refresh the page");
    case C::ReloadPastCache: return QStringLiteral("Load the page again, not from the cache");
    case C::Back: return QStringLiteral("Back");
    case C::Forward: return QStringLiteral("Forward");
    case C::Home: return QStringLiteral("Home page of the tab");
    case C::Stop: return QStringLiteral("Stop loading");
    case C::FocusAddress: return QStringLiteral("Go to the address bar (Open Location)");
    case C::NextTab: return QStringLiteral("Next tab");
    case C::PreviousTab: return QStringLiteral("Previous tab");
    case C::SelectTab: return QStringLiteral("Tab %1").arg(s.tab);
    case C::LastTab: return QStringLiteral("Last tab");
    case C::Print: return QStringLiteral("Print");
    case C::SavePage: return QStringLiteral("Save Page to Disk");
    case C::AddFavorite: return QStringLiteral("Add the page to your Favorites");
    case C::History: return QStringLiteral("History");
    case C::Find: return QStringLiteral("Find text on the page");
    case C::FindNext: return QStringLiteral("Find next");
    case C::FindPrevious: return QStringLiteral("Find previous");
    case C::ExpertMode: return QStringLiteral("Full Screen Mode on and off");
    case C::ZoomIn: return QStringLiteral("Zoom in");
    case C::ZoomOut: return QStringLiteral("Zoom out");
    case C::ZoomReset: return QStringLiteral("Zoom back to 100%");
    }
    return {};
}

constexpr std::array<int, 17> kZoomSteps = {25,  33,  50,  67,  75,  80,  90,  100, 110,
                                            125, 150, 175, 200, 250, 300, 400, 500};

}  // namespace

const std::vector<ShortcutEntry> &shortcutTable()
{
    static const std::vector<ShortcutEntry> table = makeTable();
    return table;
}

std::optional<Shortcut> shortcutFor(int qtKey, Qt::KeyboardModifiers modifiers)
{
    Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // Shift+Tab arrives as Backtab; "+" needs Shift on most layouts.
    if (qtKey == Qt::Key_Backtab) {
        qtKey = Qt::Key_Tab;
        held |= Qt::ShiftModifier;
    }
    if (qtKey == Qt::Key_Plus)
        held &= ~Qt::ShiftModifier;
    const QKeySequence pressed(QKeyCombination(held, Qt::Key(qtKey)));
    for (const ShortcutEntry &entry : shortcutTable()) {
        if (entry.keys == pressed)
            return entry.shortcut;
    }
    return std::nullopt;
}

QString shortcutHelp()
{
    QString text = QStringLiteral("\nKeyboard Shortcuts\n==================\n\n"
                                  "These keys work wherever the keyboard is in the main "
                                  "window: in the page,\nin the address bar or on the tabs. "
                                  "Other keys go to the page as usual.\n\n");
    for (const ShortcutEntry &entry : shortcutTable()) {
        const QString keys = entry.keys.toString(QKeySequence::NativeText);
        text += QStringLiteral("  %1  %2\n").arg(keys, -16).arg(describe(entry.shortcut));
    }
    text += QStringLiteral("  %1  %2\n").arg(QStringLiteral("F1"), -16).arg(
        QStringLiteral("Help"));
    text += QStringLiteral("\nCtrl and the mouse wheel zoom too. Escape brings a page shown "
                           "full screen\nback to its tab, and otherwise stops a page only "
                           "while it loads.\n");
    return text;
}

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
    const std::pair<const char *, ShortcutCommand> items[] = {
        {"mnuOpen", C::FocusAddress}, {"mnuBack", C::Back},        {"mnuForward", C::Forward},
        {"mnuStop", C::Stop},         {"mnuRefresh", C::Refresh},  {"mnuhome", C::Home},
        {"mnuHistory", C::History},   {"mnuPrint", C::Print},
        {"mnuSavePagetoDisk", C::SavePage}, {"mnuexpertmode", C::ExpertMode},
    };
    for (const auto &[name, command] : items) {
        QAction *item = m_d.menu.item(QLatin1String(name));
        for (const ShortcutEntry &entry : shortcutTable()) {
            if (item && entry.shortcut.command == command) {
                // Shown in the menu, acting only inside it: the key map runs the keys.
                item->setShortcutContext(Qt::WidgetShortcut);
                item->setShortcut(entry.keys);
                break;
            }
        }
    }
    m_d.menu.helpItem->setShortcutContext(Qt::WidgetShortcut);
    m_d.menu.helpItem->setShortcut(QKeySequence(Qt::Key_F1));
}

int ShortcutKeys::selected() const
{
    const int t = m_d.controls.tabStrip.selected();
    return t >= 1 && t <= kTabCount ? t : 0;
}

bool ShortcutKeys::onKeyPress(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const std::optional<Shortcut> shortcut = shortcutFor(qtKey, modifiers);
    return shortcut && run(*shortcut);
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
    BrowserControl &browser = m_d.controls.browsers.at(t);
    const double factor = direction == 0 ? 1.0 : zoomStep(browser.zoomFactor(), direction);
    browser.setZoomFactor(factor);
    m_d.controls.status.showForAMoment(
        QStringLiteral("Zoom %1%").arg(std::lround(browser.zoomFactor() * 100.0)));
}

bool ShortcutKeys::run(const Shortcut &shortcut)
{
    const auto button = [this](const char *name) {
        // The buttons' dispatch copies their state to the menu items first, as the menu's
        // preparation does.
        m_d.keyboard.prepareSpeedMenu();
        m_d.commands.onButtonClicked(QLatin1String(name));
        return true;
    };
    const auto item = [this](const char *name) {
        m_d.menu.item(QLatin1String(name))->trigger();
        return true;
    };
    switch (shortcut.command) {
    case C::Refresh: return button("Refresh");
    case C::ReloadPastCache:
        m_d.commands.navigation().refreshPastCache();
        return true;
    case C::Back: return button("Back");
    case C::Forward: return button("Forward");
    case C::Home: return button("Home");
    case C::Stop:
        // A page shown full screen comes back before anything stops.
        if (selected() != 0 && m_d.controls.browsers.at(selected()).fullScreen()) {
            m_d.controls.browsers.at(selected()).exitFullScreen();
            return true;
        }
        // Escape closes and cancels on pages and in the address box: taken only while the
        // tab loads.
        if (selected() == 0 || !m_d.controls.browsers.at(selected()).busy())
            return false;
        return button("Stop");
    case C::FocusAddress: return item("mnuOpen");
    case C::NextTab: return selectRelative(1);
    case C::PreviousTab: return selectRelative(-1);
    case C::SelectTab:
        if (shortcut.tab > m_d.controls.tabStrip.count())
            return false;
        m_d.controls.tabStrip.select(shortcut.tab);
        return true;
    case C::LastTab:
        if (m_d.controls.tabStrip.count() < 1)
            return false;
        m_d.controls.tabStrip.select(m_d.controls.tabStrip.count());
        return true;
    case C::Print: return button("Print");
    case C::SavePage: return item("mnuSavePagetoDisk");
    case C::AddFavorite:
        // Held back while Setup is open, as the Favorites button is.
        if (!m_d.session.setupOpen)
            m_d.desktop.addFavoriteOfSelectedTab();
        return true;
    case C::History: return button("History");
    case C::Find:
        m_d.showFind();
        return true;
    case C::FindNext:
    case C::FindPrevious:
        if (!m_d.findAgain(shortcut.command == C::FindPrevious))
            m_d.showFind();
        return true;
    case C::ExpertMode: return item("mnuexpertmode");
    case C::ZoomIn: zoom(1); return true;
    case C::ZoomOut: zoom(-1); return true;
    case C::ZoomReset: zoom(0); return true;
    }
    return false;
}

}  // namespace pelquin
