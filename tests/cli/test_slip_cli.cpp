// vorlane-cli slip: the PDF it writes and what it refuses.
#include "../report/slipfixtures.h"
#include "tempfiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using vorlane::test::orderLine;

namespace {

struct Run {
    int code = -1;
    QString err;
};

// `fileLimit` > 0: the tool cannot write files larger than that, as on a full disk.
Run cli(const QStringList &args, rlim_t fileLimit = 0)
{
    QProcess p;
    if (fileLimit > 0)
        p.setChildProcessModifier([fileLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit l{};
            getrlimit(RLIMIT_FSIZE, &l);
            l.rlim_cur = fileLimit;
            setrlimit(RLIMIT_FSIZE, &l);
        });
    p.start(qEnvironmentVariable("VORLANE_BIN_DIR") + u"/vorlane-cli"_s, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QString pdfinfo(const QString &pdf)
{
    QProcess p;
    p.start(u"pdfinfo"_s, {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pages(const QString &pdf)
{
    const auto m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(pdfinfo(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

class TestCliSlip : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString file(const QString &name) const { return dir.filePath(name); }

    // n orders of type 101, then the extra lines.
    QString batch(const QString &name, int n, const QStringList &extra = {})
    {
        QStringList lines;
        for (int i = 0; i < n; ++i)
            lines << orderLine(i);
        lines << extra;
        const QString path = file(name);
        vorlane::test::writeCp874(path, lines);
        return path;
    }

    Run slip(const QStringList &options, const QString &data, const QString &out, rlim_t fileLimit = 0)
    {
        return cli(QStringList{u"slip"_s, u"--tables"_s, dir.path()} + options + QStringList{u"--output"_s, out, data},
                   fileLimit);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(vorlane::test::writeCp874(file(u"rate.txt"_s), {u"101,10,5,1000,0,50000,0"_s})); }

    void wholeBatchOnLetter()
    {
        const QString out = file(u"all.pdf"_s);
        const Run r = slip({}, batch(u"25.txt"_s, 25), out);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(pages(out), 3);
        QVERIFY(pdfinfo(out).contains(u"(letter)"_s));
    }

    void rangeOnA4()
    {
        const QString out = file(u"range.pdf"_s);
        const Run r = slip({u"--paper"_s, u"a4"_s, u"--pages"_s, u"2-3"_s}, batch(u"25.txt"_s, 25), out);
        QCOMPARE(r.code, 0);
        QCOMPARE(pages(out), 2);
        QVERIFY(pdfinfo(out).contains(u"(A4)"_s));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("message");
        QTest::newRow("beyond the pages")
            << QStringList{u"--pages"_s, u"3-3"_s} << 24 << u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  2"_s;
        QTest::newRow("last before first")
            << QStringList{u"--pages"_s, u"2-1"_s} << 30 << u"หน้าสุดท้ายต้องมากกว่าหรือเท่ากับหน้าเริ่มต้น"_s;
        QTest::newRow("not numeric") << QStringList{u"--pages"_s, u"x-1"_s} << 5 << u"ไม่ใช่ตัวเลข"_s;
        QTest::newRow("no last page") << QStringList{u"--pages"_s, u"1-"_s} << 5 << u"ยังไม่ได้พิมพ์ค่าสุดท้าย"_s;
        QTest::newRow("a type without a button")
            << QStringList{u"--type"_s, u"102"_s} << 5 << u"ไม่มีการเลือกประเภทธนาณัติ"_s;
        QTest::newRow("no orders of the type") << QStringList{u"--type"_s, u"115"_s} << 5 << u"ไม่มีข้อมูลจะพิมพ์"_s;
        QTest::newRow("empty batch, range") << QStringList{u"--pages"_s, u"1-1"_s} << 0 << u"ไม่มีข้อมูลที่จะพิมพ์"_s;
    }
    void refusals()
    {
        QFETCH(QStringList, options);
        QFETCH(int, records);
        QFETCH(QString, message);
        const QString out = file(u"refused.pdf"_s);
        QFile::remove(out);
        const Run r = slip(options, batch(u"refuse.txt"_s, records), out);
        QVERIFY(r.code != 0);
        QCOMPARE(r.err.trimmed(), message);
        QVERIFY(!QFileInfo::exists(out));
    }

    void badAmountIsAnError()
    {
        const QString out = file(u"bad.pdf"_s);
        const Run r = slip({}, batch(u"bad.txt"_s, 3, {orderLine(3, u"101"_s, u"ห้าร้อย"_s)}), out);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err.trimmed(), u"Error 13 : Type mismatch ให้ตรวจสอบเครื่องพิมพ์"_s);
        QVERIFY(!QFileInfo::exists(out));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no output") << QStringList{u"slip"_s, u"x.txt"_s};
        QTest::newRow("bad paper") << QStringList{u"slip"_s,     u"--paper"_s, u"legal"_s,
                                                  u"--output"_s, u"o.pdf"_s,   u"x.txt"_s};
        QTest::newRow("unknown option") << QStringList{u"slip"_s, u"--colour"_s, u"--output"_s, u"o.pdf"_s, u"x.txt"_s};
        QTest::newRow("file and queue") << QStringList{u"slip"_s,     u"--printer"_s, u"Q"_s,
                                                       u"--output"_s, u"o.pdf"_s,     u"x.txt"_s};
        QTest::newRow("queue without a name") << QStringList{u"slip"_s, u"x.txt"_s, u"--printer"_s};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(u"usage: vorlane-cli slip"_s));
    }

    // A full disk keeps the good PDF and fails; a pipe or a folder is never replaced.
    void unwritableTargets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("full disk") << u"full"_s;
        QTest::newRow("pipe") << u"fifo"_s;
        QTest::newRow("folder") << u"folder"_s;
    }
    void unwritableTargets()
    {
        QFETCH(QString, kind);
        const QString out = file(u"target-"_s + kind);
        const QByteArray good = "%PDF-1.4 a good slip";
        if (kind == u"full"_s)
            QVERIFY(vorlane::test::writeBytes(out, good));
        else if (kind == u"fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0644), 0);
        else
            QVERIFY(QDir().mkdir(out));
        const Run r = slip({}, batch(u"25.txt"_s, 25), out, kind == u"full"_s ? 4096 : 0);
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(out));
        const QFileInfo after(out);
        if (kind == u"full"_s)
            QCOMPARE(vorlane::test::readBytes(out), good);
        else
            QVERIFY(after.exists() && !after.isFile());
    }

    void missingDataFile()
    {
        const Run r = slip({}, file(u"nothing-here.txt"_s), file(u"none.pdf"_s));
        QCOMPARE(r.code, 1);
        QVERIFY(!r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliSlip)
#include "test_slip_cli.moc"
