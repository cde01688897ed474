#include "records/session.h"
#include "records/tables.h"
#include "tempfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestTables : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const char *n) { return dir.filePath(QString::fromLatin1(n)); }

private Q_SLOTS:
    void fields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << u"10100,ป้อมปราบ"_s << 2 << QStringList{u"10100"_s, u"ป้อมปราบ"_s};
        QTest::newRow("blanks around dropped")
            << u"  101 ,  ธนาณัติ ธรรมดา  "_s << 2 << QStringList{u"101"_s, u"ธนาณัติ ธรรมดา"_s};
        QTest::newRow("quoted comma") << u"10110,\"คลองเตย, กรุงเทพ\""_s << 2
                                      << QStringList{u"10110"_s, u"คลองเตย, กรุงเทพ"_s};
        QTest::newRow("quoted keeps blanks") << u"\" a \",b"_s << 2 << QStringList{u" a "_s, u"b"_s};
        QTest::newRow("doubled quote") << u"\"say \"\"hi\"\"\",x"_s << 2 << QStringList{u"say \"hi\""_s, u"x"_s};
        QTest::newRow("too few fields") << u"101"_s << 3 << QStringList{u"101"_s, u""_s, u""_s};
        QTest::newRow("extra fields ignored") << u"a,b,c,d"_s << 2 << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty middle") << u"a,,c"_s << 3 << QStringList{u"a"_s, u""_s, u"c"_s};
        QTest::newRow("trailing comma") << u"a,b,"_s << 3 << QStringList{u"a"_s, u"b"_s, u""_s};
        QTest::newRow("unclosed quote") << u"\"abc,def"_s << 2 << QStringList{u"abc,def"_s, u""_s};
    }
    void fields()
    {
        QFETCH(QString, line);
        QFETCH(int, count);
        QFETCH(QStringList, fields);
        QCOMPARE(ReadFields(line, count), fields);
    }

    void rateTableStopsAtSlot20()
    {
        QStringList lines;
        for (int i = 0; i < 30; ++i)
            lines << u"%1,10,5,1000,0,50000,0"_s.arg(100 + i);
        QVERIFY(test::writeCp874(path("rate.txt"), lines));
        TableStatus st;
        const RateTable t = LoadRateTable(path("rate.txt"), &st);
        QVERIFY(st.found);
        QCOMPARE(t.rowCount, 21);
        QCOMPARE(t.RateLastIndex, 20);
        QCOMPARE(t.rows[20].TypeCode, u"120"_s);
    }

    void badLineDoesNotShiftLaterRows()
    {
        QVERIFY(test::writeCp874(path("rate.txt"),
                                 {u"101,10,5"_s, u"103,15,5,1000,0,50000,5000,extra"_s, u"104,25,0,0,0,30000,0"_s}));
        const RateTable t = LoadRateTable(path("rate.txt"));
        QCOMPARE(t.rowCount, 3);
        QCOMPARE(t.rows[0].StepSize, QString());
        QCOMPARE(t.rows[1].SplitLimit, u"5000"_s);
        QCOMPARE(t.rows[2].TypeCode, u"104"_s);
        QCOMPARE(t.rows[2].BaseFee, u"25"_s);
    }

    void lineEndsAndBlankLines_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void lineEndsAndBlankLines()
    {
        QFETCH(QByteArray, eol);
        QVERIFY(test::writeCp874(path("postcode.txt"), {u"10100,ป้อมปราบ"_s, u""_s, u"10110,\"คลองเตย, ใต้\""_s}, eol));
        const CodeNameTable t = LoadCodeNameTable(path("postcode.txt"));
        QCOMPARE(t.codes, (QStringList{u"10100"_s, u"10110"_s}));
        QCOMPARE(t.names, (QStringList{u"ป้อมปราบ"_s, u"คลองเตย, ใต้"_s}));
    }

    void missingTableIsEmptyAndNamed()
    {
        QTemporaryDir empty;
        const ReferenceTables t = LoadReferenceTables(AppPaths::forDirectory(empty.path()));
        QCOMPARE(t.rates.rowCount, 0);
        QVERIFY(t.postOffices.codes.isEmpty());
        QCOMPARE(t.missing, (QStringList{u"mo.txt"_s, u"postcode.txt"_s, u"rate.txt"_s, u"mo1.txt"_s}));
    }

    // Tables larger than any real one are cut where the limits say, and named.
    void oversizedTablesAreCutAndNamed_data()
    {
        QTest::addColumn<qsizetype>("lines");
        QTest::addColumn<qsizetype>("lineLength");
        QTest::addColumn<qsizetype>("keptLines");
        QTest::addColumn<qsizetype>("keptLength");
        QTest::addColumn<bool>("cut");
        const qsizetype L = kMaxTableLines, C = kMaxTableLineChars;
        QTest::newRow("real size") << qsizetype(967) << qsizetype(60) << qsizetype(967) << qsizetype(60) << false;
        QTest::newRow("as many lines as may be") << L << qsizetype(10) << L << qsizetype(10) << false;
        QTest::newRow("as long a line as may be") << qsizetype(1) << C << qsizetype(1) << C << false;
        QTest::newRow("one line too many") << L + 1 << qsizetype(10) << L << qsizetype(10) << true;
        QTest::newRow("one long line") << qsizetype(1) << 50 * C << qsizetype(1) << C << true;
    }
    void oversizedTablesAreCutAndNamed()
    {
        QFETCH(qsizetype, lines);
        QFETCH(qsizetype, lineLength);
        QFETCH(qsizetype, keptLines);
        QFETCH(qsizetype, keptLength);
        QFETCH(bool, cut);
        QTemporaryDir d;
        QByteArray line = "10100," + QByteArray(lineLength - 6, 'x') + "\r\n";
        QByteArray all;
        all.reserve(line.size() * lines);
        for (qsizetype i = 0; i < lines; ++i)
            all += line;
        QVERIFY(test::writeBytes(d.filePath(u"postcode.txt"_s), all));
        bool wasCut = false;
        const auto got = ReadTableLines(d.filePath(u"postcode.txt"_s), &wasCut);
        QVERIFY(got);
        QCOMPARE(got->size(), keptLines);
        QCOMPARE(got->first().size(), keptLength);
        QCOMPARE(wasCut, cut);
        const ReferenceTables t = LoadReferenceTables(AppPaths::forDirectory(d.path()));
        QCOMPARE(t.cut, cut ? QStringList{u"postcode.txt"_s} : QStringList{});
    }

    void bundledTablesAreParallelAndComplete()
    {
        const QString data = qEnvironmentVariable("VORLANE_TEST_DATA");
        const ReferenceTables t = LoadReferenceTables(AppPaths::forDirectory(data));
        QVERIFY(t.missing.isEmpty());
        QCOMPARE(t.postOffices.codes.size(), 967);
        QCOMPARE(t.postOffices.names.size(), 967);
        QCOMPARE(t.postOffices.codes.first(), u"10100"_s);
        QCOMPARE(t.postOffices.codes.last(), u"96220"_s);
        QCOMPARE(t.reportTypes.codes.size(), 14);
        QCOMPARE(t.reportTypes.codes.last(), u"999"_s);
        // Every type offered for keying has a rate row, and 112 has no destination.
        for (const QString &code : t.types.codes)
            QVERIFY2(t.rates.rowByText(code).has_value(), qPrintable(code));
        QVERIFY(t.types.codes.contains(u"112"_s));
    }

    void rowLookups()
    {
        QVERIFY(test::writeCp874(path("rate.txt"), {u"101,10,5,1000,0,50000,0"_s, u" 0103 ,15,5,1000,0,50000,5000"_s}));
        const RateTable t = LoadRateTable(path("rate.txt"));
        QCOMPARE(t.rowByText(u" 101 "_s), std::optional<int>(0));
        QCOMPARE(t.rowByText(u"103"_s), std::nullopt);  // text must match exactly
        QCOMPARE(t.rowByValue(u"103"_s), std::optional<int>(1));
        QCOMPARE(t.rowByValue(u"103"_s, 1), std::nullopt);  // only the first `limit` rows
        QCOMPARE(t.rowByValue(u"abc"_s), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestTables)
#include "test_tables.moc"
