// The entry window's list operations, modes, counter, totals, search box and selectors.
#include "entryfixture.h"

#include "entry/searchwindow.h"
#include "records/totals.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class EntryList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonStates_data();
    void buttonStates();
    void insertBeforeCurrent();
    void saveInAddModeThenReplace();
    void deleteOnlyRecord();
    void deleteLastOfThree_data();
    void deleteLastOfThree();
    void navigationStopsAtEnds();
    void backKeepsTotals();
    void addThenCancel();
    void totals();
    void searchBox();
    void abandonedInsertion_data();
    void abandonedInsertion();
    void pendingRecordSurvives_data();
    void pendingRecordSurvives();
    void workWindowLeftOnEmptyBatch();
    void keypadEnterSaves();
    void loadLine_data();
    void loadLine();
    void duplicateOfficeNames();
    void type112PickEmptiesPostcode();
    void closeBoxRefused();
};

namespace {
// Button states as "add del save cancel insert": '1' on, '0' off.
QString buttons(EntryWindow *e)
{
    QString s;
    for (QPushButton *b : {static_cast<QPushButton *>(ui(e).Cmdadd), static_cast<QPushButton *>(ui(e).Cmddel),
                           static_cast<QPushButton *>(ui(e).Cmdsave), static_cast<QPushButton *>(ui(e).Cmdcancel),
                           static_cast<QPushButton *>(ui(e).Cmdinsert)})
        s += b->isEnabled() ? u'1' : u'0';
    return s;
}

void setButtons(EntryWindow *e, const QString &pattern)
{
    QPushButton *bs[] = {ui(e).Cmdadd, ui(e).Cmddel, ui(e).Cmdsave, ui(e).Cmdcancel, ui(e).Cmdinsert};
    for (int i = 0; i < 5; ++i)
        bs[i]->setEnabled(pattern[i] == u'1');
}

void addNamed(Program &p, const QStringList &names)
{
    for (const QString &n : names)
        p.addRecord(n);
}
}  // namespace

void EntryList::buttonStates_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("before");  // states set just before the action, to see what it leaves
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("counter");

    QTest::newRow("add") << 2 << u"add"_s << u"11111"_s << u"00110"_s << true << u"2 / 2"_s;
    QTest::newRow("insert leaves all") << 2 << u"insert"_s << u"10101"_s << u"10101"_s << false << u"2 / 2"_s;
    QTest::newRow("save") << 2 << u"save"_s << u"00000"_s << u"11001"_s << false << u"3 / 3"_s;
    QTest::newRow("first") << 2 << u"first"_s << u"00000"_s << u"11110"_s << false << u"1 / 2"_s;
    QTest::newRow("back") << 2 << u"back"_s << u"00001"_s << u"11111"_s << false << u"1 / 2"_s;
    QTest::newRow("forward") << 2 << u"forward"_s << u"00000"_s << u"11110"_s << false << u"2 / 2"_s;
    QTest::newRow("last") << 2 << u"last"_s << u"00000"_s << u"11110"_s << false << u"2 / 2"_s;
    QTest::newRow("cancel") << 2 << u"cancel"_s << u"00000"_s << u"11111"_s << false << u"2 / 2"_s;
    QTest::newRow("cancel, empty") << 0 << u"cancel"_s << u"11111"_s << u"10000"_s << false << u"0/0"_s;
    QTest::newRow("delete, records remain") << 2 << u"delete"_s << u"00000"_s << u"01000"_s << false << u"1 / 1"_s;
    QTest::newRow("delete of the last record") << 1 << u"delete"_s << u"11111"_s << u"00110"_s << false << u"0/0"_s;
}

