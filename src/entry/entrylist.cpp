// The entry window's list operations: add, insert, delete, cancel, navigation and the
// record search box.
#include "entry/entrywindow.h"

#include "shell/commandbutton.h"
#include "shell/workspace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// Upper case of each UTF-16 unit, 0 where it is not one unit for one (a surrogate, or a
// letter whose upper case is longer, like "ß").
struct UpperTable {
    std::array<char16_t, 65536> map{};
    UpperTable()
    {
        for (int c = 0; c < 65536; ++c) {
            const QChar ch{char16_t(c)};
            if (ch.isSurrogate())
                continue;
            const QString up = QString(ch).toUpper();
            if (up.size() == 1)
                map[size_t(c)] = up.at(0).unicode();
        }
        map[0] = 0;  // U+0000 maps to itself but reads as "not one for one"; lines never hold it
    }
};

// line.toUpper().contains(upperNeedle), without building the upper-cased line: every
// keystroke in the search box reads the whole batch. Lines holding a character whose
// upper case is not one unit go the long way, so the result is always the same.
bool upperContains(const QString &line, QStringView upperNeedle)
{
    static const UpperTable table;
    const qsizetype n = line.size(), m = upperNeedle.size();
    if (m == 0)
        return true;
    const char16_t *l = reinterpret_cast<const char16_t *>(line.constData());
    const char16_t *w = reinterpret_cast<const char16_t *>(upperNeedle.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = table.map[l[i]];
        if (u == 0)
            return line.toUpper().contains(upperNeedle);
        if (u != w[0] || i + m > n)
            continue;
        // A match made of one-for-one characters is in the upper-cased line whatever follows.
        qsizetype k = 1;
        while (k < m && w[k] != 0 && table.map[l[i + k]] == w[k])
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

} // namespace

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
    const QString needle = text.toUpper();
    const int n = int(store.count());
    for (int i = 0; i < n; ++i) {
        const QString &line = store.lines().at(i);
        if (!upperContains(line, needle))
            continue;
        // A record found replaces the one being added or inserted; a text that finds
        // nothing leaves it pending, so that its save still appends or inserts.
        st.IsAdding = false;
        AbandonInsertion();
        qsizetype b = 0;
        while (b < line.size() && line[b] == u' ')
            ++b;
        LoadLineIntoEntryFields(line.mid(b));
        Label1->setText(u"%1 / %2"_s.arg(i + 1).arg(n));
        st.CurrentIndex = i;
        return;
    }
}

} // namespace vorlane
