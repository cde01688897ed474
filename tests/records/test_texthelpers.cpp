#include "records/texthelpers.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestTextHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Blanks are U+0020 only; tabs, line breaks and no-break spaces stay, as the entry
    // checks see them. White-space trimming takes them all.
    void trim_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("blanks");
        QTest::addColumn<QString>("leading");
        QTest::addColumn<QString>("whiteSpace");
        QTest::newRow("empty") << QString() << QString() << QString() << QString();
        QTest::newRow("only blanks") << u"   "_s << QString() << QString() << QString();
        QTest::newRow("both ends") << u"  ก ข  "_s << u"ก ข"_s << u"ก ข  "_s << u"ก ข"_s;
        QTest::newRow("inner kept") << u"a  b"_s << u"a  b"_s << u"a  b"_s << u"a  b"_s;
        QTest::newRow("tab") << u"\t101 "_s << u"\t101"_s << u"\t101 "_s << u"101"_s;
        QTest::newRow("line break") << u" 1\r\n"_s << u"1\r\n"_s << u"1\r\n"_s << u"1"_s;
        QTest::newRow("no-break space") << u"\u00a0x "_s << u"\u00a0x"_s << u"\u00a0x "_s << u"x"_s;
    }
    void trim()
    {
        QFETCH(QString, text);
        QFETCH(QString, blanks);
        QFETCH(QString, leading);
        QFETCH(QString, whiteSpace);
        QCOMPARE(trimmedBlanks(text).toString(), blanks);
        QCOMPARE(trimBlanks(text), blanks);
        QCOMPARE(isBlank(text), blanks.isEmpty());
        QCOMPARE(trimLeadingBlanks(text).toString(), leading);
        QCOMPARE(trimWhiteSpace(text).toString(), whiteSpace);
    }

    void indexOfTrimmed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("exact") << u"103"_s << 1;
        QTest::newRow("blanks around both") << u" 104  "_s << 2;
        QTest::newRow("tab is not a blank") << u"103\t"_s << -1;
        QTest::newRow("first of equals") << u"101"_s << 0;
        QTest::newRow("missing") << u"999"_s << -1;
    }
    void indexOfTrimmed()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        const QStringList list{u"101"_s, u"103"_s, u"  104"_s, u"101 "_s};
        QCOMPARE(vorlane::indexOfTrimmed(list, text), index);
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "test_texthelpers.moc"
