#include "shell/depositordialog.h"

#include "rules/depositorrules.h"
#include "entry/entrywindow.h"
#include "layout/depositorlayout.h"
#include "records/cusname.h"
#include "widgets/commandbutton.h"
#include "shell/mainwindow.h"
#include "widgets/uiscale.h"
#include "shell/batchrecovery.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

DepositorDialog::DepositorDialog(MainWindow &main, QWidget *parent) : QWidget(parent), m_main(main)
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"รายละเอียดผู้ฝากธนาณัติจำนวนมาก"_s);
    m_heading = new QLabel(u"ผู้ฝากธนาณัติจำนวนมาก"_s, this);
    m_heading->setObjectName(u"Label3"_s);
    m_heading->setAlignment(Qt::AlignCenter);
    m_nameLabel = new QLabel(u"ชื่อ/นามสกุล"_s, this);
    m_nameLabel->setObjectName(u"Label1"_s);
    m_addressLabel = new QLabel(u"ที่อยู่"_s, this);
    m_addressLabel->setObjectName(u"Label2"_s);
    for (QLabel *l : {m_nameLabel, m_addressLabel})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(u"Text1"_s);
    m_addressBox = new QLineEdit(this);
    m_addressBox->setObjectName(u"Text2"_s);
    m_nameBox->setAccessibleName(u"ผู้ฝากธนาณัติจำนวนมาก ชื่อ/นามสกุล"_s);
    m_addressBox->setAccessibleName(u"ผู้ฝากธนาณัติจำนวนมาก ที่อยู่"_s);
    m_okButton = new CommandButton(u"ตกลง"_s, this);
    m_okButton->setObjectName(u"Command1"_s);
    m_nameBox->installEventFilter(this);
    m_addressBox->installEventFilter(this);
    connect(m_okButton, &QPushButton::clicked, this, [this] { Confirm(); });
    applyLayout();
    setVisible(false);
}

void DepositorDialog::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::DepositorLayout l = layout::depositorLayout(s);
    placeTwips(m_heading, l.Label3, s);
    placeTwips(m_nameLabel, l.Label1, s);
    placeTwips(m_nameBox, l.Text1, s);
    placeTwips(m_addressLabel, l.Label2, s);
    placeTwips(m_addressBox, l.Text2, s);
    placeTwips(m_okButton, l.Command1, s);
    for (QLabel *lb : {m_heading, m_nameLabel, m_addressLabel})
        fitText(lb, lb->text());
    fitText(m_nameBox, {});
    fitText(m_addressBox, {});
    fitText(m_okButton, m_okButton->text());
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
            if (watched == m_nameBox || watched == m_addressBox) {
                const auto box = watched == m_nameBox ? DepositorControl::Name : DepositorControl::Address;
                apply(depositorEnterRule(box, m_nameBox->text(), m_addressBox->text()));
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QWidget *DepositorDialog::control(DepositorControl c) const
{
    switch (c) {
    case DepositorControl::Name: return m_nameBox;
    case DepositorControl::Address: return m_addressBox;
    case DepositorControl::Confirm: return m_okButton;
    case DepositorControl::None: break;
    }
    return nullptr;
}

bool DepositorDialog::apply(const DepositorOutcome &o)
{
    if (!o.passed())
        m_main.prompter().ok(o.message);
    if (auto *box = qobject_cast<QLineEdit *>(control(o.box)); box && o.clears)
        box->clear();
    if (QWidget *w = control(o.focus))
        w->setFocus(Qt::OtherFocusReason);
    return o.passed();
}

void DepositorDialog::start(const QString &name, const QString &address)
{
    m_nameBox->setText(name);
    m_addressBox->setText(address);
    m_nameBox->setFocus(Qt::OtherFocusReason);
}

void DepositorDialog::Confirm()
{
    if (!apply(depositorConfirmRule(m_nameBox->text(), m_addressBox->text())))
        return;
    Session &session = m_main.session();
    const DepositorDetails typed{m_nameBox->text(), m_addressBox->text()};
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
    EntryWindow *entry = m_main.ensureEntry();
    entry->show();
    entry->raise();
    session.EntryBaseCaption = entry->caption();
    entry->AddAction();
    entry->setField(3, session.DefaultDepositorName);
    entry->setField(7, session.DefaultDepositorAddress);
    m_main.batch().startUnnamed(session.paths.nonamePath());
    const QString caption = session.EntryBaseCaption + u"   "_s + m_main.batch().CurrentFilePath();
    entry->setCaption(caption);
    m_main.setWorkState();
    entry->RefreshTotals();
    entry->setCaption(caption);
    entry->focusPostcode();
    // A batch an unclean end left unsaved is offered back; the journal then follows
    // the batch now on screen.
    m_main.recovery().offerRecovery(entry);
}

}  // namespace vorlane
