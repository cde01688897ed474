// vorlane-cli at its edges, run as another program runs it: help and version, an
// installed copy's depositor, a write past the file-size limit, a link as the output, an
// import that reads no order, a rate row that cannot be read.
#include "tempfiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using vorlane::test::readBytes;
using vorlane::test::writeBytes;
using vorlane::test::writeCp874;

namespace {

struct Run {
    int code = -1;
    bool crashed = true;
    QString out, err;
};

// HOME is `home`; `fileLimit` > 0: no file may grow past it, and the signal that limit
// raises is left as the system sets it, so the tool must deal with it itself.
Run cli(const QString &program, const QStringList &args, const QString &home, rlim_t fileLimit = 0)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, home);
    env.remove(u"XDG_CONFIG_HOME"_s);
    env.remove(u"XDG_DATA_HOME"_s);
    p.setProcessEnvironment(env);
    p.setChildProcessModifier([fileLimit] {
        std::signal(SIGXFSZ, SIG_DFL);
        if (fileLimit > 0) {
            rlimit l{};
            getrlimit(RLIMIT_FSIZE, &l);
            l.rlim_cur = fileLimit;
            setrlimit(RLIMIT_FSIZE, &l);
        }
    });
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), p.exitStatus() == QProcess::CrashExit, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString built() { return qEnvironmentVariable("VORLANE_BIN_DIR") + u"/vorlane-cli"_s; }

const QByteArray kHeader = "ประเภท,รหัสไปรษณีย์,ชื่อผู้รับ,ที่อยู่ผู้รับ,จำนวนเงิน\n";

}  // namespace

class TestEdgesCli : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QString tables;

