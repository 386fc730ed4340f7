#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

SingleInstance::SingleInstance(const QString& folder)
    : m_lock(std::make_unique<QLockFile>(PathJoin(folder, QStringLiteral(".tezdesk.lock"))))
{
    // A lock left by a crashed copy is taken over (QLockFile checks the owner's pid).
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    if (!m_held)
        m_held = m_lock->tryLock(0);
    return m_held;
}
