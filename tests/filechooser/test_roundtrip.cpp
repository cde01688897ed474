// A whole round as a user does it: key, save, new, open, review, correct, save again.
#include "chooserfixture.h"
#include "review/reviewwindow.h"
#include "controls.h"

#include <QListView>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class TestRoundTrip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keySaveNewOpenReviewCorrectSave();
};

void TestRoundTrip::keySaveNewOpenReviewCorrectSave()
{
    ChooserProgram p;
    p.start();
    p.addRecord(u"นายหนึ่ง"_s, u"500"_s, u"10100"_s);
    p.addRecord(u"นางสอง"_s, u"1,250.50"_s, u"10110"_s);
    p.addRecord(u"นางสาวสาม"_s, u"75"_s, u"10100"_s);
    const QString dep = u"|บริษัท ตัวอย่าง จำกัด|"_s;
    const QString depAddr = u"|99 หมู่ 1|1 ถนนสีลม กรุงเทพฯ|"_s;
    QStringList expected{
        u"101|10100|นายหนึ่ง"_s + dep + u"500|ป้อมปราบศัตรูพ่าย"_s + depAddr,
        u"101|10110|นางสอง"_s + dep + u"1,250.50|คลองเตย"_s + depAddr,
        u"101|10100|นางสาวสาม"_s + dep + u"75|ป้อมปราบศัตรูพ่าย"_s + depAddr,
    };
    QCOMPARE(p.lines(), expected);

    // Save: an unnamed batch goes through the chooser.
    ui(p.main).Command1[3]->click();
    QVERIFY(p.chooser()->isVisible());
    p.chooser()->setDirectory(p.files.path());
    ui(p.chooser()).Text1->selectAll();
    QTest::keyClicks(ui(p.chooser()).Text1, u"round"_s);
    pressEnter(ui(p.chooser()).Text1);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui(p.chooser()).Comopen));
    pressEnter(ui(p.chooser()).Comopen);
    const QString file = p.filePath(u"round.txt"_s);
    QCOMPARE(readBytes(file), expectedBytes(expected));
    QVERIFY(p.st().IsSaved());

    // New: saved, so no question.
    p.prompter.clear();
    ui(p.main).Command1[1]->click();
    QVERIFY(p.prompter.shown.isEmpty());
    QVERIFY(p.lines().isEmpty());

    // Open it again.
    ui(p.main).Command1[2]->click();
    p.chooser()->setDirectory(p.files.path());
    QTest::keyClicks(ui(p.chooser()).Text1, u"round.txt"_s);
    ui(p.chooser()).Comopen->click();
    QCOMPARE(p.lines(), expected);
    QCOMPARE(p.entry()->counterText(), u"1 / 3"_s);

    // Review, pick the second order, correct its amount in the entry window.
    ui(p.main).Command1[5]->click();
    ReviewWindow *r = p.main->reviewWindow();
    const QModelIndex second = ui(r).List1->model()->index(1, 0);
    QTest::mouseClick(ui(r).List1->viewport(), Qt::LeftButton, {}, ui(r).List1->visualRect(second).center());
    ui(r).Command1->click();
    QCOMPARE(p.entry()->counterText(), u"2 / 3"_s);
    QLineEdit *amount = ui(p.entry()).Text1[4];
    amount->selectAll();
    QTest::keyClicks(amount, u"1300"_s);
    p.entry()->SaveAction();
    QVERIFY(!p.st().IsSaved());
    expected[1] = u"101|10110|นางสอง"_s + dep + u"1300|คลองเตย"_s + depAddr;
    QCOMPARE(p.lines(), expected);

    // Save again under the same name.
    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::No);
    ui(p.main).Command1[3]->click();
    QCOMPARE(p.prompter.texts().last(), QDir::toNativeSeparators(file) + u"   บันทึกแล้ว"_s);
    QCOMPARE(readBytes(file), expectedBytes(expected));
    QVERIFY(p.st().IsSaved());

    // Closing asks nothing now.
    p.prompter.clear();
    ui(p.main).Command1[7]->click();
    QVERIFY(p.prompter.shown.isEmpty());
    QVERIFY(p.main->isStartState());
}

QTEST_MAIN(TestRoundTrip)
#include "test_roundtrip.moc"
