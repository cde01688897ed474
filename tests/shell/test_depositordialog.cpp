// The depositor dialog: what it applies of its checks (their own cases run without the
// dialog in test_depositorrules), "cusname.txt" and the refused close box.
#include "../entry/entryfixture.h"

#include "records/cusname.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class DepositorDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checks_data();
    void checks();
    void lastOfSeveralRecords();
    void quotesRoundTrip();
    void defaultsHeldWhenFileMissing();
    void unwritableFileKeepsTypedDefaults();
    void closeBoxRefused();
};

void DepositorDialogTest::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("action");  // enter1, enter2, confirm
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<QString>("addressAfter");

    const QString noName = u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s;
    const QString noAddress = u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s;
    QTest::newRow("enter, blank name") << u"   "_s << u"ก"_s << u"enter1"_s << noName << u"Text1"_s << QString()
                                       << u"ก"_s;
    QTest::newRow("enter, address") << u"ก"_s << u"ข"_s << u"enter2"_s << QString() << u"Command1"_s << u"ก"_s
                                    << u"ข"_s;
    QTest::newRow("confirm, blank address")
        << u"ก"_s << u"  "_s << u"confirm"_s << noAddress << u"Text2"_s << u"ก"_s << QString();
    QTest::newRow("confirm, emoji") << u"ก😀"_s << u"ข"_s << u"confirm"_s << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s
                                    << u"Text1"_s << u"ก😀"_s << u"ข"_s;
}

void DepositorDialogTest::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, action);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, nameAfter);
    QFETCH(QString, addressAfter);

    Program p;
    ui(p.main).Command1[0]->click();
    DepositorDialog *d = p.main->depositorDialog();
    ui(d).Text1->setText(name);
    ui(d).Text2->setText(address);
    if (action == u"enter1") {
        ui(d).Text1->setFocus();
        pressEnter(ui(d).Text1);
    } else if (action == u"enter2") {
        ui(d).Text2->setFocus();
        pressEnter(ui(d).Text2);
    } else {
        ui(d).Command1->setFocus();
        pressEnter(ui(d).Command1);  // Enter on the focused button confirms
    }
    QCOMPARE(p.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(p.focus()->objectName(), focus);
    QCOMPARE(ui(d).Text1->text(), nameAfter);
    QCOMPARE(ui(d).Text2->text(), addressAfter);
    // Nothing is written and the dialog stays until a confirmation passes.
    QVERIFY(d->isVisible());
    QVERIFY(!QFile::exists(p.session.paths.cusnamePath()));
    QVERIFY(!p.entry());
}

void DepositorDialogTest::lastOfSeveralRecords()
{
    Program p;
    QFile f(p.session.paths.cusnamePath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    // "ก","ข" then "ค","ง" in code page 874.
    f.write("\"\xA1\",\"\xA2\"\r\n\"\xA4\",\"\xA7\"\r\n");
    f.close();
    ui(p.main).Command1[0]->click();
    QCOMPARE(ui(p.main->depositorDialog()).Text1->text(), u"ค"_s);
    QCOMPARE(ui(p.main->depositorDialog()).Text2->text(), u"ง"_s);
}

void DepositorDialogTest::quotesRoundTrip()
{
    Program p;
    const QString name = u"บริษัท \"ดี, มาก\" จำกัด"_s;
    const QString address = u" 5 ซอย \"ก\" "_s;
    p.start(name, address);
    QCOMPARE(p.session.DefaultDepositorName, name);
    QCOMPARE(p.session.DefaultDepositorAddress, address);
    QCOMPARE(p.entry()->field(3), name);
    QFile f(p.session.paths.cusnamePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.count("\r\n"), 1);  // exactly one record
    QVERIFY(bytes.endsWith("\r\n"));
    f.close();

    // Back to the start and in again: the dialog shows what was confirmed.
    ui(p.main).Command1[7]->click();
    p.session.DefaultDepositorName.clear();
    ui(p.main).Command1[0]->click();
    QCOMPARE(ui(p.main->depositorDialog()).Text1->text(), name);
    QCOMPARE(ui(p.main->depositorDialog()).Text2->text(), address);
}

void DepositorDialogTest::defaultsHeldWhenFileMissing()
{
    Program p;
    p.start(u"ก"_s, u"ข"_s);
    ui(p.main).Command1[7]->click();
    QFile::remove(p.session.paths.cusnamePath());
    ui(p.main).Command1[0]->click();
    QCOMPARE(ui(p.main->depositorDialog()).Text1->text(), u"ก"_s);
    QCOMPARE(ui(p.main->depositorDialog()).Text2->text(), u"ข"_s);
    QVERIFY(p.prompter.texts().isEmpty());
}

void DepositorDialogTest::unwritableFileKeepsTypedDefaults()
{
    Program p;
    p.session.paths.settingsDir = p.dir.filePath(u"no-such-folder"_s);
    EntryWindow *e = p.start(u"ก"_s, u"ข"_s);
    QVERIFY(p.prompter.texts().isEmpty());
    QCOMPARE(e->field(3), u"ก"_s);
    QCOMPARE(e->field(7), u"ข"_s);
}

void DepositorDialogTest::closeBoxRefused()
{
    Program p;
    ui(p.main).Command1[0]->click();
    DepositorDialog *d = p.main->depositorDialog();
    d->close();
    QVERIFY(d->isVisible());
}

QTEST_MAIN(DepositorDialogTest)
#include "test_depositordialog.moc"
