// Opening a spreadsheet: the unknown postcodes asked once, refused rows listed (and their
// list saved from its window), a new unsaved batch named after the file with ".txt", nothing written.
#include "chooserfixture.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class TestImportOpen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openSpreadsheet()
    {
        ChooserProgram p;
        p.start();
        QVERIFY(writeBytes(p.filePath(u"orders.csv"_s),
                           u"type,postcode,recipient,recipient address,amount\n101,10100,นาย ก,1 ถนน,500\n"
                           "101,99999,นาย ข,2 ถนน,600\n101,10100,นาย ค,3 ถนน,abc\n"_s.toUtf8()));
        p.prompter.clear();
        p.prompter.answer({Prompter::Answer::Yes, Prompter::Answer::Yes});
        FileChooser *c = p.openAt(u"orders.csv"_s);
        ui(c).Comopen->click();

        const QStringList shown = p.prompter.texts();
        QCOMPARE(shown.size(), 3);
        QVERIFY(shown[0].contains(u"แถว 3 : 99999"_s));
        QCOMPARE(p.prompter.shown[1].kind, ScriptedPrompter::Kind::RowList);
        QCOMPARE(shown[1], u"แถวที่ไม่ได้นำเข้า 1 แถว\n4\tamount\tไม่ได้ใส่ตัวเลข "_s);
        QCOMPARE(shown[2], QDir::toNativeSeparators(p.filePath(u"orders-ไม่ได้นำเข้า.txt"_s)) + u"   บันทึกแล้ว"_s);
        QCOMPARE(p.session.batch.lines().count(), 2);
        QCOMPARE(p.session.batch.lines().at(1), u"101|99999|นาย ข|บริษัท ตัวอย่าง จำกัด|600||2 ถนน|1 ถนนสีลม กรุงเทพฯ|"_s);
        QCOMPARE(p.st().CurrentFilePath(), p.filePath(u"orders.txt"_s));
        QVERIFY(!p.st().IsSaved());
        QVERIFY(!QFile::exists(p.filePath(u"orders.txt"_s)));
        QVERIFY(QFile::exists(p.filePath(u"orders-ไม่ได้นำเข้า.txt"_s)));
        QVERIFY(p.entry()->isVisible());
    }

    // Excel's "Unicode Text" is a .txt: it is imported, not opened as a data file, and the
    // batch neither takes its name nor counts as saved.
    void openUnicodeText()
    {
        ChooserProgram p;
        p.start();
        QVERIFY(QFile::copy(QStringLiteral(WRITERS_DIR) + u"/excel-unicode-text.txt"_s, p.filePath(u"export.txt"_s)));
        p.prompter.clear();
        FileChooser *c = p.openAt(u"export.txt"_s);
        ui(c).Comopen->click();
        QCOMPARE(p.prompter.texts(), QStringList());
        QCOMPARE(p.session.batch.lines().count(), 3);
        QVERIFY(p.session.batch.lines().at(1).startsWith(u"103|10110|นาง ข|"_s));
        QCOMPARE(p.st().CurrentFilePath(), p.filePath(u"export-ธนาณัติ.txt"_s));
        QVERIFY(!p.st().IsSaved());
    }

    // "แบบฟอร์มนำเข้า" beside the open writes the blank workbook into the folder shown and
    // names it, so that filled in it opens from there; an existing one is kept unless Yes.
    void blankTemplateBesideTheOpen()
    {
        ChooserProgram p;
        p.start();
        FileChooser *c = p.openAt(u"x"_s);
        QVERIFY(ui(c).Comtemplate->isVisible());
        p.prompter.clear();
        ui(c).Comtemplate->click();
        const QString path = p.filePath(u"แบบฟอร์มนำเข้าธนาณัติ.xlsx"_s);
        QVERIFY(QFile::exists(path));
        QCOMPARE(c->name(), u"แบบฟอร์มนำเข้าธนาณัติ.xlsx"_s);
        QVERIFY(p.prompter.last().startsWith(QDir::toNativeSeparators(path) + u"   บันทึกแล้ว"_s));
        QVERIFY(writeBytes(path, "mine"));
        p.prompter.clear();
        ui(c).Comtemplate->click();  // the queue is empty: No
        QCOMPARE(p.prompter.shown.size(), 1);
        QCOMPARE(readBytes(path), QByteArray("mine"));
    }
};

QTEST_MAIN(TestImportOpen)
#include "test_importopen.moc"
