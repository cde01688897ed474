#include "records/recordline.h"

#include <algorithm>

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

namespace {

template <typename View>
int fieldViews(View line, View *out, int count)
{
    BasicRecordFieldScanner<View> scan(line);
    int k = 0;
    while (k < count && scan.next(out[k]))
        ++k;
    return k;
}

template <typename View>
View fieldAt(View line, int i)
{
    if (i < 0)
        return {};
    BasicRecordFieldScanner<View> scan(line);
    View field;
    for (int k = 0; k <= i; ++k)
        if (!scan.next(field))
            return {};
    return field;
}

}  // namespace

int RecordFieldViews(QStringView line, QStringView *out, int count) { return fieldViews(line, out, count); }
int RecordFieldViews(QByteArrayView line, QByteArrayView *out, int count) { return fieldViews(line, out, count); }
QStringView RecordFieldAt(QStringView line, int i) { return fieldAt(line, i); }
QByteArrayView RecordFieldAt(QByteArrayView line, int i) { return fieldAt(line, i); }

QStringList ScanRecordFields(QStringView line, int count)
{
    QStringList out;
    RecordFieldScanner scan(line);
    QStringView field;
    while (out.size() < count && scan.next(field))
        out.append(field.toString());
    return out;
}

void SplitRecordLine(QStringView line, int count, RecordFieldSlots &fields)
{
    count = qBound(0, count, int(fields.slot.size()));
    for (int i = 0; i < count; ++i)
        fields[i].clear();
    QStringView parts[std::tuple_size_v<decltype(fields.slot)>];
    const int n = RecordFieldViews(line, parts, count);
    for (int i = 0; i < n; ++i)
        fields[i] = parts[i].toString();
}

MoneyOrderRecord SplitRecord(QStringView line)
{
    MoneyOrderRecord r;
    QStringView parts[kFieldCount];
    const int n = RecordFieldViews(line, parts, kFieldCount);
    for (int i = 0; i < n; ++i)
        r[i] = parts[i].toString();
    return r;
}

bool IsRecordLine(QStringView line)
{
    const qsizetype bars = line.count(kBar);
    return IsRecordBarCount(bars);
}

bool IsRecordLine(QByteArrayView line)
{
    const auto bars = std::count(line.begin(), line.end(), '|');
    return IsRecordBarCount(bars);
}

}  // namespace vorlane
