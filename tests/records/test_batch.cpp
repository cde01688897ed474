// The batch's operations: what each sequence leaves in the lines, the indices and the
// flags, and what the observer (the recovery journal) is told, in order.
#include "records/batch.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

namespace {

struct Log final : Batch::Observer {
    QStringList told;
    void fileStateChanged() override { told << u"file"_s; }
    void started(const FileStamp *stamp) override { told << (stamp ? u"start stamp"_s : u"start"_s); }
    void stored(qsizetype i, const QString &line, const QString &previous) override
    {
        told << u"set %1 %2 was %3"_s.arg(i).arg(line, previous);
    }
    void inserted(qsizetype i, const QString &line) override { told << u"ins %1 %2"_s.arg(i).arg(line); }
    void removed(qsizetype i, const QString &line) override { told << u"del %1 %2"_s.arg(i).arg(line); }
    void cleared() override { told << u"clear"_s; }
    void assigned(const QStringList &lines) override { told << u"assign %1"_s.arg(lines.size()); }
};

// "A" adding, "I" inserting, "S" saved, "-" where not.
QString flags(const Batch &b)
{
    return QString(b.IsAdding() ? u'A' : u'-') + (b.IsInserting() ? u'I' : u'-') + (b.IsSaved() ? u'S' : u'-');
}

const QString kFile = u"/data/batch.txt"_s;

void run(Batch &b, Log &log, const QStringList &steps)
{
    FileStamp stamp;
    stamp.valid = true;
    stamp.size = 42;
    for (const QString &step : steps) {
        QStringList w = step.split(u' ');
        const QString op = w.takeFirst();
        const int n = w.isEmpty() ? 0 : w.first().toInt();
        if (op == u"open")
            b.open(w, kFile, &stamp, 2);
        else if (op == u"import")
            b.open(w, kFile);
        else if (op == u"restore")
            b.restore(w, kFile);
        else if (op == u"go")
            b.setCurrentIndex(n);
        else if (op == u"resumeAt")
            b.setResumeIndex(n);
        else if (op == u"add")
            b.beginAdd();
        else if (op == u"insert")
            b.beginInsert();
        else if (op == u"commit")
            b.commitLine(w.first());
        else if (op == u"delete")
            b.remove([&] {
                log.told << u"ask"_s;
                return w.first() == u"yes";
            });
        else if (op == u"cancel")
            b.cancel();
        else if (op == u"first")
            b.navigate(Batch::Move::First);
        else if (op == u"back")
            b.navigate(Batch::Move::Back);
        else if (op == u"forward")
            b.navigate(Batch::Move::Forward);
        else if (op == u"last")
            b.navigate(Batch::Move::Last);
        else if (op == u"show")
            b.show(n);
        else if (op == u"resume")
            b.resume();
        else if (op == u"abandon")
            b.abandonInsertion();
        else if (op == u"new")
            b.newBatch(u"/app/Noname.txt"_s);
        else if (op == u"close")
            b.close();
        else if (op == u"unnamed")
            b.startUnnamed(u"/app/Noname.txt"_s);
        else if (op == u"saveas")
            b.saveAs(w.first());
        else if (op == u"saved")
            b.saved(stamp);
        else if (op == u"markSaved")
            b.markSaved();
        else if (op == u"markChanged")
            b.markChanged();
        else if (op == u"|")
            log.told.clear();  // what the set-up steps told is left out
        else
            QFAIL(qPrintable(u"unknown step "_s + step));
    }
}

}  // namespace

class TestBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operations_data();
    void operations();
    void files_data();
    void files();
};

