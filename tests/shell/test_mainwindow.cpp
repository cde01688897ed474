// The main window: its two command-bar states, the dispatch with every prompt of the
// unsaved-data rules, the return to the start state and the refused close box.
#include "../entry/entryfixture.h"

#include "filechooser/filechooser.h"
#include "layout/mainwindowlayout.h"
#include "widgets/uiscale.h"
#include "controls.h"

#include <QSignalSpy>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startState();
    void closeBoxRefusedExitEnds();
    void openProgramShowsDepositor();
    void workStateAfterConfirm();
    void dispatch_data();
    void dispatch();
    void windowsOpened_data();
    void windowsOpened();
    void resetToStartKeepsCaptions();
    void titleShowsWorkWindow();
    void commandBarLayout();
};

static const QString kAskCreateNew = u"ต้องการสร้างแฟ้มข้อมูลใหม่หรือไม่"_s;
static const QString kAskSaveEdited = u"มีการแก้ไขข้อมูลต้องการบันทึกหรือไม่"_s;
static const QString kAskSaveExisting = u"มีข้อมูลอยู่ต้องการบันทึกหรือไม่"_s;
static const QString kAskSaveUnsaved = u"ข้อมูลยังไม่ได้บันทึก ต้องการบันทึกหรือไม่"_s;
static const QStringList kWork = {u"คำแนะนำ"_s,   u"เปิดแฟ้มข้อมูลใหม่"_s, u"เปิดแฟ้มข้อมูล"_s, u"บันทึกแฟ้มข้อมูล"_s,
                                  u"พิมพ์รายงาน"_s, u"ตรวจสอบข้อมูล"_s,   u"ค้นหาชื่อ/รหัส"_s, u"ปิดโปรแกรม"_s};

static bool inStartState(Program &p)
{
    for (int i = 2; i < 8; ++i)
        if (ui(p.main).Command1[i]->isVisible())
            return false;
    return ui(p.main).Command1[0]->text() == u"เปิดโปรแกรม"_s && ui(p.main).Command1[1]->text() == u"ออกจากโปรแกรม"_s;
}

void MainWindowTest::startState()
{
    Program p;
    QCOMPARE(p.main->objectName(), u"MDIForm1"_s);
    QCOMPARE(p.main->windowTitle(), u"โปรแกรมรับฝากธนาณัติจำนวนมาก (สำหรับลูกค้า)"_s);
    QVERIFY(inStartState(p));
    QVERIFY(ui(p.main).Command1[0]->isVisible());
    QVERIFY(ui(p.main).Command1[1]->isVisible());
    for (int i = 2; i < 8; ++i)
        QCOMPARE(ui(p.main).Command1[i]->text(), QString());
    QCOMPARE(p.st().CurrentFilePath(), u"Noname.txt"_s);
    QVERIFY(!p.entry());
    // Clicks that match no row do nothing.
    p.main->commandClick(5);
    QVERIFY(p.prompter.texts().isEmpty());
}

void MainWindowTest::closeBoxRefusedExitEnds()
{
    Program p;
    QSignalSpy exit(p.main.get(), &MainWindow::exitRequested);
    p.main->close();
    QVERIFY(p.main->isVisible());
    QCOMPARE(exit.count(), 0);
    ui(p.main).Command1[1]->click();  // "ออกจากโปรแกรม", nothing saved, no question
    QCOMPARE(exit.count(), 1);
    QVERIFY(!p.main->isVisible());
    QVERIFY(p.prompter.texts().isEmpty());
}

