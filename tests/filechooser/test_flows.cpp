#include "chooserfixture.h"
#include "filesizelimit.h"
#include "controls.h"

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {
const QString kNoFile = u"ไม่มี แฟ้มข้อมูลนี้"_s;
const QString kWriteError = u"error writing to disk or  writing to protected disk  "_s;
}  // namespace

class TestFlows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openKeepsRecordLinesOnly();
    void openFileWithoutRecords();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void saveAndReopenGiveTheSameBytes();
    void saveRefusals_data();
    void saveRefusals();
    void saveIntoFolderThatCannotBeWritten();
    void saveNeverReplacesTheProgramsFiles();
    void failedSaveKeepsThePreviousFile();
    void saveUnderTheSameName();
    void saveChoiceCancelled();
    void newDataFile();
    void saveOverTheOpenedFile_data();
    void openNamesAmountsBeyondExact();
    void saveOverTheOpenedFile();
};

void TestFlows::openKeepsRecordLinesOnly()
{
    ChooserProgram p;
    p.start();
    const QString six = u"112||นาย ก|บริษัท ข|50.25||"_s;
    const QString eight = u"101|10110|นาง ค|บริษัท ข|1,250.50|คลองเตย|ที่อยู่ 1|ที่อยู่ 2|"_s;
    QVERIFY(writeCp874(p.filePath(u"batch.txt"_s),
                       {u"รายการธนาณัติ"_s, QString(), six, u"1|2|3|4|5|6|7|"_s, eight, u"|||||||||"_s}));
    FileChooser *c = p.openAt(u"batch.txt"_s);
    ui(c).Comopen->click();
    // The blank line goes unmentioned; the three with text are counted.
    QCOMPARE(p.prompter.texts(), QStringList{u"ข้ามบรรทัดที่ไม่ใช่รายการธนาณัติ 3 บรรทัด"_s});
    QCOMPARE(p.lines(), (QStringList{six, eight}));
    const QString path = QDir::toNativeSeparators(p.filePath(u"batch.txt"_s));
    QCOMPARE(p.st().CurrentFilePath(), path);
    QCOMPARE(p.st().CurrentIndex(), 0);
    QVERIFY(p.st().IsSaved());
    QVERIFY(!p.st().IsAdding());
    QCOMPARE(p.entry()->field(2), u"นาย ก"_s);
    QCOMPARE(p.entry()->field(6), QString());
    QCOMPARE(p.entry()->counterText(), u"1 / 2"_s);
    QCOMPARE(ui(p.entry()).Label13->text(), u"1,300.75"_s);
    QCOMPARE(p.entry()->caption(), p.session.EntryBaseCaption + u"   "_s + path);
    QVERIFY(p.entry()->isVisible());
    QVERIFY(!c->isVisible());
    QCOMPARE(p.main->chooser(), c);  // kept for the next use
    QVERIFY(p.commandBarShown());
    for (CommandButton *b : {ui(p.entry()).Cmdadd, ui(p.entry()).Cmdinsert, ui(p.entry()).Cmddel, ui(p.entry()).Cmdsave,
                             ui(p.entry()).Cmdcancel})
        QVERIFY(b->isEnabled());
}

void TestFlows::openFileWithoutRecords()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(2);
    p.st().markSaved();
    QVERIFY(writeCp874(p.filePath(u"empty.txt"_s), {u"heading only"_s, QString()}));
    ui(p.openAt(u"empty.txt"_s)).Comopen->click();
    QVERIFY(p.lines().isEmpty());
    QCOMPARE(ui(p.entry()).Label13->text(), u"0.00"_s);
    QCOMPARE(ui(p.entry()).Label15->text(), u"0.00"_s);
    QCOMPARE(p.entry()->counterText(), u"0/0"_s);
    QCOMPARE(p.entry()->field(2), QString());
    QCOMPARE(p.entry()->field(0), u"101"_s);
    QCOMPARE(p.st().CurrentIndex(), 0);
}

void TestFlows::failedOpenChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cause");  // the second line, after the file's path
    QTest::newRow("no such file") << u"missing.txt"_s << kNoFile << u" : ไม่พบแฟ้มนี้"_s;
    QTest::newRow("a folder") << u"folder"_s << kNoFile << u" : ไม่ใช่แฟ้มปกติ"_s;
    QTest::newRow("blank name") << u"   "_s << u"กรุณาใส่ชื่อไฟล์"_s << QString();
}

