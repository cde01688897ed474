// The entry checks as functions, without a window: the save check list over keyed texts
// (message, focus, field emptied, line stored), the Enter checks of the text fields and
// the selectors, with the control the focus ends on and the texts each leaves.
#include "rules/entryrules.h"
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
    void enterInSelector_data();
    void enterInSelector();
    void indexOfTrimmed_data();
    void indexOfTrimmed();
    void counterFitPattern_data();
    void counterFitPattern();

private:
    ReferenceTables m_tables;
};

static const QString kBar1 = u"ไม่สามารถรับเครื่องหมาย | ได้"_s;
static const QString kSemi1 = u"ไม่สามารถรับเครื่องหมาย ; ได้"_s;
static constexpr int kAdd = -2;  // stored: the window gives the focus to the add button

// The designer name of the control, as the window names it.
static QString nameOf(Control c)
{
    if (fieldOf(c) >= 0)
        return u"Text1_%1"_s.arg(fieldOf(c));
    if (selectorOf(c) >= 0)
        return u"Combo1_%1"_s.arg(selectorOf(c));
    return c == Control::SaveButton ? u"Cmdsave"_s : QString();
}

// Where the focus ends: where the action puts it, else where it moved on Enter, else it
// stays in the control Enter was pressed in.
static QString focusAfter(const RuleOutcome &o, const RuleAction &a, Control self)
{
    if (a.focus != Control::None)
        return nameOf(a.focus);
    return nameOf(o.advance != Control::None ? o.advance : self);
}

static QString shownText(const RuleOutcome &o) { return o.question.isEmpty() ? o.message : o.question; }

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

    auto rec = [](QString type, QString postcode, QString name, QString addr, QString dep, QString depAddr,
                  QString amount) { return QStringList{type, postcode, name, addr, dep, depAddr, amount}; };
    const QStringList good = rec(u"101"_s, u"10100"_s, u"นาย ก"_s, u"1 ถนน"_s, u"บริษัท"_s, u"2 ถนน"_s, u"500"_s);
    auto with = [&](int i, const QString &v) {
        QStringList r = good;
        r[i] = v;
        return r;
    };
    const QString lengthMsg = u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก  "_s;
    const QString confirm = u"ไม่มี รหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s;
    const QString range = u"เงินเกิน 50000  หรือ เงินน้อยกว่าเท่ากับ 0 บาท"_s;

    QTest::newRow("all good") << good << false << QString() << kAdd << -1
                              << u"101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("no type") << with(0, u" "_s) << false << u"ยังไม่ได้ไส่รหัสธนาณัติ"_s << 10 << 10 << QString();
    QTest::newRow("unknown type") << with(0, u"99"_s) << false << u"ไม่มี ธนาณัติประเภทนี้"_s << 10 << 10 << QString();
    QTest::newRow("no postcode") << with(1, QString()) << false << u"ยังไม่ได้ใส่ รหัสไปรษณีย์ปลายทาง"_s << 12 << 12
                                 << QString();
    QTest::newRow("postcode letters") << with(1, u"10a10"_s) << false << u"รหัสไม่ใช่ตัวเลข  "_s << 12 << 12 << QString();
    QTest::newRow("postcode short") << with(1, u"1011"_s) << false << lengthMsg << 12 << 12 << QString();
    QTest::newRow("postcode unknown, no") << with(1, u"99999"_s) << false << confirm << 12 << 12 << QString();
    QTest::newRow("postcode unknown, yes")
        << with(1, u"99999"_s) << true << confirm << kAdd << -1 << u"101|99999|นาย ก|บริษัท|500||1 ถนน|2 ถนน|"_s;
    QTest::newRow("type 112 with postcode")
        << with(0, u"112"_s) << false << u"ไม่ต้องระบุ ปณ. ปลายทาง"_s << 2 << 12 << u"112||นาย ก|บริษัท|500||1 ถนน|2 ถนน|"_s;
    QTest::newRow("recipient blank") << with(2, u" "_s) << false << u"ยังไม่ได้พิมพ์ชื่อผู้รับ"_s << 2 << -1 << QString();
    QTest::newRow("recipient bar") << with(2, u"ก|ข"_s) << false << kBar1 << 2 << 2 << QString();
    QTest::newRow("recipient semicolon") << with(2, u"ก;ข"_s) << false << kSemi1 << 2 << 2 << QString();
    QTest::newRow("recipient emoji") << with(2, u"ก😀"_s) << false << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s << 2 << -1
                                     << QString();
    QTest::newRow("address blank") << with(3, QString()) << false << u"ยังไม่ได้พิมพ์ที่อยู่ผู้รับ"_s << 6 << -1 << QString();
    QTest::newRow("address semicolon") << with(3, u"1;2"_s) << false << kSemi1 << 6 << -1 << QString();
    QTest::newRow("depositor blank") << with(4, u"  "_s) << false << u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s << 3 << 3 << QString();
    QTest::newRow("depositor bar") << with(4, u"ก|"_s) << false << kBar1 << 3 << -1 << QString();
    QTest::newRow("depositor address blank")
        << with(5, QString()) << false << u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s << 7 << 7 << QString();
    QTest::newRow("depositor address bar") << with(5, u"ก|"_s) << false << kBar1 << 7 << 7 << QString();
    QTest::newRow("depositor address chinese")
        << with(5, u"中"_s) << false << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 中"_s << 7 << -1 << QString();
    QTest::newRow("amount letters") << with(6, u"abc"_s) << false << u"ไม่ได้ใส่ตัวเลข "_s << 4 << 4 << QString();
    QTest::newRow("amount over maximum") << with(6, u"50000.01"_s) << false << range << 4 << 4 << QString();
    QTest::newRow("amount zero") << with(6, u"0"_s) << false << range << 4 << 4 << QString();
    QTest::newRow("amount grouped, kept as typed") << with(6, u" 1,250.50"_s) << false << QString() << kAdd << -1
                                                   << u"101|10100|นาย ก|บริษัท| 1,250.50|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("type stored trimmed") << with(0, u" 101 "_s) << false << QString() << kAdd << -1
                                         << u"101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
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
        shown << shownText(o);
    QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(v.stored, !stored.isEmpty());
    QCOMPARE(v.line, stored);
    if (v.outcomes.isEmpty())
        return;
    const RuleOutcome &o = v.outcomes.last();
    const RuleAction &a = (!o.question.isEmpty() && yes) ? o.onYes : o.action;
    if (focus != kAdd)
        QCOMPARE(int(a.focus), focus);
    QList<int> cleared;
    for (Control c : a.cleared)
        cleared << int(c);
    QCOMPARE(cleared, emptied < 0 ? QList<int>() : QList<int>{emptied});
}

