// Spreadsheet import at batch scale: a 100,000-row CSV and a 10,000-row XLSX, read and put
// through the entry checks (every row passes, as keyed orders would).
#include "generator.h"

#include "importer/sheet.h"
#include "workbook/workbook.h"
#include "records/recordline.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace vorlane;
using namespace Qt::StringLiterals;

namespace {

const ReferenceTables &tables()
{
    static const ReferenceTables t = bench::bundledTables();
    return t;
}

QByteArray csvOf(const QStringList &lines)
{
    QString out = u"ประเภท,รหัสไปรษณีย์,ชื่อผู้รับ,ที่อยู่ผู้รับ,ชื่อผู้ฝาก,ที่อยู่ผู้ฝาก,จำนวนเงิน\r\n"_s;
    auto quoted = [](const QString &t) { return u'"' + QString(t).replace(u"\""_s, u"\"\""_s) + u'"'; };
    for (const QString &line : lines) {
        const MoneyOrderRecord r = SplitRecord(line);
        out += r[TypeCode] + u',' + r[DestPostcode] + u',' + quoted(r[RecipientName]) + u','
               + quoted(r[RecipientAddress]) + u',' + quoted(r[DepositorName]) + u',' + quoted(r[DepositorAddress])
               + u',' + quoted(r[Amount]) + u"\r\n"_s;
    }
    return out.toUtf8();
}

// With `anchor`, also the bare read and UTF-8 decode of the same file, best of 5 in the
// same run, and the import as a multiple of it: a figure that a loaded machine moves less.
void runImport(benchmark::State &state, const QString &path, qsizetype want, bool anchor = false)
{
    double anchorBest = 1e9;
    for (int k = 0; anchor && k < 5; ++k) {
        QElapsedTimer t;
        t.start();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(QString::fromUtf8(f.readAll()));
        anchorBest = std::min(anchorBest, t.nsecsElapsed() / 1e6);
    }
    double total = 0, reading = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const Sheet sheet = ReadSheetFile(path);
        reading += t.nsecsElapsed() / 1e6;
        const ImportResult r = ImportSheet(sheet, {}, tables());
        if (r.lines(true).size() < want) {
            state.SkipWithError("rows were refused");
            return;
        }
        benchmark::DoNotOptimize(r);
        total += t.nsecsElapsed() / 1e6;
    }
    if (state.iterations() > 0)
        state.counters["read_ms"] = reading / double(state.iterations());
    if (anchor && state.iterations() > 0) {
        state.counters["anchor_ms"] = anchorBest;
        state.counters["x_anchor"] = total / double(state.iterations()) / anchorBest;
    }
}

void BM_ImportCsv100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"orders.csv"_s);
    const QStringList lines = bench::makeBatch(tables(), 100000);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(csvOf(lines)) < 0) {
        state.SkipWithError("cannot write the CSV");
        return;
    }
    f.close();
    runImport(state, path, lines.size(), true);
}
BENCHMARK(BM_ImportCsv100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// The workbook is the export of a batch: its column names are the import's own. The whole
// program's import of 100,000 orders against LibreOffice's own reading of the same file is
// scripts/import-vs-libreoffice.sh.
void importWorkbookOf(benchmark::State &state, int orders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"orders.xlsx"_s);
    const QStringList lines = bench::makeBatch(tables(), orders);
    QString error;
    if (!WriteWorkbook(path, lines, tables().rates, &error)) {
        state.SkipWithError("cannot write the workbook");
        return;
    }
    runImport(state, path, lines.size());
}
void BM_ImportXlsx10k(benchmark::State &state) { importWorkbookOf(state, 10000); }
BENCHMARK(BM_ImportXlsx10k)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_ImportXlsx100k(benchmark::State &state) { importWorkbookOf(state, 100000); }
BENCHMARK(BM_ImportXlsx100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
