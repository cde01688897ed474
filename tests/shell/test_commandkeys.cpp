// The command bar's keys press their buttons as a click does, only while the button shows
// that command and can be clicked; Esc in a work window is its "ยกเลิก".
#include "../entry/entryfixture.h"

#include "shell/commandkeys.h"
#include "controls.h"

#include <QSignalSpy>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

namespace {

const QStringList kWork = {u"คำแนะนำ"_s,   u"เปิดแฟ้มข้อมูลใหม่"_s, u"เปิดแฟ้มข้อมูล"_s, u"บันทึกแฟ้มข้อมูล"_s,
                           u"พิมพ์รายงาน"_s, u"ตรวจสอบข้อมูล"_s,   u"ค้นหาชื่อ/รหัส"_s, u"ปิดโปรแกรม"_s};

QWidget *shownWorkWindow(Program &p)
{
    for (QWidget *c : p.main->workArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (c->isVisible() && c != p.entry())
            return c;
    return nullptr;
}

void press(Program &p, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget *target = p.focus() ? p.focus() : p.main.get();
    QTest::keyClick(target, key, mods);
}

}  // namespace

class CommandKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyTable()
    {
        // Every work command has a key, no key serves two commands, F1 stays with About.
        QSet<QKeySequence> seen;
        QCOMPARE(CommandKeys().size(), kWork.size());
        for (const CommandKey &k : CommandKeys()) {
            QCOMPARE(k.caption, kWork.at(k.index));
            QVERIFY(!k.keys.isEmpty());
            for (const QKeySequence &s : k.keys) {
                QVERIFY2(!seen.contains(s), qPrintable(s.toString()));
                QVERIFY(s != QKeySequence(Qt::Key_F1));
                seen.insert(s);
            }
        }
        QCOMPARE(CommandTip(u"เปิดแฟ้มข้อมูล"_s), u"เปิดแฟ้มข้อมูล (Ctrl+O)"_s);
        QCOMPARE(CommandTip(u"ค้นหาชื่อ/รหัส"_s), u"ค้นหาชื่อ/รหัส (Ctrl+F, F3)"_s);
        QCOMPARE(CommandTip(u"เปิดโปรแกรม"_s), u"เปิดโปรแกรม"_s);
    }

    void keyOpensWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("window");
        QTest::newRow("Ctrl+P print") << int(Qt::Key_P) << int(Qt::ControlModifier) << u"Form2"_s;
        QTest::newRow("F5 review") << int(Qt::Key_F5) << 0 << u"Form3"_s;
        QTest::newRow("Ctrl+F search") << int(Qt::Key_F) << int(Qt::ControlModifier) << u"Frmsearch"_s;
        QTest::newRow("F3 search") << int(Qt::Key_F3) << 0 << u"Frmsearch"_s;
        QTest::newRow("F2 help") << int(Qt::Key_F2) << 0 << u"Frmhelp"_s;
        QTest::newRow("Ctrl+O open") << int(Qt::Key_O) << int(Qt::ControlModifier) << u"frmOpen"_s;
    }

    void keyOpensWindow()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, window);
        Program p;
        p.start();
        p.addRecord(u"A"_s);
        p.st().markSaved();
        // While the button cannot be clicked the key does nothing.
        const int index = int(std::find_if(CommandKeys().begin(), CommandKeys().end(), [&](const CommandKey &k) {
                                  return k.keys.contains(QKeySequence(key | mods));
                              })->index);
        ui(p.main).Command1[index]->setEnabled(false);
        press(p, Qt::Key(key), Qt::KeyboardModifiers(mods));
        QVERIFY(!shownWorkWindow(p));
        ui(p.main).Command1[index]->setEnabled(true);

        press(p, Qt::Key(key), Qt::KeyboardModifiers(mods));
        QWidget *w = shownWorkWindow(p);
        QVERIFY(w);
        QCOMPARE(w->objectName(), window);
        // The command bar is hidden now: its keys do nothing until the window is left.
        press(p, Qt::Key_F5);
        QCOMPARE(shownWorkWindow(p), w);
    }

    void keyRunsTheSameChecks()
    {
        Program p;
        p.start();
        press(p, Qt::Key_S, Qt::ControlModifier);  // empty batch: the click's own notice
        QCOMPARE(p.prompter.texts(), QStringList{u"ไม่มีข้อมูลที่จะบันทึก"_s});
        p.addRecord(u"A"_s);
        p.prompter.answer(Prompter::Answer::No);
        press(p, Qt::Key_F8);  // unsaved: asked first, then back to the start state
        QCOMPARE(p.prompter.texts().last(), u"ข้อมูลยังไม่ได้บันทึก ต้องการบันทึกหรือไม่"_s);
        QCOMPARE(ui(p.main).Command1[1]->text(), u"ออกจากโปรแกรม"_s);
        // Start state: button 1 is "ออกจากโปรแกรม", which Ctrl+N must not press.
        QSignalSpy exit(p.main.get(), &MainWindow::exitRequested);
        press(p, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(exit.count(), 0);
    }

    void tooltipsNameTheKeys()
    {
        Program p;
        p.start();
        for (int i = 0; i < 8; ++i)
            QCOMPARE(ui(p.main).Command1[i]->toolTip(), CommandTip(kWork.at(i)));
    }

    void oneFontSizeAcrossTheBar()
    {
        Program p;
        p.start();
        const int px = QFontInfo(ui(p.main).Command1[0]->font()).pixelSize();
        for (CommandButton *b : ui(p.main).Command1) {
            QCOMPARE(QFontInfo(b->font()).pixelSize(), px);
            QVERIFY2(QFontMetrics(b->font()).horizontalAdvance(b->text()) <= b->width() - 10, qPrintable(b->text()));
        }
    }

    void escapeIsCancel_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("help") << 0;
        QTest::newRow("open") << 2;
        QTest::newRow("print") << 4;
        QTest::newRow("review") << 5;
        QTest::newRow("search") << 6;
    }

    void escapeIsCancel()
    {
        QFETCH(int, button);
        Program p;
        EntryWindow *e = p.start();
        p.addRecord(u"A"_s);
        p.addRecord(u"B"_s);
        p.st().markSaved();
        e->Navigate(EntryWindow::Move::First);
        ui(p.main).Command1[button]->click();
        QWidget *w = shownWorkWindow(p);
        QVERIFY(w);
        QWidget *target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(e->isVisible());
        QCOMPARE(e->field(2), u"A"_s);
        QVERIFY(ui(p.main).Command1[7]->isVisible());
    }
};

QTEST_MAIN(CommandKeysTest)
#include "test_commandkeys.moc"
