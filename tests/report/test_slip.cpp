// The slip drawn on a recording surface: pagination, totals, and every placement rule.
// Recording metrics: a character is 0.02 cm wide per point, a text 0.04 cm high per point.
#include "recordingsurface.h"
#include "report/slip.h"
#include "slipfixtures.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vorlane;
using vorlane::test::batch;
using vorlane::test::flatRates;
using vorlane::test::orderLine;

namespace {

constexpr double kRowTextHeight = 0.56;  // 14 pt

bool near(double a, double b) { return qAbs(a - b) < 0.005; }

#define QCOMPARE_CM(actual, expected)    \
    QVERIFY2(near((actual), (expected)), \
             qPrintable(u"%1 is %2, expected %3"_s.arg(QStringLiteral(#actual)).arg(actual).arg(expected)))

struct Run {
    RecordingSurface surface;
    RecordStore selected;
    SlipResult result;
};

Run runSlip(const RecordStore &all, SlipRequest request = {}, const RateTable &rates = flatRates())
{
    Run r;
    r.result = PrintSummaryReport(r.surface, all, r.selected, rates, request);
    return r;
}

SlipRequest range(int first, int last, const QString &type = u"999"_s)
{
    SlipRequest q;
    q.typeCode = type;
    q.mode = PageMode::Range;
    q.firstPage = QString::number(first);
    q.lastPage = QString::number(last);
    return q;
}

int pagesDrawn(const RecordingSurface &s)
{
    int pages = 0;
    for (const auto &d : s.drawn)
        pages = qMax(pages, d.page + 1);
    return pages;
}

QString countLabel(int n) { return u"รวม..."_s + QString::number(n) + u"....ฉบับ"_s; }

}  // namespace

class TestSlip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pageCount_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("12") << 12 << 1;
        QTest::newRow("13") << 13 << 2;
        QTest::newRow("24") << 24 << 2;
        QTest::newRow("25") << 25 << 3;
        QTest::newRow("36") << 36 << 3;
    }
    void pageCount()
    {
        QFETCH(int, records);
        QFETCH(int, pages);
        QCOMPARE(PageCount(records), pages);
    }

    void wholeCentimetreCentring_data()
    {
        QTest::addColumn<double>("scaleWidth");
        QTest::addColumn<int>("chars");  // at 20 pt each character is 0.4 cm
        QTest::addColumn<double>("x");
        QTest::newRow("19.9 - 9.2 = 10.7 -> 11, halved 5") << 19.9 << 23 << 5.0;
        QTest::newRow("rounded before halving: 11.6 -> 12, halved 6") << 20.0 << 21 << 6.0;
        QTest::newRow("odd whole: 13, halved 6") << 21.0 << 20 << 6.0;
        QTest::newRow("wider than the page: -2.8 -> -3, halved toward zero -1") << 10.0 << 32 << -1.0;
    }
    void wholeCentimetreCentring()
    {
        QFETCH(double, scaleWidth);
        QFETCH(int, chars);
        QFETCH(double, x);
        RecordingSurface s;
        s.width = scaleWidth;
        s.setFontSize(20);
        QCOMPARE_CM(PageCentreX(s, QString(chars, u'ก')), x);
    }

    void headerPlacement()
    {
        const Run r = runSlip(batch(3));
        const RecordingSurface &s = r.surface;
        const auto title = s.find(u"ใบฝากธนาณัติในประเทศรวม"_s);
        QVERIFY(title);
        QCOMPARE(title->fontSize, 20.0);
        QCOMPARE_CM(title->y, 2.5 - 0.8);
        QCOMPARE_CM(title->x, double(qint64(std::nearbyint(s.width - 23 * 0.4)) / 2));

        const auto form = s.find(u"ธน. 1 (พิเศษ)"_s);
        QVERIFY(form);
        QCOMPARE_CM(form->x, s.width - form->text.size() * 0.2 - 1);
        QCOMPARE_CM(form->y, 1.5 - 0.4);

        const auto sheet = s.find(u"แผ่นที่.....1"_s);
        QVERIFY(sheet);
        QCOMPARE_CM(sheet->y, 3.0 - 0.48);
        QCOMPARE_CM(sheet->x + sheet->text.size() * 0.24, s.width - 1);

        // The depositor comes from the first record; lines 3.5 .. 6.5 at 16 pt.
        const auto depositor = s.find(u"ชื่อผู้ฝากเงิน    ผู้ฝาก 1"_s);
        QVERIFY(depositor);
        QCOMPARE_CM(depositor->y, 5.5 - 0.64);
        const auto address = s.find(u"ที่อยู่ผู้ฝากเงิน    ที่อยู่ผู้ฝาก 1"_s);
        QVERIFY(address);
        QCOMPARE_CM(address->y, 6.5 - 0.64);

        // Headings at 10 pt on 7.5, 8.0 and 8.5.
        const auto seq = s.find(u"ลำดับ"_s);
        QCOMPARE_CM(seq->y, 7.5 - 0.4);
        QCOMPARE_CM(seq->x, 1.0);  // 1 - 1.0 -> 0 \ 2
        const auto slash = s.find(u"/ที่อยู่"_s);
        QCOMPARE_CM(slash->x, 4.0);
        QCOMPARE_CM(slash->y, 8.0 - 0.4);
        const auto postcode = s.find(u"/รหัสไปรษณีย์"_s);
        QCOMPARE_CM(postcode->x, 7.0);
        const auto kind = s.find(u"ธนาณัติ"_s);
        QCOMPARE_CM(kind->y, 8.5 - 0.4);
        QCOMPARE_CM(kind->x, 15.5 + double(qint64(std::nearbyint(1.5 - 7 * 0.2)) / 2));
        // Nothing brought forward on sheet 1.
        QVERIFY(!s.find(u"ยอดยกมา"_s));
    }

    void rowsPlacementAndAlignment()
    {
        RecordStore all;
        all.append(orderLine(0, u"101"_s, u"5"_s));
        all.append(orderLine(1, u"113"_s, u"12340"_s));
        all.append(orderLine(2, u"113"_s, u"0.5"_s));
        const Run r = runSlip(all);
        const RecordingSurface &s = r.surface;
        QCOMPARE(r.result.status, SlipResult::Status::Printed);

        // Row 1 on line 9.5 + 0.57, its address on the next line.
        const auto one = s.find(u"1"_s);
        QVERIFY(one);
        QCOMPARE_CM(one->y, 10.07 - kRowTextHeight);
        QCOMPARE_CM(one->x, 1.0 + double(qint64(std::nearbyint(1 - 0.28)) / 2));
        const auto name = s.find(u"นายผู้รับ 1"_s);
        QCOMPARE_CM(name->x, 2.0);
        const auto addr = s.find(u"บ้านเลขที่ 1"_s);
        QCOMPARE_CM(addr->x, 2.0);
        QCOMPARE_CM(addr->y, 10.64 - kRowTextHeight);
        const auto office = s.find(u"คลองเตย"_s);
        QCOMPARE_CM(office->x, 9.5);
        const auto third = s.find(u"3"_s);
        QCOMPARE_CM(third->y, 9.5 + 5 * 0.57 - kRowTextHeight);

        // Amounts share the right edge of the running total "12,345.50" centred in 12.5..15.5.
        const double ref = 9 * 0.28;
        const double edge = 12.5 + ref + double(qint64(std::nearbyint(3 - ref)) / 2);
        for (const QString &amount : {u"5.00"_s, u"12,340.00"_s, u"0.50"_s}) {
            const auto a = s.find(amount);
            QVERIFY2(a, qPrintable(amount));
            QCOMPARE_CM(a->x + amount.size() * 0.28, edge);
        }
        // Fees right-aligned against the running fee "11.00" in 17.25..18.75; 0.5 shows as ".50".
        const double feeRef = 5 * 0.28;
        const double feeEdge = 17.25 + feeRef + double(qint64(std::nearbyint(1.5 - feeRef)) / 2);
        const auto half = s.find(u".50"_s);
        QVERIFY(half);
        QCOMPARE_CM(half->x + 3 * 0.28, feeEdge);
        const auto ten = s.find(u"10.00"_s);
        QCOMPARE_CM(ten->x + 5 * 0.28, feeEdge);
        // Type code centred in the row box 15.75..16.75, not the heading box.
        const auto type = s.find(u"101"_s);
        QCOMPARE_CM(type->x, 15.75 + double(qint64(std::nearbyint(1 - 0.84)) / 2));
    }

    void fullSheetEndsOn23_18()
    {
        const Run r = runSlip(batch(12));
        const auto last = r.surface.find(u"บ้านเลขที่ 12"_s);
        QVERIFY(last);
        QCOMPARE_CM(last->y, 23.18 - kRowTextHeight);
    }

    void sequenceContinuesOnSheetTwo()
    {
        const Run r = runSlip(batch(14));
        const auto thirteen = r.surface.find(u"13"_s);
        QVERIFY(thirteen);
        QCOMPARE(thirteen->page, 1);
        QCOMPARE_CM(thirteen->y, 10.07 - kRowTextHeight);
        QVERIFY(r.surface.find(u"แผ่นที่.....2"_s, 1));
    }

    void footerDistances_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("totals");
        QTest::addColumn<double>("certification");
        QTest::newRow("letter") << u"1"_s << RecordingSurface::kLetterHeight << 3.0 << 2.25;
        QTest::newRow("A4") << u"9"_s << RecordingSurface::kA4Height << 4.0 << 3.25;
    }
    void footerDistances()
    {
        QFETCH(QString, paper);
        QFETCH(double, height);
        QFETCH(double, totals);
        QFETCH(double, certification);
        SlipRequest q;
        q.paperCode = paper;
        const Run r = runSlip(batch(5), q);
        const RecordingSurface &s = r.surface;
        const double base = height - kRowTextHeight;
        const auto caption = s.find(u"รวมจำนวนเงิน"_s);
        QCOMPARE_CM(caption->y, base - totals);
        QCOMPARE_CM(caption->x, 9.5 + double(qint64(std::nearbyint(3 - 12 * 0.28)) / 2));
        const auto amount = s.find(u"1,500.00"_s);  // 100 + ... + 500, centred in 12.5..16
        QVERIFY(amount);
        QCOMPARE_CM(amount->y, base - totals);
        QCOMPARE_CM(amount->x, 12.5 + double(qint64(std::nearbyint(3.5 - 8 * 0.28)) / 2));
        const auto label = s.find(countLabel(5));
        QVERIFY(label);
        QCOMPARE_CM(label->y, base - totals);
        const auto cert = s.find(u"ขอรับรองว่าได้ตรวจสอบถูกต้องแล้ว"_s);
        QCOMPARE_CM(cert->x, 7.0);
        QCOMPARE_CM(cert->y, base - certification);

        const QString sig = u"ลงชื่อ................................................."_s;
        const QString signers[3] = {u"ผู้ฝาก/ผู้ฝากแทน"_s, u"พนักงานรับฝาก"_s, u"หน.ปณ.หรือผู้รับมอบหมาย"_s};
        int signatures = 0;
        for (const auto &d : s.drawn)
            if (d.text == sig) {
                QCOMPARE_CM(d.y, base - (certification - 0.75));
                QCOMPARE_CM(d.x, 1.0 + 6 * signatures);
                ++signatures;
            }
        QCOMPARE(signatures, 3);
        for (int i = 0; i < 3; ++i) {
            const auto c = s.find(signers[i]);
            QVERIFY(c);
            QCOMPARE_CM(c->y, base - (certification - 1.25));
            const double diff = (sig.size() - signers[i].size()) * 0.28;
            QCOMPARE_CM(c->x, 1 + 6 * i + double(qint64(std::nearbyint(diff)) / 2));
        }
    }

    void paperSetting_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("paper");
        QTest::newRow("letter") << u"1"_s << 1;
        QTest::newRow("A4") << u"9"_s << 9;
        QTest::newRow("other leaves the printer alone") << u"5"_s << 0;
    }
    void paperSetting()
    {
        QFETCH(QString, code);
        QFETCH(int, paper);
        SlipRequest q;
        q.paperCode = code;
        const Run r = runSlip(batch(2), q);
        QCOMPARE(r.surface.paperSize, paper);
        QCOMPARE(r.surface.fontName, u"AngsanaUPC"_s);
    }

