#include "records/recordline.h"
#include "review/reviewtext.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestReviewText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listItem_data();
    void listItem();
    void labelsAndValues();
    void feeForms_data();
    void feeForms();
    void emptyRecord();
    void editRefusal_data();
    void editRefusal();
};

namespace {

RecordFieldSlots split(const QString &line)
{
    RecordFieldSlots f;
    SplitRecordLine(line, kFieldCount, f);
    return f;
}

const QString kLine = u"101|10110|นายสมชาย ใจดี|บริษัท ตัวอย่าง จำกัด|1250.50|คลองเตย|12 ถนนสุขุมวิท|99 ถนนพระราม 4|"_s;

}  // namespace

void TestReviewText::listItem_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("item");
    QTest::newRow("eight fields")
        << kLine << u"101\t10110\tนายสมชาย ใจดี\tบริษัท ตัวอย่าง จำกัด\t1250.50\tคลองเตย\t12 ถนนสุขุมวิท\t99 ถนนพระราม 4\t"_s;
    QTest::newRow("empty fields kept") << u"||||||||"_s << u"\t\t\t\t\t\t\t\t"_s;
    QTest::newRow("six fields") << u"112||A|B|50||"_s << u"112\t\tA\tB\t50\t\t\t\t"_s;
    QTest::newRow("text after the last bar dropped") << u"1|2|3|4|5|6|7|8|tail"_s << u"1\t2\t3\t4\t5\t6\t7\t8\t"_s;
    QTest::newRow("blanks kept") << u" 101 |a|b|c| 5 |d|e|f|"_s << u" 101 \ta\tb\tc\t 5 \td\te\tf\t"_s;
}

void TestReviewText::listItem()
{
    QFETCH(QString, line);
    QFETCH(QString, item);
    QCOMPARE(ReviewListItem(split(line)), item);
    QCOMPARE(item.count(u'\t'), 8);
}

void TestReviewText::labelsAndValues()
{
    const QStringList opening = ReviewDetailText(split(kLine), 15, DetailForm::Opening).split(u"\r\n"_s);
    const QStringList click = ReviewDetailText(split(kLine), 15, DetailForm::Click).split(u"\r\n"_s);
    QCOMPARE(opening.size(), 10);  // nine lines, each closed by CR LF
    QCOMPARE(opening.last(), QString());
    QCOMPARE(click.size(), 9);  // the fee line is not closed
    const QString b(40, u' ');
    QCOMPARE(opening[0], u"ประเภทธนาณัติ"_s + b.left(15) + u"101"_s);
    QCOMPARE(opening[1], u"รหัสไปรษณีย์ปลายทาง"_s + b.left(2) + u"10110"_s);
    QCOMPARE(opening[2], u"ชื่อผู้รับ"_s + b.left(31) + u"นายสมชาย ใจดี"_s);
    QCOMPARE(opening[3], u"ที่อยู่ผู้รับ"_s + b.left(27) + u"12 ถนนสุขุมวิท"_s);
    QCOMPARE(opening[4], u"ชื่อผู้ฝากเงิน"_s + b.left(22) + u"บริษัท ตัวอย่าง จำกัด"_s);
    QCOMPARE(click[4], u"ชื่อผู้ฝากเงิน"_s + b.left(21) + u"บริษัท ตัวอย่าง จำกัด"_s);
    QCOMPARE(opening[5], u"ที่อยู่ผู้ฝากเงินธนาณัติ"_s + b.left(4) + u"99 ถนนพระราม 4"_s);
    QCOMPARE(opening[6], u"จำนวนเงินที่ฝากส่ง"_s + b.left(9) + u"1250.50     บาท"_s);
    QCOMPARE(opening[7], u"ชื่อไปรษณีย์ปลายทาง"_s + b.left(4) + u"คลองเตย"_s);
    // Apart from line 5 and the fee, both forms read the same.
    for (int i : {0, 1, 2, 3, 5, 6, 7})
        QCOMPARE(click[i], opening[i]);

    // Leading blanks of a value go, trailing ones stay.
    const QStringList padded =
        ReviewDetailText(split(u"  101 |  10110|a|b|  500 |c|d|e|"_s), 0, DetailForm::Click).split(u"\r\n"_s);
    QCOMPARE(padded[0], u"ประเภทธนาณัติ"_s + b.left(15) + u"101 "_s);
    QCOMPARE(padded[6], u"จำนวนเงินที่ฝากส่ง"_s + b.left(9) + u"500      บาท"_s);
}

