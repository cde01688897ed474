#include "entry/searchwindow.h"

#include "entry/search.h"
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
    Label1 = new QLabel(u"ค้นหาชื่อไปรษณีย์/รหัสไปรษณีย์"_s, this);
    Label1->setObjectName(u"Label1"_s);
    for (int i : {Typed, Found}) {
        Txtsearch[i] = new QLineEdit(this);
        Txtsearch[i]->setObjectName(u"Txtsearch_%1"_s.arg(i));
    }
    Txtsearch[Found]->setReadOnly(true);
    Txtsearch[Typed]->setAccessibleName(Label1->text());
    Txtsearch[Found]->setAccessibleName(u"ที่ทำการที่พบ"_s);
    Txtsearch[Found]->setFocusPolicy(Qt::NoFocus);
    Command1_2 = new CommandButton(u"ตกลง"_s, this);
    Command1_2->setObjectName(u"Command1_2"_s);
    Command1_3 = new CommandButton(u"ยกเลิก"_s, this);
    Command1_3->setObjectName(u"Command1_3"_s);

    connect(Txtsearch[Typed], &QLineEdit::textChanged, this, &SearchWindow::search);
    connect(Txtsearch[Typed], &QLineEdit::returnPressed, this, &SearchWindow::Txtsearch_Enter);
    connect(Command1_2, &QPushButton::clicked, this, &SearchWindow::Command1_2_Click);
    connect(Command1_3, &QPushButton::clicked, this, &SearchWindow::Command1_3_Click);
    setEscapeButton(Command1_3);
    applyLayout();
}

void SearchWindow::search(const QString &text)
{
    // The whole table is a few thousand short texts: one pass per keystroke is instant,
    // so the scan runs without yielding to the event loop.
    const CodeNameTable &offices = m_session.tables.postOffices;
    const PostOfficeMatch m = FindPostOffice(offices.codes, offices.names, text);
    m_foundIndex = m.index;
    Txtsearch[Found]->setText(m.text);
}

void SearchWindow::Txtsearch_Enter()
{
    const QString refusal = SearchTextRefusal(Txtsearch[Typed]->text());
    if (refusal.isEmpty()) {
        Command1_2->setFocus();
        return;
    }
    m_prompter.ok(refusal);
    Txtsearch[Typed]->clear();
    Txtsearch[Typed]->setFocus();
}

void SearchWindow::Command1_2_Click()
{
    const QString refusal = SearchChoiceRefusal(m_foundIndex);
    if (!refusal.isEmpty()) {
        m_prompter.ok(refusal);
        Txtsearch[Typed]->clear();
        Txtsearch[Typed]->setFocus();
        return;
    }
    Q_EMIT postOfficeChosen(m_foundIndex);
}

void SearchWindow::Command1_3_Click() { Q_EMIT cancelled(); }

void SearchWindow::applyLayout()
{
    const layout::Screen s = currentScreen(this);
    const layout::SearchLayout l = layout::searchLayout(s);
    placeTwips(Label1, l.Label1, s);
    placeTwips(Txtsearch[Typed], l.Txtsearch0, s);
    placeTwips(Txtsearch[Found], l.Txtsearch1, s);
    placeTwips(Command1_2, l.Command1_2, s);
    placeTwips(Command1_3, l.Command1_3, s);
    fitText(Label1, Label1->text());
}

} // namespace vorlane
