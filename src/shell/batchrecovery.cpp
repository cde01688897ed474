#include "shell/batchrecovery.h"

#include "entry/entrywindow.h"
#include "records/journal.h"
#include "records/platform.h"
#include "records/statelock.h"
#include "widgets/commandbutton.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace vorlane {

// Passes every change of the batch to the recovery journal, with the file name and the
// saved state first when they changed, so that a replay of the journal always knows
// whether its batch still needs saving.
class JournalHook final : public RecordStore::Observer {
public:
    JournalHook(BatchRecovery &owner, const QString &path)
        : lock(prepare(path) + u".lock"_s), journal(path), m_owner(owner)
    {}

    void begin(const FileStamp *stamp = nullptr)
    {
        const Batch &b = m_owner.batch;
        if (stamp && stamp->valid)
            journal.beginFromFile(b.lines(), b.CurrentFilePath(), *stamp, b.IsSaved());
        else
            journal.begin(b.lines().lines(), b.CurrentFilePath(), b.IsSaved());
        m_path = b.CurrentFilePath();
        m_saved = b.IsSaved();
    }

    // Goes on with the journal the batch was just restored from.
    bool resume(const RecoveryJournal::Recovered &r)
    {
        if (!journal.resume(r))
            return false;
        m_path = r.filePath;
        m_saved = r.saved;
        note();
        compactIfLarge();
        return true;
    }

    void note()
    {
        const Batch &b = m_owner.batch;
        if (b.CurrentFilePath() != m_path) {
            groupChanges();
            journal.noteFile(b.CurrentFilePath());
            m_path = b.CurrentFilePath();
        }
        if (b.IsSaved() != m_saved) {
            groupChanges();
            journal.noteSaved(b.IsSaved());
            m_saved = b.IsSaved();
        }
    }

    void stored(qsizetype index, const QString &line, const QString &previous) override
    {
        before();
        journal.stored(index, line, previous);
    }
    void inserted(qsizetype index, const QString &line) override
    {
        before();
        journal.inserted(index, line);
    }
    void removed(qsizetype index, const QString &line) override
    {
        before();
        journal.removed(index, line);
    }
    void cleared() override
    {
        before();
        journal.cleared();
    }
    void assigned(const QStringList &) override
    {
        // A whole new batch: start over from it.
        begin();
    }

    // Held for as long as the journal is written; released after it (members go in
    // reverse order).
    StateLock lock;
    RecoveryJournal journal;

private:
    static const QString &prepare(const QString &path)
    {
        // The state folder is the owner's alone (the journal creates it the same way).
        platform::MakePrivateFolder(QFileInfo(path).absolutePath());
        return path;
    }

    // A journal grown past twice a fresh copy of the batch starts afresh from it.
    void compactIfLarge()
    {
        if (journal.wantsCompaction(m_owner.batch.lines()))
            journal.begin(m_owner.batch.lines().lines(), m_path, m_saved, /*background=*/true);
    }

    void before()
    {
        groupChanges();
        note();
    }

    // The changes of one user action (an insertion moves every later record) go to the
    // file together, with one flush, when control returns to the event loop: a flush per
    // line would make an insertion into a long batch take seconds, and a kill in the
    // middle of the action must not leave half of it.
    void groupChanges()
    {
        if (m_holding)
            return;
        m_holding = true;
        journal.holdSync();
        QTimer::singleShot(0, &m_guard, [this] {
            m_holding = false;
            journal.releaseSync();
            compactIfLarge();
            if (!journal.isWorking())
                m_owner.reportRecoveryOff();
        });
    }

    BatchRecovery &m_owner;
    QString m_path;
    bool m_saved = false;
    bool m_holding = false;
    QObject m_guard;  // no pending group outlives the hook
};

// The batch's one observer: passes its changes to the journal while one is written, and
// starts the journal afresh whenever the batch does (a journal that could not be locked
// before is tried again then).
class BatchWatch final : public Batch::Observer {
public:
    explicit BatchWatch(BatchRecovery &owner) : m_owner(owner) {}

    JournalHook *live = nullptr;

    void fileStateChanged() override
    {
        if (live)
            live->note();
    }
    void started(const FileStamp *stamp) override { m_owner.beginJournal(stamp); }
    void stored(qsizetype index, const QString &line, const QString &previous) override
    {
        if (live)
            live->stored(index, line, previous);
    }
    void inserted(qsizetype index, const QString &line) override
    {
        if (live)
            live->inserted(index, line);
    }
    void removed(qsizetype index, const QString &line) override
    {
        if (live)
            live->removed(index, line);
    }
    void cleared() override
    {
        if (live)
            live->cleared();
    }
    void assigned(const QStringList &lines) override
    {
        if (live)
            live->assigned(lines);
    }

private:
    BatchRecovery &m_owner;
};

BatchRecovery::BatchRecovery(Session &s, Prompter &p)
    : session(s), batch(s.batch), prompter(p), m_watch(std::make_unique<BatchWatch>(*this))
{
    batch.setObserver(m_watch.get());
}

BatchRecovery::~BatchRecovery() { batch.setObserver(nullptr); }

void BatchRecovery::beginJournal(const FileStamp *stamp)
{
    const QString path = session.paths.journalPath();
    if (path.isEmpty())
        return;  // recovery turned off
    if (!lockJournal())
        return;
    m_watch->live = m_journal.get();
    m_journal->begin(stamp);
    if (!m_journal->journal.isWorking())
        reportRecoveryOff();
}

void BatchRecovery::endJournal()
{
    if (!m_journal)
        return;
    m_watch->live = nullptr;
    m_journal->journal.discard();
    m_journal.reset();
}

