#include "widgets/prompter.h"

#include "widgets/rowlistwindow.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// Qt ships no Thai translation for its standard buttons, so the boxes are built here.
Prompter::Answer run(const QString &title, const QString &text, QMessageBox::Icon icon,
                     QMessageBox::StandardButtons buttons, bool defaultNo = false, bool noEscape = false)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    // File names and record texts go into these boxes: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    struct ButtonDef {
        QMessageBox::StandardButton std;
        QString label;
        Prompter::Answer answer;
    };
    const ButtonDef buttonDefs[] = {
        {QMessageBox::Ok, u"ตกลง"_s, Prompter::Answer::Ok},
        {QMessageBox::Yes, u"ใช่"_s, Prompter::Answer::Yes},
        {QMessageBox::No, u"ไม่ใช่"_s, Prompter::Answer::No},
        {QMessageBox::Cancel, u"ยกเลิก"_s, Prompter::Answer::Cancel},
    };
    QAbstractButton *first = nullptr;
    for (const ButtonDef &s : buttonDefs) {
        if (!(buttons & s.std))
            continue;
        QPushButton *b = box.addButton(s.std);
        b->setText(s.label);
        // Words only: the desktop's theme would put its own pictures on standard buttons.
        b->setIcon(QIcon());
        if (!first)
            first = b;
    }
    if (defaultNo)
        box.setDefaultButton(QMessageBox::No);
    else if (first)
        box.setDefaultButton(qobject_cast<QPushButton *>(first));
    // Without an escape of its own the box would take "ไม่ใช่" for Esc: a hidden button
    // takes Esc instead, and the box is shown again until it is answered.
    QPushButton *unanswered = nullptr;
    if (noEscape) {
        unanswered = box.addButton(QString(), QMessageBox::RejectRole);
        unanswered->hide();
        box.setEscapeButton(unanswered);
    } else if (buttons & QMessageBox::Cancel) {
        box.setEscapeButton(box.button(QMessageBox::Cancel));
    } else if (buttons & QMessageBox::No) {
        box.setEscapeButton(box.button(QMessageBox::No));
    }
    do
        box.exec();
    while (unanswered && (box.clickedButton() == unanswered || !box.clickedButton()));
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes: return Prompter::Answer::Yes;
    case QMessageBox::No: return Prompter::Answer::No;
    case QMessageBox::Cancel: return Prompter::Answer::Cancel;
    default: return (buttons & QMessageBox::Ok) ? Prompter::Answer::Ok : Prompter::Answer::Cancel;
    }
}

const QString kTitle = u"Vorlane"_s;

}  // namespace

void QtPrompter::ok(const QString &text) { run(kTitle, text, QMessageBox::NoIcon, QMessageBox::Ok); }

Prompter::Answer QtPrompter::yesNo(const QString &text)
{
    return run(kTitle, text, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No);
}

Prompter::Answer QtPrompter::yesNoDefaultNo(const QString &text)
{
    return run(kTitle, text, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No, true);
}

Prompter::Answer QtPrompter::yesNoWithoutEscape(const QString &text)
{
    return run(kTitle, text, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No, false, true);
}

Prompter::Answer QtPrompter::yesNoCancel(const QString &text)
{
    return run(kTitle, text, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void QtPrompter::information(const QString &title, const QString &text)
{
    run(title, text, QMessageBox::Information, QMessageBox::Ok);
}

void QtPrompter::rowList(const QString &title, const QString &text, const QStringList &columns,
                         const QList<QStringList> &rows, const std::function<void()> &save)
{
    RowListWindow window(title, text, columns, rows, save, QApplication::activeWindow());
    window.exec();
}

}  // namespace vorlane
