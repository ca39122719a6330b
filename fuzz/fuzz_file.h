#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The fuzz input as the content of a file, for the readers that take a path.
class FuzzFile {
public:
    FuzzFile(const uint8_t *data, size_t size, const char *name)
        : m_path(m_dir.path() + QLatin1Char('/') + QLatin1String(name))
    {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const QString &path() const { return m_path; }
    QString sibling(const char *name) const { return m_dir.path() + QLatin1Char('/') + QLatin1String(name); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
