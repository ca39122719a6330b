#pragma once

#include <QString>
#include <QStringList>

namespace pelquin {

// What a later start asks the running program of the same application folder to do.
struct RemoteCommand {
    enum class Kind { Status, LoadTab, Select, Refresh, Show, Picture };
    static constexpr int kMaxShowSeconds = 3600;

    Kind kind = Kind::Status;
    int tab = 0;       // from 1 to 30; 0 for --refresh all
    QString address;   // --tab and --show: a local page made absolute
    int seconds = 0;   // --show ... --for
    QString file;      // --picture: an absolute path
    QString error;     // set when the arguments ask for nothing the program does

    // The command as its arguments, every path absolute: what is sent and read back.
    QStringList words() const;
};

// Whether the argument is one of the options that drive a running program.
bool isRemoteOption(const QString &argument);

// Reads `--status`, `--tab N ADDRESS`, `--select N`, `--refresh N|all`,
// `--show ADDRESS --for SECONDS` or `--picture N FILE.png`, alone. Addresses follow the
// command line's rule: web addresses and local pages only. Paths are read relative to
// `workingFolder`; without one (the running program's side) only absolute paths are taken.
RemoteCommand parseRemoteCommand(const QStringList &arguments, const QString &workingFolder);

}  // namespace pelquin
