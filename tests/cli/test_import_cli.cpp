// "import" and "check" run as other programs run them: lines, counts, exit codes, the file.
#include "importer/sheet.h"
#include "tempfiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int code = -1;
    QString out;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(qEnvironmentVariable("VORLANE_BIN_DIR") + u"/vorlane-cli"_s, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestImportCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importThenCheck()
    {
        QTemporaryDir dir;
        const QString data = qEnvironmentVariable("VORLANE_TEST_DATA");
        for (const char *name : {"rate.txt", "mo.txt", "postcode.txt", "mo1.txt"})
            QVERIFY(
                QFile::copy(QDir(data).filePath(QString::fromLatin1(name)), dir.filePath(QString::fromLatin1(name))));
        QVERIFY(vorlane::test::writeCp874(dir.filePath(u"cusname.txt"_s), {u"\"บริษัท ก\",\"9 ถนน\""_s}));
        const QString in = dir.filePath(u"orders.csv"_s);
        QVERIFY(vorlane::test::writeBytes(in, u"ประเภท;รหัสไปรษณีย์;ชื่อผู้รับ;ที่อยู่ผู้รับ;จำนวนเงิน\r\n"
                                              "101;10100;นาย ก;1 ถนน;500\r\n101;99999;นาย ข;2 ถนน;600\r\n"
                                              "101;10100;;3 ถนน;700\r\n"_s.toUtf8()));
        const QString out = dir.filePath(u"orders.txt"_s);
        const QStringList base{u"import"_s, u"--tables"_s, dir.path(), in, u"--output"_s, out};

        Run r = cli(base);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, u"3\tรหัสไปรษณีย์\tไม่มี รหัส ป.ณ.ปลายทาง\n4\tชื่อผู้รับ\tยังไม่ได้พิมพ์ชื่อผู้รับ\nimported: 1\nrefused: 2\n"_s);
        QCOMPARE(readAll(out),
                 vorlane::cp874::encode(u"101|10100|นาย ก|บริษัท ก|500|ป้อมปราบศัตรูพ่าย|1 ถนน|9 ถนน|\r\n"_s).bytes);

        // An existing file is kept unless forced.
        r = cli(base + QStringList{u"--accept-unknown-postcodes"_s, u"--depositor"_s, u"ร้าน ข"_s});
        QCOMPARE(r.code, 2);
        r = cli(base + QStringList{u"--accept-unknown-postcodes"_s, u"--force"_s, u"--depositor"_s, u"ร้าน ข"_s});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.endsWith(u"imported: 2\nrefused: 1\n"_s));
        QVERIFY(QString::fromLatin1(readAll(out)).count(u"\r\n"_s) == 2);

        r = cli({u"check"_s, u"--tables"_s, dir.path(), out});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"records: 2\nrefused: 0\n"_s);

        // A hand-made file: a bad amount, a line the program would drop.
        const QString hand = dir.filePath(u"hand.txt"_s);
        QVERIFY(
            vorlane::test::writeCp874(hand, {u"101|10100|ก|ข|abc|ป|ค|ง|"_s, u"garbage"_s, u"112||ก|ข|100||ค|ง|"_s}));
        r = cli({u"check"_s, u"--tables"_s, dir.path(), hand});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, u"1\t4\tไม่ได้ใส่ตัวเลข \n2\t-\tไม่ใช่ข้อมูลธนาณัติ\nrecords: 2\nrefused: 2\n"_s);

        QCOMPARE(cli({u"import"_s, u"--tables"_s, dir.path(), dir.filePath(u"none.csv"_s), u"--output"_s,
                      dir.filePath(u"x.txt"_s)})
                     .code,
                 2);
        QVERIFY(!QFile::exists(dir.filePath(u"x.txt"_s)));

        // A pipe under the name is refused, not waited on.
        const QString fifo = dir.filePath(u"fifo.txt"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QCOMPARE(cli({u"check"_s, u"--tables"_s, dir.path(), fifo}).code, 2);
    }

    // The exported workbook holds the orders, the office, the fee and a totals row; LibreOffice
    // reads the same figures back.
    void exportWorkbook()
    {
        QTemporaryDir dir;
        const QString data = qEnvironmentVariable("VORLANE_TEST_DATA");
        const QString batch = dir.filePath(u"b.txt"_s);
        QVERIFY(vorlane::test::writeCp874(batch, {u"101|10100|นาย ก|ร้าน ข|1,250.50|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s,
                                                  u"112||นาย ค|ร้าน ข|100||3 ถนน|2 ถนน|"_s}));
        const QString out = dir.filePath(u"b.xlsx"_s);
        const Run r = cli({u"export"_s, u"--tables"_s, data, batch, u"--output"_s, out});
        QCOMPARE(r.code, 0);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const vorlane::Sheet s = vorlane::ReadXlsx(f.readAll());
        QVERIFY(s.ok());
        QCOMPARE(s.rows.size(), 4);
        QCOMPARE(s.rows[1], (QStringList{u"101"_s, u"10100"_s, u"ป้อมปราบศัตรูพ่าย"_s, u"นาย ก"_s, u"1 ถนน"_s, u"ร้าน ข"_s,
                                         u"2 ถนน"_s, u"1250.5"_s, u"15"_s}));
        QCOMPARE(s.rows[3].first(), u"รวม"_s);
        QCOMPARE(s.rows[3].mid(7), (QStringList{u"1350.5"_s, u"35"_s}));

        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("soffice is not installed");
        QProcess p;
        p.start(soffice,
                {u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s), u"--headless"_s, u"--convert-to"_s,
                 u"csv:Text - txt - csv (StarCalc):44,34,76"_s, u"--outdir"_s, dir.path(), out});
        QVERIFY(p.waitForFinished(240000));
        QFile csv(dir.filePath(u"b.csv"_s));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[3].trimmed(), u"รวม,,,,,,,\"1,350.50\",35.00"_s);
    }
};

QTEST_GUILESS_MAIN(TestImportCli)
#include "test_import_cli.moc"
