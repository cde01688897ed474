// Reference-table field reader and loaders: any line gives exactly the fields asked for,
// quoting them back reads them back, and no file overfills the 21 rate slots.
#include "fuzz_support.h"
#include "records/codec.h"
#include "records/tables.h"

using namespace vorlane;

namespace {

QString quoted(QString s)
{
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int count = int(data[0] % 14) - 1;  // -1 .. 12
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    const QString text = cp874::decode(bytes);

    const QStringList fields = ReadFields(text, count);
    FUZZ_CHECK(fields.size() == qMax(count, 0));
    QStringList quotedFields;
    for (const QString &f : fields)
        quotedFields.append(quoted(f));
    FUZZ_CHECK(ReadFields(quotedFields.join(u','), count) == fields);

    const QString path = fuzz::scratchFile(bytes, "table.txt");
    const auto lines = ReadTableLines(path);
    FUZZ_CHECK(lines.has_value());
    for (const QString &l : *lines) {
        FUZZ_CHECK(!l.trimmed().isEmpty());
        FUZZ_CHECK(!l.contains(u'\r') && !l.contains(u'\n'));
    }

    TableStatus status;
    const RateTable rates = LoadRateTable(path, &status);
    FUZZ_CHECK(status.found);
    FUZZ_CHECK(rates.rowCount == qMin<qsizetype>(lines->size(), kRateSlots));
    FUZZ_CHECK(rates.RateLastIndex == qMax(rates.rowCount - 1, 0));
    const QString probe = fields.isEmpty() ? text.left(8) : fields.first();
    if (const auto i = rates.rowByText(probe)) {
        FUZZ_CHECK(*i >= 0 && *i < rates.rowCount);
        FUZZ_CHECK(rates.rows[*i].TypeCode.trimmed() == probe.trimmed());
    }
    for (int limit : {-1, 0, 5, kRateSlots, 100})
        if (const auto i = rates.rowByValue(probe, limit))
            FUZZ_CHECK(*i >= 0 && *i < qMin(limit, rates.rowCount));

    const CodeNameTable names = LoadCodeNameTable(path, &status);
    FUZZ_CHECK(status.found);
    FUZZ_CHECK(names.codes.size() == lines->size() && names.names.size() == lines->size());
    return 0;
}
