// Reading CSV and putting rows through the entry checks: cells, columns, refusals.
#include "importer/sheet.h"
#include "records/codec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestImport : public QObject {
    Q_OBJECT
    ReferenceTables m_tables;

private Q_SLOTS:
    void initTestCase()
    {
        m_tables = LoadReferenceTables(AppPaths::forDirectory(qEnvironmentVariable("VORLANE_TEST_DATA")));
        QVERIFY(m_tables.missing.isEmpty());
    }

    void csvCells_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QStringList>>("rows");
        using R = QList<QStringList>;
        QTest::newRow("comma, CR LF") << "a,b\r\n1,2\r\n"_ba << R{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}};
        QTest::newRow("semicolon splits the header most") << "a;b;c,d\n1;2;3,4"_ba
                                                         << R{{u"a"_s, u"b"_s, u"c,d"_s}, {u"1"_s, u"2"_s, u"3,4"_s}};
        QTest::newRow("tab") << "a\tb\n1\t2\n"_ba << R{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}};
        QTest::newRow("quotes: delimiter, doubled quote, line end")
            << "a,b\n\"x,y\",\"say \"\"hi\"\"\nthere\"\n"_ba
            << R{{u"a"_s, u"b"_s}, {u"x,y"_s, u"say \"hi\"\nthere"_s}};
        QTest::newRow("empty fields kept") << "a,,c\n,,\n"_ba << R{{u"a"_s, u""_s, u"c"_s}, {u""_s, u""_s, u""_s}};
        QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBFชื่อผู้รับ\nนาย ก\n"_ba << R{{u"ชื่อผู้รับ"_s}, {u"นาย ก"_s}};
        QTest::newRow("code page 874") << cp874::encode(u"ชื่อผู้รับ\r\nนาย ก"_s).bytes << R{{u"ชื่อผู้รับ"_s}, {u"นาย ก"_s}};
        QTest::newRow("unclosed quote ends the file") << "a\n\"x"_ba << R{{u"a"_s}, {u"x"_s}};
        QTest::newRow("nothing") << QByteArray() << R{};
    }
    void csvCells()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QStringList>, rows);
        const Sheet s = ReadCsv(bytes);
        QVERIFY(s.ok());
        QCOMPARE(s.rows, rows);
    }

    void rows_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QStringList>("lines");    // accepted, unknown postcodes accepted
        QTest::addColumn<QStringList>("refused");  // "row|column|message"
        QTest::addColumn<QString>("error");

        const QString head = u"ประเภท,รหัสไปรษณีย์,ชื่อผู้รับ,ที่อยู่ผู้รับ,จำนวนเงิน\n"_s;
        QTest::newRow("keyed line, depositor defaults, office from table")
            << head + u"101,10100,นาย ก,1 ถนน,500\n"_s
            << QStringList{u"101|10100|นาย ก|บริษัท ก|500|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|"_s} << QStringList{} << QString();
        QTest::newRow("names matched loosely, any order, others ignored")
            << u" Amount :,note,RECIPIENT,recipient address,postcode,Type,depositor\n500,x,นาย ก,1 ถนน,10100,101,ร้าน ข\n"_s
            << QStringList{u"101|10100|นาย ก|ร้าน ข|500|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|"_s} << QStringList{} << QString();
        QTest::newRow("refusals in row order, column as in file, empty rows skipped")
            << head + u"999,10100,นาย ก,1 ถนน,500\n,,,,\n101,1011,นาย ก,1 ถนน,500\n101,10100,ก|ข,1 ถนน,500\n101,10100,นาย ก,1 ถนน,0\n"_s
            << QStringList{}
            << QStringList{u"2|ประเภท|ไม่มี ธนาณัติประเภทนี้"_s,
                           u"4|รหัสไปรษณีย์|ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก  "_s,
                           u"5|ชื่อผู้รับ|ไม่สามารถรับเครื่องหมาย | ได้"_s,
                           u"6|จำนวนเงิน|เงินเกิน 50000  หรือ เงินน้อยกว่าเท่ากับ 0 บาท"_s}
            << QString();
        QTest::newRow("no destination type: postcode dropped, column not needed")
            << u"type,recipient,recipient address,amount\n112,นาย ก,1 ถนน,500\n"_s
            << QStringList{u"112||นาย ก|บริษัท ก|500||1 ถนน|9 ถนน|"_s} << QStringList{} << QString();
        QTest::newRow("postcode column missing") << u"type,recipient,amount\n101,นาย ก,500\n"_s
            << QStringList{} << QStringList{} << u"ไม่มีคอลัมน์ รหัสไปรษณีย์"_s;
        QTest::newRow("amount column missing") << u"type,recipient\n"_s
            << QStringList{} << QStringList{} << u"ไม่มีคอลัมน์ จำนวนเงิน"_s;
        QTest::newRow("unencodable depositor from default column name")
            << head.chopped(1) + u",ชื่อผู้ฝาก\n101,10100,นาย ก,1 ถนน,500,中\n"_s
            << QStringList{} << QStringList{u"2|ชื่อผู้ฝาก|มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 中"_s} << QString();
    }
    void rows()
    {
        QFETCH(QString, csv);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, refused);
        QFETCH(QString, error);
        ImportOptions o;
        o.depositor = {u"บริษัท ก"_s, u"9 ถนน"_s};
        const ImportResult r = ImportSheet(ReadCsv(csv.toUtf8()), o, m_tables);
        QCOMPARE(r.error, error);
        QCOMPARE(r.lines(true), lines);
        QStringList got;
        for (const Refusal &f : r.refusals(true))
            got << QString::number(f.row) + u'|' + f.column + u'|' + f.message;
        QCOMPARE(got, refused);
    }

    // A workbook saved by LibreOffice from the CSV imports to the same lines and refusals.
    void workbooks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("xlsx") << u"orders.xlsx"_s;
        QTest::newRow("ods") << u"orders.ods"_s;
    }
    void workbooks()
    {
        QFETCH(QString, file);
        const QString dir = QStringLiteral(IMPORT_FILES);
        compareWithCsv(ReadSheetFile(dir + u'/' + file), dir);
    }

    // Once with LibreOffice itself, when it is installed.
    void convertedBySoffice()
    {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("soffice is not installed");
        QTemporaryDir tmp;
        const QString dir = QStringLiteral(IMPORT_FILES);
        QProcess p;
        p.start(soffice, {u"-env:UserInstallation=file://"_s + tmp.filePath(u"profile"_s), u"--headless"_s,
                          u"--infilter=CSV:44,34,76,1"_s, u"--convert-to"_s, u"xlsx"_s, u"--outdir"_s, tmp.path(),
                          dir + u"/orders.csv"_s});
        QVERIFY(p.waitForFinished(240000));
        compareWithCsv(ReadSheetFile(tmp.filePath(u"orders.xlsx"_s)), dir);
    }

    void hostileWorkbooks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a zip") << "PK\x03\x04 nothing more"_ba;
        QTest::newRow("empty") << QByteArray();
    }
    void hostileWorkbooks()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!ReadXlsx(bytes).ok());
        QVERIFY(!ReadOds(bytes).ok());
    }

    // A name that is not a plain file is refused at once, with the file and the cause; a
    // pipe used to block the window until something wrote to it.
    void notAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("pipe") << u"pipe"_s << u"ไม่ใช่แฟ้มปกติ"_s;
        QTest::newRow("folder") << u"folder"_s << u"ไม่ใช่แฟ้มปกติ"_s;
        QTest::newRow("missing") << u"missing"_s << u"ไม่พบแฟ้มนี้"_s;
    }
    void notAFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"orders.csv"_s);
        if (kind == u"pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else if (kind == u"folder")
            QVERIFY(QDir().mkdir(path));
        const Sheet sheet = ReadSheetFile(path);
        QVERIFY(!sheet.ok());
        QCOMPARE(sheet.error, u"เปิดแฟ้มไม่ได้ : "_s + path + u'\n' + cause);
    }

    // One answer for every row whose postcode the table does not hold.
    void unknownPostcodes()
    {
        const QString csv = u"type,postcode,recipient,recipient address,amount\n"
                            "101,99999,นาย ก,1,500\n101,10100,นาย ข,2,600\n101,99998,นาย ค,3,700\n"_s;
        const ImportResult r = ImportSheet(ReadCsv(csv.toUtf8()), {{u"ก"_s, u"ข"_s}}, m_tables);
        QVERIFY(r.hasUnknownPostcodes());
        QCOMPARE(r.lines(true).size(), 3);
        QCOMPARE(r.lines(false).size(), 1);
        const QList<Refusal> no = r.refusals(false);
        QCOMPARE(no.size(), 2);
        QCOMPARE(no[0].row, 2);
        QCOMPARE(no[1].row, 4);
        QCOMPARE(no[1].message, unknownPostcodeMessage());
        QCOMPARE(r.lines(true)[0], u"101|99999|นาย ก|ก|500||1|ข|"_s);
    }

private:
    void compareWithCsv(const Sheet &sheet, const QString &dir)
    {
        QVERIFY2(sheet.ok(), qPrintable(sheet.error));
        QFile f(dir + u"/orders.csv"_s);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const ImportOptions o{{u"บริษัท ก"_s, u"9 ถนน"_s}};
        const ImportResult want = ImportSheet(ReadCsv(f.readAll()), o, m_tables);
        const ImportResult got = ImportSheet(sheet, o, m_tables);
        QCOMPARE(got.lines(true), want.lines(true));
        QCOMPARE(want.lines(true).size(), 3);
        QCOMPARE(want.lines(true)[0], u"101|10100|นาย ก ใจดี|บริษัท ก|1250.5|ป้อมปราบศัตรูพ่าย|1 ถนนสีลม|9 ถนน|"_s);
        QCOMPARE(got.refusals(false).size(), 2);
        QCOMPARE(got.refusals(false).last().row, 6);
        QCOMPARE(got.refusals(false).last().column, u"ชื่อผู้รับ"_s);
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
