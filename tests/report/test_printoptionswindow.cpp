// The print options window in the running program: what opening sets, the messages and
// clean-ups of its checks, the destinations, and the way back to the entry window.
#include "../entry/entryfixture.h"
#include "report/ui/printoptionswindow.h"
#include "importer/sheet.h"
#include "records/fileio.h"
#include "slipfixtures.h"
#include "controls.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace vorlane;
using vorlane::test::ui;
using vorlane::test::orderLine;
using vorlane::test::Program;

namespace {

struct Fixture {
    Program p;
    PrintOptionsWindow *w = nullptr;
    QStringList printedOn;  // queues the OK button printed on
    SlipRequest lastRequest;
    QTemporaryDir out;

    explicit Fixture(int records, int current = 0)
    {
        p.start();
        for (int i = 0; i < records; ++i)
            p.appendLine(orderLine(i, u"101"_s));
        p.st().setCurrentIndex(current);
        p.main->openPrintOptions();
        w = p.main->printOptionsWindow();
        w->findPrinter = [] { return u"Queue"_s; };
        w->printOnPrinter = [this](const QString &queue, const SlipJob &job, const SlipProgress &progress) {
            printedOn << queue;
            lastRequest = job.request;
            return WriteSlipPdf(out.filePath(u"printed.pdf"_s), job, progress);
        };
        w->choosePdfPath = [this] { return out.filePath(u"saved.pdf"_s); };
        w->showPreview = [](const SlipJob &) {};
    }

    void choosePages(const QString &first, const QString &last)
    {
        ui(w).Option3->setChecked(true);
        ui(w).Text1->setText(first);
        ui(w).Text2->setText(last);
    }
    void ok() { ui(w).Command1[0]->click(); }
};

}  // namespace

class TestPrintOptionsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openingProposesAllTypesAllPagesA4()
    {
        Fixture f(5, 3);
        QVERIFY(f.w->isVisible());
        QVERIFY(!f.p.entry()->isVisible());
        QCOMPARE(f.p.st().ResumeIndex(), 3);
        QVERIFY(ui(f.w).Option1[13]->isChecked());
        QVERIFY(ui(f.w).Option2->isChecked());
        QVERIFY(ui(f.w).Option5->isChecked());
        QCOMPARE(f.w->windowTitle(), u"พิมพ์รายงานการฝากส่งธนาณัติ (แยกประเภท)"_s);
        QCOMPARE(ui(f.w).Option1[0]->text(), u"101 ธนาณัติธรรมดา"_s);
        QCOMPARE(ui(f.w).Option1[13]->text(), u"999 ทุกประเภท"_s);
        QCOMPARE(f.w->findChild<QRadioButton *>(u"Option1_9"_s), ui(f.w).Option1[9]);
        QCOMPARE(ui(f.w).Command1[0]->text(), u"ตกลง"_s);
        QCOMPARE(ui(f.w).Command1[1]->text(), u"ยกเลิก"_s);
        QCOMPARE(ui(f.w).Frame2->title(), u"เลือกรูปแบบการพิมพ์"_s);
    }

    void okPrintsAndPutsTheRecordBack()
    {
        Fixture f(5, 3);
        f.p.entry()->LoadLineIntoEntryFields(f.p.session.batch.lines().at(0));  // as if something else showed
        f.ok();
        QCOMPARE(f.printedOn, QStringList{u"Queue"_s});
        QCOMPARE(f.lastRequest.typeCode, u"999"_s);
        QCOMPARE(f.lastRequest.paperCode, u"9"_s);
        QCOMPARE(f.lastRequest.mode, PageMode::All);
        QVERIFY(QFileInfo::exists(f.out.filePath(u"printed.pdf"_s)));
        QVERIFY(!f.w->isVisible());
        QVERIFY(f.p.entry()->isVisible());
        QCOMPARE(f.p.st().CurrentIndex(), 3);
        QCOMPARE(f.p.entry()->field(RecipientName), u"นายผู้รับ 4"_s);
        QVERIFY(f.p.prompter.shown.isEmpty());
    }

    void refusedChoiceKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text1");  // the boxes afterwards
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QString>("focus");
        QTest::newRow("first not numeric: cleared")
            << u"x1"_s << u"1"_s << u"ไม่ใช่ตัวเลข"_s << u""_s << u"1"_s << u"Text1"_s;
        QTest::newRow("first beyond 2 pages")
            << u"3"_s << u"3"_s << u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  2"_s << u""_s << u"3"_s << u"Text1"_s;
        QTest::newRow("last blank on A4: kept")
            << u"1"_s << u""_s << u"ยังไม่ได้พิมพ์ค่าสดท้าย"_s << u"1"_s << u""_s << u"Text2"_s;
        QTest::newRow("last before first: cleared")
            << u"2"_s << u"1"_s << u"หน้าสุดท้ายต้องมากกว่าหรือเท่ากับหน้าเริ่มต้น"_s << u"2"_s << u""_s << u"Text2"_s;
    }
    void refusedChoiceKeepsTheWindow()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, message);
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        QFETCH(QString, focus);
        Fixture f(24);
        f.choosePages(first, last);
        f.ok();
        QCOMPARE(f.p.prompter.texts(), QStringList{message});
        QCOMPARE(f.p.prompter.shown.first().kind, test::ScriptedPrompter::Kind::Ok);
        QCOMPARE(ui(f.w).Text1->text(), text1);
        QCOMPARE(ui(f.w).Text2->text(), text2);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(f.w->isVisible());
        QVERIFY(f.printedOn.isEmpty());
    }

    void noTypeChosen()
    {
        Fixture f(3);
        ui(f.w).Option1[13]->setAutoExclusive(false);
        ui(f.w).Option1[13]->setChecked(false);
        ui(f.w).Option1[13]->setAutoExclusive(true);
        f.ok();
        QCOMPARE(f.p.prompter.last(), u"ไม่มีการเลือกประเภทธนาณัติ"_s);
        QVERIFY(f.w->isVisible());
    }

    void rangeOfOneTypeReachesThePrinter()
    {
        Fixture f(3);
        for (int i = 0; i < 14; ++i)
            f.p.appendLine(orderLine(3 + i, u"103"_s));
        ui(f.w).Option1[1]->setChecked(true);
        ui(f.w).Option4->setChecked(true);
        f.choosePages(u" 2"_s, u"2 "_s);
        f.ok();
        QCOMPARE(f.printedOn.size(), 1);
        QCOMPARE(f.lastRequest.typeCode, u"103"_s);
        QCOMPARE(f.lastRequest.paperCode, u"1"_s);
        QCOMPARE(f.lastRequest.firstPage, u"2"_s);
        QCOMPARE(f.lastRequest.lastPage, u"2"_s);
        QCOMPARE(f.p.session.lstMO2.count(), 14);
    }

    void enterChecks()
    {
        Fixture f(25);
        ui(f.w).Text1->setFocus();
        ui(f.w).Text1->setText(u"4"_s);
        test::pressEnter(ui(f.w).Text1);
        QCOMPARE(f.p.prompter.last(), u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  3"_s);
        QCOMPARE(QApplication::focusWidget(), ui(f.w).Text1);
        ui(f.w).Text1->setText(u"2"_s);
        test::pressEnter(ui(f.w).Text1);
        QCOMPARE(QApplication::focusWidget(), ui(f.w).Text2);
        ui(f.w).Text2->setText(u"1"_s);
        test::pressEnter(ui(f.w).Text2);
        QCOMPARE(f.p.prompter.last(), u"หน้าสุดท้ายน้อยกว่าหน้าเริ่มต้น"_s);
        ui(f.w).Text2->setText(u"3"_s);
        test::pressEnter(ui(f.w).Text2);
        QCOMPARE(QApplication::focusWidget(), ui(f.w).Command1[0]);
        QCOMPARE(f.p.prompter.shown.size(), 2);
        QVERIFY(f.printedOn.isEmpty());  // Enter never prints
    }

    void clickingAPageBoxChoosesPages()
    {
        Fixture f(3);
        QVERIFY(ui(f.w).Option2->isChecked());
        QTest::mouseClick(ui(f.w).Text2, Qt::LeftButton);
        QVERIFY(ui(f.w).Option3->isChecked());
        ui(f.w).Option2->setChecked(true);
        QTest::mouseClick(ui(f.w).Option3, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), ui(f.w).Text1);
    }

    void failureShowsTheErrorBoxAndCloses()
    {
        Fixture f(3);
        f.p.storeLine(1, orderLine(1, u"101"_s, u"1O0"_s));
        f.ok();
        QCOMPARE(f.p.prompter.shown.size(), 1);
        QCOMPARE(f.p.prompter.shown.first().kind, test::ScriptedPrompter::Kind::Information);
        QCOMPARE(f.p.prompter.shown.first().title, u"เกิดข้อผิดพลาด"_s);
        QCOMPARE(f.p.prompter.last(), u"Error 13 : Type mismatch ให้ตรวจสอบเครื่องพิมพ์"_s);
        QVERIFY(!QFileInfo::exists(f.out.filePath(u"printed.pdf"_s)));
        QVERIFY(!f.w->isVisible());
    }

    void cancelDuringAnAddNeverDuplicatesTheRecordShown()
    {
        // Add began a new record; printing and coming back shows a stored record again,
        // so saving it replaces it instead of appending a copy.
        Program p;
        p.start();
        p.addRecord(u"นายหนึ่ง"_s);
        p.addRecord(u"นายสอง"_s);
        p.entry()->AddAction();
        QVERIFY(p.st().IsAdding());
        p.main->openPrintOptions();
        ui(p.main->printOptionsWindow()).Command1[1]->click();
        QVERIFY(!p.st().IsAdding());
        QCOMPARE(p.entry()->field(RecipientName), u"นายสอง"_s);
        p.entry()->SaveAction();
        QCOMPARE(p.session.batch.lines().count(), 2);
        QCOMPARE(test::recipients(p.session), (QStringList{u"นายหนึ่ง"_s, u"นายสอง"_s}));
    }

    void emptyTypeIsReportedAndCloses_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::newRow("printer") << true;
        QTest::newRow("no printer: no question first") << false;
    }
    void emptyTypeIsReportedAndCloses()
    {
        QFETCH(bool, printer);
        Fixture f(3);
        if (!printer)
            f.w->findPrinter = [] { return QString(); };
        f.p.prompter.fallback = Prompter::Answer::Yes;
        ui(f.w).Option1[12]->setChecked(true);  // 115: none in the batch
        f.ok();
        QCOMPARE(f.p.prompter.texts(), QStringList{u"ไม่มีข้อมูลจะพิมพ์"_s});
        QVERIFY(!f.w->isVisible());
    }

    void noPrinterOffersAPdf()
    {
        Fixture f(3);
        f.w->findPrinter = [] { return QString(); };
        f.p.prompter.answer(Prompter::Answer::No);
        f.ok();
        QCOMPARE(f.p.prompter.shown.first().kind, test::ScriptedPrompter::Kind::YesNo);
        QVERIFY(f.w->isVisible());  // declined: the user may still preview or save
        QVERIFY(!QFileInfo::exists(f.out.filePath(u"saved.pdf"_s)));

        f.p.prompter.clear();
        f.p.prompter.answer(Prompter::Answer::Yes);
        f.ok();
        QVERIFY(QFileInfo::exists(f.out.filePath(u"saved.pdf"_s)));
        QCOMPARE(f.p.prompter.texts().last(),
                 QDir::toNativeSeparators(f.out.filePath(u"saved.pdf"_s)) + u"   บันทึกแล้ว"_s);
        QVERIFY(f.printedOn.isEmpty());
        QVERIFY(!f.w->isVisible());
    }

    void savePdfKeepsTheWindowOpen()
    {
        Fixture f(13);
        ui(f.w).CmdPdf->click();
        QVERIFY(QFileInfo(f.out.filePath(u"saved.pdf"_s)).size() > 1000);
        QVERIFY(f.w->isVisible());
        QCOMPARE(f.p.prompter.texts(),
                 QStringList{QDir::toNativeSeparators(f.out.filePath(u"saved.pdf"_s)) + u"   บันทึกแล้ว"_s});
    }

    // The workbook holds the records printing would select, read back cell by cell.
    void saveExcelWritesTheSelectedRecords_data()
    {
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::newRow("one type, all pages") << 1 << QString() << QString() << QStringList{u"นายผู้รับ 1"_s, u"นายผู้รับ 2"_s}
                                             << QStringList{u"1250.5"_s, u"3000"_s} << u"4250.5"_s;
        // Sheet 2 of all types: records 13 to 24 (the two of type 103 come last, on sheet 3).
        QStringList names, amounts;
        for (int i = 12; i < 24; ++i) {
            names << u"นายผู้รับ %1"_s.arg(i + 1);
            amounts << QString::number(100 * (i + 1));
        }
        QTest::newRow("all types, one sheet") << 13 << u"2"_s << u"2"_s << names << amounts << u"22200"_s;
    }
    void saveExcelWritesTheSelectedRecords()
    {
        QFETCH(int, typeIndex);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QStringList, recipients);
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        Fixture f(24);
        f.p.appendLine(orderLine(0, u"103"_s, u"1250.5"_s));
        f.p.appendLine(orderLine(1, u"103"_s, u"3000"_s));
        const QString path = f.out.filePath(u"saved.xlsx"_s);
        f.w->chooseExcelPath = [&] { return path; };
        ui(f.w).Option1[size_t(typeIndex)]->setChecked(true);
        if (!first.isEmpty())
            f.choosePages(first, last);
        QCOMPARE(ui(f.w).CmdExcel->objectName(), u"CmdExcel"_s);
        QVERIFY(!ui(f.w).CmdExcel->accessibleName().isEmpty());
        ui(f.w).CmdExcel->click();

        QCOMPARE(f.p.prompter.texts(), QStringList{QDir::toNativeSeparators(path) + u"   บันทึกแล้ว"_s});
        QVERIFY(f.w->isVisible());
        const Sheet sheet = ReadXlsx(ReadFileBounded(path, 1 << 24).bytes);
        QVERIFY2(sheet.ok(), qPrintable(sheet.error));
        QCOMPARE(sheet.rows.size(), recipients.size() + 2);  // header and totals
        QCOMPARE(sheet.rows[0].value(0), u"ประเภท"_s);
        QCOMPARE(sheet.rows[0].value(8), u"ค่าธรรมเนียม"_s);
        for (int i = 0; i < recipients.size(); ++i) {
            const QStringList &row = sheet.rows[i + 1];
            QCOMPARE(row.value(3), recipients[i]);
            QCOMPARE(row.value(7), amounts[i]);
            QCOMPARE(row.value(2), u"คลองเตย"_s);
            QVERIFY(row.value(8).toDouble() > 0);
        }
        QCOMPARE(sheet.rows.last().value(0), u"รวม"_s);
        QCOMPARE(sheet.rows.last().value(7), total);
    }

    void saveExcelFailureNamesTheFile()
    {
        Fixture f(3);
        const QString path = f.out.filePath(u"no such folder/saved.xlsx"_s);
        f.w->chooseExcelPath = [&] { return path; };
        ui(f.w).CmdExcel->click();
        QCOMPARE(f.p.prompter.shown.size(), 1);
        QCOMPARE(f.p.prompter.shown[0].title, kErrorTitle);
        QVERIFY(f.p.prompter.last().contains(path));
        QVERIFY(!QFileInfo::exists(path));
    }

    void previewIsCheckedFirst()
    {
        Fixture f(3);
        int previews = 0;
        f.w->showPreview = [&](const SlipJob &) { ++previews; };
        f.choosePages(u"0"_s, u"1"_s);
        ui(f.w).CmdPreview->click();
        QCOMPARE(previews, 0);
        QCOMPARE(f.p.prompter.last(), u"หน้าที่พิมพ์เริ่มต้นต้องมากกว่าศูนย์"_s);
        ui(f.w).Option2->setChecked(true);
        ui(f.w).CmdPreview->click();
        QCOMPARE(previews, 1);
    }

    void cancelOnAnEmptyBatchRestoresTheDefaults()
    {
        Fixture f(0);
        f.p.entry()->setField(TypeCode, u"113"_s);
        f.p.entry()->setField(DepositorName, u"อื่น"_s);
        ui(f.w).Command1[1]->click();
        QVERIFY(!f.w->isVisible());
        QVERIFY(f.p.entry()->isVisible());
        QCOMPARE(f.p.entry()->field(TypeCode), u"101"_s);
        QCOMPARE(f.p.entry()->field(DepositorName), f.p.session.DefaultDepositorName);
        QCOMPARE(f.p.entry()->field(DepositorAddress), f.p.session.DefaultDepositorAddress);
        QVERIFY(f.printedOn.isEmpty());
    }
};

QTEST_MAIN(TestPrintOptionsWindow)
#include "test_printoptionswindow.moc"
