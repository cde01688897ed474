#include "../entry/entryfixture.h"
#include "records/fee.h"
#include "records/numbers.h"
#include "review/reviewwindow.h"
#include "controls.h"

#include <QListView>
#include <QPlainTextEdit>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {
const QString kNothingChosen = u"ยังไม่เลือกรายการแก้ไข หรือรายการไม่มี"_s;

void clickItem(ReviewWindow *r, int row)
{
    const QModelIndex item = ui(r).List1->model()->index(row, 0);
    ui(r).List1->scrollTo(item);
    QTest::mouseClick(ui(r).List1->viewport(), Qt::LeftButton, {}, ui(r).List1->visualRect(item).center());
}

void doubleClickAt(ReviewWindow *r, QPoint at)
{
    // A double-click arrives as press, release, double-click, release.
    QTest::mouseClick(ui(r).List1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(ui(r).List1->viewport(), Qt::LeftButton, {}, at);
}
}  // namespace

class TestReviewWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsEveryRecord();
    void openingAndClickForms();
    void editWithoutAClick();
    void editJumpsToTheChosenRecord();
    void doubleClickFifthOfTen();
    void doubleClickBesideTheItems();
    void cancelReturnsToTheRecordShown();
    void emptyBatch();
};

void TestReviewWindow::listsEveryRecord()
{
    Program p;
    p.start();
    p.addRecord(u"ก"_s, u"100"_s);
    p.addRecord(u"ข"_s, u"200"_s);
    p.addRecord(u"ค"_s, u"300"_s);
    ui(p.main).Command1[5]->click();
    ReviewWindow *r = p.main->reviewWindow();
    QVERIFY(r && r->isVisible());
    QVERIFY(!p.entry()->isVisible());
    QVERIFY(!ui(p.main).Command1[5]->isVisible());
    QCOMPARE(ui(r).List1->model()->rowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString item = ui(r).List1->model()->index(i, 0).data().toString();
        const QStringList fields = p.lines().at(i).split(u'|');
        QCOMPARE(item, fields.mid(0, 8).join(u'\t') + u'\t');
    }
    QVERIFY(ui(r).List1->selectionModel()->selectedIndexes().isEmpty());
    QVERIFY(!r->editSelected());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui(r).List1));
}

void TestReviewWindow::openingAndClickForms()
{
    Program p;
    p.start();
    p.addRecord(u"ก"_s, u"100"_s);
    p.addRecord(u"นาย ข"_s, u"2500"_s, u"10110"_s);
    p.addRecord(u"ค"_s, u"300"_s);
    p.entry()->Navigate(EntryWindow::Move::First);
    p.entry()->Navigate(EntryWindow::Move::Forward);
    QCOMPARE(p.st().CurrentIndex(), 1);
    p.main->openReview();
    ReviewWindow *r = p.main->reviewWindow();
    QCOMPARE(p.st().ResumeIndex(), 1);
    const QString opening = r->detailText();
    QVERIFY(opening.contains(u"ชื่อผู้รับ"_s + QString(31, u' ') + u"นาย ข\r\n"_s));
    QVERIFY(opening.contains(u"ชื่อผู้ฝากเงิน"_s + QString(22, u' ')));
    QVERIFY(opening.endsWith(u"    บาท\r\n"_s));
    const double fee = ComputeFee(p.session.tables.rates, u"101"_s, u"2500"_s);
    QVERIFY(fee > 0);
    const QString openingFee = opening.section(u"ค่าธรรมเนียม"_s + QString(20, u' '), 1).section(u' ', 0, 0);
    QCOMPARE(openingFee, formatGroupedNoLead(fee));

    clickItem(r, 1);
    QVERIFY(r->editSelected());
    const QString click = r->detailText();
    QVERIFY(click.contains(u"ชื่อผู้ฝากเงิน"_s + QString(21, u' ') + u"บริษัท"_s));
    QVERIFY(click.endsWith(u"   บาท"_s));
    QVERIFY(!click.endsWith(u"    บาท"_s));
    const QString clickFee = click.section(u"ค่าธรรมเนียม"_s + QString(20, u' '), 1).section(u' ', 0, 0);
    QCOMPARE(clickFee, formatPlain(fee));
    // The text box shows the same lines.
    QCOMPARE(ui(r).Text1->toPlainText(), QString(click).replace(u"\r\n"_s, u"\n"_s));
}

void TestReviewWindow::editWithoutAClick()
{
    Program p;
    p.start();
    p.addRecord(u"ก"_s);
    p.addRecord(u"ข"_s);
    p.main->openReview();
    ReviewWindow *r = p.main->reviewWindow();
    clickItem(r, 0);
    ui(r).Command2->click();
    p.main->openReview();
    QCOMPARE(p.main->reviewWindow(), r);  // kept between uses
    ui(r).Command1->click();
    QCOMPARE(p.prompter.texts(), QStringList{kNothingChosen});
    QVERIFY(r->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui(r).List1));
}

