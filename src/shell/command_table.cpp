#include "shell/command_table.h"

#include <QKeyCombination>

#include <stdexcept>

namespace pelquin {

namespace {

using C = Command;

std::vector<KeyBinding> keys(std::initializer_list<QKeyCombination> combinations)
{
    std::vector<KeyBinding> out;
    for (const QKeyCombination &combination : combinations)
        out.push_back(KeyBinding{QKeySequence(combination), 0});
    return out;
}

std::vector<KeyBinding> tabKeys()
{
    std::vector<KeyBinding> out;
    for (int tab = 1; tab <= 8; ++tab)
        out.push_back(KeyBinding{QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + tab)), tab});
    // Alt+1 to Alt+9 and Alt+0 for tab 10, as other browsers on this desktop have them.
    for (int tab = 1; tab <= 10; ++tab)
        out.push_back(KeyBinding{QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + tab % 10)), tab});
    return out;
}

std::vector<CommandRow> makeTable()
{
    const QString none;
    // command, menu text, separator before, button, held by Setup, keys, help
    std::vector<CommandRow> table = {
        {C::OpenLocation, "Ope&n Location", false, 0, false,
         keys({Qt::CTRL | Qt::Key_L, Qt::ALT | Qt::Key_D, QKeyCombination(Qt::Key_F6)}),
         "Go to the address bar (Open Location)"},
        {C::Back, "&Back", false, 1, false, keys({Qt::ALT | Qt::Key_Left}), "Back"},
        {C::Forward, "&Forward", false, 2, false, keys({Qt::ALT | Qt::Key_Right}), "Forward"},
        {C::Stop, "&Stop", true, 3, false, keys({QKeyCombination(Qt::Key_Escape)}),
         "Stop loading"},
        {C::Refresh, "&Refresh", false, 4, false,
         keys({QKeyCombination(Qt::Key_F5), Qt::CTRL | Qt::Key_R}), "Refresh the page"},
        {C::Home, "&Home", false, 5, false, keys({Qt::ALT | Qt::Key_Home}),
         "Home page of the tab"},
        {C::Search, "Se&arch", false, 6, false, {}, none},
        {C::Favorites, "Fa&vorites", false, 7, true, {}, none},
        {C::History, "H&istory", false, 8, true, keys({Qt::CTRL | Qt::Key_H}), "History"},
        {C::Print, "&Print", false, 9, true, keys({Qt::CTRL | Qt::Key_P}), "Print"},
        {C::Setup, "Se&tup", true, 10, false, {}, none},
        {C::Goto, "&Goto", false, 11, true, {}, none},
        {C::Help, "He&lp", false, 12, true, keys({QKeyCombination(Qt::Key_F1)}), "Help", true},
        {C::Downloads, "Do&wnloads", true, 0, false,
         keys({Qt::CTRL | Qt::SHIFT | Qt::Key_Y, Qt::CTRL | Qt::Key_J}), "Downloads"},
        {C::InternetOptions, "Internet &Options", false, 0, false, {}, none},
        {C::SavePage, "Save Page to &Disk", false, 0, false, keys({Qt::CTRL | Qt::Key_S}),
         "Save Page to Disk"},
        {C::WorkOffline, "Work Offlin&e", false, 0, false, {}, none},
        {C::HideButtons, "&Hide Buttons", true, 0, false, {}, none},
        {C::HideAddressBar, "&Hide Address Bar", false, 0, false, {}, none},
        {C::HideStatusBar, "&Hide Status and Progress Bar", false, 0, false, {}, none},
        {C::ExpertMode, "Full Screen Mode (E&xpert Mode)", true, 0, false, {}, none},
        {C::SendEmail, "Send and re&ceive email", true, 0, false, {}, none},
        {C::WallOfTabs, "&Wall of Tabs", true, 0, false,
         keys({Qt::CTRL | Qt::SHIFT | Qt::Key_A}), "Wall of tabs: every tab at once"},
        {C::NextChangedTab, "Next &Changed Tab", false, 0, false,
         keys({Qt::CTRL | Qt::SHIFT | Qt::Key_M}), "Next tab whose page changed"},
        {C::ReloadPastCache, none, false, 0, false,
         keys({Qt::SHIFT | Qt::Key_F5, Qt::CTRL | Qt::SHIFT | Qt::Key_R}),
         "Load the page again, not from the cache"},
        {C::NextTab, none, false, 0, false,
         keys({Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown}), "Next tab"},
        {C::PreviousTab, none, false, 0, false,
         keys({Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp}),
         "Previous tab"},
        {C::SelectTab, none, false, 0, false, tabKeys(), "Tab %1"},
        {C::LastTab, none, false, 0, false, keys({Qt::CTRL | Qt::Key_9}), "Last tab"},
        {C::AddFavorite, none, false, 0, true, keys({Qt::CTRL | Qt::Key_D}),
         "Add the page to your Favorites"},
        {C::Find, none, false, 0, false, keys({Qt::CTRL | Qt::Key_F}), "Find text on the page"},
        {C::FindNext, none, false, 0, false, keys({QKeyCombination(Qt::Key_F3)}), "Find next"},
        {C::FindPrevious, none, false, 0, false, keys({Qt::SHIFT | Qt::Key_F3}),
         "Find previous"},
        {C::ZoomIn, none, false, 0, false,
         keys({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}), "Zoom in"},
        {C::ZoomOut, none, false, 0, false, keys({Qt::CTRL | Qt::Key_Minus}), "Zoom out"},
        {C::ZoomReset, none, false, 0, false, keys({Qt::CTRL | Qt::Key_0}), "Zoom back to 100%"},
        {C::NewTab, none, false, 0, false, keys({Qt::CTRL | Qt::Key_T}),
         "The first free tab, to type an address"},
        {C::EmptyTab, none, false, 0, false, keys({Qt::CTRL | Qt::Key_W}),
         "Empty the tab (its profile stays)"},
        {C::Quit, none, false, 0, false, keys({Qt::CTRL | Qt::Key_Q}), "Close Pelquin"},
        {C::FullScreen, none, false, 0, false, keys({QKeyCombination(Qt::Key_F11)}),
         "Full screen (expert mode over the whole screen) on and off"},
        {C::ViewSource, none, false, 0, false, keys({Qt::CTRL | Qt::Key_U}),
         "The page's source, in the first free tab"},
    };
    return table;
}

}  // namespace

