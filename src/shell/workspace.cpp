#include "shell/workspace.h"

#include "entry/entrywindow.h"
#include "records/journal.h"
#include "shell/commandbutton.h"
#include "shell/mainwindow.h"

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
    JournalHook(Workspace &ws, const QString &path) : journal(path), m_ws(ws), m_lock(path + u".lock"_s)
    {
        // A second copy of the program must neither take over nor offer back the batch of
        // the first; a lock left by a crashed copy is taken over.
        QDir().mkpath(QFileInfo(path).absolutePath());
        m_lock.setStaleLockTime(0);
        locked = m_lock.tryLock(0);
        // A folder that cannot be written is told apart from another copy: the journal
        // then fails to open and says so.
        otherCopy = !locked && m_lock.error() == QLockFile::LockFailedError;
    }
    ~JournalHook() override
    {
        if (locked)
            m_lock.unlock();
    }
    bool locked = false;
    bool otherCopy = false;

    void begin()
    {
        const SessionState &st = m_ws.state;
        journal.begin(m_ws.session.lstMO.lines(), st.CurrentFilePath, st.IsSaved);
        m_path = st.CurrentFilePath;
        m_saved = st.IsSaved;
    }

    void note()
    {
        const SessionState &st = m_ws.state;
        if (st.CurrentFilePath != m_path) {
            groupChanges();
            journal.noteFile(st.CurrentFilePath);
            m_path = st.CurrentFilePath;
        }
        if (st.IsSaved != m_saved) {
            groupChanges();
            journal.noteSaved(st.IsSaved);
            m_saved = st.IsSaved;
        }
    }

    void stored(qsizetype index, const QString &line) override
    {
        before();
        journal.stored(index, line);
    }
    void inserted(qsizetype index, const QString &line) override
    {
        before();
        journal.inserted(index, line);
    }
    void removed(qsizetype index) override
    {
        before();
        journal.removed(index);
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

    RecoveryJournal journal;

private:
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
            if (!journal.isWorking())
                m_ws.reportRecoveryOff();
        });
    }

    Workspace &m_ws;
    QString m_path;
    bool m_saved = false;
    bool m_holding = false;
    QLockFile m_lock;
    QObject m_guard;  // no pending group outlives the hook
};

Workspace::Workspace(Session &s, Prompter &p) : session(s), state(s.state), prompter(p) {}

Workspace::~Workspace()
{
    if (m_journal)
        session.lstMO.setObserver(nullptr);
}

QWidget *Workspace::workArea() const { return main ? main->workArea() : nullptr; }

void Workspace::setCommandButtonsVisible(bool visible)
{
    if (main)
        main->setCommandButtonsVisible(visible);
}

EntryWindow *Workspace::returnToEntry()
{
    state.CurrentIndex = state.ResumeIndex;
    EntryWindow *e = ensureEntry();
    e->show();
    setCommandButtonsVisible(true);
    e->AbandonInsertion();
    const RecordStore &store = session.lstMO;
    if (store.isEmpty()) {
        // The new-record defaults on empty fields: a half-keyed record must not keep its
        // postcode and recipient under another type (and fee).
        e->LoadLineIntoEntryFields(QString());
        e->setField(TypeCode, QStringLiteral("101"));
        e->setField(DepositorName, state.DefaultDepositorName);
        e->setField(DepositorAddress, state.DefaultDepositorAddress);
    } else {
        e->LoadLineIntoEntryFields(store.at(state.CurrentIndex));
        state.IsAdding = false;
        e->enableRecordButtons();
    }
    e->RefreshTotals();
    return e;
}

EntryWindow *Workspace::ensureEntry()
{
    if (!entry) {
        // The entry window's load reads the reference tables, once per run.
        session.tables = LoadReferenceTables(session.paths);
        if (!session.tables.missing.isEmpty())
            prompter.ok(u"อ่านแฟ้มตารางไม่ได้: "_s + session.tables.missing.join(u", "_s));
        // Said once, at the one reading of the tables.
        if (!session.tables.cut.isEmpty())
            prompter.ok(u"แฟ้มตารางยาวเกินไป อ่านเพียงบางส่วน: "_s + session.tables.cut.join(u", "_s));
        entry = new EntryWindow(*this, workArea());
    }
    return entry;
}

