#include "records/journal.h"

#include "records/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlane {
namespace {

// One change a line: an operation letter, then tab-separated fields. Record lines never
// hold line ends, but a pasted tab or backslash must not break the format.
QString escape(const QString &s)
{
    // Nearly every line has none of them: no copy then.
    bool plain = true;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        plain &= u != u'\\' && (u > u'\r' || (u != u'\t' && u != u'\n' && u != u'\r'));
    }
    if (plain)
        return s;
    QString out;
    out.reserve(s.size() + 8);
    for (QChar c : s) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// escape(s).toUtf8() appended to `out`, in one pass without a copy of the line: opening a
// batch of a hundred thousand Thai lines writes them all. A line with a surrogate goes
// the long way, so the bytes are always exactly those.
void appendEscapedUtf8(QByteArray &out, const QString &s)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(s.constData());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] >= 0xD800 && p[i] <= 0xDFFF) {
            out += escape(s).toUtf8();
            return;
        }
    }
    const qsizetype at = out.size();
    out.resize(at + 3 * n);
    char *d = out.data() + at;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x80) {
            switch (c) {
            case u'\\': *d++ = '\\', *d++ = '\\'; break;
            case u'\t': *d++ = '\\', *d++ = 't'; break;
            case u'\n': *d++ = '\\', *d++ = 'n'; break;
            case u'\r': *d++ = '\\', *d++ = 'r'; break;
            default: *d++ = char(c);
            }
        } else if (c < 0x800) {
            *d++ = char(0xC0 | (c >> 6));
            *d++ = char(0x80 | (c & 0x3F));
        } else {
            *d++ = char(0xE0 | (c >> 12));
            *d++ = char(0x80 | ((c >> 6) & 0x3F));
            *d++ = char(0x80 | (c & 0x3F));
        }
    }
    out.resize(d - out.constData());
}

QString unescape(QStringView s)
{
    if (!s.contains(u'\\'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar n = s[++i];
            out += n == u't' ? QChar(u'\t') : n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

// Bytes a line takes in a copy of the batch ("L", tab, UTF-8, line end).
qint64 copyBytes(const QString &line)
{
    qint64 n = 3;
    for (const QChar c : line)
        n += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    return n;
}

QByteArray change(char op, qsizetype index, const QString &text)
{
    QByteArray out;
    out += op;
    if (index >= 0)
        out += '\t' + QByteArray::number(index);
    if (!text.isNull()) {
        out += '\t';
        appendEscapedUtf8(out, text);
    }
    out += '\n';
    return out;
}

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

// A flush to the disk takes from under a millisecond to tens of milliseconds; keying must
// not wait for it. A change is written at once (a killed program loses nothing) and this
// thread flushes it right after, on a duplicate of the file handle. It also puts a fresh
// journal in place: flush it, rename it over the old one, flush the folder.
struct RecoveryJournal::Worker {
    std::mutex mutex;
    std::condition_variable wake, idle;
    std::deque<std::function<void()>> jobs;
    bool stop = false, busy = false;
    std::atomic<bool> failed{false};
    std::atomic<bool> syncQueued{false};
    std::thread thread{[this] { run(); }};

    ~Worker()
    {
        // Jobs still queued run first: a rename asked for is never dropped.
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        wake.notify_one();
        thread.join();
    }
    void post(std::function<void()> job)
    {
        {
            std::lock_guard lock(mutex);
            jobs.push_back(std::move(job));
        }
        wake.notify_one();
    }
    void waitIdle()
    {
        std::unique_lock lock(mutex);
        idle.wait(lock, [this] { return jobs.empty() && !busy; });
    }
    void run()
    {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return stop || !jobs.empty(); });
                if (jobs.empty()) {
                    idle.notify_all();
                    return;
                }
                job = std::move(jobs.front());
                jobs.pop_front();
                busy = true;
            }
            job();
            {
                std::lock_guard lock(mutex);
                busy = false;
            }
            idle.notify_all();
        }
    }
};

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

