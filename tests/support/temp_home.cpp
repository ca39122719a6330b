#include "support/temp_home.h"

#include <QDir>
#include <QFile>

namespace pelquin::test {

TempHome::TempHome()
{
    QDir().mkpath(folder());
}

void TempHome::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(this->file(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TempHome::read(const QString &name) const
{
    QFile file(this->file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace pelquin::test
