// The clerk at the keyboard and the clerk with a screen reader, through the real windows:
// where the focus is after every work window, what Esc does, and what the accessibility
// tree says of the fields and the totals.
#include "../entry/entryfixture.h"

#include "entry/searchwindow.h"
#include "filechooser/filechooser.h"
#include "help/helpwindow.h"
#include "report/ui/printoptionswindow.h"
#include "review/reviewwindow.h"
#include "shell/fileflows.h"
#include "tempfiles.h"
#include "controls.h"

#include <QAccessible>
#include <QListView>
#include <QRadioButton>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {

QWidget *shownWorkWindow(Program &p)
{
    for (QWidget *c : p.main->workArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (c->isVisible() && c != p.entry())
            return c;
    return nullptr;
}

QString focusName(Program &p) { return p.focus() ? p.focus()->objectName() : u"(nowhere)"_s; }

}  // namespace

class KeyboardFocusTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Left through each of its ways, a work window gives the focus back where keying goes on.
    void focusComesBack_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("focus");
        QTest::newRow("help closed") << u"help"_s << u"Text1_6"_s;
        QTest::newRow("review cancelled") << u"review cancel"_s << u"Text1_6"_s;
        QTest::newRow("review: order chosen to correct") << u"review edit"_s << u"Combo1_0"_s;
        QTest::newRow("print options cancelled") << u"print cancel"_s << u"Text1_6"_s;
        QTest::newRow("search cancelled") << u"search cancel"_s << u"Text1_6"_s;
        QTest::newRow("search: office chosen") << u"search ok"_s << u"Text1_2"_s;
        QTest::newRow("open cancelled") << u"open cancel"_s << u"Text1_6"_s;
        QTest::newRow("a file opened") << u"open file"_s << u"Combo1_0"_s;
    }
    void focusComesBack()
    {
        QFETCH(QString, flow);
        QFETCH(QString, focus);
        Program p;
        EntryWindow *e = p.start();
        p.addRecord(u"นาย ก"_s);
        p.addRecord(u"นาย ข"_s, u"600"_s);
        ui(e).Text1[RecipientAddress]->setFocus();
        QCOMPARE(focusName(p), u"Text1_6"_s);
        p.prompter.clear();
        p.prompter.fallback = Prompter::Answer::No;
        if (flow == u"help") {
            ui(p.main).Command1[0]->click();
            QWidget *w = shownWorkWindow(p);
            QVERIFY(w);
            QCOMPARE(focusName(p), u"Cmdclose"_s);
            w->findChild<QAbstractButton *>(u"Cmdclose"_s)->click();
        } else if (flow.startsWith(u"review"_s)) {
            ui(p.main).Command1[5]->click();
            auto *review = qobject_cast<ReviewWindow *>(shownWorkWindow(p));
            QVERIFY(review);
            if (flow.endsWith(u"edit"_s)) {
                ui(review).List1->setCurrentIndex(ui(review).List1->model()->index(0, 0));
                review->List1_Click(0);
                ui(review).Command1->click();
                QCOMPARE(p.st().CurrentIndex(), 0);
            } else {
                ui(review).Command2->click();
            }
        } else if (flow == u"print cancel") {
            ui(p.main).Command1[4]->click();
            auto *print = qobject_cast<PrintOptionsWindow *>(shownWorkWindow(p));
            QVERIFY(print);
            ui(print).Command1[1]->click();
        } else if (flow.startsWith(u"search"_s)) {
            ui(p.main).Command1[6]->click();
            auto *search = p.main->workArea()->findChild<SearchWindow *>();
            QVERIFY(search && search->isVisible());
            if (flow.endsWith(u"ok"_s)) {
                // A fresh record whose office is chosen in the search.
                e->AddAction();
                ui(p.main).Command1[6]->click();
                search = p.main->workArea()->findChild<SearchWindow *>();
                ui(search).Txtsearch[SearchWindow::Typed]->setText(u"10100"_s);
                search->Txtsearch_Enter();
                ui(search).Command1_2->click();
            } else {
                ui(search).Command1_3->click();
            }
        } else if (flow.startsWith(u"open"_s)) {
            BeginOpen(*p.main);
            FileChooser *c = p.main->chooser();
            QVERIFY(c && c->isVisible());
            QCOMPARE(focusName(p), u"Text1"_s);
            if (flow.endsWith(u"file"_s)) {
                QVERIFY(writeCp874(p.dir.filePath(u"b.txt"_s), {u"101|10100|นาย ค|ร้าน|500|ป้อมปราบศัตรูพ่าย|1|2|"_s}));
                c->setDirectory(p.dir.path());
                ui(c).Text1->setText(u"b.txt"_s);
                ui(c).Comopen->click();
                QCOMPARE(p.st().lines().count(), 1);
            } else {
                ui(c).Comclose->click();
            }
        }
        QVERIFY(p.entry()->isVisible());
        QCOMPARE(focusName(p), focus);
    }

    // The print window keeps the type, pages and paper chosen for its next opening, and a
    // page typed with the keyboard chooses a range.
    void printChoicesAreKept()
    {
        Program p;
        p.start();
        p.addRecord(u"นาย ก"_s);
        ui(p.main).Command1[4]->click();
        auto *print = qobject_cast<PrintOptionsWindow *>(shownWorkWindow(p));
        QVERIFY(print);
        QVERIFY(ui(print).Option1[13]->isChecked() && ui(print).Option2->isChecked() && ui(print).Option5->isChecked());
        ui(print).Option1[1]->setChecked(true);
        ui(print).Option4->setChecked(true);
        ui(print).Text1->setFocus();
        QTest::keyClicks(ui(print).Text1, u"1"_s);
        QVERIFY(ui(print).Option3->isChecked());
        ui(print).Command1[1]->click();
        ui(p.main).Command1[4]->click();
        QCOMPARE(shownWorkWindow(p), print);
        QVERIFY(ui(print).Option1[1]->isChecked());
        QVERIFY(ui(print).Option3->isChecked());
        QVERIFY(ui(print).Option4->isChecked());
        QCOMPARE(ui(print).Text1->text(), u"1"_s);
        QCOMPARE(focusName(p), u"Command1_0"_s);
    }

    // Esc is "ยกเลิก" while a record is being added or inserted, and nothing otherwise.
    void escapeGivesUpTheNewRecord()
    {
        Program p;
        EntryWindow *e = p.start();
        p.addRecord(u"นาย ก"_s);
        e->AddAction();
        ui(e).Text1[RecipientName]->setFocus();
        QVERIFY(p.st().IsAdding());
        QTest::keyClick(ui(e).Text1[RecipientName], Qt::Key_Escape);
        QVERIFY(!p.st().IsAdding());
        QCOMPARE(e->counterText(), u"1 / 1"_s);
        e->InsertAction();
        QVERIFY(p.st().IsInserting());
        QTest::keyClick(p.focus(), Qt::Key_Escape);
        QVERIFY(!p.st().IsInserting());
        QCOMPARE(p.lines().size(), 1);
        QTest::keyClick(p.focus(), Qt::Key_Escape);  // nothing pending: nothing happens
        QCOMPARE(p.lines().size(), 1);
    }

    // What the accessibility tree gives a screen reader for the entry window.
    void fieldsAndTotalsAreSpoken()
    {
        Program p;
        EntryWindow *e = p.start();
        p.addRecord(u"นาย ก"_s, u"1,250.50"_s);
        auto name = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        // The line edit inside each editable selector, which takes the focus, has a name.
        QCOMPARE(name(ui(e).Combo1[TypeCodeBox]->lineEdit()), u"ประเภท ธน. รหัส"_s);
        QCOMPARE(name(ui(e).Combo1[PostcodeBox]->lineEdit()), u"ปณ.ปลายทาง รหัสไปรษณีย์"_s);
        QCOMPARE(name(ui(e).Combo1[OfficeNameBox]->lineEdit()), u"ปณ.ปลายทาง ชื่อที่ทำการ"_s);
        // Every field is spoken by its caption. (Qt links a label to its buddy for a screen
        // reader only when both share a parent; these captions stand in a frame of their
        // own, so the field's name carries the caption.)
        const QList<std::pair<QString, QWidget *>> captions{
            {u"Label4"_s, ui(e).Combo1[TypeCodeBox]},  {u"Label7"_s, ui(e).Combo1[PostcodeBox]},
            {u"Label8"_s, ui(e).Text1[RecipientName]}, {u"Label10"_s, ui(e).Text1[RecipientAddress]},
            {u"Label9"_s, ui(e).Text1[DepositorName]}, {u"Label11"_s, ui(e).Text1[DepositorAddress]},
            {u"Label6"_s, ui(e).Text1[Amount]}};
        for (const auto &[label, field] : captions) {
            const QLabel *caption = e->findChild<QLabel *>(label);
            QVERIFY(caption);
            QCOMPARE(caption->buddy(), field);
            QWidget *focused = qobject_cast<QComboBox *>(field) ? qobject_cast<QComboBox *>(field)->lineEdit() : field;
            QVERIFY2(name(focused).startsWith(caption->text()), qPrintable(label + u' ' + name(focused)));
        }
        // The totals are heard with their amounts, and follow every order.
        QCOMPARE(name(ui(e).Label13), u"จำนวนเงินรวม 1,250.50 บาท"_s);
        QCOMPARE(name(ui(e).Label15), u"ค่าธรรมเนียมธนาณัติรวม 15.00 บาท"_s);
        p.addRecord(u"นาย ข"_s, u"100"_s);
        QCOMPARE(name(ui(e).Label13), u"จำนวนเงินรวม 1,350.50 บาท"_s);
    }
};

QTEST_MAIN(KeyboardFocusTest)
#include "test_keyboardfocus.moc"
