#include "chooserfixture.h"
#include "choosertexts.h"
#include "controls.h"

#include <QFileSystemModel>
#include <QListView>
#include <QComboBox>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {
const QString kOverwrite = u" มีแฟ้มข้อมูลนี้อยู่แล้ว ต้องการบันทึกชื่อแฟ้มข้อมูลนี้ซ้ำอีกหรือไม่"_s;
}  // namespace

class TestFileChooser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsOfEachMode();
    void acceptInSaveMode_data();
    void acceptInSaveMode();
    void enterInSaveMode_data();
    void enterInSaveMode();
    void enterInOpenMode();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void emptyBatchIsNotSaved();
    void cancelOnEmptyBatch();
    void cancelReturnsToTheRecordShown();
    void cancelWhileAddingAppendsNothing();
    void fileListShowsTextFilesOnly();
    void folderNamedLikeTheFile();
    void driveList();
};

void TestFileChooser::captionsOfEachMode()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    BeginOpen(*p.main);
    FileChooser *c = p.chooser();
    QVERIFY(c && c->isVisible());
    QVERIFY(!p.entry()->isVisible());
    QVERIFY(!p.commandBarShown());
    QCOMPARE(c->windowTitle(), u"เปิดไฟล์"_s);
    QCOMPARE(ui(c).Comopen->text(), u"เปิด"_s);
    QCOMPARE(ui(c).Comclose->text(), u"ยกเลิก"_s);
    QCOMPARE(ui(c).Lbldrive->text(), u"เลือกไดร์ฟที่ต้องการเปิดไฟล์"_s);
    QCOMPARE(ui(c).Lbldir->text(), u"เลือกไดเร็กทอรี่ที่ต้องการเปิดไฟล์"_s);
    QCOMPARE(ui(c).Lblname->text(), u"พิมพ์ชื่อไฟล์ที่ต้องการเปิดไฟล์"_s);
    QCOMPARE(ui(c).Lblname2->text(), u"ชื่อไฟล์ที่มีอยู่ในไดเร็กทอรี่ที่เลือก"_s);
    QCOMPARE(ui(c).Text1->text(), QString());
    QCOMPARE(p.saveMode(), false);
    QTRY_COMPARE(QApplication::focusWidget(), ui(c).Text1);

    ui(c).Text1->setText(u"kept.txt"_s);
    BeginSaveAs(*p.main);
    QCOMPARE(p.chooser(), c);  // hidden after cancel or open, never rebuilt
    QCOMPARE(c->windowTitle(), u"บันทึกไฟล์"_s);
    QCOMPARE(ui(c).Comopen->text(), u"บันทึก"_s);
    QCOMPARE(ui(c).Lbldrive->text(), u"เลือกไดร์ฟที่ต้องการบันทึก"_s);
    QCOMPARE(ui(c).Lbldir->text(), u"เลือกไดเร็กทอรี่ที่ต้องการบันทึก"_s);
    QCOMPARE(ui(c).Lblname->text(), u"พิมพ์ชื่อไฟล์ที่ต้องการบันทึก"_s);
    QCOMPARE(ui(c).Text1->text(), u"Noname.txt"_s);
    QCOMPARE(p.saveMode(), true);

    // Save under a new name keeps whatever the box holds.
    ui(c).Text1->setText(u"kept.txt"_s);
    p.prompter.answer(Prompter::Answer::Yes);
    BeginSave(*p.main);
    QCOMPARE(p.prompter.last(), u"ต้องการเปลี่ยนชื่อหรือบันทึกข้อมูลเป็นไฟล์ใหม่หรือไม่"_s);
    QCOMPARE(ui(c).Text1->text(), u"kept.txt"_s);
    QCOMPARE(c->windowTitle(), u"บันทึกไฟล์"_s);
    QCOMPARE(p.saveMode(), true);
}

void TestFileChooser::acceptInSaveMode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: saved
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("written");
    // The other names: TestFileName::saveNameOutcome.
    QTest::newRow("extension added") << u"report"_s << QString() << u"report.txt"_s << u"report.txt"_s;
    QTest::newRow("blanks around") << u" report "_s << QString() << u" report .txt"_s << u"report.txt"_s;
    QTest::newRow("two dots") << u"a.b.txt"_s << kDots << QString() << QString();
    QTest::newRow("working name bare") << u"noname"_s << kReserved << u"noname.txt"_s << QString();
}

