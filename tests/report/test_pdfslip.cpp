// The slip painted into a PDF file: pages, texts (read back with pdftotext), fonts, paper.
#include "report/qt/paintersurface.h"
#include "report/qt/slipoutput.h"
#include "report/qt/pdftextlayer.h"
#include "records/recordline.h"
#include <QBuffer>
#include "slipfixtures.h"
#include "tempfiles.h"
#include "records/tables.h"

#include <QFile>
#include <QGlyphRun>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

Q_DECLARE_METATYPE(vorlane::SlipRequest)

using namespace Qt::StringLiterals;
using namespace vorlane;
using vorlane::test::batch;
using vorlane::test::flatRates;
using vorlane::test::orderLine;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdftotext gives Thai back with legacy glyph codes for shifted marks, sara am split and
// marks reordered. Compare skeletons: legacy codes mapped back, decomposed, and with the
// marks above and below and every blank dropped.
QString skeleton(QString text)
{
    static const char16_t legacy[] = {0x0E10, 0x0E34, 0x0E35, 0x0E36, 0x0E37, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B,
                                      0x0E4C, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E0D, 0x0E31, 0x0E4D,
                                      0x0E47, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E38, 0x0E39, 0x0E3A};
    for (QChar &c : text)
        if (c.unicode() >= 0xF700 && c.unicode() <= 0xF71A)
            c = QChar(legacy[c.unicode() - 0xF700]);
    text = text.normalized(QString::NormalizationForm_KD);
    QString out;
    for (QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Mark_NonSpacing)
            continue;
        out.append(c);
    }
    return out;
}

QString pageText(const QString &pdf, int page)
{
    return skeleton(run(u"pdftotext"_s, {u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), u"-enc"_s,
                                         u"UTF-8"_s, pdf, u"-"_s}));
}

