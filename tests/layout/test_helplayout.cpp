#include "layout/helplayout.h"

#include <QTest>

using namespace vorlane::layout;

class TestHelpLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void offsetsFromTheMainWindow_data();
    void offsetsFromTheMainWindow();
};

void TestHelpLayout::offsetsFromTheMainWindow_data()
{
    QTest::addColumn<double>("mainLeft");
    QTest::addColumn<double>("mainTop");
    QTest::newRow("main window at the corner") << 0.0 << 0.0;
    QTest::newRow("main window moved") << 150.0 << 450.0;
}

void TestHelpLayout::offsetsFromTheMainWindow()
{
    QFETCH(double, mainLeft);
    QFETCH(double, mainTop);
    const HelpLayout l = helpLayout(Screen{}, mainLeft, mainTop);
    QCOMPARE(l.window.left, mainLeft);
    QCOMPARE(l.window.top, mainTop);
    QCOMPARE(l.window.width, 15360.0);
    QCOMPARE(l.Txthelp.width, 11750.4);  // 0.9 x (15360 - 2304)
    QCOMPARE(l.Txthelp.height, 7488.0);  // 0.65 x 11520
    QCOMPARE(l.Txthelp.left, mainLeft + 300);
    QCOMPARE(l.Txthelp.top, mainTop + 500);
    QCOMPARE(l.Cmdclose.left, mainLeft + 300 + 0.4 * 11750.4);
    QCOMPARE(l.Cmdclose.top, mainTop + 500 + 7488 + 300);
}

QTEST_APPLESS_MAIN(TestHelpLayout)
#include "test_helplayout.moc"