void EntryRules::enterInField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("depositorFilled");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("after");

    const QString name = u"นายสมชาย ใจดี"_s;
    QTest::newRow("recipient blank") << 2 << u"   "_s << u"101"_s << true << u"ไม่ได้พิมพ์ชื่อผู้รับเงิน"_s << u"Text1_2"_s
                                     << QString();
    QTest::newRow("recipient bar") << 2 << u"ก|ข"_s << u"101"_s << true << u"ไม่สามารถรับเครื่องหมาย |  ได้"_s
                                   << u"Text1_2"_s << u"ก|ข"_s;
    QTest::newRow("recipient semicolon") << 2 << u"ก;ข"_s << u"101"_s << true << u"ไม่สามารถรับเครื่องหมาย  ; ได้"_s
                                         << u"Text1_2"_s << u"ก;ข"_s;
    QTest::newRow("recipient ok") << 2 << name << u"101"_s << true << QString() << u"Text1_6"_s << name;
    QTest::newRow("recipient emoji") << 2 << u"นาย😀"_s << u"101"_s << true << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s
                                     << u"Text1_2"_s << u"นาย😀"_s;
    QTest::newRow("address blank") << 6 << QString() << u"101"_s << true << u"ไม่ได้พิมพ์ที่อยู่ผู้รับเงิน"_s << u"Text1_6"_s
                                   << QString();
    QTest::newRow("address bar") << 6 << u"1|2"_s << u"101"_s << true << kBar1 << u"Text1_3"_s << u"1|2"_s;
    QTest::newRow("address semicolon") << 6 << u"1;2"_s << u"101"_s << true << kSemi1 << u"Text1_3"_s << u"1;2"_s;
    QTest::newRow("address skips carried depositor")
        << 6 << u"12 หมู่ 3"_s << u"101"_s << true << QString() << u"Text1_4"_s << u"12 หมู่ 3"_s;
    QTest::newRow("address without depositor")
        << 6 << u"12 หมู่ 3"_s << u"101"_s << false << QString() << u"Text1_3"_s << u"12 หมู่ 3"_s;
    QTest::newRow("depositor name blank")
        << 3 << u"  "_s << u"101"_s << true << u"ไม่ได้พิมพ์ชื่อผู้ฝากเงิน"_s << u"Text1_3"_s << u"  "_s;
    QTest::newRow("depositor name bar") << 3 << u"ก|"_s << u"101"_s << true << u"ไม่สามารถรับเครื่องหมาย |  ได้"_s
                                        << u"Text1_7"_s << u"ก|"_s;
    QTest::newRow("depositor name semicolon")
        << 3 << u"ก;"_s << u"101"_s << true << u"ไม่สามารถรับเครื่องหมาย ;  ได้"_s << u"Text1_7"_s << u"ก;"_s;
    QTest::newRow("depositor address blank")
        << 7 << QString() << u"101"_s << true << u"ไม่ได้พิมพ์ที่อยู่ผู้ฝากเงิน"_s << u"Text1_7"_s << QString();
    QTest::newRow("depositor address bar") << 7 << u"ก|"_s << u"101"_s << true << kBar1 << u"Text1_4"_s << u"ก|"_s;
    QTest::newRow("depositor address chinese")
        << 7 << u"ถนน中"_s << u"101"_s << true << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 中"_s << u"Text1_7"_s << u"ถนน中"_s;
    QTest::newRow("amount letters") << 4 << u"abc"_s << u"101"_s << true << u"ไม่ใช่ตัวเลข "_s << u"Text1_4"_s
                                    << QString();
    QTest::newRow("amount at maximum") << 4 << u"50000"_s << u"101"_s << true << QString() << u"Cmdsave"_s
                                       << u"50000"_s;
    QTest::newRow("amount over maximum") << 4 << u"50000.01"_s << u"101"_s << true
                                         << u"เงินเกิน 50000  หรือ เงินน้อยกว่าเท่ากับ 0 บาท"_s << u"Text1_4"_s << QString();
    QTest::newRow("amount at minimum") << 4 << u"0"_s << u"101"_s << true << u"เงินเกิน 50000  หรือ เงินน้อยกว่าเท่ากับ 0 บาท"_s
                                       << u"Text1_4"_s << QString();
    QTest::newRow("amount at other minimum")
        << 4 << u"100"_s << u"115"_s << true << u"เงินเกิน 200000  หรือ เงินน้อยกว่าเท่ากับ 100 บาท"_s << u"Text1_4"_s
        << QString();
    QTest::newRow("amount grouped") << 4 << u"1,250.50"_s << u"101"_s << true << QString() << u"Cmdsave"_s
                                    << u"1,250.50"_s;
    QTest::newRow("amount, no type") << 4 << u"100"_s << u" "_s << true << u"รหัสธนาณัติ ไม่ได้พิมพ์"_s << u"Combo1_0"_s
                                     << u"100"_s;
    QTest::newRow("no amount") << 4 << u" "_s << u"101"_s << true << u"จำนวนเงินยังไม่พิมพ์"_s << u"Text1_4"_s << QString();
    QTest::newRow("neither") << 4 << QString() << QString() << true << u"รหัสธนาณัติ ไม่ได้พิมพ์"_s << u"Combo1_0"_s
                             << QString();
}

