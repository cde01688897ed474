#pragma once
// The recovery journal: every change to the batch is appended to a small file in the
// user's data folder, so a batch keyed before a crash, a kill or a power cut can be
// brought back exactly. A clean end of the program removes it.
#include "records/recordstore.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vorlane {

class RecoveryJournal final : public RecordStore::Observer {
public:
    explicit RecoveryJournal(QString path);
    ~RecoveryJournal() override;

    const QString &path() const { return m_path; }

    // Starts the journal afresh from a whole batch (opening a file, a new batch).
    bool begin(const QStringList &lines, const QString &filePath, bool saved);
    // The batch's file and whether it counts as saved.
    void noteFile(const QString &filePath);
    void noteSaved(bool saved);
    // The program ends cleanly: nothing is left to recover.
    void discard();
    bool isOpen() const { return m_file.isOpen(); }
    // False once the journal could not be created or a change could not be written.
    bool isWorking() const;

    // While held, changes wait and releaseSync() writes them with one write and one flush,
    // as a group that counts only when complete: one user action (an insertion moves
    // every later record) never comes back half done, and costs one flush.
    void holdSync() { ++m_holds; }
    void releaseSync();

    // RecordStore::Observer
    void stored(qsizetype index, const QString &line) override;
    void inserted(qsizetype index, const QString &line) override;
    void removed(qsizetype index) override;
    void cleared() override;
    void assigned(const QStringList &lines) override;

    struct Recovered {
        QStringList lines;
        QString filePath;
        bool saved = false;
    };
    // What a journal left behind by an unclean end holds; nullopt when there is none or it
    // holds no batch.
    static std::optional<Recovered> read(const QString &path);

private:
    void append(QChar op, qsizetype index, const QString &text);
    void sync();
    struct Syncer;
    std::unique_ptr<Syncer> m_syncer;  // flushes to the disk off the caller's thread
    bool m_failed = false;
    int m_holds = 0;
    QByteArray m_pending;
    QString m_path;
    QFile m_file;
    // The batch's file and saved state as last written, for assigned().
    QString m_filePath;
    bool m_saved = false;
};

} // namespace vorlane
