// The entry window's checks, in the order and with the texts the window shows them.
#include "rules/entryrules.h"

#include "records/recordgate.h"
#include "records/numbers.h"

using namespace Qt::StringLiterals;

namespace vorlane {

bool IsAllDigits(QStringView text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

namespace {

const QString kBarMsg = u"ไม่สามารถรับเครื่องหมาย | ได้"_s;
const QString kSemicolonMsg = u"ไม่สามารถรับเครื่องหมาย ; ได้"_s;
const QString kNoTypeMsg = u"ไม่มี ธนาณัติประเภทนี้"_s;
const QString kTypeMissingMsg = u"ยังไม่ได้ไส่รหัสธนาณัติ"_s;
const QString kPostcodeMissingMsg = u"ยังไม่ได้ใส่ รหัสไปรษณีย์ปลายทาง"_s;
const QString kPostcodeDigitsMsg = u"รหัสไม่ใช่ตัวเลข  "_s;
const QString kNoDestinationMsg = u"ไม่ต้องระบุ ปณ. ปลายทาง"_s;

constexpr Control kType = Control::TypeSelector;
constexpr Control kPostcode = Control::PostcodeSelector;

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

// Where the user corrects a field: its selector for those a selector mirrors.
Control controlOfField(int field)
{
    switch (field) {
    case TypeCode: return kType;
    case DestPostcode: return kPostcode;
    case DestPostOfficeName: return Control::OfficeOrPostcodeSelector;
    default: return textField(Field(field));
    }
}

RuleOutcome refuse(int field, const QString &message, QList<Control> cleared, Control focus)
{
    RuleOutcome o;
    o.message = message;
    o.action = {std::move(cleared), focus};
    o.stops = true;
    o.field = field;
    return o;
}

}  // namespace

bool isWithoutDestination(QStringView typeCode) { return whole(toNumber(typeCode).value_or(0)) == 112; }

RuleAction pickTypeCodeRule(const QString &code)
{
    if (isWithoutDestination(code))
        return {{kPostcode}, Control::None};
    return {};
}

EntryDraft EntryDraft::fromRecord(const MoneyOrderRecord &r)
{
    return {r, r[TypeCode], r[DestPostcode], r[DestPostOfficeName]};
}

EntryDraft draftFromKeyed(const KeyedOrder &keyed, const ReferenceTables &tables)
{
    MoneyOrderRecord r;
    r[TypeCode] = NormaliseField(TypeCode, keyed.type);
    r[DestPostcode] = NormaliseField(DestPostcode, keyed.postcode);
    r[RecipientName] = NormaliseField(RecipientName, keyed.recipient);
    r[DepositorName] = NormaliseField(DepositorName, keyed.depositor);
    r[Amount] = NormaliseField(Amount, keyed.amount);
    const QStringList &codes = tables.postOffices.codes;
    const QStringList &names = tables.postOffices.names;
    const int i = indexOfTrimmed(codes, r[DestPostcode]);
    r[DestPostOfficeName] = i >= 0 && i < names.size() ? names[i] : QString();
    r[RecipientAddress] = NormaliseField(RecipientAddress, keyed.recipientAddress);
    r[DepositorAddress] = NormaliseField(DepositorAddress, keyed.depositorAddress);
    // The selectors hold what was typed into them, as the window's do.
    EntryDraft d = EntryDraft::fromRecord(r);
    d.typeText = keyed.type;
    d.postcodeText = keyed.postcode;
    return d;
}

RuleOutcome enterInFieldRule(Field k, const EntryDraft &d)
{
    const QString &text = d.record[k];
    const bool empty = trimBlanks(text).isEmpty();
    const Control self = textField(k);
    RuleOutcome o;
    o.field = k;
    // The focus moves on at once; a failing check brings it back.
    switch (k) {
    case RecipientName: o.advance = textField(RecipientAddress); break;
    case RecipientAddress: o.advance = textField(DepositorName); break;
    case DepositorName: o.advance = textField(DepositorAddress); break;
    case DepositorAddress: o.advance = textField(Amount); break;
    default: break;
    }
    auto fail = [&](const QString &msg, QList<Control> cleared, Control focus) {
        o.message = msg;
        o.action = {std::move(cleared), focus};
        o.stops = true;
        return o;
    };
    switch (k) {
    case RecipientName:
        if (empty)
            return fail(u"ไม่ได้พิมพ์ชื่อผู้รับเงิน"_s, {self}, self);
        if (text.contains(u'|'))
            return fail(u"ไม่สามารถรับเครื่องหมาย |  ได้"_s, {}, self);
        if (text.contains(u';'))
            return fail(u"ไม่สามารถรับเครื่องหมาย  ; ได้"_s, {}, self);
        break;
    case RecipientAddress:
        if (empty)
            return fail(u"ไม่ได้พิมพ์ที่อยู่ผู้รับเงิน"_s, {self}, self);
        if (text.contains(u'|'))
            return fail(kBarMsg, {}, Control::None);
        if (text.contains(u';'))
            return fail(kSemicolonMsg, {}, Control::None);
        break;
    case DepositorName:
        if (empty)
            return fail(u"ไม่ได้พิมพ์ชื่อผู้ฝากเงิน"_s, {}, self);
        if (text.contains(u'|'))
            return fail(u"ไม่สามารถรับเครื่องหมาย |  ได้"_s, {}, Control::None);
        if (text.contains(u';'))
            return fail(u"ไม่สามารถรับเครื่องหมาย ;  ได้"_s, {}, Control::None);
        break;
    case DepositorAddress:
        if (empty)
            return fail(u"ไม่ได้พิมพ์ที่อยู่ผู้ฝากเงิน"_s, {}, self);
        if (text.contains(u'|'))
            return fail(kBarMsg, {}, Control::None);
        if (text.contains(u';'))
            return fail(kSemicolonMsg, {}, Control::None);
        break;
    default: break;
    }
    if (const QString msg = FieldRefusal(NormaliseField(k, text)); !msg.isEmpty())
        return fail(msg, {}, self);
    // A depositor carried over from the previous record is skipped.
    if (k == RecipientAddress && !d.record[DepositorName].isEmpty() && !d.record[DepositorAddress].isEmpty())
        o.action.focus = textField(Amount);
    return o;
}

RuleOutcome enterInAmountRule(const EntryDraft &d, const ReferenceTables &tables)
{
    const Control self = textField(Amount);
    const QString &type = d.typeText;
    RuleOutcome o;
    if (trimBlanks(type).isEmpty())
        o = refuse(TypeCode, u"รหัสธนาณัติ ไม่ได้พิมพ์"_s, {}, kType);
    else if (trimBlanks(d.record[Amount]).isEmpty())
        o = refuse(Amount, u"จำนวนเงินยังไม่พิมพ์"_s, {self}, self);
    else if (const auto amount = toNumber(d.record[Amount]); !amount)
        o = refuse(Amount, u"ไม่ใช่ตัวเลข "_s, {self}, self);
    else if (const auto row = tables.rates.rowByText(type); row && outOfRange(tables.rates.rows[*row], *amount))
        o = refuse(Amount, rangeMessage(tables.rates.rows[*row]), {self}, self);
    o.advance = Control::SaveButton;
    return o;
}

RuleOutcome enterInSelectorRule(Selector k, const EntryDraft &d, const ReferenceTables &tables)
{
    const QString &type = d.typeText;
    const QStringList &typeCodes = tables.types.codes;
    const Control recipient = textField(RecipientName);
    RuleOutcome o;
    if (k == TypeCodeBox || k == TypeNameBox) {
        if (indexOfTrimmed(typeCodes, type) < 0)
            return refuse(TypeCode, u"ไม่มีรหัสธนาณัติประเภทนี้"_s, {kType}, kType);
        if (!isWithoutDestination(type))
            o.action.focus = kPostcode;
        else
            o.action = {{kPostcode}, recipient};
        return o;
    }
    if (k == OfficeNameBox) {
        if (trimBlanks(d.officeText).isEmpty())
            return refuse(DestPostOfficeName, u"ยังไม่ได้พิมพ์ชื่อไปรษณีย์"_s, {}, Control::None);
        o.action.focus = recipient;
        return o;
    }

    // The postcode selector.
    if (trimBlanks(type).isEmpty())
        return refuse(TypeCode, kTypeMissingMsg, {kType, kPostcode}, kType);
    if (indexOfTrimmed(typeCodes, type) < 0)
        return refuse(TypeCode, kNoTypeMsg, {kType, kPostcode}, kType);
    const QString &postcode = d.postcodeText;
    if (isWithoutDestination(type)) {
        if (!trimBlanks(postcode).isEmpty())
            return refuse(DestPostcode, kNoDestinationMsg, {kPostcode}, recipient);
        return o;
    }
    const QString mirrored = trimBlanks(d.record[DestPostcode]);
    if (postcode.isEmpty())
        return refuse(DestPostcode, kPostcodeMissingMsg, {}, kPostcode);
    if (!IsAllDigits(mirrored))
        return refuse(DestPostcode, kPostcodeDigitsMsg, {kPostcode}, kPostcode);
    if (mirrored.size() != 5)
        return refuse(DestPostcode, u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก   "_s, {kPostcode},
                      kPostcode);
    if (indexOfTrimmed(tables.postOffices.codes, postcode) >= 0) {
        o.action.focus = recipient;
        return o;
    }
    o.question = u"ไม่มีรหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s;
    o.field = DestPostcode;
    o.onYes.focus = kPostcode;
    o.action = {{kPostcode}, kPostcode};
    return o;
}

QList<RuleOutcome> saveRules(EntryDraft &d, const ReferenceTables &tables)
{
    QList<RuleOutcome> out;
    auto stop = [&](RuleOutcome o) {
        out << std::move(o);
        return out;
    };
    // The checks see the record as the batch will store it.
    for (int k = 0; k < kFieldCount; ++k)
        d.record[k] = NormaliseField(k, d.record[k]);
    d.typeText = NormaliseField(TypeCode, d.typeText);
    d.postcodeText = NormaliseField(DestPostcode, d.postcodeText);
    // Views, not trimmed copies: the import runs these checks for every row.
    const QStringView type = trimmedBlanks(d.typeText);
    if (type.isEmpty())
        return stop(refuse(TypeCode, kTypeMissingMsg, {kType}, kType));
    if (indexOfTrimmed(tables.types.codes, type) < 0)
        return stop(refuse(TypeCode, kNoTypeMsg, {kType}, kType));

    if (!isWithoutDestination(type)) {
        const QStringView postcode = trimmedBlanks(d.postcodeText);
        const QStringView mirrored = trimmedBlanks(d.record[DestPostcode]);
        if (postcode.isEmpty())
            return stop(refuse(DestPostcode, kPostcodeMissingMsg, {kPostcode}, kPostcode));
        if (!IsAllDigits(mirrored))
            return stop(refuse(DestPostcode, kPostcodeDigitsMsg, {kPostcode}, kPostcode));
        if (mirrored.size() != 5)
            return stop(refuse(DestPostcode, u"ไม่มี รหัส ป.ณ.ปลายทางที่ต้องการ  ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก  "_s,
                               {kPostcode}, kPostcode));
        if (indexOfTrimmed(tables.postOffices.codes, postcode) < 0) {
            RuleOutcome q;
            q.question = u"ไม่มี รหัส ป.ณ.ปลายทาง ต้องการยืนยันรหัส ปณ.นี้หรือไม่"_s;
            q.action = {{kPostcode}, kPostcode};
            q.field = DestPostcode;
            out << q;
        }
    } else if (!trimmedBlanks(d.postcodeText).isEmpty()) {
        // Not a stop: the record is stored without a destination.
        RuleOutcome n;
        n.message = kNoDestinationMsg;
        n.action = {{kPostcode}, textField(RecipientName)};
        n.field = DestPostcode;
        out << n;
        // Emptying the postcode selector empties the office name it shows, and both fields.
        d.postcodeText.clear();
        d.officeText.clear();
        d.record[DestPostcode].clear();
        d.record[DestPostOfficeName].clear();
    }

    struct FieldCheck {
        Field k;
        QString emptyMsg;
        bool clearOnEmpty;
        bool clearOnMark;
    };
    const FieldCheck checks[] = {
        {RecipientName, u"ยังไม่ได้พิมพ์ชื่อผู้รับ"_s, false, true},
        {RecipientAddress, u"ยังไม่ได้พิมพ์ที่อยู่ผู้รับ"_s, false, false},
        {DepositorName, u"ยังไม่ได้พิมพ์ชื่อผู้ฝาก"_s, true, false},
        {DepositorAddress, u"ยังไม่ได้พิมพ์ที่อยู่ผู้ฝาก"_s, true, true},
    };
    for (const FieldCheck &c : checks) {
        const Control self = textField(c.k);
        const QStringView text = trimmedBlanks(d.record[c.k]);
        QString msg;
        bool clear = false;
        if (text.isEmpty())
            msg = c.emptyMsg, clear = c.clearOnEmpty;
        else if (text.contains(u'|'))
            msg = kBarMsg, clear = c.clearOnMark;
        else if (text.contains(u';'))
            msg = kSemicolonMsg, clear = c.clearOnMark;
        if (!msg.isEmpty())
            return stop(refuse(c.k, msg, clear ? QList<Control>{self} : QList<Control>{}, self));
        if (const QString bad = FieldRefusal(d.record[c.k]); !bad.isEmpty())
            return stop(refuse(c.k, bad, {}, self));
    }

    const Control amountField = textField(Amount);
    const auto amount = toNumber(trimmedBlanks(d.record[Amount]));
    if (!amount)
        return stop(refuse(Amount, u"ไม่ได้ใส่ตัวเลข "_s, {amountField}, amountField));
    const RateTable &rates = tables.rates;
    if (const auto row = rates.rowByValue(type, int(tables.types.codes.size()))) {
        if (outOfRange(rates.rows[*row], *amount))
            return stop(refuse(Amount, rangeMessage(rates.rows[*row]), {amountField}, amountField));
    }

    // A typed office name is stored as typed: it must not break the line or the file.
    const QString &officeName = d.record[DestPostOfficeName];
    if (officeName.contains(u'|'))
        return stop(refuse(DestPostOfficeName, kBarMsg, {}, Control::OfficeSelector));
    if (const QString bad = FieldRefusal(officeName); !bad.isEmpty())
        return stop(refuse(DestPostOfficeName, bad, {}, Control::OfficeOrPostcodeSelector));
    // Whatever else the batch would refuse (a code or an amount it cannot hold).
    if (const GateVerdict g = AdmitRecord(d.record); !g.admitted())
        return stop(refuse(g.field, g.message, {}, controlOfField(g.field)));
    return out;
}

SaveVerdict saveKeyed(const KeyedOrder &keyed, const ReferenceTables &tables, bool acceptUnknownPostcode)
{
    SaveVerdict v;
    EntryDraft d = draftFromKeyed(keyed, tables);
    const QList<RuleOutcome> all = saveRules(d, tables);
    for (const RuleOutcome &o : all) {
        v.outcomes << o;
        if (o.stops || (!o.question.isEmpty() && !acceptUnknownPostcode))
            return v;
    }
    v.stored = true;
    v.line = RecordLine(d.record);
    return v;
}

QString CounterFitPattern(const QString &counter)
{
    static const QString kLeast = QStringLiteral("9999 / 9999");
    QString nines = counter;
    for (QChar &c : nines)
        if (c.isDigit())
            c = u'9';
    return nines.size() > kLeast.size() ? nines : kLeast;
}

}  // namespace vorlane
