#include "generator.h"

#include "records/numbers.h"
#include "records/recordline.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace vorlane::bench {

QString dataDir()
{
    const QString env = qEnvironmentVariable("VORLANE_DATA");
    return env.isEmpty() ? QStringLiteral(VORLANE_SOURCE_DATA) : env;
}

ReferenceTables bundledTables() { return LoadReferenceTables(AppPaths::forDirectory(dataDir())); }

QStringList makeBatch(const ReferenceTables &tables, int count, unsigned seed)
{
    static const QStringList given{u"สมชาย"_s,  u"สมหญิง"_s, u"ประเสริฐ"_s, u"วิไลวรรณ"_s, u"ธนากร"_s,
                                   u"กาญจนา"_s, u"อนุชา"_s,  u"พรทิพย์"_s,   u"สุรเชษฐ์"_s,  u"นภัสสร"_s};
    static const QStringList family{u"ใจดี"_s,    u"แก้วมณี"_s, u"ศรีสุข"_s,   u"บุญมา"_s,
                                    u"วงศ์ไทย"_s, u"ทองคำ"_s, u"รุ่งเรือง"_s, u"พึ่งบุญ"_s};
    static const QStringList roads{u"ถนนพหลโยธิน"_s, u"ถนนสุขุมวิท"_s, u"ถนนเพชรเกษม"_s, u"ถนนมิตรภาพ"_s,
                                   u"ซอยลาดพร้าว 101"_s};
    QRandomGenerator rng(seed);
    auto pick = [&](const QStringList &l) { return l.at(int(rng.bounded(quint32(l.size())))); };
    QStringList lines;
    lines.reserve(count);
    const QStringList types = tables.types.codes.isEmpty() ? QStringList{u"101"_s} : tables.types.codes;
    for (int i = 0; i < count; ++i) {
        MoneyOrderRecord r;
        r[TypeCode] = pick(types);
        if (r[TypeCode] != u"112"_s && !tables.postOffices.codes.isEmpty()) {
            const int k = int(rng.bounded(quint32(tables.postOffices.codes.size())));
            r[DestPostcode] = tables.postOffices.codes.at(k);
            r[DestPostOfficeName] = tables.postOffices.names.at(k);
        }
        r[RecipientName] = u"นาย"_s + pick(given) + u' ' + pick(family);
        r[DepositorName] = u"บริษัท ตัวอย่างการค้า จำกัด"_s;
        // Within the type's range, so every order would pass the entry window's checks.
        int lo = 100, hi = 29100;
        if (const auto row = tables.rates.rowByValue(r[TypeCode])) {
            const RateRow &rr = tables.rates.rows[*row];
            if (const auto max = toNumber(rr.MaxAmount); max && *max >= 1)
                hi = std::min(hi, int(*max) - 1);
            if (const auto min = toNumber(rr.MinAmount))
                lo = std::max(lo, int(*min) + 1);
        }
        const int baht = lo + int(rng.bounded(quint32(std::max(1, hi - lo + 1))));
        r[Amount] = rng.bounded(3u) == 0
                        ? QStringLiteral("%1.%2").arg(baht).arg(rng.bounded(100u), 2, 10, QLatin1Char('0'))
                        : QString::number(baht);
        r[RecipientAddress] = QStringLiteral("%1 ").arg(1 + rng.bounded(999u)) + pick(roads) + u" ตำบลในเมือง"_s;
        r[DepositorAddress] = u"99/9 ถนนสีลม แขวงสุริยวงศ์ เขตบางรัก กรุงเทพมหานคร 10500"_s;
        lines.append(RecordLine(r));
    }
    return lines;
}

}  // namespace vorlane::bench
