#pragma once
// The lock that keeps a second copy of the program away from the first one's recovery
// journal. "Another copy holds it" and "it could not be taken" (a stale lock that cannot be
// cleared on a full disk, a folder that cannot be written) are different troubles and are
// told apart.
#include <QLockFile>
#include <QString>

namespace vorlane {

enum class LockOutcome { Taken, OtherCopy, CannotLock };

// What a failed or successful tryLock means. `holderKnown`: the lock file could be read;
// `sameHost`: it was written on this machine; `holderAlive`: its process still runs here.
LockOutcome ClassifyLock(bool locked, QLockFile::LockError error, bool holderKnown, bool sameHost, bool holderAlive);

class StateLock {
public:
    explicit StateLock(const QString &path);
    ~StateLock();
    LockOutcome outcome() const { return m_outcome; }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
    LockOutcome m_outcome = LockOutcome::CannotLock;
};

}  // namespace vorlane
