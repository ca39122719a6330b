#include "platform/app_folder.h"

#include "platform/basic_error.h"
#include "platform/basic_text.h"
#include "platform/text_file.h"

#include <QDir>
#include <QStandardPaths>

namespace pelquin {

QString resolveAppFolder()
{
    const QString home = qEnvironmentVariable("PELQUIN_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/pelquin");
}

QString appFile(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

bool installAppFolder(const QString &folder, const QDate &today)
{
    QDir dir(folder);
    if (dir.exists())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    try {
        writeTextFile(appFile(folder, QStringLiteral("STD.DAT")),
                      {printNumber(1), printNumber(0), formatDate(QDateTime(today, QTime(0, 0)))});
        writeTextFile(appFile(folder, QStringLiteral("Requests.Dat")), {});
    } catch (const BasicError &) {
        return false;
    }
    return dir.mkpath(QStringLiteral("Favorites")) && dir.mkpath(QStringLiteral("History"));
}

}  // namespace pelquin
