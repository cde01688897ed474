// One measurement in a process of its own, so that its peak memory is the program's
// alone. Prints "key value" lines for bench_gui.
//   startup          main window painted, then "เปิดโปรแกรม" confirmed to the entry window
//   open FILE        the batch opened through the file chooser
//   slip FILE OUT    the slip of the whole batch written as a PDF file
//   review FILE      the batch opened, then "ตรวจสอบข้อมูล" clicked until its list is painted
//   search FILE [MS] the batch opened, then (after a pause of MS milliseconds, as a user
//                    reads the screen) keystrokes in the record search box
//   batch N FILE CSV the generated N-order batch as a data file and the same orders as CSV
#include "guirig.h"

#include "entry/entrywindow.h"
#include "filechooser/filechooser.h"
#include "widgets/commandbutton.h"
#include "records/codec.h"
#include "records/datafile.h"
#include "report/qt/slipoutput.h"
#include "review/reviewwindow.h"
#include "shell/depositordialog.h"
#include "shell/mainwindow.h"
#include "widgets/uiscale.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>
#include <memory>
#include "controls.h"

using vorlane::test::ui;

using namespace Qt::StringLiterals;
using namespace vorlane;

namespace {

void report(const char *key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

// Ends the event loop at the first paint of the watched window.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !painted) {
            painted = true;
            QCoreApplication::exit(0);
        }
        return false;
    }
    bool painted = false;
};

int startup(QApplication &app, QElapsedTimer &sinceMain)
{
    // As the program's own main: program font, session, main window maximised.
    applyProgramFont(currentScreen());
    QTemporaryDir dir;
    const QDir source(bench::dataDir());
    for (const QString &f : source.entryList({u"*.txt"_s}, QDir::Files))
        QFile::copy(source.filePath(f), dir.filePath(f));
    Session session;
    session.paths = AppPaths::forDirectory(dir.path());
    bench::CountingPrompter prompter;
    MainWindow window(session, prompter);
    FirstPaint paint;
    window.installEventFilter(&paint);
    window.showMaximized();
    app.exec();
    std::printf("shown\n");
    report("shown_ms", sinceMain.nsecsElapsed() / 1e6);

    window.commandClick(0);
    app.processEvents();
    ui(window.depositorDialog()).Text1->setText(u"บริษัท ตัวอย่างการค้า จำกัด"_s);
    ui(window.depositorDialog()).Text2->setText(u"99/9 ถนนสีลม แขวงสุริยวงศ์ เขตบางรัก กรุงเทพมหานคร 10500"_s);
    QElapsedTimer t;
    t.start();
    window.depositorDialog()->Confirm();
    FirstPaint entryPaint;
    window.entryWindow()->installEventFilter(&entryPaint);
    window.entryWindow()->update();
    app.exec();
    report("confirm_ms", t.nsecsElapsed() / 1e6);
    report("peak_mib", bench::peakRssMiB());
    return prompter.count == 0 ? 0 : 1;
}

// The chooser lists the folder on threads of its own while the user reads it and keys the
// name: half a second for that (the window kept busy, as keys keep it), so its listing is
// not counted in the open.
void settleChooser()
{
    QElapsedTimer reading;
    reading.start();
    while (reading.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// When the main window's first screen update after `since` began.
class UpdateStart : public QObject {
public:
    explicit UpdateStart(const QElapsedTimer &since) : m_since(since) {}
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::UpdateRequest && at < 0)
            at = m_since.nsecsElapsed() / 1e6;
        return false;
    }
    double at = -1;

private:
    const QElapsedTimer &m_since;
};

double cpuMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