void TestFlows::failedOpenChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, cause);
    ChooserProgram p;
    p.start();
    p.keyRecords(2);
    QVERIFY(QDir(p.files.path()).mkdir(u"folder"_s));
    if (!cause.isEmpty())
        message += u'\n' + QDir::toNativeSeparators(p.filePath(name)) + cause;
    const QStringList lines = p.lines();
    const QString path = p.st().CurrentFilePath();
    const QString counter = p.entry()->counterText();
    const QString amount = ui(p.entry()).Label13->text();
    const QString caption = p.entry()->caption();
    FileChooser *c = p.openAt(name);
    p.prompter.clear();
    ui(c).Comopen->click();
    QCOMPARE(p.prompter.texts(), QStringList{message});
    QCOMPARE(p.lines(), lines);
    QCOMPARE(p.st().CurrentFilePath(), path);
    QCOMPARE(p.entry()->counterText(), counter);
    QCOMPARE(ui(p.entry()).Label13->text(), amount);
    QCOMPARE(p.entry()->caption(), caption);
    QVERIFY(c->isVisible());
    QVERIFY(!p.commandBarShown());
    QTRY_COMPARE(QApplication::focusWidget(), ui(c).Text1);
}

void TestFlows::saveAndReopenGiveTheSameBytes()
{
    ChooserProgram p;
    p.start();
    p.addRecord(u"นายสมชาย ใจดี"_s, u"1,250.50"_s, u"10110"_s);
    p.addRecord(u"Mr. \"Quoted\", Comma"_s, u"500"_s, u"10100"_s);
    p.addRecord(u"ผู้รับ ๓"_s, u"20"_s, QString(), u"112"_s);
    QCOMPARE(p.lines().size(), 3);
    const QStringList keyed = p.lines();
    ui(p.saveAs(u"batch"_s)).Comopen->click();
    const QString path = p.filePath(u"batch.txt"_s);
    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes, expectedBytes(keyed));

    NewDataFile(*p.main);
    QVERIFY(p.lines().isEmpty());
    ui(p.openAt(u"batch.txt"_s)).Comopen->click();
    QCOMPARE(p.lines(), keyed);

    // Saved again under the same name: not a byte changes.
    p.prompter.answer(Prompter::Answer::No);
    BeginSave(*p.main);
    QCOMPARE(readBytes(path), bytes);
}

void TestFlows::saveRefusals_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("withRecords");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << u"   "_s << true << u"ไม่มีชื่อแฟ้มข้อมูลที่ต้องการบันทึก"_s;
    QTest::newRow("empty batch") << u"out.txt"_s << false << u"ไม่มีข้อมูลที่จะบันทึก"_s;
}

void TestFlows::saveRefusals()
{
    QFETCH(QString, target);
    QFETCH(bool, withRecords);
    QFETCH(QString, message);
    ChooserProgram p;
    p.start();
    if (withRecords)
        p.keyRecords(1);
    const QString before = p.st().CurrentFilePath();
    const bool saved = p.st().IsSaved();
    p.st().saveAs(target.trimmed().isEmpty() ? target : p.filePath(target));
    QVERIFY(!SaveDataFile(*p.main));
    QCOMPARE(p.prompter.texts(), QStringList{message});
    QCOMPARE(p.st().CurrentFilePath(), before);
    QCOMPARE(p.st().IsSaved(), saved);
    QVERIFY(QDir(p.files.path()).entryList(QDir::Files).isEmpty());
}

// The running program's tables and depositor file are never replaced by a batch; the
// chooser does not start in their folder.
void TestFlows::saveNeverReplacesTheProgramsFiles()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    const QByteArray rates = readBytes(p.dir.filePath(u"rate.txt"_s));
    QVERIFY(!rates.isEmpty());
    for (const QString &name : {u"rate.txt"_s, u"cusname.txt"_s}) {
        p.prompter.clear();
        p.st().saveAs(p.dir.filePath(name));
        QVERIFY(!SaveDataFile(*p.main));
        QCOMPARE(p.prompter.texts(),
                 QStringList{u"บันทึกทับแฟ้ม "_s + name + u" ของโปรแกรมไม่ได้ กรุณาใช้ชื่ออื่นหรือเลือกโฟลเดอร์อื่น"_s});
        QVERIFY(!p.st().IsSaved());
    }
    QCOMPARE(readBytes(p.dir.filePath(u"rate.txt"_s)), rates);
    QCOMPARE(p.session.paths.chooserStartDir(p.dir.path()) == p.dir.path(), false);
}

