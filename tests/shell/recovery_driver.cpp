// A child program for the recovery test: the real main window on a folder of tables,
// keying money orders with the keyboard and editing the batch until the test kills it.
// Before each change it prints the change ("P" and its fields), after it "D", so the
// test knows the two batches the journal may hold at the moment of the kill.
//   recovery_driver <folder> <seed> [mode]
// Modes: "time" keys 200 orders and prints the cost of one commit; "full" keys with a limit
// on the size of every file it writes, so the journal runs out of room part way (a full
// disk) while saves of the smaller data file still succeed; "insert" inserts near the top
// of the batch, over and over. A journal left in the folder is restored first (Yes).
#include "entry/entrywindow.h"
#include "shell/fileflows.h"
#include "records/apppaths.h"
#include "records/session.h"
#include "scriptedprompter.h"
#include "widgets/commandbutton.h"
#include "shell/depositordialog.h"
#include "shell/mainwindow.h"
#include "thaitype.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <cstdio>

#include <sys/resource.h>
#include "controls.h"

using vorlane::test::ui;

using namespace vorlane;
using namespace vorlane::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kPostcodes = {u"10100"_s, u"10110"_s, u"10120"_s};
const QStringList kNames = {u"นายสมชาย ใจดี"_s, u"นางสาวมาลี ศรีสุข"_s, u"Mr. Tab\\Slash"_s, u"บจก. ทดสอบ"_s};

void say(const QString &what)
{
    const QByteArray b = what.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
    std::fflush(stdout);
}

// Tabs and line ends never occur in a keyed line, so the fields can go tab-separated.
struct Driver {
    MainWindow &ws;
    EntryWindow *e;
    QRandomGenerator rng;

    void key(QWidget *w, const QString &text)
    {
        w->setFocus(Qt::OtherFocusReason);
        typeText(w, text);
    }
    QWidget *focus() { return QApplication::focusWidget(); }

    // Postcode, recipient, address, amount with Enter between them; the save button then
    // has the focus.
    void keyRecord(int n)
    {
        QWidget *f = focus();
        if (f != ui(e).Combo1[2])
            ui(e).Combo1[2]->setFocus(Qt::OtherFocusReason);
        typeText(focus(), kPostcodes[n % kPostcodes.size()]);
        pressEnter(focus());
        typeText(focus(), kNames[n % kNames.size()] + u" %1"_s.arg(n));
        pressEnter(focus());
        typeText(focus(), u"%1 หมู่ %2"_s.arg(n).arg(n % 9 + 1));
        pressEnter(focus());
        typeText(focus(), QString::number(100 + (n * 37) % 4000));
        pressEnter(focus());
    }
    void goTo(int i)
    {
        e->Navigate(EntryWindow::Move::First);
        for (int k = 0; k < i; ++k)
            e->Navigate(EntryWindow::Move::Forward);
    }
    // The commit, and the event loop turn that writes the journal.
    void save()
    {
        pressEnter(ui(e).Cmdsave);
        QTest::qWait(1);
    }

    void add(int n)
    {
        e->AddAction();
        keyRecord(n);
        say(u"P\tA\t"_s + e->lineFromFields());
        save();
    }
    // Records near the top: walking to one far down a restored batch would take the time.
    int pick() { return int(rng.bounded(quint32(std::min<qsizetype>(ws.batch().lines().count(), 30)))); }

    void replace(int n)
    {
        const int i = pick();
        goTo(i);
        ui(e).Text1[4]->setFocus(Qt::OtherFocusReason);
        ui(e).Text1[4]->selectAll();
        typeText(ui(e).Text1[4], QString::number(200 + n));
        pressEnter(ui(e).Text1[4]);
        say(u"P\tR\t%1\t"_s.arg(i) + e->lineFromFields());
        save();
    }
    void insert(int n)
    {
        const int i = pick();
        goTo(i);
        e->InsertAction();
        keyRecord(n);
        say(u"P\tI\t%1\t"_s.arg(i) + e->lineFromFields());
        save();
    }
    void remove()
    {
        const int i = pick();
        goTo(i);
        say(u"P\tX\t%1"_s.arg(i));
        e->DeleteAction();  // the prompter answers Yes
        QTest::qWait(1);
    }
    void saveFile(int n)
    {
        const QString path = ws.session().paths.file(u"batch%1.txt"_s.arg(n));
        say(u"P\tF\t"_s + path);
        ws.batch().saveAs(path);
        SaveDataFile(ws);
        QTest::qWait(1);
    }
};

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool timing = argc > 3 && qstrcmp(argv[3], "time") == 0;
    const bool full = argc > 3 && qstrcmp(argv[3], "full") == 0;
    const bool inserting = argc > 3 && qstrcmp(argv[3], "insert") == 0;
    if (full) {
        // Writes past the limit fail (EFBIG) instead of ending the program.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{6000, 6000};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    Session session;
    session.paths = AppPaths::forDirectory(dir);
    if (timing && argc > 4)
        session.paths.stateDir = QString::fromLocal8Bit(argv[4]);  // "" turns the journal off
    ScriptedPrompter prompter;
    prompter.fallback = Prompter::Answer::Yes;
    MainWindow window(session, prompter);
    window.resize(1024, 768);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);

    ui(&window).Command1[0]->click();
    ui(window.depositorDialog()).Text1->setText(u"บริษัท ส่งไว จำกัด"_s);
    ui(window.depositorDialog()).Text2->setText(u"5 ถนนพระราม 4"_s);
    window.depositorDialog()->Confirm();
    Driver d{window, window.entryWindow(), QRandomGenerator(quint32(QByteArray(argv[2]).toUInt()))};
    say(u"READY"_s);

    if (timing) {
        // The commit alone, from the save button to the journal written and flushed.
        QElapsedTimer t;
        qint64 total = 0, worst = 0;
        const int n = 200;
        for (int i = 0; i < n; ++i) {
            d.e->AddAction();
            d.keyRecord(i);
            t.start();
            pressEnter(ui(d.e).Cmdsave);
            QCoreApplication::processEvents();  // the turn that writes the journal
            const qint64 ns = t.nsecsElapsed();
            total += ns;
            worst = std::max(worst, ns);
        }
        say(u"commit mean %1 ms, worst %2 ms over %3"_s.arg(double(total) / n / 1e6, 0, 'f', 3)
                .arg(double(worst) / 1e6, 0, 'f', 3)
                .arg(n));
        return 0;
    }

    for (int n = 0;; ++n) {
        const qsizetype count = session.batch.lines().count();
        const quint32 r = d.rng.bounded(100u);
        if (inserting && count > 0 && r < 90)
            d.insert(n);
        else if (inserting && count > 0)
            d.saveFile(n);
        else if (count == 0 || r < 55 || (count < 5 && r < 80))
            d.add(n);
        else if (r < 70)
            d.replace(n);
        else if (r < 80)
            d.insert(n);
        else if (r < 95 || (count > 30 && count < 100))
            d.remove();
        else
            d.saveFile(n);
        say(u"D"_s);
    }
}
