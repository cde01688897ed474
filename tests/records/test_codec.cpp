#include "records/codec.h"

#include <QProcess>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = cp874::decode(all);
        QCOMPARE(text.size(), 256);
        const auto back = cp874::encode(text);
        QVERIFY(back.ok);
        QCOMPARE(back.bytes, all);
        // No two bytes share a character, or saving would change a byte nobody edited.
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
    }

    void definedBytesMatchIconv()
    {
        // glibc's CP874 is the Windows code page; it refuses the undefined bytes, so
        // compare byte by byte.
        if (QProcess::execute(u"sh"_s, {u"-c"_s, u"command -v iconv >/dev/null"_s}) != 0)
            QSKIP("iconv not available");
        int compared = 0;
        for (int b = 0; b < 256; ++b) {
            QProcess p;
            p.start(u"iconv"_s, {u"-f"_s, u"CP874"_s, u"-t"_s, u"UTF-8"_s});
            p.write(QByteArray(1, char(b)));
            p.closeWriteChannel();
            QVERIFY(p.waitForFinished(5000));
            if (p.exitCode() != 0)
                continue;  // undefined in the code page
            const QString expected = QString::fromUtf8(p.readAllStandardOutput());
            QCOMPARE(cp874::decode(QByteArray(1, char(b))), expected);
            ++compared;
        }
        QVERIFY2(compared >= 225, qPrintable(QString::number(compared)));
    }

    void thaiTextKnownBytes()
    {
        const QString t = u"ธนาณัติ 1,250.50 บาท"_s;
        const auto e = cp874::encode(t);
        QVERIFY(e.ok);
        QCOMPARE(e.bytes.left(3), QByteArray("\xB8\xB9\xD2"));
        QCOMPARE(cp874::decode(e.bytes), t);
    }

    void unrepresentableIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("pos");
        QTest::addColumn<uint>("ch");
        QTest::newRow("emoji") << u"ab😀c"_s << qsizetype(2) << 0x1F600u;
        QTest::newRow("chinese") << u"中"_s << qsizetype(0) << 0x4E2Du;
        QTest::newRow("curly quote is in the table") << u"x\u201Cy"_s << qsizetype(-1) << 0u;
        QTest::newRow("euro is in the table") << u"€"_s << qsizetype(-1) << 0u;
        QTest::newRow("latin e acute") << u"caf\u00E9"_s << qsizetype(3) << 0xE9u;
    }
    void unrepresentableIsRefused()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, pos);
        QFETCH(uint, ch);
        const auto e = cp874::encode(text);
        qsizetype where = -1;
        QCOMPARE(cp874::canEncode(text, &where), pos < 0);
        if (pos < 0) {
            QVERIFY(e.ok);
            QCOMPARE(cp874::decode(e.bytes), text);
            return;
        }
        QVERIFY(!e.ok);
        QVERIFY(e.bytes.isEmpty());  // never a text with "?" in it
        QCOMPARE(e.errorPos, pos);
        QCOMPARE(where, pos);
        QCOMPARE(uint(e.badChar), ch);
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "test_codec.moc"
