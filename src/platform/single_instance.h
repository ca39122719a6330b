#pragma once

#include <QLockFile>
#include <QString>

namespace pelquin {

// One running program per application folder: a lock file in that folder. A lock left by
// a program that died is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &appFolder);
    // False when another running program holds the folder.
    bool acquire();

private:
    QLockFile m_lock;
};

}  // namespace pelquin
