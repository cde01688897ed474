#include "records/datafile.h"

#include "records/codec.h"
#include "records/fileio.h"
#include "records/largepages.h"
#include "records/recordline.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

namespace {

// The position of the first CR or LF at or after `from` (n when none), with the bars
// before it added to `bars`: one pass over each line, sixteen bytes at a time.
qsizetype scanToLineEnd(const char *p, qsizetype from, qsizetype n, qsizetype &bars)
{
    qsizetype i = from;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), bar = _mm_set1_epi8('|');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const unsigned ends = unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        const unsigned bars16 = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, bar)));
        if (ends != 0) {
            const int k = std::countr_zero(ends);
            bars += std::popcount(bars16 & ((1u << k) - 1));
            return i + k;
        }
        bars += std::popcount(bars16);
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\r' || p[i] == '\n')
            return i;
        bars += p[i] == '|';
    }
    return n;
}

} // namespace

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
    // A line's bars are counted while its end is found.
    auto take = [&](qsizetype from, qsizetype end, qsizetype bars) {
        const QByteArrayView line(p + from, end - from);
        if (IsRecordBarCount(bars)) {
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
        qsizetype bars = 0;
        const qsizetype end = scanToLineEnd(p, start, n, bars);
        take(start, end, bars);
        if (end >= n)
            break;
        // CR LF is one line end.
        start = end + (p[end] == '\r' && end + 1 < n && p[end + 1] == '\n' ? 2 : 1);
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