void TestFlows::saveIntoFolderThatCannotBeWritten()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(2);
    const QString before = p.st().CurrentFilePath();
    FileChooser *c = p.saveAs(u"report"_s);
    // Not even root may create a file here.
    c->setDirectory(u"/proc"_s);
    p.prompter.clear();
    ui(c).Comopen->click();
    QCOMPARE(p.prompter.texts().size(), 1);
    const QStringList shown = p.prompter.last().split(u'\n');
    QCOMPARE(shown.first(), kWriteError);
    // Which file, and why.
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[1].startsWith(u"/proc/report.txt : เขียนแฟ้มไม่ได้ ("_s), qPrintable(shown[1]));
    QVERIFY(!p.st().IsSaved());
    QCOMPARE(p.st().CurrentFilePath(), before);
    // The chooser stays, so another folder can be chosen.
    QCOMPARE(p.main->chooser(), c);
    QVERIFY(c->isVisible());
    QVERIFY(p.saveMode());
    c->setDirectory(p.files.path());
    ui(c).Comopen->click();
    QCOMPARE(readBytes(p.filePath(u"report.txt"_s)), expectedBytes(p.lines()));
    QVERIFY(p.st().IsSaved());
}

void TestFlows::failedSaveKeepsThePreviousFile()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    ui(p.saveAs(u"kept"_s)).Comopen->click();
    const QString path = p.filePath(u"kept.txt"_s);
    const QByteArray before = readBytes(path);
    QVERIFY(!before.isEmpty());
    p.keyRecords(3);
    QVERIFY(!p.st().IsSaved());
    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::No);
    {
        const FileSizeLimit limit(rlim_t(before.size()));
        BeginSave(*p.main);
    }
    QCOMPARE(p.prompter.texts().last().section(u'\n', 0, 0), kWriteError);
    QVERIFY(p.prompter.texts().last().section(u'\n', 1).startsWith(QDir::toNativeSeparators(path) + u" : "_s));
    QCOMPARE(readBytes(path), before);
    QVERIFY(!p.st().IsSaved());
    QCOMPARE(p.st().CurrentFilePath(), QDir::toNativeSeparators(path));
    QCOMPARE(QDir(p.files.path()).entryList(QDir::Files), QStringList{u"kept.txt"_s});
}

void TestFlows::saveUnderTheSameName()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    ui(p.saveAs(u"same"_s)).Comopen->click();
    p.keyRecords(1);
    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::No);
    BeginSave(*p.main);
    const QString path = QDir::toNativeSeparators(p.filePath(u"same.txt"_s));
    QCOMPARE(p.prompter.texts(), (QStringList{u"ต้องการเปลี่ยนชื่อหรือบันทึกข้อมูลเป็นไฟล์ใหม่หรือไม่"_s, path + u"   บันทึกแล้ว"_s}));
    QCOMPARE(p.prompter.shown.first().kind, ScriptedPrompter::Kind::YesNoCancel);
    QCOMPARE(readBytes(path), expectedBytes(p.lines()));
    QCOMPARE(p.entry()->caption(), path);
    QVERIFY(p.st().IsSaved());
    QVERIFY(p.main->chooser() == nullptr);  // not shown

    // "No" with an empty batch saves nothing.
    const QByteArray saved = readBytes(path);
    NewDataFile(*p.main);
    p.st().rename(path);
    p.prompter.clear();
    p.prompter.answer(Prompter::Answer::No);
    BeginSave(*p.main);
    QCOMPARE(p.prompter.texts().last(), u"ไม่มีข้อมูล"_s);
    QCOMPARE(readBytes(path), saved);
}

void TestFlows::saveChoiceCancelled()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    ui(p.saveAs(u"named"_s)).Comopen->click();
    p.keyRecords(1);
    const QByteArray before = readBytes(p.filePath(u"named.txt"_s));
    p.prompter.answer(Prompter::Answer::Cancel);
    BeginSave(*p.main);
    QCOMPARE(readBytes(p.filePath(u"named.txt"_s)), before);
    QVERIFY(!p.st().IsSaved());
    QVERIFY(p.entry()->isVisible());
    QVERIFY(p.commandBarShown());
    QVERIFY(p.main->chooser() == nullptr);

    // Yes, then the chooser cancelled: the batch still counts as unsaved.
    p.prompter.answer(Prompter::Answer::Yes);
    BeginSave(*p.main);
    QVERIFY(p.chooser()->isVisible());
    ui(p.chooser()).Comclose->click();
    QVERIFY(!p.st().IsSaved());
}

