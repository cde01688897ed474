#include "records/journal.h"

#include "records/journalformat.h"
#include "records/journalworker.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace vorlane {

using namespace journalformat;

namespace {

bool writeAll(platform::File &file, const char *p, qsizetype n)
{
    platform::Error ignored;
    return file.write(p, n, ignored);
}

}  // namespace

RecoveryJournal::RecoveryJournal(QString path) : m_path(std::move(path)) {}

RecoveryJournal::~RecoveryJournal()
{
    // Closing is not a clean end: the journal stays until discard(). A pending flush or
    // rename still runs before the thread ends.
    m_worker.reset();
}

bool RecoveryJournal::isWorking() const { return m_file.isOpen() && !m_failed && !(m_worker && m_worker->failed); }

void RecoveryJournal::settleSwap()
{
    if (!m_swapPending)
        return;
    m_worker->waitIdle();
    m_swapPending = false;
}

// A journal that missed a change must never be offered as the batch: it goes. Removing a
// file works on a full disk; what cannot be removed is emptied.
void RecoveryJournal::fail()
{
    if (m_worker)
        m_worker->waitIdle();
    m_swapPending = false;
    m_failed = true;
    m_pending.clear();
    m_shift = {};
    if (m_file.isOpen()) {
        if (!platform::RemoveFile(m_path))
            (void)m_file.resize(0);
        m_file.close();
    } else {
        platform::RemoveFile(m_path);
    }
    platform::RemoveFile(m_path + QStringLiteral(".new"));
}

bool RecoveryJournal::startFresh(const QByteArray &content, const QString &filePath, bool saved, qsizetype count,
                                 bool background)
{
    // Only a rename still under way is waited for; flushes of the old file are not.
    settleSwap();
    m_pending.clear();
    m_shift = {};
    m_file.close();
    m_failed = false;
    if (m_worker)
        m_worker->failed = false;
    m_filePath = filePath;
    m_saved = saved;
    m_count = count;
    m_copyBytes.reset();
    const QString dir = QFileInfo(m_path).absolutePath();
    const QString fresh = m_path + QStringLiteral(".new");
    // A leftover, or a link planted in its place, is removed (never followed) first.
    platform::RemoveFile(fresh);
    platform::File file;
    if (!platform::MakePrivateFolder(dir) || file.create(fresh, 0600)) {
        fail();
        return false;
    }
    if (!writeAll(file, content.constData(), content.size())) {
        file.close();
        fail();
        return false;
    }
    m_file = std::move(file);
    m_bytes = content.size();
    if (!m_worker)
        m_worker = std::make_unique<Worker>();
    auto copy = std::make_shared<platform::File>(m_file.duplicate());
    if (!copy->isOpen()) {
        fail();
        return false;
    }
    const platform::PathInfo old = platform::Inspect(m_path, false);
    if (!background || (old.kind == platform::Kind::Missing && !old.link)) {
        // In place at once, flushed right after on the worker: a kill from here on finds
        // this start, and the window never waits for the disk. Only a compaction keeps
        // the old journal until the new one is on the disk, as both hold the same batch;
        // a new start follows the user's own choice to leave the batch before it.
        if (platform::ReplaceFile(fresh, m_path)) {
            fail();
            return false;
        }
        m_worker->post([w = m_worker.get(), copy, dir] {
            const bool ok = copy->syncData();
            copy->close();
            if (!ok || !platform::SyncFolder(dir))
                w->failed = true;
        });
        return true;
    }
    // Complete on the disk before it replaces the old one; the old one stays until then.
    m_swapPending = true;
    m_worker->post([w = m_worker.get(), copy, fresh, to = m_path, dir] {
        bool ok = copy->syncData();
        copy->close();
        ok = ok && !platform::ReplaceFile(fresh, to);
        ok = ok && platform::SyncFolder(dir);
        if (!ok)
            w->failed = true;
    });
    return true;
}

bool RecoveryJournal::beginFromFile(const QStringList &lines, const QString &filePath, const FileStamp &stamp,
                                    bool saved)
{
    qint64 chars = 0;
    for (const QString &l : lines)
        chars += l.size() + 3;
    return startFromFile(lines.size(), chars, filePath, stamp, saved);
}

bool RecoveryJournal::beginFromFile(const RecordStore &lines, const QString &filePath, const FileStamp &stamp,
                                    bool saved)
{
    return startFromFile(lines.count(), lines.textSize() + 3 * qint64(lines.count()), filePath, stamp, saved);
}

bool RecoveryJournal::startFromFile(qsizetype count, qint64 chars, const QString &filePath, const FileStamp &stamp,
                                    bool saved)
{
    QByteArray out = "B\t" + QByteArray(saved ? "1" : "0") + '\t' + escape(filePath).toUtf8() + '\n';
    out += "F\t" + QByteArray::number(stamp.size) + '\t' + QByteArray::number(stamp.mtimeNs) + '\t'
           + stamp.checksum.toHex() + '\t' + escape(filePath).toUtf8() + '\n';
    out += "E\n";
    m_chars = chars;
    // A kill right after a save or an open must find this start, not the batch before it.
    return startFresh(out, filePath, saved, count, false) && settleStart();
}

