#include "records/numbers.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << u"500"_s << true << 500.0;
        QTest::newRow("separators and decimals") << u"1,250.50"_s << true << 1250.5;
        QTest::newRow("blanks around") << u"  42  "_s << true << 42.0;
        QTest::newRow("leading point") << u".5"_s << true << 0.5;
        QTest::newRow("trailing point") << u"12."_s << true << 12.0;
        QTest::newRow("sign") << u"-3"_s << true << -3.0;
        QTest::newRow("millions") << u"1,000,000"_s << true << 1e6;
        QTest::newRow("empty") << u""_s << false << 0.0;
        QTest::newRow("blanks only") << u"   "_s << false << 0.0;
        QTest::newRow("letters") << u"abc"_s << false << 0.0;
        QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
        QTest::newRow("comma after point") << u"1.2,3"_s << false << 0.0;
        QTest::newRow("leading comma") << u",5"_s << false << 0.0;
        QTest::newRow("double comma") << u"1,,5"_s << false << 0.0;
        QTest::newRow("trailing comma") << u"15,"_s << false << 0.0;
        QTest::newRow("exponent") << u"1e5"_s << false << 0.0;
        QTest::newRow("inner blank") << u"1 000"_s << false << 0.0;
        QTest::newRow("thai digits") << u"๑๒"_s << false << 0.0;
        QTest::newRow("sign alone") << u"-"_s << false << 0.0;
        QTest::newRow("point alone") << u"."_s << false << 0.0;
    }
    void conversion()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        const auto v = toNumber(text);
        QCOMPARE(v.has_value(), numeric);
        if (numeric)
            QCOMPARE(*v, value);
    }

    void wholeRoundsHalfToEven_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<qint64>("out");
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("3.5") << 3.5 << qint64(4);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
        QTest::newRow("2.6") << 2.6 << qint64(3);
        QTest::newRow("beyond 32 bits") << 5e9 << qint64(5000000000);
    }
    void wholeRoundsHalfToEven()
    {
        QFETCH(double, in);
        QFETCH(qint64, out);
        QCOMPARE(qint64(whole(in)), out);
    }

    void patterns_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<QString>("noLead");
        QTest::addColumn<QString>("fixed2");
        QTest::addColumn<QString>("plain");
        QTest::newRow("zero") << 0.0 << u"0.00"_s << u".00"_s << u"0.00"_s << u"0"_s;
        QTest::newRow("half") << 0.5 << u"0.50"_s << u".50"_s << u"0.50"_s << u"0.5"_s;
        QTest::newRow("fee 15") << 15.0 << u"15.00"_s << u"15.00"_s << u"15.00"_s << u"15"_s;
        QTest::newRow("fee 12.5") << 12.5 << u"12.50"_s << u"12.50"_s << u"12.50"_s << u"12.5"_s;
        QTest::newRow("thousands") << 1234.5 << u"1,234.50"_s << u"1,234.50"_s << u"1234.50"_s << u"1234.5"_s;
        QTest::newRow("total") << 1750.5 << u"1,750.50"_s << u"1,750.50"_s << u"1750.50"_s << u"1750.5"_s;
        QTest::newRow("millions") << 12345678.9 << u"12,345,678.90"_s << u"12,345,678.90"_s << u"12345678.90"_s
                                  << u"12345678.9"_s;
        QTest::newRow("half cent away from zero") << 1.005 << u"1.01"_s << u"1.01"_s << u"1.01"_s << u"1.005"_s;
        QTest::newRow("three decimals down")
            << 1000.004 << u"1,000.00"_s << u"1,000.00"_s << u"1000.00"_s << u"1000.004"_s;
        QTest::newRow("carry into thousands")
            << 999.996 << u"1,000.00"_s << u"1,000.00"_s << u"1000.00"_s << u"999.996"_s;
        QTest::newRow("negative") << -1234.5 << u"-1,234.50"_s << u"-1,234.50"_s << u"-1234.50"_s << u"-1234.5"_s;
        QTest::newRow("negative rounding to zero") << -0.001 << u"0.00"_s << u".00"_s << u"0.00"_s << u"-0.001"_s;
        QTest::newRow("sum noise") << (0.1 + 0.2) << u"0.30"_s << u".30"_s << u"0.30"_s << u"0.3"_s;
    }
    void patterns()
    {
        QFETCH(double, value);
        QFETCH(QString, grouped);
        QFETCH(QString, noLead);
        QFETCH(QString, fixed2);
        QFETCH(QString, plain);
        QCOMPARE(formatGrouped(value), grouped);
        QCOMPARE(formatGroupedNoLead(value), noLead);
        QCOMPARE(formatFixed2(value), fixed2);
        QCOMPARE(formatPlain(value), plain);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
