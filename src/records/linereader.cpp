#include "records/linereader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace vorlane {

ReadResult ForEachDataFileLine(const QString &path, const std::function<void(QByteArrayView)> &line,
                               qsizetype chunkBytes)
{
    ReadResult r;
    const QFileInfo info(path);
    if (!info.exists()) {
        r.error = FileError::NotFound;
        r.detail = QStringLiteral("no such file: %1").arg(path);
        return r;
    }
    if (info.isDir()) {
        r.error = FileError::Unreadable;
        r.detail = QStringLiteral("is a folder: %1").arg(path);
        return r;
    }
    if (!info.isFile()) {
        r.error = FileError::Unreadable;
        r.detail = QStringLiteral("not a regular file: %1").arg(path);
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = FileError::Unreadable;
        r.detail = QStringLiteral("cannot open %1: %2").arg(path, f.errorString());
        return r;
    }
    if (f.size() > kMaxDataFileBytes) {
        r.error = FileError::TooLarge;
        r.detail = QStringLiteral("%1 is %2 bytes, more than a data file can be").arg(path).arg(f.size());
        return r;
    }
    // The size taken above, not "until the end": a file that keeps growing cannot grow the batch.
    qint64 left = f.size();
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
        const qint64 got = want > 0 ? f.read(buf.data() + kept, want) : 0;
        if (got < 0 || f.error() != QFileDevice::NoError) {
            r.error = FileError::Unreadable;
            r.detail = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
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

} // namespace vorlane