void TestReviewText::feeForms_data()
{
    QTest::addColumn<double>("fee");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("click");
    // An amount too large to charge exactly: the words in place of a made-up fee.
    QTest::newRow("beyond") << -1.0 << u"จำนวนเงินมากเกินกว่าที่โปรแกรมคำนวณได้\r\n"_s
                            << u"จำนวนเงินมากเกินกว่าที่โปรแกรมคำนวณได้"_s;
    QTest::newRow("whole") << 15.0 << u"15.00    บาท\r\n"_s << u"15   บาท"_s;
    QTest::newRow("half") << 12.5 << u"12.50    บาท\r\n"_s << u"12.5   บาท"_s;
    QTest::newRow("thousands") << 1234.5 << u"1,234.50    บาท\r\n"_s << u"1234.5   บาท"_s;
    QTest::newRow("below one") << 0.5 << u".50    บาท\r\n"_s << u"0.5   บาท"_s;
    QTest::newRow("zero") << 0.0 << u".00    บาท\r\n"_s << u"0   บาท"_s;
}

void TestReviewText::feeForms()
{
    QFETCH(double, fee);
    QFETCH(QString, opening);
    QFETCH(QString, click);
    const QString label = u"ค่าธรรมเนียม"_s + QString(20, u' ');
    const std::optional<double> given = fee < 0 ? std::nullopt : std::optional<double>(fee);
    const QString o = ReviewDetailText(split(kLine), given, DetailForm::Opening);
    const QString c = ReviewDetailText(split(kLine), given, DetailForm::Click);
    QVERIFY2(o.endsWith(u"\r\n"_s + label + opening), qPrintable(o.right(40)));
    QVERIFY2(c.endsWith(u"\r\n"_s + label + click), qPrintable(c.right(40)));
}

void TestReviewText::emptyRecord()
{
    // An empty batch shows the labels with nothing after them.
    const QStringList lines = ReviewDetailText(RecordFieldSlots{}, 0, DetailForm::Opening).split(u"\r\n"_s);
    QCOMPARE(lines[0], u"ประเภทธนาณัติ"_s + QString(15, u' '));
    QCOMPARE(lines[6], u"จำนวนเงินที่ฝากส่ง"_s + QString(9, u' ') + u"     บาท"_s);
    QCOMPARE(lines[7], u"ชื่อไปรษณีย์ปลายทาง"_s + QString(4, u' '));
}

void TestReviewText::editRefusal_data()
{
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("refused");
    QTest::newRow("clicked record") << true << 2 << 3 << false;
    QTest::newRow("first record") << true << 0 << 3 << false;
    QTest::newRow("no click since the list was filled") << false << 1 << 3 << true;
    QTest::newRow("no current item") << true << -1 << 3 << true;
    QTest::newRow("past the last record") << true << 3 << 3 << true;
    QTest::newRow("empty batch") << true << 0 << 0 << true;
}

void TestReviewText::editRefusal()
{
    QFETCH(bool, clicked);
    QFETCH(int, row);
    QFETCH(int, count);
    QFETCH(bool, refused);
    QCOMPARE(ReviewEditRefusal(clicked, row, count), refused ? u"ยังไม่เลือกรายการแก้ไข หรือรายการไม่มี"_s : QString());
}

QTEST_APPLESS_MAIN(TestReviewText)
#include "test_reviewtext.moc"