void TestReviewWindow::editJumpsToTheChosenRecord()
{
    Program p;
    p.start();
    for (const QString &n : {u"ก"_s, u"ข"_s, u"ค"_s, u"ง"_s})
        p.addRecord(n);
    p.entry()->Navigate(EntryWindow::Move::First);
    p.entry()->InsertAction();
    QVERIFY(p.st().IsInserting());
    p.main->openReview();
    ReviewWindow *r = p.main->reviewWindow();
    clickItem(r, 2);
    ui(r).Command1->click();
    QVERIFY(p.prompter.shown.isEmpty());
    QCOMPARE(p.st().CurrentIndex(), 2);
    QCOMPARE(p.entry()->counterText(), u"3 / 4"_s);
    QCOMPARE(p.entry()->field(2), u"ค"_s);
    QVERIFY(!r->editSelected());
    QVERIFY(!r->isVisible());
    QVERIFY(p.entry()->isVisible());
    QVERIFY(ui(p.main).Command1[5]->isVisible());
    // The insertion is given up and the record is edited in place.
    QVERIFY(!p.st().IsInserting());
    QVERIFY(p.session.batch.LstMO3().isEmpty());
    QVERIFY(!p.st().IsAdding());
    ui(p.entry()).Text1[4]->setText(u"777"_s);
    p.entry()->SaveAction();
    QCOMPARE(p.lines().size(), 4);
    QCOMPARE(p.lines().at(2).section(u'|', 4, 4), u"777"_s);
}

void TestReviewWindow::doubleClickFifthOfTen()
{
    Program p;
    p.start();
    for (int i = 0; i < 10; ++i)
        p.addRecord(u"ผู้รับ %1"_s.arg(i + 1));
    p.main->openReview();
    ReviewWindow *r = p.main->reviewWindow();
    const QModelIndex fifth = ui(r).List1->model()->index(4, 0);
    ui(r).List1->scrollTo(fifth);
    doubleClickAt(r, ui(r).List1->visualRect(fifth).center());
    QCOMPARE(p.entry()->counterText(), u"5 / 10"_s);
    QCOMPARE(p.st().CurrentIndex(), 4);
    QCOMPARE(p.entry()->field(2), u"ผู้รับ 5"_s);
    QVERIFY(!r->isVisible());
    QVERIFY(p.entry()->isVisible());
    QVERIFY(ui(p.main).Command1[7]->isVisible());
}

void TestReviewWindow::doubleClickBesideTheItems()
{
    Program p;
    p.start();
    p.addRecord(u"ก"_s);
    p.addRecord(u"ข"_s);
    p.main->openReview();
    ReviewWindow *r = p.main->reviewWindow();
    const QRect last = ui(r).List1->visualRect(ui(r).List1->model()->index(1, 0));
    const QPoint below(last.center().x(), last.bottom() + 3 * last.height());
    QVERIFY(ui(r).List1->viewport()->rect().contains(below));
    doubleClickAt(r, below);
    QVERIFY(r->isVisible());
    QVERIFY(!p.entry()->isVisible());
    QCOMPARE(p.st().CurrentIndex(), 1);
}

void TestReviewWindow::cancelReturnsToTheRecordShown()
{
    Program p;
    p.start();
    for (const QString &n : {u"ก"_s, u"ข"_s, u"ค"_s})
        p.addRecord(n);
    p.entry()->Navigate(EntryWindow::Move::First);
    p.entry()->Navigate(EntryWindow::Move::Forward);
    ui(p.main).Command1[5]->click();
    ReviewWindow *r = p.main->reviewWindow();
    clickItem(r, 0);
    ui(r).Command2->click();
    QCOMPARE(p.st().CurrentIndex(), 1);
    QCOMPARE(p.entry()->field(2), u"ข"_s);
    QCOMPARE(p.entry()->counterText(), u"2 / 3"_s);
    QCOMPARE(ui(r).List1->model()->rowCount(), 0);
    QVERIFY(!r->isVisible());
    QVERIFY(p.entry()->isVisible());
    QVERIFY(ui(p.main).Command1[5]->isVisible());
    QVERIFY(!p.st().IsAdding());
}

void TestReviewWindow::emptyBatch()
{
    Program p;
    p.start(u"ผู้ฝาก"_s, u"ที่อยู่ผู้ฝาก"_s);
    p.entry()->setField(3, u"other"_s);
    p.main->openReview();
    ReviewWindow *r = p.main->reviewWindow();
    QCOMPARE(ui(r).List1->model()->rowCount(), 0);
    QVERIFY(r->detailText().startsWith(u"ประเภทธนาณัติ"_s + QString(15, u' ') + u"\r\n"_s));
    ui(r).Command1->click();
    QCOMPARE(p.prompter.texts(), QStringList{kNothingChosen});
    ui(r).Command2->click();
    QCOMPARE(p.entry()->field(0), u"101"_s);
    QCOMPARE(p.entry()->field(3), u"ผู้ฝาก"_s);
    QCOMPARE(p.entry()->field(7), u"ที่อยู่ผู้ฝาก"_s);
    QCOMPARE(p.entry()->counterText(), u"0/0"_s);
}

QTEST_MAIN(TestReviewWindow)
#include "test_reviewwindow.moc"
