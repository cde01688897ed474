// The entry window's keys: the Enter flow through the fields and selectors, the save
// check list and the commit of a record. The checks decide (entryrules); this applies.
#include "entry/entrywindow.h"

#include "records/duplicates.h"
#include "records/numbers.h"
#include "widgets/commandbutton.h"
#include "records/session.h"
#include "widgets/prompter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

bool isEnterKey(const QKeyEvent *e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
           && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

bool EntryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent *>(event))) {
        for (int k = 0; k < kSelectorCount; ++k) {
            if (watched == m_selectors[k]) {
                enterInSelector(Selector(k));
                return true;
            }
        }
        for (Field f : kTypedFields) {
            if (watched == m_fields[f]) {
                enterInField(f);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

EntryDraft EntryWindow::draft() const
{
    EntryDraft d;
    for (int k = 0; k < kFieldCount; ++k)
        d.record[k] = m_fields[k]->text();
    d.typeText = m_selectors[TypeCodeBox]->currentText();
    d.postcodeText = m_selectors[PostcodeBox]->currentText();
    d.officeText = m_selectors[OfficeNameBox]->currentText();
    return d;
}

QWidget *EntryWindow::control(Control c) const
{
    if (const int f = fieldOf(c); f >= 0)
        return m_fields[f];
    if (const int k = selectorOf(c); k >= 0)
        return m_selectors[k];
    if (c == Control::OfficeOrPostcodeSelector)
        return m_selectors[OfficeNameBox]->isEnabled() ? m_selectors[OfficeNameBox] : m_selectors[PostcodeBox];
    if (c == Control::SaveButton)
        return m_saveButton;
    return nullptr;
}

void EntryWindow::applyAction(const RuleAction &a)
{
    for (Control c : a.cleared) {
        if (const int f = fieldOf(c); f >= 0)
            m_fields[f]->clear();
        else if (const int k = selectorOf(c); k >= 0)
            m_selectors[k]->setEditText(QString());
    }
    if (a.focus == Control::None)
        return;
    if (a.focus == Control::SaveButton)
        m_saveButton->setVisible(true);
    focusTo(control(a.focus));
}

bool EntryWindow::applyOutcome(const RuleOutcome &o)
{
    Prompter &p = m_prompter;
    if (o.advance != Control::None)
        applyAction({{}, o.advance});
    if (!o.question.isEmpty()) {
        if (p.yesNo(o.question) == Prompter::Answer::Yes) {
            applyAction(o.onYes);
            return true;
        }
        applyAction(o.action);
        return false;
    }
    if (!o.message.isEmpty())
        p.ok(o.message);
    applyAction(o.action);
    return !o.stops;
}

// ---- Enter -----------------------------------------------------------------------------

void EntryWindow::enterInField(Field k)
{
    if (k == Amount)
        enterInAmount();
    else
        applyOutcome(enterInFieldRule(k, draft()));
}

void EntryWindow::enterInAmount() { applyOutcome(enterInAmountRule(draft(), m_session.tables)); }

void EntryWindow::enterInSelector(Selector k) { applyOutcome(enterInSelectorRule(k, draft(), m_session.tables)); }

// ---- Save --------------------------------------------------------------------------------

void EntryWindow::SaveAction()
{
    if (runSaveChecks() && confirmNotDuplicate())
        commit();
}

// A second order to the same recipient, postcode and amount is asked about once, when it
// is keyed: No (the default) stores nothing and leaves it on screen to correct.
bool EntryWindow::confirmNotDuplicate()
{
    const Batch &batch = m_session.batch;
    const MoneyOrderRecord record = AdmitRecord(draft().record).record;
    const bool replacing = !batch.IsAdding() && !batch.IsInserting() && batch.CurrentIndex() >= 0
                           && batch.CurrentIndex() < batch.lines().count();
    // Saving a stored record again without changing what makes it a duplicate asks nothing.
    if (replacing && DuplicateKey(SplitRecord(batch.current())) == DuplicateKey(record))
        return true;
    const qsizetype other = FindDuplicate(batch.lines(), record, replacing ? batch.CurrentIndex() : -1);
    if (other < 0)
        return true;
    const QString question = u"มีรายการที่ "_s + QString::number(other + 1)
                             + u" ผู้รับ รหัสไปรษณีย์ และจำนวนเงินเดียวกันอยู่แล้ว\nต้องการบันทึกรายการนี้อีกหรือไม่"_s;
    if (m_prompter.yesNoDefaultNo(question) == Prompter::Answer::Yes)
        return true;
    focusTo(m_fields[RecipientName]);
    return false;
}

bool EntryWindow::runSaveChecks()
{
    EntryDraft d = draft();
    for (const RuleOutcome &o : saveRules(d, m_session.tables))
        if (!applyOutcome(o))
            return false;
    return true;
}

void EntryWindow::commit()
{
    // The save checks ran the gate's own refusals; what is left is how it stores the
    // record (codes trimmed, line breaks folded), shown again below.
    if (const GateVerdict v = m_session.batch.commit(draft().record); !v.admitted()) {
        m_prompter.ok(v.message);
        return;
    }
    LoadLineIntoEntryFields(m_session.batch.current());
    RefreshTotals();
    m_addButton->setEnabled(true);
    m_deleteButton->setEnabled(true);
    focusTo(m_addButton);
    m_selectors[OfficeNameBox]->setEnabled(false);
    m_insertButton->setEnabled(true);
}

}  // namespace vorlane
