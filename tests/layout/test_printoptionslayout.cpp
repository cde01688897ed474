#include "layout/printoptionslayout.h"

#include <QTest>

using namespace vorlane::layout;

namespace {

bool inside(const TwipRect &inner, double width, double height)
{
    return inner.left >= 0 && inner.top >= 0 && inner.right() <= width + 1e-6 && inner.bottom() <= height + 1e-6;
}

bool overlap(const TwipRect &a, const TwipRect &b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

}  // namespace

class TestPrintOptionsLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figuresAt1024x768()
    {
        const PrintOptionsLayout l = printOptionsLayout(Screen{});
        // P = 2304, so 13056 beside the command bar; gy = (11520 - (5760 + 1958.4 + 1382.4)) / 4.
        QCOMPARE(l.window.width, 13056.0);
        QCOMPARE(l.Frame1.width, 11750.4);
        QCOMPARE(l.Frame1.height, 5760.0);
        QCOMPARE(l.Frame2.width, 6528.0);
        QCOMPARE(l.Frame2.height, 1958.4);
        QCOMPARE(l.Frame3.height, 1382.4);
        QCOMPARE(l.Frame1.left, 652.8);
        QCOMPARE(l.Frame1.top, 302.4);
        QCOMPARE(l.Frame2.top, 302.4 + 5760 + 604.8 / 3);
        QCOMPARE(l.Frame3.top, l.Frame2.bottom() + 604.8 / 3);
        QCOMPARE(l.Option1[0].width, 0.4 * 11750.4);
        QCOMPARE(l.Option1[0].height, 576.0);
        QCOMPARE(l.Text1.width, 0.2 * 6528);
        QCOMPARE(l.Text1.height, 0.3 * 1958.4);
        QCOMPARE(l.Label1.width, 652.8);
        QCOMPARE(l.Option2.height, 0.2 * 1958.4);
        QCOMPARE(l.Option3.height, 0.15 * 1958.4);
        QCOMPARE(l.Option4.height, 0.4 * 1382.4);
        QCOMPARE(l.Option5.height, 0.3 * 1382.4);
        QCOMPARE(l.buttons[0].width, 0.2 * 11750.4);
        // Type buttons: two columns, 0..6 then 7..13.
        QCOMPARE(l.Option1[7].top, l.Option1[0].top);
        QVERIFY(l.Option1[7].left > l.Option1[0].right());
        QVERIFY(l.Option1[6].top > l.Option1[5].bottom());
    }

    void everythingFits_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::newRow("1024x768") << 15360.0 << 11520.0;
        QTest::newRow("1920x1080") << 28800.0 << 16200.0;
        QTest::newRow("800x600") << 12000.0 << 9000.0;
        QTest::newRow("1280x1024") << 19200.0 << 15360.0;
    }
    void everythingFits()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        const Screen s{W, H, 15};
        const PrintOptionsLayout l = printOptionsLayout(s);
        QCOMPARE(l.window.width, W - panelWidth(s));
        for (const TwipRect &frame : {l.Frame1, l.Frame2, l.Frame3})
            QVERIFY(inside(frame, l.window.width, H));
        QVERIFY(!overlap(l.Frame1, l.Frame2));
        QVERIFY(!overlap(l.Frame2, l.Frame3));
        for (size_t i = 0; i < l.Option1.size(); ++i) {
            QVERIFY(inside(l.Option1[i], l.Frame1.width, l.Frame1.height));
            for (size_t j = i + 1; j < l.Option1.size(); ++j)
                QVERIFY(!overlap(l.Option1[i], l.Option1[j]));
        }
        const TwipRect row[] = {l.Option3, l.Label1, l.Text1, l.Label2, l.Text2};
        for (size_t i = 0; i < 5; ++i) {
            QVERIFY(inside(row[i], l.Frame2.width, l.Frame2.height));
            QVERIFY(!overlap(row[i], l.Option2));
            if (i > 0)
                QVERIFY(row[i].left >= row[i - 1].right());
        }
        QVERIFY(inside(l.Option4, l.Frame3.width, l.Frame3.height));
        QVERIFY(inside(l.Option5, l.Frame3.width, l.Frame3.height));
        QVERIFY(!overlap(l.Option4, l.Option5));
        for (size_t i = 0; i < l.buttons.size(); ++i) {
            QVERIFY(inside(l.buttons[i], l.Frame1.right(), H));
            QVERIFY(l.buttons[i].left >= l.Frame2.right());
            for (size_t j = i + 1; j < l.buttons.size(); ++j)
                QVERIFY(!overlap(l.buttons[i], l.buttons[j]));
        }
    }
};

QTEST_GUILESS_MAIN(TestPrintOptionsLayout)
#include "test_printoptionslayout.moc"
