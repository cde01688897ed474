// The program's own windows at batch scale: opening through the file chooser, keying one
// order, the record search box, the post-office search window, "เปิดโปรแกรม", and
// (in a fresh process each, so that peak memory is the program's alone) start-up,
// 100,000 orders open and the slip to PDF.
#include "guirig.h"

#include "entry/entrywindow.h"
#include "rules/search.h"
#include "entry/searchwindow.h"
#include "records/codec.h"
#include "records/recordline.h"
#include "widgets/commandbutton.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include "controls.h"

using vorlane::test::ui;

using namespace Qt::StringLiterals;
using namespace vorlane;
using namespace vorlane::bench;

namespace {

const ReferenceTables &tables()
{
    static const ReferenceTables t = bundledTables();
    return t;
}

// One program (main window, depositor confirmed) shared by the in-process benchmarks;
// closed before the application object goes.
std::unique_ptr<GuiRig> g_rig;
GuiRig &rig()
{
    if (!g_rig) {
        g_rig = std::make_unique<GuiRig>();
        g_rig->openProgram();
    }
    return *g_rig;
}

const QString &batchPath(int n)
{
    static std::map<int, QString> paths;
    QString &p = paths[n];
    if (p.isEmpty())
        p = rig().writeBatch(u"batch%1.txt"_s.arg(n), makeBatch(tables(), n));
    return p;
}

bool openBatch(benchmark::State &state, int n)
{
    if (rig().openBatch(batchPath(n)) && rig().session.batch.lines().count() == n)
        return true;
    state.SkipWithError(("the batch did not open: " + rig().prompter.last.toStdString()).c_str());
    return false;
}

// Decode, filter, fill the store, record 1 on screen and the totals, through the real
// open command; also as a multiple of the bare decode of the same bytes.
void BM_GuiOpenBatch(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString path = batchPath(n);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    double decodeBest = 1e9;
    for (int k = 0; k < 7; ++k) {
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(cp874::decode(bytes));
        decodeBest = std::min(decodeBest, t.nsecsElapsed() / 1e6);
    }
    double openTotal = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig().beginOpen(path);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        const bool ok = rig().finishOpen();
        openTotal += t.nsecsElapsed() / 1e6;
        if (!ok || rig().session.batch.lines().count() != n) {
            state.SkipWithError("the batch did not open");
            break;
        }
    }
    state.counters["decode_ms"] = decodeBest;
    if (state.iterations() > 0)
        state.counters["x_decode"] = openTotal / double(state.iterations()) / decodeBest;
}
BENCHMARK(BM_GuiOpenBatch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same without the recovery journal, whose full copy of the opened batch is the
// largest part of the time above.
void BM_GuiOpenBatchNoJournal(benchmark::State &state)
{
    const QString path = batchPath(int(state.range(0)));
    GuiRig g(false);
    g.openProgram();
    for (auto _ : state) {
        state.PauseTiming();
        g.beginOpen(path);
        state.ResumeTiming();
        if (!g.finishOpen()) {
            state.SkipWithError("the batch did not open");
            break;
        }
    }
}
BENCHMARK(BM_GuiOpenBatchNoJournal)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_GuiRefreshTotals(benchmark::State &state)
{
    if (!openBatch(state, int(state.range(0))))
        return;
    EntryWindow *entry = rig().main->entryWindow();
    for (auto _ : state)
        entry->RefreshTotals();
}
BENCHMARK(BM_GuiRefreshTotals)->Arg(100000)->Unit(benchmark::kMillisecond);

// "เพิ่ม", the eight fields keyed, then "บันทึก": the checks, the store, the screen and
// the totals. The added order is taken out again (untimed) so the batch stays the size.
void BM_GuiCommitOrder(benchmark::State &state)
{
    const int n = int(state.range(0));
    if (!openBatch(state, n))
        return;
    GuiRig &g = rig();
    EntryWindow *entry = g.main->entryWindow();
    const QStringList orders = makeBatch(tables(), 64, 101);
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        entry->AddAction();
        const MoneyOrderRecord r = SplitRecord(orders[k++ % orders.size()]);
        for (int i = 0; i < kFieldCount; ++i)
            entry->setField(i, r[i]);
        const int before = g.prompter.count;
        state.ResumeTiming();
        ui(entry).Cmdsave->click();
        QApplication::processEvents();
        state.PauseTiming();
        if (g.prompter.count != before || g.session.batch.lines().count() != n + 1) {
            state.SkipWithError(("the order was not stored: " + g.prompter.last.toStdString()).c_str());
            break;
        }
        g.session.batch.setCurrentIndex(n);
        g.session.batch.remove([] { return true; });
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GuiCommitOrder)->Arg(10000)->Unit(benchmark::kMillisecond);

// One keystroke in the record search box when no order matches: the whole batch is read.
void BM_GuiRecordSearchKeystroke(benchmark::State &state)
{
    if (!openBatch(state, int(state.range(0))))
        return;
    QLineEdit *box = ui(rig().main->entryWindow()).Text2;
    const QString typed[2] = {u"zq"_s, u"zqx"_s};
    int k = 0;
    for (auto _ : state) {
        box->setText(typed[k++ & 1]);
        QApplication::processEvents();
    }
    box->clear();
}
BENCHMARK(BM_GuiRecordSearchKeystroke)->Arg(100000)->Unit(benchmark::kMillisecond);

// Same, with the order found at the last line of the batch.
void BM_GuiRecordSearchFoundLast(benchmark::State &state)
{
    if (!openBatch(state, int(state.range(0))))
        return;
    GuiRig &g = rig();
    g.session.batch.show(int(g.session.batch.lines().count() - 1));
    g.session.batch.commitLine(g.session.batch.lines().lines().last() + u"zq"_s);
    QLineEdit *box = ui(g.main->entryWindow()).Text2;
    const QString typed[2] = {u"z"_s, u"zq"_s};
    int k = 0;
    for (auto _ : state) {
        box->setText(typed[k++ & 1]);
        QApplication::processEvents();
    }
    box->clear();
}
BENCHMARK(BM_GuiRecordSearchFoundLast)->Arg(100000)->Unit(benchmark::kMillisecond);

// One keystroke in the post-office search window with no office matching, over the
// bundled table (0) or a table of that many lines.
void BM_GuiPostOfficeKeystroke(benchmark::State &state)
{
    GuiRig &g = rig();
    const int lines = int(state.range(0));
    const CodeNameTable kept = g.session.tables.postOffices;
    if (lines > 0) {
        CodeNameTable big;
        for (int i = 0; i < lines; ++i) {
            big.codes.append(kept.codes.at(i % kept.codes.size()));
            big.names.append(kept.names.at(i % kept.names.size()));
        }
        g.session.tables.postOffices = big;
    }
    state.counters["offices"] = double(g.session.tables.postOffices.codes.size());
    g.main->openSearch();
    QApplication::processEvents();
    QLineEdit *box = ui(g.main->searchWindow()).Txtsearch[0];
    const QString typed[2] = {u"ฮฮ"_s, u"ฮฮฮ"_s};
    int k = 0;
    for (auto _ : state) {
        box->setText(typed[k++ & 1]);
        QApplication::processEvents();
    }
    if (g.main->searchWindow()->foundIndex() != -1)
        state.SkipWithError("an office matched");
    g.main->searchWindow()->Command1_3_Click();
    QApplication::processEvents();
    g.session.tables.postOffices = kept;
}
BENCHMARK(BM_GuiPostOfficeKeystroke)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

// "เปิดโปรแกรม" confirmed: the tables read and the entry window built, filled and shown.
// A fresh program each time, so every run reads the tables and builds the window anew.
void BM_GuiDepositorConfirm(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto g = std::make_unique<GuiRig>();
        state.ResumeTiming();
        g->openProgram();
        QApplication::processEvents();
        state.PauseTiming();
        if (!g->main->entryWindow() || !g->main->entryWindow()->isVisible()
            || ui(g->main->entryWindow()).Combo1[2]->count() == 0)
            state.SkipWithError("the entry window did not come up");
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GuiDepositorConfirm)->Unit(benchmark::kMillisecond);

// ---- in a process of its own ------------------------------------------------------------

QString probePath() { return QCoreApplication::applicationDirPath() + u"/vorlane-bench-probe"_s; }

// Runs the probe and returns its "key value" lines; empty on failure.
std::map<QString, double> runProbe(const QStringList &args, double *wallMs = nullptr)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(probePath(), args);
    std::map<QString, double> out;
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return out;
    if (wallMs)
        *wallMs = t.nsecsElapsed() / 1e6;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> kv = line.split(' ');
        if (kv.size() == 2)
            out[QString::fromLatin1(kv[0])] = kv[1].toDouble();
    }
    return out;
}

