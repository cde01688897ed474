#pragma once
// The whole program in a test: a temporary folder with copies of the bundled tables,
// scripted message boxes, the main window shown and active.
#include "entry/entrywindow.h"
#include "records/apppaths.h"
#include "records/session.h"
#include "scriptedprompter.h"
#include "widgets/commandbutton.h"
#include "shell/depositordialog.h"
#include "shell/mainwindow.h"
#include "thaitype.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include "controls.h"

using vorlane::test::ui;

namespace vorlane::test {

using namespace Qt::StringLiterals;

struct Program {
    QTemporaryDir dir;
    Session session;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> main;

    explicit Program(bool withCusname = false)
    {
        const QString data = qEnvironmentVariable("VORLANE_TEST_DATA");
        for (const char *name : {"rate.txt", "mo.txt", "postcode.txt", "mo1.txt"})
            QFile::copy(QDir(data).filePath(QString::fromLatin1(name)), dir.filePath(QString::fromLatin1(name)));
        if (!withCusname)
            QFile::remove(dir.filePath(u"cusname.txt"_s));
        session.paths = AppPaths::forDirectory(dir.path());
        main = std::make_unique<MainWindow>(session, prompter);
        main->resize(1024, 768);
        main->show();
        QApplication::setActiveWindow(main.get());
        (void)QTest::qWaitForWindowActive(main.get());
    }

    Batch &st() { return session.batch; }
    EntryWindow *entry() { return main->entryWindow(); }
    QWidget *focus() { return QApplication::focusWidget(); }

    // "เปิดโปรแกรม" and the depositor dialog confirmed: the entry window on a new batch.
    EntryWindow *start(const QString &name = u"บริษัท ตัวอย่าง จำกัด"_s, const QString &address = u"1 ถนนสีลม กรุงเทพฯ"_s)
    {
        ui(main).Command1[0]->click();
        DepositorDialog *d = main->depositorDialog();
        ui(d).Text1->setText(name);
        ui(d).Text2->setText(address);
        d->Confirm();
        return main->entryWindow();
    }

    // Puts a record into the fields without keys: type, postcode, recipient, amount.
    void fill(const QString &type, const QString &postcode, const QString &recipient, const QString &amount,
              const QString &address = u"99 หมู่ 1"_s)
    {
        EntryWindow *e = entry();
        ui(e).Combo1[0]->setEditText(type);
        ui(e).Combo1[2]->setEditText(postcode);
        ui(e).Text1[2]->setText(recipient);
        ui(e).Text1[6]->setText(address);
        ui(e).Text1[4]->setText(amount);
    }

    // Keys a whole record through Add and Save, answering nothing.
    void addRecord(const QString &recipient, const QString &amount = u"500"_s, const QString &postcode = u"10100"_s,
                   const QString &type = u"101"_s)
    {
        if (!st().IsAdding())
            entry()->AddAction();
        fill(type, postcode, recipient, amount);
        entry()->SaveAction();
    }

    QStringList lines() const { return session.batch.lines().lines(); }

    // Stores `line` at position i (the count appends) as a save would, then puts the
    // entry window's place in the batch back as it was.
    void storeLine(qsizetype i, const QString &line)
    {
        Batch &b = session.batch;
        const int current = b.CurrentIndex();
        const bool adding = b.IsAdding();
        b.show(int(i));
        b.commitLine(line);
        b.setCurrentIndex(current);
        if (adding)
            b.beginAdd();
    }
    void appendLine(const QString &line) { storeLine(session.batch.lines().count(), line); }
};

// The recipient names (field 2) of every stored line, in order.
inline QStringList recipients(const Session &s)
{
    QStringList out;
    for (const QString &line : s.batch.lines().lines())
        out << line.section(u'|', 2, 2);
    return out;
}

}  // namespace vorlane::test
