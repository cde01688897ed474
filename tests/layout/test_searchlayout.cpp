#include "layout/searchlayout.h"

#include <QTest>

using namespace vorlane::layout;

class TestSearchLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizesAndStacking_data();
    void sizesAndStacking();
};

void TestSearchLayout::sizesAndStacking_data()
{
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::newRow("1024x768") << 15360.0 << 11520.0;
    QTest::newRow("1920x1080") << 28800.0 << 16200.0;
    QTest::newRow("640x480") << 9600.0 << 7200.0;
}

void TestSearchLayout::sizesAndStacking()
{
    QFETCH(double, W);
    QFETCH(double, H);
    const Screen s{W, H, 15};
    const SearchLayout l = searchLayout(s);
    QCOMPARE(l.Label1.width, 0.2 * W);
    QCOMPARE(l.Label1.height, 0.05 * H);
    QCOMPARE(l.Txtsearch0.width, 0.35 * W);
    QCOMPARE(l.Txtsearch1.height, 0.05 * H);
    QCOMPARE(l.Command1_2.width, 0.13 * W);
    QCOMPARE(l.Command1_3.height, 0.07 * H);
    // Caption beside the search box, result under it, buttons under the result.
    QCOMPARE(l.Txtsearch0.top, l.Label1.top);
    QVERIFY(l.Txtsearch0.left > l.Label1.right());
    QCOMPARE(l.Txtsearch1.left, l.Txtsearch0.left);
    QVERIFY(l.Txtsearch1.top > l.Txtsearch0.bottom());
    QVERIFY(l.Command1_2.top > l.Txtsearch1.bottom());
    QVERIFY(l.Command1_3.left > l.Command1_2.right());
    QCOMPARE(l.Command1_3.right(), l.Txtsearch1.right());
    // Everything left of the command bar and on the screen.
    for (const TwipRect &r : {l.Label1, l.Txtsearch0, l.Txtsearch1, l.Command1_2, l.Command1_3}) {
        QVERIFY(r.left > 0);
        QVERIFY(r.right() < W - panelWidth(s));
        QVERIFY(r.bottom() < H);
    }
}

QTEST_APPLESS_MAIN(TestSearchLayout)
#include "test_searchlayout.moc"
