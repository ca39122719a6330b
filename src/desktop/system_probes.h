#pragma once

#include <QString>

namespace pelquin {

// The kernel's major version; 0 when it cannot be read.
int systemMajorVersion();

// The version of a file as "major.minor.build.revision", each part a signed 16-bit number:
// a shared library's from its real file name (libX.so.6.4.2 gives "6.4.2.0"), a .DEP file's
// from its first "Version=" line. Empty when the file is missing or names no version.
QString fileVersion(const QString &path);

// "4.72.3110" and the like: missing parts are 0, a part without digits is 0.
QString parseVersionText(const QString &text);

// The logged-on user, found once: the login name in upper case, or "&DEFAULT&".
class SystemUser {
public:
    SystemUser();
    explicit SystemUser(const QString &loginName);
    const QString &loginName() const { return m_name; }

private:
    QString m_name;
};

// The real path of a library loaded into this process whose file name starts with `stem`.
QString loadedLibraryPath(const QString &stem);

}  // namespace pelquin