void TestBatch::operations_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("held");
    QTest::addColumn<QStringList>("told");

    const QString abc = u"open A B C"_s;
    QTest::newRow("add appends") << QStringList{abc, u"|"_s, u"add"_s, u"commit X"_s} << u"A B C X"_s << 3 << u"---"_s
                                 << 0 << QStringList{u"ins 3 X"_s, u"file"_s};
    QTest::newRow("commit replaces the current record")
        << QStringList{abc, u"go 1"_s, u"|"_s, u"commit X"_s} << u"A X C"_s << 1 << u"---"_s << 0
        << QStringList{u"set 1 X was B"_s, u"file"_s};
    // The journal recognises this run of stores closed by an append as one insertion.
    QTest::newRow("insert before the current record")
        << QStringList{abc, u"go 1"_s, u"|"_s, u"insert"_s, u"commit X"_s} << u"A X B C"_s << 1 << u"---"_s << 0
        << QStringList{u"file"_s, u"set 1 X was B"_s, u"set 2 B was C"_s, u"ins 3 C"_s};
    QTest::newRow("insert holds the rest, changed at once")
        << QStringList{abc, u"go 1"_s, u"insert"_s} << u"A B C"_s << 1 << u"-I-"_s << 2
        << QStringList{u"start stamp"_s, u"file"_s};
    QTest::newRow("insert on an empty batch then commit")
        << QStringList{u"import"_s, u"insert"_s, u"commit X"_s} << u"X"_s << 0 << u"---"_s << 0
        << QStringList{u"start"_s, u"ins 0 X"_s};
    QTest::newRow("declined delete keeps the insertion")
        << QStringList{abc, u"go 1"_s, u"insert"_s, u"|"_s, u"delete no"_s} << u"A B C"_s << 1 << u"-I-"_s << 2
        << QStringList{u"ask"_s};
    QTest::newRow("declined delete, then the insertion is saved")
        << QStringList{abc, u"go 1"_s, u"insert"_s, u"delete no"_s, u"commit X"_s} << u"A X B C"_s << 1 << u"---"_s << 0
        << QStringList{u"start stamp"_s, u"file"_s, u"ask"_s, u"set 1 X was B"_s, u"set 2 B was C"_s, u"ins 3 C"_s};
    QTest::newRow("declined delete still counts as a change") << QStringList{abc, u"|"_s, u"delete no"_s} << u"A B C"_s
                                                              << 0 << u"---"_s << 0 << QStringList{u"ask"_s, u"file"_s};
    QTest::newRow("confirmed delete ends the insertion")
        << QStringList{abc, u"go 1"_s, u"insert"_s, u"delete yes"_s, u"|"_s, u"commit X"_s} << u"A X"_s << 1 << u"---"_s
        << 0 << QStringList{u"set 1 X was C"_s};
    QTest::newRow("delete the last record") << QStringList{abc, u"go 2"_s, u"|"_s, u"delete yes"_s} << u"A B"_s << 1
                                            << u"---"_s << 0 << QStringList{u"ask"_s, u"del 2 C"_s, u"file"_s};
    QTest::newRow("delete the only record, then a commit appends")
        << QStringList{u"open A"_s, u"add"_s, u"delete yes"_s, u"commit X"_s} << u"X"_s << 0 << u"---"_s << 0
        << QStringList{u"start stamp"_s, u"ask"_s, u"del 0 A"_s, u"file"_s, u"ins 0 X"_s};
    QTest::newRow("delete on an empty batch asks nothing") << QStringList{u"open"_s, u"add"_s, u"|"_s, u"delete yes"_s}
                                                           << QString() << 0 << u"---"_s << 0 << QStringList{u"file"_s};
    QTest::newRow("a commit past the end appends") << QStringList{abc, u"go 7"_s, u"|"_s, u"commit X"_s} << u"A B C X"_s
                                                   << 3 << u"---"_s << 0 << QStringList{u"ins 3 X"_s, u"file"_s};
    QTest::newRow("a commit before the start appends")
        << QStringList{abc, u"go -1"_s, u"commit X"_s} << u"A B C X"_s << 3 << u"---"_s << 0
        << QStringList{u"start stamp"_s, u"ins 3 X"_s, u"file"_s};
    QTest::newRow("add gives up an insertion")
        << QStringList{abc, u"go 1"_s, u"insert"_s, u"add"_s, u"commit X"_s} << u"A B C X"_s << 3 << u"---"_s << 0
        << QStringList{u"start stamp"_s, u"file"_s, u"ins 3 X"_s};
    QTest::newRow("cancel after add: the last record")
        << QStringList{abc, u"go 0"_s, u"add"_s, u"cancel"_s} << u"A B C"_s << 2 << u"--S"_s << 0
        << QStringList{u"start stamp"_s};
    QTest::newRow("cancel after add on an empty batch") << QStringList{u"import"_s, u"add"_s, u"cancel"_s} << QString()
                                                        << -1 << u"---"_s << 0 << QStringList{u"start"_s};
    QTest::newRow("cancel in browse mode stays") << QStringList{abc, u"go 1"_s, u"insert"_s, u"cancel"_s} << u"A B C"_s
                                                 << 1 << u"---"_s << 0 << QStringList{u"start stamp"_s, u"file"_s};
    QTest::newRow("back on the first record")
        << QStringList{abc, u"add"_s, u"back"_s} << u"A B C"_s << 0 << u"--S"_s << 0 << QStringList{u"start stamp"_s};
    QTest::newRow("forward on the last record") << QStringList{abc, u"go 2"_s, u"forward"_s} << u"A B C"_s << 2
                                                << u"--S"_s << 0 << QStringList{u"start stamp"_s};
    QTest::newRow("forward from past the end") << QStringList{abc, u"go 5"_s, u"forward"_s} << u"A B C"_s << 2
                                               << u"--S"_s << 0 << QStringList{u"start stamp"_s};
    QTest::newRow("back from past the end")
        << QStringList{abc, u"go 5"_s, u"back"_s} << u"A B C"_s << 4 << u"--S"_s << 0 << QStringList{u"start stamp"_s};
    QTest::newRow("last") << QStringList{abc, u"last"_s} << u"A B C"_s << 2 << u"--S"_s << 0
                          << QStringList{u"start stamp"_s};
    QTest::newRow("moving ends an insertion") << QStringList{abc, u"go 1"_s, u"insert"_s, u"first"_s} << u"A B C"_s << 0
                                              << u"---"_s << 0 << QStringList{u"start stamp"_s, u"file"_s};
    QTest::newRow("moving in an empty batch keeps the new record")
        << QStringList{u"import"_s, u"add"_s, u"last"_s} << QString() << 0 << u"A--"_s << 0 << QStringList{u"start"_s};
    QTest::newRow("a found record replaces the new one")
        << QStringList{abc, u"add"_s, u"show 1"_s, u"commit X"_s} << u"A X C"_s << 1 << u"---"_s << 0
        << QStringList{u"start stamp"_s, u"set 1 X was B"_s, u"file"_s};
    QTest::newRow("back from a work window") << QStringList{abc, u"go 2"_s, u"resumeAt 1"_s, u"add"_s, u"resume"_s}
                                             << u"A B C"_s << 1 << u"--S"_s << 0 << QStringList{u"start stamp"_s};
    QTest::newRow("back from a work window on an empty batch keeps the new record")
        << QStringList{u"import"_s, u"add"_s, u"resume"_s, u"commit X"_s} << u"X"_s << 0 << u"---"_s << 0
        << QStringList{u"start"_s, u"ins 0 X"_s};
    QTest::newRow("back from a work window ends an insertion")
        << QStringList{abc, u"go 1"_s, u"resumeAt 1"_s, u"insert"_s, u"resume"_s, u"commit X"_s} << u"A X C"_s << 1
        << u"---"_s << 0 << QStringList{u"start stamp"_s, u"file"_s, u"set 1 X was B"_s};
}

