#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace {
// A copy starting at the same moment may have created the lock file but not yet written its
// process id into it; waiting this long lets it finish.
constexpr int kLockWaitMs = 200;
} // namespace

SingleInstance::SingleInstance(const QString& folder)
    : m_lock(std::make_unique<QLockFile>(PathJoin(folder, QStringLiteral(".tezdesk.lock"))))
{
    // A lock left by a crashed copy is taken over (QLockFile checks the owner's pid).
    m_lock->setStaleLockTime(0);
}

SingleInstance::Outcome SingleInstance::take()
{
    if (m_held)
        return Outcome::Acquired;
    m_held = m_lock->tryLock(kLockWaitMs);
    if (m_held)
        return Outcome::Acquired;
    // QLockFile also reports a stale lock it could not remove as held; only a lock whose
    // owner lives means another copy.
    if (m_lock->error() == QLockFile::LockFailedError && holderIsAlive())
        return Outcome::AnotherCopyRuns;
    return Outcome::FolderNotWritable;
}

bool SingleInstance::holderIsAlive() const
{
    qint64 pid = 0;
    QString host;
    QString app;
    if (!m_lock->getLockInfo(&pid, &host, &app) || pid <= 0)
        return false;
    // A process on another machine sharing the folder cannot be checked: it counts as alive.
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}
