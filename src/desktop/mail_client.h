#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace pelquin {

// Where the desktop's default mail program is found.
struct MailLookup {
    // The desktop file name of the default mailto handler ("thunderbird.desktop"), or empty.
    std::function<QString()> defaultHandler;
    // The folders that hold desktop files, most important first.
    QStringList applicationDirs;
};

// `xdg-mime query default x-scheme-handler/mailto` and the XDG data folders.
MailLookup systemMailLookup();

// The registered mail command line: the handler's Exec line without its field codes, the
// program given by name. Empty when there is none.
QString mailClientCommand(const MailLookup &lookup);

// The Exec line of a desktop file's [Desktop Entry], with the program given by name and the
// field codes (%u, %U, %f, ...) removed.
QString execCommand(const QString &desktopFileText);

}  // namespace pelquin
