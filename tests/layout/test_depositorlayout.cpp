// The depositor dialog's rule at 1024 x 768.
#include "layout/depositorlayout.h"

#include <QTest>

using namespace vorlane::layout;

class DepositorLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void at1024x768();
};

void DepositorLayoutTest::at1024x768()
{
    const Screen s{15360, 11520, 15};
    const DepositorLayout l = depositorLayout(s);
    QCOMPARE(l.Label1.width, 2304.0);
    QCOMPARE(l.Text1.width, 6144.0);
    QCOMPARE(l.Text2.width, 9984.0);
    QCOMPARE(l.Label3.width, 4608.0);
    QCOMPARE(l.Command1.width, 0.12 * 15360);
    QCOMPARE(l.Text1.height, 576.0);
    QCOMPARE(l.Command1.height, 806.4);
    // Horizontal gap (W - (P + Label1 + Text2)) / 4 = 192.
    QCOMPARE(l.Label1.left, 192.0);
    QCOMPARE(l.Text1.left, 192.0 + 2304 + 192);
    QCOMPARE(l.Label3.left + l.Label3.width / 2, l.Text1.left + l.Text1.width / 2);
    QCOMPARE(l.Command1.left + l.Command1.width / 2, l.Text2.left + l.Text2.width / 2);
    QVERIFY(l.Text2.right() <= 15360 - panelWidth(s));
    QVERIFY(l.Label3.bottom() < l.Text1.top);
    QVERIFY(l.Text1.bottom() < l.Text2.top);
    QVERIFY(l.Text2.bottom() < l.Command1.top);
    QVERIFY(l.Command1.bottom() < 11520 * 0.85);
    QCOMPARE(l.Label2.top, l.Text2.top);
}

QTEST_APPLESS_MAIN(DepositorLayoutTest)
#include "test_depositorlayout.moc"
