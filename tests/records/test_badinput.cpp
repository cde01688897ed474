#include "records/codec.h"
#include "records/cusname.h"
#include "records/datafile.h"
#include "records/fee.h"
#include "records/recordline.h"
#include "records/tables.h"
#include "tempfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace vorlane;
using namespace Qt::StringLiterals;

namespace {

// Root reads and writes past permissions; this takes that power from the calling thread
// (the only one the file code runs on here) until destroyed. `ok` is false when the system
// refuses; an ordinary user needs nothing dropped.
struct WithoutFilePrivileges {
    bool ok = false;
    bool dropped = false;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    WithoutFilePrivileges()
    {
        if (::geteuid() != 0) {
            ok = true;
            return;
        }
        if (::syscall(SYS_capget, &header, saved) != 0)
            return;
        __user_cap_data_struct reduced[2];
        std::memcpy(reduced, saved, sizeof reduced);
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        ok = dropped = ::syscall(SYS_capset, &header, reduced) == 0;
    }
    ~WithoutFilePrivileges()
    {
        if (dropped)
            ::syscall(SYS_capset, &header, saved);
    }
};

QByteArray repeated(const QByteArray &line, int times)
{
    QByteArray out;
    out.reserve(line.size() * times);
    for (int i = 0; i < times; ++i)
        out += line;
    return out;
}

QByteArray cp(const QString &s) { return cp874::encode(s).bytes; }

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &n) { return dir.filePath(n); }

    // Every reader of outside files, on one file: none may fail, hang or exceed its bounds.
    void readAllWays(const QString &file)
    {
        const ReadResult r = ReadDataFile(file);
        QVERIFY(r.ok() || r.error == FileError::TooLarge);
        for (const QString &l : r.lines)
            QVERIFY(IsRecordLine(l));
        const RateTable rates = LoadRateTable(file);
        QVERIFY(rates.rowCount >= 0 && rates.rowCount <= kRateSlots);
        QVERIFY(qIsFinite(ComputeFee(rates, u"101"_s, u"1,250.50"_s)));
        const CodeNameTable names = LoadCodeNameTable(file);
        QCOMPARE(names.codes.size(), names.names.size());
        ReadCusname(file);
    }

