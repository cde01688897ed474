#include "records/statelock.h"

#include "records/platform.h"

#include <QSysInfo>

namespace vorlane {

LockOutcome ClassifyLock(bool locked, QLockFile::LockError error, bool holderKnown, bool sameHost, bool holderAlive)
{
    if (locked)
        return LockOutcome::Taken;
    // Only a lock whose holder is known to live (or lives on another machine, where it
    // cannot be checked) is another copy; a lock left by a dead process that could not be
    // cleared is a lock that could not be taken.
    if (error == QLockFile::LockFailedError && holderKnown && (!sameHost || holderAlive))
        return LockOutcome::OtherCopy;
    return LockOutcome::CannotLock;
}

StateLock::StateLock(const QString &path) : m_path(path), m_lock(path)
{
    // A lock left by a crashed copy is taken over.
    m_lock.setStaleLockTime(0);
    const bool locked = m_lock.tryLock(0);
    qint64 pid = 0;
    QString host, app;
    const bool known = !locked && m_lock.getLockInfo(&pid, &host, &app);
    const bool sameHost = host.isEmpty() || host == QSysInfo::machineHostName();
    const bool alive = known && platform::ProcessAlive(pid);
    m_outcome = ClassifyLock(locked, m_lock.error(), known, sameHost, alive);
}

StateLock::~StateLock()
{
    if (m_outcome == LockOutcome::Taken)
        m_lock.unlock();
}

}  // namespace vorlane
