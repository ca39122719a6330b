#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLineEdit;

namespace pelquin {

class ErrorReporter;

// The part of a file name before its first "." (the whole name without one).
QString beforeFirstDot(const QString &name);
// The part of a path after its last "/" or "\" (empty when it ends with one).
QString afterLastSeparator(const QString &path);

// The Favorites folder: the user's profile folder under the system folder when it exists,
// else the system folder's Favorites.
QString favoritesFolder(const QString &winDir, int windowsMajor, const QString &userName);

// The lines of FAVES.HTM for a Favorites folder: a heading per folder and a link per
// shortcut, folders depth first. Titles and addresses are escaped, javascript: addresses
// give no link. A folder that cannot be read is reported " at 8" and left out.
QStringList favoritesPage(const QString &folder, ErrorReporter &errors);

// Writes FAVES.HTM into the application folder; false after a reported error.
bool writeFavoritesPage(const QString &appFolder, const QString &favorites, ErrorReporter &errors);

// A valid file name for a shortcut titled `title`.
QString shortcutFileName(const QString &title);
// Writes an Internet Shortcut for `address` into `folder`; returns its path. An existing
// shortcut of the same name for another address is kept: the new one gets a number.
QString writeShortcut(const QString &folder, const QString &title, const QString &address);
// The address an Internet Shortcut file names; empty when it names none.
QString shortcutAddress(const QString &path);

// "Favorites": Add to, Navigate to or Cancel.
class FavoritesPrompt : public QDialog {
    Q_OBJECT
public:
    enum Choice { None = 0, Add = 1, Navigate = 2, Cancel = 3 };
    explicit FavoritesPrompt(QWidget *parent = nullptr);
    Choice choice() const { return m_choice; }

private:
    Choice m_choice = None;
};

// Our Add Favorite dialog: the page's title, editable, for the shortcut's name.
class AddFavoriteDialog : public QDialog {
    Q_OBJECT
public:
    AddFavoriteDialog(const QString &title, const QString &address, QWidget *parent = nullptr);
    QString title() const;
    QLineEdit *titleEdit() const { return m_title; }

private:
    QLineEdit *m_title;
};

}  // namespace pelquin
