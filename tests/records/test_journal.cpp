#include "records/journal.h"
#include "tempfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestJournal : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void replaysEveryChangeInOrder()
    {
        const QString path = dir.filePath(u"state/recovery.journal"_s);
        RecordStore store;
        {
            RecoveryJournal j(path);
            QVERIFY(j.begin({}, u"/home/u/Noname.txt"_s, true));
            store.setObserver(&j);
            j.noteSaved(false);
            store.append(u"A|"_s);
            store.append(u"B\ttab\\slash|"_s);
            store.setAt(2, u"C|"_s);  // just past the end: appended
            store.insert(1, u"X|"_s);
            store.setAt(0, u"A2|"_s);
            store.removeAt(3);
            j.noteFile(u"/data/batch.txt"_s);
            store.setObserver(nullptr);
            // No discard: as after a crash.
        }
        const auto r = RecoveryJournal::read(path);
        QVERIFY(r.has_value());
        QCOMPARE(r->lines, store.lines());
        QCOMPARE(r->lines, (QStringList{u"A2|"_s, u"X|"_s, u"B\ttab\\slash|"_s}));
        QCOMPARE(r->filePath, u"/data/batch.txt"_s);
        QVERIFY(!r->saved);
    }

    void openingABatchStartsOver()
    {
        const QString path = dir.filePath(u"open.journal"_s);
        RecoveryJournal j(path);
        RecordStore store;
        store.setObserver(&j);
        QVERIFY(j.begin({u"old|"_s}, u"a.txt"_s, false));
        store.assign({u"1|"_s, u"2|"_s});
        store.clear();
        store.append(u"3|"_s);
        const auto r = RecoveryJournal::read(path);
        QCOMPARE(r->lines, QStringList{u"3|"_s});
        QCOMPARE(r->filePath, u"a.txt"_s);
        store.setObserver(nullptr);
    }

    void cutOffLastLineIsIgnored()
    {
        const QString path = dir.filePath(u"cut.journal"_s);
        QVERIFY(test::writeBytes(path, "B\t0\tx.txt\nL\tA|\nE\nI\t1\tB|\nI\t2\tC"));
        const auto r = RecoveryJournal::read(path);
        QCOMPARE(r->lines, (QStringList{u"A|"_s, u"B|"_s}));
        // A journal cut inside its opening snapshot holds no batch to trust.
        QVERIFY(test::writeBytes(path, "B\t0\tx.txt\nL\tA|\n"));
        QVERIFY(!RecoveryJournal::read(path).has_value());
    }

    void cleanEndLeavesNothing()
    {
        const QString path = dir.filePath(u"clean.journal"_s);
        RecoveryJournal j(path);
        QVERIFY(j.begin({u"x|"_s}, u"b.txt"_s, false));
        j.discard();
        QVERIFY(!QFile::exists(path));
        QVERIFY(!RecoveryJournal::read(path).has_value());
        QVERIFY(!RecoveryJournal::read(dir.filePath(u"never.journal"_s)).has_value());
    }

    void copiesOfTheStoreDoNotReport()
    {
        const QString path = dir.filePath(u"copy.journal"_s);
        RecoveryJournal j(path);
        RecordStore store;
        store.setObserver(&j);
        QVERIFY(j.begin({}, u"c.txt"_s, false));
        store.append(u"kept|"_s);
        RecordStore copy = store;
        copy.append(u"not journalled|"_s);
        QCOMPARE(RecoveryJournal::read(path)->lines, QStringList{u"kept|"_s});
        store.setObserver(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
