#include "records/fee.h"
#include "records/numbers.h"
#include "records/totals.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestTotals : public QObject {
    Q_OBJECT
    RateTable rates;

private Q_SLOTS:
    void initTestCase()
    {
        rates.append({u"101"_s, u"10"_s, u"5"_s, u"1000"_s, u"0"_s, u"50000"_s, u"0"_s});
        rates.append({u"104"_s, u"25"_s, u"0"_s, u"0"_s, u"0"_s, u"30000"_s, u"0"_s});
    }

    void sumsAmountsAndFees()
    {
        RecordStore s;
        s.append(u"101|10100|a|b|500|x|y|z|"_s);
        s.append(u"101|10100|a|b|1250.50|x|y|z|"_s);
        s.append(u"104|10100|a|b|abc|x|y|z|"_s);  // not a number: no amount, flat fee still
        s.append(u"101|10100|"_s);                // too short: no amount, fee of row 0 for nothing
        const BatchTotals t = ComputeTotals(s, rates);
        QCOMPARE(t.count, qsizetype(4));
        QCOMPARE(formatGrouped(t.amount), u"1,750.50"_s);
        QCOMPARE(t.fee, 10.0 + 15.0 + 25.0 + 0.0);
    }

    void amountsBeyondExactAreLeftOutAndCounted()
    {
        RecordStore s;
        s.append(u"101|10100|a|b|500|x|y|z|"_s);
        s.append(u"101|10100|a|b|99999999999999999999|x|y|z|"_s);
        s.append(u"101|10100|a|b|-99999999999999999999|x|y|z|"_s);
        const BatchTotals t = ComputeTotals(s, rates);
        QCOMPARE(t.beyond, qsizetype(2));
        QCOMPARE(t.firstBeyond, qsizetype(1));
        QCOMPARE(t.amount, 500.0);
        QCOMPARE(t.fee, 10.0);
    }

    void figuresFollowEveryEdit()
    {
        RecordStore s;
        s.append(u"101|1|a|b|500|x|y|z|"_s);
        s.append(u"101|1|a|b|2500|x|y|z|"_s);
        QCOMPARE(ComputeTotals(s, rates).fee, 30.0);
        s.setAt(1, u"104|1|a|b|2500|x|y|z|"_s);
        QCOMPARE(ComputeTotals(s, rates).fee, 35.0);
        s.insert(0, u"101|1|a|b|1000.01|x|y|z|"_s);
        QCOMPARE(ComputeTotals(s, rates).fee, 50.0);
        QCOMPARE(ComputeTotals(s, rates).amount, 1000.01 + 500 + 2500);
        s.removeAt(2);
        QCOMPARE(ComputeTotals(s, rates).fee, 25.0);
        s.assign({u"104|1|a|b|1|x|y|z|"_s});
        QCOMPARE(ComputeTotals(s, rates).fee, 25.0);
        s.clear();
        QCOMPARE(ComputeTotals(s, rates).count, qsizetype(0));
        // Another rate table: nothing cached for the first one may be used.
        s.append(u"101|1|a|b|2500|x|y|z|"_s);
        QCOMPARE(ComputeTotals(s, rates).fee, 20.0);
        RateTable flat;
        flat.append({u"101"_s, u"7"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s});
        QCOMPARE(ComputeTotals(s, flat).fee, 7.0);
    }
};

QTEST_GUILESS_MAIN(TestTotals)
#include "test_totals.moc"
