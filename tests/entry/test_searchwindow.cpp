#include "rules/search.h"
#include "entry/searchwindow.h"
#include "entryfixture.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {
const QString kNotFound = u"กรุณาใส่ชื่อปณ. หรือไม่พบ ปณ.ที่ป้อน"_s;
}  // namespace

class TestSearchWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensEmpty();
    void typing_data();
    void typing();
    void okWithoutResult_data();
    void okWithoutResult();
    void enter();
    void okHandsTheOfficeOver();
    void okKeepsANamedOffice();
    void cancelOnEmptyBatch();
    void cancelReturnsToTheRecordShown();
};

void TestSearchWindow::opensEmpty()
{
    Program p;
    p.start();
    ui(p.main).Command1[6]->click();
    SearchWindow *s = p.main->searchWindow();
    QVERIFY(s && s->isVisible());
    QCOMPARE(s->windowTitle(), u"ค้นหาชื่อ/รหัสไปรษณีย์"_s);
    QCOMPARE(ui(s).Label1->text(), u"ค้นหาชื่อไปรษณีย์/รหัสไปรษณีย์"_s);
    QCOMPARE(ui(s).Command1_2->text(), u"ตกลง"_s);
    QCOMPARE(ui(s).Command1_3->text(), u"ยกเลิก"_s);
    QVERIFY(!p.entry()->isVisible());
    QVERIFY(!ui(p.main).Command1[6]->isVisible());
    ui(s).Txtsearch[0]->setText(u"10"_s);
    ui(s).Command1_3->click();
    // Each opening starts afresh.
    ui(p.main).Command1[6]->click();
    QVERIFY(p.main->searchWindow() != nullptr);
    QCOMPARE(ui(p.main->searchWindow()).Txtsearch[0]->text(), QString());
    QCOMPARE(ui(p.main->searchWindow()).Txtsearch[1]->text(), QString());
    QCOMPARE(p.main->searchWindow()->foundIndex(), -1);
}

void TestSearchWindow::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("found");
    QTest::newRow("postcode prefix") << u"10"_s << u"10100  ป้อมปราบศัตรูพ่าย"_s << 0;
    QTest::newRow("whole postcode") << u"10110"_s << u"10110  คลองเตย"_s << 1;
    QTest::newRow("name prefix") << u"คลองเต"_s << u"คลองเตย  10110"_s << 1;
    QTest::newRow("letters inside a name") << u"ลองเตย"_s << QString() << -1;
    QTest::newRow("unknown postcode") << u"00"_s << QString() << -1;
}

void TestSearchWindow::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(int, found);
    Program p;
    p.start();
    p.main->openSearch();
    SearchWindow *s = p.main->searchWindow();
    ui(s).Txtsearch[0]->setFocus();
    typeText(ui(s).Txtsearch[0], typed);
    QCOMPARE(ui(s).Txtsearch[0]->text(), typed);
    QCOMPARE(ui(s).Txtsearch[1]->text(), result);
    QCOMPARE(s->foundIndex(), found);
}

void TestSearchWindow::okWithoutResult_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("nothing typed") << QString();
    QTest::newRow("text deleted again") << u"10"_s;
    QTest::newRow("no such office") << u"99999"_s;
}

void TestSearchWindow::okWithoutResult()
{
    QFETCH(QString, typed);
    Program p;
    p.start();
    p.main->openSearch();
    SearchWindow *s = p.main->searchWindow();
    ui(s).Txtsearch[0]->setText(typed);
    if (typed == u"10"_s) {
        QCOMPARE(s->foundIndex(), 0);
        ui(s).Txtsearch[0]->clear();
        QCOMPARE(ui(s).Txtsearch[1]->text(), QString());
    }
    ui(s).Command1_2->click();
    QCOMPARE(p.prompter.texts(), QStringList{kNotFound});
    QCOMPARE(ui(s).Txtsearch[0]->text(), QString());
    QVERIFY(s->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), ui(s).Txtsearch[0]);
}

void TestSearchWindow::enter()
{
    Program p;
    p.start();
    p.main->openSearch();
    SearchWindow *s = p.main->searchWindow();
    QTRY_COMPARE(QApplication::focusWidget(), ui(s).Txtsearch[0]);
    QTest::keyClicks(ui(s).Txtsearch[0], u"  "_s);
    pressEnter(ui(s).Txtsearch[0]);
    QCOMPARE(p.prompter.texts(), QStringList{u"ยังไม่ป้อนข้อมูลเพื่อค้นหา"_s});
    QCOMPARE(ui(s).Txtsearch[0]->text(), QString());
    QCOMPARE(QApplication::focusWidget(), ui(s).Txtsearch[0]);
    QTest::keyClicks(ui(s).Txtsearch[0], u"101"_s);
    pressEnter(ui(s).Txtsearch[0]);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui(s).Command1_2));
    // A second Enter presses OK.
    pressEnter(ui(s).Command1_2);
    QVERIFY(p.main->searchWindow() == nullptr);
    QCOMPARE(ui(p.entry()).Combo1[2]->currentText(), u"10100"_s);
}

