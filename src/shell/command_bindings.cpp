#include "shell/command_bindings.h"

#include "desktop/desktop_commands.h"
#include "commands/commands.h"
#include "shell/desktop_habits.h"
#include "shell/display_modes.h"
#include "desktop/downloads_control.h"
#include "shell/main_window.h"
#include "watch/tab_watching.h"
#include "watch/tab_wall.h"

#include <functional>
#include <utility>

namespace pelquin {

void bindWindowCommands(Commands &commands, MainWindow &window)
{
    DesktopCommands &desktop = window.desktop();
    DisplayModes &modes = window.displayModes();
    const std::pair<Command, std::function<void()>> handlers[] = {
        {Command::Favorites, [&desktop] { desktop.showFavorites(); }},
        {Command::History, [&desktop] { desktop.showHistory(); }},
        {Command::SendEmail, [&desktop] { desktop.sendEmail(); }},
        {Command::InternetOptions, [&desktop] { desktop.showInternetOptions(); }},
        {Command::WorkOffline, [&desktop] { desktop.toggleOffline(); }},
        {Command::SavePage, [&desktop] { desktop.savePageToDisk(); }},
        {Command::HideButtons, [&modes] { modes.toggleButtonBar(); }},
        {Command::HideAddressBar, [&modes] { modes.toggleAddressBar(); }},
        {Command::HideStatusBar, [&modes] { modes.toggleStatusBar(); }},
        {Command::ExpertMode, [&modes] { modes.toggleExpertMode(); }},
        {Command::FullScreen, [&modes] { modes.toggleFullScreen(); }},
        {Command::Help, [&window] { window.showHelp(); }},
        {Command::Setup, [&window] { window.openSetup(); }},
        {Command::Downloads, [&window] { window.downloads().showWindow(); }},
        {Command::WallOfTabs, [&window] { window.watching().wall().toggle(); }},
        {Command::NextChangedTab, [&window] { window.watching().goToNextChangedTab(); }},
        {Command::WhatChanged, [&window] { window.watching().toggleWhatChanged(); }},
        {Command::WatchSettings, [&window] { window.watching().editWatchSettings(); }},
        {Command::NewTab, [&window] { window.habits().newTab(); }},
        {Command::EmptyTab, [&window] { window.habits().emptySelectedTab(); }},
        {Command::ViewSource, [&window] { window.habits().viewSourceInFreeTab(); }},
        // Exactly as closing the window: its questions (Setup open, downloads) come first.
        {Command::Quit, [&window] { window.close(); }},
    };
    for (const auto &[command, handler] : handlers)
        commands.bind(command, handler);
}

}  // namespace pelquin