// Process start to the main window painted (wall clock from the parent, which includes
// loading the program), then "เปิดโปรแกรม" confirmed to the entry window painted.
void BM_ProcessStartup(benchmark::State &state)
{
    double confirm = 0, rss = 0;
    for (auto _ : state) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(probePath(), {u"startup"_s});
        // The probe writes "shown" the moment the main window is first painted.
        QByteArray seen;
        while (!seen.contains("shown") && p.waitForReadyRead(30000))
            seen += p.readAllStandardOutput();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("the probe failed");
            break;
        }
        seen += p.readAllStandardOutput();
        for (const QByteArray &line : seen.split('\n')) {
            const QList<QByteArray> kv = line.split(' ');
            if (kv.size() == 2 && kv[0] == "confirm_ms")
                confirm += kv[1].toDouble();
            if (kv.size() == 2 && kv[0] == "peak_mib")
                rss = std::max(rss, kv[1].toDouble());
        }
    }
    if (state.iterations() > 0)
        state.counters["confirm_cold_ms"] = confirm / double(state.iterations());
    state.counters["peak_mib"] = rss;
}
BENCHMARK(BM_ProcessStartup)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Peak memory of the program with the batch open (main window, depositor, entry window).
void BM_ProcessPeakMemoryOpen(benchmark::State &state)
{
    const QString path = batchPath(int(state.range(0)));
    double rss = 0, open = 0, anchor = 0, cpu = 0, thread = 0, switchAnchor = 0, repaintAnchor = 0;
    for (auto _ : state) {
        const auto r = runProbe({u"open"_s, path});
        if (!r.count(u"peak_mib"_s)) {
            state.SkipWithError("the probe failed");
            break;
        }
        state.SetIterationTime(r.at(u"open_ms"_s) / 1e3);
        rss = std::max(rss, r.at(u"peak_mib"_s));
        open += r.at(u"open_ms"_s);
        cpu += r.at(u"open_cpu_ms"_s);
        thread += r.at(u"open_thread_cpu_ms"_s);
        // The same process's bare decode of the file and the screen update of this open
        // (its own paint of record 1 and the totals). Beside it, two narrower screen
        // updates: the same change of window without a batch read, and a repaint of the
        // entry window with nothing on it changed.
        anchor += r.at(u"decode_ms"_s) + r.at(u"open_paint_ms"_s);
        switchAnchor += r.at(u"decode_ms"_s) + r.at(u"switch_ms"_s);
        repaintAnchor += r.at(u"decode_ms"_s) + r.at(u"paint_ms"_s);
    }
    state.counters["peak_mib"] = rss;
    if (state.iterations() > 0) {
        const double n = double(state.iterations());
        state.counters["anchor_ms"] = anchor / n;
        state.counters["x_anchor"] = open / anchor;
        // CPU time: of the whole process, and of the window's thread alone.
        state.counters["cpu_ms"] = cpu / n;
        state.counters["thread_cpu_ms"] = thread / n;
        state.counters["x_anchor_cpu"] = thread / anchor;
        state.counters["x_anchor_switch"] = open / switchAnchor;
        state.counters["x_anchor_repaint"] = open / repaintAnchor;
    }
}
BENCHMARK(BM_ProcessPeakMemoryOpen)->Arg(100000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The slip of the whole batch to a PDF file, with its sheets and peak memory.
void BM_ProcessSlipPdf(benchmark::State &state)
{
    const QString path = batchPath(int(state.range(0)));
    QTemporaryDir out;
    double rss = 0, sheets = 0, progress = 0;
    for (auto _ : state) {
        const auto r = runProbe({u"slip"_s, path, out.filePath(u"slip.pdf"_s)});
        if (!r.count(u"slip_ms"_s)) {
            state.SkipWithError("the probe failed");
            break;
        }
        state.SetIterationTime(r.at(u"slip_ms"_s) / 1e3);
        rss = std::max(rss, r.at(u"peak_mib"_s));
        sheets = r.at(u"sheets"_s);
        progress = r.at(u"progress_calls"_s);
    }
    state.counters["peak_mib"] = rss;
    state.counters["sheets"] = sheets;
    // Calls of the progress hook the print window's progress box hangs on: one per sheet.
    state.counters["progress_calls"] = progress;
}
BENCHMARK(BM_ProcessSlipPdf)->Arg(10000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// "ตรวจสอบข้อมูล" clicked with the batch open, until the list is painted with its orders.
void BM_ProcessReview(benchmark::State &state)
{
    const QString path = batchPath(int(state.range(0)));
    double rss = 0;
    for (auto _ : state) {
        const auto r = runProbe({u"review"_s, path});
        if (!r.count(u"review_ms"_s)) {
            state.SkipWithError("the probe failed");
            break;
        }
        state.SetIterationTime(r.at(u"review_ms"_s) / 1e3);
        rss = std::max(rss, r.at(u"peak_mib"_s));
    }
    state.counters["peak_mib"] = rss;
}
BENCHMARK(BM_ProcessReview)->Arg(100000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Keystrokes in the record search box of a freshly opened batch, no order matching: the
// median of 21 keystrokes (timed), and the first one, which waits for the upper-cased copy
// when it is typed before the copy is made.
void BM_ProcessSearchKeystroke(benchmark::State &state)
{
    const QString path = batchPath(int(state.range(0)));
    double first = 0;
    for (auto _ : state) {
        const auto r = runProbe({u"search"_s, path, QString::number(state.range(1))});
        if (!r.count(u"keystroke_median_ms"_s)) {
            state.SkipWithError("the probe failed");
            break;
        }
        state.SetIterationTime(r.at(u"keystroke_median_ms"_s) / 1e3);
        first = std::max(first, r.at(u"first_keystroke_ms"_s));
    }
    state.counters["first_keystroke_ms"] = first;
}
// Second argument: milliseconds between the batch on screen and the first keystroke.
BENCHMARK(BM_ProcessSearchKeystroke)
    ->Args({100000, 0})
    ->Args({100000, 300})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// `vorlane-cli totals` of a large file: wall time and peak memory against the file's size.
void BM_ProcessCliTotals(benchmark::State &state)
{
    const int n = int(state.range(0));
    static std::map<int, QString> files;
    QString &path = files[n];
    if (path.isEmpty()) {
        // Written in blocks of 10,000 orders: the benchmark need not hold a million.
        path = rig().dir.filePath(u"totals%1.txt"_s.arg(n));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            state.SkipWithError("cannot write the batch");
            return;
        }
        for (int done = 0; done < n; done += 10000) {
            QByteArray block;
            for (const QString &l : makeBatch(tables(), std::min(10000, n - done), 874 + unsigned(done)))
                block += cp874::encode(l).bytes + "\r\n";
            f.write(block);
        }
    }
    const double fileMiB = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
    const QString dir = QCoreApplication::applicationDirPath();
    double peak = 0, cpu = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(dir + u"/vorlane-bench-peak"_s, {dir + u"/vorlane-cli"_s, u"totals"_s, u"--tables"_s, dataDir(), path});
        if (!p.waitForFinished(120000) || p.exitCode() != 0) {
            state.SkipWithError("vorlane-cli totals failed");
            break;
        }
        std::map<QByteArray, double> out;
        for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> kv = line.split(' ');
            if (kv.size() == 2)
                out[kv[0]] = kv[1].toDouble();
        }
        state.SetIterationTime(out["wall_ms"] / 1e3);
        peak = std::max(peak, out["peak_kib"] / 1024.0);
        cpu += out["cpu_ms"];
    }
    state.counters["file_mib"] = fileMiB;
    state.counters["peak_mib"] = peak;
    state.counters["peak_x_file"] = peak / fileMiB;
    if (state.iterations() > 0)
        state.counters["cpu_ms"] = cpu / double(state.iterations());
}
BENCHMARK(BM_ProcessCliTotals)->Arg(1000000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_rig.reset();
    return 0;
}