// The draft as the window holds it after the depositor dialog: the default depositor in
// fields 3 and 7 (unless emptied), the type in its selector, the field typed.
void EntryRules::enterInField()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, type);
    QFETCH(bool, depositorFilled);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, after);

    KeyedOrder keyed;
    keyed.type = type;
    if (depositorFilled) {
        keyed.depositor = u"บริษัท ตัวอย่าง จำกัด"_s;
        keyed.depositorAddress = u"1 ถนนสีลม กรุงเทพฯ"_s;
    }
    EntryDraft d = draftFromKeyed(keyed, m_tables);
    d.record[field] = text;
    const auto k = Field(field);
    const RuleOutcome o = k == Amount ? enterInAmountRule(d, m_tables) : enterInFieldRule(k, d);

    QCOMPARE(o.message, message);
    QVERIFY(o.question.isEmpty());
    QCOMPARE(focusAfter(o, o.action, textField(k)), focus);
    QCOMPARE(o.action.cleared.contains(textField(k)) ? QString() : text, after);
}

void EntryRules::enterInSelector_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("postcode");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typeAfter");
    QTest::addColumn<QString>("postcodeAfter");

    const QString lengthMsg = u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก   "_s;
    QTest::newRow("type known") << 0 << u" 101 "_s << u"10100"_s << false << QString() << u"Combo1_2"_s << u" 101 "_s
                                << u"10100"_s;
    QTest::newRow("type 112 empties postcode")
        << 0 << u"112"_s << u"10100"_s << false << QString() << u"Text1_2"_s << u"112"_s << QString();
    QTest::newRow("type prefix unknown") << 0 << u"10"_s << QString() << false << u"ไม่มีรหัสธนาณัติประเภทนี้"_s
                                         << u"Combo1_0"_s << QString() << QString();
    QTest::newRow("type name selector, unknown code")
        << 1 << u"999"_s << QString() << false << u"ไม่มีรหัสธนาณัติประเภทนี้"_s << u"Combo1_0"_s << QString() << QString();
    QTest::newRow("postcode, no type") << 2 << u"  "_s << u"10100"_s << false << u"ยังไม่ได้ไส่รหัสธนาณัติ"_s << u"Combo1_0"_s
                                       << QString() << QString();
    QTest::newRow("postcode, unknown type")
        << 2 << u"999"_s << u"10100"_s << false << u"ไม่มี ธนาณัติประเภทนี้"_s << u"Combo1_0"_s << QString() << QString();
    QTest::newRow("postcode empty") << 2 << u"101"_s << QString() << false << u"ยังไม่ได้ใส่ รหัสไปรษณีย์ปลายทาง"_s
                                    << u"Combo1_2"_s << u"101"_s << QString();
    QTest::newRow("postcode letters") << 2 << u"101"_s << u"12a45"_s << false << u"รหัสไม่ใช่ตัวเลข  "_s << u"Combo1_2"_s
                                      << u"101"_s << QString();
    QTest::newRow("postcode four digits")
        << 2 << u"101"_s << u"1234"_s << false << lengthMsg << u"Combo1_2"_s << u"101"_s << QString();
    QTest::newRow("postcode blanks only")
        << 2 << u"101"_s << u"   "_s << false << lengthMsg << u"Combo1_2"_s << u"101"_s << QString();
    QTest::newRow("postcode in table") << 2 << u"101"_s << u"10100"_s << false << QString() << u"Text1_2"_s << u"101"_s
                                       << u"10100"_s;
    QTest::newRow("postcode unknown, yes")
        << 2 << u"101"_s << u"99999"_s << true << u"ไม่มีรหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s << u"Combo1_2"_s
        << u"101"_s << u"99999"_s;
    QTest::newRow("postcode unknown, no")
        << 2 << u"101"_s << u"99999"_s << false << u"ไม่มีรหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s << u"Combo1_2"_s
        << u"101"_s << QString();
    QTest::newRow("postcode with type 112")
        << 2 << u"112"_s << u"10100"_s << false << u"ไม่ต้องระบุ ปณ. ปลายทาง"_s << u"Text1_2"_s << u"112"_s << QString();
    QTest::newRow("no postcode with type 112")
        << 2 << u"112"_s << QString() << false << QString() << u"Combo1_2"_s << u"112"_s << QString();
    QTest::newRow("office name empty") << 3 << u"101"_s << QString() << false << u"ยังไม่ได้พิมพ์ชื่อไปรษณีย์"_s << u"Combo1_3"_s
                                       << u"101"_s << QString();
    QTest::newRow("office name given") << 3 << u"101"_s << u"10110"_s << false << QString() << u"Text1_2"_s << u"101"_s
                                       << u"10110"_s;
}

