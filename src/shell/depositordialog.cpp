#include "shell/depositordialog.h"

#include "entry/entrywindow.h"
#include "layout/depositorlayout.h"
#include "records/codec.h"
#include "records/cusname.h"
#include "widgets/commandbutton.h"
#include "shell/mainwindow.h"
#include "widgets/uiscale.h"
#include "shell/workspace.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {
const QString kNoName = u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s;
const QString kNoAddress = u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s;
} // namespace

DepositorDialog::DepositorDialog(Workspace &ws, QWidget *parent) : QWidget(parent), m_ws(ws)
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"รายละเอียดผู้ฝากธนาณัติจำนวนมาก"_s);
    Label3 = new QLabel(u"ผู้ฝากธนาณัติจำนวนมาก"_s, this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(u"ชื่อ/นามสกุล"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label2 = new QLabel(u"ที่อยู่"_s, this);
    Label2->setObjectName(u"Label2"_s);
    for (QLabel *l : {Label1, Label2})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(u"Text1"_s);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(u"Text2"_s);
    Text1->setAccessibleName(u"ผู้ฝากธนาณัติจำนวนมาก ชื่อ/นามสกุล"_s);
    Text2->setAccessibleName(u"ผู้ฝากธนาณัติจำนวนมาก ที่อยู่"_s);
    Command1 = new CommandButton(u"ตกลง"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Confirm(); });
    applyLayout();
    setVisible(false);
}

void DepositorDialog::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::DepositorLayout l = layout::depositorLayout(s);
    placeTwips(Label3, l.Label3, s);
    placeTwips(Label1, l.Label1, s);
    placeTwips(Text1, l.Text1, s);
    placeTwips(Label2, l.Label2, s);
    placeTwips(Text2, l.Text2, s);
    placeTwips(Command1, l.Command1, s);
    for (QLabel *lb : {Label3, Label1, Label2})
        fitText(lb, lb->text());
    fitText(Text1, {});
    fitText(Text2, {});
    fitText(Command1, Command1->text());
}

void DepositorDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyLayout();
}

void DepositorDialog::closeEvent(QCloseEvent *event)
{
    // The dialog stays until it is confirmed.
    event->ignore();
}

bool DepositorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
            && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (watched == Text1 && checkField(Text1, kNoName))
                Text2->setFocus(Qt::OtherFocusReason);
            else if (watched == Text2 && checkField(Text2, kNoAddress))
                Command1->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Blank or not writable to the file: a message, and the box keeps the focus.
bool DepositorDialog::checkField(QLineEdit *box, const QString &emptyMessage)
{
    if (box->text().trimmed().isEmpty()) {
        m_ws.prompter.ok(emptyMessage);
        box->clear();
        box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    qsizetype pos = -1;
    if (!cp874::canEncode(box->text(), &pos)) {
        QString ch = box->text().mid(pos, 1);
        if (ch.size() == 1 && ch[0].isHighSurrogate())
            ch = box->text().mid(pos, 2);
        m_ws.prompter.ok(u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : "_s + ch);
        box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void DepositorDialog::Confirm()
{
    if (!checkField(Text1, kNoName) || !checkField(Text2, kNoAddress))
        return;
    Session &session = m_ws.session;
    const DepositorDetails typed{Text1->text(), Text2->text()};
    const QString path = session.paths.cusnamePath();
    // Read back what was written; when the file cannot be written the typed texts
    // still become this run's defaults.
    DepositorDetails kept = typed;
    if (WriteCusname(path, typed)) {
        if (const auto back = ReadCusname(path))
            kept = *back;
    }
    session.DefaultDepositorName = kept.name;
    session.DefaultDepositorAddress = kept.address;

    hide();
    EntryWindow *entry = m_ws.ensureEntry();
    entry->show();
    entry->raise();
    session.EntryBaseCaption = entry->caption();
    entry->AddAction();
    entry->setField(3, session.DefaultDepositorName);
    entry->setField(7, session.DefaultDepositorAddress);
    m_ws.batch.startUnnamed(session.paths.nonamePath());
    const QString caption = session.EntryBaseCaption + u"   "_s + m_ws.batch.CurrentFilePath();
    entry->setCaption(caption);
    if (m_ws.main)
        m_ws.main->setWorkState();
    entry->RefreshTotals();
    entry->setCaption(caption);
    entry->focusPostcode();
    // A batch an unclean end left unsaved is offered back; the journal then follows
    // the batch now on screen.
    m_ws.offerRecovery();
}

} // namespace vorlane
