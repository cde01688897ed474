#include "records/totals.h"

#include "records/fee.h"
#include "records/numbers.h"
#include "records/recordline.h"

namespace vorlane {

const RecordStore::LineFigures &RecordStore::figures(qsizetype i, const RateTable &rates) const
{
    if (m_figuresFor != &rates || m_figuresStamp != rates.stamp) {
        for (LineFigures &f : m_figures)
            f.known = false;
        m_figuresFor = &rates;
        m_figuresStamp = rates.stamp;
    }
    LineFigures &f = m_figures[size_t(i)];
    if (!f.known) {
        // The two fields needed, without splitting the whole line.
        const QString &line = m_lines.at(i);
        QStringView fields[kFieldCount];
        int k = 0;
        qsizetype start = 0;
        for (qsizetype j = 0; j < line.size() && k <= Amount; ++j) {
            if (line[j] == kBar) {
                fields[k++] = QStringView(line).mid(start, j - start);
                start = j + 1;
            }
        }
        const QStringView type = k > TypeCode ? fields[TypeCode] : QStringView();
        const QStringView amount = k > Amount ? fields[Amount] : QStringView();
        f.amount = toNumber(amount).value_or(0.0);
        const std::optional<double> fee = ComputeFeeExact(rates, type, amount);
        f.beyond = !fee;
        f.fee = fee.value_or(0.0);
        if (f.beyond)
            f.amount = 0;
        f.known = true;
    }
    return f;
}

BatchTotals ComputeTotals(const RecordStore &store, const RateTable &rates)
{
    BatchTotals t;
    t.count = store.count();
    for (qsizetype i = 0; i < t.count; ++i) {
        const RecordStore::LineFigures &f = store.figures(i, rates);
        if (f.beyond) {
            if (t.beyond++ == 0)
                t.firstBeyond = i;
            continue;
        }
        t.amount += f.amount;
        t.fee += f.fee;
    }
    return t;
}

} // namespace vorlane
