#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace shell {

// Keeps a second copy of the program from running on the same program folder.
class InstanceLock
{
public:
    // Takes the lock file "Pinora32.lock" in dir. Returns false when another
    // running process holds it. A lock left behind by a process that has died
    // is taken over.
    bool acquire(const QString &dir);
    bool held() const { return m_lock && m_lock->isLocked(); }

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace shell
