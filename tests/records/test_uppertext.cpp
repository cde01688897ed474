// The upper-cased copy must find the same first line as upper-casing every line would,
// before and after the batch changes under it.
#include "records/codec.h"
#include "records/recordstore.h"

#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

namespace {

qsizetype plainFind(const QStringList &lines, const QString &typed)
{
    const QString needle = typed.toUpper();
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).toUpper().contains(needle))
            return i;
    return -1;
}

const QStringList kLines{u"101|1|Zed|a|100|x|y|z|"_s,          u"101|1|straße|a|100|x|y|z|"_s,
                         u"101|1|\uFB00oo|a|100|x|y|z|"_s,     u"101|1|bob|a|100|x|y|z|"_s,
                         u"101|1|นายสมชาย ใจดี|a|100|x|y|z|"_s, u"101|1|\u0131rma|a|100|x|y|z|"_s,
                         u"101|1|Ğül\nline|a|100|x|y|z|"_s,    u"104|1|😀 emoji|a|100|x|y|z|"_s};

const QStringList kTyped{
    u""_s,      u"b"_s,    u"BOB"_s,           u"STRASSE"_s, u"ss"_s, u"ffo"_s,  u"\u0131rma"_s, u"irma"_s,
    u"สมชาย"_s, u"ZED|"_s, u"|z|\n"_s,         u"\n"_s,      u"ğü"_s, u"L\nL"_s, u"😀"_s,         u"😀 E"_s,
    u"104|"_s,  u"qqq"_s,  QString(400, u'x'), u"Y|Z|1"_s,   u"|"_s};

}  // namespace

class TestUpperText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsAsUpperCasingEveryLine_data()
    {
        QTest::addColumn<QString>("typed");
        for (const QString &t : kTyped)
            QTest::newRow(qPrintable(t.left(12))) << t;
    }
    void findsAsUpperCasingEveryLine()
    {
        QFETCH(QString, typed);
        RecordStore s;
        s.assign(kLines);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
        // Every kind of change, each checked against the lines as they now are.
        s.setAt(3, u"101|1|BOBBY ß|a|100|x|y|z|"_s);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
        s.insert(0, u"112||ffo qqq|a|1|x|y|z|"_s);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
        s.append(u"101|1|xx"_s + QString(400, u'x') + u"|"_s);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
        s.removeAt(1);
        s.removeAt(0);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
        s.setAt(s.count(), u"สมชาย|"_s);  // just past the end: appends
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
        s.clear();
        QCOMPARE(s.findUpper(typed.toUpper()), qsizetype(-1));
        s.append(u"bob|"_s);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
    }

    // An opened file's copy is made from its code-page bytes: every byte value must find
    // what its decoded line finds, before any change and after one.
    void fileBytesFindAsTheirText_data()
    {
        QTest::addColumn<QString>("typed");
        for (const QString &t : kTyped + QStringList{u"a"_s, u"\u20AC"_s, u"\u00A0"_s, u"\u0E3F"_s, u"ก|"_s})
            QTest::newRow(qPrintable(t.left(12))) << t;
    }
    void fileBytesFindAsTheirText()
    {
        QFETCH(QString, typed);
        QByteArray raw;
        LineBlock block;
        auto addLine = [&](const QByteArray &line) {
            block.spans.push_back({raw.size(), line.size()});
            raw += line + "\r\n";
        };
        for (const QString &l : kLines)
            if (const cp874::EncodeResult e = cp874::encode(l); e.ok)
                addLine(e.bytes);
        for (int from = 0x20; from < 0x100; from += 16) {
            QByteArray l = "101|1|";
            for (int b = from; b < from + 16; ++b)
                l += char(b);
            addLine(l + "|a|100|");
        }
        block.raw = raw;
        RecordStore s;
        s.assignBlock(block);
        QStringList decoded;
        for (size_t i = 0; i < block.spans.size(); ++i)
            decoded.append(cp874::decode(block.rawLine(i)));
        for (qsizetype i = 0; i < decoded.size(); ++i)
            QCOMPARE(s.at(i), decoded.at(i));
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(decoded, typed));
        QCOMPARE(s.lines(), decoded);
        s.setAt(0, u"101|1|bob|a|100|"_s);
        QCOMPARE(s.findUpper(typed.toUpper()), plainFind(s.lines(), typed));
    }
};

QTEST_GUILESS_MAIN(TestUpperText)
#include "test_uppertext.moc"