int open(QApplication &app, const QString &path)
{
    bench::GuiRig rig;
    rig.openProgram();
    rig.beginOpen(path);
    settleChooser();
    const int before = rig.prompter.count;
    // As the user does it: Enter on the chooser's "เปิด", until the entry window's first
    // paint with record 1 and the totals. CPU time beside it: the whole process (the
    // journal's and the search copy's threads included) and the window's thread alone.
    FirstPaint paint;
    rig.main->entryWindow()->installEventFilter(&paint);
    const double cpu0 = cpuMs(CLOCK_PROCESS_CPUTIME_ID), thread0 = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    QElapsedTimer t;
    UpdateStart update(t);
    rig.main->installEventFilter(&update);
    t.start();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(ui(rig.main->chooser()).Comopen, &enter);
    if (!paint.painted)
        app.exec();
    const double wall = t.nsecsElapsed() / 1e6;
    const double thread = cpuMs(CLOCK_THREAD_CPUTIME_ID) - thread0, cpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    rig.main->entryWindow()->removeEventFilter(&paint);
    rig.main->removeEventFilter(&update);
    if (rig.prompter.count != before || rig.session.batch.lines().isEmpty())
        return 1;
    report("open_ms", wall);
    report("open_cpu_ms", cpu);
    report("open_thread_cpu_ms", thread);
    // The screen update inside the open: from the main window's update request to the end.
    report("open_paint_ms", update.at < 0 ? 0 : wall - update.at);
    report("orders", double(rig.session.batch.lines().count()));
    // Peak memory with the batch open, its text and search copy made by the worker (view()
    // waits for them), before the anchor's own buffers below add to it.
    (void)rig.session.batch.lines().view(0);
    report("peak_mib", bench::peakRssMiB());
    // The anchor, in this same process: the bare decode of the file's bytes (best of five),
    // beside the screen update measured above. For comparison: a repaint of the entry
    // window as it stands, nothing on it changed (best of five).
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    double decode = 1e9, paintMs = 1e9;
    for (int k = 0; k < 5; ++k) {
        QElapsedTimer d;
        d.start();
        const QString text = cp874::decode(bytes);
        decode = std::min(decode, d.nsecsElapsed() / 1e6);
        d.start();
        rig.main->entryWindow()->repaint();
        paintMs = std::min(paintMs, d.nsecsElapsed() / 1e6);
    }
    report("decode_ms", decode);
    report("paint_ms", paintMs);
    // Beside it, for comparison: a repaint of the whole main window (command bar and entry
    // window), the most the screen shows changed after an open.
    double paintMain = 1e9;
    for (int k = 0; k < 5; ++k) {
        QElapsedTimer d;
        d.start();
        rig.main->repaint();
        paintMain = std::min(paintMain, d.nsecsElapsed() / 1e6);
    }
    report("paint_main_ms", paintMain);
    // And the same screen change without reading a batch: from the chooser back to the
    // entry window showing record 1, until painted (best of five, its glyphs drawn before).
    EntryWindow *entry = rig.main->entryWindow();
    double screen = 1e9;
    for (int k = 0; k < 5; ++k) {
        rig.beginOpen(path);
        settleChooser();
        FirstPaint shown;
        entry->installEventFilter(&shown);
        QElapsedTimer d;
        d.start();
        entry->LoadLineIntoEntryFields(rig.session.batch.lines().at(0));
        entry->show();
        rig.main->chooser()->hide();
        if (!shown.painted)
            app.exec();
        screen = std::min(screen, d.nsecsElapsed() / 1e6);
        entry->removeEventFilter(&shown);
    }
    report("switch_ms", screen);
    return 0;
}

int review(QApplication &app, const QString &path)
{
    bench::GuiRig rig;
    rig.openProgram();
    if (!rig.openBatch(path))
        return 1;
    // Start to finish as the user waits: the click, then the list painted with its orders.
    QElapsedTimer t;
    t.start();
    rig.main->commandClick(5);
    ReviewWindow *r = rig.main->reviewWindow();
    if (!r)
        return 1;
    FirstPaint paint;
    ui(r).List1->viewport()->installEventFilter(&paint);
    ui(r).List1->viewport()->update();
    app.exec();
    report("review_ms", t.nsecsElapsed() / 1e6);
    report("rows", ui(r).List1->model()->rowCount());
    report("peak_mib", bench::peakRssMiB());
    return ui(r).List1->model()->rowCount() == rig.session.batch.lines().count() ? 0 : 1;
}

