// Reading CSV and putting rows through the entry checks: cells, columns, refusals.
#include "importer/numberformat.h"
#include "importer/sheet.h"
#include "workbook/workbook.h"
#include "importer/ziparchive.h"
#include "records/codec.h"
#include "tempfiles.h"

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
        QTest::newRow("semicolon splits the header most")
            << "a;b;c,d\n1;2;3,4"_ba << R{{u"a"_s, u"b"_s, u"c,d"_s}, {u"1"_s, u"2"_s, u"3,4"_s}};
        QTest::newRow("tab") << "a\tb\n1\t2\n"_ba << R{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}};
        QTest::newRow("quotes: delimiter, doubled quote, line end")
            << "a,b\n\"x,y\",\"say \"\"hi\"\"\nthere\"\n"_ba << R{{u"a"_s, u"b"_s}, {u"x,y"_s, u"say \"hi\"\nthere"_s}};
        QTest::newRow("empty fields kept") << "a,,c\n,,\n"_ba << R{{u"a"_s, u""_s, u"c"_s}, {u""_s, u""_s, u""_s}};
        QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBFชื่อผู้รับ\nนาย ก\n"_ba << R{{u"ชื่อผู้รับ"_s}, {u"นาย ก"_s}};
        QTest::newRow("code page 874") << cp874::encode(u"ชื่อผู้รับ\r\nนาย ก"_s).bytes << R{{u"ชื่อผู้รับ"_s}, {u"นาย ก"_s}};
        auto utf16 = [](const QString &t, bool le) {
            QByteArray b = le ? "\xFF\xFE"_ba : "\xFE\xFF"_ba;
            for (QChar c : t) {
                const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
                b.append(le ? lo : hi).append(le ? hi : lo);
            }
            return b;
        };
        QTest::newRow("Excel's Unicode Text: UTF-16 LE, TAB") << utf16(u"ชื่อผู้รับ\tจำนวนเงิน\r\nนาย ก\t500\r\n"_s, true)
                                                              << R{{u"ชื่อผู้รับ"_s, u"จำนวนเงิน"_s}, {u"นาย ก"_s, u"500"_s}};
        QTest::newRow("UTF-16 BE CSV") << utf16(u"a,b\n\"ก,ข\",2\n"_s, false)
                                       << R{{u"a"_s, u"b"_s}, {u"ก,ข"_s, u"2"_s}};
        QTest::newRow("text after the closing quote, a quote inside a field")
            << "\"ab\"\"c\"d,x\"y\n"_ba << R{{u"ab\"cd"_s, u"x\"y"_s}};
        QTest::newRow("empty quoted field") << "\"\",a"_ba << R{{u""_s, u"a"_s}};
        QTest::newRow("code page 874, quoted")
            << cp874::encode(u"\"ก\"\"ข\";ค;ง"_s).bytes << R{{u"ก\"ข"_s, u"ค"_s, u"ง"_s}};
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

    // A quote that never closes would swallow every later row: the file is refused,
    // naming the row where the quote opened.
    void csvRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QString tail = u" ไม่มีเครื่องหมายปิด จึงอ่านแฟ้มนี้ไม่ได้"_s;
        QTest::newRow("in the last row") << "a\n\"x"_ba << u"เครื่องหมายคำพูด (\") ที่เปิดในแถวที่ 2"_s + tail;
        QTest::newRow("rows after it") << "a,b\n1,2\n\"3,4\n5,6\n7,8\n"_ba
                                       << u"เครื่องหมายคำพูด (\") ที่เปิดในแถวที่ 3"_s + tail;
    }
    void csvRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const Sheet s = ReadCsv(bytes);
        QCOMPARE(s.error, error);
        QVERIFY(s.rows.isEmpty());
    }

    void xlsxEscapes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << u"1 ถนน"_s << u"1 ถนน"_s;
        QTest::newRow("carriage return") << u"1 ถนน_x000D_\nแขวง"_s << u"1 ถนน\r\nแขวง"_s;
        QTest::newRow("Thai letter") << u"_x0E01_"_s << u"ก"_s;
        QTest::newRow("escaped underscore keeps a run literal") << u"_x005F_x000D_"_s << u"_x000D_"_s;
        QTest::newRow("not hex") << u"_x00G1_"_s << u"_x00G1_"_s;
        QTest::newRow("too short") << u"a_x000D"_s << u"a_x000D"_s;
    }
    void xlsxEscapes()
    {
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QCOMPARE(decodeXlsxEscapes(stored), text);
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
            << head
                   + u"999,10100,นาย ก,1 ถนน,500\n,,,,\n101,1011,นาย ก,1 ถนน,500\n101,10100,ก|ข,1 ถนน,500\n101,10100,นาย ก,1 ถนน,0\n"_s
            << QStringList{}
            << QStringList{u"2|ประเภท|ไม่มี ธนาณัติประเภทนี้"_s,
                           u"4|รหัสไปรษณีย์|ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก  "_s,
                           u"5|ชื่อผู้รับ|ไม่สามารถรับเครื่องหมาย | ได้"_s,
                           u"6|จำนวนเงิน|เงินเกิน 50000  หรือ เงินน้อยกว่าเท่ากับ 0 บาท"_s}
            << QString();
        QTest::newRow("the other save checks, each with its message and column")
            << u"ประเภท,รหัสไปรษณีย์,ชื่อผู้รับ,ที่อยู่ผู้รับ,ชื่อผู้ฝาก,ที่อยู่ผู้ฝาก,จำนวนเงิน\n"
               ",10100,นาย ก,1 ถนน,,,500\n"
               "101,,นาย ก,1 ถนน,,,500\n"
               "101,1O100,นาย ก,1 ถนน,,,500\n"
               "101,10100,,1 ถนน,,,500\n"
               "101,10100,นาย ก;,1 ถนน,,,500\n"
               "101,10100,นาย ก, ,,,500\n"
               "101,10100,นาย ก,1|ถนน,,,500\n"
               "101,10100,นาย ก,1 ถนน,ร้าน|ข,,500\n"
               "101,10100,นาย ก,1 ถนน,,9;ถนน,500\n"
               "101,10100,นาย ก,1 ถนน,,,ห้าร้อย\n"
               "101,10100,นาย ก,1 ถนน😀,,,500\n"_s
            << QStringList{}
            << QStringList{u"2|ประเภท|ยังไม่ได้ไส่รหัสธนาณัติ"_s,
                           u"3|รหัสไปรษณีย์|ยังไม่ได้ใส่ รหัสไปรษณีย์ปลายทาง"_s,
                           u"4|รหัสไปรษณีย์|รหัสไม่ใช่ตัวเลข  "_s,
                           u"5|ชื่อผู้รับ|ยังไม่ได้พิมพ์ชื่อผู้รับ"_s,
                           u"6|ชื่อผู้รับ|ไม่สามารถรับเครื่องหมาย ; ได้"_s,
                           u"7|ที่อยู่ผู้รับ|ยังไม่ได้พิมพ์ที่อยู่ผู้รับ"_s,
                           u"8|ที่อยู่ผู้รับ|ไม่สามารถรับเครื่องหมาย | ได้"_s,
                           u"9|ชื่อผู้ฝาก|ไม่สามารถรับเครื่องหมาย | ได้"_s,
                           u"10|ที่อยู่ผู้ฝาก|ไม่สามารถรับเครื่องหมาย ; ได้"_s,
                           u"11|จำนวนเงิน|ไม่ได้ใส่ตัวเลข "_s,
                           u"12|ที่อยู่ผู้รับ|มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s}
            << QString();
        QTest::newRow("no destination type: postcode dropped, column not needed")
            << u"type,recipient,recipient address,amount\n112,นาย ก,1 ถนน,500\n"_s
            << QStringList{u"112||นาย ก|บริษัท ก|500||1 ถนน|9 ถนน|"_s} << QStringList{} << QString();
        QTest::newRow("postcode column missing")
            << u"type,recipient,amount\n101,นาย ก,500\n"_s << QStringList{} << QStringList{} << u"ไม่มีคอลัมน์ รหัสไปรษณีย์"_s;
        QTest::newRow("amount column missing")
            << u"type,recipient\n"_s << QStringList{} << QStringList{} << u"ไม่มีคอลัมน์ จำนวนเงิน"_s;
        QTest::newRow("the totals row of an exported workbook is no order")
            << head + u"101,10100,นาย ก,1 ถนน,500\nรวม,,,,500\nรวม,10100,นาย ข,1 ถนน,500\n"_s
            << QStringList{u"101|10100|นาย ก|บริษัท ก|500|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|"_s}
            << QStringList{u"4|ประเภท|ไม่มี ธนาณัติประเภทนี้"_s} << QString();
        QTest::newRow("title rows above the header, table from column B")
            << u"ใบรายการธนาณัติ,,,\n,,,,\n,ประเภท,รหัสไปรษณีย์,ชื่อผู้รับเงิน,ที่อยู่ผู้รับ,จำนวนเงิน (บาท)\n,101,10100,นาย ก,1 ถนน,500\n"_s
            << QStringList{u"101|10100|นาย ก|บริษัท ก|500|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|"_s} << QStringList{} << QString();
        QTest::newRow("amounts from a currency format")
            << head
                   + u"101,10100,นาย ก,1 ถนน,\"฿1,250.50\"\n101,10100,นาย ข,1 ถนน,\"1,250.50 บาท\"\n101,10100,นาย ค,1 ถนน,฿ ห้า\n"_s
            << QStringList{u"101|10100|นาย ก|บริษัท ก|1,250.50|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|"_s,
                           u"101|10100|นาย ข|บริษัท ก|1,250.50|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|"_s}
            << QStringList{u"4|จำนวนเงิน|ไม่ได้ใส่ตัวเลข "_s} << QString();
        QTest::newRow("blanks around codes, a line break and a zero-width space in cells")
            << head + u"101 , 10100,\"นาย\u200Bก\",\"1 ถนน\r\nแขวง ข\",500\n"_s
            << QStringList{u"101|10100|นายก|บริษัท ก|500|ป้อมปราบศัตรูพ่าย|1 ถนน แขวง ข|9 ถนน|"_s} << QStringList{}
            << QString();
        QTest::newRow("a name longer than a field holds")
            << head + u"101,10100,"_s + QString(251, u'ก') + u",1 ถนน,500\n"_s << QStringList{}
            << QStringList{u"2|ชื่อผู้รับ|ข้อความยาวเกิน 250 ตัวอักษร"_s} << QString();
        QTest::newRow("unencodable depositor from default column name")
            << head.chopped(1) + u",ชื่อผู้ฝาก\n101,10100,นาย ก,1 ถนน,500,中\n"_s << QStringList{}
            << QStringList{u"2|ชื่อผู้ฝาก|มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 中"_s} << QString();
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

    // Every heading the README lists for a column is taken for it.
    void everyColumnName_data()
    {
        QTest::addColumn<int>("column");  // in the header below
        QTest::addColumn<QString>("name");
        const QList<QPair<int, QStringList>> names{
            {0, {u"ประเภท"_s, u"ประเภทธนาณัติ"_s, u"รหัสธนาณัติ"_s, u"รหัสประเภท"_s, u"type"_s}},
            {1,
             {u"รหัสไปรษณีย์"_s, u"รหัสไปรษณีย์ปลายทาง"_s, u"รหัสไปรษณีย์ผู้รับ"_s, u"รหัส ปณ."_s, u"รหัส ป.ณ.ปลายทาง"_s,
              u"postcode"_s, u"postal code"_s, u"zip"_s}},
            {2,
             {u"ชื่อผู้รับ"_s, u"ชื่อผู้รับเงิน"_s, u"ชื่อ-สกุลผู้รับ"_s, u"ชื่อ-นามสกุลผู้รับ"_s, u"ผู้รับเงิน"_s, u"recipient"_s,
              u"recipient name"_s}},
            {3, {u"ที่อยู่ผู้รับ"_s, u"ที่อยู่ผู้รับเงิน"_s, u"recipient address"_s}},
            {4, {u"ชื่อผู้ฝาก"_s, u"ชื่อผู้ฝากเงิน"_s, u"ผู้ฝากเงิน"_s, u"depositor"_s, u"depositor name"_s}},
            {5, {u"ที่อยู่ผู้ฝาก"_s, u"ที่อยู่ผู้ฝากเงิน"_s, u"depositor address"_s}},
            {6, {u"จำนวนเงิน"_s, u"จำนวนเงิน (บาท)"_s, u"จำนวนเงิน(บาท)"_s, u"ยอดเงิน"_s, u"amount"_s}},
        };
        for (const auto &[column, list] : names)
            for (const QString &name : list)
                QTest::newRow(name.toUtf8().constData()) << column << name;
    }
    void everyColumnName()
    {
        QFETCH(int, column);
        QFETCH(QString, name);
        QStringList header{u"ประเภท"_s, u"รหัสไปรษณีย์"_s, u"ชื่อผู้รับ"_s,   u"ที่อยู่ผู้รับ"_s,
                           u"ชื่อผู้ฝาก"_s, u"ที่อยู่ผู้ฝาก"_s,   u"จำนวนเงิน"_s};
        header[column] = name;
        Sheet sheet;
        sheet.rows = {header, {u"101"_s, u"10100"_s, u"นาย ก"_s, u"1 ถนน"_s, u"ร้าน ข"_s, u"2 ถนน"_s, u"500"_s}};
        const ImportResult r = ImportSheet(sheet, {}, m_tables);
        QCOMPARE(r.error, QString());
        QCOMPARE(r.lines(false), QStringList{u"101|10100|นาย ก|ร้าน ข|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s});
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

    // The same three orders as each tool offices use writes them (make-writers.sh): every
    // file comes in as keying them would save them, or says plainly why a row cannot.
    void writers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("refused");
        // The old workbooks' formula results are read from their records (libfreexl gives none).
        for (const char *f :
             {"libreoffice.xlsx", "libreoffice.ods", "libreoffice.xls", "gnumeric.xlsx", "gnumeric.ods", "gnumeric.xls",
              "xlsxwriter.xlsx", "sheetjs.xlsx", "exceljs.xlsx", "excel-unicode-text.txt"})
            QTest::newRow(f) << QString::fromLatin1(f) << QStringList{};
        QTest::newRow("openpyxl.xlsx") << u"openpyxl.xlsx"_s
                                       << QStringList{u"5|จำนวนเงิน (บาท)|สูตรในเซลล์นี้ไม่มีผลคำนวณเก็บไว้ "
                                                      "กรุณาเปิดแฟ้มในโปรแกรมตารางคำนวณ คำนวณใหม่ แล้วบันทึกอีกครั้ง"_s};
    }
    void writers()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, refused);
        const Sheet sheet = ReadSheetFile(QStringLiteral(IMPORT_FILES) + u"/writers/"_s + file);
        QCOMPARE(sheet.error, QString());
        ImportOptions o;
        o.depositor = {u"ร้าน ข"_s, u"9 ถนน"_s};
        const ImportResult r = ImportSheet(sheet, o, m_tables);
        QCOMPARE(r.error, QString());
        QStringList got;
        for (const Refusal &f : r.refusals(false))
            got << QString::number(f.row) + u'|' + f.column + u'|' + f.message;
        QCOMPARE(got, refused);
        const QString first = u"101|10100|นาย ก ใจดี|ร้าน ข|1250.5|ป้อมปราบศัตรูพ่าย|1 ถนนสีลม|9 ถนน|"_s;
        const QString second = u"103|10110|นาง ข|ร้าน ข|70|คลองเตย|2 หมู่ 3|9 ถนน|"_s;
        const QString third = u"112||นาย ค|ร้าน ข|100||3 ซอย 4|9 ถนน|"_s;
        QStringList lines{first, second, third};
        if (file == u"openpyxl.xlsx"_s)
            lines = {u"101|10100|นาย ก ใจดี|ร้าน ข|1250.5|ป้อมปราบศัตรูพ่าย|1 ถนนสีลม แขวงสีลม|9 ถนน|"_s, third};
        else if (!refused.isEmpty())
            lines = {first, third};
        QCOMPARE(r.lines(false), lines);
    }

    // The formula results of an old workbook, read from its own records: the computed
    // amount of the second order; a file that is not a workbook gives none.
    void oldWorkbookFormulaResults_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("LibreOffice") << u"libreoffice.xls"_s;
        QTest::newRow("gnumeric") << u"gnumeric.xls"_s;
    }
    void oldWorkbookFormulaResults()
    {
        QFETCH(QString, file);
        const QByteArray bytes = test::readBytes(QStringLiteral(IMPORT_FILES) + u"/writers/"_s + file);
        const auto results = XlsFormulaResults(bytes, 0);
        QVERIFY(results);
        QCOMPARE(results->value(Sheet::cellKey(2, 4)), u"70"_s);
        QVERIFY(!XlsFormulaResults(bytes, 1));
        (void)XlsFormulaResults(bytes.left(bytes.size() / 2), 0);  // cut short: values or none, never a fault
        QVERIFY(!XlsFormulaResults("not a workbook", 0));
    }

    void unreadableKinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");  // its start
        QTest::newRow("a kind no reader takes")
            << u"orders.numbers"_s << "PK-not-really"_ba << u"อ่านแฟ้มชนิดนี้ไม่ได้ (.numbers)"_s;
        QTest::newRow("a PDF named .csv") << u"orders.csv"_s << "%PDF-1.4\n"_ba << u"แฟ้มนี้ไม่ใช่ตารางข้อความ"_s;
        QTest::newRow("an old workbook named .csv, broken")
            << u"orders.csv"_s << "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1junk"_ba << u"อ่านแฟ้ม Excel 97-2003 (.xls) นี้ไม่ได้"_s;
        QTest::newRow("a broken workbook") << u"orders.xlsx"_s << "PK\x03\x04junk"_ba << QString();
    }
    // A workbook that makes libfreexl read past its own buffers (found by fuzzing): the helper
    // may fail or die on it, the program only says it cannot be read.
    void brokenOldWorkbook()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"orders.xls"_s);
        QVERIFY(QFile::copy(QStringLiteral(FUZZ_REGRESSIONS) + u"/xls/freexl-reads-past-its-buffer.xls"_s, path));
        const Sheet s = ReadSheetFile(path);
        QCOMPARE(s.error, u"อ่านแฟ้ม Excel 97-2003 (.xls) นี้ไม่ได้ : "_s + path);
        QVERIFY(s.rows.isEmpty());
    }

    void unreadableKinds()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(test::writeBytes(dir.filePath(name), bytes));
        const Sheet s = ReadSheetFile(dir.filePath(name));
        QVERIFY(!s.ok());
        QVERIFY2(s.error.startsWith(error), qPrintable(s.error));
        QVERIFY(!s.error.contains(u"ไม่มีคอลัมน์"_s));
    }

    // The blank template: its header is what the import reads, its checks are in the sheet,
    // its second sheet explains the columns, and a filled template imports with no refusal.
    void importTemplate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"แบบฟอร์ม.xlsx"_s);
        QString error;
        QVERIFY2(WriteImportTemplate(path, m_tables.rates, m_tables.types, &error), qPrintable(error));
        const QByteArray bytes = test::readBytes(path);
        Sheet sheet = ReadXlsx(bytes);
        QVERIFY(sheet.ok());
        QCOMPARE(sheet.sheetCount, 2);
        QStringList headings;
        for (const TemplateColumn &c : ImportTemplateColumns())
            headings << c.heading;
        QCOMPARE(sheet.rows, QList<QStringList>{headings});
        const Sheet help = ReadXlsx(bytes, 1);
        QCOMPARE(help.rows.value(1).value(0), headings[0]);
        QVERIFY(help.rows.size() > headings.size() + m_tables.types.codes.size());

        sheetzip::Zip zip(bytes);
        QByteArray xml;
        QVERIFY(zip.read("xl/worksheets/sheet1.xml", xml, error));
        QVERIFY(xml.contains("<dataValidation type=\"list\""));
        QVERIFY(xml.contains("<formula1>\"101,103,"));
        QVERIFY(xml.contains("type=\"textLength\" operator=\"equal\""));
        QVERIFY(xml.contains("type=\"decimal\""));

        sheet.rows << QStringList{u"101"_s, u"10100"_s, u"นาย ก"_s, u"1 ถนน"_s, QString(), QString(), u"1250.50"_s}
                   << QStringList{u"112"_s, QString(), u"นาง ข"_s, u"2 ถนน"_s, u"ร้าน ค"_s, u"3 ถนน"_s, u"300"_s};
        ImportOptions o;
        o.depositor = {u"ร้าน ข"_s, u"9 ถนน"_s};
        const ImportResult r = ImportSheet(sheet, o, m_tables);
        QCOMPARE(r.refusals(false).size(), 0);
        QCOMPARE(r.lines(false).size(), 2);
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

    // A number cell as the spreadsheet shows it under its format. The expected texts are
    // LibreOffice's (a workbook of these cells converted to CSV with the cells as shown).
    void shownNumbers_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        const QString when = u"46364.5730324074"_s;  // 8 December 2026, 13:45:10
        auto row = [](const char *name, const QString &code, const QString &value, const QString &shown) {
            QTest::newRow(name) << code << value << shown;
        };
        row("general stays plain", u"General"_s, u"1250.50"_s, u"1250.5"_s);
        row("computed: 15 significant digits", u"General"_s, u"70.000000000000014"_s, u"70"_s);
        row("computed just below", u"General"_s, u"1249.9999999999998"_s, u"1250"_s);
        row("negative zero", u"General"_s, u"-0"_s, u"0"_s);
        row("leading zeros", u"General"_s, u"007"_s, u"7"_s);
        row("small, no exponent", u"General"_s, u"1E-7"_s, u"0.0000001"_s);
        row("large, no exponent", u"General"_s, u"123456789012345678"_s, u"123456789012346000"_s);
        row("negative fraction kept", u"General"_s, u"-0.5"_s, u"-0.5"_s);
        row("amount format stays plain", u"#,##0.00"_s, u"3000"_s, u"3000"_s);
        row("text format", u"@"_s, u"12"_s, u"12"_s);
        row("built-in short date", builtInFormatCode(14), when, u"12/8/2026"_s);
        row("built-in d-mmm-yy", builtInFormatCode(15), when, u"8-Dec-26"_s);
        row("built-in AM/PM", builtInFormatCode(18), when, u"1:45 PM"_s);
        row("built-in date and time", builtInFormatCode(22), when, u"12/8/2026 13:45"_s);
        row("built-in tenths", builtInFormatCode(47), when, u"45:10.0"_s);
        row("no built-in date", builtInFormatCode(2), when, u"46364.5730324074"_s);
        row("escaped and quoted text", u"yyyy\\-mm\\-dd\\ hh:mm:ss \"น.\""_s, when, u"2026-12-08 13:45:10 น."_s);
        row("month and day names", u"dddd d mmmm yyyy"_s, u"46086.25"_s, u"Thursday 5 March 2026"_s);
        row("minutes, not months", u"h \"h\" mm \"min\""_s, u"0.54513888888"_s, u"13 h 04 min"_s);
        row("first letter, two-digit year", u"mmmmm yy"_s, when, u"D 26"_s);
        row("first section, colour", u"[Red]dd/mm/yyyy;@"_s, when, u"08/12/2026"_s);
        row("time alone is cut, not rounded", u"hh:mm:ss"_s, u"0.5449074074"_s, u"13:04:39"_s);
        row("time with a date drops noise", u"yyyy-mm-dd hh:mm:ss"_s, u"0.5449074074"_s, u"1899-12-30 13:04:40"_s);
        row("last half second is midnight", u"m/d/yyyy h:mm"_s, u"0.999999"_s, u"12/31/1899 0:00"_s);
        row("clock stops at 23:59:59", u"h:mm:ss"_s, u"0.999999"_s, u"23:59:59"_s);
        row("elapsed hours", u"[h]:mm:ss"_s, u"1.12857638888889"_s, u"27:05:09"_s);
        row("elapsed minutes, rounded", u"[mm]:ss"_s, u"0.5451"_s, u"784:57"_s);
        row("elapsed, negative", u"[h]:mm:ss"_s, u"-0.25"_s, u"-6:00:00"_s);
        row("negative date", u"m/d/yyyy h:mm"_s, u"-0.25"_s, u"12/29/1899 18:00"_s);
        row("no 29 February 1900", u"m/d/yyyy"_s, u"60"_s, u"2/28/1900"_s);
        row("Thai names", u"[$-41E]d mmmm yyyy"_s, when, u"8 ธันวาคม 2026"_s);
        row("Buddhist year", u"[$-107041E]d mmm yy"_s, when, u"8 ธ.ค. 69"_s);
        row("Thai digits", u"[$-D07041E]d/m/yyyy"_s, when, u"๘/๑๒/๒๕๖๙"_s);
        row("percent", u"0.0%"_s, u"0.055"_s, u"5.5%"_s);
        row("not a number", u"m/d/yyyy"_s, u"abc"_s, u"abc"_s);
        row("beyond any date", u"m/d/yyyy"_s, u"2e7"_s, u"20000000"_s);
        row("a value too small to matter", u"h:mm:ss"_s, u"1e-310"_s, u"0:00:00"_s);
    }
    void shownNumbers()
    {
        QFETCH(QString, code);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        QCOMPARE(shownNumber(value, code), shown);
    }

    // Made by LibreOffice from files/formats.fods: dates, times, formulas (a date, a text, a
    // number), a boolean, an amount in baht. Both read as LibreOffice shows them (its CSV of
    // the workbook), but a number stays plain whatever its format ("1,250.50" and
    // "฿1,250.50" are 1250.5, as an amount column needs them).
    void shownCells_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("xlsx") << u"formats.xlsx"_s;
        QTest::newRow("ods") << u"formats.ods"_s;
    }
    void shownCells()
    {
        QFETCH(QString, file);
        const Sheet s = ReadSheetFile(QStringLiteral(IMPORT_FILES) + u'/' + file);
        QVERIFY2(s.ok(), qPrintable(s.error));
        QCOMPARE(s.rows.size(), 1);
        const QStringList shown{u"08/12/2026"_s, u"5 March 2026"_s, u"2026-12-08 13:45:10"_s,
                                u"13:45"_s,      u"27:05:09"_s,     u"1:05 PM"_s,
                                u"09-Jan-26"_s,  u"1/9/26"_s,       u"1250.5"_s,
                                u"5.5%"_s,       u"09/12/2026"_s,   u"abc"_s,
                                u"3000"_s,       u"3000"_s,         u"TRUE"_s,
                                u"1250.5"_s};
        QCOMPARE(s.rows[0], shown);
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
