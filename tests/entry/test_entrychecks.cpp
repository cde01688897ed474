// What the entry window applies of its checks (each check's own cases run without a window
// in test_entryrules): the focus moving on and coming back, fields and selectors emptied
// with their mirrored fields, questions answered, a stored record and nothing else changed.
#include "entryfixture.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class EntryChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterInField_data();
    void enterInField();
    void enterInSelector_data();
    void enterInSelector();
    void saveChecks_data();
    void saveChecks();
    void secondEnterSaves();
    void duplicateAskedOnce();
    void typedPostcodeShowsOfficeName();
};

static const QString kBar1 = u"ไม่สามารถรับเครื่องหมาย | ได้"_s;

void EntryChecks::enterInField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("depositorFilled");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("after");

    QTest::newRow("recipient blank") << 2 << u"   "_s << u"101"_s << true << u"ไม่ได้พิมพ์ชื่อผู้รับเงิน"_s << u"Text1_2"_s
                                     << QString();
    QTest::newRow("recipient bar") << 2 << u"ก|ข"_s << u"101"_s << true << u"ไม่สามารถรับเครื่องหมาย |  ได้"_s
                                   << u"Text1_2"_s << u"ก|ข"_s;
    QTest::newRow("address bar") << 6 << u"1|2"_s << u"101"_s << true << kBar1 << u"Text1_3"_s << u"1|2"_s;
    QTest::newRow("address skips carried depositor")
        << 6 << u"12 หมู่ 3"_s << u"101"_s << true << QString() << u"Text1_4"_s << u"12 หมู่ 3"_s;
    QTest::newRow("amount at maximum") << 4 << u"50000"_s << u"101"_s << true << QString() << u"Cmdsave"_s
                                       << u"50000"_s;
    QTest::newRow("amount, no type") << 4 << u"100"_s << u" "_s << true << u"รหัสธนาณัติ ไม่ได้พิมพ์"_s << u"Combo1_0"_s
                                     << u"100"_s;
}

void EntryChecks::enterInField()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, type);
    QFETCH(bool, depositorFilled);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, after);

    Program p;
    EntryWindow *e = p.start();
    ui(e).Combo1[TypeCodeBox]->setEditText(type);
    if (!depositorFilled) {
        ui(e).Text1[DepositorName]->clear();
        ui(e).Text1[DepositorAddress]->clear();
    }
    ui(e).Text1[field]->setText(text);
    ui(e).Text1[field]->setFocus();
    pressEnter(ui(e).Text1[field]);

    QCOMPARE(p.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(p.focus());
    QCOMPARE(p.focus()->objectName(), focus);
    QCOMPARE(ui(e).Text1[field]->text(), after);
    QVERIFY(p.session.batch.lines().isEmpty());
}

void EntryChecks::enterInSelector_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("postcode");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typeAfter");
    QTest::addColumn<QString>("postcodeAfter");

    QTest::newRow("type 112 empties postcode")
        << 0 << u"112"_s << u"10100"_s << false << QString() << u"Text1_2"_s << u"112"_s << QString();
    QTest::newRow("postcode, no type") << 2 << u"  "_s << u"10100"_s << false << u"ยังไม่ได้ไส่รหัสธนาณัติ"_s << u"Combo1_0"_s
                                       << QString() << QString();
    QTest::newRow("postcode in table") << 2 << u"101"_s << u"10100"_s << false << QString() << u"Text1_2"_s << u"101"_s
                                       << u"10100"_s;
    QTest::newRow("postcode unknown, yes")
        << 2 << u"101"_s << u"99999"_s << true << u"ไม่มีรหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s << u"Combo1_2"_s
        << u"101"_s << u"99999"_s;
    QTest::newRow("postcode unknown, no")
        << 2 << u"101"_s << u"99999"_s << false << u"ไม่มีรหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s << u"Combo1_2"_s
        << u"101"_s << QString();
    QTest::newRow("office name empty") << 3 << u"101"_s << QString() << false << u"ยังไม่ได้พิมพ์ชื่อไปรษณีย์"_s << u"Combo1_3"_s
                                       << u"101"_s << QString();
}

