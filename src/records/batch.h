#pragma once
// The batch being keyed: its record lines, the record on screen, the record being added
// or inserted, its file and whether it is saved. Every change is one operation here, so
// a flag is never cleared by one window and forgotten by another; the windows read.
#include "records/fileio.h"
#include "records/recordgate.h"
#include "records/recordstore.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace vorlane {

class Batch {
public:
    // Told of every change of the lines (as the store tells them), of the file name and
    // the saved state, and of a batch that starts afresh. The recovery journal listens.
    class Observer : public RecordStore::Observer {
    public:
        // CurrentFilePath or IsSaved differ from before the operation that just ran.
        virtual void fileStateChanged() = 0;
        // The batch starts afresh as a whole (opened, imported, saved, new). With a stamp
        // it holds exactly that file's records, as the stamp describes the file.
        virtual void started(const FileStamp *stamp) = 0;
    };
    void setObserver(Observer *observer);

    Batch() = default;
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

    // ---- what the windows read
    const RecordStore &lines() const { return m_lines; }
    // Copies of the records from CurrentIndex on, held while an insertion is keyed.
    const RecordStore &LstMO3() const { return m_held; }
    // The record at CurrentIndex; the empty line when there is none.
    QString current() const { return m_lines.at(m_currentIndex); }
    int CurrentIndex() const { return m_currentIndex; }
    int ResumeIndex() const { return m_resumeIndex; }
    bool IsAdding() const { return m_adding; }
    bool IsInserting() const { return m_inserting; }
    bool IsSaved() const { return m_saved; }
    const QString &CurrentFilePath() const { return m_filePath; }
    const QString &SaveTargetPath() const { return m_saveTarget; }
    // The file the batch was last read from or saved to, as it was then: a save over it
    // first checks that no other program has changed it and that no skipped lines are lost.
    const QString &KnownFilePath() const { return m_knownPath; }
    const FileStamp &KnownFileStamp() const { return m_knownStamp; }
    qsizetype KnownFileSkipped() const { return m_knownSkipped; }  // lines with text that were not records
    // Case-sensitive, anywhere in the path.
    bool isUnnamed() const { return m_filePath.contains(QStringLiteral("Noname.txt")); }

    // ---- keying
    // A new record is keyed; its commit appends. An insertion under way is given up.
    void beginAdd();
    // A record is keyed before the one at CurrentIndex; its commit moves the rest down.
    // Counts as a change at once.
    void beginInsert();
    // Stores the keyed record as the record gate admits it: appended while adding, put in
    // before the held records while inserting, else written over the record at
    // CurrentIndex (past the end: appended). A record the gate refuses changes nothing;
    // the verdict says why.
    GateVerdict commit(const MoneyOrderRecord &record);
    // The same store for a line the gate has already admitted.
    void commitLine(const QString &line);
    // The record at CurrentIndex goes, when `confirmed` says so; asked only when there
    // is a record. Counts as a change even when declined, and a declined delete leaves
    // everything else as it was. True when the delete ran.
    bool remove(const std::function<bool()> &confirmed);
    // Insert mode off, held records dropped: a later save must not write them again.
    void abandonInsertion();
    // The record being keyed is given up: back on the last record after an add.
    void cancel();
    enum class Move { First, Back, Forward, Last };
    // No wrap-around. An empty batch only gives up an insertion.
    void navigate(Move move);
    // Stored record `index` comes on screen in place of whatever was being keyed.
    void show(int index);
    // Back from a work window on record ResumeIndex; an empty batch keeps its new record.
    void resume();
    void setCurrentIndex(int index) { m_currentIndex = index; }
    void setResumeIndex(int index) { m_resumeIndex = index; }

    // ---- files
    // The batch becomes `lines`, named `path`, record 1 current. With a stamp they were
    // read from that file (saved, and the file is known with its `skipped` lines); without,
    // they were imported and nothing on disk holds them yet.
    void open(LineBlock lines, const QString &path, const FileStamp *stamp = nullptr, qsizetype skipped = 0);
    void open(const QStringList &lines, const QString &path, const FileStamp *stamp = nullptr, qsizetype skipped = 0)
    {
        open(MakeLineBlock(lines), path, stamp, skipped);
    }
    // A batch brought back after an unclean end: unsaved, its last record current. The
    // observer hears it as lines assigned, not as a fresh start.
    void restore(QStringList lines, const QString &path);
    // The depositor is confirmed: an unnamed batch that counts as saved.
    void startUnnamed(const QString &path);
    // An empty, unnamed batch.
    void newBatch(const QString &path);
    // "ปิดโปรแกรม": no lines and no name.
    void close();
    // The file SaveDataFile is to write.
    void saveAs(const QString &path) { m_saveTarget = path; }
    // SaveDataFile wrote the lines to SaveTargetPath: the batch is that file now.
    void saved(const FileStamp &stamp);
    void rename(const QString &path);
    // Its changes are written or given up.
    void markSaved();
    void markChanged();

private:
    // Runs one operation and then tells the observer once if the name or the saved state
    // changed.
    template <typename F>
    void changing(F &&f);
    void forgetKnownFile();

    RecordStore m_lines;  // lstMO
    RecordStore m_held;   // LstMO3
    Observer *m_observer = nullptr;
    int m_currentIndex = 0;
    int m_resumeIndex = 0;
    bool m_adding = false;
    bool m_inserting = false;
    bool m_saved = false;
    QString m_filePath = QStringLiteral("Noname.txt");  // contains "Noname.txt" while unnamed
    QString m_saveTarget;
    QString m_knownPath;
    FileStamp m_knownStamp;
    qsizetype m_knownSkipped = 0;
};

}  // namespace vorlane