void TestFileChooser::acceptInSaveMode()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, boxAfter);
    QFETCH(QString, written);
    ChooserProgram p;
    p.start();
    p.keyRecords(2);
    FileChooser *c = p.saveAs(typed);
    p.prompter.clear();
    ui(c).Comopen->click();
    if (message.isEmpty()) {
        const QString path = p.filePath(written);
        QCOMPARE(p.prompter.texts(), QStringList{QDir::toNativeSeparators(path) + u"   บันทึกแล้ว"_s});
        QCOMPARE(readBytes(path), expectedBytes(p.lines()));
        QCOMPARE(QDir(p.files.path()).entryList(QDir::Files), QStringList{written});
        QCOMPARE(ui(c).Text1->text(), boxAfter);
        QCOMPARE(p.st().CurrentFilePath(), QDir::toNativeSeparators(path));
        QCOMPARE(p.entry()->caption(), p.st().CurrentFilePath());
        QVERIFY(p.st().IsSaved());
        QVERIFY(!p.saveMode());
        // Destroyed after a successful save: the next use starts afresh.
        QVERIFY(p.main->chooser() == nullptr);
        QVERIFY(p.entry()->isVisible());
        QVERIFY(p.commandBarShown());
    } else {
        QCOMPARE(p.prompter.texts(), QStringList{message});
        QCOMPARE(ui(c).Text1->text(), boxAfter);
        QVERIFY(QDir(p.files.path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(p.main->chooser(), c);
        QVERIFY(c->isVisible());
        QVERIFY(!p.st().IsSaved());
        QTRY_COMPARE(QApplication::focusWidget(), ui(c).Text1);
    }
}

void TestFileChooser::enterInSaveMode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<bool>("toAccept");  // focus moved to the accept button
    // The other names: TestFileName::saveNameOutcome.
    QTest::newRow("blank box") << QString() << u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการบันทึก"_s << QString() << false;
    QTest::newRow("extension added") << u"report"_s << QString() << u"report.txt"_s << true;
    // A refused name stays in the box on Enter.
    QTest::newRow("two dots") << u"a.b.txt"_s << kDots << u"a.b.txt"_s << false;
    QTest::newRow("working name") << u"NONAME"_s << kReserved << u"NONAME.txt"_s << false;
}

