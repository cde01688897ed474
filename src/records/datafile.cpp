#include "records/datafile.h"

#include "records/codec.h"
#include "records/fileio.h"
#include "records/largepages.h"
#include "records/linereader.h"
#include "records/recordline.h"
#include "records/totals.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <future>
#include <system_error>

namespace vorlane {

ReadResult DataFileReadFailure(const FileIoResult &file)
{
    ReadResult r;
    switch (file.error) {
    case FileIoError::None: break;
    case FileIoError::NotFound: r.error = FileError::NotFound; break;
    case FileIoError::TooLarge: r.error = FileError::TooLarge; break;
    default: r.error = FileError::Unreadable; break;
    }
    if (!file.ok()) {
        r.detail = file.message();
        r.file = file;
    }
    return r;
}

namespace {

// The "|" in a line, eight bytes at a time: a byte equal to '|' is zero after the xor.
qsizetype barsIn(QByteArrayView line)
{
    constexpr quint64 kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL, kBars = kOnes * '|';
    const char *p = line.data();
    const qsizetype n = line.size();
    qsizetype bars = 0, i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 v;
        std::memcpy(&v, p + i, 8);
        v ^= kBars;
        // A zero byte, and only a zero byte, has its high bit set in ((v & 0x7F..) + 0x7F..) | v
        // left clear: no carry crosses bytes in this form.
        const quint64 t = ~(((v & ~kHigh) + ~kHigh) | v) & kHigh;
        bars += std::popcount(t);
    }
    for (; i < n; ++i)
        bars += p[i] == '|';
    return bars;
}

// Calls take(line, bars) for each line of bytes[from, to): its bytes and how many "|" it
// holds. The lines are split as every data file is (LineSplitter); `from` and `to` must be
// where lines start (or the ends).
template <class Take>
void forEachLine(const char *p, qsizetype from, qsizetype to, Take take)
{
    LineSplitter().feed(p + from, to - from, true, [&](QByteArrayView line) { take(line, barsIn(line)); });
}

// Where the first line that starts after `at` begins (n when none does).
qsizetype nextLineStart(const char *p, qsizetype at, qsizetype n)
{
    const auto *lf = static_cast<const char *>(std::memchr(p + at, '\n', size_t(n - at)));
    const auto *cr = static_cast<const char *>(std::memchr(p + at, '\r', size_t((lf ? lf - p : n) - at)));
    if (cr)
        return cr - p + 1 < n && cr[1] == '\n' ? cr - p + 2 : cr - p + 1;
    return lf ? lf - p + 1 : n;
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
    void read(const char *p, qsizetype from, qsizetype to, const RateTable *rates, qsizetype roomFor)
    {
        // Record lines are rarely shorter than 60 bytes: room for every line, asked once.
        const size_t room = size_t(roomFor / 60 + 16);
        spans.reserve(room);
        if (rates)
            figures.reserve(room);
        forEachLine(p, from, to, [&](QByteArrayView line, qsizetype bars) {
            if (IsRecordBarCount(bars)) {
                spans.push_back({line.data() - p, line.size()});
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

}  // namespace

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
        forEachLine(p, 0, n, [&](QByteArrayView line, qsizetype bars) {
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
                second.read(p, cut, n, figuresFor, n - cut);
                return sum;
            });
        } catch (const std::system_error &) {
        }
    }

    first.read(p, 0, checksum.valid() ? cut : n, figuresFor, n);
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

}  // namespace vorlane