void EntryChecks::enterInSelector()
{
    QFETCH(int, selector);
    QFETCH(QString, type);
    QFETCH(QString, postcode);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, typeAfter);
    QFETCH(QString, postcodeAfter);

    Program p;
    EntryWindow *e = p.start();
    ui(e).Combo1[TypeCodeBox]->setEditText(type);
    ui(e).Combo1[PostcodeBox]->setEditText(postcode);
    p.prompter.answer(yes ? Prompter::Answer::Yes : Prompter::Answer::No);
    ui(e).Combo1[selector]->setFocus();
    pressEnter(ui(e).Combo1[selector]);

    QCOMPARE(p.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(p.focus());
    QCOMPARE(p.focus()->objectName(), focus);
    QCOMPARE(ui(e).Combo1[TypeCodeBox]->currentText(), typeAfter);
    QCOMPARE(ui(e).Combo1[PostcodeBox]->currentText(), postcodeAfter);
    // The hidden fields follow their selectors whatever the rule did.
    QCOMPARE(e->field(TypeCode), ui(e).Combo1[TypeCodeBox]->currentText());
    QCOMPARE(e->field(DestPostcode), ui(e).Combo1[PostcodeBox]->currentText());
    QCOMPARE(e->field(DestPostOfficeName), ui(e).Combo1[OfficeNameBox]->currentText());
    // Enter never adds what was typed to a list.
    QCOMPARE(ui(e).Combo1[PostcodeBox]->count(), p.session.tables.postOffices.codes.size());
}

void EntryChecks::saveChecks_data()
{
    QTest::addColumn<QStringList>("record");  // type, postcode, recipient, address, depositor, its address, amount
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
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
    const QString confirm = u"ไม่มี รหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s;

    QTest::newRow("all good") << good << false << QString() << u"Cmdadd"_s << -1
                              << u"101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("no type") << with(0, u" "_s) << false << u"ยังไม่ได้ไส่รหัสธนาณัติ"_s << u"Combo1_0"_s << 10 << QString();
    QTest::newRow("postcode unknown, no")
        << with(1, u"99999"_s) << false << confirm << u"Combo1_2"_s << 12 << QString();
    QTest::newRow("postcode unknown, yes")
        << with(1, u"99999"_s) << true << confirm << u"Cmdadd"_s << -1 << u"101|99999|นาย ก|บริษัท|500||1 ถนน|2 ถนน|"_s;
    QStringList t112 = with(0, u"112"_s);
    QTest::newRow("type 112 with postcode")
        << t112 << false << u"ไม่ต้องระบุ ปณ. ปลายทาง"_s << u"Cmdadd"_s << -1 << u"112||นาย ก|บริษัท|500||1 ถนน|2 ถนน|"_s;
    QTest::newRow("recipient bar") << with(2, u"ก|ข"_s) << false << kBar1 << u"Text1_2"_s << 2 << QString();
    QTest::newRow("amount grouped, kept as typed") << with(6, u" 1,250.50"_s) << false << QString() << u"Cmdadd"_s << -1
                                                   << u"101|10100|นาย ก|บริษัท| 1,250.50|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("type with a trailing blank stored trimmed")
        << with(0, u"101 "_s) << false << QString() << u"Cmdadd"_s << -1
        << u"101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน|2 ถนน|"_s;
    QTest::newRow("pasted line break stored as a blank")
        << with(3, u"1 ถนน\nแขวง"_s) << false << QString() << u"Cmdadd"_s << -1
        << u"101|10100|นาย ก|บริษัท|500|ป้อมปราบศัตรูพ่าย|1 ถนน แขวง|2 ถนน|"_s;
}

void EntryChecks::saveChecks()
{
    QFETCH(QStringList, record);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, emptied);
    QFETCH(QString, stored);

    Program p;
    EntryWindow *e = p.start();
    ui(e).Combo1[TypeCodeBox]->setEditText(record[0]);
    ui(e).Combo1[PostcodeBox]->setEditText(record[1]);
    ui(e).Text1[RecipientName]->setText(record[2]);
    ui(e).Text1[RecipientAddress]->setText(record[3]);
    ui(e).Text1[DepositorName]->setText(record[4]);
    ui(e).Text1[DepositorAddress]->setText(record[5]);
    ui(e).Text1[Amount]->setText(record[6]);
    QStringList was;
    for (int k = 0; k < 8; ++k)
        was << e->field(k);
    p.prompter.answer(yes ? Prompter::Answer::Yes : Prompter::Answer::No);
    ui(e).Cmdsave->click();

    QCOMPARE(p.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(p.focus());
    QCOMPARE(p.focus()->objectName(), focus);
    if (stored.isEmpty()) {
        QVERIFY(p.session.batch.lines().isEmpty());
        QVERIFY(p.st().IsAdding());
        QVERIFY(p.st().IsSaved());
        // Only the field the check names changes.
        for (int k = 0; k < 8; ++k) {
            const QString now = e->field(k);
            const bool named = emptied == k || (emptied == 10 && k == 0) || (emptied == 12 && (k == 1 || k == 5));
            if (named)
                QCOMPARE(now, QString());
            else
                QCOMPARE(now, was[k]);
        }
    } else {
        QCOMPARE(p.lines(), QStringList{stored});
        QCOMPARE(e->counterText(), u"1 / 1"_s);
        QVERIFY(!p.st().IsSaved());
        QVERIFY(!ui(e).Combo1[OfficeNameBox]->isEnabled());
    }
}