// The selectors as typed: the office name the table gives the postcode, the hidden fields
// mirroring them.
void EntryRules::enterInSelector()
{
    QFETCH(int, selector);
    QFETCH(QString, type);
    QFETCH(QString, postcode);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, typeAfter);
    QFETCH(QString, postcodeAfter);

    KeyedOrder keyed;
    keyed.type = type;
    keyed.postcode = postcode;
    const auto k = Selector(selector);
    const RuleOutcome o = enterInSelectorRule(k, draftFromKeyed(keyed, m_tables), m_tables);
    const RuleAction &a = (!o.question.isEmpty() && yes) ? o.onYes : o.action;

    QCOMPARE(shownText(o), message);
    QCOMPARE(focusAfter(o, a, selectorControl(k)), focus);
    QCOMPARE(a.cleared.contains(Control::TypeSelector) ? QString() : type, typeAfter);
    QCOMPARE(a.cleared.contains(Control::PostcodeSelector) ? QString() : postcode, postcodeAfter);
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

// The record counter is fitted to at least "9999 / 9999"; a larger batch must not be clipped.
void EntryRules::counterFitPattern_data()
{
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("empty batch") << u"0/0"_s << u"9999 / 9999"_s;
    QTest::newRow("small") << u"3 / 12"_s << u"9999 / 9999"_s;
    QTest::newRow("as wide as the least") << u"1234 / 5678"_s << u"9999 / 9999"_s;
    QTest::newRow("a hundred thousand, as wide") << u"12 / 100000"_s << u"9999 / 9999"_s;
    QTest::newRow("a hundred thousand") << u"123 / 100000"_s << u"999 / 999999"_s;
    QTest::newRow("last of a hundred thousand") << u"100000 / 100000"_s << u"999999 / 999999"_s;
    QTest::newRow("after opening") << u"1/100000"_s << u"9999 / 9999"_s;
}

void EntryRules::counterFitPattern()
{
    QFETCH(QString, counter);
    QFETCH(QString, pattern);
    QCOMPARE(vorlane::CounterFitPattern(counter), pattern);
}

QTEST_GUILESS_MAIN(EntryRules)
#include "test_entryrules.moc"
