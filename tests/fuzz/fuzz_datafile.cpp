// Data-file reader: any bytes on disk load without failing, keep exactly the record lines
// in order, and what was loaded saves and reloads unchanged.
#include "fuzz_support.h"
#include "records/codec.h"
#include "records/datafile.h"
#include "records/recordline.h"

using namespace vorlane;

namespace {

// Lines as a person counts them: CR LF, CR alone and LF alone each end one.
qsizetype countLines(const QByteArray &b)
{
    qsizetype lines = 0, start = 0;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '\r' || b[i] == '\n') {
            ++lines;
            if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    return lines + (start < b.size() ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const ReadResult r = ReadDataFile(fuzz::scratchFile(bytes, "batch.txt"));
    FUZZ_CHECK(r.ok());
    FUZZ_CHECK(r.lines.size() + r.skipped == countLines(bytes));

    // Every kept line is a record line, holds no line end, and stands in the file in this order.
    qsizetype from = 0;
    for (const QString &line : r.lines) {
        FUZZ_CHECK(IsRecordLine(line));
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        const cp874::EncodeResult e = cp874::encode(line);
        FUZZ_CHECK(e.ok);
        const qsizetype at = bytes.indexOf(e.bytes, from);
        FUZZ_CHECK(at >= from);
        from = at + e.bytes.size();

        // The eight fields of a line that ends with its eighth bar make the line again.
        const MoneyOrderRecord rec = SplitRecord(line);
        if (line.count(kBar) == 8 && line.endsWith(kBar))
            FUZZ_CHECK(RecordLine(rec) == line);
        RecordFieldSlots slots;
        for (QString &s : slots.slot)
            s = QStringLiteral("stale");
        const int count = int(line.size() % 24) - 1;  // -1 .. 22: out-of-range counts too
        SplitRecordLine(line, count, slots);
        for (int i = 0; i < qBound(0, count, 21); ++i)
            FUZZ_CHECK(slots[i] != QStringLiteral("stale"));
    }

    // Saved and opened again, the batch is the same.
    QByteArray out;
    FUZZ_CHECK(EncodeDataFile(r.lines, out).ok());
    const ReadResult again = ReadDataFile(fuzz::scratchFile(out, "again.txt"));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.lines == r.lines);
    FUZZ_CHECK(again.skipped == 0);
    return 0;
}
