#pragma once

#include "app/remote_command.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace pelquin {

// What the program's arguments ask for.
struct CommandLine {
    bool help = false;
    bool version = false;
    // The profile as StartupProfile takes it, relative to the application folder; empty for
    // Setup.set.
    QString profile;
    // Addresses to open in free tabs, as given; local pages made absolute.
    QStringList addresses;
    // Addresses of a scheme that is never opened from outside (javascript:, data:, ...).
    QStringList refused;
    // --private: a run that keeps nothing (history, cookies, cache, placement).
    bool privateRun = false;
    // --rotate=SECONDS: show each tab with a page in turn; 0 when not given.
    int rotateSeconds = 0;
    // A command for the program already running (--status, --tab, ...); nothing else
    // starts then.
    std::optional<RemoteCommand> remote;
    // Set when an argument is neither a profile nor an address, or an unknown option.
    QString error;
};

// Sorts the arguments (without the program name) into options, addresses and the profile
// name. An argument is an address when it has a scheme, is an existing .htm or .html file
// (relative to `workingFolder`), or is not a profile file in `appFolder` and looks like a
// host name. What is left is the profile name, its words joined by blanks as before, unless
// no such profile exists and the words are no address: they are then searched for.
CommandLine classifyArguments(const QStringList &arguments, const QString &appFolder,
                              const QString &workingFolder);


QString usageText();
QString versionText();

}  // namespace pelquin
