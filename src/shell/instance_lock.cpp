#include "shell/instance_lock.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace shell {

bool InstanceLock::acquire(const QString &dir)
{
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(u"Pinora32.lock"_s));
    // A live holder never goes stale by age; a dead one is detected by its pid.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}

} // namespace shell
