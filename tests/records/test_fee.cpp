#include "records/fee.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

namespace {

RateTable table(std::initializer_list<RateRow> rows)
{
    RateTable t;
    for (const RateRow &r : rows)
        t.append(r);
    return t;
}

// Rows: 101 step (B10 S5 Z1000), 103 split (L5000), 104 flat, 105 S<0, 106 L<0,
// 107 Z=0, 108 L rounding to 0 in baht, 109 non-numeric B, 110 B<0, 111 Z<0, 113 Z<0 with L.
const RateTable kRates = table({
    {u"101"_s, u"10"_s, u"5"_s, u"1000"_s, u"0"_s, u"50000"_s, u"0"_s},
    {u"103"_s, u"10"_s, u"5"_s, u"1000"_s, u"0"_s, u"50000"_s, u"5000"_s},
    {u"104"_s, u"25"_s, u"0"_s, u"0"_s, u"0"_s, u"30000"_s, u"100"_s},
    {u"105"_s, u"10"_s, u"-5"_s, u"1000"_s, u"0"_s, u"50000"_s, u"0"_s},
    {u"106"_s, u"10"_s, u"5"_s, u"1000"_s, u"0"_s, u"50000"_s, u"-1"_s},
    {u"107"_s, u"12"_s, u"5"_s, u"0"_s, u"0"_s, u"50000"_s, u"0"_s},
    {u"108"_s, u"12"_s, u"5"_s, u"1"_s, u"0"_s, u"50000"_s, u"0.3"_s},
    {u"109"_s, u"abc"_s, u"0"_s, u"0"_s, u"0"_s, u"50000"_s, u"0"_s},
    {u"110"_s, u"-20"_s, u"0"_s, u"0"_s, u"0"_s, u"50000"_s, u"0"_s},
    {u"111"_s, u"10"_s, u"5"_s, u"-1000"_s, u"0"_s, u"50000"_s, u"0"_s},
    {u"113"_s, u"10"_s, u"5"_s, u"-1000"_s, u"0"_s, u"50000"_s, u"5000"_s},
});

}  // namespace

class TestFee : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fee_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<double>("fee");
        // Step rule.
        QTest::newRow("step: exactly one step") << u"101"_s << u"1000"_s << 10.0;
        QTest::newRow("step: a satang over") << u"101"_s << u"1000.01"_s << 15.0;
        QTest::newRow("step: two steps") << u"101"_s << u"2000"_s << 15.0;
        QTest::newRow("step: part of a third") << u"101"_s << u"2500"_s << 20.0;
        QTest::newRow("step: three decimals rounded first") << u"101"_s << u"1000.004"_s << 10.0;
        QTest::newRow("step: three decimals rounding up") << u"101"_s << u"1000.005"_s << 15.0;
        QTest::newRow("step: thousands separators") << u"101"_s << u"2,500"_s << 20.0;
        QTest::newRow("step: separators and decimals") << u"101"_s << u"1,250.50"_s << 15.0;
        QTest::newRow("step: small amount") << u"101"_s << u"1"_s << 10.0;
        QTest::newRow("step: blanks around") << u"101"_s << u" 2000 "_s << 15.0;
        // Split rule.
        QTest::newRow("split: below the limit") << u"103"_s << u"4999"_s << 30.0;
        QTest::newRow("split: one full order") << u"103"_s << u"5000"_s << 30.0;
        QTest::newRow("split: remainder within a step") << u"103"_s << u"10500"_s << 70.0;
        QTest::newRow("split: remainder of two steps") << u"103"_s << u"12000"_s << 75.0;
        QTest::newRow("split: hundredths") << u"103"_s << u"10500.00"_s << 70.0;
        QTest::newRow("split: hundredths remainder") << u"103"_s << u"10000.50"_s << 70.0;
        QTest::newRow("split: beyond 32 bits in hundredths") << u"103"_s << u"50,000,000.00"_s << 300000.0;
        // Flat, and rows that would misbehave.
        QTest::newRow("flat: any amount") << u"104"_s << u"99999999"_s << 25.0;
        QTest::newRow("flat: even a non-number") << u"104"_s << u"abc"_s << 25.0;
        QTest::newRow("negative step fee") << u"105"_s << u"2000"_s << 0.0;
        QTest::newRow("negative split limit") << u"106"_s << u"2000"_s << 0.0;
        QTest::newRow("zero step size: base fee") << u"107"_s << u"2000"_s << 12.0;
        QTest::newRow("limit rounding to zero: base fee") << u"108"_s << u"2000"_s << 12.0;
        QTest::newRow("non-numeric base fee") << u"109"_s << u"10"_s << 0.0;
        QTest::newRow("negative base fee: nothing") << u"110"_s << u"2000"_s << 0.0;
        QTest::newRow("negative step size: base fee") << u"111"_s << u"2000"_s << 10.0;
        QTest::newRow("negative step size, split: base fee") << u"113"_s << u"12000"_s << 10.0;
        // Lookups.
        QTest::newRow("unknown type charged by row 0") << u"999"_s << u"2500"_s << 20.0;
        QTest::newRow("type compared as a number") << u" 0103 "_s << u"12000"_s << 75.0;
        QTest::newRow("non-numeric amount on a step row") << u"101"_s << u"abc"_s << 0.0;
    }
    void fee()
    {
        QFETCH(QString, type);
        QFETCH(QString, amount);
        QFETCH(double, fee);
        QCOMPARE(ComputeFee(kRates, type, amount), fee);
    }

    void directlyFilledTableChargesTheSame()
    {
        // A table filled without append() has no parsed figures and takes the slow path.
        RateTable t;
        for (int i = 0; i < kRates.rowCount; ++i)
            t.rows[i] = kRates.rows[i];
        t.rowCount = kRates.rowCount;
        QVERIFY(!t.hasFigures());
        for (const char *amount : {"1000", "1000.01", "12000", "10500", "abc", "50,000,000.00"})
            for (int i = 0; i < t.rowCount; ++i)
                QCOMPARE(ComputeFee(t, t.rows[i].TypeCode, QString::fromLatin1(amount)),
                         ComputeFee(kRates, kRates.rows[i].TypeCode, QString::fromLatin1(amount)));
    }

    // Beyond what is computed exactly: no fee at all, never a saturated one.
    void exactFee_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("charged");
        QTest::newRow("twenty digits") << u"99999999999999999999"_s << false;
        QTest::newRow("negative twenty digits") << u"-99999999999999999999"_s << false;
        QTest::newRow("a satang over the limit") << u"10000000000000.01"_s << false;
        QTest::newRow("the limit") << u"10,000,000,000,000.00"_s << true;
        QTest::newRow("ordinary") << u"1,250.50"_s << true;
        QTest::newRow("not a number: as before") << u"abc"_s << true;
    }
    void exactFee()
    {
        QFETCH(QString, amount);
        QFETCH(bool, charged);
        const std::optional<double> fee = ComputeFeeExact(kRates, u"103"_s, amount);
        QCOMPARE(fee.has_value(), charged);
        if (fee)
            QCOMPARE(*fee, ComputeFee(kRates, u"103"_s, amount));
    }

    void emptyTableChargesNothing() { QCOMPARE(ComputeFee(RateTable{}, u"101"_s, u"500"_s), 0.0); }
};

QTEST_GUILESS_MAIN(TestFee)
#include "test_fee.moc"
