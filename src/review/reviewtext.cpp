#include "review/reviewtext.h"

#include "records/numbers.h"
#include "records/texthelpers.h"

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// The labels carry their own trailing blanks so the values line up in the text box.
QString label(const QString &text, int blanks) { return text + QString(blanks, u' '); }

// The fields as shown: leading blanks dropped.
QString trimLeft(const QString &s) { return trimLeadingBlanks(s).toString(); }

}  // namespace

QString ReviewListItem(const RecordFieldSlots &fields)
{
    QString item;
    for (int i = 0; i < kFieldCount; ++i)
        item += fields[i] + u'\t';
    return item;
}

QString ReviewDetailText(const RecordFieldSlots &fields, std::optional<double> fee, DetailForm form)
{
    const QString crlf = u"\r\n"_s;
    const bool opening = form == DetailForm::Opening;
    QString t;
    t += label(u"ประเภทธนาณัติ"_s, 15) + trimLeft(fields[TypeCode]) + crlf;
    t += label(u"รหัสไปรษณีย์ปลายทาง"_s, 2) + trimLeft(fields[DestPostcode]) + crlf;
    t += label(u"ชื่อผู้รับ"_s, 31) + trimLeft(fields[RecipientName]) + crlf;
    t += label(u"ที่อยู่ผู้รับ"_s, 27) + trimLeft(fields[RecipientAddress]) + crlf;
    t += label(u"ชื่อผู้ฝากเงิน"_s, opening ? 22 : 21) + trimLeft(fields[DepositorName]) + crlf;
    t += label(u"ที่อยู่ผู้ฝากเงินธนาณัติ"_s, 4) + trimLeft(fields[DepositorAddress]) + crlf;
    t += label(u"จำนวนเงินที่ฝากส่ง"_s, 9) + trimLeft(fields[Amount]) + u"     บาท"_s + crlf;
    t += label(u"ชื่อไปรษณีย์ปลายทาง"_s, 4) + trimLeft(fields[DestPostOfficeName]) + crlf;
    t += label(u"ค่าธรรมเนียม"_s, 20);
    if (!fee)
        t += u"จำนวนเงินมากเกินกว่าที่โปรแกรมคำนวณได้"_s + (opening ? crlf : QString());
    else if (opening)
        t += trimLeft(formatGroupedNoLead(*fee)) + u"    บาท"_s + crlf;
    else
        t += trimLeft(formatPlain(*fee)) + u"   บาท"_s;
    return t;
}

QString ReviewEditRefusal(bool clicked, int row, qsizetype count)
{
    if (!clicked || row < 0 || row >= count)
        return u"ยังไม่เลือกรายการแก้ไข หรือรายการไม่มี"_s;
    return {};
}

}  // namespace vorlane
