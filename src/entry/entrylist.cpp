// The entry window's list operations: add, insert, delete, cancel, navigation and the
// record search box.
#include "entry/entrywindow.h"

#include "records/texthelpers.h"
#include "widgets/commandbutton.h"
#include "records/session.h"
#include "widgets/prompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {
// A new record keeps the type and the depositor of the one before.
constexpr Field kFreshFields[] = {DestPostcode, RecipientName, Amount, DestPostOfficeName, RecipientAddress};
}  // namespace

void EntryWindow::AbandonInsertion() { m_session.batch.abandonInsertion(); }

void EntryWindow::AddAction()
{
    // Add appends: an insertion under way is given up, not completed later.
    m_session.batch.beginAdd();
    showNewRecord();
}

// The screen of a record being begun: type and depositor carried over, the rest empty.
void EntryWindow::showNewRecord()
{
    const qsizetype n = m_session.batch.lines().count();
    setCounterText(u"%1 / %1"_s.arg(n));
    emptyRecordFields();
    focusTo(m_selectors[PostcodeBox]);
    setButtons(0, 0, 1, 1, 0);
}

void EntryWindow::emptyRecordFields()
{
    for (Field f : kFreshFields)
        m_fields[f]->setText(QString());
    m_selectors[PostcodeBox]->setEditText(QString());
    m_selectors[OfficeNameBox]->setEditText(QString());
    if (m_selectors[TypeCodeBox]->currentText().isEmpty() && m_selectors[TypeCodeBox]->count() > 0)
        m_selectors[TypeCodeBox]->setEditText(m_selectors[TypeCodeBox]->itemText(0));
}

void EntryWindow::InsertAction()
{
    m_session.batch.beginInsert();
    emptyRecordFields();
    focusTo(m_selectors[PostcodeBox]);
}

void EntryWindow::DeleteAction()
{
    Batch &batch = m_session.batch;
    const bool had = !batch.lines().isEmpty();
    // No leaves everything as it was, a record being inserted included: its save
    // must still insert, not overwrite the record on screen.
    if (!batch.remove([this] { return m_prompter.yesNo(u"ต้องการลบข้อมูลนี้จริงหรือไม่"_s) == Prompter::Answer::Yes; }))
        return;
    if (had)
        LoadLineIntoEntryFields(batch.current());
    if (!batch.lines().isEmpty()) {
        m_deleteButton->setEnabled(true);
    } else {
        // Looks as after Add, but the next save stores at position 0, which appends.
        showNewRecord();
        m_fields[TypeCode]->setText(u"101"_s);
        m_fields[DepositorName]->setText(m_session.DefaultDepositorName);
        m_fields[DepositorAddress]->setText(m_session.DefaultDepositorAddress);
    }
    RefreshTotals();
}

void EntryWindow::CancelAction()
{
    Batch &batch = m_session.batch;
    batch.cancel();
    const int n = int(batch.lines().count());
    LoadLineIntoEntryFields(batch.current());
    setCounterText(u"%1 / %2"_s.arg(batch.CurrentIndex() + 1).arg(n));
    RefreshTotals();
    if (n > 0) {
        setButtons(1, 1, 1, 1, 1);
        focusTo(m_addButton);
    } else {
        setButtons(1, 0, 0, 0, 0);
        focusTo(m_addButton);
        m_fields[TypeCode]->setText(u"101"_s);
        m_fields[DepositorName]->setText(m_session.DefaultDepositorName);
        m_fields[DepositorAddress]->setText(m_session.DefaultDepositorAddress);
    }
}

void EntryWindow::Navigate(Move move)
{
    Batch &batch = m_session.batch;
    batch.navigate(move);
    focusTo(m_selectors[TypeCodeBox]);
    const int n = int(batch.lines().count());
    if (n == 0)
        return;
    LoadLineIntoEntryFields(batch.current());
    if (move == Move::Back)
        setCounterText(u"%1 / %2"_s.arg(batch.CurrentIndex() + 1).arg(n));
    else
        RefreshTotals();
    setButtons(1, 1, 1, 1, -1);
}

void EntryWindow::searchChanged(const QString &text)
{
    Batch &batch = m_session.batch;
    const RecordStore &store = batch.lines();
    const int n = int(store.count());
    const qsizetype i = store.findUpper(text.toUpper());
    // A record found replaces the one being added or inserted; a text that finds
    // nothing leaves it pending, so that its save still appends or inserts.
    if (i < 0)
        return;
    batch.show(int(i));
    LoadLineIntoEntryFields(trimLeadingBlanks(store.at(i)).toString());
    setCounterText(u"%1 / %2"_s.arg(i + 1).arg(n));
}

}  // namespace vorlane
