// Fee computation over any rate table and any amount: it never fails, never divides by
// zero and always gives a finite fee.
//
// Input: lines; those without "|" are rate rows (seven comma-separated fields, as in
// "rate.txt"), those with "|" are record lines of a batch, and the last line is
// "type code|amount" (or an amount alone, of type 101).
#include "fuzz_support.h"
#include "records/codec.h"
#include "records/numbers.h"
#include "records/fee.h"
#include "records/recordline.h"
#include "records/tables.h"
#include "records/totals.h"

#include <cmath>

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = cp874::decode(fuzz::bytesOf(data, size));
    QStringList lines = text.split(u'\n');
    const QString last = lines.takeLast();
    const qsizetype bar = last.indexOf(u'|');
    const QString type = bar < 0 ? QStringLiteral("101") : last.left(bar);
    const QString amount = bar < 0 ? last : last.mid(bar + 1);

    // The same rows twice: parsed once on loading, and assigned directly (parsed at every fee).
    RateTable rates, direct;
    QStringList batch;
    for (const QString &line : lines) {
        if (line.contains(kBar)) {
            batch.append(line);
            continue;
        }
        if (rates.rowCount >= kRateSlots)
            continue;
        const QStringList f = ReadFields(line, 7);
        const RateRow row{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
        FUZZ_CHECK(rates.append(row));
        direct.rows[direct.rowCount] = row;
        direct.RateLastIndex = direct.rowCount++;
    }

    const double fee = ComputeFee(rates, type, amount);
    FUZZ_CHECK(std::isfinite(fee));
    FUZZ_CHECK(ComputeFee(rates, type, amount) == fee);
    FUZZ_CHECK(ComputeFee(direct, type, amount) == fee);
    if (rates.rowCount == 0)
        FUZZ_CHECK(fee == 0);
    // A full table takes no more rows.
    if (rates.rowCount == kRateSlots)
        FUZZ_CHECK(!rates.append(RateRow{}) && rates.rowCount == kRateSlots);
    // The amount as the entry window may hold it: blanks around it change nothing. (A blank
    // after the decimals counts as a third decimal and sends the amount through the two-decimal
    // pattern, which keeps 15 significant digits: exact below 10^12 baht.)
    if (std::fabs(toNumber(amount).value_or(0)) < 1e12)
        FUZZ_CHECK(ComputeFee(rates, type, u' ' + amount + u' ') == fee);

    // Batch totals, worked out once per line and table, equal the fees of the split lines.
    RecordStore store;
    store.assign(batch);
    auto expected = [&store](const RateTable &table) {
        BatchTotals t;
        t.count = store.count();
        for (const QString &line : store.lines()) {
            const MoneyOrderRecord r = SplitRecord(line);
            // An amount too large to charge exactly is left out of both sums and counted.
            const std::optional<double> fee = ComputeFeeExact(table, r[TypeCode], r[Amount]);
            if (!fee) {
                ++t.beyond;
                continue;
            }
            t.amount += toNumber(r[Amount]).value_or(0.0);
            t.fee += *fee;
        }
        return t;
    };
    auto same = [](const BatchTotals &a, const BatchTotals &b) {
        return a.count == b.count && a.amount == b.amount && a.fee == b.fee && a.beyond == b.beyond;
    };
    FUZZ_CHECK(same(ComputeTotals(store, rates), expected(rates)));
    FUZZ_CHECK(same(ComputeTotals(store, direct), expected(direct)));
    // Changed lines and a grown table are never charged from what was worked out before.
    if (!store.isEmpty()) {
        store.setAt(0, last);
        store.insert(store.count() / 2, type + QStringLiteral("|1|2|3|") + amount + QStringLiteral("|5|"));
        FUZZ_CHECK(same(ComputeTotals(store, rates), expected(rates)));
    }
    if (rates.append(RateRow{QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("3"), QStringLiteral("10"),
                             QString(), QString(), QString()})) {
        FUZZ_CHECK(same(ComputeTotals(store, rates), expected(rates)));
    }
    return 0;
}