void MainWindowTest::openProgramShowsDepositor()
{
    Program p;
    ui(p.main).Command1[0]->click();
    DepositorDialog *d = p.main->depositorDialog();
    QVERIFY(d && d->isVisible());
    QCOMPARE(d->windowTitle(), u"รายละเอียดผู้ฝากธนาณัติจำนวนมาก"_s);
    for (CommandButton *b : ui(p.main).Command1)
        QVERIFY(!b->isVisible());
    // No "cusname.txt" yet: empty boxes, no message, no wait.
    QCOMPARE(ui(d).Text1->text(), QString());
    QCOMPARE(ui(d).Text2->text(), QString());
    QVERIFY(p.prompter.texts().isEmpty());
    QVERIFY(p.main->windowTitle().contains(u"รายละเอียดผู้ฝากธนาณัติจำนวนมาก"_s));
}

void MainWindowTest::workStateAfterConfirm()
{
    Program p;
    EntryWindow *e = p.start(u"ก"_s, u"ข"_s);
    QVERIFY(e && e->isVisible());
    QVERIFY(!p.main->depositorDialog()->isVisible());
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(ui(p.main).Command1[i]->text(), kWork[i]);
        QVERIFY(ui(p.main).Command1[i]->isVisible());
    }
    QVERIFY(p.st().IsSaved());
    QVERIFY(p.st().IsAdding());
    QCOMPARE(p.st().ResumeIndex(), 0);
    QCOMPARE(p.session.EntryBaseCaption, u"ป้อนข้อมูลการฝากส่งธนาณัติ"_s);
    QCOMPARE(p.st().CurrentFilePath(), p.session.paths.nonamePath());
    QCOMPARE(e->caption(), u"ป้อนข้อมูลการฝากส่งธนาณัติ   "_s + p.session.paths.nonamePath());
    QVERIFY(p.main->windowTitle().contains(e->caption()));
    QCOMPARE(e->counterText(), u"0/0"_s);
    QCOMPARE(e->field(0), u"101"_s);
    QCOMPARE(e->field(3), u"ก"_s);
    QCOMPARE(e->field(7), u"ข"_s);
    QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Combo1[2]));
}

void MainWindowTest::dispatch_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("file");  // "unnamed", a file name in the folder, or a path that cannot be written
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("answers");  // Y and N, in order
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("outcome");  // start, work, new batch, chooser
    QTest::addColumn<bool>("savedAfter");

    const QString saved = u"%1   บันทึกแล้ว"_s;
    QTest::newRow("new, saved") << 1 << u"unnamed"_s << true << 2 << QString() << QStringList() << u"new batch"_s
                                << true;
    QTest::newRow("new, unsaved, no") << 1 << u"unnamed"_s << false << 2 << u"N"_s << QStringList{kAskCreateNew}
                                      << u"work"_s << false;
    QTest::newRow("new, unnamed, yes, no") << 1 << u"unnamed"_s << false << 2 << u"YN"_s
                                           << QStringList{kAskCreateNew, kAskSaveExisting} << u"new batch"_s << true;
    QTest::newRow("new, unnamed, yes, yes") << 1 << u"unnamed"_s << false << 2 << u"YY"_s
                                            << QStringList{kAskCreateNew, kAskSaveExisting} << u"chooser"_s << false;
    QTest::newRow("new, named, yes, no") << 1 << u"batch.txt"_s << false << 2 << u"YN"_s
                                         << QStringList{kAskCreateNew, kAskSaveEdited} << u"new batch"_s << true;
    QTest::newRow("open, saved") << 2 << u"unnamed"_s << true << 2 << QString() << QStringList() << u"chooser"_s
                                 << true;
    QTest::newRow("open, unsaved, no") << 2 << u"unnamed"_s << false << 2 << u"N"_s << QStringList{kAskSaveUnsaved}
                                       << u"chooser"_s << true;
    QTest::newRow("open, named, yes saves")
        << 2 << u"batch.txt"_s << false << 2 << u"Y"_s << QStringList{kAskSaveUnsaved, saved} << u"work"_s << true;
    QTest::newRow("open, unnamed, yes") << 2 << u"unnamed"_s << false << 2 << u"Y"_s << QStringList{kAskSaveUnsaved}
                                        << u"chooser"_s << false;
    QTest::newRow("save, empty batch") << 3 << u"unnamed"_s << false << 0 << QString()
                                       << QStringList{u"ไม่มีข้อมูลที่จะบันทึก"_s} << u"work"_s << false;
    QTest::newRow("save, unnamed") << 3 << u"unnamed"_s << false << 2 << QString() << QStringList() << u"chooser"_s
                                   << false;
    QTest::newRow("close, saved") << 7 << u"unnamed"_s << true << 2 << QString() << QStringList() << u"start"_s << true;
    QTest::newRow("close, unsaved, no") << 7 << u"unnamed"_s << false << 2 << u"N"_s << QStringList{kAskSaveUnsaved}
                                        << u"start"_s << true;
    QTest::newRow("close, unnamed, yes keeps batch")
        << 7 << u"unnamed"_s << false << 2 << u"Y"_s << QStringList{kAskSaveUnsaved} << u"chooser"_s << false;
    QTest::newRow("close, named, yes") << 7 << u"batch.txt"_s << false << 2 << u"Y"_s
                                       << QStringList{kAskSaveUnsaved, saved} << u"start"_s << true;
    QTest::newRow("close, lower-case noname is named")
        << 7 << u"noname.txt"_s << false << 2 << u"Y"_s << QStringList{kAskSaveUnsaved, saved} << u"start"_s << true;
    QTest::newRow("close, named, save fails")
        << 7 << u"missing-folder/batch.txt"_s << false << 2 << u"Y"_s
        << QStringList{kAskSaveUnsaved,
                       u"error writing to disk or  writing to protected disk  \n%1 : เขียนแฟ้มไม่ได้ (cannot create: No such file or directory)"_s}
        << u"work"_s << false;
}

