#include "records/totals.h"

#include "records/codec.h"
#include "records/fee.h"
#include "records/linereader.h"
#include "records/numbers.h"
#include "records/recordline.h"

#include <future>
#include <system_error>

namespace vorlane {

namespace {

// A field's text from its bytes; the usual all-ASCII field without a string of its own.
class FieldText {
public:
    explicit FieldText(QByteArrayView bytes)
    {
        bool ascii = bytes.size() <= qsizetype(sizeof m_buf / sizeof m_buf[0]);
        for (qsizetype i = 0; ascii && i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            ascii = b < 0x80;
            m_buf[i] = char16_t(b);
        }
        if (ascii) {
            m_view = QStringView(m_buf, bytes.size());
        } else {
            m_owned = cp874::decode(bytes);
            m_view = m_owned;
        }
    }
    QStringView view() const { return m_view; }

private:
    char16_t m_buf[48];
    QString m_owned;
    QStringView m_view;
};

// Amount and fee from the first k fields of a line's bytes.
RecordStore::LineFigures figuresOfByteFields(const QByteArrayView *fields, int k, const RateTable &rates)
{
    const FieldText type(k > TypeCode ? fields[TypeCode] : QByteArrayView());
    const FieldText amount(k > Amount ? fields[Amount] : QByteArrayView());
    return FiguresOf(type.view(), amount.view(), rates);
}

}  // namespace

void RecordStore::figuresFor(const RateTable &rates) const
{
    if (m_figuresFor != &rates || m_figuresStamp != rates.stamp) {
        for (LineFigures &f : m_figures)
            f.known = false;
        m_figuresFor = &rates;
        m_figuresStamp = rates.stamp;
    }
}

void RecordStore::workOutFigures(const RateTable &rates) const
{
    figuresFor(rates);
    const qsizetype n = count();
    // The middle and the last line both unknown means most of them are (an opened batch,
    // or another rate table); a line added or changed since leaves the others known.
    constexpr qsizetype kWorthAThread = 20000;
    if (n < kWorthAThread || m_figures[size_t(n / 2)].known || m_figures.back().known)
        return;
    // The first totals of a large batch are what the user waits for after opening it:
    // half of the lines on a second core. Each thread writes its own lines' figures and
    // nothing else changes meanwhile.
    std::future<void> rest;
    try {
        rest = std::async(std::launch::async, [this, n, &rates] {
            for (qsizetype i = n / 2; i < n; ++i)
                figures(i, rates);
        });
    } catch (const std::system_error &) {
        return;  // no thread: the caller works them out alone
    }
    for (qsizetype i = 0; i < n / 2; ++i)
        figures(i, rates);
    rest.get();
}

const LineFiguresTable &RecordStore::allFigures(const RateTable &rates) const
{
    workOutFigures(rates);
    for (qsizetype i = 0, n = count(); i < n; ++i) {
        if (!m_figures[size_t(i)].known)
            figures(i, rates);
    }
    return m_figures;
}

const RecordStore::LineFigures &RecordStore::figures(qsizetype i, const RateTable &rates) const
{
    figuresFor(rates);
    LineFigures &f = m_figures[size_t(i)];
    if (!f.known && m_block.undecoded()) {
        // An opened file's line from its bytes, so the totals need not wait for the text:
        // the fields are the same, "|" being one ASCII byte in the code page.
        f = RecordLineFigures(m_block.rawLine(size_t(i)), rates);
    }
    if (!f.known) {
        // The two fields needed, without splitting the whole line.
        QStringView fields[Amount + 1];
        const int k = RecordFieldViews(view(i), fields, Amount + 1);
        const QStringView type = k > TypeCode ? fields[TypeCode] : QStringView();
        const QStringView amount = k > Amount ? fields[Amount] : QStringView();
        f = FiguresOf(type, amount, rates);
    }
    return f;
}

RecordStore::LineFigures FiguresOf(QStringView typeCode, QStringView amount, const RateTable &rates)
{
    RecordStore::LineFigures f;
    const std::optional<double> parsed = toNumber(amount);
    f.amount = parsed.value_or(0.0);
    const std::optional<double> fee = ComputeFeeExact(rates, typeCode, amount, parsed);
    f.beyond = !fee;
    f.fee = fee.value_or(0.0);
    if (f.beyond)
        f.amount = 0;
    f.known = true;
    return f;
}

LineFigures RecordLineFigures(QByteArrayView recordLine, const RateTable &rates)
{
    QByteArrayView fields[Amount + 1];
    const int k = RecordFieldViews(recordLine, fields, Amount + 1);
    return figuresOfByteFields(fields, k, rates);
}

std::optional<RecordStore::LineFigures> FileLineFigures(QByteArrayView line, const RateTable &rates)
{
    // "|" is one ASCII byte in the code page: fields are found on the bytes, and the bars
    // counted in the same pass (each field closed by one).
    QByteArrayView fields[Amount + 1];
    int k = 0;
    qsizetype bars = 0;
    RecordByteFieldScanner scan(line);
    for (QByteArrayView field; scan.next(field); ++bars)
        if (k <= Amount)
            fields[k++] = field;
    if (!IsRecordBarCount(bars))
        return std::nullopt;
    return figuresOfByteFields(fields, k, rates);
}

FileTotals ComputeFileTotals(const QString &path, const RateTable &rates, qsizetype chunkBytes)
{
    FileTotals r;
    qsizetype skipped = 0;
    r.read = ForEachDataFileLine(
        path,
        [&](QByteArrayView line) {
            const std::optional<RecordStore::LineFigures> f = FileLineFigures(line, rates);
            if (!f) {
                ++skipped;
                return;
            }
            if (f->beyond && r.totals.beyond++ == 0) {
                r.totals.firstBeyond = r.totals.count;
                // Only the first is named: the rest are counted.
                r.firstBeyondAmount = cp874::decode(RecordFieldAt(line, Amount));
            }
            ++r.totals.count;
            r.totals.amount += f->amount;
            r.totals.fee += f->fee;
        },
        chunkBytes);
    if (r.read.ok())
        r.read.skipped = skipped;
    else
        r.totals = {};
    return r;
}

BatchTotals ComputeTotals(const RecordStore &store, const RateTable &rates)
{
    BatchTotals t;
    t.count = store.count();
    const LineFiguresTable &all = store.allFigures(rates);
    for (qsizetype i = 0; i < t.count; ++i) {
        const LineFigures &f = all[size_t(i)];
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

}  // namespace vorlane
