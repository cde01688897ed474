// The depositor dialog's checks without the dialog: the message each shows, the control
// the focus ends on and the two boxes' texts after it.
#include "rules/depositorrules.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class DepositorRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checks_data();
    void checks();
};

void DepositorRules::checks_data()
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
    QTest::newRow("enter, name") << u"ก"_s << QString() << u"enter1"_s << QString() << u"Text2"_s << u"ก"_s
                                 << QString();
    QTest::newRow("enter, no address") << u"ก"_s << QString() << u"enter2"_s << noAddress << u"Text2"_s << u"ก"_s
                                       << QString();
    QTest::newRow("enter, address") << u"ก"_s << u"ข"_s << u"enter2"_s << QString() << u"Command1"_s << u"ก"_s
                                    << u"ข"_s;
    QTest::newRow("confirm, blank name") << u" "_s << u"ข"_s << u"confirm"_s << noName << u"Text1"_s << QString()
                                         << u"ข"_s;
    QTest::newRow("confirm, blank address")
        << u"ก"_s << u"  "_s << u"confirm"_s << noAddress << u"Text2"_s << u"ก"_s << QString();
    QTest::newRow("confirm, emoji") << u"ก😀"_s << u"ข"_s << u"confirm"_s << u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : 😀"_s
                                    << u"Text1"_s << u"ก😀"_s << u"ข"_s;
}

void DepositorRules::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, action);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, nameAfter);
    QFETCH(QString, addressAfter);

    // The button has the focus when it confirms; a passing confirmation leaves it there.
    DepositorControl self = DepositorControl::Confirm;
    DepositorOutcome o;
    if (action == u"enter1")
        self = DepositorControl::Name, o = depositorEnterRule(self, name, address);
    else if (action == u"enter2")
        self = DepositorControl::Address, o = depositorEnterRule(self, name, address);
    else
        o = depositorConfirmRule(name, address);
    auto nameOf = [](DepositorControl c) {
        switch (c) {
        case DepositorControl::Name: return u"Text1"_s;
        case DepositorControl::Address: return u"Text2"_s;
        case DepositorControl::Confirm: return u"Command1"_s;
        case DepositorControl::None: break;
        }
        return QString();
    };
    QCOMPARE(o.message, message);
    QCOMPARE(nameOf(o.focus == DepositorControl::None ? self : o.focus), focus);
    const bool clears = o.clears;
    QCOMPARE(clears && o.box == DepositorControl::Name ? QString() : name, nameAfter);
    QCOMPARE(clears && o.box == DepositorControl::Address ? QString() : address, addressAfter);
}

QTEST_GUILESS_MAIN(DepositorRules)
#include "test_depositorrules.moc"
