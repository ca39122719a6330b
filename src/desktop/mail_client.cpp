#include "desktop/mail_client.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace pelquin {

MailLookup systemMailLookup()
{
    MailLookup lookup;
    lookup.defaultHandler = [] {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"),
                     QStringLiteral("x-scheme-handler/mailto")});
        if (!query.waitForFinished(3000) || query.exitCode() != 0)
            return QString();
        return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    };
    lookup.applicationDirs =
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    return lookup;
}

QString execCommand(const QString &desktopFileText)
{
    bool inEntry = false;
    QString exec;
    for (const QString &raw : desktopFileText.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5).trimmed();
    }
    if (exec.isEmpty())
        return {};
    static const QRegularExpression fieldCode(QStringLiteral("\\s*%[fFuUdDnNickvm]"));
    exec.remove(fieldCode);
    exec.replace(QStringLiteral("%%"), QStringLiteral("%"));
    // The program by name, not by its absolute path.
    QStringList words = QProcess::splitCommand(exec);
    if (words.isEmpty())
        return {};
    const QString program = QFileInfo(words.takeFirst()).fileName();
    words.prepend(program);
    for (QString &word : words) {
        if (word.contains(QLatin1Char(' ')))
            word = QLatin1Char('"') + word + QLatin1Char('"');
    }
    return words.join(QLatin1Char(' '));
}

QString mailClientCommand(const MailLookup &lookup)
{
    const QString handler = lookup.defaultHandler ? lookup.defaultHandler().trimmed() : QString();
    if (handler.isEmpty() || handler.contains(QLatin1Char('/')))
        return {};
    for (const QString &dir : lookup.applicationDirs) {
        QFile file(QDir(dir).filePath(handler));
        if (file.open(QIODevice::ReadOnly))
            return execCommand(QString::fromUtf8(file.read(1 << 20)));
    }
    return {};
}

}  // namespace pelquin