void TestFileChooser::enterInSaveMode()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, boxAfter);
    QFETCH(bool, toAccept);
    ChooserProgram p;
    p.start();  // an empty batch: Enter does not look at it
    FileChooser *c = p.saveAs(typed);
    p.prompter.clear();
    ui(c).Text1->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui(c).Text1);
    pressEnter(ui(c).Text1);
    QCOMPARE(p.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(ui(c).Text1->text(), boxAfter);
    QTRY_COMPARE(QApplication::focusWidget(), toAccept ? static_cast<QWidget *>(ui(c).Comopen) : ui(c).Text1);
    QVERIFY(QDir(p.files.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(c->isVisible());
}

void TestFileChooser::enterInOpenMode()
{
    ChooserProgram p;
    p.start();
    FileChooser *c = p.openAt(QString());
    QTRY_COMPARE(QApplication::focusWidget(), ui(c).Text1);
    pressEnter(ui(c).Text1);
    QCOMPARE(p.prompter.texts(), QStringList{u"ไม่ได้พิมพ์ชื่อไฟล์ที่ต้องการเปิด"_s});
    QCOMPARE(QApplication::focusWidget(), ui(c).Text1);
    ui(c).Text1->setText(u"nothing.txt"_s);
    pressEnter(ui(c).Text1);
    QTRY_COMPARE(QApplication::focusWidget(), ui(c).Comopen);
    QCOMPARE(p.prompter.shown.size(), 1);  // Enter never opens by itself
    QVERIFY(c->isVisible());
}

void TestFileChooser::overwriteQuestion_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("same name, yes") << u"report.txt"_s << u"report"_s << true << true;
    QTest::newRow("same name, no") << u"report.txt"_s << u"report.txt"_s << true << false;
    QTest::newRow("1.txt beside 11.txt") << u"11.txt"_s << u"1.txt"_s << false << false;
}

void TestFileChooser::overwriteQuestion()
{
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(bool, asked);
    QFETCH(bool, answerYes);
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    const QByteArray old("old\r\n");
    QVERIFY(writeBytes(p.filePath(existing), old));
    FileChooser *c = p.saveAs(typed);
    p.prompter.clear();
    p.prompter.answer(answerYes ? Prompter::Answer::Yes : Prompter::Answer::No);
    ui(c).Comopen->click();
    const QString target = p.filePath(typed.endsWith(u".txt"_s) ? typed : typed + u".txt"_s);
    if (!asked) {
        QCOMPARE(p.prompter.shown.first().text, QDir::toNativeSeparators(target) + u"   บันทึกแล้ว"_s);
        QCOMPARE(readBytes(p.filePath(existing)), old);
        QCOMPARE(readBytes(target), expectedBytes(p.lines()));
        return;
    }
    QCOMPARE(p.prompter.shown.first().kind, ScriptedPrompter::Kind::YesNo);
    QCOMPARE(p.prompter.shown.first().text, kOverwrite);
    if (answerYes) {
        QCOMPARE(readBytes(target), expectedBytes(p.lines()));
        QVERIFY(p.st().IsSaved());
    } else {
        QCOMPARE(readBytes(target), old);
        QCOMPARE(ui(c).Text1->text(), QString());
        QVERIFY(c->isVisible());
        QVERIFY(!p.st().IsSaved());
        QTRY_COMPARE(QApplication::focusWidget(), ui(c).Text1);
    }
}

void TestFileChooser::emptyBatchIsNotSaved()
{
    ChooserProgram p;
    p.start();
    FileChooser *c = p.saveAs(u"report"_s);
    p.prompter.clear();
    ui(c).Comopen->click();
    QCOMPARE(p.prompter.texts(), QStringList{u"ไม่มีข้อมูลที่จะบันทึก"_s});
    QVERIFY(!QFile::exists(p.filePath(u"report.txt"_s)));
    QVERIFY(c->isVisible());
}

void TestFileChooser::cancelOnEmptyBatch()
{
    ChooserProgram p;
    p.start(u"ห้างหุ้นส่วน ทดสอบ"_s, u"5 ถนนเจริญกรุง"_s);
    EntryWindow *e = p.entry();
    e->setField(0, QString());
    e->setField(3, u"someone else"_s);
    FileChooser *c = p.saveAs(u"x"_s);
    ui(c).Comclose->click();
    QCOMPARE(e->field(0), u"101"_s);
    QCOMPARE(e->field(3), u"ห้างหุ้นส่วน ทดสอบ"_s);
    QCOMPARE(e->field(7), u"5 ถนนเจริญกรุง"_s);
    QCOMPARE(e->counterText(), u"0/0"_s);
    QVERIFY(e->isVisible());
    QVERIFY(!c->isVisible());
    QCOMPARE(p.main->chooser(), c);  // only hidden
    QVERIFY(p.commandBarShown());
    QVERIFY(p.prompter.shown.isEmpty());
}

void TestFileChooser::cancelReturnsToTheRecordShown()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(3);
    p.entry()->Navigate(EntryWindow::Move::First);
    p.entry()->Navigate(EntryWindow::Move::Forward);
    p.st().setResumeIndex(p.st().CurrentIndex());  // as the command bar does
    p.entry()->InsertAction();
    QVERIFY(p.st().IsInserting());
    FileChooser *c = p.saveAs(u"x"_s);
    ui(c).Comclose->click();
    QCOMPARE(p.st().CurrentIndex(), 1);
    QCOMPARE(p.entry()->field(2), u"ผู้รับ B"_s);
    QCOMPARE(p.entry()->counterText(), u"2 / 3"_s);
    // The insertion was given up: nothing is pending for a later save.
    QVERIFY(!p.st().IsInserting());
    QVERIFY(p.session.batch.LstMO3().isEmpty());
}

void TestFileChooser::cancelWhileAddingAppendsNothing()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(2);
    p.entry()->AddAction();
    QVERIFY(p.st().IsAdding());
    p.st().setResumeIndex(p.st().CurrentIndex());
    FileChooser *c = p.saveAs(u"x"_s);
    ui(c).Comclose->click();
    QCOMPARE(p.entry()->field(2), u"ผู้รับ B"_s);
    // Saving the record shown corrects it in place.
    ui(p.entry()).Text1[4]->setText(u"250"_s);
    p.entry()->SaveAction();
    QCOMPARE(recipients(p.session), (QStringList{u"ผู้รับ A"_s, u"ผู้รับ B"_s}));
    QCOMPARE(p.lines().at(1).section(u'|', 4, 4), u"250"_s);
    QVERIFY(ui(p.entry()).Cmdadd->isEnabled());
}

