#include "records/linereader.h"

#include "records/fileio.h"
#include "records/recordline.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace vorlane {

ReadResult ForEachDataFileLine(const QString &path, const std::function<void(QByteArrayView)> &line,
                               qsizetype chunkBytes)
{
    platform::File f;
    qint64 size = 0;
    const FileIoResult opened = OpenRegularFile(path, kMaxDataFileBytes, f, size);
    ReadResult r = DataFileReadFailure(opened);
    if (!opened.ok())
        return r;
    // The size taken above, not "until the end": a file that keeps growing cannot grow the batch.
    qint64 left = size;
    chunkBytes = std::max<qsizetype>(chunkBytes, 1);
    // The unfinished line of one chunk is kept at the front of the buffer for the next;
    // only a line longer than a chunk makes the buffer grow.
    QByteArray buf;
    qsizetype kept = 0;
    LineSplitter split;
    do {
        const qsizetype want = qsizetype(std::min<qint64>(left, chunkBytes));
        if (buf.size() < kept + want)
            buf.resize(kept + want);
        platform::Error fault;
        const qint64 got = want > 0 ? f.read(buf.data() + kept, want, &fault) : 0;
        if (got < 0) {
            r.error = FileError::Unreadable;
            r.detail = path + u": "_s + fault.text;
            return r;
        }
        // A file that shrank while read ends where its bytes end.
        left = got < want ? 0 : left - got;
        const qsizetype have = kept + qsizetype(got);
        const qsizetype used = split.feed(buf.constData(), have, left == 0, line);
        kept = have - used;
        if (kept > 0 && used > 0)
            std::memmove(buf.data(), buf.constData() + used, size_t(kept));
    } while (left > 0);
    return r;
}

ReadResult DataFilePasses::pass(const std::function<void(QByteArrayView)> &record)
{
    QCryptographicHash digest(QCryptographicHash::Sha1);
    qsizetype count = 0;
    ReadResult r = ForEachDataFileLine(m_path, [&](QByteArrayView line) {
        if (!IsRecordBarCount(line.count('|')))
            return;
        digest.addData(line);
        digest.addData(QByteArrayView("\n"));
        ++count;
        record(line);
    });
    if (!r.ok())
        return r;
    if (m_count < 0) {
        m_count = count;
        m_digest = digest.result();
    } else if (count != m_count || digest.result() != m_digest) {
        r.error = FileError::Unreadable;
        r.detail = m_path + u": changed while it was being read"_s;
    }
    return r;
}

}  // namespace vorlane
