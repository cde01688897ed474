// The row list window: the rows as given, the save button runs the save and leaves the
// list open, "ตกลง" closes it.
#include "widgets/rowlistwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vorlane;

class TestRowListWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsSavesAndCloses()
    {
        int saves = 0;
        // A short row gets empty cells; markup in a file's text stays text.
        RowListWindow w(
            u"แถวที่ไม่ได้นำเข้า"_s, u"<b>2 แถว</b>"_s, {u"แถว"_s, u"คอลัมน์"_s, u"ข้อความ"_s},
            {{u"4"_s, u"amount"_s, u"ไม่ได้ใส่ตัวเลข "_s}, {u"7"_s}}, [&] { ++saves; }, nullptr);
        w.show();
        QCOMPARE(w.Label->textFormat(), Qt::PlainText);
        QCOMPARE(w.List->rowCount(), 2);
        QCOMPARE(w.List->columnCount(), 3);
        QCOMPARE(w.List->horizontalHeaderItem(1)->text(), u"คอลัมน์"_s);
        QCOMPARE(w.List->item(0, 2)->text(), u"ไม่ได้ใส่ตัวเลข "_s);
        QCOMPARE(w.List->item(1, 2)->text(), QString());
        QCOMPARE(w.CmdSave->text(), u"บันทึกเป็นแฟ้ม"_s);
        QCOMPARE(w.CmdOk->text(), u"ตกลง"_s);

        w.CmdSave->click();
        QCOMPARE(saves, 1);
        QVERIFY(w.isVisible());
        w.CmdOk->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestRowListWindow)
#include "test_rowlistwindow.moc"
