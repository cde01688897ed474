#include "killsave_batches.h"
#include "records/datafile.h"
#include "tempfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace vorlane;
using namespace Qt::StringLiterals;

// A save killed at any moment leaves the data file as it was or as the new batch.
class TestKillSave : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedSaveLeavesOldOrNewBatch()
    {
        const QString writer = qEnvironmentVariable("VORLANE_BIN_DIR") + u"/records_killsave_writer"_s;
        QVERIFY2(QFile::exists(writer), qPrintable(writer));

        constexpr int kLines = 8000;  // about 700 KB per save
        constexpr int kTrials = 60;
        QTemporaryDir dir;
        const QString target = dir.filePath(u"batch.txt"_s);
        QByteArray old, fresh;
        QVERIFY(EncodeDataFile(test::killSaveBatch(0, kLines), old).ok());
        QVERIFY(EncodeDataFile(test::killSaveBatch(1, kLines), fresh).ok());
        QVERIFY(old.size() != fresh.size());

        // One save's duration sets the range of the random moments.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(WriteDataFile(target, test::killSaveBatch(1, kLines)).ok());
        QVERIFY(WriteDataFile(target, test::killSaveBatch(0, kLines)).ok());
        const qint64 saveUs = qMax<qint64>(clock.nsecsElapsed() / 2000, 500);

        QRandomGenerator rng(874);
        int asOld = 0, asNew = 0, inSave = 0, maxStray = 0;
        QStringList stray;
        for (int trial = 0; trial < kTrials; ++trial) {
            QProcess p;
            p.start(writer, {target, QString::number(kLines)});
            QVERIFY(p.waitForStarted());
            QVERIFY(p.waitForReadyRead(10000));
            QThread::usleep(rng.bounded(quint32(saveUs * 3)));
            ::kill(pid_t(p.processId()), SIGKILL);
            QVERIFY(p.waitForFinished(10000));
            QCOMPARE(p.exitStatus(), QProcess::CrashExit);
            if (p.readAllStandardOutput().count('w') > 0)
                ++inSave;

            const QByteArray now = test::readBytes(target);
            QVERIFY2(now == old || now == fresh, qPrintable(u"trial %1: %2 bytes, neither %3 nor %4"_s.arg(trial)
                                                                .arg(now.size())
                                                                .arg(old.size())
                                                                .arg(fresh.size())));
            (now == old ? asOld : asNew) += 1;

            stray = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            stray.removeOne(u"batch.txt"_s);
            maxStray = qMax(maxStray, int(stray.size()));
        }
        qInfo("%d kills: %d left the old batch, %d the new; %d while saving; stray files at most %d, at the end %d",
              kTrials, asOld, asNew, inSave, maxStray, int(stray.size()));
        // The random moments must have hit both sides of a save, or the test proved nothing.
        QVERIFY(asOld > 0 && asNew > 0);
        QVERIFY(inSave > kTrials / 2);
        // A killed save may leave its temporary file, never more than one per kill.
        QVERIFY(maxStray <= kTrials);

        // The next save after all those kills still works and replaces the file.
        QVERIFY(WriteDataFile(target, test::killSaveBatch(1, kLines)).ok());
        QCOMPARE(test::readBytes(target), fresh);
    }
};

QTEST_GUILESS_MAIN(TestKillSave)
#include "test_killsave.moc"