bool BatchRecovery::lockJournal()
{
    const QString path = session.paths.journalPath();
    if (path.isEmpty())
        return false;
    if (!m_journal)
        m_journal = std::make_unique<JournalHook>(*this, path);
    const LockOutcome outcome = m_journal->lock.outcome();
    if (outcome == LockOutcome::Taken)
        return true;
    const QString lockPath = m_journal->lock.path();
    if (m_watch->live == m_journal.get())
        m_watch->live = nullptr;
    m_journal.reset();
    if (outcome == LockOutcome::OtherCopy) {
        if (!m_otherCopyShown) {
            m_otherCopyShown = true;
            prompter.ok(u"โปรแกรมนี้เปิดใช้งานอยู่แล้วอีกหน้าต่างหนึ่ง ข้อมูลที่ป้อนในหน้าต่างนี้จะนำกลับมาไม่ได้หากโปรแกรมปิดผิดปกติ"_s);
        }
    } else if (!m_recoveryOffShown) {
        // No other copy runs: the lock file itself could not be made or cleared (a full
        // disk, a folder that cannot be written).
        m_recoveryOffShown = true;
        prompter.ok(
            u"ไม่สามารถเขียนแฟ้มกู้คืนข้อมูลได้ เพราะสร้างหรือลบแฟ้มล็อกไม่ได้: "_s + lockPath
            + u"\nอาจเป็นเพราะดิสก์เต็มหรือไม่มีสิทธิ์เขียน หากโปรแกรมปิดผิดปกติ ข้อมูลที่ยังไม่ได้บันทึกจะนำกลับมาไม่ได้ กรุณาบันทึกแฟ้มข้อมูลบ่อย ๆ"_s);
    }
    return false;
}

bool BatchRecovery::journalWorking() const { return m_journal && m_journal->journal.isWorking(); }

void BatchRecovery::reportRecoveryOff()
{
    // Once a run: the program works on without the journal.
    if (m_recoveryOffShown)
        return;
    m_recoveryOffShown = true;
    prompter.ok(u"ไม่สามารถเขียนแฟ้มกู้คืนข้อมูลได้: "_s + session.paths.journalPath()
                + u"\nหากโปรแกรมปิดผิดปกติ ข้อมูลที่ยังไม่ได้บันทึกจะนำกลับมาไม่ได้ กรุณาบันทึกแฟ้มข้อมูลบ่อย ๆ"_s);
}

bool BatchRecovery::offerRecovery(EntryWindow *entry)
{
    const QString path = session.paths.journalPath();
    // Only the journal of a copy of the program that is no longer running is offered.
    RecoveryJournal::ReadError error = RecoveryJournal::ReadError::None;
    const auto left = lockJournal() ? RecoveryJournal::read(path, &error) : std::nullopt;
    if (error == RecoveryJournal::ReadError::Link || error == RecoveryJournal::ReadError::NotRegular)
        prompter.ok(u"แฟ้มกู้คืนข้อมูลไม่ใช่แฟ้มปกติ (อาจเป็นลิงก์ไปยังแฟ้มอื่น) โปรแกรมจึงไม่อ่านแฟ้มนี้: "_s + path);
    bool restored = false;
    // A saved batch is in its file and an empty one holds nothing: only unsaved records
    // are worth a question.
    if (left && !left->saved && left->baseChanged) {
        // Its changes were made to the file as it was; the file holds something else now
        // (saved again since): never offered over it.
        prompter.ok(u"ข้อมูลที่ยังไม่ได้บันทึกของแฟ้ม "_s + left->filePath + u" จากการใช้งานครั้งก่อน (เขียนลงแฟ้มกู้คืนครั้งสุดท้ายเมื่อ "_s
                    + left->lastWrite.toString(u"dd/MM/yyyy HH:mm"_s)
                    + u") นำกลับมาไม่ได้ เพราะแฟ้มนี้ถูกบันทึกหรือแก้ไขหลังจากนั้น"_s);
    } else if (left && !left->saved && !left->lines.isEmpty() && entry) {
        const bool named = !left->filePath.isEmpty() && !left->filePath.contains(u"Noname.txt"_s);
        const QString count = QString::number(left->lines.size());
        const QString ask = named ? u"พบข้อมูลที่ยังไม่ได้บันทึกของแฟ้ม "_s + left->filePath + u" จากการใช้งานครั้งก่อน จำนวน "_s
                                        + count + u" รายการ ต้องการนำกลับมาหรือไม่"_s
                                  : u"พบข้อมูลที่ยังไม่ได้บันทึกจากการใช้งานครั้งก่อน จำนวน "_s + count
                                        + u" รายการ ต้องการนำกลับมาหรือไม่"_s;
        // Only an explicit "ไม่ใช่" gives the orders up: Esc leaves the question standing.
        if (prompter.yesNoWithoutEscape(ask) == Prompter::Answer::Yes) {
            // Back as it was when the program stopped, the last record keyed on screen
            // so that keying goes on where it stopped.
            m_watch->live = nullptr;
            batch.restore(left->lines, left->filePath.isEmpty() ? session.paths.nonamePath() : left->filePath);
            entry->setCaption(session.EntryBaseCaption + u"   "_s + batch.CurrentFilePath());
            entry->showCurrentRecord(EntryWindow::FocusOn::AddButton);
            restored = true;
            // The journal it came from goes on as it is: the batch is never without one
            // complete journal, not even while a fresh copy would be written.
            if (m_journal && m_journal->resume(*left)) {
                m_watch->live = m_journal.get();
                return true;
            }
        }
    }
    beginJournal();
    return restored;
}

}  // namespace vorlane