void EntryList::buttonStates()
{
    QFETCH(int, records);
    QFETCH(QString, action);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, adding);
    QFETCH(QString, counter);

    Program p;
    EntryWindow *e = p.start();
    for (int i = 0; i < records; ++i)
        p.addRecord(u"R%1"_s.arg(i));
    if (action == u"save") {
        e->AddAction();
        p.fill(u"101"_s, u"10100"_s, u"X"_s, u"100"_s);
    }
    setButtons(e, before);
    p.prompter.answer(Prompter::Answer::Yes);
    if (action == u"add")
        e->AddAction();
    else if (action == u"insert")
        e->InsertAction();
    else if (action == u"save")
        e->SaveAction();
    else if (action == u"first")
        e->Navigate(EntryWindow::Move::First);
    else if (action == u"back")
        e->Navigate(EntryWindow::Move::Back);
    else if (action == u"forward")
        e->Navigate(EntryWindow::Move::Forward);
    else if (action == u"last")
        e->Navigate(EntryWindow::Move::Last);
    else if (action == u"cancel")
        e->CancelAction();
    else if (action == u"delete")
        e->DeleteAction();

    QCOMPARE(buttons(e), after);
    QCOMPARE(p.st().IsAdding(), adding);
    QCOMPARE(p.st().IsInserting(), action == u"insert");
    QCOMPARE(e->counterText(), counter);
}

// A, B, C, D, E with C on screen: insert X, save -> A, B, X, C, D, E and "3 / 6".
void EntryList::insertBeforeCurrent()
{
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s});
    e->Navigate(EntryWindow::Move::First);
    e->Navigate(EntryWindow::Move::Forward);
    e->Navigate(EntryWindow::Move::Forward);
    QCOMPARE(e->field(2), u"C"_s);
    p.st().markSaved();
    ui(e).Cmdinsert->click();
    QVERIFY(!p.st().IsSaved());
    QCOMPARE(p.session.batch.LstMO3().count(), 3);
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Combo1[2]));
    QCOMPARE(e->field(1), QString());
    QCOMPARE(e->field(2), QString());
    QCOMPARE(e->field(0), u"101"_s);  // type and depositor carried over
    QVERIFY(!e->field(3).isEmpty());
    p.fill(u"101"_s, u"10110"_s, u"X"_s, u"700"_s);
    ui(e).Cmdsave->click();
    QCOMPARE(recipients(p.session), (QStringList{u"A"_s, u"B"_s, u"X"_s, u"C"_s, u"D"_s, u"E"_s}));
    QCOMPARE(e->field(2), u"X"_s);
    QCOMPARE(e->counterText(), u"3 / 6"_s);
    QVERIFY(!p.st().IsInserting());
    QVERIFY(p.session.batch.LstMO3().isEmpty());
}

void EntryList::saveInAddModeThenReplace()
{
    Program p;
    EntryWindow *e = p.start();
    p.fill(u"101"_s, u"10100"_s, u"A"_s, u"500"_s);
    e->SaveAction();
    QCOMPARE(e->counterText(), u"1 / 1"_s);
    ui(e).Text1[4]->setText(u"600"_s);
    e->SaveAction();
    QCOMPARE(p.session.batch.lines().count(), 1);
    QCOMPARE(p.lines().first().section(u'|', 4, 4), u"600"_s);
    QCOMPARE(ui(e).Label13->text(), u"600.00"_s);
}

void EntryList::deleteOnlyRecord()
{
    Program p;
    EntryWindow *e = p.start(u"ผู้ฝาก"_s, u"ที่อยู่ผู้ฝาก"_s);
    p.addRecord(u"A"_s, u"500"_s, u"10100"_s, u"103"_s);
    p.prompter.answer(Prompter::Answer::Yes);
    ui(e).Cmddel->click();
    QCOMPARE(p.prompter.texts(), QStringList{u"ต้องการลบข้อมูลนี้จริงหรือไม่"_s});
    QVERIFY(p.session.batch.lines().isEmpty());
    QCOMPARE(e->field(0), u"101"_s);
    QCOMPARE(ui(e).Combo1[0]->currentText(), u"101"_s);
    QCOMPARE(e->field(3), u"ผู้ฝาก"_s);
    QCOMPARE(e->field(7), u"ที่อยู่ผู้ฝาก"_s);
    QCOMPARE(e->counterText(), u"0/0"_s);
    QCOMPARE(ui(e).Label13->text(), u"0.00"_s);
    QCOMPARE(ui(e).Label15->text(), u"0.00"_s);
    QVERIFY(ui(e).Cmdsave->isEnabled());
    QVERIFY(!p.st().IsAdding());
    QCOMPARE(p.st().CurrentIndex(), 0);
    p.fill(u"101"_s, u"10100"_s, u"B"_s, u"100"_s);
    e->SaveAction();
    QCOMPARE(recipients(p.session), QStringList{u"B"_s});
    QCOMPARE(e->counterText(), u"1 / 1"_s);
}

