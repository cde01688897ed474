#include "records/tables.h"

#include "records/codec.h"
#include "records/fileio.h"
#include "records/linereader.h"
#include "records/numbers.h"
#include "records/texthelpers.h"

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// Reference tables are small; anything larger than this is not a table.
constexpr qint64 kMaxTableBytes = qint64(64) * 1024 * 1024;

// Non-blank lines, at most kMaxTableLines of at most kMaxTableLineChars each.
QStringList splitLines(const QString &text, bool &cut)
{
    QStringList lines;
    bool full = false;
    LineSplitter().feed(QStringView(text), true, [&](QStringView line) {
        if (full || trimWhiteSpace(line).isEmpty())
            return;
        if (lines.size() >= kMaxTableLines) {
            cut = full = true;
            return;
        }
        if (line.size() > kMaxTableLineChars) {
            line = line.left(kMaxTableLineChars);
            cut = true;
        }
        lines.append(line.toString());
    });
    return lines;
}

}  // namespace

QStringList ReadFields(QStringView line, int count)
{
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (out.size() < count) {
        if (i > n)
            break;
        while (i < n && isBlank(line[i]))
            ++i;
        QString field;
        if (i < n && line[i] == u'"') {
            ++i;
            while (i < n) {
                if (line[i] == u'"') {
                    // A doubled quote inside a quoted field stands for one quote.
                    if (i + 1 < n && line[i + 1] == u'"') {
                        field.append(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.append(line[i++]);
            }
            // Whatever follows the closing quote up to the comma is not part of the field.
            while (i < n && line[i] != u',')
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != u',')
                ++i;
            field = trimWhiteSpace(line.mid(start, i - start)).toString();
        }
        out.append(field);
        ++i;  // past the comma (or past the end)
    }
    while (out.size() < count)
        out.append(QString());
    return out;
}

std::optional<QStringList> ReadTableLines(const QString &path, bool *cut, FileIoResult *failure)
{
    const FileReadResult file = ReadFileBounded(path, kMaxTableBytes);
    if (!file.ok()) {
        if (failure)
            *failure = file;
        return std::nullopt;
    }
    const QByteArray &bytes = file.bytes;
    bool wasCut = false;
    QStringList lines = splitLines(cp874::decode(bytes), wasCut);
    if (cut)
        *cut = wasCut;
    return lines;
}

RateFigures ParseRateRow(const RateRow &row)
{
    RateFigures f;
    if (const auto t = toNumber(row.TypeCode)) {
        f.hasType = true;
        f.type = whole(*t);
    }
    // A figure that is not a number, or one beyond any sum the program charges exactly.
    auto figure = [&f](const QString &text) {
        const auto v = toNumber(text);
        if (!v || isBeyondExact(*v)) {
            f.readable = false;
            return 0.0;
        }
        return *v;
    };
    f.base = figure(row.BaseFee);
    f.step = figure(row.StepFee);
    f.stepSize = figure(row.StepSize);
    f.splitLimit = figure(row.SplitLimit);
    figure(row.MinAmount);
    figure(row.MaxAmount);
    if (!f.hasType)
        f.readable = false;
    return f;
}

bool RateTable::append(const RateRow &row)
{
    if (rowCount >= kRateSlots)
        return false;
    if (!hasFigures()) {
        figures.clear();
        for (int i = 0; i < rowCount; ++i)
            figures.push_back(ParseRateRow(rows[i]));
    }
    static std::uint64_t stamps = 0;
    stamp = ++stamps;
    rows[rowCount] = row;
    figures.push_back(ParseRateRow(row));
    RateLastIndex = rowCount;
    ++rowCount;
    return true;
}

std::optional<int> RateTable::rowByText(QStringView typeCode) const
{
    const QStringView want = trimWhiteSpace(typeCode);
    for (int i = 0; i < rowCount; ++i)
        if (trimWhiteSpace(rows[i].TypeCode) == want)
            return i;
    return std::nullopt;
}

std::optional<int> RateTable::rowByValue(QStringView typeCode, int limit) const
{
    const auto want = toNumber(typeCode);
    if (!want)
        return std::nullopt;
    const std::int64_t w = whole(*want);
    const int n = qMin(limit, rowCount);
    for (int i = 0; i < n; ++i) {
        const auto v = toNumber(rows[i].TypeCode);
        if (v && whole(*v) == w)
            return i;
    }
    return std::nullopt;
}

RateTable LoadRateTable(const QString &path, TableStatus *status)
{
    RateTable t;
    bool cut = false;
    FileIoResult failure;
    const auto lines = ReadTableLines(path, &cut, &failure);
    if (status) {
        status->found = lines.has_value();
        status->cut = cut;
        status->path = path;
        status->failure = failure;
    }
    if (!lines)
        return t;
    for (const QString &line : *lines) {
        // The table has 21 slots; later lines are not read.
        if (t.rowCount >= kRateSlots)
            break;
        const QStringList f = ReadFields(line, 7);
        t.append(RateRow{f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
        if (status && !t.figures.back().readable)
            status->badRows.append(u"rate.txt แถวที่ "_s + QString::number(t.rowCount)
                                   + u" อ่านตัวเลขไม่ได้ จึงไม่คิดค่าธรรมเนียมจากแถวนี้ : "_s + line);
    }
    return t;
}

CodeNameTable LoadCodeNameTable(const QString &path, TableStatus *status)
{
    CodeNameTable t;
    bool cut = false;
    FileIoResult failure;
    const auto lines = ReadTableLines(path, &cut, &failure);
    if (status) {
        status->found = lines.has_value();
        status->cut = cut;
        status->path = path;
        status->failure = failure;
    }
    if (!lines)
        return t;
    t.codes.reserve(lines->size());
    t.names.reserve(lines->size());
    for (const QString &line : *lines) {
        const QStringList f = ReadFields(line, 2);
        t.codes.append(f[0]);
        t.names.append(f[1]);
    }
    return t;
}

}  // namespace vorlane
