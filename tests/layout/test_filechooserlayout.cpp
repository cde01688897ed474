#include "layout/filechooserlayout.h"

#include <QTest>

using namespace vorlane::layout;

class TestFileChooserLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figuresAt1024x768();
    void acceptButtonFlushWithFolderList_data();
    void acceptButtonFlushWithFolderList();
};

void TestFileChooserLayout::figuresAt1024x768()
{
    const FileChooserLayout l = fileChooserLayout(Screen{});
    // gx = (15360 - (4608 + 5376)) / 2 = 2688; gy = (11520 - (3 * 460.8 + 4608 + 495)) / 6.
    const double gy = (11520 - (3 * 460.8 + 4608 + 495)) / 6;
    QCOMPARE(l.window.width, 15360.0);
    QCOMPARE(l.window.height, 11520.0);
    QCOMPARE(l.Lbldrive.left, 2688 / 5.0);
    QCOMPARE(l.Lbldrive.top, gy / 3);
    QCOMPARE(l.Lblname.left, 2688 / 5.0 + 3840 + 2688);
    QCOMPARE(l.Text1.left, l.Lblname.left);
    QCOMPARE(l.Text1.top, gy / 3 + 460.8 + gy / 10);
    QCOMPARE(l.Dir1.top, gy / 3 + 460.8 + gy / 10 + 360 + gy / 3.5 + 460.8 + gy / 6);
    QCOMPARE(l.Dir1.width, 4608.0);
    QCOMPARE(l.File1.width, 5376.0);
    QCOMPARE(l.File1.height, 4608.0);
    QCOMPARE(l.File1.left, l.Lblname.left);
    QCOMPARE(l.Comclose.left, 3609.6 + 1536 + 2688 / 2.5);
    QCOMPARE(l.Comclose.top, l.Comopen.top);
    QCOMPARE(l.Comopen.top, l.Dir1.bottom() + gy / 2);
    // Every control on the screen.
    for (const TwipRect &r :
         {l.Lbldrive, l.Drive1, l.Lbldir, l.Dir1, l.Lblname, l.Text1, l.Lblname2, l.File1, l.Comopen, l.Comclose}) {
        QVERIFY(r.left >= 0 && r.top >= 0);
        QVERIFY(r.right() <= 15360 && r.bottom() <= 11520);
    }
}

void TestFileChooserLayout::acceptButtonFlushWithFolderList_data()
{
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::newRow("1024x768") << 15360.0 << 11520.0;
    QTest::newRow("1920x1080") << 28800.0 << 16200.0;
    QTest::newRow("800x600") << 12000.0 << 9000.0;
}

void TestFileChooserLayout::acceptButtonFlushWithFolderList()
{
    QFETCH(double, W);
    QFETCH(double, H);
    const FileChooserLayout l = fileChooserLayout(Screen{W, H, 15});
    QCOMPARE(l.Comopen.right(), l.Dir1.right());
    QVERIFY(l.Comopen.top > l.Dir1.bottom());
    // The second column clears the first.
    QVERIFY(l.File1.left > l.Dir1.right());
    QVERIFY(l.Text1.left > l.Drive1.right());
}

QTEST_APPLESS_MAIN(TestFileChooserLayout)
#include "test_filechooserlayout.moc"
