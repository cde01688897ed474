#include "help/helptext.h"
#include "records/codec.h"
#include "records/fileio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestHelpText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data();
    void lines();
    void missingFile();
    void bundledFile();
};

void TestHelpText::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("three lines") << QByteArray("one\r\ntwo\r\nthree\r\n") << u"one\r\ntwo\r\nthree\r\n"_s;
    QTest::newRow("last line unclosed") << QByteArray("one\r\ntwo") << u"one\r\ntwo\r\n"_s;
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("blank lines kept") << QByteArray("a\r\n\r\nb\r\n") << u"a\r\n\r\nb\r\n"_s;
    QTest::newRow("LF line ends") << QByteArray("a\nb\n") << u"a\r\nb\r\n"_s;
    QTest::newRow("code page 874") << QByteArray("\xa4\xd3\xe1\xb9\xd0\xb9\xd3\r\n") << u"คำแนะนำ\r\n"_s;
}

void TestHelpText::lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"helpcustomer.txt"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const std::optional<QString> got = LoadHelpText(path);
    QVERIFY(got.has_value());
    QCOMPARE(*got, text);
}

void TestHelpText::missingFile()
{
    QTemporaryDir dir;
    FileIoResult failure;
    QVERIFY(!LoadHelpText(dir.filePath(u"helpcustomer.txt"_s), &failure).has_value());
    QCOMPARE(HelpMissingText(failure), u"ไม่พบแฟ้มคำแนะนำ (helpcustomer.txt)"_s);
    QVERIFY(!LoadHelpText(dir.path(), &failure).has_value());  // a folder is no help file
    // Not missing but unreadable: said so, with the path and the cause.
    QCOMPARE(failure.error, FileIoError::NotRegular);
    QCOMPARE(HelpMissingText(failure), u"อ่านแฟ้มคำแนะนำไม่ได้ (helpcustomer.txt)\n"_s + FailureLine(failure));
    QVERIFY(FailureLine(failure).startsWith(dir.path()));
}

void TestHelpText::bundledFile()
{
    // The shipped instructions: Thai in code page 874, every line closed by CR LF.
    const QString path = qEnvironmentVariable("VORLANE_TEST_DATA") + u"/helpcustomer.txt"_s;
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    const std::optional<QString> text = LoadHelpText(path);
    QVERIFY(text.has_value());
    QVERIFY(text->contains(u"บันทึกแฟ้มข้อมูล"_s));
    QVERIFY(text->contains(u"ตรวจสอบข้อมูล"_s));
    QVERIFY(text->contains(u"พิมพ์รายงาน"_s));
    QCOMPARE(cp874::encode(*text).bytes, bytes);
}

QTEST_APPLESS_MAIN(TestHelpText)
#include "test_helptext.moc"
