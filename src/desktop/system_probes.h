#pragma once

#include <QString>

namespace pelquin {

// The platform identifier (always 2 here) and the kernel's major version.
struct PlatformVersion {
    int platformId = 2;
    int major = 0;
};
PlatformVersion SysV32();

// The version of a shared library from its real file name (libX.so.6.4.2 gives "6.4.2.0"),
// each part a signed 16-bit number; empty when the file is missing or names no version.
QString fileVersion(const QString &path);

// The real path of a library loaded into this process whose file name starts with `stem`.
QString loadedLibraryPath(const QString &stem);

// The version of the loaded browser engine library.
QString browserLibraryVersion();

}  // namespace pelquin