int pageCount(const QString &pdf)
{
    const QRegularExpressionMatch m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(run(u"pdfinfo"_s, {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

SlipResult writePdf(const QString &path, const RecordStore &all, SlipRequest request = {})
{
    RecordStore selected;
    const RateTable rates = flatRates();
    return WriteSlipPdf(path, SlipJob{all, selected, rates, request});
}

}  // namespace

class TestPdfSlip : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("poppler-utils is not installed");
    }

    void twentyFiveOrders()
    {
        const QString pdf = m_dir.filePath(u"25.pdf"_s);
        QCOMPARE(writePdf(pdf, batch(25)).status, SlipResult::Status::Printed);
        QCOMPARE(pageCount(pdf), 3);  // no blank sheet after the last footer

        const QStringList everywhere = {
            u"ใบฝากธนาณัติในประเทศรวม"_s, u"ธน. 1 (พิเศษ)"_s, u"ลำดับ"_s,       u"ชื่อผู้รับเงิน"_s,
            u"ปณ.ปลายทางจ่ายเงิน"_s,      u"จำนวนเงิน"_s,     u"ค่าธรรมเนียม"_s, u"รวมจำนวนเงิน"_s};
        for (int page = 1; page <= 3; ++page) {
            const QString text = pageText(pdf, page);
            for (const QString &t : everywhere)
                QVERIFY2(text.contains(skeleton(t)), qPrintable(u"page %1: %2"_s.arg(page).arg(t)));
            QVERIFY(text.contains(skeleton(u"แผ่นที่....."_s + QString::number(page))));
            QCOMPARE(text.contains(skeleton(u"ยอดยกไป"_s)), page < 3);
            QCOMPARE(text.contains(skeleton(u"ยอดยกมา"_s)), page > 1);
            QCOMPARE(text.contains(skeleton(u"รวม...25....ฉบับ"_s)), page == 3);
            for (const QString &signer :
                 {u"ผู้ฝาก/ผู้ฝากแทน"_s, u"พนักงานรับฝาก"_s, u"หน.ปณ.หรือผู้รับมอบหมาย"_s, u"ขอรับรองว่าได้ตรวจสอบถูกต้องแล้ว"_s})
                QCOMPARE(text.contains(skeleton(signer)), page == 3);
        }
        // Sheet 2 brings forward sheet 1's 7,800.00 and ends on the running 30,000.00.
        const QString two = pageText(pdf, 2);
        QVERIFY(two.contains(u"7,800.00"_s));
        QVERIFY(two.contains(u"30,000.00"_s));
    }

    // A name copied or searched in the PDF holds the letters as typed: no legacy codes,
    // and each mark after its letter in typing order. Extractors guess word gaps from
    // glyph positions, so blanks are left out of the comparison; sara am comes back as its
    // two parts, the form compatibility normalisation gives.
    void namesReadAsTyped()
    {
        const QStringList names = {u"นายสมศักดิ์ ศรีสุข"_s, u"นางน้ำผึ้ง ปู่ป้า"_s, u"ผู้ใหญ่ ปิ่นโต ฟ้าใส"_s,
                                   u"ฐิติรัตน์ ญาณวุฒิ"_s,   u"ปั้นจั่น ฝั่งฟื้น"_s,   u"ตู้ปลา ดูดี๊ด๊า"_s};
        RecordStore all;
        for (const QString &name : names) {
            MoneyOrderRecord r;
            r[TypeCode] = u"101"_s;
            r[DestPostcode] = u"10110"_s;
            r[RecipientName] = name;
            r[Amount] = u"100"_s;
            r[DestPostOfficeName] = u"ป้อมปราบศัตรูพ่าย"_s;
            all.append(RecordLine(r));
        }
        const QString pdf = m_dir.filePath(u"names.pdf"_s);
        QCOMPARE(writePdf(pdf, all).status, SlipResult::Status::Printed);
        auto squeezed = [](QString t) {
            t = t.normalized(QString::NormalizationForm_KC);
            t.remove(QRegularExpression(u"\\s"_s));
            return t;
        };
        const QString text = squeezed(run(u"pdftotext"_s, {u"-raw"_s, u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s}));
        for (QChar c : text)
            QVERIFY2(c.unicode() < 0xE000 || c.unicode() > 0xF8FF, "a private-use code in the text");
        for (const QString &name : names + QStringList{u"ป้อมปราบศัตรูพ่าย"_s, u"ผู้ฝาก/ผู้ฝากแทน"_s})
            QVERIFY2(text.contains(squeezed(name)), qPrintable(name));
    }

    // The text layer is mended however the writer cuts its writes; nothing else changes.
    void textLayerMendedAcrossWrites_data()
    {
        QTest::addColumn<int>("piece");
        for (int piece : {1, 5, 9, 64, 100000})
            QTest::newRow(QByteArray::number(piece).constData()) << piece;
    }
    void textLayerMendedAcrossWrites()
    {
        QFETCH(int, piece);
        const QByteArray before = "stream <F70A> x\nbegincmap\n<0001> <0003> [<0E01> <F70A> <F71A>]\n<0004> <F700>\n"
                                  "endcmap\n<F70B> stream\nbegincmap <F711><F7> endcmap";
        const QByteArray after = "stream <F70A> x\nbegincmap\n<0001> <0003> [<0E01> <0E48> <0E3A>]\n<0004> <0E10>\n"
                                 "endcmap\n<F70B> stream\nbegincmap <0E4D><F7> endcmap";
        QByteArray out;
        QBuffer target(&out);
        QVERIFY(target.open(QIODevice::WriteOnly));
        PdfTextLayerFilter filter(&target);
        for (qsizetype at = 0; at < before.size(); at += piece)
            QCOMPARE(filter.write(before.mid(at, piece)), qMin<qsizetype>(piece, before.size() - at));
        QVERIFY(filter.finish());
        QCOMPARE(out, after);
    }

    void fontIsEmbedded()
    {
        const QString pdf = m_dir.filePath(u"fonts.pdf"_s);
        QCOMPARE(writePdf(pdf, batch(2)).status, SlipResult::Status::Printed);
        const QStringList lines = run(u"pdffonts"_s, {pdf}).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 3);  // two heading lines, then one line per font
        for (const QString &line : lines.mid(2))
            QVERIFY2(line.contains(u" yes "_s), qPrintable(line));
    }

    void paperSize_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("size");
        QTest::newRow("letter") << u"1"_s << u"(letter)"_s;
        QTest::newRow("A4") << u"9"_s << u"(A4)"_s;
    }
    void paperSize()
    {
        QFETCH(QString, code);
        QFETCH(QString, size);
        const QString pdf = m_dir.filePath(u"paper.pdf"_s);
        SlipRequest q;
        q.paperCode = code;
        QCOMPARE(writePdf(pdf, batch(13), q).status, SlipResult::Status::Printed);
        QVERIFY(run(u"pdfinfo"_s, {pdf}).contains(size));
        QCOMPARE(pageCount(pdf), 2);
    }

    void failedRunLeavesThePreviousFile()
    {
        const QString pdf = m_dir.filePath(u"keep.pdf"_s);
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("previous");
        }
        RecordStore all = batch(3);
        all.setAt(1, orderLine(1, u"101"_s, u"abc"_s));
        const SlipResult r = writePdf(pdf, all);
        QCOMPARE(r.status, SlipResult::Status::Failed);
        QCOMPARE(r.errorNumber, 13);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("previous"));
    }

    void unwritablePathIsAFailure()
    {
        const SlipResult r = writePdf(m_dir.filePath(u"no/such/folder/x.pdf"_s), batch(1));
        QCOMPARE(r.status, SlipResult::Status::Failed);
        QVERIFY(r.errorText().startsWith(u"Error 75 : "_s));
    }

    void thaiNameHoldsItsColumn()
    {
        // Thirty characters of a long Thai name, marks included, at the rows' 14 points
        // must end before the postcode column 5 cm on.
        const QString name = u"นางสาวกนกวรรณ ศรีสุขสวัสดิ์วงศ"_s;
        QCOMPARE(name.size(), 30);
        QPdfWriter writer(m_dir.filePath(u"metrics.pdf"_s));
        writer.setResolution(600);
        PainterSurface s(&writer);
        s.setFontName(u"AngsanaUPC"_s);
        s.setFontSize(14);
        const double width = s.textWidth(name);
        qInfo("30-character name: %.2f cm", width);
        QVERIFY2(width < 5.0, qPrintable(u"%1 cm"_s.arg(width)));
        QVERIFY2(width > 2.5, qPrintable(u"%1 cm"_s.arg(width)));  // still a readable size
        // A line of 14 points fits the 0.57 cm the rows advance.
        QVERIFY(s.textHeight(name) <= 0.6);
        s.discard();
    }

    // Plain ASCII texts are drawn from the font's own glyphs and advances, without a text
    // layout; they must come out exactly as the layout would put them.
    void plainTextsAsLaidOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("plain");
        for (double points : {14.0, 12.0, 9.8}) {
            const QByteArray at = QByteArray::number(points);
            for (const char *t : {"1", "10000", "1,234,567.50", "57290", "1.1,7.7/77-4", "(-12/3+@_)", "~!#$%^&*"})
                QTest::newRow(QByteArray(t + (" " + at)).constData()) << QString::fromLatin1(t) << points << true;
            // The font joins ff and fl and kerns some pairs: letters go through the layout.
            QTest::newRow(("letters " + at).constData()) << u"AVAWAYToWaffle"_s << points << false;
            QTest::newRow(("one letter " + at).constData()) << u"12A"_s << points << false;
            QTest::newRow(("blank inside " + at).constData()) << u"1 234"_s << points << false;
            QTest::newRow(("Thai " + at).constData()) << u"ที่ 12"_s << points << false;
            QTest::newRow(("empty " + at).constData()) << QString() << points << false;
        }
    }
    void plainTextsAsLaidOut()
    {
        QFETCH(QString, text);
        QFETCH(double, points);
        QFETCH(bool, plain);
        QPdfWriter writer(m_dir.filePath(u"plain.pdf"_s));
        writer.setResolution(600);
        PainterSurface s(&writer);
        s.setFontName(u"AngsanaUPC"_s);
        s.setFontSize(points);
        const std::optional<QGlyphRun> run = s.plainGlyphRun(text);
        QCOMPARE(run.has_value(), plain);
        if (!run)
            return;
        QTextLayout layout(text, QFont(s.font(), &writer), &writer);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        QCOMPARE(runs.size(), 1);
        QCOMPARE(run->glyphIndexes(), runs[0].glyphIndexes());
        QCOMPARE(run->rawFont().familyName(), runs[0].rawFont().familyName());
        const QList<QPointF> ours = run->positions();
        const QList<QPointF> laidOut = runs[0].positions();
        for (qsizetype i = 0; i < ours.size(); ++i) {
            QCOMPARE(ours[i].x(), laidOut[i].x());
            QCOMPARE(ours[i].y() + line.ascent(), laidOut[i].y());
        }
        QCOMPARE(s.textWidth(text), line.horizontalAdvance() / (writer.logicalDpiX() / 2.54));
        s.discard();
    }

    // The command line reads the batch from its file at each pass instead of holding it; its
    // slip reads as the print window's of the same batch, sheet by sheet.
    void commandLineDrawsAsTheWindow_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<SlipRequest>("request");
        SlipRequest all;
        SlipRequest type103;
        type103.typeCode = u"103"_s;
        SlipRequest range;
        range.mode = PageMode::Range;
        range.firstPage = u"2"_s;
        range.lastPage = u"3"_s;
        SlipRequest typeRange = range;
        typeRange.typeCode = u"101"_s;
        typeRange.lastPage = u"2"_s;
        QTest::newRow("every order") << QStringList{} << all;
        QTest::newRow("one type, its code blank-padded in the file") << QStringList{u"--type"_s, u"103"_s} << type103;
        QTest::newRow("sheets 2 to 3") << QStringList{u"--pages"_s, u"2-3"_s} << range;
        QTest::newRow("one type, sheet 2") << QStringList{u"--type"_s, u"101"_s, u"--pages"_s, u"2-2"_s} << typeRange;
    }
    void commandLineDrawsAsTheWindow()
    {
        QFETCH(QStringList, options);
        QFETCH(SlipRequest, request);
        QStringList lines;
        for (int i = 0; i < 50; ++i)
            lines << orderLine(i, i % 3 == 0 ? u" 103 "_s : u"101"_s);
        lines.insert(20, u"not an order"_s);
        const QString data = m_dir.filePath(u"orders.txt"_s);
        const QString rates = m_dir.filePath(u"rate.txt"_s);
        QVERIFY(test::writeCp874(data, lines));
        QVERIFY(test::writeCp874(rates, {u"101,10,5,1000,0,50000,0"_s, u"103,15,5,1000,0,50000,0"_s}));

        RecordStore all, selected;
        for (const QString &l : lines)
            if (l.count(u'|') == 8)
                all.append(l);
        const RateTable table = LoadRateTable(rates);
        const QString windowPdf = m_dir.filePath(u"window.pdf"_s);
        QCOMPARE(WriteSlipPdf(windowPdf, SlipJob{all, selected, table, request}).status, SlipResult::Status::Printed);

        const QString cliPdf = m_dir.filePath(u"cli.pdf"_s);
        QProcess cli;
        cli.start(qEnvironmentVariable("VORLANE_BIN_DIR") + u"/vorlane-cli"_s,
                  QStringList{u"slip"_s, u"--tables"_s, m_dir.path()} + options
                      + QStringList{u"--output"_s, cliPdf, data});
        QVERIFY(cli.waitForFinished(60000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        QCOMPARE(pageCount(cliPdf), pageCount(windowPdf));
        for (int page = 1; page <= pageCount(windowPdf); ++page)
            QCOMPARE(pageText(cliPdf, page), pageText(windowPdf, page));
    }
};

QTEST_MAIN(TestPdfSlip)
#include "test_pdfslip.moc"
