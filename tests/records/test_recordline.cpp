#include "records/codec.h"
#include "records/recordline.h"
#include "records/recordstore.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestRecordLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buildsBarTerminatedLine()
    {
        MoneyOrderRecord r;
        r.fields = {u"101"_s, u"10100"_s, u" นาย ก "_s, u"บริษัท ข"_s, u"1,250.50"_s, u"ป้อมปราบ"_s, u""_s, u"ที่อยู่"_s};
        const QString line = RecordLine(r);
        QCOMPARE(line, u"101|10100| นาย ก |บริษัท ข|1,250.50|ป้อมปราบ||ที่อยู่|"_s);
        QCOMPARE(line.count(u'|'), 8);
        QCOMPARE(SplitRecord(line).fields, r.fields);
    }

    void split_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("eight fields, ninth piece ignored")
            << u"a|b|c|d|e|f|g|h|tail"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s, u"g"_s, u"h"_s};
        QTest::newRow("eight empty fields") << u"||||||||"_s << QStringList(8, QString());
        QTest::newRow("one bar") << u"A|B"_s << QStringList{u"A"_s};
        QTest::newRow("six bars") << u"1|2|3|4|5|6|"_s << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s};
        QTest::newRow("empty line") << u""_s << QStringList{};
        QTest::newRow("more than count stops at count")
            << u"1|2|3|4|5|6|7|8|9|10|"_s
            << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s};
    }
    void split()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(ScanRecordFields(line, 8), fields);
    }

    // The same scan over the text and over its code-page bytes, as the totals of a file use it.
    void fieldAt_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("field");
        QTest::newRow("first") << u"101|10100|"_s << 0 << u"101"_s;
        QTest::newRow("amount of eight") << u"101|1|ก ข|ค|1,250.50|ง|||"_s << 4 << u"1,250.50"_s;
        QTest::newRow("empty field") << u"a||c|"_s << 1 << QString();
        QTest::newRow("ninth closed field") << u"1|2|3|4|5|6|7|8|9|"_s << 8 << u"9"_s;
        QTest::newRow("text after last bar") << u"1|2|tail"_s << 2 << QString();
        QTest::newRow("beyond the fields") << u"1|2|"_s << 5 << QString();
        QTest::newRow("no bar") << u"abc"_s << 0 << QString();
        QTest::newRow("negative") << u"a|b|"_s << -1 << QString();
    }
    void fieldAt()
    {
        QFETCH(QString, line);
        QFETCH(int, index);
        QFETCH(QString, field);
        QCOMPARE(RecordFieldAt(line, index).toString(), field);
        const QByteArray bytes = cp874::encode(line).bytes;
        QCOMPARE(cp874::decode(RecordFieldAt(QByteArrayView(bytes), index)), field);
        QCOMPARE(IsRecordLine(QByteArrayView(bytes)), IsRecordLine(line));
    }

    void splitClearsOnlyTheCountedSlots()
    {
        RecordFieldSlots slots;
        for (int i = 0; i < 21; ++i)
            slots[i] = u"old"_s;
        SplitRecordLine(u"1|2|3|4|5|6|"_s, 8, slots);
        QCOMPARE(slots[5], u"6"_s);
        QCOMPARE(slots[6], QString());  // a six-field line shows 6 and 7 empty
        QCOMPARE(slots[7], QString());
        QCOMPARE(slots[8], u"old"_s);  // beyond the count nothing is touched
        SplitRecordLine(u"A|B"_s, 8, slots);
        QCOMPARE(slots[0], u"A"_s);
        QCOMPARE(slots[1], QString());
    }

    void isRecordLine_data()
    {
        QTest::addColumn<int>("bars");
        QTest::addColumn<bool>("accepted");
        for (int n : {0, 1, 5, 6, 7, 8, 9, 16})
            QTest::addRow("%d bars", n) << n << (n == 6 || n == 8);
    }
    void isRecordLine()
    {
        QFETCH(int, bars);
        QFETCH(bool, accepted);
        QString line;
        for (int i = 0; i < bars; ++i)
            line += u"x|"_s;
        QCOMPARE(IsRecordLine(line), accepted);
        // Position does not matter, only the count.
        QCOMPARE(IsRecordLine(QString(bars, u'|') + u"text"_s), accepted);
    }

    void storeReadsOutsideAsEmptyAndAppendsJustPastTheEnd()
    {
        RecordStore s;
        QCOMPARE(s.at(0), QString());
        QCOMPARE(s.at(-1), QString());
        s.setAt(0, u"A"_s);  // just past the end: append
        s.setAt(5, u"X"_s);  // further out: nothing
        QCOMPARE(s.lines(), QStringList{u"A"_s});
        s.setAt(0, u"B"_s);
        s.insert(0, u"Z"_s);
        s.removeAt(7);
        QCOMPARE(s.lines(), (QStringList{u"Z"_s, u"B"_s}));
    }
};

QTEST_GUILESS_MAIN(TestRecordLine)
#include "test_recordline.moc"
