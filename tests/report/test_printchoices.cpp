// The print options' checks: every message, which box is cleared and which gets the focus.
#include "report/printchoices.h"
#include "recordingsurface.h"
#include "slipfixtures.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vorlane;
using vorlane::test::batch;
using vorlane::test::orderLine;

Q_DECLARE_METATYPE(vorlane::PageBox)

namespace {

constexpr int kAll = 13;  // the "all types" button
constexpr int k103 = 1;

// n orders of type 101 followed by m of type 103.
RecordStore mixed(int n101, int n103)
{
    RecordStore s = batch(n101);
    for (int i = 0; i < n103; ++i)
        s.append(orderLine(n101 + i, u"103"_s));
    return s;
}

}  // namespace

class TestPrintChoices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void okChecks_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("mode");  // 0 none, 1 all, 2 range
        QTest::addColumn<bool>("a4");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("n101");
        QTest::addColumn<int>("n103");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<PageBox>("clear");
        QTest::addColumn<PageBox>("focus");

        const auto N = PageBox::None, F = PageBox::First, L = PageBox::Last;
        QTest::newRow("no type, even with bad pages")
            << -1 << 2 << false << u"x"_s << u""_s << 5 << 0 << u"ไม่มีการเลือกประเภทธนาณัติ"_s << N << N;
        QTest::newRow("all pages of an empty type is the report's to say")
            << k103 << 1 << false << u""_s << u""_s << 5 << 0 << u""_s << N << N;
        QTest::newRow("no page mode") << kAll << 0 << false << u"1"_s << u"1"_s << 5 << 0 << u"ไม่ได้เลือกประเภทการพิมพ์"_s
                                      << N << N;
        QTest::newRow("first blank") << kAll << 2 << false << u"  "_s << u"1"_s << 5 << 0 << u"ไม่ได้พิมพ์ค่าเริ่มต้น"_s << N
                                     << F;
        QTest::newRow("first not numeric")
            << kAll << 2 << false << u"1a"_s << u"1"_s << 5 << 0 << u"ไม่ใช่ตัวเลข"_s << F << F;
        QTest::newRow("first beyond 32 bits")
            << kAll << 2 << false << u"9999999999"_s << u"1"_s << 5 << 0 << u"ไม่ใช่ตัวเลข"_s << F << F;
        QTest::newRow("first zero") << kAll << 2 << false << u"0"_s << u"1"_s << 5 << 0 << u"หน้าที่พิมพ์เริ่มต้นต้องมากกว่าศูนย์"_s
                                    << F << F;
        QTest::newRow("first 0.4 rounds to zero")
            << kAll << 2 << false << u"0.4"_s << u"1"_s << 5 << 0 << u"หน้าที่พิมพ์เริ่มต้นต้องมากกว่าศูนย์"_s << F << F;
        QTest::newRow("no records, all types: box cleared")
            << kAll << 2 << false << u"1"_s << u"1"_s << 0 << 0 << u"ไม่มีข้อมูลที่จะพิมพ์"_s << F << F;
        QTest::newRow("no records of the type: box kept")
            << k103 << 2 << false << u"1"_s << u"1"_s << 5 << 0 << u"ไม่มีข้อมูลที่จะพิมพ์"_s << N << F;
        QTest::newRow("24 records, first 3")
            << kAll << 2 << false << u"3"_s << u"3"_s << 24 << 0 << u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  2"_s << F << F;
        QTest::newRow("25 records, 3 to 3") << kAll << 2 << false << u"3"_s << u"3"_s << 25 << 0 << u""_s << N << N;
        QTest::newRow("pages of the chosen type only")
            << k103 << 2 << false << u"2"_s << u"2"_s << 30 << 5 << u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  1"_s << F << F;
        QTest::newRow("last blank, Letter")
            << kAll << 2 << false << u"1"_s << u" "_s << 5 << 0 << u"ยังไม่ได้พิมพ์ค่าสุดท้าย"_s << N << L;
        QTest::newRow("last blank, A4") << kAll << 2 << true << u"1"_s << u""_s << 5 << 0 << u"ยังไม่ได้พิมพ์ค่าสดท้าย"_s << N
                                        << L;
        QTest::newRow("last not numeric")
            << kAll << 2 << false << u"1"_s << u"two"_s << 5 << 0 << u"ไม่ใช่ตัวเลข"_s << L << L;
        QTest::newRow("last zero") << kAll << 2 << false << u"1"_s << u"0"_s << 5 << 0 << u"หน้าที่พิมพ์สุดท้ายต้องมากกว่าศูนย์"_s
                                   << L << L;
        QTest::newRow("last before first")
            << kAll << 2 << false << u"2"_s << u"1"_s << 25 << 0 << u"หน้าสุดท้ายต้องมากกว่าหรือเท่ากับหน้าเริ่มต้น"_s << L << L;
        QTest::newRow("last beyond the pages")
            << kAll << 2 << false << u"1"_s << u"4"_s << 25 << 0 << u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  3"_s << L << L;
        QTest::newRow("type 103, 1 to 1") << k103 << 2 << false << u" 1 "_s << u"1"_s << 30 << 5 << u""_s << N << N;
    }
    void okChecks()
    {
        QFETCH(int, type);
        QFETCH(int, mode);
        QFETCH(bool, a4);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, n101);
        QFETCH(int, n103);
        QFETCH(QString, message);
        QFETCH(PageBox, clear);
        QFETCH(PageBox, focus);

        PrintChoices c;
        c.typeIndex = type;
        c.allPages = mode == 1;
        c.pageRange = mode == 2;
        c.a4 = a4;
        c.firstPage = first;
        c.lastPage = last;
        const RecordStore all = mixed(n101, n103);
        RecordStore selected;
        const CheckOutcome o = CheckPrintChoices(c, all, selected);
        QCOMPARE(o.accepted, message.isEmpty());
        QCOMPARE(o.message, message);
        QCOMPARE(o.clear, clear);
        QCOMPARE(o.focus, focus);
        if (o.accepted) {
            QCOMPARE(o.request.typeCode, kReportTypeCodes[size_t(type)]);
            QCOMPARE(o.request.paperCode, a4 ? u"9"_s : u"1"_s);
            QCOMPARE(o.request.mode, mode == 1 ? PageMode::All : PageMode::Range);
            QCOMPARE(o.request.firstPage, first.trimmed());
        }
    }

    // The report is handed the whole numbers the checks judged, and prints those sheets.
    void rangeReachesTheReport_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("sheets");
        QTest::newRow("whole") << u"1"_s << u"1"_s << 1;
        QTest::newRow("decimal point") << u"1.0"_s << u"2.0"_s << 2;
        QTest::newRow("a half rounds to even") << u"1.5"_s << u"2.5"_s << 1;  // 2 to 2
        QTest::newRow("blanks and separators") << u" 1 "_s << u"3.00"_s << 3;
    }
    void rangeReachesTheReport()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, sheets);
        PrintChoices c;
        c.typeIndex = kAll;
        c.pageRange = true;
        c.firstPage = first;
        c.lastPage = last;
        const RecordStore all = mixed(30, 0);
        RecordStore selected;
        const CheckOutcome o = CheckPrintChoices(c, all, selected);
        QVERIFY(o.accepted);
        RecordingSurface surface;
        const SlipResult r = PrintSummaryReport(surface, all, selected, vorlane::test::flatRates(), o.request);
        QCOMPARE(r.status, SlipResult::Status::Printed);
        QCOMPARE(r.sheetsPrinted, sheets);
    }

    void singleTypeRefillsTheWorkingList()
    {
        PrintChoices c;
        c.typeIndex = k103;
        c.pageRange = true;
        c.firstPage = u"1"_s;
        c.lastPage = u"1"_s;
        RecordStore selected;
        selected.append(u"stale|"_s);
        QVERIFY(CheckPrintChoices(c, mixed(3, 2), selected).accepted);
        QCOMPARE(selected.count(), 2);
        QCOMPARE(selected.at(0), orderLine(3, u"103"_s));
    }

    void firstPageEnter_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("message");
        QTest::addColumn<PageBox>("clear");
        QTest::addColumn<PageBox>("focus");
        const auto N = PageBox::None, F = PageBox::First, L = PageBox::Last;
        QTest::newRow("blank") << u" "_s << 5 << u"หน้าเริ่มต้นต้องไม่เป็นช่องว่าง"_s << N << F;
        QTest::newRow("not numeric") << u"a"_s << 5 << u"ไม่ใช่ตัวเลข"_s << F << F;
        QTest::newRow("zero") << u"0"_s << 5 << u"หน้าเริ่มต้นต้องมากกว่าศูนย์"_s << N << F;
        QTest::newRow("no records") << u"1"_s << 0 << u"ไม่มีข้อมูลที่จะพิมพ์"_s << N << F;
        QTest::newRow("within the pages") << u"3"_s << 25 << u""_s << N << L;
        QTest::newRow("beyond the pages") << u"3"_s << 24 << u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  2"_s << N << F;
    }
    void firstPageEnter()
    {
        QFETCH(QString, first);
        QFETCH(int, records);
        QFETCH(QString, message);
        QFETCH(PageBox, clear);
        QFETCH(PageBox, focus);
        const CheckOutcome o = CheckFirstPageEnter(first, batch(records));
        QVERIFY(!o.accepted);
        QCOMPARE(o.message, message);
        QCOMPARE(o.clear, clear);
        QCOMPARE(o.focus, focus);
    }

    void lastPageEnter_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("message");
        QTest::addColumn<PageBox>("focus");
        const auto L = PageBox::Last, OK = PageBox::OkButton;
        QTest::newRow("blank") << u"1"_s << u""_s << 5 << u"หน้าสุดท้ายต้องไม่เป็นช่องว่าง"_s << L;
        QTest::newRow("not numeric") << u"1"_s << u"x"_s << 5 << u"ไม่ใช่ตัวเลข"_s << L;
        QTest::newRow("beyond 16 bits") << u"1"_s << u"40000"_s << 5 << u"ไม่ใช่ตัวเลข"_s << L;
        QTest::newRow("zero") << u"1"_s << u"0"_s << 5 << u"หน้าสุดท้ายต้องมากกว่าศูนย์"_s << L;
        QTest::newRow("no records") << u"1"_s << u"1"_s << 0 << u"ไม่มีข้อมูลที่จะพิมพ์"_s << L;
        QTest::newRow("before first") << u"2"_s << u"1"_s << 30 << u"หน้าสุดท้ายน้อยกว่าหน้าเริ่มต้น"_s << L;
        QTest::newRow("beyond the pages") << u"1"_s << u"4"_s << 25 << u"หน้าสุดท้ายที่พิมพ์ต้องน้อยกว่าเท่ากับหน้าสุดท้าย  3"_s << L;
        QTest::newRow("fine") << u"2"_s << u"3"_s << 25 << u""_s << OK;
        QTest::newRow("first not typed yet") << u""_s << u"1"_s << 5 << u""_s << OK;
    }
    void lastPageEnter()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, records);
        QFETCH(QString, message);
        QFETCH(PageBox, focus);
        const CheckOutcome o = CheckLastPageEnter(first, last, batch(records));
        QCOMPARE(o.message, message);
        QCOMPARE(o.clear, PageBox::None);
        QCOMPARE(o.focus, focus);
    }
};

QTEST_GUILESS_MAIN(TestPrintChoices)
#include "test_printchoices.moc"
