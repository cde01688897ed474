// The slip on a real print queue: a local print server with a PDF queue (started by the
// test fixture) receives the job; cups-pdf writes what it printed to ~/PDF.
#include "report/qt/slipoutput.h"
#include "slipfixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vorlane;
using vorlane::test::batch;
using vorlane::test::flatRates;
using vorlane::test::orderLine;

namespace {

QStringList availablePrinterNames()
{
    QStringList names;
    for (const QPrinterInfo &p : QPrinterInfo::availablePrinters())
        names.append(p.printerName());
    return names;
}

QString stateFile(const QString &name) { return qEnvironmentVariable("VORLANE_CUPS_STATE") + u'/' + name; }

QString readState(const QString &name)
{
    QFile f(stateFile(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

QStringList outputDirs() { return {QDir::homePath() + u"/PDF"_s, u"/var/spool/cups-pdf/ANONYMOUS"_s}; }

QSet<QString> outputs()
{
    QSet<QString> files;
    for (const QString &dir : outputDirs())
        for (const QFileInfo &fi : QDir(dir).entryInfoList({u"*.pdf"_s}, QDir::Files))
            files.insert(fi.absoluteFilePath());
    return files;
}

// The file the queue wrote after `before`, once it is complete; empty after the timeout.
QString waitForOutput(const QSet<QString> &before, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        for (const QString &f : outputs())
            if (!before.contains(f)) {
                QTest::qWait(500);  // let the writer finish
                return f;
            }
        QTest::qWait(200);
    }
    return {};
}

int pageCount(const QString &pdf)
{
    QProcess p;
    p.start(u"pdfinfo"_s, {pdf});
    p.waitForFinished(30000);
    const auto m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

class TestPrinter : public QObject {
    Q_OBJECT

    QString m_queue;

private Q_SLOTS:
    void unknownQueueIsNoPrinter()
    {
        // Qt would otherwise quietly write a nameless PDF file.
        RecordStore all = batch(2), selected;
        const RateTable rates = flatRates();
        const SlipResult r = PrintSlip(u"NoSuchQueue-Vorlane"_s, SlipJob{all, selected, rates, {}});
        QCOMPARE(r.status, SlipResult::Status::Failed);
        QCOMPARE(r.errorText(), u"Error 482 : No printer ให้ตรวจสอบเครื่องพิมพ์"_s);
        QCOMPARE(PrintSlip(QString(), SlipJob{all, selected, rates, {}}).status, SlipResult::Status::Failed);
    }

    void printsOnTheQueue()
    {
        if (qEnvironmentVariableIsEmpty("VORLANE_CUPS_STATE"))
            QSKIP("run through ctest, which starts the print server");
        if (QFileInfo::exists(stateFile(u"unavailable"_s)))
            QSKIP(qPrintable(u"no print server: "_s + readState(u"unavailable"_s)));
        m_queue = readState(u"queue"_s);
        QVERIFY(!m_queue.isEmpty());
        QVERIFY(!DefaultPrinterName().isEmpty());

        RecordStore all = batch(25), selected;
        const RateTable rates = flatRates();
        SlipRequest q;
        q.paperCode = u"9"_s;
        const QSet<QString> before = outputs();
        const SlipResult r = PrintSlip(m_queue, SlipJob{all, selected, rates, q});
        QCOMPARE(r.status, SlipResult::Status::Printed);
        const QString out = waitForOutput(before, 30000);
        QVERIFY2(!out.isEmpty(), "the queue wrote no file");
        QCOMPARE(pageCount(out), 3);
        QVERIFY(QFileInfo(out).size() > 1000);
        QFile::remove(out);
    }

    void failedRunSendsNothing()
    {
        if (m_queue.isEmpty())
            QSKIP("no print queue");
        RecordStore all = batch(5), selected;
        all.setAt(3, orderLine(3, u"101"_s, u"ห้าร้อย"_s));
        const RateTable rates = flatRates();
        const QSet<QString> before = outputs();
        const SlipResult r = PrintSlip(m_queue, SlipJob{all, selected, rates, {}});
        QCOMPARE(r.status, SlipResult::Status::Failed);
        QCOMPARE(r.errorNumber, 13);
        QVERIFY(waitForOutput(before, 4000).isEmpty());
    }

    void cancelledRunIsAborted()
    {
        if (m_queue.isEmpty())
            QSKIP("no print queue");
        RecordStore all = batch(40), selected;
        const RateTable rates = flatRates();
        const QSet<QString> before = outputs();
        // Stop after two sheets have been painted: the job is aborted, not half printed.
        const SlipResult r = PrintSlip(m_queue, SlipJob{all, selected, rates, {}},
                                       [](int done, int) { return done < 2; });
        QCOMPARE(r.status, SlipResult::Status::Cancelled);
        QVERIFY(waitForOutput(before, 5000).isEmpty());
    }
    void printsWithoutHelperPrograms()
    {
        // An installed program may have no print commands at all; the job still goes through.
        if (m_queue.isEmpty())
            QSKIP("no print queue");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        RecordStore all = batch(3), selected;
        const RateTable rates = flatRates();
        const QSet<QString> before = outputs();
        const SlipResult r = PrintSlip(m_queue, SlipJob{all, selected, rates, {}});
        qputenv("PATH", path);
        QCOMPARE(r.status, SlipResult::Status::Printed);
        const QString out = waitForOutput(before, 30000);
        QVERIFY2(!out.isEmpty(), "the queue wrote no file");
        QFile::remove(out);
    }

    void queueAddedLaterIsFound()
    {
        // The program asks the server at each print: a queue set up while it runs (the
        // clerk's printer switched on and installed) is there the next time.
        if (m_queue.isEmpty())
            QSKIP("no print queue");
        const QString later = u"VorlaneLater"_s;
        QVERIFY(!availablePrinterNames().contains(later));  // asked once before it exists
        if (QProcess::execute(u"lpadmin"_s, {u"-p"_s, later, u"-v"_s, u"cups-pdf:/"_s, u"-E"_s, u"-m"_s,
                                             u"lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"_s})
            != 0)
            QSKIP("not allowed to add a queue");
        auto removeQueue = qScopeGuard([&] { QProcess::execute(u"lpadmin"_s, {u"-x"_s, later}); });
        QVERIFY(availablePrinterNames().contains(later));
        RecordStore all = batch(2), selected;
        const RateTable rates = flatRates();
        const QSet<QString> before = outputs();
        QCOMPARE(PrintSlip(later, SlipJob{all, selected, rates, {}}).status, SlipResult::Status::Printed);
        const QString out = waitForOutput(before, 30000);
        QVERIFY2(!out.isEmpty(), "the new queue wrote no file");
        QFile::remove(out);
    }

    void refusingQueueGivesTheServersWords()
    {
        if (m_queue.isEmpty())
            QSKIP("no print queue");
        QCOMPARE(QProcess::execute(u"cupsreject"_s, {m_queue}), 0);
        RecordStore all = batch(3), selected;
        const RateTable rates = flatRates();
        const SlipResult r = PrintSlip(m_queue, SlipJob{all, selected, rates, {}});
        QProcess::execute(u"cupsaccept"_s, {m_queue});
        QCOMPARE(r.status, SlipResult::Status::Failed);
        // The program's Thai text first, then the server's message as it gave it.
        const QStringList lines = r.errorText().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], u"Error 482 : Printer error ให้ตรวจสอบเครื่องพิมพ์"_s);
        QVERIFY2(lines[1].contains(m_queue), qPrintable(lines[1]));
    }
};

QTEST_MAIN(TestPrinter)
#include "test_printer.moc"