private Q_SLOTS:
    void initTestCase()
    {
        tables = home.filePath(u"tables"_s);
        QVERIFY(QDir().mkpath(tables));
        const QString data = qEnvironmentVariable("VORLANE_TEST_DATA");
        for (const char *name : {"rate.txt", "mo.txt", "postcode.txt", "mo1.txt"})
            QVERIFY(QFile::copy(QDir(data).filePath(QString::fromLatin1(name)),
                                QDir(tables).filePath(QString::fromLatin1(name))));
        QVERIFY(writeCp874(QDir(tables).filePath(u"cusname.txt"_s), {u"\"บริษัท ก\",\"9 ถนน\""_s}));
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("starts");  // of standard output
        QTest::newRow("--help") << u"--help"_s << 0 << u"usage:"_s;
        QTest::newRow("-h") << u"-h"_s << 0 << u"usage:"_s;
        QTest::newRow("--version") << u"--version"_s << 0 << u"vorlane-cli 1."_s;
        QTest::newRow("unknown command") << u"frobnicate"_s << 2 << QString();
    }
    void helpAndVersion()
    {
        QFETCH(QString, arg);
        QFETCH(int, code);
        QFETCH(QString, starts);
        QTemporaryDir fresh;
        const Run r = cli(built(), {arg}, fresh.path());
        QCOMPARE(r.code, code);
        if (!starts.isEmpty())
            QVERIFY2(r.out.startsWith(starts), qPrintable(r.out));
        // Nothing is left behind in the home folder by a run that writes nothing.
        QCOMPARE(QDir(fresh.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // An installed copy (tables in share/vorlane) takes the depositor the desktop program
    // keeps in the user's settings, and leaves no folder of its own.
    void installedCopyReadsTheSavedDepositor()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir().mkpath(prefix.filePath(u"bin"_s)) && QDir().mkpath(prefix.filePath(u"share/vorlane"_s)));
        const QString program = prefix.filePath(u"bin/vorlane-cli"_s);
        QVERIFY(QFile::copy(built(), program));
        for (const char *name : {"rate.txt", "mo.txt", "postcode.txt", "mo1.txt"})
            QVERIFY(QFile::copy(QDir(tables).filePath(QString::fromLatin1(name)),
                                prefix.filePath(u"share/vorlane/"_s + QString::fromLatin1(name))));
        QTemporaryDir user;
        QVERIFY(QDir().mkpath(user.filePath(u".config/Vorlane"_s)));
        QVERIFY(writeCp874(user.filePath(u".config/Vorlane/cusname.txt"_s), {u"\"ร้าน ข\",\"5 ถนน\""_s}));
        const QString in = user.filePath(u"in.csv"_s);
        QVERIFY(writeBytes(in, kHeader + "101,10100,นาย ก,1 ถนน,500\n"));
        const QString out = user.filePath(u"out.txt"_s);
        const Run r = cli(program, {u"import"_s, in, u"--output"_s, out}, user.path());
        QCOMPARE(r.code, 0);
        QCOMPARE(readBytes(out),
                 vorlane::cp874::encode(u"101|10100|นาย ก|ร้าน ข|500|ป้อมปราบศัตรูพ่าย|1 ถนน|5 ถนน|\r\n"_s).bytes);
        QVERIFY(!QFileInfo::exists(user.filePath(u".config/vorlane-cli"_s)));
    }

    void importFailuresAreTold_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("fileLimit");
        QTest::addColumn<QString>("err");  // a part of standard error
        QTest::newRow("header only") << kHeader << 0 << u"ไม่มีรายการธนาณัติในแฟ้มนี้"_s;
        QTest::newRow("past the file-size limit")
            << QByteArray(kHeader + QByteArray("101,10100,นาย ก,1 ถนน,500\n").repeated(20)) << 200 << u"บันทึกแฟ้มไม่ได้"_s;
    }
    void importFailuresAreTold()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, fileLimit);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.csv"_s);
        QVERIFY(writeBytes(in, csv));
        const QString out = dir.filePath(u"out.txt"_s);
        QVERIFY(writeBytes(out, "old"));
        const Run r = cli(built(), {u"import"_s, u"--tables"_s, tables, u"--force"_s, in, u"--output"_s, out},
                          home.path(), rlim_t(fileLimit));
        QVERIFY(!r.crashed);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        // No counts for a file that was not written, and the old file stands.
        QVERIFY2(!r.out.contains(u"imported:"_s), qPrintable(r.out));
        QCOMPARE(readBytes(out), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"in.csv"_s, u"out.txt"_s}));
    }

    // The output named by a link: the link is replaced, what it pointed to is untouched.
    void outputLinkIsReplaced()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.csv"_s);
        QVERIFY(writeBytes(in, kHeader + "101,10100,นาย ก,1 ถนน,500\n"));
        const QString precious = dir.filePath(u"precious.txt"_s);
        QVERIFY(writeBytes(precious, "keep me"));
        const QString out = dir.filePath(u"out.txt"_s);
        QVERIFY(QFile::link(precious, out));
        const Run r = cli(built(), {u"import"_s, u"--tables"_s, tables, u"--force"_s, in, u"--output"_s, out},
                          home.path());
        QCOMPARE(r.code, 0);
        QCOMPARE(readBytes(precious), QByteArray("keep me"));
        QVERIFY(!QFileInfo(out).isSymLink());
        QVERIFY(readBytes(out).startsWith("101|10100|"));
    }

    // The same recipient, postcode and amount twice: imported and checked, with a warning.
    void duplicatesAreWarnedOf()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.csv"_s);
        QVERIFY(writeBytes(in, kHeader
                                   + "101,10100,นาย ก,1 ถนน,500\n101,10110,นาย ข,2 ถนน,500\n"
                                     "101,10100,นาย ก,3 ถนน,500.00\n"));
        const QString out = dir.filePath(u"out.txt"_s);
        Run r = cli(built(), {u"import"_s, u"--tables"_s, tables, in, u"--output"_s, out}, home.path());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"imported: 3\nrefused: 0\n"_s);
        QCOMPARE(r.err, u"คำเตือน: แถว 4 อาจซ้ำกับแถว 2 (ผู้รับ รหัสไปรษณีย์ และจำนวนเงินเดียวกัน)\n"_s);
        r = cli(built(), {u"check"_s, u"--tables"_s, tables, out}, home.path());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"records: 3\nrefused: 0\n"_s);
        QCOMPARE(r.err, u"คำเตือน: บรรทัด 3 อาจซ้ำกับบรรทัด 1 (ผู้รับ รหัสไปรษณีย์ และจำนวนเงินเดียวกัน)\n"_s);
    }

    // The export builds its workbook beside the output, not in the temporary folder, so a
    // killed export leaves nothing there that no later run removes.
    void exportNeedsNoTemporaryFolder()
    {
        QTemporaryDir dir;
        const QString batch = dir.filePath(u"b.txt"_s);
        QVERIFY(writeCp874(batch, {u"101|10100|ก|ข|500|ป้อมปราบศัตรูพ่าย|ค|ง|"_s}));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"TMPDIR"_s, dir.filePath(u"no-such-folder"_s));
        p.setProcessEnvironment(env);
        p.start(built(), {u"export"_s, u"--tables"_s, tables, batch, u"--output"_s, dir.filePath(u"b.xlsx"_s)});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"b.txt"_s, u"b.xlsx"_s}));
    }

    void brokenRateRowIsReported()
    {
        QTemporaryDir dir;
        for (const char *name : {"mo.txt", "postcode.txt", "mo1.txt"})
            QVERIFY(
                QFile::copy(QDir(tables).filePath(QString::fromLatin1(name)), dir.filePath(QString::fromLatin1(name))));
        QVERIFY(writeCp874(dir.filePath(u"rate.txt"_s), {u"101,สิบ,5,1000,0,50000,0"_s}));
        const QString batch = dir.filePath(u"b.txt"_s);
        QVERIFY(writeCp874(batch, {u"101|10100|ก|ข|500|ป้อมปราบศัตรูพ่าย|ค|ง|"_s}));
        const Run r = cli(built(), {u"check"_s, u"--tables"_s, dir.path(), batch}, home.path());
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, u"rate.txt แถวที่ 1 อ่านตัวเลขไม่ได้ จึงไม่คิดค่าธรรมเนียมจากแถวนี้ : 101,สิบ,5,1000,0,50000,0\n"_s);
    }
};

QTEST_GUILESS_MAIN(TestEdgesCli)
#include "test_edges_cli.moc"
