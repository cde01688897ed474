// Possible duplicates: which orders count as the same, over one table.
#include "records/duplicates.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestDuplicates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void same_data()
    {
        QTest::addColumn<QString>("a");  // recipient|postcode|amount
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("identical") << u"นาย ก|10100|500"_s << u"นาย ก|10100|500"_s << true;
        QTest::newRow("amount grouped and with decimals")
            << u"นาย ก|10100|1,250.50"_s << u"นาย ก|10100|1250.5"_s << true;
        QTest::newRow("blanks around and inside the name") << u" นาย  ก |10100|500"_s << u"นาย ก|10100|500"_s << true;
        QTest::newRow("blanks around the postcode") << u"นาย ก| 10100 |500"_s << u"นาย ก|10100|500"_s << true;
        QTest::newRow("another amount") << u"นาย ก|10100|500"_s << u"นาย ก|10100|500.01"_s << false;
        QTest::newRow("another post office") << u"นาย ก|10100|500"_s << u"นาย ก|10110|500"_s << false;
        QTest::newRow("another recipient") << u"นาย ก|10100|500"_s << u"นาย ข|10100|500"_s << false;
        QTest::newRow("no destination, same amount") << u"นาย ก||100"_s << u"นาย ก||100"_s << true;
        QTest::newRow("amounts that are not numbers compare as text")
            << u"นาย ก|10100|abc"_s << u"นาย ก|10100|abd"_s << false;
    }
    void same()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        auto record = [](const QString &s) {
            const QStringList f = s.split(u'|');
            MoneyOrderRecord r;
            r[RecipientName] = f[0];
            r[DestPostcode] = f[1];
            r[Amount] = f[2];
            return r;
        };
        QCOMPARE(DuplicateKey(record(a)) == DuplicateKey(record(b)), same);
        RecordStore store;
        store.append(u"101|10110|นาย ค|ร้าน|900|คลองเตย|1|2|"_s);
        store.append(RecordLine(record(a)));
        QCOMPARE(FindDuplicate(store, record(b)), same ? 1 : -1);
        // A record is never its own duplicate.
        QCOMPARE(FindDuplicate(store, record(a), 1), qsizetype(-1));
    }

    void pairs()
    {
        const QStringList lines{u"101|10100|นาย ก|ร้าน|500|ป|1|2|"_s, u"101|10100|นาย ข|ร้าน|500|ป|1|2|"_s,
                                u"101|10100|นาย ก|ร้าน|500.00|ป|3|4|"_s, u"103|10100|นาย ก|ร้าน|500|ป|5|6|"_s};
        const QList<DuplicatePair> p = DuplicatePairs(lines);
        QCOMPARE(p.size(), 2);
        QCOMPARE(p[0].first, 0);
        QCOMPARE(p[0].second, 2);
        QCOMPARE(p[1].first, 0);
        QCOMPARE(p[1].second, 3);
        QCOMPARE(DuplicateWarning(u"แถว"_s, 2, 4), u"แถว 4 อาจซ้ำกับแถว 2 (ผู้รับ รหัสไปรษณีย์ และจำนวนเงินเดียวกัน)"_s);
    }
};

QTEST_APPLESS_MAIN(TestDuplicates)
#include "test_duplicates.moc"