bool RecoveryJournal::settleStart()
{
    settleSwap();
    if (m_worker && m_worker->failed) {
        fail();
        return false;
    }
    return true;
}

bool RecoveryJournal::writeNow(const QByteArray &bytes)
{
    if (!m_file.isOpen() || m_failed)
        return false;
    settleSwap();
    if (m_worker && m_worker->failed) {
        fail();
        return false;
    }
    if (!writeAll(m_file, bytes.constData(), bytes.size())) {
        fail();
        return false;
    }
    m_bytes += bytes.size();
    // Each change must survive a power cut that follows it.
    requestSync();
    return true;
}

void RecoveryJournal::requestSync()
{
    if (!m_file.isOpen())
        return;
    if (!m_worker)
        m_worker = std::make_unique<Worker>();
    // Requests that pile up are served by one flush.
    if (m_worker->syncQueued.exchange(true))
        return;
    auto copy = std::make_shared<platform::File>(m_file.duplicate());
    if (!copy->isOpen()) {
        m_worker->failed = true;
        return;
    }
    m_worker->post([w = m_worker.get(), copy] {
        w->syncQueued = false;
        if (!copy->syncData())
            w->failed = true;
        copy->close();
    });
}

void RecoveryJournal::put(const QByteArray &entry)
{
    if (!m_file.isOpen() || m_failed)
        return;
    if (m_holds > 0)
        m_pending += entry;
    else
        writeNow(entry);
}

void RecoveryJournal::flushShift()
{
    if (m_shift.start < 0)
        return;
    const QByteArray entries = std::exchange(m_shift, {}).entries;
    put(entries);
}

void RecoveryJournal::releaseSync()
{
    if (m_holds == 0 || --m_holds > 0)
        return;
    flushShift();
    if (m_pending.isEmpty())
        return;
    // One write for the whole action, marked so that a cut-off group is not replayed.
    const QByteArray out = "G\n" + m_pending + "g\n";
    m_pending.clear();
    writeNow(out);
}

void RecoveryJournal::noteFile(const QString &filePath)
{
    if (!m_file.isOpen())
        return;
    flushShift();
    m_filePath = filePath;
    put(change('P', -1, filePath.isNull() ? QStringLiteral("") : filePath));
}

void RecoveryJournal::noteSaved(bool saved)
{
    if (!m_file.isOpen())
        return;
    flushShift();
    m_saved = saved;
    put(change('V', saved ? 1 : 0, QString()));
}

void RecoveryJournal::stored(qsizetype index, const QString &line, const QString &previous)
{
    countLine(previous, -1);
    countLine(line, 1);
    if (!m_file.isOpen() || m_failed)
        return;
    const QString text = line.isNull() ? QStringLiteral("") : line;
    if (m_holds > 0) {
        // The next store of a run that moves lines down one place.
        if (m_shift.start >= 0 && index == m_shift.next && line == m_shift.carry) {
            m_shift.entries += change('S', index, text);
            m_shift.carry = previous;
            ++m_shift.next;
            return;
        }
        flushShift();
        m_shift.start = index;
        m_shift.next = index + 1;
        m_shift.first = text;
        m_shift.carry = previous;
        m_shift.entries = change('S', index, text);
        return;
    }
    put(change('S', index, text));
}

void RecoveryJournal::inserted(qsizetype index, const QString &line)
{
    countLine(line, 1);
    const bool appended = index == m_count;
    ++m_count;
    if (!m_file.isOpen() || m_failed)
        return;
    // A run closed by appending the line the last store replaced: one insertion.
    if (m_shift.start >= 0 && appended && index == m_shift.next && line == m_shift.carry) {
        const Shift run = std::exchange(m_shift, {});
        put(change('I', run.start, run.first));
        return;
    }
    flushShift();
    put(change('I', index, line.isNull() ? QStringLiteral("") : line));
}

void RecoveryJournal::removed(qsizetype index, const QString &line)
{
    countLine(line, -1);
    m_count = qMax<qsizetype>(0, m_count - 1);
    flushShift();
    put(change('D', index, QString()));
}

void RecoveryJournal::cleared()
{
    m_count = 0;
    m_chars = 0;
    if (m_copyBytes)
        m_copyBytes = 0;
    flushShift();
    put(change('C', -1, QString()));
}

void RecoveryJournal::assigned(const QStringList &lines)
{
    if (!m_file.isOpen())
        return;
    // A whole new batch: start over from it rather than grow the journal. The file's name
    // and saved state are kept as last noted, not read back from the journal: that would
    // parse the whole previous batch at every opening.
    const QString path = m_filePath;
    begin(lines, path, m_saved);
}

void RecoveryJournal::discard()
{
    if (m_worker)
        m_worker->waitIdle();
    m_swapPending = false;
    m_pending.clear();
    m_shift = {};
    m_file.close();
    platform::RemoveFile(m_path);
    platform::RemoveFile(m_path + QStringLiteral(".new"));
}

}  // namespace vorlane