void TestBatch::operations()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, lines);
    QFETCH(int, current);
    QFETCH(QString, flags);
    QFETCH(int, held);
    QFETCH(QStringList, told);
    Batch b;
    Log log;
    b.setObserver(&log);
    run(b, log, steps);
    QCOMPARE(b.lines().lines().join(u' '), lines);
    QCOMPARE(b.CurrentIndex(), current);
    QCOMPARE(::flags(b), flags);
    QCOMPARE(b.LstMO3().count(), held);
    QCOMPARE(log.told, told);
}

void TestBatch::files_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("known");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("told");

    const QString noname = u"/app/Noname.txt"_s;
    QTest::newRow("a fresh batch is unnamed")
        << QStringList{} << u"Noname.txt"_s << QString() << 0 << u"---"_s << QStringList{};
    // Opened: saved and known, told as one fresh start, never line by line.
    QTest::newRow("open") << QStringList{u"open A B"_s} << kFile << kFile << 2 << u"--S"_s
                          << QStringList{u"start stamp"_s};
    QTest::newRow("import forgets the file") << QStringList{u"open A"_s, u"import B"_s} << kFile << QString() << 0
                                             << u"---"_s << QStringList{u"start stamp"_s, u"start"_s};
    QTest::newRow("saved under a new name")
        << QStringList{u"import A"_s, u"saveas /x/new.txt"_s, u"|"_s, u"saved"_s} << u"/x/new.txt"_s << u"/x/new.txt"_s
        << 0 << u"--S"_s << QStringList{u"start stamp"_s};
    QTest::newRow("a save target alone changes nothing") << QStringList{u"import A"_s, u"|"_s, u"saveas /x/new.txt"_s}
                                                         << kFile << QString() << 0 << u"---"_s << QStringList{};
    QTest::newRow("new batch") << QStringList{u"open A B"_s, u"go 1"_s, u"resumeAt 1"_s, u"|"_s, u"new"_s} << noname
                               << QString() << 0 << u"--S"_s << QStringList{u"clear"_s, u"start"_s};
    QTest::newRow("depositor confirmed") << QStringList{u"unnamed"_s} << noname << QString() << 0 << u"--S"_s
                                         << QStringList{u"file"_s};
    QTest::newRow("close") << QStringList{u"open A"_s, u"go 0"_s, u"insert"_s, u"|"_s, u"close"_s} << QString() << kFile
                           << 2 << u"---"_s << QStringList{u"clear"_s, u"file"_s};
    QTest::newRow("told once per change")
        << QStringList{u"open A"_s, u"|"_s, u"markSaved"_s, u"markChanged"_s, u"markChanged"_s, u"markSaved"_s} << kFile
        << kFile << 2 << u"--S"_s << QStringList{u"file"_s, u"file"_s};
    QTest::newRow("restored: unsaved, last record on screen")
        << QStringList{u"open A"_s, u"add"_s, u"|"_s, u"restore X Y Z"_s} << kFile << kFile << 2 << u"---"_s
        << QStringList{u"assign 3"_s, u"file"_s};
}

void TestBatch::files()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, path);
    QFETCH(QString, known);
    QFETCH(int, skipped);
    QFETCH(QString, flags);
    QFETCH(QStringList, told);
    Batch b;
    Log log;
    b.setObserver(&log);
    run(b, log, steps);
    QCOMPARE(b.CurrentFilePath(), path);
    QCOMPARE(b.KnownFilePath(), known);
    QCOMPARE(b.KnownFileSkipped(), qsizetype(skipped));
    QCOMPARE(::flags(b), flags);
    QCOMPARE(log.told, told);
    if (steps.contains(u"new"_s))
        QCOMPARE(b.ResumeIndex(), 0);
}

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
