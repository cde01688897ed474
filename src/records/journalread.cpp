#include "records/journal.h"

#include "records/journalformat.h"
#include "records/journalworker.h"
#include "records/datafile.h"

#include <QCryptographicHash>

#include <algorithm>

// Reading back what a journal left behind, and going on with it.
namespace vorlane {

using namespace journalformat;

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
    platform::File file;
    if (const platform::Error e = file.open(path, platform::File::Open::ReadNoLink)) {
        switch (e.fault) {
        case platform::Fault::Missing: return failWith(ReadError::Missing);
        case platform::Fault::Link: return failWith(ReadError::Link);
        case platform::Fault::NotRegular: return failWith(ReadError::NotRegular);
        default: return failWith(ReadError::Unreadable);
        }
    }
    const platform::PathInfo st = file.info();
    if (st.kind != platform::Kind::Regular)
        return failWith(ReadError::NotRegular);
    constexpr qint64 kMaxJournalBytes = qint64(2) << 30;
    if (st.size > kMaxJournalBytes)
        return failWith(ReadError::Unreadable);
    QByteArray all(qsizetype(st.size), Qt::Uninitialized);
    const qint64 got = file.read(all.data(), all.size());
    file.close();
    all.truncate(qsizetype(std::max<qint64>(got, 0)));

    Recovered r;
    r.lastWrite = QDateTime::fromMSecsSinceEpoch(st.mtimeNs / 1000000);
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
            const QString basePath = unescape(parts.value(4));
            const ReadResult base = ReadDataFile(basePath);
            bool same = !want.checksum.isEmpty() && base.ok() && SameContents(base.stamp, want);
            // Journals of earlier versions hold a SHA-256 of the file (32 bytes).
            if (!same && base.ok() && want.checksum.size() == 32 && base.stamp.size == want.size) {
                const FileReadResult bytes = ReadFileBounded(basePath, kMaxDataFileBytes);
                same = bytes.ok() && QCryptographicHash::hash(bytes.bytes, QCryptographicHash::Sha256) == want.checksum;
            }
            if (same)
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

bool RecoveryJournal::resume(const Recovered &r)
{
    if (m_worker)
        m_worker->waitIdle();
    m_file.close();
    m_swapPending = false;
    m_pending.clear();
    m_shift = {};
    const platform::Error opened = m_file.open(m_path, platform::File::Open::WriteNoLink);
    m_failed = false;
    if (m_worker)
        m_worker->failed = false;
    if (opened || m_file.info().kind != platform::Kind::Regular || !m_file.setMode(0600) || !m_file.resize(r.validBytes)
        || m_file.seekToEnd() != r.validBytes) {
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

}  // namespace vorlane
