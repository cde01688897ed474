// The entry checks as functions, without a window: the save check list over keyed texts
// (message, focus, field emptied, line stored) and the Enter checks of the text fields.
#include "entry/entryrules.h"
#include "records/session.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class EntryRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void save_data();
    void save();
    void enterInField_data();
    void enterInField();
    void indexOfTrimmed_data();
    void indexOfTrimmed();

private:
    ReferenceTables m_tables;
};

static const QString kBar1 = u"ไม่สามารถรับเครื่องหมาย | ได้"_s;
static const QString kSemi1 = u"ไม่สามารถรับเครื่องหมาย ; ได้"_s;
static constexpr int kAdd = -2;  // stored: the window gives the focus to the add button

void EntryRules::initTestCase()
{
    m_tables = LoadReferenceTables(AppPaths::forDirectory(qEnvironmentVariable("VORLANE_TEST_DATA")));
    QVERIFY(m_tables.missing.isEmpty());
}

void EntryRules::save_data()
{
    QTest::addColumn<QStringList>("record");  // type, postcode, recipient, address, depositor, its address, amount
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");    // Control, or kAdd when stored
    QTest::addColumn<int>("emptied");  // -1 none; 0..7 Text1; 10 + k Combo1(k)
    QTest::addColumn<QString>("stored");

    auto rec = [](QString type, QString postcode, QString name, QString addr, QString dep, QString depAddr, QString amount) {
        return QStringList{type, postcode, name, addr, dep, depAddr, amount};
    };
    const QStringList good = rec(u"101"_s, u"10100"_s, u"นาย ก"_s, u"1 ถนน"_s, u"บริษัท"_s, u"2 ถนน"_s, u"500"_s);
    auto with = [&](int i, const QString &v) { QStringList r = good; r[i] = v; return r; };
    const QString lengthMsg = u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก  "_s;
    const QString confirm = u"ไม่มี รหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s;
    const QString range = u"เงินเกิน 50000  หรือ เงินน้อยกว่าเท่ากับ 0 บาท"_s;

    QTest::newRow("all good") << good << false << QString() << kAdd << -1
                              << u"101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("no type") << with(0, u" "_s) << false << u"ยังไม่ได้ไส่รหัสธนาณัติ"_s << 10 << 10 << QString();
    QTest::newRow("unknown type") << with(0, u"99"_s) << false << u"ไม่มี ธนาณัติประเภทนี้"_s << 10 << 10 << QString();
    QTest::newRow("no postcode") << with(1, QString()) << false << u"ยังไม่ได้ใส่ รหัสไปรษณีย์ปลายทาง"_s << 12 << 12 << QString();
    QTest::newRow("postcode letters") << with(1, u"10a10"_s) << false << u"รหัสไม่ใช่ตัวเลข  "_s << 12 << 12 << QString();
    QTest::newRow("postcode short") << with(1, u"1011"_s) << false << lengthMsg << 12 << 12 << QString();
    QTest::newRow("postcode unknown, no") << with(1, u"99999"_s) << false << confirm << 12 << 12 << QString();
    QTest::newRow("postcode unknown, yes") << with(1, u"99999"_s) << true << confirm << kAdd << -1
                                           << u"101|99999|นาย ก|บริษัท|500||1 ถนน|2 ถนน|"_s;
    QTest::newRow("type 112 with postcode") << with(0, u"112"_s) << false << u"ไม่ต้องระบุ ปณ. ปลายทาง"_s << 2 << 12
                                            << u"112||นาย ก|บริษัท|500||1 ถนน|2 ถนน|"_s;
    QTest::newRow("recipient blank") << with(2, u" "_s) << false << u"ยังไม่ได้พิมพ์ชื่อผู้รับ"_s << 2 << -1 << QString();
    QTest::newRow("recipient bar") << with(2, u"ก|ข"_s) << false << kBar1 << 2 << 2 << QString();
    QTest::newRow("recipient semicolon") << with(2, u"ก;ข"_s) << false << kSemi1 << 2 << 2 << QString();
    QTest::newRow("recipient emoji") << with(2, u"ก😀"_s) << false << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s << 2 << -1 << QString();
    QTest::newRow("address blank") << with(3, QString()) << false << u"ยังไม่ได้พิมพ์ที่อยู่ผู้รับ"_s << 6 << -1 << QString();
    QTest::newRow("address semicolon") << with(3, u"1;2"_s) << false << kSemi1 << 6 << -1 << QString();
    QTest::newRow("depositor blank") << with(4, u"  "_s) << false << u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s << 3 << 3 << QString();
    QTest::newRow("depositor bar") << with(4, u"ก|"_s) << false << kBar1 << 3 << -1 << QString();
    QTest::newRow("depositor address blank") << with(5, QString()) << false << u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s << 7 << 7 << QString();
    QTest::newRow("depositor address bar") << with(5, u"ก|"_s) << false << kBar1 << 7 << 7 << QString();
    QTest::newRow("depositor address chinese") << with(5, u"中"_s) << false << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 中"_s << 7 << -1 << QString();
    QTest::newRow("amount letters") << with(6, u"abc"_s) << false << u"ไม่ได้ใส่ตัวเลข "_s << 4 << 4 << QString();
    QTest::newRow("amount over maximum") << with(6, u"50000.01"_s) << false << range << 4 << 4 << QString();
    QTest::newRow("amount zero") << with(6, u"0"_s) << false << range << 4 << 4 << QString();
    QTest::newRow("amount grouped, kept as typed") << with(6, u" 1,250.50"_s) << false << QString() << kAdd << -1
                                                   << u"101|10100|นาย ก|บริษัท| 1,250.50|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("type kept untrimmed") << with(0, u" 101"_s) << false << QString() << kAdd << -1
                                         << u" 101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
}

