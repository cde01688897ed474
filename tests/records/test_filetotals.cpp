// Totals streamed over a file in chunks must be those of the batch the file opens to,
// wherever the chunk boundaries fall (a CR LF split between two chunks above all).
#include "records/codec.h"
#include "records/datafile.h"
#include "records/fileio.h"
#include "records/linereader.h"
#include "records/recordline.h"
#include "records/totals.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlane;
using namespace Qt::StringLiterals;

class TestFileTotals : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    RateTable rates;

    QString write(const QByteArray &bytes)
    {
        const QString p = dir.filePath(u"in.txt"_s);
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return {};
        return p;
    }

private Q_SLOTS:
    void initTestCase()
    {
        rates.append({u"101"_s, u"10"_s, u"5"_s, u"1000"_s, u"0"_s, u"50000"_s, u"0"_s});
        rates.append({u"104"_s, u"25"_s, u"0"_s, u"0"_s, u"0"_s, u"30000"_s, u"0"_s});
    }

    void sameAsTheOpenedBatch_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray a = cp874::encode(u"101|10100|สมชาย|ข|1250.50|ค|ง|จ|"_s).bytes;
        const QByteArray b = "104|10100|a|b|2500|x|y|z|";
        const QByteArray six = "101|1|a|b|99.5|x|";
        QTest::newRow("CR LF") << a + "\r\n" + b + "\r\n" + six + "\r\n";
        QTest::newRow("LF, no last line end") << a + "\n" + b + "\n" + six;
        QTest::newRow("CR alone") << a + "\r" + b + "\r" + six + "\r";
        QTest::newRow("empty lines and CR CR") << "\r\n\n" + a + "\r\r" + b + "\n\r\n" + six;
        QTest::newRow("heading and wrong bar counts") << "head\r\n1|2|\r\n" + a + "|x|y|\r\n" + b + "\r\n";
        QTest::newRow("Thai amount digits, not numeric") << cp874::encode(u"101|1|a|b|๕๐๐|x|y|z|\r\n"_s).bytes + b;
        QTest::newRow("amount longer than a short field") << "101|1|a|b|" + QByteArray(60, '1') + "|x|y|z|\r\n" + b;
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("line ends only") << QByteArray("\r\n\r\n\r");
    }
    void sameAsTheOpenedBatch()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(bytes);
        QVERIFY(!path.isEmpty());
        const ReadResult opened = ReadDataFile(path);
        QVERIFY(opened.ok());
        RecordStore store;
        store.assign(opened.lines);
        const BatchTotals want = ComputeTotals(store, rates);
        // Opened as the program opens it: totals from the bytes before the text is made.
        RecordStore block;
        block.assignBlock(ReadDataFile(path, LineForm::Block).block);
        const BatchTotals fromBytes = ComputeTotals(block, rates);
        QCOMPARE(fromBytes.count, want.count);
        QCOMPARE(fromBytes.amount, want.amount);
        QCOMPARE(fromBytes.fee, want.fee);
        QCOMPARE(block.lines(), opened.lines);
        // As the window opens it: each line's figures worked out as the lines are found.
        RecordStore withFigures;
        withFigures.assignBlock(ReadDataFile(path, LineForm::Block, &rates).block);
        const BatchTotals atRead = ComputeTotals(withFigures, rates);
        QCOMPARE(atRead.count, want.count);
        QCOMPARE(atRead.amount, want.amount);
        QCOMPARE(atRead.fee, want.fee);
        for (const qsizetype chunk : {1, 2, 3, 7, 1 << 20}) {
            const FileTotals got = ComputeFileTotals(path, rates, chunk);
            QVERIFY2(got.read.ok(), qPrintable(got.read.detail));
            QCOMPARE(got.totals.count, want.count);
            QCOMPARE(got.totals.amount, want.amount);
            QCOMPARE(got.totals.fee, want.fee);
            QCOMPARE(got.read.skipped, opened.skipped);
        }
    }

    // A large batch's first totals are worked out on two threads: every line counted once,
    // the one just past the middle and the last included.
    void largeBatchAsTheFile()
    {
        QByteArray bytes;
        const int n = 20011;
        for (int i = 0; i < n; ++i)
            bytes += (i % 3 ? "101" : "104") + QByteArray("|10100|a|b|") + QByteArray::number(100 + i)
                     + (i % 7 ? "" : ".25") + "|x|y|z|\r\n";
        const QString path = write(bytes);
        QVERIFY(!path.isEmpty());
        RecordStore block;
        block.assignBlock(ReadDataFile(path, LineForm::Block).block);
        const BatchTotals got = ComputeTotals(block, rates);
        const FileTotals want = ComputeFileTotals(path, rates);
        QCOMPARE(got.count, qsizetype(n));
        QCOMPARE(got.amount, want.totals.amount);
        QCOMPARE(got.fee, want.totals.fee);
        // After an edit the figures are those of the lines as they now are.
        block.setAt(n / 2, u"104|10100|a|b|1|x|y|z|"_s);
        QCOMPARE(ComputeTotals(block, rates).amount, want.totals.amount - (100 + n / 2) + 1);
    }

    // Line ends and bars anywhere, also across the 16-byte steps of the opening's scan: the
    // opening keeps and skips the lines the chunked reader sees, in both forms.
    void randomLineEndsAsTheChunkedReader()
    {
        QRandomGenerator random(874);
        const char alphabet[] = {'a', '|', '|', '|', '\r', '\n', ' ', char(0xA1)};
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes;
            const int size = int(random.bounded(90));
            for (int i = 0; i < size; ++i)
                bytes += alphabet[random.bounded(int(sizeof alphabet))];
            const QString path = write(bytes);
            QVERIFY(!path.isEmpty());
            QStringList want;
            qsizetype wantSkipped = 0;
            const ReadResult read = ForEachDataFileLine(path, [&](QByteArrayView line) {
                if (IsRecordLine(line))
                    want << cp874::decode(line);
                else
                    ++wantSkipped;
            });
            QVERIFY(read.ok());
            const ReadResult list = ReadDataFile(path);
            QCOMPARE(list.lines, want);
            QCOMPARE(list.skipped, wantSkipped);
            RecordStore block;
            block.assignBlock(ReadDataFile(path, LineForm::Block).block);
            QCOMPARE(block.lines(), want);
        }
    }

    // A file of several megabytes is read in two halves and its lines found in two parts,
    // each on a core of its own, the figures worked out alongside: the same lines, line
    // ends, skipped lines, figures and stamp as one pass over the file gives, wherever
    // the halves and the parts meet.
    void largeFileInTwoPartsAsOnePass()
    {
        QRandomGenerator random(8740);
        const QByteArray ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r", "\r\n\r\n"};
        const QByteArray amounts[] = {"250", "250.50", "1,250.5", " 12 ", "0.125", "99999999999999", "", "x"};
        for (int round = 0; round < 3; ++round) {
            QByteArray bytes;
            const int target = (5 << 20) + int(random.bounded(1 << 20));
            for (int i = 0; bytes.size() < target; ++i) {
                if (random.bounded(50) == 0)
                    bytes += "notes, not an order";
                else
                    bytes += (i % 3 ? "101" : "104") + QByteArray("|10100|")
                             + QByteArray(int(random.bounded(1, 120)), 'a') + "|b|"
                             + (i % 5 ? QByteArray::number(random.bounded(100000)) : amounts[i % 8]) + "|x|y|z|";
                bytes += ends[random.bounded(int(std::size(ends)))];
            }
            const QString path = write(bytes);
            QVERIFY(!path.isEmpty());
            QStringList want;
            qsizetype wantSkipped = 0;
            QVERIFY(ForEachDataFileLine(path, [&](QByteArrayView line) {
                        if (IsRecordLine(line))
                            want << cp874::decode(line);
                        else
                            ++wantSkipped;
                    }).ok());
            ReadResult read = ReadDataFile(path, LineForm::Block, &rates);
            QVERIFY(read.ok());
            QCOMPARE(read.skipped, wantSkipped);
            QCOMPARE(read.stamp.size, qint64(bytes.size()));
            QCOMPARE(read.stamp.checksum, FileChecksum(bytes));
            RecordStore atRead, later;
            atRead.assignBlock(std::move(read.block));
            later.assign(want);
            QCOMPARE(atRead.lines(), want);
            for (qsizetype i = 0; i < atRead.count(); ++i) {
                const LineFigures &a = atRead.figures(i, rates), &b = later.figures(i, rates);
                QVERIFY2(a.amount == b.amount && a.fee == b.fee && a.beyond == b.beyond, qPrintable(want[i]));
            }
        }
    }

    void refusesWhatOpeningRefuses()
    {
        QCOMPARE(ComputeFileTotals(dir.filePath(u"none.txt"_s), rates).read.error, FileError::NotFound);
        QCOMPARE(ComputeFileTotals(dir.path(), rates).read.error, FileError::Unreadable);
    }
};

QTEST_GUILESS_MAIN(TestFileTotals)
#include "test_filetotals.moc"