void EntryList::deleteLastOfThree_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void EntryList::deleteLastOfThree()
{
    QFETCH(bool, yes);
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s, u"C"_s});
    p.st().markSaved();
    p.prompter.answer(yes ? Prompter::Answer::Yes : Prompter::Answer::No);
    e->DeleteAction();
    QVERIFY(!p.st().IsSaved());  // a declined delete still counts as a change
    if (yes) {
        QCOMPARE(recipients(p.session), (QStringList{u"A"_s, u"B"_s}));
        QCOMPARE(e->field(2), u"B"_s);
        QCOMPARE(e->counterText(), u"2 / 2"_s);
    } else {
        QCOMPARE(recipients(p.session), (QStringList{u"A"_s, u"B"_s, u"C"_s}));
        QCOMPARE(e->field(2), u"C"_s);
        QCOMPARE(e->counterText(), u"3 / 3"_s);
    }
}

void EntryList::navigationStopsAtEnds()
{
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s, u"C"_s});
    e->Navigate(EntryWindow::Move::Forward);
    QCOMPARE(e->field(2), u"C"_s);
    QCOMPARE(e->counterText(), u"3 / 3"_s);
    e->Navigate(EntryWindow::Move::First);
    e->Navigate(EntryWindow::Move::Back);
    QCOMPARE(e->field(2), u"A"_s);
    QCOMPARE(e->counterText(), u"1 / 3"_s);
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Combo1[0]));
    ui(e).Cmdlast->click();
    QCOMPARE(e->field(2), u"C"_s);
}

// Back sets only the counter; first, forward and last recompute the totals too.
void EntryList::backKeepsTotals()
{
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s});
    QCOMPARE(ui(e).Label13->text(), u"1,000.00"_s);
    p.appendLine(u"101|10100|C|x|1000|n|a|b|"_s);
    e->Navigate(EntryWindow::Move::Back);
    QCOMPARE(ui(e).Label13->text(), u"1,000.00"_s);
    QCOMPARE(e->counterText(), u"1 / 3"_s);
    e->Navigate(EntryWindow::Move::Forward);
    QCOMPARE(ui(e).Label13->text(), u"2,000.00"_s);
}

void EntryList::addThenCancel()
{
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s, u"C"_s});
    p.st().setCurrentIndex(2);
    ui(e).Combo1[0]->setEditText(u"103"_s);
    ui(e).Cmdadd->click();
    QCOMPARE(e->counterText(), u"3 / 3"_s);
    QCOMPARE(e->field(0), u"103"_s);
    QVERIFY(!e->field(3).isEmpty());
    QVERIFY(!e->field(7).isEmpty());
    for (int k : {1, 2, 4, 5, 6})
        QCOMPARE(e->field(k), QString());
    QCOMPARE(ui(e).Combo1[3]->currentText(), QString());
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Combo1[2]));
    ui(e).Cmdcancel->click();
    QCOMPARE(e->field(2), u"C"_s);
    QCOMPARE(e->field(0), u"101"_s);
    QCOMPARE(e->counterText(), u"3 / 3"_s);
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Cmdadd));
}

void EntryList::totals()
{
    Program p;
    EntryWindow *e = p.start();
    QCOMPARE(ui(e).Label13->text(), u"0.00"_s);
    QCOMPARE(ui(e).Label15->text(), u"0.00"_s);
    QCOMPARE(e->counterText(), u"0/0"_s);
    p.addRecord(u"A"_s, u"500"_s);
    p.addRecord(u"B"_s, u"1250.50"_s);
    QCOMPARE(ui(e).Label13->text(), u"1,750.50"_s);
    QCOMPARE(ui(e).Label15->text(), u"25.00"_s);  // 10 + 15 by the step rule of type 101
    QCOMPARE(ComputeTotals(p.st().lines(), p.session.tables.rates).amount, 1750.5);
    p.addRecord(u"C"_s, u"100"_s);
    p.st().setCurrentIndex(1);
    e->RefreshTotals();
    QCOMPARE(e->counterText(), u"2 / 3"_s);
    QCOMPARE(e->field(2), u"C"_s);  // the record on screen is not touched
}

