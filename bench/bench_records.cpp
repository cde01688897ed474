// Batch-scale figures of the record core: fees, opening, saving and totals.
#include "generator.h"

#include "records/codec.h"
#include "records/datafile.h"
#include "records/duplicates.h"
#include "records/fee.h"
#include "records/fileio.h"
#include "records/numbers.h"
#include "records/recordline.h"
#include "records/totals.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vorlane;

namespace {

const ReferenceTables &tables()
{
    static const ReferenceTables t = bench::bundledTables();
    return t;
}

// The fee as it would be with the row looked up by reading "rate.txt" afresh at every call.
double feeRereadingTheFile(const QString &ratePath, const RateTable &rates, QStringView type, QStringView amount)
{
    QFile f(ratePath);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const auto want = toNumber(type);
    int row = 0, r = 0;
    while (!f.atEnd()) {
        const QString line = cp874::decode(f.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        const auto code = toNumber(ReadFields(line, 7).at(0));
        if (want && code && whole(*code) == whole(*want)) {
            row = r;
            break;
        }
        ++r;
    }
    RateTable one;
    one.append(rates.rows[row]);
    return ComputeFee(one, one.rows[0].TypeCode, amount);
}

void BM_ComputeFee(benchmark::State &state)
{
    const RateTable &rates = tables().rates;
    const QStringList batch = bench::makeBatch(tables(), 1000);
    std::vector<MoneyOrderRecord> records;
    for (const QString &l : batch)
        records.push_back(SplitRecord(l));
    size_t i = 0;
    for (auto _ : state) {
        const MoneyOrderRecord &r = records[i++ % records.size()];
        benchmark::DoNotOptimize(ComputeFee(rates, r[TypeCode], r[Amount]));
    }
}
BENCHMARK(BM_ComputeFee);

// What saving one keyed order adds for the duplicate question: one pass over a batch of
// 100,000 orders, none of them the same as the new one.
void BM_FindDuplicate(benchmark::State &state)
{
    RecordStore store;
    store.assign(bench::makeBatch(tables(), int(state.range(0))));
    MoneyOrderRecord keyed = SplitRecord(store.at(0));
    keyed[RecipientName] = QStringLiteral("นาย ไม่ซ้ำ ใคร");
    for (auto _ : state)
        benchmark::DoNotOptimize(FindDuplicate(store, keyed));
}
BENCHMARK(BM_FindDuplicate)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ComputeFeeRereadingRateFile(benchmark::State &state)
{
    const RateTable &rates = tables().rates;
    const QString path = bench::dataDir() + QStringLiteral("/rate.txt");
    const QStringList batch = bench::makeBatch(tables(), 1000);
    std::vector<MoneyOrderRecord> records;
    for (const QString &l : batch)
        records.push_back(SplitRecord(l));
    size_t i = 0;
    for (auto _ : state) {
        const MoneyOrderRecord &r = records[i++ % records.size()];
        benchmark::DoNotOptimize(feeRereadingTheFile(path, rates, r[TypeCode], r[Amount]));
    }
}
BENCHMARK(BM_ComputeFeeRereadingRateFile);

struct BatchFile {
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
    QStringList lines;
    explicit BatchFile(int n)
    {
        lines = bench::makeBatch(tables(), n);
        path = dir.filePath(QStringLiteral("batch.txt"));
        WriteDataFile(path, lines);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        bytes = f.readAll();
    }
};

const BatchFile &batchFile(int n)
{
    static std::map<int, std::unique_ptr<BatchFile>> files;
    auto &f = files[n];
    if (!f)
        f = std::make_unique<BatchFile>(n);
    return *f;
}

void BM_DecodeOnly(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(cp874::decode(file.bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * file.bytes.size());
}
BENCHMARK(BM_DecodeOnly)->Arg(100000)->Unit(benchmark::kMillisecond);

// Read, filter, fill the store, split the first record for the screen, and the totals.
void BM_OpenBatch(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state) {
        const ReadResult r = ReadDataFile(file.path);
        RecordStore store;
        store.assign(r.lines);
        benchmark::DoNotOptimize(SplitRecord(store.at(0)));
        benchmark::DoNotOptimize(ComputeTotals(store, tables().rates));
    }
}
BENCHMARK(BM_OpenBatch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same as the program opens a file now: one decoded text with line offsets, the
// totals worked out in the store. The parts of it below, each alone.
void BM_OpenBatchBlock(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state) {
        ReadResult r = ReadDataFile(file.path, LineForm::Block);
        RecordStore store;
        store.assignBlock(std::move(r.block));
        benchmark::DoNotOptimize(SplitRecord(store.at(0)));
        benchmark::DoNotOptimize(ComputeTotals(store, tables().rates));
    }
}
BENCHMARK(BM_OpenBatchBlock)->Arg(100000)->Unit(benchmark::kMillisecond);

// The first order saved after opening a batch: appended to the store, its text decoded
// by then. Only the append is timed.
void BM_FirstSaveAfterOpen(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ReadResult r = ReadDataFile(file.path, LineForm::Block);
        RecordStore store;
        store.assignBlock(std::move(r.block));
        benchmark::DoNotOptimize(store.view(0));  // the text is there, as seconds after an open
        const QString line = store.at(0);
        state.ResumeTiming();
        store.append(line);
        benchmark::DoNotOptimize(store.count());
    }
}
BENCHMARK(BM_FirstSaveAfterOpen)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ReadFileBounded(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFileBounded(file.path, kMaxDataFileBytes));
}
BENCHMARK(BM_ReadFileBounded)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FileChecksum(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FileChecksum(file.bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * file.bytes.size());
}
BENCHMARK(BM_FileChecksum)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadDataFileBlock(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadDataFile(file.path, LineForm::Block));
}
BENCHMARK(BM_ReadDataFileBlock)->Arg(100000)->Unit(benchmark::kMillisecond);

