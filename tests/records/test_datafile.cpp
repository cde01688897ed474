#include "records/codec.h"
#include "records/cusname.h"
#include "records/datafile.h"
#include "records/linereader.h"
#include "tempfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestDataFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &n) { return dir.filePath(n); }

private Q_SLOTS:
    // One rule for every file of lines: bytes and text split alike, whole or fed in pieces
    // (a CR LF cut between two pieces is one line end).
    void linesSplitAlike_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("LF and CR alone") << QByteArray("a\nb\rc") << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\n\ra") << QStringList{{}, {}, {}, u"a"_s};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{u"a"_s, {}, u"b"_s};
        QTest::newRow("no end") << QByteArray("only") << QStringList{u"only"_s};
        QTest::newRow("nothing") << QByteArray() << QStringList{};
    }
    void linesSplitAlike()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, lines);
        for (qsizetype piece : {qsizetype(1), qsizetype(2), input.size() + 1}) {
            QStringList got;
            LineSplitter bytes;
            QByteArray rest;
            for (qsizetype at = 0; at < input.size() || at == 0; at += piece) {
                rest += input.mid(at, piece);
                const bool end = at + piece >= input.size();
                rest.remove(0, bytes.feed(rest.constData(), rest.size(), end,
                                          [&](QByteArrayView l) { got << QString::fromLatin1(l); }));
                if (end)
                    break;
            }
            QCOMPARE(got, lines);
        }
        const QString text = QString::fromLatin1(input);
        QStringList fromText;
        LineSplitter().feed(QStringView(text), true, [&](QStringView l) { fromText << l.toString(); });
        QCOMPARE(fromText, lines);
    }

    void keepsOnlySixAndEightBarLines_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void keepsOnlySixAndEightBarLines()
    {
        QFETCH(QByteArray, eol);
        const QStringList lines{u""_s,
                                u"รายการธนาณัติ"_s,
                                u"a|b|c|d|e|f|g|"_s,
                                u"101|10100|ก|ข|500|ค|ง|จ|"_s,
                                u"1|2|3|4|5|6|"_s,
                                u"   "_s,
                                u"101|10100|ก|ข|500|ค|ง|จ|x|"_s};
        QVERIFY(test::writeCp874(path(u"in.txt"_s), lines, eol));
        const ReadResult r = ReadDataFile(path(u"in.txt"_s));
        QVERIFY(r.ok());
        QCOMPARE(r.lines, (QStringList{u"101|10100|ก|ข|500|ค|ง|จ|"_s, u"1|2|3|4|5|6|"_s}));
        QCOMPARE(r.skipped, qsizetype(5));
    }

    // Work that reads a batch from its file at every pass gets the same record lines each
    // time, or a failure: never half of one file and half of another.
    void passesFindTheSameLines_data()
    {
        QTest::addColumn<QByteArray>("then");  // the file before the second pass; empty: removed
        QTest::addColumn<int>("error");        // FileError of the second pass
        const QByteArray first = "101|1|ก|ข|500|ค|ง|จ|\r\nheading\r\n101|2|ก|ข|600|ค|ง|จ|\r\n";
        QTest::newRow("unchanged") << first << int(FileError::None);
        QTest::newRow("saved again alike, LF line ends")
            << QByteArray("101|1|ก|ข|500|ค|ง|จ|\n101|2|ก|ข|600|ค|ง|จ|\n") << int(FileError::None);
        QTest::newRow("a line that is no order added") << first + "\r\n" << int(FileError::None);
        QTest::newRow("an amount changed, same size")
            << QByteArray(first).replace("600", "700") << int(FileError::Unreadable);
        QTest::newRow("an order added") << first + "101|3|ก|ข|1|ค|ง|จ|\r\n" << int(FileError::Unreadable);
        QTest::newRow("removed") << QByteArray() << int(FileError::NotFound);
    }
    void passesFindTheSameLines()
    {
        QFETCH(QByteArray, then);
        QFETCH(int, error);
        const QString file = path(u"passes.txt"_s);
        QVERIFY(test::writeBytes(file, "101|1|ก|ข|500|ค|ง|จ|\r\nheading\r\n101|2|ก|ข|600|ค|ง|จ|\r\n"));
        DataFilePasses passes(file);
        QList<QByteArray> seen;
        QVERIFY(passes.pass([&](QByteArrayView l) { seen << l.toByteArray(); }).ok());
        QCOMPARE(passes.count(), 2);
        QCOMPARE(seen.size(), 2);
        if (then.isEmpty())
            QVERIFY(QFile::remove(file));
        else
            QVERIFY(test::writeBytes(file, then));
        QList<QByteArray> again;
        QCOMPARE(int(passes.pass([&](QByteArrayView l) { again << l.toByteArray(); }).error), error);
        if (error == int(FileError::None))
            QCOMPARE(again, seen);
    }

    void lastLineWithoutLineEnd()
    {
        QVERIFY(test::writeBytes(path(u"noeol.txt"_s), "1|2|3|4|5|6|7|8|\r\n1|2|3|4|5|6|"));
        QCOMPARE(ReadDataFile(path(u"noeol.txt"_s)).lines.size(), 2);
    }

    void saveAndReopenGivesTheSameBytes()
    {
        QByteArray bytes;
        for (int b = 1; b < 256; ++b)
            if (b != '\r' && b != '\n' && b != '|')
                bytes.append(char(b));
        // Every byte value (undefined ones too) inside a record survives open and save.
        const QByteArray file = "101|10100|" + bytes + "|x|500|y|z|w|\r\n112||n|d|1,250.50||a|b|\r\n";
        QVERIFY(test::writeBytes(path(u"all.txt"_s), file));
        const ReadResult r = ReadDataFile(path(u"all.txt"_s));
        QVERIFY(r.ok());
        QCOMPARE(r.lines.size(), 2);
        QVERIFY(WriteDataFile(path(u"again.txt"_s), r.lines).ok());
        QCOMPARE(test::readBytes(path(u"again.txt"_s)), file);
    }

    void emptyItemIsAnEmptyLine()
    {
        QByteArray out;
        QVERIFY(EncodeDataFile({u"a|"_s, u""_s}, out).ok());
        QCOMPARE(out, QByteArray("a|\r\n\r\n"));
    }

    void missingAndUnreadable()
    {
        QCOMPARE(ReadDataFile(path(u"nope.txt"_s)).error, FileError::NotFound);
        QCOMPARE(ReadDataFile(dir.path()).error, FileError::Unreadable);
        if (::geteuid() != 0) {
            QVERIFY(test::writeBytes(path(u"locked.txt"_s), "1|2|3|4|5|6|\r\n"));
            QFile::setPermissions(path(u"locked.txt"_s), QFileDevice::Permissions());
            const ReadResult r = ReadDataFile(path(u"locked.txt"_s));
            QCOMPARE(r.error, FileError::Unreadable);
            QVERIFY(r.lines.isEmpty());
        }
    }

    void unencodableLineWritesNothing()
    {
        const QString target = path(u"keep.txt"_s);
        QVERIFY(test::writeBytes(target, "old|\r\n"));
        const WriteResult w = WriteDataFile(target, {u"fine|"_s, u"ab😀|"_s});
        QCOMPARE(w.error, FileError::Unencodable);
        QCOMPARE(w.badLine, qsizetype(1));
        QCOMPARE(w.badPos, qsizetype(2));
        QCOMPARE(test::readBytes(target), QByteArray("old|\r\n"));
    }

    void failedSaveKeepsThePreviousFile()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(u"batch.txt"_s);
        QVERIFY(test::writeBytes(target, "previous|\r\n"));
        WriteResult w;
        {
            test::LockedFolder lock(folder.path());
            if (!lock.ok)
                QSKIP("cannot make a folder read-only here");
            w = WriteDataFile(target, {u"new|"_s});
        }
        QCOMPARE(w.error, FileError::WriteFailed);
        QCOMPARE(test::readBytes(target), QByteArray("previous|\r\n"));
    }

    void fullDiskKeepsThePreviousFile()
    {
        QTemporaryDir mountPoint;
        const QString target = mountPoint.filePath(u"batch.txt"_s);
        test::SmallDisk disk(mountPoint.path(), 64);
        if (!disk.ok)
            QSKIP("cannot mount a small file system here");
        QVERIFY(test::writeBytes(target, "previous|\r\n"));
        const QStringList big(4000, QString(40, u'ก') + u"|"_s);  // about 160 KiB
        const WriteResult w = WriteDataFile(target, big);
        QCOMPARE(w.error, FileError::WriteFailed);
        QCOMPARE(test::readBytes(target), QByteArray("previous|\r\n"));
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files), QStringList{u"batch.txt"_s});
    }

    void failedSaveIntoMissingFolder()
    {
        const WriteResult w = WriteDataFile(path(u"no/such/folder/batch.txt"_s), {u"new|"_s});
        QCOMPARE(w.error, FileError::WriteFailed);
        QVERIFY(!QFile::exists(path(u"no/such/folder/batch.txt"_s)));
    }

    void cusnameRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain") << u"บริษัท ตัวอย่าง จำกัด"_s << u"99 ถนนสุขุมวิท กรุงเทพ 10110"_s;
        QTest::newRow("comma") << u"ก, ข"_s << u"1, 2, 3"_s;
        QTest::newRow("quotes") << u"บริษัท \"ดี\" จำกัด"_s << u"\"ซอย\" 5"_s;
        QTest::newRow("blanks kept") << u"  ชื่อ  "_s << u" ที่อยู่ "_s;
    }
    void cusnameRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        const QString p = path(u"cusname.txt"_s);
        QVERIFY(WriteCusname(p, {name, address}));
        const auto back = ReadCusname(p);
        QVERIFY(back.has_value());
        QCOMPARE(back->name, name);
        QCOMPARE(back->address, address);
        QVERIFY(test::readBytes(p).endsWith("\r\n"));
        // Names and addresses: readable by the owner alone, also when rewritten.
        const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                            | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(p) & others, QFileDevice::Permissions());
        QVERIFY(QFile::permissions(p).testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }

    // A "cusname.txt" planted as a link is replaced; what it pointed to keeps its bytes
    // and its mode. A settings folder that does not exist yet is made.
    void cusnameLinkIsReplaced()
    {
        const QString target = path(u"elsewhere.txt"_s);
        QVERIFY(test::writeBytes(target, "someone else's"));
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        const QString p = path(u"cusname-link.txt"_s);
        QVERIFY(QFile::link(target, p));
        QVERIFY(WriteCusname(p, {u"ก"_s, u"ข"_s}));
        QVERIFY(!QFileInfo(p).isSymLink());
        QCOMPARE(ReadCusname(p)->name, u"ก"_s);
        QCOMPARE(test::readBytes(target), QByteArray("someone else's"));
        QCOMPARE(QFileInfo(target).permissions() & QFile::ReadOther, QFile::ReadOther);
        QVERIFY(WriteCusname(path(u"new/folder/cusname.txt"_s), {u"ก"_s, u"ข"_s}));
    }

    void cusnameLastRecordWinsAndMissingIsEmpty()
    {
        const QString p = path(u"several.txt"_s);
        QVERIFY(test::writeCp874(p, {u"\"A\",\"a\""_s, u"\"B\",\"b\""_s}));
        QCOMPARE(ReadCusname(p)->name, u"B"_s);
        QVERIFY(!ReadCusname(path(u"none.txt"_s)).has_value());
        QVERIFY(!WriteCusname(path(u"emoji.txt"_s), {u"😀"_s, u"x"_s}));
        QVERIFY(!QFile::exists(path(u"emoji.txt"_s)));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "test_datafile.moc"
