#pragma once

#include <QLockFile>
#include <QString>

namespace pelquin {

// One running program per application folder: a lock file in that folder. A lock left by
// a program that died is taken over.
class SingleInstance {
public:
    enum class Result { Acquired, HeldByOther, FolderNotWritable };

    explicit SingleInstance(const QString &appFolder);
    Result acquire();

private:
    QLockFile m_lock;
};

}  // namespace pelquin
