#include "rules/search.h"
#include "records/tables.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prefixRules_data();
    void prefixRules();
    void bundledTable_data();
    void bundledTable();
    void refusals_data();
    void refusals();
};

void TestSearch::prefixRules_data()
{
    const QStringList codes{u"10100"_s, u"10110"_s, u"20000"_s, u"10120"_s};
    const QStringList names{u"ป้อมปราบ"_s, u" คลองเตย "_s, u"ชลบุรี"_s, u"คลองจั่น"_s};
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("postcode prefix, first in order") << codes << names << u"10"_s << 0 << u"10100  ป้อมปราบ"_s;
    QTest::newRow("whole postcode") << codes << names << u"10120"_s << 3 << u"10120  คลองจั่น"_s;
    QTest::newRow("blanks around the text") << codes << names << u"  2 "_s << 2 << u"20000  ชลบุรี"_s;
    QTest::newRow("digits found inside only") << codes << names << u"01"_s << -1 << QString();
    QTest::newRow("no postcode") << codes << names << u"9"_s << -1 << QString();
    // The name is compared trimmed but shown as the list holds it.
    QTest::newRow("name prefix") << codes << names << u"คลอง"_s << 1 << u" คลองเตย   10110"_s;
    QTest::newRow("letters inside a name") << codes << names << u"เตย"_s << -1 << QString();
    QTest::newRow("exact characters") << codes << names << u"คลองจ"_s << 3 << u"คลองจั่น  10120"_s;
    QTest::newRow("empty") << codes << names << QString() << -1 << QString();
    QTest::newRow("blanks only") << codes << names << u"   "_s << -1 << QString();
    QTest::newRow("empty table") << QStringList() << QStringList() << u"10"_s << -1 << QString();
}

void TestSearch::prefixRules()
{
    QFETCH(QStringList, codes);
    QFETCH(QStringList, names);
    QFETCH(QString, search);
    QFETCH(int, index);
    QFETCH(QString, text);
    const PostOfficeMatch m = FindPostOffice(codes, names, search);
    QCOMPARE(m.index, index);
    QCOMPARE(m.text, text);
}

void TestSearch::bundledTable_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("found");
    QTest::newRow("Bangkok postcodes") << u"10"_s << true;
    QTest::newRow("first office") << u"10100"_s << true;
    QTest::newRow("a name") << u"คลองเตย"_s << true;
    QTest::newRow("no such postcode") << u"00"_s << false;
}

void TestSearch::bundledTable()
{
    QFETCH(QString, search);
    QFETCH(bool, found);
    const CodeNameTable t = LoadCodeNameTable(qEnvironmentVariable("VORLANE_TEST_DATA") + u"/postcode.txt"_s);
    QVERIFY(t.codes.size() > 900);
    const PostOfficeMatch m = FindPostOffice(t.codes, t.names, search);
    QCOMPARE(m.index >= 0, found);
    if (found)
        QVERIFY(m.text.startsWith(search) || m.text.trimmed().startsWith(search));
}

// Enter on the search box and "ตกลง": blanks of any kind are nothing typed.
void TestSearch::refusals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("onEnter");
    QTest::addColumn<QString>("onOk");
    const QString nothing = u"ยังไม่ป้อนข้อมูลเพื่อค้นหา"_s;
    const QString notFound = u"กรุณาใส่ชื่อปณ. หรือไม่พบ ปณ.ที่ป้อน"_s;
    QTest::newRow("empty") << QString() << -1 << nothing << notFound;
    QTest::newRow("blanks and a tab") << u"  \t"_s << -1 << nothing << notFound;
    QTest::newRow("typed, not found") << u"zz"_s << -1 << QString() << notFound;
    QTest::newRow("found at 0") << u"10"_s << 0 << QString() << QString();
}

void TestSearch::refusals()
{
    QFETCH(QString, typed);
    QFETCH(int, found);
    QFETCH(QString, onEnter);
    QFETCH(QString, onOk);
    QCOMPARE(SearchTextRefusal(typed), onEnter);
    QCOMPARE(SearchChoiceRefusal(found), onOk);
}

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
