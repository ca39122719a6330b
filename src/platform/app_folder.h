#pragma once

#include <QDate>
#include <QString>

namespace pelquin {

// The folder that holds the program's own files (Setup.set, Requests.Dat, STD.DAT, ...):
// $PELQUIN_HOME if set, else $XDG_DATA_HOME/pelquin.
QString resolveAppFolder();

// Creates a missing application folder with the shipped defaults: STD.DAT asking for the
// help screen at the first start, an empty Requests.Dat, and the Favorites and History
// folders. An existing folder is left alone. Returns false when it cannot be created.
bool installAppFolder(const QString &folder, const QDate &today);

// Joins the application folder and a file name with the platform separator.
QString appFile(const QString &folder, const QString &name);

}  // namespace pelquin
