#include "records/datafile.h"

#include "records/codec.h"
#include "records/fileio.h"
#include "records/largepages.h"
#include "records/recordline.h"


#include <algorithm>
#include <cstring>

namespace vorlane {

ReadResult DataFileReadFailure(const FileIoResult &file)
{
    ReadResult r;
    switch (file.error) {
    case FileIoError::None:
        break;
    case FileIoError::NotFound:
        r.error = FileError::NotFound;
        break;
    case FileIoError::TooLarge:
        r.error = FileError::TooLarge;
        break;
    default:
        r.error = FileError::Unreadable;
        break;
    }
    if (!file.ok()) {
        r.detail = file.message();
        r.file = file;
    }
    return r;
}

ReadResult ReadDataFile(const QString &path, LineForm form)
{
    // As a block, the bytes are kept as they are, in 2 MB pages, and decoded later in one
    // pass: a byte is one character in the code page, so a line lies at the same place
    // in the text as in the bytes.
    const bool block = form == LineForm::Block;
    FileReadResult file;
    LargeFileReadResult large;
    if (block)
        large = ReadFileBoundedLarge(path, kMaxDataFileBytes);
    else
        file = ReadFileBounded(path, kMaxDataFileBytes);
    const FileIoResult &read = block ? static_cast<const FileIoResult &>(large) : file;
    ReadResult r = DataFileReadFailure(read);
    if (!read.ok())
        return r;
    r.stamp = read.stamp;
    const QByteArrayView bytes = block ? large.bytes.view() : QByteArrayView(file.bytes);
    // Lines are found and filtered on the bytes, then each kept line is decoded on its
    // own: no decoded copy of the whole file, one pass less over it. Line ends and "|"
    // are ASCII, the same single bytes in the code page.
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    if (block) {
        r.block.raw = large.bytes;
        // Record lines are rarely shorter than 60 bytes: room for every line, asked once.
        r.block.spans.reserve(size_t(n / 60 + 16));
    }
    auto take = [&](qsizetype from, qsizetype end) {
        const QByteArrayView line(p + from, end - from);
        if (IsRecordLine(line)) {
            if (block)
                r.block.spans.push_back({from, end - from});
            else
                r.lines.append(cp874::decode(line));
        } else {
            ++r.skipped;
            if (std::any_of(line.begin(), line.end(), [](char c) { return c != ' ' && c != '\t'; }))
                ++r.skippedText;
        }
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
    if (!r.ok()) {
        r.file.error = FileIoError::WriteFailed;
        r.file.path = path;
        r.file.cause = r.detail;
        return r;
    }
    const FileIoResult saved = SaveFileAtomic(path, bytes);
    if (!saved.ok()) {
        r.error = FileError::WriteFailed;
        r.detail = saved.message();
        r.file = saved;
        return r;
    }
    r.stamp = saved.stamp;
    return r;
}

} // namespace vorlane