bool RecoveryJournal::startFresh(const QByteArray &content, const QString &filePath, bool saved, qsizetype count)
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
    if (::lstat(encoded(m_path).constData(), &old) != 0 && errno == ENOENT) {
        // Nothing to replace: in place at once, flushed right after.
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

bool RecoveryJournal::begin(const QStringList &lines, const QString &filePath, bool saved, bool background)
{
    QByteArray out = "B\t" + QByteArray(saved ? "1" : "0") + '\t' + escape(filePath).toUtf8() + '\n';
    qsizetype chars = 0;
    for (const QString &l : lines)
        chars += l.size() + 3;
    out.reserve(out.size() + chars * 3 + 2);  // Thai letters are three bytes in UTF-8
    for (const QString &l : lines) {
        out += "L\t";
        appendEscapedUtf8(out, l);
        out += '\n';
    }
    out += "E\n";
    m_chars = chars;
    const qint64 copy = out.size();
    const bool ok = startFresh(out, filePath, saved, lines.size());
    m_copyBytes = copy;
    // Only a compaction, whose old journal holds the same batch, may finish later: a new
    // batch, name or save must be what a kill right after it finds.
    if (ok && !background)
        return settleStart();
    return ok;
}

bool RecoveryJournal::beginFromFile(const QStringList &lines, const QString &filePath, const FileStamp &stamp,
                                    bool saved)
{
    QByteArray out = "B\t" + QByteArray(saved ? "1" : "0") + '\t' + escape(filePath).toUtf8() + '\n';
    out += "F\t" + QByteArray::number(stamp.size) + '\t' + QByteArray::number(stamp.mtimeNs) + '\t'
           + stamp.checksum.toHex() + '\t' + escape(filePath).toUtf8() + '\n';
    out += "E\n";
    qint64 chars = 0;
    for (const QString &l : lines)
        chars += l.size() + 3;
    m_chars = chars;
    // A kill right after a save or an open must find this start, not the batch before it.
    return startFresh(out, filePath, saved, lines.size()) && settleStart();
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

bool RecoveryJournal::resume(const Recovered &r)
{
    if (m_worker)
        m_worker->waitIdle();
    if (m_fd >= 0)
        ::close(m_fd);
    m_swapPending = false;
    m_pending.clear();
    m_shift = {};
    m_fd = ::open(encoded(m_path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    m_failed = false;
    if (m_worker)
        m_worker->failed = false;
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fchmod(m_fd, 0600) != 0
        || ::ftruncate(m_fd, r.validBytes) != 0 || ::lseek(m_fd, 0, SEEK_END) != r.validBytes) {
        fail();
        return false;
    }
    m_bytes = r.validBytes;
    m_filePath = r.filePath;
    m_saved = r.saved;
    m_count = r.lines.size();
    m_chars = 0;
    for (const QString &l : r.lines)
        m_chars += l.size() + 3;
    m_copyBytes.reset();
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

bool RecoveryJournal::wantsCompaction(const QStringList &lines)
{
    if (!isWorking() || m_holds > 0)
        return false;
    // Cheap test first: a copy takes at least a byte a character.
    if (m_bytes <= 2 * m_chars + 4096)
        return false;
    if (!m_copyBytes) {
        // Worked out once, then kept up to date change by change.
        qint64 n = 0;
        for (const QString &l : lines)
            n += copyBytes(l);
        m_copyBytes = n;
    }
    return m_bytes > 2 * *m_copyBytes + 4096;
}

void RecoveryJournal::countLine(const QString &line, int sign)
{
    m_chars += sign * (line.size() + 3);
    if (m_copyBytes)
        *m_copyBytes += sign * copyBytes(line);
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

std::optional<RecoveryJournal::Recovered> RecoveryJournal::read(const QString &path, ReadError *error)
{
    auto failWith = [&](ReadError e) -> std::optional<Recovered> {
        if (error)
            *error = e;
        return std::nullopt;
    };
    if (error)
        *error = ReadError::None;
    // Never through a link, never a pipe or a device.
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failWith(errno == ENOENT ? ReadError::Missing : errno == ELOOP ? ReadError::Link : ReadError::Unreadable);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failWith(ReadError::NotRegular);
    }
    constexpr qint64 kMaxJournalBytes = qint64(2) << 30;
    if (st.st_size > kMaxJournalBytes) {
        ::close(fd);
        return failWith(ReadError::Unreadable);
    }
    QByteArray all(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < all.size()) {
        const ssize_t n = ::read(fd, all.data() + got, size_t(all.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    all.truncate(got);

    Recovered r;
    r.lastWrite = QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000);
    bool begun = false, inBegin = false;
    // A last line without its line end was cut off while being written: it is not used.
    // The changes of one action come between "G" and "g" and count only when complete.
    QStringList changes, group;
    bool inGroup = false;
    qsizetype groupStart = 0, end = 0;
    for (qsizetype start = 0;;) {
        const qsizetype nl = all.indexOf('\n', start);
        if (nl < 0)
            break;
        const QString line = QString::fromUtf8(all.constData() + start, nl - start);
        if (line == u"G") {
            inGroup = true;
            groupStart = start;
            group.clear();
        } else if (line == u"g") {
            changes += group;
            group.clear();
            inGroup = false;
        } else if (line.startsWith(u'B')) {
            // A fresh start supersedes a group it cut off.
            inGroup = false;
            group.clear();
            changes.append(line);
        } else {
            (inGroup ? group : changes).append(line);
        }
        start = nl + 1;
        end = start;
    }
    r.validBytes = inGroup ? groupStart : end;
    // Whether the batch ends saved decides whether a file it was based on is worth reading.
    bool finalSaved = false;
    for (const QString &line : std::as_const(changes)) {
        if (line.startsWith(u"B\t"))
            finalSaved = line.section(u'\t', 1, 1) == u"1";
        else if (line.startsWith(u"V\t"))
            finalSaved = line.section(u'\t', 1, 1) == u"1";
    }
    for (const QString &line : std::as_const(changes)) {
        const QStringList parts = line.split(u'\t');
        const QString op = parts.value(0);
        auto index = [&](qsizetype &out) {
            bool ok = false;
            out = parts.value(1).toLongLong(&ok);
            return ok;
        };
        if (op == u"B") {
            begun = inBegin = true;
            const qint64 keep = r.validBytes;
            const QDateTime when = r.lastWrite;
            r = Recovered{};
            r.validBytes = keep;
            r.lastWrite = when;
            r.saved = parts.value(1) == u"1";
            r.filePath = unescape(parts.value(2));
        } else if (!begun) {
            continue;
        } else if (op == u"L" && inBegin) {
            r.lines.append(unescape(parts.value(1)));
        } else if (op == u"F" && inBegin) {
            // The batch was this file's records as the stamp describes them.
            r.baseChanged = false;
            r.lines.clear();
            if (finalSaved)
                continue;  // in its file already: nothing to rebuild
            FileStamp want;
            want.valid = true;
            want.size = parts.value(1).toLongLong();
            want.checksum = QByteArray::fromHex(parts.value(3).toLatin1());
            const ReadResult base = ReadDataFile(unescape(parts.value(4)));
            if (!want.checksum.isEmpty() && base.ok() && SameContents(base.stamp, want))
                r.lines = base.lines;
            else
                r.baseChanged = true;
        } else if (op == u"E") {
            inBegin = false;
        } else if (op == u"P") {
            r.filePath = unescape(parts.value(1));
        } else if (op == u"V") {
            r.saved = parts.value(1) == u"1";
        } else if (op == u"C") {
            r.lines.clear();
            r.baseChanged = false;
        } else if (qsizetype i = 0; op == u"S" && index(i)) {
            if (i >= 0 && i < r.lines.size())
                r.lines[i] = unescape(parts.value(2));
            else if (i == r.lines.size())
                r.lines.append(unescape(parts.value(2)));
        } else if (op == u"I" && index(i)) {
            r.lines.insert(qBound<qsizetype>(0, i, r.lines.size()), unescape(parts.value(2)));
        } else if (op == u"D" && index(i)) {
            if (i >= 0 && i < r.lines.size())
                r.lines.removeAt(i);
        }
    }
    if (!begun || inBegin)
        return std::nullopt;
    return r;
}

} // namespace vorlane
