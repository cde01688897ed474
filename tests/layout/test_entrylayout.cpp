// The entry window's rule: figures at 1024 x 768 and every control inside its frame.
#include "layout/entrylayout.h"

#include <QTest>

using namespace vorlane::layout;

class EntryLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void at1024x768();
    void insideFrames_data();
    void insideFrames();
};

void EntryLayoutTest::at1024x768()
{
    const EntryLayout l = entryLayout(Screen{15360, 11520, 15});
    QCOMPARE(l.Frame4.width, 0.95 * 13056);
    QCOMPARE(l.Frame4.height, 8640.0);
    QCOMPARE(l.Frame2.width, 0.25 * l.Frame4.width);
    QCOMPARE(l.Frame1.width, 0.725 * l.Frame4.width);
    QCOMPARE(l.Frame1.height, 0.6 * 8640);
    QCOMPARE(l.Frame3.height, 0.3 * 8640);
    QCOMPARE(l.Text1_2.height, 0.1 * l.Frame1.height);
    QCOMPARE(l.Text1_6.width, 0.95 * l.Frame1.width);
    QCOMPARE(l.labels[0].width, 0.8 * l.Frame2.width);
    QCOMPARE(l.Cmdadd.width, 0.12 * l.Frame3.width);
    QCOMPARE(l.Cmdfirst.height, 0.25 * l.Frame3.height);
    QCOMPARE(l.Label14.width, 0.23 * l.Frame3.width);
    QCOMPARE(l.Text2.height, 0.045 * 11520);
    // Labels and fields of a row share their line.
    QVERIFY(qAbs(l.labels[6].top - l.Text1_4.top) < 30);
}

void EntryLayoutTest::insideFrames_data()
{
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::newRow("1024x768") << 15360.0 << 11520.0;
    QTest::newRow("1920x1080") << 28800.0 << 16200.0;
    QTest::newRow("800x600") << 12000.0 << 9000.0;
}

void EntryLayoutTest::insideFrames()
{
    QFETCH(double, W);
    QFETCH(double, H);
    const EntryLayout l = entryLayout(Screen{W, H, 15});
    auto inside = [](const TwipRect &r, double w, double h) {
        return r.left >= 0 && r.top >= 0 && r.right() <= w + 1e-6 && r.bottom() <= h + 1e-6;
    };
    const double free = W - panelWidth(Screen{W, H, 15});
    QVERIFY(inside(l.Frame4, free, H));
    for (const TwipRect &f : {l.Frame1, l.Frame2, l.Frame3})
        QVERIFY(inside(f, l.Frame4.width, l.Frame4.height));
    QVERIFY(l.Frame2.right() <= l.Frame1.left);
    QVERIFY(l.Frame1.bottom() <= l.Frame3.top);
    for (const TwipRect &r : l.labels)
        QVERIFY(inside(r, l.Frame2.width, l.Frame2.height));
    for (const TwipRect &r : {l.Combo1_0, l.Combo1_1, l.Combo1_2, l.Combo1_3, l.Text1_2, l.Text1_6, l.Text1_3,
                              l.Text1_7, l.Text1_4, l.Label18})
        QVERIFY(inside(r, l.Frame1.width, l.Frame1.height));
    QVERIFY(l.Combo1_0.right() < l.Combo1_1.left);
    QVERIFY(l.Text1_4.right() < l.Label18.left);
    const TwipRect rows[] = {l.Combo1_0, l.Combo1_2, l.Text1_2, l.Text1_6, l.Text1_3, l.Text1_7, l.Text1_4};
    for (int i = 1; i < 7; ++i)
        QVERIFY(rows[i - 1].bottom() <= rows[i].top + 1e-6);
    for (const TwipRect &r : {l.Cmdadd, l.Cmdinsert, l.Cmddel, l.Cmdsave, l.Cmdcancel, l.Cmdfirst, l.Cmdback,
                              l.Cmdforward, l.Cmdlast, l.Label12, l.Label13, l.Label14, l.Label15})
        QVERIFY(inside(r, l.Frame3.width, l.Frame3.height));
    QVERIFY(l.Cmdcancel.bottom() <= l.Cmdfirst.top);
    QVERIFY(l.Cmdlast.bottom() <= l.Label12.top);
    QVERIFY(l.Label2.top >= l.Frame4.bottom());
    QVERIFY(l.Label1.right() <= l.Label3.left);
    QVERIFY(l.Text2.right() <= free);
    QVERIFY(l.Text2.bottom() <= 0.9 * H);  // clear of a title bar and a panel
}

QTEST_APPLESS_MAIN(EntryLayoutTest)
#include "test_entrylayout.moc"