void EntryRules::save()
{
    QFETCH(QStringList, record);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(int, emptied);
    QFETCH(QString, stored);

    const KeyedOrder keyed{record[0], record[1], record[2], record[3], record[4], record[5], record[6]};
    const SaveVerdict v = saveKeyed(keyed, m_tables, yes);
    QStringList shown;
    for (const RuleOutcome &o : v.outcomes)
        shown << (o.question.isEmpty() ? o.message : o.question);
    QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(v.stored, !stored.isEmpty());
    QCOMPARE(v.line, stored);
    if (v.outcomes.isEmpty())
        return;
    const RuleOutcome &o = v.outcomes.last();
    const RuleAction &a = (!o.question.isEmpty() && yes) ? o.onYes : o.action;
    if (focus != kAdd)
        QCOMPARE(int(a.focus), focus);
    QCOMPARE(a.cleared.isEmpty() ? -1 : int(a.cleared.first()), emptied);
}

void EntryRules::enterInField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("depositorFilled");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");  // where the focus ends: the advance unless the action moves it
    QTest::addColumn<bool>("cleared");

    QTest::newRow("recipient blank") << 2 << u"   "_s << true << u"ไม่ได้พิมพ์ชื่อผู้รับเงิน"_s << 2 << true;
    QTest::newRow("recipient bar") << 2 << u"ก|ข"_s << true << u"ไม่สามารถรับเครื่องหมาย |  ได้"_s << 2 << false;
    QTest::newRow("recipient semicolon") << 2 << u"ก;ข"_s << true << u"ไม่สามารถรับเครื่องหมาย  ; ได้"_s << 2 << false;
    QTest::newRow("recipient ok") << 2 << u"นาย ก"_s << true << QString() << 6 << false;
    QTest::newRow("address bar") << 6 << u"1|2"_s << true << kBar1 << 3 << false;
    QTest::newRow("address skips carried depositor") << 6 << u"12"_s << true << QString() << 4 << false;
    QTest::newRow("address without depositor") << 6 << u"12"_s << false << QString() << 3 << false;
    QTest::newRow("depositor name blank") << 3 << u"  "_s << true << u"ไม่ได้พิมพ์ชื่อผู้ฝากเงิน"_s << 3 << false;
    QTest::newRow("depositor name semicolon") << 3 << u"ก;"_s << true << u"ไม่สามารถรับเครื่องหมาย ;  ได้"_s << 7 << false;
    QTest::newRow("depositor address bar") << 7 << u"ก|"_s << true << kBar1 << 4 << false;
    QTest::newRow("depositor address chinese") << 7 << u"ถนน中"_s << true << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 中"_s << 7 << false;
}

void EntryRules::enterInField()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, depositorFilled);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(bool, cleared);

    MoneyOrderRecord r;
    r[field] = text;
    if (depositorFilled && field != DepositorName && field != DepositorAddress) {
        r[DepositorName] = u"บริษัท"_s;
        r[DepositorAddress] = u"ถนน"_s;
    }
    const RuleOutcome o = enterInFieldRule(field, EntryDraft::fromRecord(r));
    QCOMPARE(o.message, message);
    QCOMPARE(int(o.action.focus == Control::None ? o.advance : o.action.focus), focus);
    QCOMPARE(o.action.cleared.contains(textField(field)), cleared);
}

// Table look-up: blanks around the text or the entry do not count, blanks inside do.
void EntryRules::indexOfTrimmed_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    const QStringList codes{u"10100"_s, u"10110"_s, u"20100"_s};
    QTest::newRow("found") << codes << u"10110"_s << 1;
    QTest::newRow("text with blanks") << codes << u" 20100  "_s << 2;
    QTest::newRow("same first digit only") << codes << u"10120"_s << -1;
    QTest::newRow("longer or shorter") << codes << u"1010"_s << -1;
    QTest::newRow("entry with blanks comes first") << QStringList{u"1 "_s, u" 1"_s, u"1"_s} << u"1"_s << 0;
    QTest::newRow("blank inside") << QStringList{u"1 01"_s, u"101 "_s} << u"101"_s << 1;
    QTest::newRow("blank text finds a blank entry") << QStringList{u"a"_s, u"  "_s} << QString() << 1;
    QTest::newRow("empty text finds an empty entry") << QStringList{u"a"_s, QString()} << u" "_s << 1;
}

void EntryRules::indexOfTrimmed()
{
    QFETCH(QStringList, list);
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(vorlane::indexOfTrimmed(list, text), index);
}

QTEST_GUILESS_MAIN(EntryRules)
#include "test_entryrules.moc"
