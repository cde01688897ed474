#include "entry/searchwindow.h"

#include "rules/search.h"
#include "widgets/uiscale.h"
#include "layout/searchlayout.h"
#include "widgets/commandbutton.h"
#include "records/session.h"
#include "widgets/prompter.h"
#include "records/texthelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

SearchWindow::SearchWindow(Session &session, Prompter &prompter, QWidget *parent)
    : WorkWindow(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(u"Frmsearch"_s);
    setWindowTitle(u"ค้นหาชื่อ/รหัสไปรษณีย์"_s);
    m_prompt = new QLabel(u"ค้นหาชื่อไปรษณีย์/รหัสไปรษณีย์"_s, this);
    m_prompt->setObjectName(u"Label1"_s);
    for (int i : {Typed, Found}) {
        m_boxes[i] = new QLineEdit(this);
        m_boxes[i]->setObjectName(u"Txtsearch_%1"_s.arg(i));
    }
    m_boxes[Found]->setReadOnly(true);
    m_boxes[Typed]->setAccessibleName(m_prompt->text());
    m_boxes[Found]->setAccessibleName(u"ที่ทำการที่พบ"_s);
    m_boxes[Found]->setFocusPolicy(Qt::NoFocus);
    m_okButton = new CommandButton(u"ตกลง"_s, this);
    m_okButton->setObjectName(u"Command1_2"_s);
    m_cancelButton = new CommandButton(u"ยกเลิก"_s, this);
    m_cancelButton->setObjectName(u"Command1_3"_s);

    connect(m_boxes[Typed], &QLineEdit::textChanged, this, &SearchWindow::search);
    connect(m_boxes[Typed], &QLineEdit::returnPressed, this, &SearchWindow::Txtsearch_Enter);
    connect(m_okButton, &QPushButton::clicked, this, &SearchWindow::Command1_2_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &SearchWindow::Command1_3_Click);
    setEscapeButton(m_cancelButton);
    applyLayout();
}

void SearchWindow::takeFocus() { m_boxes[Typed]->setFocus(Qt::OtherFocusReason); }

void SearchWindow::search(const QString &text)
{
    // The whole table is a few thousand short texts: one pass per keystroke is instant,
    // so the scan runs without yielding to the event loop.
    const CodeNameTable &offices = m_session.tables.postOffices;
    const PostOfficeMatch m = FindPostOffice(offices.codes, offices.names, text);
    m_foundIndex = m.index;
    m_boxes[Found]->setText(m.text);
}

void SearchWindow::Txtsearch_Enter()
{
    const QString refusal = SearchTextRefusal(m_boxes[Typed]->text());
    if (refusal.isEmpty()) {
        m_okButton->setFocus();
        return;
    }
    m_prompter.ok(refusal);
    m_boxes[Typed]->clear();
    m_boxes[Typed]->setFocus();
}

void SearchWindow::Command1_2_Click()
{
    const QString refusal = SearchChoiceRefusal(m_foundIndex);
    if (!refusal.isEmpty()) {
        m_prompter.ok(refusal);
        m_boxes[Typed]->clear();
        m_boxes[Typed]->setFocus();
        return;
    }
    Q_EMIT postOfficeChosen(m_foundIndex);
}

void SearchWindow::Command1_3_Click() { Q_EMIT cancelled(); }

void SearchWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::SearchLayout l = layout::searchLayout(s);
    placeTwips(m_prompt, l.Label1, s);
    placeTwips(m_boxes[Typed], l.Txtsearch0, s);
    placeTwips(m_boxes[Found], l.Txtsearch1, s);
    placeTwips(m_okButton, l.Command1_2, s);
    placeTwips(m_cancelButton, l.Command1_3, s);
    fitText(m_prompt, m_prompt->text());
}

}  // namespace vorlane
