#include "records/recordline.h"

namespace vorlane {

QString RecordLine(const MoneyOrderRecord &record)
{
    QString line;
    qsizetype size = kFieldCount;
    for (const QString &f : record.fields)
        size += f.size();
    line.reserve(size);
    for (const QString &f : record.fields) {
        line += f;
        line += kBar;
    }
    return line;
}

QStringList ScanRecordFields(QStringView line, int count)
{
    QStringList out;
    if (count <= 0)
        return out;
    qsizetype start = 0;
    for (qsizetype j = 0; j < line.size() && out.size() < count; ++j) {
        if (line[j] == kBar) {
            out.append(line.mid(start, j - start).toString());
            start = j + 1;
        }
    }
    return out;
}

void SplitRecordLine(QStringView line, int count, RecordFieldSlots &fields)
{
    count = qBound(0, count, int(fields.slot.size()));
    for (int i = 0; i < count; ++i)
        fields[i].clear();
    const QStringList parts = ScanRecordFields(line, count);
    for (int i = 0; i < parts.size(); ++i)
        fields[i] = parts[i];
}

MoneyOrderRecord SplitRecord(QStringView line)
{
    MoneyOrderRecord r;
    const QStringList parts = ScanRecordFields(line, kFieldCount);
    for (int i = 0; i < parts.size(); ++i)
        r[i] = parts[i];
    return r;
}

bool IsRecordLine(QStringView line)
{
    const qsizetype bars = line.count(kBar);
    return bars == 6 || bars == 8;
}

} // namespace vorlane
