#include "../entry/entryfixture.h"
#include "help/aboutbox.h"
#include "help/help.h"
#include "help/helpwindow.h"
#include "tempfiles.h"
#include "controls.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace vorlane;
using vorlane::test::ui;
using namespace vorlane::test;

class TestHelpWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheFileReadAfresh();
    void missingFile();
    void aboutBox();
    void aboutIsModal();
    void aboutTitleIsEnlarged_data();
    void aboutTitleIsEnlarged();
};

void TestHelpWindow::showsTheFileReadAfresh()
{
    Program p;
    p.start();
    const QString path = p.session.paths.file(u"helpcustomer.txt"_s);
    QVERIFY(writeCp874(path, {u"บรรทัดหนึ่ง"_s, u"line two"_s, u"บรรทัดสาม"_s}));
    ui(p.main).Command1[0]->click();
    HelpWindow *h = p.main->helpWindow();
    QVERIFY(h && h->isVisible());
    QCOMPARE(h->windowTitle(), u"คำแนะนำ"_s);
    QCOMPARE(ui(h).Cmdclose->text(), u"ปิด"_s);
    QCOMPARE(h->text(), u"บรรทัดหนึ่ง\r\nline two\r\nบรรทัดสาม\r\n"_s);
    QCOMPARE(ui(h).Txthelp->toPlainText(), u"บรรทัดหนึ่ง\nline two\nบรรทัดสาม\n"_s);
    QVERIFY(!ui(h).Lblmissing->isVisible());
    QVERIFY(!p.entry()->isVisible());
    QVERIFY(!ui(p.main).Command1[0]->isVisible());

    ui(h).Cmdclose->click();
    QVERIFY(p.main->helpWindow() == nullptr);
    QVERIFY(p.entry()->isVisible());
    for (CommandButton *b : ui(p.main).Command1)
        QVERIFY(b->isVisible());

    // Edited while the program runs: the next opening shows the new text.
    QVERIFY(writeCp874(path, {u"ใหม่"_s}));
    ui(p.main).Command1[0]->click();
    QCOMPARE(p.main->helpWindow()->text(), u"ใหม่\r\n"_s);
}

void TestHelpWindow::missingFile()
{
    Program p;
    p.start();
    QFile::remove(p.session.paths.file(u"helpcustomer.txt"_s));
    p.main->openHelp();
    HelpWindow *h = p.main->helpWindow();
    QVERIFY(!h->fileFound());
    QCOMPARE(ui(h).Txthelp->toPlainText(), QString());
    QVERIFY(ui(h).Lblmissing->isVisible());
    QVERIFY(ui(h).Lblmissing->text().contains(u"ไม่พบ"_s));
    ui(h).Cmdclose->click();
    QVERIFY(p.entry()->isVisible());
}

void TestHelpWindow::aboutBox()
{
    ScriptedPrompter prompter;
    AboutBox box(prompter);
    box.show();
    QCOMPARE(box.windowTitle(), u"About Vorlane"_s);
    QCOMPARE(ui(&box).lblTitle->text(), u"Vorlane"_s);
    QCOMPARE(ui(&box).lblVersion->text(), u"Version 1.0.0"_s);
    QCOMPARE(ui(&box).lblDescription->text(), u"Ostrel Development Team"_s);
    QCOMPARE(ui(&box).cmdSysInfo->text(), u"&System Info..."_s);
    QCOMPARE(ui(&box).cmdOK->text(), u"OK"_s);
    ui(&box).cmdSysInfo->click();
    QCOMPARE(prompter.texts(), QStringList{u"System Information Is Unavailable At This Time"_s});
    QVERIFY(box.isVisible());
    // Return acts on the button that has the focus.
    QApplication::setActiveWindow(&box);
    QVERIFY(QTest::qWaitForWindowActive(&box));
    ui(&box).cmdSysInfo->setFocus();
    QTest::keyClick(ui(&box).cmdSysInfo, Qt::Key_Return);
    QCOMPARE(prompter.texts().size(), 2);
    QVERIFY(box.isVisible());
    ui(&box).cmdOK->setFocus();
    QTest::keyClick(ui(&box).cmdOK, Qt::Key_Return);
    QVERIFY(!box.isVisible());
    box.show();
    ui(&box).cmdOK->click();
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

void TestHelpWindow::aboutTitleIsEnlarged_data()
{
    QTest::addColumn<bool>("inPixels");
    QTest::newRow("font in pixels, as the program sets it") << true;
    QTest::newRow("font in points") << false;
}

void TestHelpWindow::aboutTitleIsEnlarged()
{
    QFETCH(bool, inPixels);
    const QFont saved = QApplication::font();
    QFont f = saved;
    if (inPixels)
        f.setPixelSize(20);
    else
        f.setPointSizeF(10);
    QApplication::setFont(f);
    ScriptedPrompter prompter;
    AboutBox box(prompter);
    const QFont title = ui(&box).lblTitle->font();
    QApplication::setFont(saved);
    if (inPixels)
        QCOMPARE(title.pixelSize(), 32);
    else
        QCOMPARE(title.pointSizeF(), 16.0);
    QVERIFY(title.bold());
}

void TestHelpWindow::aboutIsModal()
{
    Program p;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
        seen = box != nullptr;
        if (box)
            ui(box).cmdOK->click();
    });
    ShowAbout(p.prompter);
    QVERIFY(seen);
}

QTEST_MAIN(TestHelpWindow)
#include "test_helpwindow.moc"
