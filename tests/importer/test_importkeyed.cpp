// The orders of files/orders.csv keyed by hand into the entry window give the same data
// file lines as the workbooks LibreOffice made of that CSV, imported.
#include "entryfixture.h"
#include "importer/sheet.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class TestImportKeyed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyedLikeImported()
    {
        Program p;
        p.start(u"บริษัท ก"_s, u"9 ถนน"_s);
        struct Order {
            QString type, postcode, recipient, address, depositor, amount;
        };
        // The rows the import accepts; the unknown postcode 99999 is confirmed.
        const Order orders[] = {
            {u"101"_s, u"10100"_s, u"นาย ก ใจดี"_s, u"1 ถนนสีลม"_s, u"บริษัท ก"_s, u"1250.5"_s},
            {u"103"_s, u"99999"_s, u"นาง ข"_s, u"2 หมู่ 3"_s, u"ร้าน ค"_s, u"3000"_s},
            {u"112"_s, QString(), u"นาย ง"_s, u"4 ซอย 5"_s, u"บริษัท ก"_s, u"100"_s},
        };
        p.prompter.answer(Prompter::Answer::Yes);
        for (const Order &o : orders) {
            if (!p.st().IsAdding())
                p.entry()->AddAction();
            p.fill(o.type, o.postcode, o.recipient, o.amount, o.address);
            ui(p.entry()).Text1[DepositorName]->setText(o.depositor);
            ui(p.entry()).Text1[DepositorAddress]->setText(u"9 ถนน"_s);
            p.entry()->SaveAction();
        }
        const QStringList keyed = p.lines();
        QCOMPARE(keyed.size(), 3);

        const ReferenceTables tables = LoadReferenceTables(
            AppPaths::forDirectory(qEnvironmentVariable("VORLANE_TEST_DATA")));
        for (const QString &file : {u"orders.xlsx"_s, u"orders.ods"_s}) {
            const Sheet sheet = ReadSheetFile(QStringLiteral(IMPORT_FILES) + u'/' + file);
            QVERIFY2(sheet.ok(), qPrintable(sheet.error));
            const ImportResult r = ImportSheet(sheet, {{u"บริษัท ก"_s, u"9 ถนน"_s}}, tables);
            QCOMPARE(r.lines(true), keyed);
        }
    }
};

QTEST_MAIN(TestImportKeyed)
#include "test_importkeyed.moc"
