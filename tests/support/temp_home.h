#pragma once

#include <QString>
#include <QTemporaryDir>

namespace pelquin::test {

// A temporary application folder and settings file for one test.
class TempHome {
public:
    TempHome();
    QString folder() const { return m_dir.path() + QStringLiteral("/app"); }
    QString settingsPath() const { return m_dir.path() + QStringLiteral("/pelquin.conf"); }
    QString file(const QString &name) const { return folder() + QLatin1Char('/') + name; }
    // Writes raw bytes into a file of the application folder.
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

}  // namespace pelquin::test
