#include "records/datafile.h"

#include "records/codec.h"
#include "records/fileio.h"
#include "records/largepages.h"
#include "records/recordline.h"
#include "records/totals.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <future>
#include <system_error>

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
    const __m128i zero = _mm_setzero_si128();
    // Bars are tallied in byte lanes (a match compares as -1) and summed at the line's end,
    // or before a lane could pass 255 on a very long line: no popcount instruction is
    // needed, which the processors the program is built for may lack.
    __m128i tally = zero;
    int blocks = 0;
    auto sumTally = [&] {
        const __m128i s = _mm_sad_epu8(tally, zero);
        bars += qsizetype(_mm_cvtsi128_si64(s) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(s, s)));
        tally = zero;
        blocks = 0;
    };
    // Sixteen lanes of -1 then sixteen of 0: from (16 - k), the first k lanes are kept.
    alignas(16) static constexpr signed char kKeep[32] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                          -1, -1, -1, -1, -1};
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const unsigned ends = unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        const __m128i bars16 = _mm_cmpeq_epi8(v, bar);
        if (ends != 0) {
            const int k = std::countr_zero(ends);
            const __m128i keep = _mm_loadu_si128(reinterpret_cast<const __m128i *>(kKeep + 16 - k));
            tally = _mm_sub_epi8(tally, _mm_and_si128(bars16, keep));
            sumTally();
            return i + k;
        }
        tally = _mm_sub_epi8(tally, bars16);
        if (++blocks == 255)
            sumTally();
    }
    sumTally();
#endif
    for (; i < n; ++i) {
        if (p[i] == '\r' || p[i] == '\n')
            return i;
        bars += p[i] == '|';
    }
    return n;
}

} // namespace

namespace {

// Where the line after the one ending at `end` starts: CR LF is one line end.
qsizetype afterLineEnd(const char *p, qsizetype end, qsizetype n)
{
    return end + (p[end] == '\r' && end + 1 < n && p[end + 1] == '\n' ? 2 : 1);
}

// Calls take(from, end, bars) for each line that starts in [from, to): where it begins,
// where its line end is and how many bars it holds. CR LF as written; LF alone and CR
// alone are tolerated. `to` must be 0, n or where a line starts.
template <class Take>
void forEachLine(const char *p, qsizetype from, qsizetype to, qsizetype n, Take take)
{
    qsizetype start = from;
    while (start < to) {
        qsizetype bars = 0;
        const qsizetype end = scanToLineEnd(p, start, n, bars);
        take(start, end, bars);
        if (end >= n)
            break;
        start = afterLineEnd(p, end, n);
    }
}

// Where the first line that starts at or after `at` begins (n when none does).
qsizetype nextLineStart(const char *p, qsizetype at, qsizetype n)
{
    qsizetype bars = 0;
    const qsizetype end = scanToLineEnd(p, at, n, bars);
    return end >= n ? n : afterLineEnd(p, end, n);
}

bool holdsText(QByteArrayView line)
{
    return std::any_of(line.begin(), line.end(), [](char c) { return c != ' ' && c != '\t'; });
}

// The record lines starting in [from, to) of a block, with their figures when asked.
struct BlockPart {
    LineSpans spans;
    LineFiguresTable figures;
    qsizetype skipped = 0;
    qsizetype skippedText = 0;

    // `roomFor`: the bytes whose lines the part will end up holding (the second part's
    // are added to the first's).
    void read(const char *p, qsizetype from, qsizetype to, qsizetype n, const RateTable *rates, qsizetype roomFor)
    {
        // Record lines are rarely shorter than 60 bytes: room for every line, asked once.
        const size_t room = size_t(roomFor / 60 + 16);
        spans.reserve(room);
        if (rates)
            figures.reserve(room);
        forEachLine(p, from, to, n, [&](qsizetype s, qsizetype e, qsizetype bars) {
            const QByteArrayView line(p + s, e - s);
            if (IsRecordBarCount(bars)) {
                spans.push_back({s, e - s});
                // While the line is in the cache.
                if (rates)
                    figures.push_back(RecordLineFigures(line, *rates));
            } else {
                ++skipped;
                skippedText += holdsText(line);
            }
        });
    }
};

} // namespace

ReadResult ReadDataFile(const QString &path, LineForm form, const RateTable *figuresFor)
{
    // As a block, the bytes are kept as they are, in 2 MB pages, and decoded later in one
    // pass: a byte is one character in the code page, so a line lies at the same place
    // in the text as in the bytes.
    const bool block = form == LineForm::Block;
    FileReadResult file;
    LargeFileReadResult large;
    if (block)
        large = ReadFileBoundedLarge(path, kMaxDataFileBytes, StampChecksum::Later);
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
    if (!block) {
        forEachLine(p, 0, n, n, [&](qsizetype from, qsizetype end, qsizetype bars) {
            const QByteArrayView line(p + from, end - from);
            if (IsRecordBarCount(bars)) {
                r.lines.append(cp874::decode(line));
            } else {
                ++r.skipped;
                r.skippedText += holdsText(line);
            }
        });
        return r;
    }

    // A large block is split at a line start: the later part (with the stamp's checksum,
    // for the journal and a later save) on a second core. The first part is a little
    // larger, as the checksum is the second core's too.
    constexpr qsizetype kTwoCoreBytes = qsizetype(1) << 20;
    BlockPart first, second;
    std::future<QByteArray> checksum;
    const qsizetype cut = n >= kTwoCoreBytes ? nextLineStart(p, n / 2 + n / 32, n) : n;
    if (cut < n) {
        try {
            checksum = std::async(std::launch::async, [&second, p, cut, n, figuresFor, bytes] {
                QByteArray sum = FileChecksum(bytes);
                second.read(p, cut, n, n, figuresFor, n - cut);
                return sum;
            });
        } catch (const std::system_error &) {
        }
    }

    first.read(p, 0, checksum.valid() ? cut : n, n, figuresFor, n);
    r.stamp.checksum = checksum.valid() ? checksum.get() : FileChecksum(bytes);

    r.block.raw = large.bytes;
    r.block.spans = std::move(first.spans);
    r.block.spans.insert(r.block.spans.end(), second.spans.begin(), second.spans.end());
    if (figuresFor) {
        r.block.figures = std::move(first.figures);
        r.block.figures.insert(r.block.figures.end(), second.figures.begin(), second.figures.end());
        r.block.figuresFor = figuresFor;
        r.block.figuresStamp = figuresFor->stamp;
    }
    r.skipped = first.skipped + second.skipped;
    r.skippedText = first.skippedText + second.skippedText;
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