    void shapes_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("lastSheetRows");
        QTest::newRow("11") << 11 << 1 << 11;
        QTest::newRow("12") << 12 << 1 << 12;
        QTest::newRow("24") << 24 << 2 << 12;
        QTest::newRow("25") << 25 << 3 << 1;
    }
    void shapes()
    {
        QFETCH(int, records);
        QFETCH(int, sheets);
        QFETCH(int, lastSheetRows);
        const Run r = runSlip(batch(records));
        const RecordingSurface &s = r.surface;
        QCOMPARE(r.result.status, SlipResult::Status::Printed);
        QCOMPARE(r.result.sheetsPrinted, sheets);
        QCOMPARE(pagesDrawn(s), sheets);
        QCOMPARE(s.page, sheets);  // each footer starts a new page
        QCOMPARE(s.endDocumentCalls, 1);
        for (int p = 0; p < sheets; ++p) {
            const QStringList texts = s.textsOnPage(p);
            const bool last = p == sheets - 1;
            QVERIFY(texts.contains(u"แผ่นที่....."_s + QString::number(p + 1)));
            QCOMPARE(texts.contains(u"ยอดยกมา"_s), p > 0);
            QCOMPARE(texts.contains(u"ยอดยกไป"_s), !last);
            QCOMPARE(texts.contains(countLabel(records)), last);
            QCOMPARE(texts.contains(u"ขอรับรองว่าได้ตรวจสอบถูกต้องแล้ว"_s), last);
            QCOMPARE(texts.contains(u"พนักงานรับฝาก"_s), last);
            QVERIFY(texts.contains(u"รวมจำนวนเงิน"_s));
        }
        const QStringList lastPage = s.textsOnPage(sheets - 1);
        int rows = 0;
        for (const QString &t : lastPage)
            rows += t.startsWith(u"บ้านเลขที่ "_s);
        QCOMPARE(rows, lastSheetRows);
    }

    void carriedAndBroughtForward()
    {
        // Sheet 1: 100 .. 1,200 = 7,800, fees 120; both sheets: 30,000 and 240.
        const Run r = runSlip(batch(24));
        const RecordingSurface &s = r.surface;
        QVERIFY(s.find(u"7,800.00"_s, 0));  // sheet 1 footer
        QVERIFY(s.find(u"120.00"_s, 0));
        const auto bfAmount = s.find(u"7,800.00"_s, 1);
        QVERIFY(bfAmount);
        QCOMPARE_CM(bfAmount->y, 9.5 - kRowTextHeight);
        // Right-aligned against "30,000.00" centred in 12.5..16.
        const double ref = 9 * 0.28;
        QCOMPARE_CM(bfAmount->x + 8 * 0.28, 12.5 + ref + double(qint64(std::nearbyint(3.5 - ref)) / 2));
        const auto bfFee = s.find(u"120.00"_s, 1);
        QVERIFY(bfFee);
        QCOMPARE_CM(bfFee->x + 6 * 0.28, 17.75 + 6 * 0.28 + double(qint64(std::nearbyint(1.5 - 6 * 0.28)) / 2));
        QVERIFY(s.find(u"30,000.00"_s, 1));
        QVERIFY(s.find(u"240.00"_s, 1));
        const auto label = s.find(u"ยอดยกมา"_s, 1);
        QCOMPARE_CM(label->x, 11.5 - 7 * 0.28);
        QCOMPARE_CM(label->y, 9.5 - kRowTextHeight);
    }

    void rangeTwoToTwoOf36()
    {
        const Run r = runSlip(batch(36), range(2, 2));
        const RecordingSurface &s = r.surface;
        QCOMPARE(r.result.status, SlipResult::Status::Printed);
        QCOMPARE(pagesDrawn(s), 1);
        const QStringList texts = s.textsOnPage(0);
        QVERIFY(texts.contains(u"แผ่นที่.....2"_s));
        QVERIFY(texts.contains(u"ยอดยกมา"_s));
        QVERIFY(texts.contains(u"7,800.00"_s));  // brought forward: sheet 1
        QVERIFY(texts.contains(u"120.00"_s));
        QVERIFY(texts.contains(u"30,000.00"_s));  // running: sheets 1 and 2
        QVERIFY(texts.contains(u"240.00"_s));
        QVERIFY(texts.contains(u"ยอดยกไป"_s));  // not the document's last sheet
        QVERIFY(!texts.contains(countLabel(36)));
        QVERIFY(texts.contains(u"13"_s) && texts.contains(u"24"_s) && !texts.contains(u"25"_s));
        QCOMPARE(s.endDocumentCalls, 1);
    }

    void rangeReachingTheShortSheet()
    {
        const Run r = runSlip(batch(25), range(2, 3));
        QCOMPARE(pagesDrawn(r.surface), 2);
        QVERIFY(r.surface.textsOnPage(0).contains(u"ยอดยกไป"_s));
        QVERIFY(r.surface.textsOnPage(1).contains(countLabel(25)));
        QVERIFY(r.surface.textsOnPage(1).contains(u"25"_s));
    }

    void rangeOnSingleSheet_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("pages");
        QTest::newRow("1 to 1") << 1 << 1 << 1;
        QTest::newRow("1 to 5 is held to the one sheet") << 1 << 5 << 1;
        QTest::newRow("2 to 2 beyond it") << 2 << 2 << 0;
    }
    void rangeOnSingleSheet()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, pages);
        const Run r = runSlip(batch(11), range(first, last));
        QCOMPARE(pagesDrawn(r.surface), pages);
    }

    void typeFilterNumbersFromOne()
    {
        RecordStore all;
        all.append(orderLine(0, u"101"_s));
        for (int i = 1; i <= 14; ++i)
            all.append(orderLine(i, i % 2 ? (i % 4 == 1 ? u" 103"_s : u"103 "_s) : u"101"_s));
        SlipRequest q;
        q.typeCode = u"103"_s;
        const Run r = runSlip(all, q);
        QCOMPARE(r.selected.count(), 7);
        QCOMPARE(r.selected.at(0), orderLine(1, u" 103"_s));
        const RecordingSurface &s = r.surface;
        QCOMPARE(pagesDrawn(s), 1);
        const auto first = s.find(u"1"_s);
        QVERIFY(first);
        QCOMPARE_CM(first->y, 10.07 - kRowTextHeight);
        QVERIFY(s.find(u"นายผู้รับ 2"_s));  // the first 103 of the batch
        QVERIFY(!s.find(u"นายผู้รับ 1"_s));
        QVERIFY(s.find(countLabel(7)));
        // The depositor is the batch's first record, not the first printed one.
        QVERIFY(s.find(u"ชื่อผู้ฝากเงิน    ผู้ฝาก 1"_s));
    }

    void allTypesInEntryOrder()
    {
        RecordStore all;
        all.append(orderLine(0, u"103"_s));
        all.append(orderLine(1, u"101"_s));
        all.append(orderLine(2, u"113"_s));
        const Run r = runSlip(all);
        const auto a = r.surface.find(u"นายผู้รับ 1"_s), b = r.surface.find(u"นายผู้รับ 3"_s);
        QVERIFY(a && b && a->y < b->y);
        QVERIFY(r.surface.find(u"15.00"_s));
        QVERIFY(r.surface.find(u"25.50"_s));
    }

    void emptySelection()
    {
        SlipRequest q;
        q.typeCode = u"115"_s;
        const Run r = runSlip(batch(3), q);
        QCOMPARE(r.result.status, SlipResult::Status::Empty);
        QVERIFY(r.surface.drawn.isEmpty());
        QCOMPARE(r.surface.endDocumentCalls, 0);
    }

    void noPageModeDrawsNothing()
    {
        SlipRequest q;
        q.mode = PageMode::None;
        const Run r = runSlip(batch(3), q);
        QCOMPARE(r.result.status, SlipResult::Status::NotRun);
        QVERIFY(r.surface.drawn.isEmpty());
    }

    void nonNumericAmountStopsBeforeDrawing_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("not a number") << u"12a"_s << 13 << u"Error 13 : Type mismatch ให้ตรวจสอบเครื่องพิมพ์"_s;
        // Too large to charge exactly: never a saturated fee on the slip.
        QTest::newRow("beyond exact") << u"99999999999999999999"_s << 6 << u"Error 6 : Overflow ให้ตรวจสอบเครื่องพิมพ์"_s;
    }
    void nonNumericAmountStopsBeforeDrawing()
    {
        QFETCH(QString, amount);
        QFETCH(int, number);
        QFETCH(QString, text);
        RecordStore all = batch(20);
        all.setAt(15, orderLine(15, u"101"_s, amount));
        const Run r = runSlip(all);
        QCOMPARE(r.result.status, SlipResult::Status::Failed);
        QCOMPARE(r.result.errorNumber, number);
        QCOMPARE(r.result.errorText(), text);
        QVERIFY(r.surface.drawn.isEmpty());
        QCOMPARE(r.surface.endDocumentCalls, 0);
    }

    void printerFailureStopsTheRun()
    {
        Run r;
        r.surface.failAfter(40, PrintFailure{482, u"Printer error"_s});
        r.result = PrintSummaryReport(r.surface, batch(30), r.selected, flatRates(), SlipRequest{});
        QCOMPARE(r.result.status, SlipResult::Status::Failed);
        QCOMPARE(r.result.errorText(), u"Error 482 : Printer error ให้ตรวจสอบเครื่องพิมพ์"_s);
        QCOMPARE(r.surface.drawn.size(), 40);
        QCOMPARE(r.surface.endDocumentCalls, 0);
    }

    void progressCanCancel()
    {
        Run r;
        QList<int> seen;
        r.result = PrintSummaryReport(r.surface, batch(40), r.selected, flatRates(), SlipRequest{},
                                      [&](int done, int total) {
                                          seen << done << total;
                                          return done < 2;
                                      });
        QCOMPARE(r.result.status, SlipResult::Status::Cancelled);
        QCOMPARE(seen, (QList<int>{1, 4, 2, 4}));
        QCOMPARE(r.surface.endDocumentCalls, 0);
    }

    // A name too long for its column is drawn smaller, down to a legible size, and beyond
    // that whole, over the next column: never cut. Where it starts and its line stay.
    void longNamesStayInTheirColumn_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("room");  // cm from the text's left edge to the next column
        QTest::addColumn<bool>("fits");    // within its room; else whole at the smallest size
        QTest::addColumn<bool>("smaller");
        const QString longName(40, u'ก');  // 11.2 cm at 14 pt
        QTest::newRow("recipient that fits") << int(RecipientName) << QString(17, u'ก') << 5.0 << true << false;
        QTest::newRow("recipient drawn smaller") << int(RecipientName) << QString(20, u'ก') << 5.0 << true << true;
        // At 9.8 pt a character is 0.196 cm: 25 would fit in 5 cm; all 40 are drawn.
        QTest::newRow("recipient too long: whole, not cut") << int(RecipientName) << longName << 5.0 << false << true;
        QTest::newRow("tone marks and vowels all kept")
            << int(RecipientName) << u"นายประสิทธิ์ศักดิ์ดำรงค์วงศ์ศรีสวัสดิ์"_s.repeated(2) << 5.0 << false << true;
        QTest::newRow("office too long: whole") << int(DestPostOfficeName) << longName << 3.0 << false << true;
        QTest::newRow("address up to the edge")
            << int(RecipientAddress) << QString(70, u'ก') << RecordingSurface::kLetterWidth - 2 << true << true;
    }
    void longNamesStayInTheirColumn()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(double, room);
        QFETCH(bool, fits);
        QFETCH(bool, smaller);
        RecordStore all;
        MoneyOrderRecord rec = SplitRecord(orderLine(0));
        rec[field] = text;
        all.append(RecordLine(rec));
        const Run r = runSlip(all);
        const QString expected = text;
        const auto drawn = r.surface.find(expected);
        QVERIFY(drawn);
        QCOMPARE_CM(drawn->x, field == DestPostOfficeName ? 9.5 : 2.0);
        QVERIFY(drawn->fontSize >= 14 * kSmallestTextShare - 1e-9);
        QCOMPARE(drawn->fontSize < 14, smaller);
        if (fits)
            QVERIFY(expected.size() * 0.02 * drawn->fontSize <= room + 1e-6);
        else
            QCOMPARE(drawn->fontSize, 14 * kSmallestTextShare);
        // The bottom stays on the row's line, as for every text of the row.
        const double line = field == RecipientAddress ? 10.64 : 10.07;
        QCOMPARE_CM(drawn->y + 0.04 * drawn->fontSize, line);
        // The row goes on at its own size.
        QCOMPARE(r.surface.find(u"10110"_s)->fontSize, 14.0);
    }
};

QTEST_GUILESS_MAIN(TestSlip)
#include "test_slip.moc"
