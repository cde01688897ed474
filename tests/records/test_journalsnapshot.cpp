// The journal's copy of a whole batch (written when a batch is opened) must bring every
// line back exactly, whatever characters it holds.
#include "records/journal.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class JournalSnapshot : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesComeBack_data();
    void linesComeBack();
};

void JournalSnapshot::linesComeBack_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Thai") << QStringList{u"101|10100|นายสมชาย ใจดี|บริษัท จำกัด|500|ราชดำเนิน|99 หมู่ 1|สีลม|"_s};
    QTest::newRow("escapes") << QStringList{u"a\tb|c\\d|"_s, u"\\|\\t|"_s, u"x\ny\rz|"_s};
    QTest::newRow("two-byte letters") << QStringList{u"café ©|"_s, u"\u07FF\u0080|"_s};
    QTest::newRow("three-byte letters") << QStringList{u"€ \u0800 \uFFFD \uFFFF|"_s};
    QTest::newRow("beyond the plane") << QStringList{u"emoji 😀 here|"_s, u"ก😀\t|"_s};
    QTest::newRow("empty and many") << [] {
        QStringList l{QString(), u"|"_s};
        for (int i = 0; i < 500; ++i)
            l << u"%1|ก|"_s.arg(i);
        return l;
    }();
}

void JournalSnapshot::linesComeBack()
{
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"recovery.journal"_s);
    {
        RecoveryJournal j(path);
        QVERIFY(j.begin(lines, u"/data/ชุด\t1.txt"_s, false));
    }
    const auto r = RecoveryJournal::read(path);
    QVERIFY(r.has_value());
    QCOMPARE(r->lines, lines);
    QCOMPARE(r->filePath, u"/data/ชุด\t1.txt"_s);
    QVERIFY(!r->saved);
}

QTEST_GUILESS_MAIN(JournalSnapshot)
#include "test_journalsnapshot.moc"
