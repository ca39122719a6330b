#include "commands/command_table.h"

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
    using S = QStyle;
    // In the speed menu's order; the key-only commands come last.
    return {
        {.command = C::OpenLocation, .menuText = "Ope&n Location",
         .keys = keys({Qt::CTRL | Qt::Key_L, Qt::ALT | Qt::Key_D, QKeyCombination(Qt::Key_F6)}),
         .keyHelp = "Go to the address bar (Open Location)",
         .menuHelp = "go to an address. Puts the keyboard in the address bar or, when the "
                     "address bar is hidden, opens a small box for the address (Enter goes "
                     "there, Escape cancels)."},
        {.command = C::Back, .menuText = "&Back", .button = 1, .buttonText = "Back",
         .buttonPicture = S::SP_ArrowBack, .keys = keys({Qt::ALT | Qt::Key_Left}),
         .keyHelp = "Back", .menuHelp = "the current tab's page before this one."},
        {.command = C::Forward, .menuText = "&Forward", .button = 2, .buttonText = "Forward",
         .buttonPicture = S::SP_ArrowForward, .keys = keys({Qt::ALT | Qt::Key_Right}),
         .keyHelp = "Forward", .menuHelp = "the current tab's page after this one."},
        {.command = C::Stop, .menuText = "&Stop", .separatorBefore = true, .button = 3,
         .buttonText = "Stop", .buttonPicture = S::SP_BrowserStop,
         .keys = keys({QKeyCombination(Qt::Key_Escape)}), .keyHelp = "Stop loading",
         .menuHelp = "stop loading the current page. Sponsor pages cannot be stopped."},
        {.command = C::Refresh, .menuText = "&Refresh", .button = 4, .buttonText = "Refresh",
         .buttonPicture = S::SP_BrowserReload,
         .keys = keys({QKeyCombination(Qt::Key_F5), Qt::CTRL | Qt::Key_R}),
         .keyHelp = "Refresh the page", .menuHelp = "load the current page again."},
        {.command = C::Home, .menuText = "&Home", .button = 5, .buttonText = "Home",
         .buttonPicture = S::SP_DirHomeIcon, .keys = keys({Qt::ALT | Qt::Key_Home}),
         .keyHelp = "Home page of the tab", .menuHelp = "load the current tab's home page."},
        {.command = C::Search, .menuText = "Se&arch", .button = 6, .buttonText = "Search",
         .buttonPicture = S::SP_FileDialogContentsView,
         .menuHelp = "bring the Search tab (tab 2) to the front, on its search page."},
        {.command = C::Favorites, .menuText = "Fa&vorites", .button = 7,
         .buttonText = "Favorites", .buttonPicture = S::SP_DirLinkIcon, .heldBySetup = true,
         .menuHelp = "add the current page to your Favorites, or show all of your Favorites "
                     "as a page in tab 1."},
        {.command = C::History, .menuText = "H&istory", .button = 8, .buttonText = "History",
         .buttonPicture = S::SP_FileDialogDetailedView, .heldBySetup = true,
         .keys = keys({Qt::CTRL | Qt::Key_H}), .keyHelp = "History"},
        {.command = C::Print, .menuText = "&Print", .button = 9, .buttonText = "Print",
         .buttonPicture = S::SP_DialogSaveButton, .heldBySetup = true,
         .keys = keys({Qt::CTRL | Qt::Key_P}), .keyHelp = "Print",
         .menuHelp = "print the current page."},
        {.command = C::Setup, .menuText = "Se&tup", .separatorBefore = true, .button = 10,
         .buttonText = "Setup", .buttonPicture = S::SP_FileDialogInfoView,
         .menuHelp = "open Setup."},
        {.command = C::Goto, .menuText = "&Goto", .button = 11, .buttonText = "Goto Tab",
         .buttonPicture = S::SP_ArrowRight, .heldBySetup = true,
         .menuHelp = "pick a tab from a list of all 30."},
        {.command = C::Help, .menuText = "He&lp", .button = 12, .buttonText = "Help",
         .buttonPicture = S::SP_DialogHelpButton, .heldBySetup = true,
         .keys = keys({QKeyCombination(Qt::Key_F1)}), .keyHelp = "Help",
         .keysSeenByPreview = true, .menuHelp = "show this screen (the F1 key does too)."},
        {.command = C::Downloads, .menuText = "Do&wnloads", .separatorBefore = true,
         .keys = keys({Qt::CTRL | Qt::SHIFT | Qt::Key_Y, Qt::CTRL | Qt::Key_J}),
         .keyHelp = "Downloads",
         .menuHelp = "the files downloaded in this run: progress, cancel, open, and show "
                     "in their folder."},
        {.command = C::InternetOptions, .menuText = "Internet &Options",
         .menuHelp = "see \"Internet Options\"."},
        {.command = C::SavePage, .menuText = "Save Page to &Disk",
         .keys = keys({Qt::CTRL | Qt::Key_S}), .keyHelp = "Save Page to Disk",
         .menuHelp = "see \"Saving a page to Disk\"."},
        {.command = C::WorkOffline, .menuText = "Work Offlin&e",
         .menuHelp = "see \"Work Online / Offline\"."},
        {.command = C::HideButtons, .menuText = "&Hide Buttons", .separatorBefore = true,
         .menuHelp = "hide the button bar; the item then reads \"Show Buttons\"."},
        {.command = C::HideAddressBar, .menuText = "&Hide Address Bar",
         .menuHelp = "hide the address bar; the item then reads \"Show Address Bar\"."},
        {.command = C::HideStatusBar, .menuText = "&Hide Status and Progress Bar",
         .menuHelp = "hide the status bar and the progress bar; the item then reads "
                     "\"Show Status and Progress Bar\"."},
        {.command = C::ExpertMode, .menuText = "Full Screen Mode (E&xpert Mode)",
         .separatorBefore = true, .menuHelp = "see \"Expert Mode\"."},
        {.command = C::SendEmail, .menuText = "Send and re&ceive email",
         .separatorBefore = true, .menuHelp = "see \"Mail Icon\"."},
        // Every other letter of these two names is taken by an item above.
        {.command = C::WallOfTabs, .menuText = "Wall of Tabs (&Mosaic)", .separatorBefore = true,
         .keys = keys({Qt::CTRL | Qt::SHIFT | Qt::Key_A}),
         .keyHelp = "Wall of tabs: every tab at once",
         .menuHelp = "every tab at once, as tiles over the page area; a tile's click, or the "
                     "arrow keys and Enter, selects its tab."},
        {.command = C::NextChangedTab, .menuText = "&Jump to Next Changed Tab",
         .keys = keys({Qt::CTRL | Qt::SHIFT | Qt::Key_M}),
         .keyHelp = "Next tab whose page changed",
         .menuHelp = "select the next tab with an alert of its watch rule, or else the next "
                     "tab whose page changed since you last looked at it; the status bar "
                     "says why."},
        // Every letter of it is taken by an item above: keys and the mouse reach it.
        {.command = C::WhatChanged, .menuText = "What Changed",
         .keys = keys({Qt::CTRL | Qt::SHIFT | Qt::Key_D}),
         .keyHelp = "What changed on this tab's page since you last looked",
         .menuHelp = "the selected tab's watched text as you last saw it and as it is now: "
                     "added words marked, removed words struck through. Left and Right step "
                     "through the kept versions; Escape closes it."},
        {.command = C::WatchSettings, .menuText = "Watch Settings...",
         .menuHelp = "the watch rule of the selected tab's page, kept in Watch.json: the part "
                     "of the page watched, lines and numbers to ignore, alerts when words "
                     "appear or disappear or a number crosses a line, active hours; Stop "
                     "Watching takes it away."},
        {.command = C::ReloadPastCache,
         .keys = keys({Qt::SHIFT | Qt::Key_F5, Qt::CTRL | Qt::SHIFT | Qt::Key_R}),
         .keyHelp = "Load the page again, not from the cache"},
        {.command = C::NextTab,
         .keys = keys({Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown}),
         .keyHelp = "Next tab"},
        {.command = C::PreviousTab,
         .keys = keys({Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp}),
         .keyHelp = "Previous tab"},
        {.command = C::SelectTab, .keys = tabKeys(), .keyHelp = "Tab %1"},
        {.command = C::LastTab, .keys = keys({Qt::CTRL | Qt::Key_9}), .keyHelp = "Last tab"},
        {.command = C::AddFavorite, .heldBySetup = true, .keys = keys({Qt::CTRL | Qt::Key_D}),
         .keyHelp = "Add the page to your Favorites"},
        {.command = C::Find, .keys = keys({Qt::CTRL | Qt::Key_F}),
         .keyHelp = "Find text on the page"},
        {.command = C::FindNext, .keys = keys({QKeyCombination(Qt::Key_F3)}),
         .keyHelp = "Find next"},
        {.command = C::FindPrevious, .keys = keys({Qt::SHIFT | Qt::Key_F3}),
         .keyHelp = "Find previous"},
        {.command = C::ZoomIn, .keys = keys({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}),
         .keyHelp = "Zoom in"},
        {.command = C::ZoomOut, .keys = keys({Qt::CTRL | Qt::Key_Minus}), .keyHelp = "Zoom out"},
        {.command = C::ZoomReset, .keys = keys({Qt::CTRL | Qt::Key_0}),
         .keyHelp = "Zoom back to 100%"},
        {.command = C::NewTab, .keys = keys({Qt::CTRL | Qt::Key_T}),
         .keyHelp = "The first free tab, to type an address"},
        {.command = C::EmptyTab, .keys = keys({Qt::CTRL | Qt::Key_W}),
         .keyHelp = "Empty the tab (its profile stays)"},
        {.command = C::Quit, .keys = keys({Qt::CTRL | Qt::Key_Q}), .keyHelp = "Close Pelquin"},
        {.command = C::FullScreen, .keys = keys({QKeyCombination(Qt::Key_F11)}),
         .keyHelp = "Full screen (expert mode over the whole screen) on and off"},
        {.command = C::ViewSource, .keys = keys({Qt::CTRL | Qt::Key_U}),
         .keyHelp = "The page's source, in the first free tab"},
    };
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
            const QString what = binding.tab > 0 ? row.keyHelp.arg(binding.tab) : row.keyHelp;
            text += QStringLiteral("  %1  %2\n").arg(keys, -16).arg(what);
        }
    }
    text += QStringLiteral("\nCtrl and the mouse wheel zoom too. Escape brings a page shown "
                           "full screen\nback to its tab, and otherwise stops a page only "
                           "while it loads.\n");
    return text;
}

QString withoutAccessMark(const QString &menuText)
{
    QString text = menuText;
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QString speedMenuHelp()
{
    constexpr int kWidth = 90;
    const QString indent(6, QLatin1Char(' '));
    QString text;
    for (const CommandRow &row : commandTable()) {
        if (row.menuText.isEmpty() || row.menuHelp.isEmpty())
            continue;
        QString line = QStringLiteral("  ") + withoutAccessMark(row.menuText) +
                       QStringLiteral(":");
        for (const QString &word : row.menuHelp.split(QLatin1Char(' '))) {
            if (line.size() + 1 + word.size() > kWidth) {
                text += line + QLatin1Char('\n');
                line = indent + word;
            } else {
                line += QLatin1Char(' ') + word;
            }
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

}  // namespace pelquin
