// The entry window's keys: the Enter flow through the fields and selectors, the save
// check list and the commit of a record.
#include "entry/entrywindow.h"

#include "records/codec.h"
#include "records/numbers.h"
#include "shell/commandbutton.h"
#include "shell/workspace.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

const QString kBarMsg = u"ไม่สามารถรับเครื่องหมาย | ได้"_s;
const QString kSemicolonMsg = u"ไม่สามารถรับเครื่องหมาย ; ได้"_s;
const QString kNoTypeMsg = u"ไม่มี ธนาณัติประเภทนี้"_s;
const QString kTypeMissingMsg = u"ยังไม่ได้ไส่รหัสธนาณัติ"_s;
const QString kPostcodeMissingMsg = u"ยังไม่ได้ใส่ รหัสไปรษณีย์ปลายทาง"_s;
const QString kPostcodeDigitsMsg = u"รหัสไม่ใช่ตัวเลข  "_s;
const QString kNoDestinationMsg = u"ไม่ต้องระบุ ปณ. ปลายทาง"_s;

bool isEnterKey(const QKeyEvent *e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
           && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isType112(const QString &code) { return whole(toNumber(code).value_or(0)) == 112; }

int indexOfTrimmed(const QStringList &list, QStringView text)
{
    const QString t = trimBlanks(text);
    for (int i = 0; i < list.size(); ++i)
        if (trimBlanks(list[i]) == t)
            return i;
    return -1;
}

QString rangeMessage(const RateRow &row)
{
    return u"เงินเกิน "_s + row.MaxAmount + u"  หรือ เงินน้อยกว่าเท่ากับ "_s + row.MinAmount + u" บาท"_s;
}

// The amount is outside (MinAmount, MaxAmount] of the row; a limit that is not a number
// checks nothing.
bool outOfRange(const RateRow &row, double amount)
{
    const auto max = toNumber(row.MaxAmount);
    const auto min = toNumber(row.MinAmount);
    return (max && amount > *max) || (min && amount <= *min);
}

} // namespace