// The same recipient, postcode and amount keyed again is asked about once, No by default:
// No stores nothing and keeps the order on screen; Yes stores it, and saving it again as it
// stands asks nothing more.
void EntryChecks::duplicateAskedOnce()
{
    Program p;
    p.start();
    p.addRecord(u"นาย ก"_s, u"1,250.50"_s);
    p.addRecord(u"นาย ข"_s);
    const QString question = u"มีรายการที่ 1 ผู้รับ รหัสไปรษณีย์ และจำนวนเงินเดียวกันอยู่แล้ว\n"
                             "ต้องการบันทึกรายการนี้อีกหรือไม่"_s;
    p.prompter.clear();
    p.addRecord(u"นาย  ก "_s, u"1250.5"_s);  // the queue is empty: answered No
    QCOMPARE(p.prompter.texts(), QStringList{question});
    QCOMPARE(p.lines().size(), 2);
    QCOMPARE(p.entry()->field(RecipientName), u"นาย  ก "_s);
    QCOMPARE(p.focus()->objectName(), u"Text1_2"_s);

    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::Yes);
    p.entry()->SaveAction();
    QCOMPARE(p.prompter.texts(), QStringList{question});
    QCOMPARE(p.lines().size(), 3);
    p.prompter.clear();
    p.entry()->SaveAction();
    QCOMPARE(p.prompter.texts(), QStringList());
    QCOMPARE(p.lines().size(), 3);
}

// Enter on the amount leaves the focus on the save button; Enter there saves.
void EntryChecks::secondEnterSaves()
{
    Program p;
    EntryWindow *e = p.start();
    p.fill(u"101"_s, u"10100"_s, u"นาย ก"_s, u"500"_s);
    ui(e).Text1[Amount]->setFocus();
    pressEnter(ui(e).Text1[Amount]);
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Cmdsave));
    pressEnter(ui(e).Cmdsave);
    QCOMPARE(p.session.batch.lines().count(), 1);
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Cmdadd));
    QVERIFY(p.prompter.texts().isEmpty());
}

void EntryChecks::typedPostcodeShowsOfficeName()
{
    Program p;
    EntryWindow *e = p.start();
    ui(e).Combo1[PostcodeBox]->setFocus();
    QTest::keyClicks(ui(e).Combo1[PostcodeBox], u"1010"_s);
    QCOMPARE(ui(e).Combo1[OfficeNameBox]->currentText(), QString());
    QTest::keyClicks(ui(e).Combo1[PostcodeBox], u"0"_s);
    QCOMPARE(ui(e).Combo1[PostcodeBox]->currentText(), u"10100"_s);  // no completion changed what was typed
    QCOMPARE(ui(e).Combo1[OfficeNameBox]->currentText(), u"ป้อมปราบศัตรูพ่าย"_s);
    QCOMPARE(e->field(DestPostcode), u"10100"_s);
    QCOMPARE(e->field(DestPostOfficeName), u"ป้อมปราบศัตรูพ่าย"_s);
    QTest::keyClick(ui(e).Combo1[PostcodeBox], Qt::Key_Backspace);
    QTest::keyClicks(ui(e).Combo1[PostcodeBox], u"9"_s);
    QCOMPARE(ui(e).Combo1[OfficeNameBox]->currentText(), QString());
    QCOMPARE(e->field(DestPostOfficeName), QString());

    // Typing a type code: trimmed exact match only.
    ui(e).Combo1[TypeCodeBox]->setEditText(u" 101 "_s);
    QCOMPARE(ui(e).Combo1[TypeNameBox]->currentText(), u"ธนาณัติธรรมดา"_s);
    ui(e).Combo1[TypeCodeBox]->setEditText(u"10"_s);
    QCOMPARE(ui(e).Combo1[TypeNameBox]->currentIndex(), -1);
}

QTEST_MAIN(EntryChecks)
#include "test_entrychecks.moc"
