#include "records/datafile.h"
#include "records/journal.h"
#include "records/statelock.h"
#include "tempfiles.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
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

    // One user action is a group between "G" and "g": replayed whole or not at all, and a
    // journal resumed after a cut-off group goes on from before it.
    void groupsReplayWholeOrNotAtAll_data()
    {
        // The journal is `valid` then `rest`: what a resumed journal keeps, and what it drops.
        QTest::addColumn<QByteArray>("valid");
        QTest::addColumn<QByteArray>("rest");
        QTest::addColumn<QStringList>("lines");
        const QByteArray start = "B\t0\tx.txt\nL\tA|\nL\tB|\nE\n";
        QTest::newRow("complete") << start + "G\nI\t1\tN|\nS\t2\tB2|\ng\n"
                                  << QByteArray() << QStringList{u"A|"_s, u"N|"_s, u"B2|"_s};
        QTest::newRow("no end mark") << start << QByteArray("G\nI\t1\tN|\nS\t2\tB2|\n")
                                     << QStringList{u"A|"_s, u"B|"_s};
        QTest::newRow("cut inside") << start << QByteArray("G\nI\t1\tN|\nS\t2\tB") << QStringList{u"A|"_s, u"B|"_s};
        QTest::newRow("mark only") << start << QByteArray("G\n") << QStringList{u"A|"_s, u"B|"_s};
        QTest::newRow("after a complete one") << start + "G\nD\t0\ng\n"
                                              << QByteArray("G\nD\t0\n") << QStringList{u"B|"_s};
        QTest::newRow("plain change after it") << start + "G\nD\t0\ng\nS\t0\tZ|\n"
                                               << QByteArray() << QStringList{u"Z|"_s};
        QTest::newRow("fresh start supersedes") << start + "G\nD\t0\nB\t0\ty.txt\nL\tC|\nE\n"
                                                << QByteArray() << QStringList{u"C|"_s};
    }
    void groupsReplayWholeOrNotAtAll()
    {
        QFETCH(QByteArray, valid);
        QFETCH(QByteArray, rest);
        QFETCH(QStringList, lines);
        const QString path = dir.filePath(u"group.journal"_s);
        QVERIFY(test::writeBytes(path, valid + rest));
        const auto r = RecoveryJournal::read(path);
        QVERIFY(r.has_value());
        QCOMPARE(r->lines, lines);
        QCOMPARE(r->validBytes, valid.size());
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

    // An insertion done as the entry window does it (every later line stored one place
    // down, the last appended) is one entry, not a copy of every moved line.
    void insertionIsOneEntry()
    {
        const QString path = dir.filePath(u"insert.journal"_s);
        QStringList lines;
        for (int i = 0; i < 2000; ++i)
            lines << u"101|10110|ผู้รับ %1|ผู้ฝาก|500|คลองเตย|ที่อยู่|ที่อยู่ผู้ฝาก|"_s.arg(i);
        RecoveryJournal j(path);
        RecordStore store;
        store.assign(lines);
        QVERIFY(j.begin(lines, u"a.txt"_s, false));
        store.setObserver(&j);
        const qint64 start = j.size();
        for (int k = 0; k < 5; ++k) {
            j.holdSync();
            const QStringList held = store.lines().mid(k);
            store.setAt(k, u"new %1|"_s.arg(k));
            for (qsizetype m = 0; m < held.size(); ++m)
                store.setAt(k + 1 + m, held[m]);
            j.releaseSync();
        }
        QVERIFY2(j.size() - start < 1000, qPrintable(QString::number(j.size() - start)));
        QVERIFY(!j.wantsCompaction(store.lines()));
        // A plain replacement that happens to put back a neighbour's line is not taken
        // for an insertion.
        j.holdSync();
        store.setAt(10, store.at(9));
        j.releaseSync();
        QCOMPARE(RecoveryJournal::read(path)->lines, store.lines());
        store.setObserver(nullptr);
    }

    // Past twice a copy of the batch the journal asks to start afresh.
    void growsThenAsksForCompaction()
    {
        const QString path = dir.filePath(u"grow.journal"_s);
        RecoveryJournal j(path);
        RecordStore store;
        store.setObserver(&j);
        QVERIFY(j.begin({}, u"g.txt"_s, false));
        store.append(u"ก|"_s);
        bool asked = false;
        for (int i = 0; i < 5000 && !asked; ++i) {
            store.setAt(0, u"ข %1|"_s.arg(i));
            asked = j.wantsCompaction(store.lines());
        }
        QVERIFY(asked);
        QVERIFY(j.begin(store.lines(), u"g.txt"_s, false));
        QVERIFY(!j.wantsCompaction(store.lines()));
        QCOMPARE(RecoveryJournal::read(path)->lines, store.lines());
        store.setObserver(nullptr);
    }

    // A batch journalled by reference comes back from its file only while the file holds
    // what was recorded; saved over since, it is never rebuilt on top of the newer save.
    void referenceToFile_data()
    {
        QTest::addColumn<QString>("afterwards");
        QTest::addColumn<bool>("rebuilt");
        QTest::newRow("unchanged") << u""_s << true;
        QTest::newRow("touched only") << u"touch"_s << true;
        QTest::newRow("saved over") << u"save"_s << false;
        QTest::newRow("removed") << u"remove"_s << false;
        // Journals of earlier versions hold a SHA-256 of the file.
        QTest::newRow("earlier checksum") << u"sha256"_s << true;
        QTest::newRow("earlier checksum, saved over") << u"sha256 save"_s << false;
    }
    void referenceToFile()
    {
        QFETCH(QString, afterwards);
        QFETCH(bool, rebuilt);
        const QString data = dir.filePath(u"ref.txt"_s);
        const QString path = dir.filePath(u"ref.journal"_s);
        const QStringList lines{u"101|10110|ก|ข|500|ค|ง|จ|"_s, u"103|10120|a|b|20|c|d|e|"_s};
        const WriteResult w = WriteDataFile(data, lines);
        QVERIFY(w.ok());
        const ReadResult opened = ReadDataFile(data);
        QVERIFY(SameContents(opened.stamp, w.stamp));
        {
            RecoveryJournal j(path);
            RecordStore store;
            store.assign(opened.lines);
            QVERIFY(j.beginFromFile(store.lines(), data, opened.stamp, true));
            store.setObserver(&j);
            j.noteSaved(false);
            store.append(u"new|"_s);
            store.setObserver(nullptr);
        }
        QVERIFY(QFileInfo(path).size() < 200);  // no copy of the lines
        if (afterwards.startsWith(u"sha256")) {
            QFile d(data), f(path);
            QVERIFY(d.open(QIODevice::ReadOnly) && f.open(QIODevice::ReadOnly));
            QByteArray journal = f.readAll();
            f.close();
            const QByteArray hex = opened.stamp.checksum.toHex();
            QVERIFY(journal.contains(hex));
            journal.replace(hex, QCryptographicHash::hash(d.readAll(), QCryptographicHash::Sha256).toHex());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(journal) == journal.size());
            f.close();
            afterwards = afterwards.mid(7);
        }
        if (afterwards == u"touch") {
            QFile f(data);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime));
        } else if (afterwards == u"save")
            QVERIFY(WriteDataFile(data, {lines[1], lines[0]}).ok());
        else if (afterwards == u"remove")
            QVERIFY(QFile::remove(data));
        const auto r = RecoveryJournal::read(path);
        QVERIFY(r);
        QCOMPARE(r->baseChanged, !rebuilt);
        QCOMPARE(r->lines, rebuilt ? lines + QStringList{u"new|"_s} : QStringList{u"new|"_s});
    }

    // Owner only, never through a link.
    void privateAndNoLinks()
    {
        const QString state = dir.filePath(u"fresh-state"_s);
        const QString path = state + u"/recovery.journal"_s;
        {
            RecoveryJournal j(path);
            QVERIFY(j.begin({u"x|"_s}, u"b.txt"_s, false));
        }
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(state).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);

        // A journal name that is a link is not read; a fresh start replaces the link
        // itself and never writes through it.
        const QString target = dir.filePath(u"elsewhere.txt"_s);
        QVERIFY(test::writeBytes(target, "B\t0\tx\nL\tA|\nE\n"));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(target, path));
        RecoveryJournal::ReadError error{};
        QVERIFY(!RecoveryJournal::read(path, &error));
        QCOMPARE(error, RecoveryJournal::ReadError::Link);
        QVERIFY(QFile::link(target, path + u".new"_s));
        RecoveryJournal j(path);
        QVERIFY(j.begin({u"y|"_s}, u"b.txt"_s, false));
        j.discard();
        QCOMPARE(test::readBytes(target), QByteArray("B\t0\tx\nL\tA|\nE\n"));
    }

    void lockOutcomes_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("sameHost");
        QTest::addColumn<bool>("alive");
        QTest::addColumn<int>("outcome");
        const int taken = int(LockOutcome::Taken), other = int(LockOutcome::OtherCopy),
                  cannot = int(LockOutcome::CannotLock);
        const int failed = QLockFile::LockFailedError, perm = QLockFile::PermissionError,
                  unknown = QLockFile::UnknownError;
        QTest::newRow("taken") << true << int(QLockFile::NoError) << false << true << false << taken;
        QTest::newRow("held by a running copy") << false << failed << true << true << true << other;
        QTest::newRow("held on another machine") << false << failed << true << false << false << other;
        QTest::newRow("stale, cannot be cleared") << false << failed << true << true << false << cannot;
        QTest::newRow("unreadable lock file") << false << failed << false << true << false << cannot;
        QTest::newRow("folder not writable") << false << perm << false << true << false << cannot;
        QTest::newRow("full disk") << false << unknown << false << true << false << cannot;
    }
    void lockOutcomes()
    {
        QFETCH(bool, locked);
        QFETCH(int, error);
        QFETCH(bool, known);
        QFETCH(bool, sameHost);
        QFETCH(bool, alive);
        QFETCH(int, outcome);
        QCOMPARE(int(ClassifyLock(locked, QLockFile::LockError(error), known, sameHost, alive)), outcome);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
