#pragma once
// The recovery journal: every change to the batch is appended to a small file in the
// user's data folder, so a batch keyed before a crash, a kill or a power cut can be
// brought back exactly. A clean end of the program removes it.
#include "records/recordstore.h"

#include <QFile>
#include <QString>
#include <QStringList>

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
    bool m_failed = false;
    QString m_path;
    QFile m_file;
};

} // namespace vorlane