private Q_SLOTS:
    void garbageLoadsWhatItCan_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");

        QByteArray noise(1 << 20, Qt::Uninitialized);
        QRandomGenerator rng(874);
        for (char &c : noise)
            c = char(rng.bounded(256));
        // Random bytes hold a record line only by chance; count them as the reader must.
        int chance = 0;
        for (const QByteArray &l : noise.replace("\r\n", "\n").replace('\r', '\n').split('\n')) {
            const qsizetype bars = l.count('|');
            chance += bars == 6 || bars == 8;
        }
        QTest::newRow("1 MiB of random bytes") << noise << chance;
        QTest::newRow("NUL bytes") << QByteArray(100000, '\0') << 0;
        QTest::newRow("NUL inside a record") << QByteArray("1|2|\0|4|5|6|\r\n", 14) << 1;
        QTest::newRow("bars without line ends") << QByteArray(100000, '|') << 0;
        QTest::newRow("line ends only") << repeated("\r\n", 100000) << 0;
        QTest::newRow("half a record") << QByteArray("101|10100|") << 0;
        QTest::newRow("UTF-8 Thai") << QString(u"101|10100|สมชาย|ก|500|ข|ค|ง|\r\n"_s).toUtf8() << 1;
        QTest::newRow("UTF-16 with byte-order mark") << QByteArray("\xFF\xFE"
                                                                   "1\0|\0"
                                                                   "2\0|\0",
                                                                   10)
                                                     << 0;
    }
    void garbageLoadsWhatItCan()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        const QString file = path(u"garbage.txt"_s);
        QVERIFY(test::writeBytes(file, bytes));
        const ReadResult r = ReadDataFile(file);
        QVERIFY(r.ok());
        QCOMPARE(r.lines.size(), records);
        readAllWays(file);
        // Whatever was loaded saves again without complaint.
        QVERIFY(WriteDataFile(path(u"resaved.txt"_s), r.lines).ok());
    }

    void oversizedFilesAreRefused_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("one byte too many") << kMaxDataFileBytes + 1;
        QTest::newRow("1 GiB") << (qint64(1) << 30);
    }
    void oversizedFilesAreRefused()
    {
        QFETCH(qint64, size);
        const QString file = path(u"huge.txt"_s);
        {
            // Sparse: the size is real, the disk blocks are not.
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(f.write("101|10100|a|b|500|c|d|e|\r\n") > 0);
            QVERIFY(f.resize(size));
        }
        const ReadResult r = ReadDataFile(file);
        QCOMPARE(r.error, FileError::TooLarge);
        QVERIFY(r.lines.isEmpty());
        QVERIFY(!r.detail.isEmpty());
        QCOMPARE(FailureCause(r.file), u"แฟ้มใหญ่เกินไป"_s);
        // Nor is such a file a table or a depositor file.
        TableStatus status;
        QCOMPARE(LoadRateTable(file, &status).rowCount, 0);
        QVERIFY(!status.found);
        QVERIFY(LoadCodeNameTable(file).codes.isEmpty());
        QVERIFY(!ReadCusname(file).has_value());
        QFile::remove(file);
    }

    void tenMegabyteLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("skipped");
        const QByteArray big(10 * 1024 * 1024, 'x');
        const QByteArray rec = "101|10100|a|b|500|c|d|e|\r\n";
        QTest::newRow("in a record") << QByteArray("101|10100|" + big + "|b|500|c|d|e|\r\n") << 1 << 0;
        QTest::newRow("without bars, between records") << QByteArray(rec + big + "\r\n" + rec) << 2 << 1;
        QTest::newRow("of bars") << QByteArray(10 * 1024 * 1024, '|') << 0 << 1;
        QTest::newRow("an open quote") << QByteArray("\"" + big) << 0 << 1;
    }
    void tenMegabyteLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QFETCH(int, skipped);
        const QString file = path(u"long.txt"_s);
        QVERIFY(test::writeBytes(file, bytes));
        const ReadResult r = ReadDataFile(file);
        QVERIFY(r.ok());
        QCOMPARE(r.lines.size(), records);
        QCOMPARE(r.skipped, qsizetype(skipped));
        if (records == 1)
            QCOMPARE(r.lines[0].size(), bytes.size() - 2);
        readAllWays(file);
    }

    void rateTableWithTextInNumberColumns_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<double>("fee");
        QTest::addColumn<bool>("reported");  // said once when the table is read
        // B=10, S=5, Z=1000, L=0 as reference: 2500 costs 20. A row whose figures cannot
        // be read charges nothing rather than a fee made up from the rest.
        QTest::newRow("reference") << u"101,10,5,1000,0,50000,0"_s << u"2500"_s << 20.0 << false;
        QTest::newRow("base fee is text") << u"101,ten,5,1000,0,50000,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("step fee is text") << u"101,10,five,1000,0,50000,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("step size is text") << u"101,10,5,พัน,0,50000,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("split limit is text") << u"101,10,5,1000,0,50000,ไม่มี"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("limit columns are text") << u"101,10,5,1000,min,max,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("amount is text") << u"101,10,5,1000,0,50000,0"_s << u"2,5OO"_s << 0.0 << false;
        QTest::newRow("type is text") << u"หนึ่ง,10,5,1000,0,50000,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("exponent is text") << u"101,1e1,5,1e3,0,50000,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("huge base fee") << u"101,100000000000000000000,5,1000,0,50000,0"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("missing columns") << u"101,10,5"_s << u"2500"_s << 0.0 << true;
        QTest::newRow("quoted numbers") << u"\"101\",\"10\",\"5\",\"1,000\",0,50000,0"_s << u"2500"_s << 20.0 << false;
    }
    void rateTableWithTextInNumberColumns()
    {
        QFETCH(QString, row);
        QFETCH(QString, amount);
        QFETCH(double, fee);
        QFETCH(bool, reported);
        const QString file = path(u"rate.txt"_s);
        QVERIFY(test::writeCp874(file, {row}));
        TableStatus status;
        const RateTable rates = LoadRateTable(file, &status);
        QCOMPARE(rates.rowCount, 1);
        QCOMPARE(ComputeFee(rates, u"101"_s, amount), fee);
        QCOMPARE(status.badRows.size(), reported ? 1 : 0);
        if (reported)
            QVERIFY(status.badRows[0].startsWith(u"rate.txt แถวที่ 1 "_s) && status.badRows[0].endsWith(row));
    }

    void rateTableOfAThousandLines()
    {
        QStringList lines;
        for (int i = 0; i < 1000; ++i)
            lines.append(u"%1,%2,5,1000,0,50000,0"_s.arg(100 + i).arg(i + 1));
        const QString file = path(u"rate.txt"_s);
        QVERIFY(test::writeCp874(file, lines));
        const RateTable rates = LoadRateTable(file);
        QCOMPARE(rates.rowCount, kRateSlots);
        QCOMPARE(rates.RateLastIndex, kRateSlots - 1);
        QCOMPARE(rates.rows[kRateSlots - 1].TypeCode, u"120"_s);
        // Types beyond the 21 slots are unknown and charged by row 0 (base fee 1).
        QVERIFY(!rates.rowByValue(u"600"_s).has_value());
        QCOMPARE(ComputeFee(rates, u"600"_s, u"500"_s), 1.0);
        QCOMPARE(ComputeFee(rates, u"120"_s, u"500"_s), 21.0);
    }

    void postcodeTableOfManyLines_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void postcodeTableOfManyLines()
    {
        QFETCH(QByteArray, eol);
        constexpr int kLines = 100000;
        QStringList lines;
        lines.reserve(kLines);
        for (int i = 0; i < kLines; ++i)
            lines.append(u"%1,\"ที่ทำการ %2, เขต %3\""_s.arg(i, 5, 10, QLatin1Char('0')).arg(i).arg(i % 50));
        const QString file = path(u"postcode.txt"_s);
        QVERIFY(test::writeCp874(file, lines, eol));
        const CodeNameTable t = LoadCodeNameTable(file);
        QCOMPARE(t.codes.size(), kLines);
        QCOMPARE(t.names.size(), kLines);
        for (int k : {0, 1, 54321, kLines - 1}) {
            QCOMPARE(t.codes[k], u"%1"_s.arg(k, 5, 10, QLatin1Char('0')));
            QCOMPARE(t.names[k], u"ที่ทำการ %1, เขต %2"_s.arg(k).arg(k % 50));
        }
    }

    void tableLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("lastCode");
        QTest::newRow("CR LF") << QByteArray("101,10\r\n103,15\r\n") << 2 << u"103"_s;
        QTest::newRow("LF") << QByteArray("101,10\n103,15\n") << 2 << u"103"_s;
        QTest::newRow("CR") << QByteArray("101,10\r103,15\r") << 2 << u"103"_s;
        QTest::newRow("LF CR") << QByteArray("101,10\n\r103,15\n\r") << 2 << u"103"_s;
        QTest::newRow("CR CR LF") << QByteArray("101,10\r\r\n103,15\r\r\n") << 2 << u"103"_s;
        QTest::newRow("no last line end") << QByteArray("101,10\r\n103,15") << 2 << u"103"_s;
        QTest::newRow("blank lines between") << QByteArray("\r\n \t\r\n101,10\r\n\r\n103,15\r\n\r\n") << 2 << u"103"_s;
        QTest::newRow("line end inside quotes") << QByteArray("\"101\r\n103\",15\r\n") << 2 << u"103\""_s;
    }
    void tableLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        QFETCH(QString, lastCode);
        const QString file = path(u"mo.txt"_s);
        QVERIFY(test::writeBytes(file, bytes));
        const CodeNameTable t = LoadCodeNameTable(file);
        QCOMPARE(t.codes.size(), rows);
        QCOMPARE(t.codes.last(), lastCode);
        QCOMPARE(LoadRateTable(file).rowCount, rows);
    }

    void dataFileMixedLineEnds_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::addColumn<int>("skipped");
        // A lone CR and a lone LF each end a line, so these pairs leave a blank line between.
        QTest::newRow("LF CR") << QByteArray("\n\r") << 2;
        QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << 2;
        QTest::newRow("CR LF LF") << QByteArray("\r\n\n") << 2;
    }
    void dataFileMixedLineEnds()
    {
        QFETCH(QByteArray, eol);
        QFETCH(int, skipped);
        const QString file = path(u"mixed.txt"_s);
        QVERIFY(test::writeBytes(file, "1|2|3|4|5|6|" + eol + "1|2|3|4|5|6|7|8|" + eol));
        const ReadResult r = ReadDataFile(file);
        QCOMPARE(r.lines, (QStringList{u"1|2|3|4|5|6|"_s, u"1|2|3|4|5|6|7|8|"_s}));
        QCOMPARE(r.skipped, qsizetype(skipped));
    }

    void undefinedBytesSurviveTheDepositorFile()
    {
        // Bytes the code page leaves undefined, in both fields, come back as they were.
        const QByteArray bytes = "\"\x81\x82 \xDB\xDC\",\"\xFC\xFD\xFE\xFF \x8E\"\r\n";
        const QString file = path(u"cusname.txt"_s);
        QVERIFY(test::writeBytes(file, bytes));
        const auto d = ReadCusname(file);
        QVERIFY(d.has_value());
        QCOMPARE(d->name.size(), 5);
        QVERIFY(WriteCusname(path(u"cusname2.txt"_s), *d));
        QCOMPARE(test::readBytes(path(u"cusname2.txt"_s)), bytes);

        // The same bytes in a post-office name stay at their line.
        QVERIFY(test::writeBytes(path(u"postcode.txt"_s), "10100,\x81\xDB\xFF\r\n10110," + cp(u"คลองเตย"_s) + "\r\n"));
        const CodeNameTable t = LoadCodeNameTable(path(u"postcode.txt"_s));
        QCOMPARE(t.codes, (QStringList{u"10100"_s, u"10110"_s}));
        QCOMPARE(cp874::encode(t.names[0]).bytes, QByteArray("\x81\xDB\xFF"));
    }

    void depositorFileOfManyRecords()
    {
        QByteArray bytes;
        for (int i = 0; i < 50000; ++i)
            bytes += cp(u"\"ชื่อ %1\",\"ที่อยู่ %1\"\r\n"_s.arg(i));
        bytes += "\r\n\r\n";  // blank lines after the last record do not empty it
        const QString file = path(u"cusname.txt"_s);
        QVERIFY(test::writeBytes(file, bytes));
        const auto d = ReadCusname(file);
        QVERIFY(d.has_value());
        QCOMPARE(d->name, u"ชื่อ 49999"_s);
        QCOMPARE(d->address, u"ที่อยู่ 49999"_s);
    }

    void emptyFiles()
    {
        const QString file = path(u"empty.txt"_s);
        QVERIFY(test::writeBytes(file, QByteArray()));
        const ReadResult r = ReadDataFile(file);
        QVERIFY(r.ok());
        QVERIFY(r.lines.isEmpty());
        QCOMPARE(r.skipped, qsizetype(0));
        TableStatus status;
        const RateTable rates = LoadRateTable(file, &status);
        QVERIFY(status.found);
        QCOMPARE(rates.rowCount, 0);
        QCOMPARE(ComputeFee(rates, u"101"_s, u"500"_s), 0.0);
        QVERIFY(LoadCodeNameTable(file).codes.isEmpty());
        QVERIFY(!ReadCusname(file).has_value());
        // Only blanks and line ends: as empty as an empty file.
        QVERIFY(test::writeBytes(file, " \t\r\n\r\n  \n"));
        QVERIFY(!ReadCusname(file).has_value());
        QCOMPARE(LoadRateTable(file).rowCount, 0);
    }

    void notAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("cause");  // what the message box says after the file's name
        const QString notRegular = u"ไม่ใช่แฟ้มปกติ"_s;
        QTest::newRow("folder") << u"folder"_s << int(FileError::Unreadable) << notRegular;
        QTest::newRow("named pipe") << u"pipe"_s << int(FileError::Unreadable) << notRegular;
        QTest::newRow("endless device") << u"device"_s << int(FileError::Unreadable) << notRegular;
        QTest::newRow("link to a folder") << u"folderlink"_s << int(FileError::Unreadable) << notRegular;
        QTest::newRow("dangling link") << u"dangling"_s << int(FileError::NotFound) << u"ไม่พบแฟ้มนี้"_s;
    }
    void notAFile()
    {
        QFETCH(QString, kind);
        QFETCH(int, error);
        QFETCH(QString, cause);
        QTemporaryDir here;
        QString file = here.filePath(u"x.txt"_s);
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(file));
        else if (kind == u"pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
        else if (kind == u"device")
            QVERIFY(QFile::link(u"/dev/zero"_s, file));
        else if (kind == u"folderlink")
            QVERIFY(QFile::link(here.path(), file));
        else
            QVERIFY(QFile::link(here.filePath(u"gone.txt"_s), file));

        // None of these may block on a pipe or read an endless device.
        const ReadResult r = ReadDataFile(file);
        QCOMPARE(int(r.error), error);
        QVERIFY(r.lines.isEmpty());
        QCOMPARE(FailureLine(r.file), file + u" : "_s + cause);
        TableStatus status;
        QCOMPARE(LoadRateTable(file, &status).rowCount, 0);
        QVERIFY(!status.found);
        QCOMPARE(FailureLine(status.failure), file + u" : "_s + cause);
        QVERIFY(!LoadCodeNameTable(file, &status).codes.size());
        QVERIFY(!status.found);
        QVERIFY(!ReadCusname(file).has_value());
    }

    void saveOntoAFolderFails()
    {
        QTemporaryDir here;
        const QString folder = here.filePath(u"batch.txt"_s);
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::exists(folder + u"/../batch.txt"_s));
        const WriteResult w = WriteDataFile(folder, {u"1|2|3|4|5|6|"_s});
        QCOMPARE(w.error, FileError::WriteFailed);
        QCOMPARE(FailureLine(w.file), folder + u" : ไม่ใช่แฟ้มปกติ"_s);
        QVERIFY(!WriteCusname(folder, {u"a"_s, u"b"_s}));
        QVERIFY(QFileInfo(folder).isDir());
    }

    void unreadableFiles()
    {
        const QString file = path(u"locked.txt"_s);
        QVERIFY(test::writeBytes(file, "101,10,5,1000,0,50000,0\r\n\"a\",\"b\"\r\n1|2|3|4|5|6|\r\n"));
        QVERIFY(QFile::setPermissions(file, QFileDevice::Permissions()));
        WithoutFilePrivileges noPrivileges;
        if (!noPrivileges.ok)
            QSKIP("cannot give up the power to read any file here");
        const ReadResult r = ReadDataFile(file);
        QCOMPARE(r.error, FileError::Unreadable);
        QVERIFY(r.lines.isEmpty());
        // The system's own words say why a file that is there cannot be read.
        QCOMPARE(FailureLine(r.file), file + u" : อ่านแฟ้มไม่ได้ ("_s + r.file.cause + u')');
        QVERIFY(!r.file.cause.isEmpty());
        TableStatus status;
        QCOMPARE(LoadRateTable(file, &status).rowCount, 0);
        QVERIFY(!status.found);
        QVERIFY(!ReadCusname(file).has_value());
    }

    void readOnlyDepositorFileIsKept()
    {
        // A folder that cannot be written keeps the previous depositor file.
        QTemporaryDir folder;
        const QString file = folder.filePath(u"cusname.txt"_s);
        QVERIFY(WriteCusname(file, {u"เดิม"_s, u"ที่อยู่เดิม"_s}));
        const QByteArray before = test::readBytes(file);
        bool written = true;
        {
            test::LockedFolder lock(folder.path());
            if (!lock.ok)
                QSKIP("cannot make a folder read-only here");
            written = WriteCusname(file, {u"ใหม่"_s, u"ที่อยู่ใหม่"_s});
        }
        QVERIFY(!written);
        QCOMPARE(test::readBytes(file), before);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"cusname.txt"_s});
    }
};

QTEST_GUILESS_MAIN(TestBadInput)
#include "test_badinput.moc"