int search(const QString &path, int pauseMs)
{
    bench::GuiRig rig;
    rig.openProgram();
    if (!rig.openBatch(path))
        return 1;
    // A user reads the screen before typing; meanwhile the events go on as in the program.
    if (pauseMs > 0) {
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < pauseMs)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QLineEdit *box = ui(rig.main->entryWindow()).Text2;
    // No order matches: the whole batch is read at each keystroke. The first one also
    // waits for the upper-cased copy of the batch, when it is not made yet.
    const QString typed[2] = {u"zq"_s, u"zqx"_s};
    QElapsedTimer t;
    t.start();
    box->setText(typed[0]);
    QApplication::processEvents();
    report("first_keystroke_ms", t.nsecsElapsed() / 1e6);
    std::vector<double> later;
    for (int k = 1; k <= 21; ++k) {
        t.restart();
        box->setText(typed[k & 1]);
        QApplication::processEvents();
        later.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(later.begin(), later.end());
    report("keystroke_median_ms", later[later.size() / 2]);
    report("peak_mib", bench::peakRssMiB());
    return rig.main->batch().CurrentIndex() == 0 ? 0 : 1;
}

// The same orders as the data file, one row each, for another program to print.
int batch(int n, const QString &dataPath, const QString &csvPath)
{
    const QStringList lines = bench::makeBatch(bench::bundledTables(), n);
    QFile data(dataPath), csv(csvPath);
    if (!data.open(QIODevice::WriteOnly | QIODevice::Truncate) || !csv.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QByteArray d, c;
    for (const QString &line : lines) {
        d += cp874::encode(line).bytes + "\r\n";
        QStringList cells = line.split(u'|');
        cells.removeLast();  // after the last bar
        for (QString &cell : cells)
            cell = u'"' + cell.replace(u'"', u"\"\""_s) + u'"';
        c += cells.join(u',').toUtf8() + '\n';
    }
    return data.write(d) == d.size() && csv.write(c) == c.size() ? 0 : 1;
}

int slip(const QString &path, const QString &out)
{
    const RateTable rates = LoadRateTable(bench::dataDir() + u"/rate.txt"_s);
    const ReadResult data = ReadDataFile(path);
    if (!data.ok())
        return 1;
    RecordStore all;
    all.assign(data.lines);
    RecordStore selected;
    // The progress box as the print window shows it: window-modal, after 400 ms, moved on
    // at every sheet (a modal box paints and takes the cancel click at each step).
    QWidget window;
    window.resize(1024, 768);
    window.show();
    std::unique_ptr<QProgressDialog> box;
    int progressCalls = 0;
    QElapsedTimer t;
    t.start();
    const SlipResult r = WriteSlipPdf(out, SlipJob{all, selected, rates, SlipRequest{}}, [&](int done, int total) {
        ++progressCalls;
        if (!box) {
            box = std::make_unique<QProgressDialog>(u"กำลังบันทึกใบฝาก..."_s, u"ยกเลิก"_s, 0, total, &window);
            box->setWindowModality(Qt::WindowModal);
            box->setMinimumDuration(400);
        }
        box->setValue(done);
        return !box->wasCanceled();
    });
    if (r.status != SlipResult::Status::Printed)
        return 1;
    report("slip_ms", t.nsecsElapsed() / 1e6);
    report("sheets", r.sheetsPrinted);
    report("progress_calls", progressCalls);
    report("peak_mib", bench::peakRssMiB());
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (mode == u"startup"_s)
        return startup(app, sinceMain);
    if (mode == u"open"_s && args.size() == 3)
        return open(app, args[2]);
    if (mode == u"slip"_s && args.size() == 4)
        return slip(args[2], args[3]);
    if (mode == u"batch"_s && args.size() == 5)
        return batch(args[2].toInt(), args[3], args[4]);
    if (mode == u"review"_s && args.size() == 3)
        return review(app, args[2]);
    if (mode == u"search"_s && (args.size() == 3 || args.size() == 4))
        return search(args[2], args.value(3).toInt());
    std::fprintf(
        stderr,
        "usage: vorlane-bench-probe startup | open FILE | slip FILE OUT.pdf | review FILE | search FILE [PAUSE_MS]\n");
    return 2;
}
