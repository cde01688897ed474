#pragma once
// The recovery journal: every change to the batch is appended to a small file in the
// user's data folder, so a batch keyed before a crash, a kill or a power cut can be
// brought back exactly. A clean end of the program removes it.
//
// A batch that is exactly a data file (just opened or saved) is journalled by reference:
// the file's size, time and checksum, not a copy of its lines. A fresh start is written
// beside the journal and renamed over it, so one complete journal exists at every instant.
// The journal is the owner's alone: folder 0700, file 0600, never through a link.
#include "records/fileio.h"
#include "records/recordstore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace vorlane {

class RecoveryJournal final : public RecordStore::Observer {
public:
    explicit RecoveryJournal(QString path);
    ~RecoveryJournal() override;

    const QString &path() const { return m_path; }

    // Starts the journal afresh from a whole batch, copied into it (a new batch, a
    // compaction).
    bool begin(const QStringList &lines, const QString &filePath, bool saved, bool background = false);
    // Starts afresh from a batch that holds exactly the records of `filePath` as `stamp`
    // describes it (opened or saved just now): nothing of the batch is copied.
    bool beginFromFile(const QStringList &lines, const QString &filePath, const FileStamp &stamp, bool saved);
    bool beginFromFile(const RecordStore &lines, const QString &filePath, const FileStamp &stamp, bool saved);
    // The batch's file and whether it counts as saved.
    void noteFile(const QString &filePath);
    void noteSaved(bool saved);
    // The program ends cleanly: nothing is left to recover.
    void discard();
    // False once the journal could not be created or a change could not be written; the
    // journal file is then removed, so a journal that missed a change is never offered.
    bool isWorking() const;
    // Bytes in the journal file now.
    qint64 size() const { return m_bytes; }
    // Past twice what a fresh copy of the batch would take: time to start afresh.
    bool wantsCompaction(const QStringList &lines);
    bool wantsCompaction(const RecordStore &lines);

    // While held, changes wait and releaseSync() writes them with one write and one flush,
    // as a group that counts only when complete: one user action (an insertion moves
    // every later record) never comes back half done, and costs one flush.
    void holdSync() { ++m_holds; }
    void releaseSync();

    // RecordStore::Observer
    void stored(qsizetype index, const QString &line, const QString &previous) override;
    void inserted(qsizetype index, const QString &line) override;
    void removed(qsizetype index, const QString &line) override;
    void cleared() override;
    void assigned(const QStringList &lines) override;

    struct Recovered {
        QStringList lines;
        QString filePath;
        bool saved = false;
        // The batch was based on a data file whose content is no longer what the journal
        // recorded (saved again since, changed, gone): it cannot be rebuilt.
        bool baseChanged = false;
        QDateTime lastWrite;    // of the journal file
        qint64 validBytes = 0;  // the journal up to its last complete change
    };
    enum class ReadError { None, Missing, Link, NotRegular, Unreadable };
    // What a journal left behind by an unclean end holds; nullopt when there is none, it
    // holds no batch, or it cannot be read (`error` says why).
    static std::optional<Recovered> read(const QString &path, ReadError *error = nullptr);
    // Goes on with the journal `r` was read from, cut back to its last complete change.
    bool resume(const Recovered &r);

private:
    struct Worker;
    bool startFresh(const QByteArray &content, const QString &filePath, bool saved, qsizetype count, bool background);
    // Waits until the fresh journal has replaced the old one; false (and the journal given
    // up) when that failed.
    bool settleStart();
    bool startFromFile(qsizetype count, qint64 chars, const QString &filePath, const FileStamp &stamp, bool saved);
    bool wantsCompaction(const std::function<qint64()> &copySize);
    void fail();
    bool writeNow(const QByteArray &bytes);
    void put(const QByteArray &change);
    void flushShift();
    void requestSync();
    void settleSwap();
    void countLine(const QString &line, int sign);

    std::unique_ptr<Worker> m_worker;  // flushes and renames off the caller's thread
    QString m_path;
    platform::File m_file;
    bool m_failed = false;
    bool m_swapPending = false;
    int m_holds = 0;
    QByteArray m_pending;
    // An insertion arrives as a run of stores, each putting back the line the one before
    // it replaced, closed by an append: held here and written as one "insert" entry.
    struct Shift {
        qsizetype start = -1, next = -1;
        QString first, carry;
        QByteArray entries;
    } m_shift;
    // The batch's file and saved state as last written, for assigned().
    QString m_filePath;
    bool m_saved = false;
    qint64 m_bytes = 0;
    qsizetype m_count = 0;
    qint64 m_chars = 0;                 // characters of the batch: a lower bound of a copy's size
    std::optional<qint64> m_copyBytes;  // a copy's size, once it mattered
};

}  // namespace vorlane
