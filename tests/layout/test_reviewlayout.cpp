#include "layout/reviewlayout.h"

#include <QTest>

using namespace vorlane::layout;

class TestReviewLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figuresAt1024x768();
    void clearOfTheCommandBar_data();
    void clearOfTheCommandBar();
};

void TestReviewLayout::figuresAt1024x768()
{
    const ReviewLayout l = reviewLayout(Screen{});
    // P = 2304; widths 0.9 x 13056; gx = 15360 - (11750.4 + 2304); gy = (11520 - 8064) / 3.
    QCOMPARE(l.List1.width, 11750.4);
    QCOMPARE(l.Text1.width, 11750.4);
    QCOMPARE(l.List1.height, 4608.0);
    QCOMPARE(l.Text1.height, 3456.0);
    QCOMPARE(l.List1.left, 652.8);
    QCOMPARE(l.List1.top, 576.0);
    QCOMPARE(l.Text1.left, 652.8);
    QCOMPARE(l.Text1.top, 576 + 4608 + 1152 / 15.0);
    QCOMPARE(l.Command1.top, 576 + 4608 + 1152 / 15.0 + 3456 + 1152 / 5.0);
    QCOMPARE(l.Command1.left, 652.8 + 0.3 * 11750.4);
    QCOMPARE(l.Command1.width, 1843.2);
    QCOMPARE(l.Command1.height, 806.4);
    QCOMPARE(l.Command2.top, l.Command1.top);
    QCOMPARE(l.Command2.left, 652.8 + 0.3 * 11750.4 + 1843.2 + 1305.6);
}

void TestReviewLayout::clearOfTheCommandBar_data()
{
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::newRow("1024x768") << 15360.0 << 11520.0;
    QTest::newRow("1920x1080") << 28800.0 << 16200.0;
    QTest::newRow("800x600") << 12000.0 << 9000.0;
}

void TestReviewLayout::clearOfTheCommandBar()
{
    QFETCH(double, W);
    QFETCH(double, H);
    const Screen s{W, H, 15};
    const ReviewLayout l = reviewLayout(s);
    const double barLeft = W - panelWidth(s);
    for (const TwipRect &r : {l.List1, l.Text1, l.Command1, l.Command2}) {
        QVERIFY(r.right() < barLeft);
        QVERIFY(r.bottom() < H);
    }
    QVERIFY(l.Command2.left > l.Command1.right());
}

QTEST_APPLESS_MAIN(TestReviewLayout)
#include "test_reviewlayout.moc"
