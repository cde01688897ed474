// The one gate of what a record may hold.
#include "records/recordgate.h"

#include "records/codec.h"

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

bool isBreakOrTab(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x0085:
    case 0x2028:
    case 0x2029: return true;
    default: return false;
    }
}

constexpr char16_t kZeroWidthSpace = 0x200B;

bool isCode(int field) { return field == TypeCode || field == DestPostcode; }

QString codePoint(char32_t c) { return u"U+"_s + QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'); }

}  // namespace

QString NormaliseField(int field, QStringView text)
{
    if (isCode(field))
        text = text.trimmed();
    bool plain = true;
    for (QChar c : text)
        if (isBreakOrTab(c) || c == kZeroWidthSpace) {
            plain = false;
            break;
        }
    if (plain)
        return text.toString();
    QString out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (QChar c : text) {
        if (c == kZeroWidthSpace)
            continue;
        if (isBreakOrTab(c)) {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (pendingBlank)
            out += u' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

QString unencodableMessage(QStringView text)
{
    // Controls and format characters show nothing on screen, so they are named by their
    // code; the rest as they look. Bytes a file holds outside the code page's letters
    // (C1 controls, private-use characters) come and go unchanged, so they pass.
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return u"มีตัวอักษรที่มองไม่เห็นซึ่งบันทึกลงแฟ้มข้อมูลไม่ได้ : "_s + codePoint(c.unicode());
    qsizetype pos = -1;
    if (cp874::canEncode(text, &pos))
        return {};
    qsizetype n = 1;
    if (text[pos].isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate())
        n = 2;
    const QStringView ch = text.sliced(pos, n);
    const char32_t code = n == 2 ? QChar::surrogateToUcs4(ch[0], ch[1]) : ch[0].unicode();
    if (QChar::category(code) == QChar::Other_Format || QChar::category(code) == QChar::Separator_Space
        || QChar::category(code) == QChar::Mark_NonSpacing)
        return u"มีตัวอักษรที่มองไม่เห็นซึ่งบันทึกลงแฟ้มข้อมูลไม่ได้ : "_s + codePoint(code);
    return u"มีตัวอักษรที่บันทึกลงแฟ้มข้อมูลไม่ได้ : "_s + ch.toString();
}

QString StorableTextRefusal(QStringView text)
{
    if (text.size() > kMaxFieldChars)
        return u"ข้อความยาวเกิน "_s + QString::number(kMaxFieldChars) + u" ตัวอักษร"_s;
    return unencodableMessage(text);
}

QString FieldRefusal(QStringView text)
{
    if (text.contains(kBar))
        return u"ไม่สามารถรับเครื่องหมาย | ได้"_s;
    return StorableTextRefusal(text);
}

GateVerdict AdmitRecord(const MoneyOrderRecord &record)
{
    GateVerdict v;
    for (int k = 0; k < kFieldCount; ++k) {
        v.record[k] = NormaliseField(k, record[k]);
        if (v.message.isEmpty()) {
            if (QString why = FieldRefusal(v.record[k]); !why.isEmpty()) {
                v.message = std::move(why);
                v.field = k;
            }
        }
    }
    return v;
}

QString RestorableLine(const QString &line)
{
    for (QChar c : line)
        if (isBreakOrTab(c) && c != u'\t') {
            MoneyOrderRecord r = SplitRecord(line);
            for (int k = 0; k < kFieldCount; ++k)
                r[k] = NormaliseField(k, r[k]);
            return RecordLine(r);
        }
    return line;
}

GateVerdict ReviewStoredLine(QStringView line)
{
    GateVerdict v;
    v.record = SplitRecord(line);
    for (int k = 0; k < kFieldCount; ++k) {
        const QString &raw = v.record[k];
        const QString stored = NormaliseField(k, raw);
        QString why;
        if (stored != raw) {
            if (isCode(k) && raw.trimmed() != raw)
                why = u"มีช่องว่างหน้าหรือหลังรหัส"_s;
            else if (raw.contains(u'\t'))
                why = u"มีตัวอักษร TAB ในข้อมูล"_s;
            else
                why = u"มีตัวอักษรที่มองไม่เห็นในข้อมูล : "_s + codePoint(kZeroWidthSpace);
        } else {
            why = FieldRefusal(stored);
        }
        if (!why.isEmpty()) {
            v.field = k;
            v.message = std::move(why);
            return v;
        }
    }
    return v;
}

}  // namespace vorlane
