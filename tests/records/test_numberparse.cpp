// Short amounts take a quick path in toNumber; whatever the path, the value must be the
// one the full decimal conversion gives, to the last bit.
#include "records/numbers.h"

#include <QRandomGenerator>
#include <QTest>

#include <charconv>
#include <cstring>

using namespace vorlane;

class NumberParse : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void agreesWithFullConversion_data();
    void agreesWithFullConversion();
};

void NumberParse::agreesWithFullConversion_data()
{
    QTest::addColumn<int>("maxWhole");
    QTest::addColumn<int>("maxFraction");
    QTest::newRow("amounts") << 7 << 2;
    QTest::newRow("long fractions") << 3 << 14;
    QTest::newRow("around fifteen digits") << 17 << 4;
}

void NumberParse::agreesWithFullConversion()
{
    QFETCH(int, maxWhole);
    QFETCH(int, maxFraction);
    QRandomGenerator rng(874);
    for (int round = 0; round < 50000; ++round) {
        QString text;
        const int whole = int(rng.bounded(quint32(maxWhole + 1)));
        const int fraction = int(rng.bounded(quint32(maxFraction + 1)));
        const bool point = fraction > 0 || rng.bounded(4u) == 0;
        if (whole + fraction == 0)
            continue;
        if (rng.bounded(8u) == 0)
            text += u'-';
        for (int i = 0; i < whole; ++i)
            text += QChar(u'0' + char16_t(rng.bounded(10u)));
        if (point)
            text += u'.';
        for (int i = 0; i < fraction; ++i)
            text += QChar(u'0' + char16_t(rng.bounded(10u)));
        const QByteArray latin = text.toLatin1();
        const char *b = latin.constData() + (text.startsWith(u'-') ? 1 : 0);
        double want = 0;
        std::from_chars(b, latin.constData() + latin.size(), want);
        if (text.startsWith(u'-'))
            want = -want;
        const auto got = toNumber(text);
        QVERIFY2(got.has_value(), qPrintable(text));
        QVERIFY2(std::memcmp(&*got, &want, sizeof want) == 0, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(NumberParse)
#include "test_numberparse.moc"
