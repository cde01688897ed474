#include "tempfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run cli(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(qEnvironmentVariable("VORLANE_BIN_DIR") + u"/vorlane-cli"_s, args);
    if (!p.waitForStarted(10000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class TestCliFeeTotals : public QObject {
    Q_OBJECT
    QTemporaryDir tables;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(vorlane::test::writeCp874(tables.filePath(u"rate.txt"_s),
                                          {u"101,10,5,1000,0,50000,0"_s, u"103,10,5,1000,0,50000,5000"_s}));
    }

    void feeOfOneOrder_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("out");
        QTest::newRow("step") << u"101"_s << u"2500"_s << u"20.00\n"_s;
        QTest::newRow("split") << u"103"_s << u"12000"_s << u"75.00\n"_s;
        QTest::newRow("separators") << u"103"_s << u"10,500"_s << u"70.00\n"_s;
    }
    void feeOfOneOrder()
    {
        QFETCH(QString, type);
        QFETCH(QString, amount);
        QFETCH(QString, out);
        const Run r = cli({u"fee"_s, u"--tables"_s, tables.path(), type, amount});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, out);
    }

    void feesFromStandardInputInOrder()
    {
        const Run r = cli({u"fee"_s, u"--tables"_s, tables.path()}, "101\t1000\r\n103\t12000\n101\t1000.01\n");
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"10.00\n75.00\n15.00\n"_s);
    }

    void bundledTablesByDefault()
    {
        const Run r = cli({u"fee"_s, u"104"_s, u"100"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"25.00\n"_s);
    }

    void totalsOfAFile()
    {
        QTemporaryDir d;
        const QString file = d.filePath(u"batch.txt"_s);
        QVERIFY(vorlane::test::writeCp874(
            file, {u"101|10100|ก|ข|500|ค|ง|จ|"_s, u"heading"_s, u"103|10110|ก|ข|1,250.50|ค|ง|จ|"_s}));
        const Run r = cli({u"totals"_s, u"--tables"_s, tables.path(), file});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"records: 2\namount: 1,750.50\nfee: 25.00\n"_s);
    }

    void amountBeyondExactIsAnError()
    {
        QTemporaryDir d;
        const QString file = d.filePath(u"huge.txt"_s);
        QVERIFY(vorlane::test::writeCp874(
            file, {u"101|10100|ก|ข|500|ค|ง|จ|"_s, u"101|10100|ก|ข|99999999999999999999|ค|ง|จ|"_s}));
        const Run r = cli({u"totals"_s, u"--tables"_s, tables.path(), file});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains(u"record 2: amount 99999999999999999999"_s));
    }

    // A name with "%" comes back as it was typed, in a file too large to be a batch.
    void fileNameWithPercentSigns()
    {
        QTemporaryDir d;
        const QString file = d.filePath(u"h%1x%2.txt"_s);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(qint64(257) * 1024 * 1024));  // sparse, beyond a data file's limit
        f.close();
        const Run r = cli({u"totals"_s, u"--tables"_s, tables.path(), file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(file + u": "_s), qPrintable(r.err));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("missing file") << QStringList{u"totals"_s, u"/no/such/file.txt"_s};
        QTest::newRow("missing tables folder")
            << QStringList{u"fee"_s, u"--tables"_s, u"/no/such/dir"_s, u"101"_s, u"5"_s};
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s};
        QTest::newRow("no command") << QStringList{};
        QTest::newRow("one argument") << QStringList{u"fee"_s, u"101"_s};
    }
    void failures()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QVERIFY(r.code != 0);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliFeeTotals)
#include "test_feetotals.moc"
