// The command bar's rule and the work area beside it.
#include "layout/mainwindowlayout.h"

#include <QTest>

using namespace vorlane::layout;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void at1024x768();
    void gapsFollowTheScreen_data();
    void gapsFollowTheScreen();
};

void MainWindowLayoutTest::at1024x768()
{
    const Screen s{15360, 11520, 15};
    const MainWindowLayout l = mainWindowLayout(s, 11520);
    QCOMPARE(l.panel.width, 2304.0);
    QCOMPARE(l.panel.left, 13056.0);
    QCOMPARE(l.workArea.width, 13056.0);
    QCOMPARE(l.buttons[0].width, 1728.0);
    QCOMPARE(l.buttons[0].left, 288.0);
    QCOMPARE(l.buttons[0].height, 921.6);
    QCOMPARE(l.buttons[0].top, 345.6);
    QCOMPARE(l.buttons[7].top, 345.6 + 7 * 1267.2);
    QCOMPARE(toPixels(l.panel, s), QRect(870, 0, 154, 768));
}

void MainWindowLayoutTest::gapsFollowTheScreen_data()
{
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("panelHeight");
    QTest::newRow("1024x768") << 15360.0 << 11520.0 << 11520.0;
    QTest::newRow("1920x1080") << 28800.0 << 16200.0 << 16200.0;
    QTest::newRow("panel shorter than the screen") << 15360.0 << 11520.0 << 10800.0;
}

void MainWindowLayoutTest::gapsFollowTheScreen()
{
    QFETCH(double, W);
    QFETCH(double, H);
    QFETCH(double, panelHeight);
    const Screen s{W, H, 15};
    const MainWindowLayout l = mainWindowLayout(s, panelHeight);
    const double h = 0.08 * panelHeight;
    // Twelve parts of what the buttons leave of the screen's height, above and between.
    const double gap = (H - 8 * h) / 12;
    QCOMPARE(l.panel.right(), W);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(l.buttons[i].height, h);
        QCOMPARE(l.buttons[i].left + l.buttons[i].width / 2, l.panel.width / 2);
        QCOMPARE(l.buttons[i].top, gap + i * (h + gap));
    }
    QVERIFY(l.buttons[7].bottom() < panelHeight);
}

QTEST_APPLESS_MAIN(MainWindowLayoutTest)
#include "test_mainwindowlayout.moc"
