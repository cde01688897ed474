#pragma once
// Batches and a small tariff for the slip tests.
#include "records/recordline.h"
#include "records/recordstore.h"
#include "records/tables.h"

#include <QStringList>

namespace vorlane::test {

// Flat fees: 101 costs 10, 103 costs 15, 113 costs 0.50.
inline RateTable flatRates()
{
    RateTable t;
    const QStringList rows[] = {
        {QStringLiteral("101"), QStringLiteral("10")},
        {QStringLiteral("103"), QStringLiteral("15")},
        {QStringLiteral("113"), QStringLiteral("0.5")},
    };
    for (const QStringList &r : rows) {
        RateRow &row = t.rows[size_t(t.rowCount)];
        row.TypeCode = r[0];
        row.BaseFee = r[1];
        row.StepFee = QStringLiteral("0");
        row.StepSize = QStringLiteral("0");
        row.MinAmount = QStringLiteral("0");
        row.MaxAmount = QStringLiteral("1000000");
        row.SplitLimit = QStringLiteral("0");
        t.RateLastIndex = t.rowCount;
        ++t.rowCount;
    }
    return t;
}

inline QString orderLine(int i, const QString &type = QStringLiteral("101"), const QString &amount = {})
{
    MoneyOrderRecord r;
    r[TypeCode] = type;
    r[DestPostcode] = QStringLiteral("10110");
    r[RecipientName] = QStringLiteral(u"นายผู้รับ %1").arg(i + 1);
    r[DepositorName] = QStringLiteral(u"ผู้ฝาก %1").arg(i + 1);
    r[Amount] = amount.isEmpty() ? QString::number(100 * (i + 1)) : amount;
    r[DestPostOfficeName] = QStringLiteral(u"คลองเตย");
    r[RecipientAddress] = QStringLiteral(u"บ้านเลขที่ %1").arg(i + 1);
    r[DepositorAddress] = QStringLiteral(u"ที่อยู่ผู้ฝาก %1").arg(i + 1);
    return RecordLine(r);
}

// n orders of type 101, amounts 100, 200, 300 ...
inline RecordStore batch(int n)
{
    RecordStore s;
    for (int i = 0; i < n; ++i)
        s.append(orderLine(i));
    return s;
}

}  // namespace vorlane::test
