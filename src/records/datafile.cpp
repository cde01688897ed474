#include "records/datafile.h"

#include "records/codec.h"
#include "records/recordline.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace vorlane {

ReadResult ReadDataFile(const QString &path)
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
    // A pipe would block here and a device never ends: only regular files are data files.
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
    const QByteArray bytes = f.read(f.size());
    if (f.error() != QFileDevice::NoError) {
        r.error = FileError::Unreadable;
        r.detail = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        return r;
    }
    r.stamp = {bytes.size(), ModificationTimeNs(f.handle()), Checksum(bytes)};
    // Lines are found and filtered on the bytes, then each kept line is decoded on its
    // own: no decoded copy of the whole file, one pass less over it. Line ends and "|"
    // are ASCII, the same single bytes in the code page.
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    auto take = [&](qsizetype from, qsizetype end) {
        const QByteArrayView line(p + from, end - from);
        const auto bars = std::count(line.begin(), line.end(), '|');
        if (bars == 6 || bars == 8)
            r.lines.append(cp874::decode(line));
        else
            ++r.skipped;
    };
    // CR LF as written; LF alone and CR alone are tolerated.
    qsizetype start = 0;
    while (start < n) {
        const auto *lf = static_cast<const char *>(std::memchr(p + start, '\n', size_t(n - start)));
        const qsizetype segEnd = lf ? lf - p : n;
        qsizetype s = start;
        bool crBeforeLf = false;
        while (s < segEnd) {
            const auto *cr = static_cast<const char *>(std::memchr(p + s, '\r', size_t(segEnd - s)));
            if (!cr)
                break;
            take(s, cr - p);
            s = cr - p + 1;
            crBeforeLf = s == segEnd;
        }
        if (!lf) {
            if (s < n)
                take(s, n);
            break;
        }
        // CR LF is one line end.
        if (!crBeforeLf)
            take(s, segEnd);
        start = segEnd + 1;
    }
    return r;
}

WriteResult EncodeDataFile(const QStringList &lines, QByteArray &out)
{
    WriteResult r;
    out.clear();
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    out.reserve(size);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const cp874::EncodeResult e = cp874::encode(lines[i]);
        if (!e.ok) {
            r.error = FileError::Unencodable;
            r.badLine = i;
            r.badPos = e.errorPos;
            r.detail = QStringLiteral("line %1, position %2: U+%3 cannot be written in code page 874")
                           .arg(i + 1)
                           .arg(e.errorPos + 1)
                           .arg(uint(e.badChar), 4, 16, QLatin1Char('0'));
            out.clear();
            return r;
        }
        out += e.bytes;
        out += "\r\n";
    }
    return r;
}

WriteResult WriteDataFile(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    WriteResult r = EncodeDataFile(lines, bytes);
    if (!r.ok())
        return r;
    QSaveFile f(path);
    // Without a writable folder QSaveFile may fall back to writing in place; refuse that,
    // so a failure can never leave a half-written file behind.
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
        r.error = FileError::WriteFailed;
        r.detail = QStringLiteral("cannot create %1: %2").arg(path, f.errorString());
        return r;
    }
    if (f.write(bytes) != bytes.size()) {
        r.error = FileError::WriteFailed;
        r.detail = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        f.cancelWriting();
        return r;
    }
    // commit() renames even when the buffered bytes could not all be flushed (a full
    // disk, a file-size limit): flush first and check it.
    if (!f.flush()) {
        r.error = FileError::WriteFailed;
        r.detail = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        f.cancelWriting();
        return r;
    }
    if (!f.commit()) {
        r.error = FileError::WriteFailed;
        r.detail = QStringLiteral("cannot save %1: %2").arg(path, f.errorString());
        return r;
    }
    r.stamp = {bytes.size(), ModificationTimeNs(path), Checksum(bytes)};
    return r;
}

} // namespace vorlane
