#include "records/journal.h"

#include "records/journalformat.h"
#include "records/journalworker.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlane {

using namespace journalformat;

namespace {

bool writeAll(int fd, const char *p, qsizetype n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, size_t(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= w;
    }
    return true;
}

// The state folder is created for the owner alone; its parents as usual.
bool ensureFolder(const QString &dir)
{
    if (QFileInfo(dir).isDir())
        return true;
    QDir().mkpath(QFileInfo(dir).absolutePath());
    return ::mkdir(encoded(dir).constData(), 0700) == 0 || errno == EEXIST;
}

bool syncFolder(const QString &dir)
{
    const int d = ::open(encoded(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0)
        return false;
    const bool ok = ::fsync(d) == 0;
    ::close(d);
    return ok;
}

} // namespace

RecoveryJournal::RecoveryJournal(QString path) : m_path(std::move(path)) {}

RecoveryJournal::~RecoveryJournal()
{
    // Closing is not a clean end: the journal stays until discard(). A pending flush or
    // rename still runs before the thread ends.
    m_worker.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RecoveryJournal::isWorking() const { return m_fd >= 0 && !m_failed && !(m_worker && m_worker->failed); }

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
    if (m_fd >= 0) {
        if (::unlink(encoded(m_path).constData()) != 0 && errno != ENOENT)
            (void)::ftruncate(m_fd, 0);
        ::close(m_fd);
        m_fd = -1;
    } else {
        ::unlink(encoded(m_path).constData());
    }
    ::unlink(encoded(m_path + QStringLiteral(".new")).constData());
}

bool RecoveryJournal::startFresh(const QByteArray &content, const QString &filePath, bool saved, qsizetype count,
                                 bool background)
{
    // Only a rename still under way is waited for; flushes of the old file are not.
    settleSwap();
    m_pending.clear();
    m_shift = {};
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
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
    ::unlink(encoded(fresh).constData());
    const int fd = ensureFolder(dir)
                       ? ::open(encoded(fresh).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)
                       : -1;
    if (fd < 0) {
        fail();
        return false;
    }
    if (!writeAll(fd, content.constData(), content.size())) {
        ::close(fd);
        fail();
        return false;
    }
    m_fd = fd;
    m_bytes = content.size();
    if (!m_worker)
        m_worker = std::make_unique<Worker>();
    const int copy = ::dup(fd);
    if (copy < 0) {
        fail();
        return false;
    }
    struct stat old {};
    if (!background || (::lstat(encoded(m_path).constData(), &old) != 0 && errno == ENOENT)) {
        // In place at once, flushed right after on the worker: a kill from here on finds
        // this start, and the window never waits for the disk. Only a compaction keeps
        // the old journal until the new one is on the disk, as both hold the same batch;
        // a new start follows the user's own choice to leave the batch before it.
        if (::rename(encoded(fresh).constData(), encoded(m_path).constData()) != 0) {
            ::close(copy);
            fail();
            return false;
        }
        m_worker->post([w = m_worker.get(), copy, dir] {
            const bool ok = ::fdatasync(copy) == 0;
            ::close(copy);
            if (!ok || !syncFolder(dir))
                w->failed = true;
        });
        return true;
    }
    // Complete on the disk before it replaces the old one; the old one stays until then.
    m_swapPending = true;
    m_worker->post([w = m_worker.get(), copy, from = encoded(fresh), to = encoded(m_path), dir] {
        bool ok = ::fdatasync(copy) == 0;
        ::close(copy);
        ok = ok && ::rename(from.constData(), to.constData()) == 0;
        ok = ok && syncFolder(dir);
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
    if (m_fd < 0 || m_failed)
        return false;
    settleSwap();
    if (m_worker && m_worker->failed) {
        fail();
        return false;
    }
    if (!writeAll(m_fd, bytes.constData(), bytes.size())) {
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
    if (m_fd < 0)
        return;
    if (!m_worker)
        m_worker = std::make_unique<Worker>();
    // Requests that pile up are served by one flush.
    if (m_worker->syncQueued.exchange(true))
        return;
    const int copy = ::dup(m_fd);
    if (copy < 0) {
        m_worker->failed = true;
        return;
    }
    m_worker->post([w = m_worker.get(), copy] {
        w->syncQueued = false;
        if (::fdatasync(copy) != 0)
            w->failed = true;
        ::close(copy);
    });
}

void RecoveryJournal::put(const QByteArray &entry)
{
    if (m_fd < 0 || m_failed)
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
    if (m_fd < 0)
        return;
    flushShift();
    m_filePath = filePath;
    put(change('P', -1, filePath.isNull() ? QStringLiteral("") : filePath));
}

void RecoveryJournal::noteSaved(bool saved)
{
    if (m_fd < 0)
        return;
    flushShift();
    m_saved = saved;
    put(change('V', saved ? 1 : 0, QString()));
}

void RecoveryJournal::stored(qsizetype index, const QString &line, const QString &previous)
{
    countLine(previous, -1);
    countLine(line, 1);
    if (m_fd < 0 || m_failed)
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
    if (m_fd < 0 || m_failed)
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
    if (m_fd < 0)
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
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    ::unlink(encoded(m_path).constData());
    ::unlink(encoded(m_path + QStringLiteral(".new")).constData());
}

} // namespace vorlane