void EntryList::searchBox()
{
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"Zed"_s, u"bob"_s, u"Carol"_s});
    ui(e).Text2->setText(u"B"_s);
    QCOMPARE(e->field(2), u"bob"_s);
    QCOMPARE(e->counterText(), u"2 / 3"_s);
    QCOMPARE(p.st().CurrentIndex(), 1);
    ui(e).Text2->setText(u"qqq"_s);  // no match: nothing moves
    QCOMPARE(e->field(2), u"bob"_s);
    QCOMPARE(p.st().CurrentIndex(), 1);
    ui(e).Text2->setText(u"c"_s);
    QCOMPARE(e->field(2), u"Carol"_s);
    ui(e).Text2->clear();  // the empty text matches the first record
    QCOMPARE(e->field(2), u"Zed"_s);
    QCOMPARE(e->counterText(), u"1 / 3"_s);
    // Bars count too: "|b" finds the field that starts with b.
    ui(e).Text2->setText(u"|b"_s);
    QCOMPARE(e->field(2), u"bob"_s);
    QVERIFY(!p.st().IsAdding());
}

void EntryList::abandonedInsertion_data()
{
    QTest::addColumn<QString>("how");
    for (const char *h : {"cancel", "first", "back", "forward", "last", "delete confirmed", "search box", "add",
                          "search window cancel"})
        QTest::newRow(h) << QString::fromLatin1(h);
}

// An insertion given up must not write its held records back at a later save.
void EntryList::abandonedInsertion()
{
    QFETCH(QString, how);
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s, u"C"_s});
    e->Navigate(EntryWindow::Move::First);
    e->Navigate(EntryWindow::Move::Forward);
    e->InsertAction();
    QCOMPARE(p.session.batch.LstMO3().count(), 2);
    p.fill(u"101"_s, u"10100"_s, u"X"_s, u"100"_s);

    p.prompter.answer(how == u"delete confirmed" ? Prompter::Answer::Yes : Prompter::Answer::No);
    if (how == u"cancel")
        e->CancelAction();
    else if (how == u"first")
        e->Navigate(EntryWindow::Move::First);
    else if (how == u"back")
        e->Navigate(EntryWindow::Move::Back);
    else if (how == u"forward")
        e->Navigate(EntryWindow::Move::Forward);
    else if (how == u"last")
        e->Navigate(EntryWindow::Move::Last);
    else if (how == u"delete confirmed")
        e->DeleteAction();
    else if (how == u"search box")
        ui(e).Text2->setText(u"A"_s);
    else if (how == u"add")
        e->AddAction();
    else if (how == u"search window cancel") {
        e->AbandonInsertion();
        e->LoadLineIntoEntryFields(p.session.batch.lines().at(1));
    }
    QVERIFY(!p.st().IsInserting());
    QVERIFY(p.session.batch.LstMO3().isEmpty());

    if (how == u"add") {
        p.fill(u"101"_s, u"10100"_s, u"D"_s, u"100"_s);
        e->SaveAction();
        QCOMPARE(recipients(p.session), (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
        return;
    }
    if (how == u"delete confirmed") {
        // B is gone and C is on screen; correcting it moves nothing else.
        QCOMPARE(e->field(2), u"C"_s);
        ui(e).Text1[2]->setText(u"C2"_s);
        e->SaveAction();
        QCOMPARE(recipients(p.session), (QStringList{u"A"_s, u"C2"_s}));
        return;
    }
    // Correct record B and save it: nothing else may move or repeat.
    e->Navigate(EntryWindow::Move::First);
    e->Navigate(EntryWindow::Move::Forward);
    ui(e).Text1[2]->setText(u"B2"_s);
    e->SaveAction();
    QCOMPARE(recipients(p.session), (QStringList{u"A"_s, u"B2"_s, u"C"_s}));
}

void EntryList::pendingRecordSurvives_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("after");
    // A, B, C with B on screen for an insertion, C for an add; X keyed, then saved.
    QTest::newRow("insert, delete declined")
        << u"insert"_s << u"delete"_s << QStringList{u"A"_s, u"X"_s, u"B"_s, u"C"_s};
    QTest::newRow("insert, search finds nothing")
        << u"insert"_s << u"zzz"_s << QStringList{u"A"_s, u"X"_s, u"B"_s, u"C"_s};
    QTest::newRow("add, search finds nothing") << u"add"_s << u"zzz"_s << QStringList{u"A"_s, u"B"_s, u"C"_s, u"X"_s};
    QTest::newRow("add, search finds a record") << u"add"_s << u"b"_s << QStringList{u"A"_s, u"X"_s, u"C"_s};
}

