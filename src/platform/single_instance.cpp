#include "platform/single_instance.h"

#include "platform/app_folder.h"

namespace pelquin {

SingleInstance::SingleInstance(const QString &appFolder)
    : m_lock(appFile(appFolder, QStringLiteral("pelquin.lock")))
{
    // Never stale by age: only a lock whose process has gone is taken over.
    m_lock.setStaleLockTime(0);
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return Result::Acquired;
    return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByOther
                                                        : Result::FolderNotWritable;
}

}  // namespace pelquin