void MainWindowTest::dispatch()
{
    QFETCH(int, button);
    QFETCH(QString, file);
    QFETCH(bool, saved);
    QFETCH(int, records);
    QFETCH(QString, answers);
    QFETCH(QStringList, prompts);
    QFETCH(QString, outcome);
    QFETCH(bool, savedAfter);

    Program p;
    EntryWindow *e = p.start();
    for (int i = 0; i < records; ++i)
        p.addRecord(u"R%1"_s.arg(i));
    QString path;
    if (file != u"unnamed"_s) {
        path = p.dir.filePath(file);
        p.st().rename(path);
    }
    if (saved)
        p.st().markSaved();
    else
        p.st().markChanged();
    for (QChar a : answers)
        p.prompter.answer(a == u'Y' ? Prompter::Answer::Yes : Prompter::Answer::No);
    p.prompter.shown.clear();

    ui(p.main).Command1[button]->click();

    for (QString &t : prompts)
        t = t.arg(path);
    QCOMPARE(p.prompter.texts(), prompts);
    QCOMPARE(p.prompter.unanswered, 0);
    QCOMPARE(p.st().IsSaved(), savedAfter);
    if (outcome == u"start") {
        QVERIFY(inStartState(p));
        QVERIFY(!e->isVisible());
        QVERIFY(p.session.batch.lines().isEmpty());
        QCOMPARE(p.st().CurrentFilePath(), QString());
        QCOMPARE(e->caption(), QString());
    } else {
        QVERIFY(!inStartState(p));
        QCOMPARE(p.session.batch.lines().count(), outcome == u"new batch" ? 0 : records);
    }
    if (outcome == u"chooser") {
        QVERIFY(p.main->chooser() && p.main->chooser()->isVisible());
        QVERIFY(!e->isVisible());
    } else {
        QVERIFY(!p.main->chooser() || !p.main->chooser()->isVisible());
    }
    if (outcome == u"work" && button == 1)
        QCOMPARE(p.focus(), static_cast<QWidget *>(ui(e).Combo1[2]));
    if (prompts.contains(u"%1   บันทึกแล้ว"_s.arg(path)))
        QVERIFY(QFile::exists(path));
}

