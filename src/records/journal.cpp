#include "records/journal.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

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

} // namespace

// A flush to the disk takes from under a millisecond to tens of milliseconds; keying must
// not wait for it. The change is written (a killed program loses nothing) and a thread
// flushes it right after, on a duplicate of the file handle, so the journal can be
// closed or started afresh meanwhile. Requests that pile up are served by one flush.
struct RecoveryJournal::Syncer {
    std::mutex mutex;
    std::condition_variable wake;
    int fd = -1;
    bool stop = false;
    std::atomic<bool> failed{false};
    std::thread thread{[this] { run(); }};

    ~Syncer()
    {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        wake.notify_one();
        thread.join();
    }
    void request(int handle)
    {
        const int copy = ::dup(handle);
        if (copy < 0) {
            failed = true;
            return;
        }
        int superseded = -1;
        {
            std::lock_guard lock(mutex);
            superseded = fd;
            fd = copy;
        }
        wake.notify_one();
        if (superseded >= 0)
            ::close(superseded);  // the same file: the newer request's flush covers it
    }
    void run()
    {
        for (;;) {
            int d = -1;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return stop || fd >= 0; });
                if (fd < 0)
                    return;
                d = std::exchange(fd, -1);
            }
            if (::fdatasync(d) != 0)
                failed = true;
            ::close(d);
        }
    }
};

RecoveryJournal::RecoveryJournal(QString path) : m_path(std::move(path)) {}

RecoveryJournal::~RecoveryJournal()
{
    // Closing is not a clean end: the journal stays until discard(). A pending flush
    // still runs before the thread ends.
    m_syncer.reset();
    m_file.close();
}

bool RecoveryJournal::isWorking() const
{
    return m_file.isOpen() && !m_failed && !(m_syncer && m_syncer->failed);
}

bool RecoveryJournal::begin(const QStringList &lines, const QString &filePath, bool saved)
{
    // The fresh start holds every change still waiting to be written.
    m_pending.clear();
    m_file.close();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_file.setFileName(m_path);
    m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (m_failed)
        return false;
    m_filePath = filePath;
    m_saved = saved;
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
    m_failed = m_file.write(out) != out.size() || !m_file.flush();
    if (!m_failed)
        sync();
    return !m_failed;
}

void RecoveryJournal::append(QChar op, qsizetype index, const QString &text)
{
    if (!m_file.isOpen() || m_failed)
        return;
    QByteArray out;
    out += char(op.unicode());
    if (index >= 0)
        out += '\t' + QByteArray::number(index);
    if (!text.isNull())
        out += '\t' + escape(text).toUtf8();
    out += '\n';
    if (m_holds > 0) {
        m_pending += out;
        return;
    }
    m_failed = m_file.write(out) != out.size() || !m_file.flush();
    // Each change must survive a power cut that follows it.
    if (!m_failed)
        sync();
}

void RecoveryJournal::sync()
{
    if (!m_file.isOpen())
        return;
    if (!m_syncer)
        m_syncer = std::make_unique<Syncer>();
    m_syncer->request(m_file.handle());
}

void RecoveryJournal::releaseSync()
{
    if (m_holds == 0 || --m_holds > 0 || m_pending.isEmpty())
        return;
    // One write for the whole action, marked so that a cut-off group is not replayed.
    const QByteArray out = "G\n" + m_pending + "g\n";
    m_pending.clear();
    if (!m_file.isOpen() || m_failed)
        return;
    m_failed = m_file.write(out) != out.size() || !m_file.flush();
    if (!m_failed)
        sync();
}

void RecoveryJournal::noteFile(const QString &filePath)
{
    if (m_file.isOpen())
        m_filePath = filePath;
    append(u'P', -1, filePath.isNull() ? QStringLiteral("") : filePath);
}

void RecoveryJournal::noteSaved(bool saved)
{
    if (m_file.isOpen())
        m_saved = saved;
    append(u'V', saved ? 1 : 0, QString());
}
void RecoveryJournal::stored(qsizetype index, const QString &line) { append(u'S', index, line.isNull() ? QStringLiteral("") : line); }
void RecoveryJournal::inserted(qsizetype index, const QString &line) { append(u'I', index, line.isNull() ? QStringLiteral("") : line); }
void RecoveryJournal::removed(qsizetype index) { append(u'D', index, QString()); }
void RecoveryJournal::cleared() { append(u'C', -1, QString()); }

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
    m_pending.clear();
    m_file.close();
    QFile::remove(m_path);
}

std::optional<RecoveryJournal::Recovered> RecoveryJournal::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray all = f.readAll();
    Recovered r;
    bool begun = false, inBegin = false;
    // A last line without its line end was cut off while being written: it is not used.
    // The changes of one action come between "G" and "g" and count only when complete.
    QStringList changes, group;
    bool inGroup = false;
    for (qsizetype start = 0;;) {
        const qsizetype nl = all.indexOf('\n', start);
        if (nl < 0)
            break;
        const QString line = QString::fromUtf8(all.constData() + start, nl - start);
        start = nl + 1;
        if (line == u"G") {
            inGroup = true;
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
            r = Recovered{};
            r.saved = parts.value(1) == u"1";
            r.filePath = unescape(parts.value(2));
        } else if (!begun) {
            continue;
        } else if (op == u"L" && inBegin) {
            r.lines.append(unescape(parts.value(1)));
        } else if (op == u"E") {
            inBegin = false;
        } else if (op == u"P") {
            r.filePath = unescape(parts.value(1));
        } else if (op == u"V") {
            r.saved = parts.value(1) == u"1";
        } else if (op == u"C") {
            r.lines.clear();
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
