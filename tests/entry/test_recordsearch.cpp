// The record search box compares upper case with upper case; letters whose upper case is
// longer than themselves, or that only become a Latin capital when upper-cased, must
// find the same record as the plain rule would.
#include "entryfixture.h"

#include "records/recordline.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class RecordSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsRecord_data();
    void findsRecord();
};

void RecordSearch::findsRecord_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("found");  // -1: nothing moves
    QTest::newRow("lower finds upper") << u"b"_s << 3;
    QTest::newRow("upper finds lower") << u"BOB"_s << 3;
    QTest::newRow("sharp s upper-cases to SS") << u"STRASSE"_s << 1;
    QTest::newRow("ss finds sharp s") << u"ss"_s << 1;
    QTest::newRow("ligature upper-cases to FF") << u"ffo"_s << 2;
    QTest::newRow("dotless i upper-cases to I") << u"\u0131rma"_s << 5;
    QTest::newRow("Thai") << u"สมชาย"_s << 4;
    QTest::newRow("across a bar") << u"ZED|"_s << 0;
    QTest::newRow("needle longer than every line") << QString(400, u'x') << -1;
    QTest::newRow("no match") << u"qqq"_s << -1;
    QTest::newRow("sharp s is not matched by S alone after T") << u"STRAS|"_s << -1;
}

void RecordSearch::findsRecord()
{
    QFETCH(QString, typed);
    QFETCH(int, found);
    Program p;
    EntryWindow *e = p.start();
    QStringList lines;
    for (const QString &name : {u"Zed"_s, u"straße"_s, u"\uFB00oo"_s, u"bob"_s, u"นายสมชาย ใจดี"_s, u"Irma"_s}) {
        MoneyOrderRecord r;
        r[TypeCode] = u"101"_s;
        r[RecipientName] = name;
        r[Amount] = u"100"_s;
        lines << RecordLine(r);
    }
    p.st().open(lines, p.st().CurrentFilePath());
    ui(e).Text2->setText(u"zed"_s);
    QCOMPARE(p.st().CurrentIndex(), 0);
    ui(e).Text2->setText(typed);
    QCOMPARE(p.st().CurrentIndex(), std::max(found, 0));
    QCOMPARE(e->field(2), p.session.batch.lines().at(std::max(found, 0)).section(u'|', 2, 2));
}

QTEST_MAIN(RecordSearch)
#include "test_recordsearch.moc"
