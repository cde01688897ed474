// From start-up to a keyed batch with the keyboard alone.
#include "../entry/entryfixture.h"

#include "records/datafile.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class EndToEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysAlone();
};

namespace {
struct Keys {
    Program &p;
    QWidget *at() { return QApplication::focusWidget(); }
    void type(const QString &text)
    {
        QVERIFY(at());
        typeText(at(), text);
    }
    void enter()
    {
        QVERIFY(at());
        pressEnter(at());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QVERIFY(at());
        QTest::keyClick(at(), k, m);
    }
};
}  // namespace

void EndToEnd::keysAlone()
{
    Program p;
    Keys k{p};
    ui(p.main).Command1[0]->setFocus();
    k.enter();  // "เปิดโปรแกรม"
    QVERIFY(p.main->depositorDialog()->isVisible());
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(p.main->depositorDialog()).Text1));
    k.type(u"บริษัท ไทยส่งดี จำกัด"_s);
    k.enter();
    k.type(u"9/9 ถนนพระราม 4 กรุงเทพฯ"_s);
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(p.main->depositorDialog()).Command1));
    k.enter();  // "ตกลง"
    EntryWindow *e = p.entry();
    QVERIFY(e && e->isVisible());

    // Order 1: type 101 is proposed; postcode, Enter, recipient, Enter, address, Enter,
    // the carried-over depositor is skipped, amount, Enter, Enter on the save button.
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Combo1[2]));
    k.type(u"10110"_s);
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Text1[2]));
    k.type(u"นายสมชาย ใจดี"_s);
    k.enter();
    k.type(u"12 หมู่ 3 ต.บางนา"_s);
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Text1[4]));
    k.type(u"500"_s);
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Cmdsave));
    k.enter();
    QCOMPARE(e->counterText(), u"1 / 1"_s);

    // Order 2: a new record from the add button, type 103 typed over the proposed one.
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Cmdadd));
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Combo1[2]));
    k.key(Qt::Key_Backtab);
    k.key(Qt::Key_Backtab);
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Combo1[0]));
    k.key(Qt::Key_A, Qt::ControlModifier);
    k.type(u"103"_s);
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Combo1[2]));
    k.type(u"50000"_s);
    k.enter();
    k.type(u"นางสาวมาลี ศรีสุข"_s);
    k.enter();
    k.type(u"45 ถ.นิมมาน"_s);
    k.enter();
    k.type(u"1250.50"_s);
    k.enter();
    k.enter();
    QCOMPARE(e->counterText(), u"2 / 2"_s);

    // Order 3: type 112 has no destination; Enter in the type selector goes to the recipient.
    k.enter();
    k.key(Qt::Key_Backtab);
    k.key(Qt::Key_Backtab);
    k.key(Qt::Key_A, Qt::ControlModifier);
    k.type(u"112"_s);
    k.enter();
    QCOMPARE(k.at(), static_cast<QWidget *>(ui(e).Text1[2]));
    k.type(u"ร้าน ก.การค้า"_s);
    k.enter();
    k.type(u"บัญชี 123-4-56789-0"_s);
    k.enter();
    k.type(u"2000"_s);
    k.enter();
    k.enter();

    QVERIFY(p.prompter.texts().isEmpty());
    const QString dep = u"บริษัท ไทยส่งดี จำกัด|"_s;
    const QString depAddr = u"9/9 ถนนพระราม 4 กรุงเทพฯ|"_s;
    const QStringList expected = {
        u"101|10110|นายสมชาย ใจดี|"_s + dep + u"500|คลองเตย|12 หมู่ 3 ต.บางนา|"_s + depAddr,
        u"103|50000|นางสาวมาลี ศรีสุข|"_s + dep + u"1250.50|"_s
            + p.session.tables.postOffices.names.value(p.session.tables.postOffices.codes.indexOf(u"50000"_s))
            + u"|45 ถ.นิมมาน|"_s + depAddr,
        u"112||ร้าน ก.การค้า|"_s + dep + u"2000||บัญชี 123-4-56789-0|"_s + depAddr,
    };
    QCOMPARE(p.lines(), expected);
    QCOMPARE(e->counterText(), u"3 / 3"_s);
    QCOMPARE(ui(e).Label13->text(), u"3,750.50"_s);
    QVERIFY(!p.st().IsSaved());

    // What a save would write: the same lines in code page 874, each closed by CR LF.
    QByteArray bytes;
    QVERIFY(EncodeDataFile(p.lines(), bytes).ok());
    QCOMPARE(bytes.count("\r\n"), 3);
    QVERIFY(bytes.startsWith("101|10110|\xB9\xD2\xC2\xCA\xC1\xAA\xD2\xC2 \xE3\xA8\xB4\xD5|"));
}

QTEST_MAIN(EndToEnd)
#include "test_endtoend.moc"