// The record being added or inserted stays so until a record replaces it on screen.
void EntryList::pendingRecordSurvives()
{
    QFETCH(QString, mode);
    QFETCH(QString, how);
    QFETCH(QStringList, after);
    Program p;
    EntryWindow *e = p.start();
    addNamed(p, {u"A"_s, u"B"_s, u"C"_s});
    if (mode == u"insert") {
        e->Navigate(EntryWindow::Move::First);
        e->Navigate(EntryWindow::Move::Forward);
        e->InsertAction();
    } else {
        e->Navigate(EntryWindow::Move::Last);
        e->AddAction();
    }
    p.fill(u"101"_s, u"10100"_s, u"X"_s, u"100"_s);
    p.prompter.answer(Prompter::Answer::No);
    if (how == u"delete")
        e->DeleteAction();
    else
        ui(e).Text2->setText(how);
    if (how == u"b") {  // B is on screen now and X gone: key X over it
        QCOMPARE(e->field(2), u"B"_s);
        ui(e).Text1[2]->setText(u"X"_s);
    } else {
        QCOMPARE(e->field(2), u"X"_s);
    }
    e->SaveAction();
    QCOMPARE(recipients(p.session), after);
}

// Every work window's way back, on a batch with no records: a new record, no half of the
// one that was being keyed.
void EntryList::workWindowLeftOnEmptyBatch()
{
    Program p;
    EntryWindow *e = p.start();
    p.fill(u"103"_s, u"10110"_s, u"X"_s, u"100"_s);
    p.main->backToEntry();
    QCOMPARE(e->field(0), u"101"_s);
    QCOMPARE(e->field(3), p.session.DefaultDepositorName);
    QCOMPARE(e->field(7), p.session.DefaultDepositorAddress);
    for (int k : {1, 2, 4, 5, 6})
        QCOMPARE(e->field(k), QString());
    QCOMPARE(ui(e).Combo1[2]->currentText(), QString());
    QCOMPARE(ui(e).Combo1[3]->currentText(), QString());
}

// Amounts are keyed on the keypad: its Enter presses every button the Enter flow lands
// on (depositor's OK, search OK, save).
void EntryList::keypadEnterSaves()
{
    Program p;
    ui(p.main).Command1[0]->click();
    DepositorDialog *d = p.main->depositorDialog();
    ui(d).Text1->setText(u"ผู้ฝาก"_s);
    ui(d).Text2->setText(u"ที่อยู่"_s);
    ui(d).Command1->setFocus();
    QTest::keyClick(ui(d).Command1, Qt::Key_Enter, Qt::KeypadModifier);
    EntryWindow *e = p.entry();
    QVERIFY(e && e->isVisible());

    ui(p.main).Command1[6]->click();  // the post-office search
    SearchWindow *s = p.main->searchWindow();
    ui(s).Txtsearch[0]->setText(u"10110"_s);
    ui(s).Command1_2->setFocus();
    QTest::keyClick(ui(s).Command1_2, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(e->isVisible());
    QCOMPARE(e->field(1), u"10110"_s);

    ui(e).Text1[2]->setText(u"X"_s);
    ui(e).Text1[6]->setText(u"99"_s);
    ui(e).Text1[4]->setText(u"100"_s);
    ui(e).Cmdsave->setFocus();
    QTest::keyClick(ui(e).Cmdsave, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(recipients(p.session), QStringList{u"X"_s});
}

void EntryList::loadLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("eight fields") << u"103|10110|ก|ข|700|เขียน|ค|ง|"_s
                                  << QStringList{u"103"_s, u"10110"_s, u"ก"_s, u"ข"_s,
                                                 u"700"_s, u"เขียน"_s,  u"ค"_s, u"ง"_s};
    QTest::newRow("two closed and a rest")
        << u"103|99999|rest"_s << QStringList{u"103"_s, u"99999"_s, {}, {}, {}, {}, {}, {}};
    QTest::newRow("empty line") << QString() << QStringList{{}, {}, {}, {}, {}, {}, {}, {}};
    QTest::newRow("text after the eighth bar")
        << u"1|2|3|4|5|6|7|8|9|"_s << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s};
}

