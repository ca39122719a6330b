#pragma once

#include <QFile>
#include <QString>

namespace pelquin {

// A script the engine runs in pages, from the program's resources (":/pelquin/NAME").
inline QString pageScriptResource(const QString &name)
{
    QFile file(QStringLiteral(":/pelquin/") + name);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

}  // namespace pelquin