bool EntryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent *>(event))) {
        for (int k = 0; k < 4; ++k) {
            if (watched == Combo1[k]) {
                enterInSelector(k);
                return true;
            }
        }
        for (int k : {2, 3, 4, 6, 7}) {
            if (watched == Text1[k]) {
                enterInField(k);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A character the data file cannot hold: say which, keep the text, keep the focus.
bool EntryWindow::refuseUnencodable(QWidget *focusTarget, const QString &text)
{
    qsizetype pos = -1;
    if (cp874::canEncode(text, &pos))
        return false;
    QString ch = text.mid(pos, 1);
    if (ch.size() == 1 && ch[0].isHighSurrogate() && pos + 1 < text.size())
        ch = text.mid(pos, 2);
    m_ws.prompter.ok(u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : "_s + ch);
    focusTo(focusTarget);
    return true;
}

// ---- Enter in a text field -------------------------------------------------------------

void EntryWindow::enterInField(int k)
{
    if (k == 4) {
        enterInAmount();
        return;
    }
    QLineEdit *f = Text1[k];
    Prompter &p = m_ws.prompter;
    const QString text = f->text();
    const bool empty = trimBlanks(text).isEmpty();

    // The focus moves on at once; a failing check brings it back.
    switch (k) {
    case 2: focusTo(Text1[6]); break;
    case 6: focusTo(Text1[3]); break;
    case 3: focusTo(Text1[7]); break;
    case 7: focusTo(Text1[4]); break;
    }

    auto back = [&] { focusTo(f); };
    auto clearBack = [&] { f->clear(); focusTo(f); };
    switch (k) {
    case 2:  // recipient name
        if (empty) { p.ok(u"ไม่ได้พิมพ์ชื่อผู้รับเงิน"_s); clearBack(); return; }
        if (text.contains(u'|')) { p.ok(u"ไม่สามารถรับเครื่องหมาย |  ได้"_s); back(); return; }
        if (text.contains(u';')) { p.ok(u"ไม่สามารถรับเครื่องหมาย  ; ได้"_s); back(); return; }
        break;
    case 6:  // recipient address
        if (empty) { p.ok(u"ไม่ได้พิมพ์ที่อยู่ผู้รับเงิน"_s); clearBack(); return; }
        if (text.contains(u'|')) { p.ok(kBarMsg); return; }
        if (text.contains(u';')) { p.ok(kSemicolonMsg); return; }
        break;
    case 3:  // depositor name
        if (empty) { p.ok(u"ไม่ได้พิมพ์ชื่อผู้ฝากเงิน"_s); back(); return; }
        if (text.contains(u'|')) { p.ok(u"ไม่สามารถรับเครื่องหมาย |  ได้"_s); return; }
        if (text.contains(u';')) { p.ok(u"ไม่สามารถรับเครื่องหมาย ;  ได้"_s); return; }
        break;
    case 7:  // depositor address
        if (empty) { p.ok(u"ไม่ได้พิมพ์ที่อยู่ผู้ฝากเงิน"_s); back(); return; }
        if (text.contains(u'|')) { p.ok(kBarMsg); return; }
        if (text.contains(u';')) { p.ok(kSemicolonMsg); return; }
        break;
    }
    if (refuseUnencodable(f, text))
        return;
    // A depositor carried over from the previous record is skipped.
    if (k == 6 && !Text1[3]->text().isEmpty() && !Text1[7]->text().isEmpty())
        focusTo(Text1[4]);
}

void EntryWindow::enterInAmount()
{
    QLineEdit *f = Text1[4];
    Prompter &p = m_ws.prompter;
    Cmdsave->setVisible(true);
    focusTo(Cmdsave);

    const QString type = Combo1[0]->currentText();
    const bool typeEmpty = trimBlanks(type).isEmpty();
    const bool amountEmpty = trimBlanks(f->text()).isEmpty();
    if (typeEmpty) {
        p.ok(u"รหัสธนาณัติ ไม่ได้พิมพ์"_s);
        focusTo(Combo1[0]);
        return;
    }
    if (amountEmpty) {
        p.ok(u"จำนวนเงินยังไม่พิมพ์"_s);
        f->clear();
        focusTo(f);
        return;
    }
    const auto amount = toNumber(f->text());
    if (!amount) {
        p.ok(u"ไม่ใช่ตัวเลข "_s);
        f->clear();
        focusTo(f);
        return;
    }
    const RateTable &rates = m_ws.session.tables.rates;
    if (const auto row = rates.rowByText(type)) {
        if (outOfRange(rates.rows[*row], *amount)) {
            p.ok(rangeMessage(rates.rows[*row]));
            f->clear();
            focusTo(f);
        }
    }
}

// ---- Enter in a selector ---------------------------------------------------------------

void EntryWindow::enterInSelector(int k)
{
    Prompter &p = m_ws.prompter;
    const QString type = Combo1[0]->currentText();
    if (k == 0 || k == 1) {
        if (indexOfTrimmed(m_typeCodes, type) >= 0) {
            if (!isType112(type)) {
                focusTo(Combo1[2]);
            } else {
                Combo1[2]->setEditText(QString());
                focusTo(Text1[2]);
            }
        } else {
            p.ok(u"ไม่มีรหัสธนาณัติประเภทนี้"_s);
            Combo1[0]->setEditText(QString());
            focusTo(Combo1[0]);
        }
        return;
    }
    if (k == 3) {
        if (trimBlanks(Combo1[3]->currentText()).isEmpty())
            p.ok(u"ยังไม่ได้พิมพ์ชื่อไปรษณีย์"_s);
        else
            focusTo(Text1[2]);
        return;
    }

    // The postcode selector.
    auto resetType = [&](const QString &msg) {
        p.ok(msg);
        Combo1[0]->setEditText(QString());
        Combo1[2]->setEditText(QString());
        focusTo(Combo1[0]);
    };
    auto clearPostcode = [&] {
        Combo1[2]->setEditText(QString());
        focusTo(Combo1[2]);
    };
    if (trimBlanks(type).isEmpty()) { resetType(kTypeMissingMsg); return; }
    if (indexOfTrimmed(m_typeCodes, type) < 0) { resetType(kNoTypeMsg); return; }
    const QString postcode = Combo1[2]->currentText();
    if (isType112(type)) {
        if (!trimBlanks(postcode).isEmpty()) {
            p.ok(kNoDestinationMsg);
            Combo1[2]->setEditText(QString());
            focusTo(Text1[2]);
        }
        return;
    }
    const QString mirrored = trimBlanks(Text1[1]->text());
    if (postcode.isEmpty()) { p.ok(kPostcodeMissingMsg); focusTo(Combo1[2]); return; }
    if (!IsAllDigits(mirrored)) { p.ok(kPostcodeDigitsMsg); clearPostcode(); return; }
    if (mirrored.size() != 5) {
        p.ok(u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก   "_s);
        clearPostcode();
        return;
    }
    if (indexOfTrimmed(m_postcodes, postcode) >= 0) {
        focusTo(Text1[2]);
        return;
    }
    if (p.yesNo(u"ไม่มีรหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s) == Prompter::Answer::Yes)
        focusTo(Combo1[2]);
    else
        clearPostcode();
}

// ---- Save --------------------------------------------------------------------------------

void EntryWindow::SaveAction()
{
    if (runSaveChecks())
        commit();
}

bool EntryWindow::runSaveChecks()
{
    Prompter &p = m_ws.prompter;
    const QString type = trimBlanks(Combo1[0]->currentText());
    auto clearCombo = [&](int k) {
        Combo1[k]->setEditText(QString());
        focusTo(Combo1[k]);
    };
    if (type.isEmpty()) { p.ok(kTypeMissingMsg); clearCombo(0); return false; }
    if (indexOfTrimmed(m_typeCodes, type) < 0) { p.ok(kNoTypeMsg); clearCombo(0); return false; }

    if (!isType112(type)) {
        const QString postcode = trimBlanks(Combo1[2]->currentText());
        const QString mirrored = trimBlanks(Text1[1]->text());
        if (postcode.isEmpty()) { p.ok(kPostcodeMissingMsg); clearCombo(2); return false; }
        if (!IsAllDigits(mirrored)) { p.ok(kPostcodeDigitsMsg); clearCombo(2); return false; }
        if (mirrored.size() != 5) {
            p.ok(u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก  "_s);
            clearCombo(2);
            return false;
        }
        if (indexOfTrimmed(m_postcodes, postcode) < 0
            && p.yesNo(u"ไม่มี รหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s) != Prompter::Answer::Yes) {
            clearCombo(2);
            return false;
        }
    } else if (!trimBlanks(Combo1[2]->currentText()).isEmpty()) {
        // Not a stop: the record is stored without a destination.
        p.ok(kNoDestinationMsg);
        Combo1[2]->setEditText(QString());
        focusTo(Text1[2]);
    }

    struct FieldCheck {
        int k;
        QString emptyMsg;
        bool clearOnEmpty;
        bool clearOnMark;
    };
    const FieldCheck checks[] = {
        {2, u"ยังไม่ได้พิมพ์ชื่อผู้รับ"_s, false, true},
        {6, u"ยังไม่ได้พิมพ์ที่อยู่ผู้รับ"_s, false, false},
        {3, u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s, true, false},
        {7, u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s, true, true},
    };
    for (const FieldCheck &c : checks) {
        QLineEdit *f = Text1[c.k];
        const QString text = trimBlanks(f->text());
        QString msg;
        bool clear = false;
        if (text.isEmpty())
            msg = c.emptyMsg, clear = c.clearOnEmpty;
        else if (text.contains(u'|'))
            msg = kBarMsg, clear = c.clearOnMark;
        else if (text.contains(u';'))
            msg = kSemicolonMsg, clear = c.clearOnMark;
        if (!msg.isEmpty()) {
            p.ok(msg);
            if (clear)
                f->clear();
            focusTo(f);
            return false;
        }
        if (refuseUnencodable(f, f->text()))
            return false;
    }

    QLineEdit *amountField = Text1[4];
    const auto amount = toNumber(trimBlanks(amountField->text()));
    if (!amount) {
        p.ok(u"ไม่ได้ใส่ตัวเลข "_s);
        amountField->clear();
        focusTo(amountField);
        return false;
    }
    const RateTable &rates = m_ws.session.tables.rates;
    if (const auto row = rates.rowByValue(type, int(Combo1[0]->count()))) {
        if (outOfRange(rates.rows[*row], *amount)) {
            p.ok(rangeMessage(rates.rows[*row]));
            amountField->clear();
            focusTo(amountField);
            return false;
        }
    }

    // A typed office name is stored as typed: it must not break the line or the file.
    const QString officeName = Text1[5]->text();
    if (officeName.contains(u'|')) {
        p.ok(kBarMsg);
        focusTo(Combo1[3]);
        return false;
    }
    if (refuseUnencodable(Combo1[3]->isEnabled() ? static_cast<QWidget *>(Combo1[3]) : Combo1[2], officeName))
        return false;
    return true;
}

void EntryWindow::commit()
{
    SessionState &st = m_ws.state;
    RecordStore &store = m_ws.session.lstMO;
    RecordStore &held = m_ws.session.LstMO3;
    st.IsSaved = false;
    const QString line = lineFromFields();
    if (st.IsAdding) {
        store.append(line);
        st.CurrentIndex = int(store.count() - 1);
        st.IsAdding = false;
    } else {
        // Past the end (after the last record was deleted) the record is appended.
        if (st.CurrentIndex < 0 || st.CurrentIndex > store.count())
            st.CurrentIndex = int(store.count());
        store.setAt(st.CurrentIndex, line);
        if (st.IsInserting) {
            for (qsizetype m = 0; m < held.count(); ++m)
                store.setAt(st.CurrentIndex + 1 + m, held.at(m));
            held.clear();
            st.IsInserting = false;
        }
    }
    LoadLineIntoEntryFields(store.at(st.CurrentIndex));
    RefreshTotals();
    Cmdadd->setEnabled(true);
    Cmddel->setEnabled(true);
    focusTo(Cmdadd);
    Combo1[3]->setEnabled(false);
    Cmdinsert->setEnabled(true);
}

} // namespace vorlane