void EntryList::loadLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    Program p;
    EntryWindow *e = p.start();
    e->LoadLineIntoEntryFields(u"101|10100|x|y|1|z|w|v|"_s);
    e->LoadLineIntoEntryFields(line);
    for (int k = 0; k < 8; ++k)
        QCOMPARE(e->field(k), fields[k]);
    QCOMPARE(ui(e).Combo1[0]->currentText(), fields[0]);
    QCOMPARE(ui(e).Combo1[2]->currentText(), fields[1]);
    if (line.startsWith(u"103|10110|ก"_s)) {
        // The selector shows the table's name, field 5 the stored one.
        QCOMPARE(ui(e).Combo1[3]->currentText(), u"คลองเตย"_s);
        QCOMPARE(ui(e).Combo1[1]->currentText(), u"ธนาณัติด่วน"_s);
    }
}

// A postcode typed stays the postcode typed, also when its office's name is shared.
void EntryList::duplicateOfficeNames()
{
    Program p;
    EntryWindow *e = p.start();
    const CodeNameTable &po = p.session.tables.postOffices;
    int first = -1, second = -1;
    for (int i = 0; i < po.names.size() && second < 0; ++i)
        for (int j = 0; j < i; ++j)
            if (po.names[j] == po.names[i] && po.codes[j] != po.codes[i]) {
                first = j;
                second = i;
                break;
            }
    QVERIFY2(second >= 0, "the bundled post-office table has names that several offices share");
    ui(e).Combo1[2]->setFocus();
    QTest::keyClicks(ui(e).Combo1[2], po.codes[second]);
    QCOMPARE(ui(e).Combo1[2]->currentText(), po.codes[second]);
    QCOMPARE(ui(e).Combo1[3]->currentText(), po.names[second]);
    QCOMPARE(e->field(1), po.codes[second]);
    QCOMPARE(e->field(5), po.names[second]);

    // Picking the second office by its name gives its own postcode.
    ui(e).Combo1[2]->setEditText(QString());
    e->pickPostOfficeName(second);
    QCOMPARE(ui(e).Combo1[2]->currentText(), po.codes[second]);
    QCOMPARE(e->field(1), po.codes[second]);
    // Typing the name itself picks the first office of that name.
    ui(e).Combo1[2]->setEditText(QString());
    ui(e).Combo1[3]->setEditText(po.names[first]);
    QCOMPARE(ui(e).Combo1[2]->currentText(), po.codes[first]);
}

void EntryList::type112PickEmptiesPostcode()
{
    Program p;
    EntryWindow *e = p.start();
    const int i112 = ui(e).Combo1[0]->findText(u"112"_s);
    QVERIFY(i112 >= 0);
    ui(e).Combo1[2]->setEditText(u"10100"_s);
    ui(e).Combo1[0]->setEditText(u"112"_s);  // typing does not empty it
    QCOMPARE(ui(e).Combo1[2]->currentText(), u"10100"_s);
    ui(e).Combo1[0]->setCurrentIndex(i112);
    Q_EMIT ui(e).Combo1[0]->activated(i112);  // picking does
    QCOMPARE(ui(e).Combo1[2]->currentText(), QString());
    QCOMPARE(e->field(1), QString());
    QCOMPARE(ui(e).Combo1[1]->currentText(), u"ธนาณัติเข้าบัญชีเงินฝาก"_s);

    const int iName = ui(e).Combo1[1]->findText(u"ธนาณัติด่วน"_s);
    Q_EMIT ui(e).Combo1[1]->activated(iName);
    QCOMPARE(ui(e).Combo1[0]->currentText(), u"103"_s);
    QCOMPARE(e->field(0), u"103"_s);
}

void EntryList::closeBoxRefused()
{
    Program p;
    EntryWindow *e = p.start();
    QVERIFY(e->isVisible());
    e->close();
    QVERIFY(e->isVisible());
}

QTEST_MAIN(EntryList)
#include "test_entrylist.moc"
