// The entry window's list operations: add, insert, delete, cancel, navigation and the
// record search box.
#include "entry/entrywindow.h"

#include "widgets/commandbutton.h"
#include "shell/workspace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {

void EntryWindow::AbandonInsertion()
{
    // The held copies go back into the batch only with the inserted record's save;
    // left pending, a later save would write them a second time.
    m_ws.state.IsInserting = false;
    m_ws.session.LstMO3.clear();
}

void EntryWindow::AddAction()
{
    SessionState &st = m_ws.state;
    const qsizetype n = m_ws.session.lstMO.count();
    // Add appends: an insertion under way is given up, not completed later.
    AbandonInsertion();
    Label1->setText(u"%1 / %1"_s.arg(n));
    st.IsAdding = true;
    for (int i : {1, 2, 4, 5, 6})
        Text1[i]->setText(QString());
    Combo1[2]->setEditText(QString());
    Combo1[3]->setEditText(QString());
    if (Combo1[0]->currentText().isEmpty() && Combo1[0]->count() > 0)
        Combo1[0]->setEditText(Combo1[0]->itemText(0));
    focusTo(Combo1[2]);
    setButtons(0, 0, 1, 1, 0);
}

void EntryWindow::InsertAction()
{
    SessionState &st = m_ws.state;
    RecordStore &store = m_ws.session.lstMO;
    RecordStore &held = m_ws.session.LstMO3;
    st.IsSaved = false;
    st.IsInserting = true;
    for (int i : {1, 2, 4, 5, 6})
        Text1[i]->setText(QString());
    Combo1[2]->setEditText(QString());
    Combo1[3]->setEditText(QString());
    if (Combo1[0]->currentText().isEmpty() && Combo1[0]->count() > 0)
        Combo1[0]->setEditText(Combo1[0]->itemText(0));
    held.clear();
    for (qsizetype i = std::max(0, st.CurrentIndex); i < store.count(); ++i)
        held.append(store.at(i));
    focusTo(Combo1[2]);
}

void EntryWindow::DeleteAction()
{
    SessionState &st = m_ws.state;
    RecordStore &store = m_ws.session.lstMO;
    st.IsSaved = false;
    if (!store.isEmpty()) {
        // No leaves everything as it was, a record being inserted included: its save
        // must still insert, not overwrite the record on screen.
        if (m_ws.prompter.yesNo(u"ต้องการลบข้อมูลนี้จริงหรือไม่"_s) != Prompter::Answer::Yes)
            return;
    }
    AbandonInsertion();
    if (!store.isEmpty()) {
        store.removeAt(st.CurrentIndex);
        if (st.CurrentIndex >= store.count())
            st.CurrentIndex = int(store.count() - 1);
        if (st.CurrentIndex < 0)
            st.CurrentIndex = 0;
        LoadLineIntoEntryFields(store.at(st.CurrentIndex));
    }
    if (!store.isEmpty()) {
        Cmddel->setEnabled(true);
    } else {
        AddAction();
        Text1[0]->setText(u"101"_s);
        Text1[3]->setText(st.DefaultDepositorName);
        Text1[7]->setText(st.DefaultDepositorAddress);
    }
    st.IsAdding = false;
    RefreshTotals();
}

void EntryWindow::CancelAction()
{
    SessionState &st = m_ws.state;
    const RecordStore &store = m_ws.session.lstMO;
    const int n = int(store.count());
    AbandonInsertion();
    if (st.IsAdding)
        st.CurrentIndex = n - 1;
    LoadLineIntoEntryFields(store.at(st.CurrentIndex));
    Label1->setText(u"%1 / %2"_s.arg(st.CurrentIndex + 1).arg(n));
    RefreshTotals();
    st.IsAdding = false;
    if (n > 0) {
        setButtons(1, 1, 1, 1, 1);
        focusTo(Cmdadd);
    } else {
        setButtons(1, 0, 0, 0, 0);
        focusTo(Cmdadd);
        Text1[0]->setText(u"101"_s);
        Text1[3]->setText(st.DefaultDepositorName);
        Text1[7]->setText(st.DefaultDepositorAddress);
    }
}

void EntryWindow::Navigate(Move move)
{
    SessionState &st = m_ws.state;
    const RecordStore &store = m_ws.session.lstMO;
    const int n = int(store.count());
    AbandonInsertion();
    focusTo(Combo1[0]);
    if (n == 0)
        return;
    switch (move) {
    case Move::First: st.CurrentIndex = 0; break;
    case Move::Back:
        if (st.CurrentIndex >= 1)
            --st.CurrentIndex;
        st.CurrentIndex = std::max(st.CurrentIndex, 0);
        break;
    case Move::Forward:
        if (st.CurrentIndex < n)
            ++st.CurrentIndex;
        if (st.CurrentIndex >= n)
            st.CurrentIndex = n - 1;
        break;
    case Move::Last: st.CurrentIndex = n - 1; break;
    }
    LoadLineIntoEntryFields(store.at(st.CurrentIndex));
    if (move == Move::Back)
        Label1->setText(u"%1 / %2"_s.arg(st.CurrentIndex + 1).arg(n));
    else
        RefreshTotals();
    st.IsAdding = false;
    setButtons(1, 1, 1, 1, -1);
}

void EntryWindow::searchChanged(const QString &text)
{
    SessionState &st = m_ws.state;
    const RecordStore &store = m_ws.session.lstMO;
    const int n = int(store.count());
    const qsizetype i = store.findUpper(text.toUpper());
    // A record found replaces the one being added or inserted; a text that finds
    // nothing leaves it pending, so that its save still appends or inserts.
    if (i < 0)
        return;
    st.IsAdding = false;
    AbandonInsertion();
    const QString line = store.at(i);
    qsizetype b = 0;
    while (b < line.size() && line[b] == u' ')
        ++b;
    LoadLineIntoEntryFields(line.mid(b));
    Label1->setText(u"%1 / %2"_s.arg(i + 1).arg(n));
    st.CurrentIndex = int(i);
}

} // namespace vorlane
