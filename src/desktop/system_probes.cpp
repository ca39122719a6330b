#include "desktop/system_probes.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <sys/utsname.h>

namespace pelquin {

PlatformVersion SysV32()
{
    PlatformVersion version;
    utsname name{};
    if (::uname(&name) == 0)
        version.major = QString::fromLatin1(name.release).section(QLatin1Char('.'), 0, 0).toInt();
    return version;
}

QString fileVersion(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QString real = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    static const QRegularExpression soVersion(QStringLiteral(R"(\.so\.(\d+(?:\.\d+){0,3})$)"));
    const QRegularExpressionMatch match = soVersion.match(QFileInfo(real).fileName());
    if (!match.hasMatch())
        return {};
    QStringList parts = match.captured(1).split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    QStringList shown;
    for (const QString &part : parts)
        shown << QString::number(static_cast<qint16>(part.toUInt() & 0xFFFF));
    return shown.join(QLatin1Char('.'));
}

QString loadedLibraryPath(const QString &stem)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    // A /proc file reports no size, so it is read whole rather than up to its "end".
    const QList<QByteArray> lines = maps.readAll().split('\n');
    for (const QByteArray &bytes : lines) {
        const QString line = QString::fromLocal8Bit(bytes).trimmed();
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        if (slash < 0)
            continue;
        const QString path = line.mid(slash);
        if (QFileInfo(path).fileName().startsWith(stem))
            return path;
    }
    return {};
}

QString browserLibraryVersion()
{
    return fileVersion(loadedLibraryPath(QStringLiteral("libQt6WebEngineCore.so")));
}

}  // namespace pelquin
