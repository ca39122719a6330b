#include "engine/spelling.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pelquin {

namespace {
const char kFolderVariable[] = "QTWEBENGINE_DICTIONARIES_PATH";
}  // namespace

QString spellingDictionaryFolder()
{
    const QString given = qEnvironmentVariable(kFolderVariable);
    if (!given.isEmpty())
        return given;
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        program.filePath(QStringLiteral("qtwebengine_dictionaries")),
        program.filePath(QStringLiteral("../share/pelquin/qtwebengine_dictionaries"))};
    for (const QString &folder : candidates) {
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    }
    return {};
}

void useSpellingDictionaryFolder()
{
    const QString folder = spellingDictionaryFolder();
    if (!folder.isEmpty() && qEnvironmentVariableIsEmpty(kFolderVariable))
        qputenv(kFolderVariable, QFile::encodeName(folder));
}

QStringList spellingDictionariesIn(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QStringList names;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.bdic")}, QDir::Files | QDir::Readable);
    for (const QFileInfo &file : files)
        names.append(file.completeBaseName());
    return names;
}

}  // namespace pelquin