void MainWindowTest::windowsOpened_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("resumes");  // ResumeIndex takes CurrentIndex
    QTest::newRow("help") << 0 << u"Frmhelp"_s << false;
    QTest::newRow("print") << 4 << u"Form2"_s << true;
    QTest::newRow("review") << 5 << u"Form3"_s << true;
    QTest::newRow("search") << 6 << u"Frmsearch"_s << true;
}

void MainWindowTest::windowsOpened()
{
    QFETCH(int, button);
    QFETCH(QString, window);
    QFETCH(bool, resumes);
    Program p;
    EntryWindow *e = p.start();
    p.addRecord(u"A"_s);
    p.addRecord(u"B"_s);
    p.st().setCurrentIndex(1);
    p.st().setResumeIndex(7);
    ui(p.main).Command1[button]->click();
    QWidget *w = p.main->workArea()->findChild<QWidget *>(window, Qt::FindDirectChildrenOnly);
    QVERIFY(w && w->isVisible());
    QVERIFY(!e->isVisible());
    for (CommandButton *b : ui(p.main).Command1)
        QVERIFY(!b->isVisible());
    QCOMPARE(p.st().ResumeIndex(), resumes ? 1 : 7);
}

void MainWindowTest::resetToStartKeepsCaptions()
{
    Program p;
    EntryWindow *e = p.start();
    p.addRecord(u"A"_s);
    p.st().markSaved();
    ui(e).Text2->setText(u"A"_s);
    ui(p.main).Command1[7]->click();
    QVERIFY(inStartState(p));
    for (int i = 2; i < 8; ++i)
        QCOMPARE(ui(p.main).Command1[i]->text(), kWork[i]);  // hidden, captions kept
    QCOMPARE(ui(e).Text2->text(), QString());
    QCOMPARE(ui(e).Combo1[0]->currentText(), QString());
    QCOMPARE(ui(e).Label13->text(), u"0.00"_s);
    QCOMPARE(p.main->windowTitle(), MainWindow::mainCaption());
    // The defaults and the base caption survive; the next confirmation starts afresh.
    QVERIFY(!p.session.DefaultDepositorName.isEmpty());
    p.start();
    QVERIFY(!inStartState(p));
    QCOMPARE(e->counterText(), u"0/0"_s);
    QCOMPARE(e->field(0), u"101"_s);

    // The unsaved path sets the amount label to "0".
    p.addRecord(u"B"_s);
    p.prompter.answer(Prompter::Answer::No);
    ui(p.main).Command1[7]->click();
    QCOMPARE(ui(e).Label13->text(), u"0"_s);
}

void MainWindowTest::titleShowsWorkWindow()
{
    Program p;
    EntryWindow *e = p.start();
    QCOMPARE(p.main->windowTitle(), MainWindow::mainCaption() + u" - ["_s + e->caption() + u"]"_s);
    e->setCaption(u"X"_s);
    QCOMPARE(p.main->windowTitle(), MainWindow::mainCaption() + u" - [X]"_s);
    e->hide();
    QCOMPARE(p.main->windowTitle(), MainWindow::mainCaption());
}

void MainWindowTest::commandBarLayout()
{
    Program p;
    const layout::Screen s = currentScreen(p.main.get());
    const auto l = layout::mainWindowLayout(s, p.main->height() * s.twipsPerPixel);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(ui(p.main).Command1[i]->geometry(), layout::toPixels(l.buttons[i], s));
    QCOMPARE(ui(p.main).Picture1->geometry().right(), p.main->width() - 1);
    QCOMPARE(p.main->workArea()->geometry().right() + 1, ui(p.main).Picture1->geometry().left());
    // Captions fit their buttons.
    p.start();
    for (CommandButton *b : ui(p.main).Command1)
        QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width(), qPrintable(b->text()));
}

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
