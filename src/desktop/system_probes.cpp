#include "desktop/system_probes.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>

namespace pelquin {

int systemMajorVersion()
{
    utsname name{};
    if (::uname(&name) != 0)
        return 0;
    return QString::fromLatin1(name.release).section(QLatin1Char('.'), 0, 0).toInt();
}

QString parseVersionText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        // Each part by its leading number, as 16 bits show it.
        const QString part = i < parts.size() ? parts.at(i).trimmed() : QString();
        qsizetype digits = 0;
        while (digits < part.size() && part.at(digits).isDigit())
            ++digits;
        const quint64 value = part.left(std::min<qsizetype>(digits, 18)).toULongLong();
        shown << QString::number(static_cast<qint16>(value & 0xFFFF));
    }
    return shown.join(QLatin1Char('.'));
}

QString fileVersion(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QString real = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    static const QRegularExpression soVersion(QStringLiteral(R"(\.so\.(\d+(?:\.\d+){0,3})$)"));
    const QRegularExpressionMatch match = soVersion.match(QFileInfo(real).fileName());
    if (match.hasMatch())
        return parseVersionText(match.captured(1));
    if (info.suffix().compare(QStringLiteral("DEP"), Qt::CaseInsensitive) != 0 || !info.isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine(1 << 16)).trimmed();
        if (line.left(8).compare(QStringLiteral("Version="), Qt::CaseInsensitive) == 0)
            return parseVersionText(line.mid(8));
    }
    return {};
}

SystemUser::SystemUser() : SystemUser(QString())
{
    if (const passwd *entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        *this = SystemUser(QString::fromLocal8Bit(entry->pw_name));
}

SystemUser::SystemUser(const QString &loginName)
    : m_name(loginName.isEmpty() ? QStringLiteral("&DEFAULT&") : loginName.toUpper())
{
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

}  // namespace pelquin
