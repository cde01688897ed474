// The record gate: what a record may hold, over one table of cases, and what "check"
// reports of a stored line the gate would change.
#include "records/recordgate.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

namespace {

const QString kOk = u"101|10100|นาย ก|บริษัท|500|ป้อมปราบ|1 ถนน|2 ถนน|"_s;

// kOk with field k replaced.
MoneyOrderRecord with(int k, const QString &text)
{
    MoneyOrderRecord r = SplitRecord(kOk);
    r[k] = text;
    return r;
}

const QString kBarMessage = u"ไม่สามารถรับเครื่องหมาย | ได้"_s;
const QString kInvisible = u"มีตัวอักษรที่มองไม่เห็นซึ่งบันทึกลงแฟ้มข้อมูลไม่ได้ : "_s;

}  // namespace

class TestRecordGate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void admit_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");   // the field as stored, when admitted
        QTest::addColumn<QString>("message");  // the refusal, when refused

        QTest::newRow("plain") << 2 << u"นาย ก"_s << u"นาย ก"_s << QString();
        QTest::newRow("type with blanks") << 0 << u" 101 "_s << u"101"_s << QString();
        QTest::newRow("postcode with blanks") << 1 << u"10100 "_s << u"10100"_s << QString();
        QTest::newRow("postcode with TAB and no-break space") << 1 << u"\t10100\u00A0"_s << u"10100"_s << QString();
        QTest::newRow("name keeps its own blanks") << 2 << u" นาย ก "_s << u" นาย ก "_s << QString();
        QTest::newRow("Alt+Enter in an address")
            << 6 << u"1 ถนนหลวง\nแขวงป้อมปราบ"_s << u"1 ถนนหลวง แขวงป้อมปราบ"_s << QString();
        QTest::newRow("CR LF run is one blank") << 6 << u"1 ถนน\r\n\r\nเขต"_s << u"1 ถนน เขต"_s << QString();
        QTest::newRow("breaks at the ends go") << 7 << u"\r\n2 ถนน\n"_s << u"2 ถนน"_s << QString();
        QTest::newRow("TAB inside a name") << 2 << u"นาย\tก"_s << u"นาย ก"_s << QString();
        QTest::newRow("line and paragraph separators") << 6 << u"ก\u2028ข\u2029ค\u0085ง"_s << u"ก ข ค ง"_s << QString();
        QTest::newRow("zero-width space dropped") << 2 << u"สม\u200Bชาย"_s << u"สมชาย"_s << QString();
        QTest::newRow("bar in a name") << 2 << u"ก|ข"_s << QString() << kBarMessage;
        QTest::newRow("bar in the amount") << 4 << u"5|00"_s << QString() << kBarMessage;
        QTest::newRow("emoji") << 2 << u"ก 😀"_s << QString() << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s;
        QTest::newRow("Chinese") << 6 << u"北京"_s << QString() << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 北"_s;
        QTest::newRow("zero-width joiner named by code") << 2 << u"ก\u200Dข"_s << QString() << kInvisible + u"U+200D"_s;
        QTest::newRow("byte-order mark inside") << 2 << u"ก\uFEFF"_s << QString() << kInvisible + u"U+FEFF"_s;
        QTest::newRow("NUL named by code") << 6 << u"ก\u0000ข"_s << QString() << kInvisible + u"U+0000"_s;
        QTest::newRow("escape named by code") << 2 << u"\u001Bก"_s << QString() << kInvisible + u"U+001B"_s;
        QTest::newRow("no-break space is kept") << 2 << u"ก\u00A0ข"_s << u"ก\u00A0ข"_s << QString();
        QTest::newRow("as long as allowed")
            << 6 << QString(kMaxFieldChars, u'ก') << QString(kMaxFieldChars, u'ก') << QString();
        QTest::newRow("one too long") << 6 << QString(kMaxFieldChars + 1, u'ก') << QString()
                                      << u"ข้อความยาวเกิน 250 ตัวอักษร"_s;
        QTest::newRow("long only before folding")
            << 6 << QString(kMaxFieldChars, u'ก') + u"\r\n"_s << QString(kMaxFieldChars, u'ก') << QString();
    }
    void admit()
    {
        QFETCH(int, field);
        QFETCH(QString, given);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        const GateVerdict v = AdmitRecord(with(field, given));
        QCOMPARE(v.message, message);
        if (message.isEmpty()) {
            QCOMPARE(v.record[field], stored);
            // Whatever is admitted makes one line of exactly eight bars.
            const QString line = RecordLine(v.record);
            QVERIFY(!line.contains(u'\n') && !line.contains(u'\r') && !line.contains(u'\t'));
            QCOMPARE(line.count(u'|'), kFieldCount);
        } else {
            QCOMPARE(v.field, field);
        }
    }

    // A file opened from disk keeps its bytes; "check" says what keying would change.
    void reviewStored_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("clean") << kOk << -1 << QString();
        QTest::newRow("type with a trailing blank") << u"101 |10100|ก|ข|500|ค|ง|จ|"_s << 0 << u"มีช่องว่างหน้าหรือหลังรหัส"_s;
        QTest::newRow("postcode with a leading blank")
            << u"101| 10100|ก|ข|500|ค|ง|จ|"_s << 1 << u"มีช่องว่างหน้าหรือหลังรหัส"_s;
        QTest::newRow("TAB in an address") << u"101|10100|ก|ข|500|ค|ง\tง|จ|"_s << 6 << u"มีตัวอักษร TAB ในข้อมูล"_s;
        QTest::newRow("six fields") << u"112||ก|ข|500||"_s << -1 << QString();
        QTest::newRow("control character") << u"101|10100|ก\u0007|ข|500|ค|ง|จ|"_s << 2 << kInvisible + u"U+0007"_s;
    }
    void reviewStored()
    {
        QFETCH(QString, line);
        QFETCH(int, field);
        QFETCH(QString, message);
        const GateVerdict v = ReviewStoredLine(line);
        QCOMPARE(v.message, message);
        QCOMPARE(v.field, field);
    }

    void restoredLineLosesItsBreaks()
    {
        QCOMPARE(RestorableLine(kOk), kOk);
        QCOMPARE(RestorableLine(u"101 |10100|ก\tข|ข|500|ค|ง|จ|"_s), u"101 |10100|ก\tข|ข|500|ค|ง|จ|"_s);
        QCOMPARE(RestorableLine(u"101|10100|ก|ข|500|ค|ง\r\nง|จ|"_s), u"101|10100|ก|ข|500|ค|ง ง|จ|"_s);
    }
};

QTEST_APPLESS_MAIN(TestRecordGate)
#include "test_recordgate.moc"
