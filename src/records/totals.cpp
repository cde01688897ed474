#include "records/totals.h"

#include "records/fee.h"
#include "records/numbers.h"
#include "records/recordline.h"

namespace vorlane {

BatchTotals ComputeTotals(const RecordStore &store, const RateTable &rates)
{
    BatchTotals t;
    t.count = store.count();
    for (const QString &line : store.lines()) {
        const QStringList f = ScanRecordFields(line, kFieldCount);
        const QString type = f.size() > TypeCode ? f[TypeCode] : QString();
        const QString amount = f.size() > Amount ? f[Amount] : QString();
        t.amount += toNumber(amount).value_or(0.0);
        t.fee += ComputeFee(rates, type, amount);
    }
    return t;
}

} // namespace vorlane