void Workspace::beginJournal()
{
    const QString path = session.paths.journalPath();
    if (path.isEmpty())
        return;  // recovery turned off
    if (!lockJournal())
        return;
    session.lstMO.setObserver(m_journal.get());
    m_journal->begin();
    if (!m_journal->journal.isWorking())
        reportRecoveryOff();
}

void Workspace::noteJournal()
{
    if (m_journal)
        m_journal->note();
}

void Workspace::endJournal()
{
    if (!m_journal)
        return;
    session.lstMO.setObserver(nullptr);
    m_journal->journal.discard();
    m_journal.reset();
}

bool Workspace::lockJournal()
{
    const QString path = session.paths.journalPath();
    if (path.isEmpty())
        return false;
    if (!m_journal)
        m_journal = std::make_unique<JournalHook>(*this, path);
    if (!m_journal->otherCopy)
        return true;
    m_journal.reset();
    if (!m_otherCopyShown) {
        m_otherCopyShown = true;
        prompter.ok(u"โปรแกรมนี้เปิดใช้งานอยู่แล้วอีกหน้าต่างหนึ่ง ข้อมูลที่ป้อนในหน้าต่างนี้จะนำกลับมาไม่ได้หากโปรแกรมปิดผิดปกติ"_s);
    }
    return false;
}

bool Workspace::journalWorking() const { return m_journal && m_journal->journal.isWorking(); }

void Workspace::reportRecoveryOff()
{
    // Once a run: the program works on without the journal.
    if (m_recoveryOffShown)
        return;
    m_recoveryOffShown = true;
    prompter.ok(u"ไม่สามารถเขียนแฟ้มกู้คืนข้อมูลได้: "_s + session.paths.journalPath()
                + u"\nหากโปรแกรมปิดผิดปกติ ข้อมูลที่ยังไม่ได้บันทึกจะนำกลับมาไม่ได้ กรุณาบันทึกแฟ้มข้อมูลบ่อย ๆ"_s);
}

bool Workspace::offerRecovery()
{
    // Only the journal of a copy of the program that is no longer running is offered.
    const auto left = lockJournal() ? RecoveryJournal::read(session.paths.journalPath()) : std::nullopt;
    bool restored = false;
    // A saved batch is in its file and an empty one holds nothing: only unsaved records
    // are worth a question.
    if (left && !left->saved && !left->lines.isEmpty() && entry) {
        const bool named = !left->filePath.isEmpty() && !left->filePath.contains(u"Noname.txt"_s);
        const QString count = QString::number(left->lines.size());
        const QString ask = named ? u"พบข้อมูลที่ยังไม่ได้บันทึกของแฟ้ม "_s + left->filePath
                                        + u" จากการใช้งานครั้งก่อน จำนวน "_s + count
                                        + u" รายการ ต้องการนำกลับมาหรือไม่"_s
                                  : u"พบข้อมูลที่ยังไม่ได้บันทึกจากการใช้งานครั้งก่อน จำนวน "_s + count
                                        + u" รายการ ต้องการนำกลับมาหรือไม่"_s;
        if (prompter.yesNo(ask) == Prompter::Answer::Yes) {
            // Back as it was when the program stopped, the last record keyed on screen
            // so that keying goes on where it stopped.
            session.lstMO.setObserver(nullptr);
            entry->AbandonInsertion();
            session.lstMO.assign(left->lines);
            state.CurrentFilePath = left->filePath.isEmpty() ? session.paths.nonamePath() : left->filePath;
            state.IsSaved = false;
            state.IsAdding = false;
            state.CurrentIndex = int(session.lstMO.count() - 1);
            entry->LoadLineIntoEntryFields(session.lstMO.at(state.CurrentIndex));
            entry->RefreshTotals();
            entry->enableRecordButtons();
            entry->setCaption(state.EntryBaseCaption + u"   "_s + state.CurrentFilePath);
            entry->Cmdadd->setFocus(Qt::OtherFocusReason);
            restored = true;
        }
    }
    beginJournal();
    return restored;
}

} // namespace vorlane