void TestSearchWindow::okHandsTheOfficeOver()
{
    Program p;
    p.start();
    ui(p.entry()).Text1[2]->setText(u"กำลังป้อน"_s);
    p.main->openSearch();
    SearchWindow *s = p.main->searchWindow();
    ui(s).Txtsearch[0]->setText(u"คลองเตย"_s);
    ui(s).Command1_2->click();
    EntryWindow *e = p.entry();
    QCOMPARE(ui(e).Combo1[2]->currentText(), u"10110"_s);
    QCOMPARE(ui(e).Combo1[3]->currentText(), u"คลองเตย"_s);
    QCOMPARE(e->field(1), u"10110"_s);
    QCOMPARE(e->field(5), u"คลองเตย"_s);
    // The record being keyed goes on.
    QCOMPARE(e->field(2), u"กำลังป้อน"_s);
    QVERIFY(p.st().IsAdding());
    QVERIFY(e->isVisible());
    QVERIFY(ui(p.main).Command1[6]->isVisible());
    QVERIFY(p.main->searchWindow() == nullptr);
    QVERIFY(p.prompter.shown.isEmpty());
}

void TestSearchWindow::okKeepsANamedOffice()
{
    Program p;
    p.start();
    ui(p.entry()).Combo1[2]->setEditText(u"10100"_s);
    const QString name = ui(p.entry()).Combo1[3]->currentText();
    QVERIFY(!name.isEmpty());
    p.main->openSearch();
    ui(p.main->searchWindow()).Txtsearch[0]->setText(u"10110"_s);
    ui(p.main->searchWindow()).Command1_2->click();
    QCOMPARE(ui(p.entry()).Combo1[2]->currentText(), u"10100"_s);
    QCOMPARE(ui(p.entry()).Combo1[3]->currentText(), name);
    QVERIFY(p.entry()->isVisible());
}

void TestSearchWindow::cancelOnEmptyBatch()
{
    Program p;
    p.start(u"ผู้ฝาก ก"_s, u"ที่อยู่ ก"_s);
    p.entry()->setField(0, u"103"_s);
    p.entry()->setField(3, u"x"_s);
    p.main->openSearch();
    ui(p.main->searchWindow()).Command1_3->click();
    QCOMPARE(p.entry()->field(0), u"101"_s);
    QCOMPARE(p.entry()->field(3), u"ผู้ฝาก ก"_s);
    QCOMPARE(p.entry()->field(7), u"ที่อยู่ ก"_s);
    QCOMPARE(p.entry()->counterText(), u"0/0"_s);
    QVERIFY(p.entry()->isVisible());
    QVERIFY(ui(p.main).Command1[6]->isVisible());
}

void TestSearchWindow::cancelReturnsToTheRecordShown()
{
    Program p;
    p.start();
    for (const QString &n : {u"ก"_s, u"ข"_s, u"ค"_s})
        p.addRecord(n);
    p.entry()->Navigate(EntryWindow::Move::First);
    p.entry()->Navigate(EntryWindow::Move::Forward);
    p.entry()->InsertAction();
    ui(p.main).Command1[6]->click();
    QCOMPARE(p.st().ResumeIndex(), 1);
    ui(p.main->searchWindow()).Txtsearch[0]->setText(u"10"_s);
    ui(p.main->searchWindow()).Command1_3->click();
    QCOMPARE(p.st().CurrentIndex(), 1);
    QCOMPARE(p.entry()->field(2), u"ข"_s);
    QCOMPARE(p.entry()->counterText(), u"2 / 3"_s);
    QVERIFY(!p.st().IsInserting());
    QVERIFY(p.session.batch.LstMO3().isEmpty());
    // Saving now corrects record 2; nothing is appended or inserted.
    ui(p.entry()).Text1[4]->setText(u"999"_s);
    p.entry()->SaveAction();
    QCOMPARE(recipients(p.session), (QStringList{u"ก"_s, u"ข"_s, u"ค"_s}));
    QCOMPARE(p.lines().at(1).section(u'|', 4, 4), u"999"_s);
}

QTEST_MAIN(TestSearchWindow)
#include "test_searchwindow.moc"