const std::vector<CommandRow> &commandTable()
{
    static const std::vector<CommandRow> table = makeTable();
    return table;
}

const CommandRow &commandRow(Command command)
{
    for (const CommandRow &row : commandTable()) {
        if (row.command == command)
            return row;
    }
    throw std::logic_error("a command without a row in the command table");
}

std::optional<Command> commandOfButton(int index)
{
    for (const CommandRow &row : commandTable()) {
        if (index > 0 && row.button == index)
            return row.command;
    }
    return std::nullopt;
}

std::optional<CommandCall> commandForKey(int qtKey, Qt::KeyboardModifiers modifiers)
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
    for (const CommandRow &row : commandTable()) {
        if (row.keysSeenByPreview)
            continue;
        for (const KeyBinding &binding : row.keys) {
            if (binding.keys == pressed)
                return CommandCall{row.command, binding.tab};
        }
    }
    return std::nullopt;
}

QString keyHelp()
{
    QString text = QStringLiteral("\nKeyboard Shortcuts\n==================\n\n"
                                  "These keys work wherever the keyboard is in the main "
                                  "window: in the page,\nin the address bar or on the tabs. "
                                  "Other keys go to the page as usual.\n\n");
    for (const CommandRow &row : commandTable()) {
        for (const KeyBinding &binding : row.keys) {
            const QString keys = binding.keys.toString(QKeySequence::NativeText);
            const QString what = binding.tab > 0 ? row.help.arg(binding.tab) : row.help;
            text += QStringLiteral("  %1  %2\n").arg(keys, -16).arg(what);
        }
    }
    text += QStringLiteral("\nCtrl and the mouse wheel zoom too. Escape brings a page shown "
                           "full screen\nback to its tab, and otherwise stops a page only "
                           "while it loads.\n");
    return text;
}

}  // namespace pelquin
