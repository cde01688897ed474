#include "records/fileio.h"
#include "tempfiles.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <utime.h>

using namespace vorlane;
#include "filesizelimit.h"

using namespace Qt::StringLiterals;

namespace {

bool makeOld(const QString &path, int secondsAgo)
{
    const qint64 t = QDateTime::currentSecsSinceEpoch() - secondsAgo;
    utimbuf times{time_t(t), time_t(t)};
    return ::utime(QFile::encodeName(path).constData(), &times) == 0;
}

// The kinds of names a reader or a writer meets.
void makeKind(const QString &kind, const QString &file, const QTemporaryDir &dir)
{
    if (kind == u"fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    else if (kind == u"device"_s)
        QVERIFY(QFile::link(u"/dev/zero"_s, file));
    else if (kind == u"folder"_s)
        QVERIFY(QDir().mkdir(file));
    else if (kind == u"folderlink"_s)
        QVERIFY(QFile::link(dir.path(), file));
    else if (kind == u"big"_s)
        QVERIFY(test::writeBytes(file, QByteArray(101, 'x')));
    else if (kind == u"regular"_s)
        QVERIFY(test::writeBytes(file, "old\r\n"));
}
}  // namespace

class TestFileIo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readRefuses_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << u"missing"_s << int(FileIoError::NotFound);
        QTest::newRow("pipe") << u"fifo"_s << int(FileIoError::NotRegular);
        QTest::newRow("link to a device") << u"device"_s << int(FileIoError::NotRegular);
        QTest::newRow("folder") << u"folder"_s << int(FileIoError::NotRegular);
        QTest::newRow("link to a folder") << u"folderlink"_s << int(FileIoError::NotRegular);
        QTest::newRow("over the limit") << u"big"_s << int(FileIoError::TooLarge);
        QTest::newRow("regular") << u"regular"_s << int(FileIoError::None);
    }
    void readRefuses()
    {
        QFETCH(QString, kind);
        QFETCH(int, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"f.txt"_s);
        makeKind(kind, file, dir);
        const FileReadResult r = ReadFileBounded(file, 100);
        QCOMPARE(int(r.error), error);
        QCOMPARE(r.path, file);
        if (r.ok()) {
            QCOMPARE(r.bytes, QByteArray("old\r\n"));
            QCOMPARE(r.stamp.size, 5);
        } else {
            QVERIFY(r.bytes.isEmpty());
            QVERIFY(r.message().startsWith(file));
        }
    }

    void saveRefusesWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("refuseLink");
        QTest::addColumn<int>("error");
        QTest::newRow("pipe") << u"fifo"_s << false << int(FileIoError::NotRegular);
        QTest::newRow("link to a device") << u"device"_s << false << int(FileIoError::NotRegular);
        QTest::newRow("folder") << u"folder"_s << false << int(FileIoError::NotRegular);
        QTest::newRow("link refused") << u"linkfile"_s << true << int(FileIoError::IsLink);
        QTest::newRow("link replaced, never written through") << u"linkfile"_s << false << int(FileIoError::None);
        QTest::newRow("new file") << u"missing"_s << false << int(FileIoError::None);
    }
    void saveRefusesWhatIsNotARegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, refuseLink);
        QFETCH(int, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"f.txt"_s);
        const QString real = dir.filePath(u"real.txt"_s);
        if (kind == u"linkfile"_s) {
            QVERIFY(test::writeBytes(real, "real"));
            QVERIFY(QFile::link(real, file));
        } else {
            makeKind(kind, file, dir);
        }
        SaveOptions o;
        o.refuseLink = refuseLink;
        const FileIoResult r = SaveFileAtomic(file, "new", o);
        QCOMPARE(int(r.error), error);
        const QFileInfo after(file);
        if (kind == u"fifo"_s)
            QVERIFY(!after.isFile() && after.exists());  // still the pipe
        if (kind == u"linkfile"_s) {
            // Refused, the link stays; saved, the link itself is replaced. Its target
            // never changes either way.
            QCOMPARE(after.isSymLink(), !r.ok());
            QCOMPARE(test::readBytes(real), QByteArray("real"));
            if (r.ok())
                QCOMPARE(test::readBytes(file), QByteArray("new"));
        }
        if (kind == u"missing"_s)
            QCOMPARE(test::readBytes(file), QByteArray("new"));
    }

    void modeIsSet()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"cus.txt"_s);
        QVERIFY(test::writeBytes(file, "x"));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        SaveOptions o;
        o.mode = 0600;
        QVERIFY(SaveFileAtomic(file, "y", o).ok());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
    }

    // A disk that fills during the save keeps the previous file and says so.
    void fullDiskKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"slip.pdf"_s);
        QVERIFY(test::writeBytes(file, "good"));
        FileIoResult r;
        {
            FileSizeLimit limit(1000);
            r = SaveFileAtomic(file, QByteArray(20000, 'p'));
        }
        QCOMPARE(r.error, FileIoError::WriteFailed);
        // Said in its own words, with the system's reason, not as an unknown error. Qt alone
        // tells only a full disk apart.
        if constexpr (platform::kSystemCalls) {
            QCOMPARE(r.fault, platform::Fault::TooLarge);
            QVERIFY2(FailureCause(r).startsWith(u"เขียนแฟ้มไม่ได้ เพราะแฟ้มใหญ่เกินขนาดที่ระบบยอมให้เขียน ("_s),
                     qPrintable(FailureCause(r)));
        } else {
            QVERIFY2(FailureCause(r).startsWith(u"เขียนแฟ้มไม่ได้ ("_s), qPrintable(FailureCause(r)));
        }
        QCOMPARE(test::readBytes(file), QByteArray("good"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"slip.pdf"_s});
    }

    void leftoversOfEarlierSaves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("removed");
        QTest::newRow("temporary of this target") << u"big.txt.ISeYYd"_s << 120 << true;
        QTest::newRow("too young: a save running now") << u"big.txt.ISeYYd"_s << 0 << false;
        QTest::newRow("the user's own backup") << u"big.txt.backup"_s << 120 << false;
        QTest::newRow("another target's") << u"other.txt.ISeYYd"_s << 120 << false;
        QTest::newRow("seven letters") << u"big.txt.ISeYYdx"_s << 120 << false;
        QTest::newRow("digits") << u"big.txt.IS1YYd"_s << 120 << false;
    }
    void leftoversOfEarlierSaves()
    {
        QFETCH(QString, name);
        QFETCH(int, age);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString left = dir.filePath(name);
        QVERIFY(test::writeBytes(left, "half"));
        QVERIFY(makeOld(left, age));
        QVERIFY(SaveFileAtomic(dir.filePath(u"big.txt"_s), "whole").ok());
        QCOMPARE(!QFile::exists(left), removed);
    }

    void changedByAnotherProgram_data()
    {
        QTest::addColumn<QByteArray>("now");  // empty: removed
        QTest::addColumn<bool>("touched");
        QTest::addColumn<bool>("unchanged");
        QTest::addColumn<bool>("keepTime");  // written with the saved time put back (cp -p, rsync -t)
        QTest::newRow("as saved") << QByteArray("12345") << false << true << false;
        QTest::newRow("other bytes, same size and time") << QByteArray("54321") << true << false << true;
        QTest::newRow("same bytes, new time") << QByteArray("12345") << true << true << false;
        QTest::newRow("same size, other bytes") << QByteArray("54321") << true << false << false;
        QTest::newRow("longer") << QByteArray("123456") << true << false << false;
        QTest::newRow("removed") << QByteArray() << false << false << false;
    }
    void changedByAnotherProgram()
    {
        QFETCH(QByteArray, now);
        QFETCH(bool, touched);
        QFETCH(bool, unchanged);
        QFETCH(bool, keepTime);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"d.txt"_s);
        const FileIoResult saved = SaveFileAtomic(file, "12345");
        QVERIFY(saved.ok());
        if (now.isEmpty()) {
            QVERIFY(QFile::remove(file));
        } else if (touched) {
            QVERIFY(test::writeBytes(file, now));
            if (keepTime) {
                const struct timespec times[2] = {
                    {0, UTIME_OMIT},
                    {time_t(saved.stamp.mtimeNs / 1000000000), long(saved.stamp.mtimeNs % 1000000000)}};
                QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
            } else {
                QVERIFY(makeOld(file, 3600));
            }
        }
        QCOMPARE(StillUnchanged(file, saved.stamp, 1000), unchanged);
        QVERIFY(StillUnchanged(dir.filePath(u"never.txt"_s), FileStamp{}, 1000));
    }

    // Every length crosses the block and tail handling differently: a byte changed
    // anywhere, or a zero byte added, must give another checksum.
    void checksumTellsEveryChange_data()
    {
        QTest::addColumn<int>("length");
        for (const int n : {0, 1, 7, 8, 9, 31, 32, 33, 40, 63, 64, 100})
            QTest::newRow(QByteArray::number(n).constData()) << n;
    }
    void checksumTellsEveryChange()
    {
        QFETCH(int, length);
        QByteArray bytes(length, '\0');
        for (int i = 0; i < length; ++i)
            bytes[i] = char(i * 37 + 11);
        const QByteArray base = FileChecksum(bytes);
        QCOMPARE(base.size(), 16);
        QCOMPARE(FileChecksum(QByteArray(bytes)), base);
        QCOMPARE_NE(FileChecksum(bytes + '\0'), base);
        for (int i = 0; i < length; ++i) {
            QByteArray changed = bytes;
            changed[i] = char(changed[i] ^ 0x01);
            QVERIFY2(FileChecksum(changed) != base, QByteArray::number(i).constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "test_fileio.moc"