void TestFlows::newDataFile()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(3);
    p.st().setResumeIndex(2);
    p.entry()->InsertAction();
    NewDataFile(*p.main);
    QVERIFY(p.lines().isEmpty());
    QVERIFY(p.session.batch.LstMO3().isEmpty());
    QVERIFY(!p.st().IsInserting());
    QVERIFY(p.st().IsAdding());
    QCOMPARE(p.st().ResumeIndex(), 0);
    QCOMPARE(p.entry()->counterText(), u"0 / 0"_s);
    QCOMPARE(ui(p.entry()).Label13->text(), u"0.00"_s);
    QCOMPARE(p.entry()->field(0), u"101"_s);
    QCOMPARE(p.st().CurrentFilePath(), p.session.paths.nonamePath());
    QVERIFY(p.st().isUnnamed());
    QCOMPARE(p.entry()->caption(), p.session.EntryBaseCaption + u"      "_s + p.st().CurrentFilePath());
    QVERIFY(p.prompter.shown.isEmpty());
}

void TestFlows::saveOverTheOpenedFile_data()
{
    QTest::addColumn<bool>("notes");    // the file holds a line that is not a record
    QTest::addColumn<bool>("changed");  // another program rewrote it after the open
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");  // empty: none asked
    QTest::addColumn<bool>("replaced");
    const QString lost = u"บรรทัดที่ไม่ใช่รายการธนาณัติ 1 บรรทัดในแฟ้มนี้จะหายไป ต้องการบันทึกทับหรือไม่"_s;
    const QString other = u"แฟ้มข้อมูลนี้ถูกโปรแกรมอื่นแก้ไขหลังจากเปิด ต้องการบันทึกทับหรือไม่"_s;
    const int yes = int(Prompter::Answer::Yes), no = int(Prompter::Answer::No);
    QTest::newRow("records only") << false << false << yes << QString() << true;
    QTest::newRow("notes, kept") << true << false << no << lost << false;
    QTest::newRow("notes, dropped") << true << false << yes << lost << true;
    QTest::newRow("changed, kept") << false << true << no << other << false;
    QTest::newRow("changed, replaced") << false << true << yes << other << true;
}

void TestFlows::saveOverTheOpenedFile()
{
    QFETCH(bool, notes);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(bool, replaced);
    ChooserProgram p;
    p.start();
    const QString file = p.filePath(u"shared.txt"_s);
    QStringList lines{u"101|10110|นาง ค|บริษัท ข|500|คลองเตย|ที่อยู่ 1|ที่อยู่ 2|"_s};
    if (notes)
        lines.prepend(u"บันทึกของฉัน"_s);
    QVERIFY(writeCp874(file, lines));
    ui(p.openAt(u"shared.txt"_s)).Comopen->click();
    if (changed)
        QVERIFY(writeCp874(file, {u"112||นาย ง|บริษัท จ|75||ก|ข|"_s}));
    const QByteArray before = readBytes(file);
    p.keyRecords(1);
    p.prompter.clear();
    p.prompter.answer({Prompter::Answer::No, Prompter::Answer(answer)});
    BeginSave(*p.main);
    const QStringList texts = p.prompter.texts();
    QCOMPARE(texts.contains(question), !question.isEmpty());
    QCOMPARE(readBytes(file) != before, replaced);
    QCOMPARE(p.st().IsSaved(), replaced);
    if (replaced) {
        // Once saved, the next save asks nothing.
        p.prompter.clear();
        p.prompter.answer(Prompter::Answer::No);
        BeginSave(*p.main);
        QCOMPARE(p.prompter.texts().size(), 2);
    }
}

void TestFlows::openNamesAmountsBeyondExact()
{
    ChooserProgram p;
    p.start();
    QVERIFY(writeCp874(p.filePath(u"huge.txt"_s), {u"101|10110|ก|ข|500|ค|ง|จ|"_s, u"101|10110|ก|ข|500|ค|ง|จ|"_s,
                                                   u"101|10110|ก|ข|99999999999999999999|ค|ง|จ|"_s}));
    ui(p.openAt(u"huge.txt"_s)).Comopen->click();
    QCOMPARE(p.prompter.texts(), QStringList{u"จำนวนเงินมากเกินกว่าที่โปรแกรมคำนวณได้ 1 รายการ เริ่มที่รายการที่ 3"_s});
    QCOMPARE(p.lines().size(), 3);
}

QTEST_MAIN(TestFlows)
#include "test_flows.moc"