// As the window opens a file: each line's figures worked out as its line is found.
void BM_ReadDataFileBlockFigures(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadDataFile(file.path, LineForm::Block, &tables().rates));
}
BENCHMARK(BM_ReadDataFileBlockFigures)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefreshTotalsColdBlock(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        RecordStore store;
        store.assignBlock(ReadDataFile(file.path, LineForm::Block).block);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ComputeTotals(store, tables().rates));
    }
}
BENCHMARK(BM_RefreshTotalsColdBlock)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveBatch(benchmark::State &state)
{
    const BatchFile &file = batchFile(int(state.range(0)));
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("saved.txt"));
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteDataFile(out, file.lines));
}
BENCHMARK(BM_SaveBatch)->Arg(100000)->Unit(benchmark::kMillisecond);

// Totals with the per-line figures already known (every refresh after the first).
void BM_RefreshTotalsWarm(benchmark::State &state)
{
    RecordStore store;
    store.assign(batchFile(int(state.range(0))).lines);
    ComputeTotals(store, tables().rates);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeTotals(store, tables().rates));
}
BENCHMARK(BM_RefreshTotalsWarm)->Arg(100000)->Unit(benchmark::kMillisecond);

// Totals of a freshly opened batch: every line's figures worked out.
void BM_RefreshTotalsCold(benchmark::State &state)
{
    const QStringList &lines = batchFile(int(state.range(0))).lines;
    for (auto _ : state) {
        state.PauseTiming();
        RecordStore store;
        store.assign(lines);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ComputeTotals(store, tables().rates));
    }
}
BENCHMARK(BM_RefreshTotalsCold)->Arg(100000)->Unit(benchmark::kMillisecond);

// The record search box's search, no order matching, over the upper-cased copy (made
// before timing, as after the first keystroke); the anchor below is the plain rule.
void BM_SearchUpperCopy(benchmark::State &state)
{
    RecordStore store;
    store.assign(bench::makeBatch(tables(), int(state.range(0))));
    store.findUpper(u"ZQ");
    const QString typed[2] = {QStringLiteral("ZQ"), QStringLiteral("ZQX")};
    int k = 0;
    for (auto _ : state)
        if (store.findUpper(typed[k++ & 1]) != -1)
            state.SkipWithError("an order matched");
}
BENCHMARK(BM_SearchUpperCopy)->Arg(100000)->Unit(benchmark::kMillisecond);

// Making the copy: what the first keystroke after opening pays.
void BM_SearchUpperCopyFirst(benchmark::State &state)
{
    const QStringList lines = bench::makeBatch(tables(), int(state.range(0)));
    for (auto _ : state) {
        RecordStore store;
        store.assign(lines);
        benchmark::DoNotOptimize(store.findUpper(u"ZQ"));
    }
}
BENCHMARK(BM_SearchUpperCopyFirst)->Arg(100000)->Unit(benchmark::kMillisecond);

// Anchor: every line upper-cased and searched at each keystroke.
void BM_SearchEveryLine(benchmark::State &state)
{
    const QStringList lines = bench::makeBatch(tables(), int(state.range(0)));
    const QString typed[2] = {QStringLiteral("ZQ"), QStringLiteral("ZQX")};
    int k = 0;
    for (auto _ : state) {
        const QString &needle = typed[k++ & 1];
        for (const QString &l : lines)
            if (l.toUpper().contains(needle))
                state.SkipWithError("an order matched");
    }
}
BENCHMARK(BM_SearchEveryLine)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