void TestFileChooser::fileListShowsTextFilesOnly()
{
    ChooserProgram p;
    p.start();
    for (const char *name : {"a.txt", "b.doc", "C.TXT", "d.txt.bak"})
        QVERIFY(writeBytes(p.filePath(QString::fromLatin1(name)), "x\r\n"));
    QVERIFY(QDir(p.files.path()).mkdir(u"sub.txt"_s));
    FileChooser *c = p.openAt(QString());
    QAbstractItemModel *m = ui(c).File1->model();
    const QModelIndex root = ui(c).File1->rootIndex();
    QTRY_COMPARE(m->rowCount(root), 2);
    QStringList shown;
    for (int r = 0; r < m->rowCount(root); ++r)
        shown << m->index(r, 0, root).data().toString();
    shown.sort();
    QCOMPARE(shown, (QStringList{u"C.TXT"_s, u"a.txt"_s}));

    // A click puts the name into the box.
    const QModelIndex first = m->index(0, 0, root);
    ui(c).File1->scrollTo(first);
    QTest::mouseClick(ui(c).File1->viewport(), Qt::LeftButton, {}, ui(c).File1->visualRect(first).center());
    QCOMPARE(ui(c).Text1->text(), first.data().toString());

    // Moving through the list with the keys puts each name into the box as a click does.
    const QString second = m->index(1, 0, root).data().toString();
    ui(c).File1->setFocus();
    QTRY_VERIFY(ui(c).File1->hasFocus());
    for (const auto &[key, name] : {std::pair{Qt::Key_Down, second}, std::pair{Qt::Key_Up, first.data().toString()},
                                    std::pair{Qt::Key_End, second}, std::pair{Qt::Key_Home, first.data().toString()},
                                    std::pair{Qt::Key_PageDown, second}}) {
        QTest::keyClick(ui(c).File1, key);
        QCOMPARE(ui(c).Text1->text(), name);
    }
}

// A folder is no file to overwrite: its save fails at once with the write error.
void TestFileChooser::folderNamedLikeTheFile()
{
    ChooserProgram p;
    p.start();
    p.keyRecords(1);
    QVERIFY(QDir(p.files.path()).mkdir(u"x.txt"_s));
    FileChooser *c = p.saveAs(u"x"_s);
    p.prompter.clear();
    p.prompter.fallback = Prompter::Answer::Yes;
    ui(c).Comopen->click();
    QCOMPARE(p.prompter.shown.size(), 1);
    QCOMPARE(p.prompter.shown.first().kind, ScriptedPrompter::Kind::Ok);
    QVERIFY(p.prompter.shown.first().text.startsWith(u"error writing to disk"_s));
    QVERIFY(!p.st().IsSaved());
    QVERIFY(c->isVisible());
}

void TestFileChooser::driveList()
{
    ChooserProgram p;
    p.start();
    FileChooser *c = p.openAt(QString());
    QVERIFY(c->driveRoots().contains(QDir::rootPath()));
    QCOMPARE(ui(c).Drive1->count(), c->driveRoots().size());
    // Choosing the root moves the folder list there, with the focus in the name box.
    const int root = ui(c).Drive1->findData(QDir::rootPath());
    QVERIFY(root >= 0);
    c->chooseDrive(root);
    QCOMPARE(c->directory(), QDir::rootPath());
    QCOMPARE(ui(c).Drive1->currentIndex(), root);
    // A drive that cannot be read sends the list back to the folder's own drive.
    c->setDirectory(p.files.path());
    const int shownDrive = ui(c).Drive1->currentIndex();
    ui(c).Drive1->addItem(u"gone"_s, QDir(p.files.path()).filePath(u"no-such-volume"_s));
    ui(c).Drive1->setCurrentIndex(ui(c).Drive1->count() - 1);
    c->chooseDrive(ui(c).Drive1->count() - 1);
    QCOMPARE(ui(c).Drive1->currentIndex(), shownDrive);
    QCOMPARE(c->directory(), QDir::cleanPath(p.files.path()));
    QVERIFY(p.prompter.shown.isEmpty());
}

QTEST_MAIN(TestFileChooser)
#include "test_filechooser.moc"
