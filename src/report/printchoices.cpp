#include "report/printchoices.h"

#include "records/numbers.h"
#include "records/texthelpers.h"

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

const QString kNotNumeric = u"ไม่ใช่ตัวเลข"_s;
const QString kNoData = u"ไม่มีข้อมูลที่จะพิมพ์"_s;
const QString kFirstBeyond = u"จำนวนหน้าเริ่มมากกว่าหน้าสุดท้าย  "_s;

CheckOutcome refuse(const QString &message, PageBox focus, PageBox clear = PageBox::None)
{
    CheckOutcome o;
    o.message = message;
    o.focus = focus;
    o.clear = clear;
    return o;
}

}  // namespace

std::optional<qint64> ReadPageNumber(const QString &text, int bits)
{
    const std::optional<double> value = toNumber(text);
    if (!value)
        return std::nullopt;
    const double limit = bits == 16 ? 32767.0 : 2147483647.0;
    if (!(*value >= -limit - 1 && *value <= limit))
        return std::nullopt;
    return whole(*value);
}

CheckOutcome CheckPrintChoices(const PrintChoices &c, const RecordStore &all, RecordStore &selected)
{
    return CheckPrintChoices(c, [&](const QString &typeCode) {
        if (typeCode == kAllTypes)
            return all.count();
        selected.assign(SelectReportRecords(all, typeCode));
        return selected.count();
    });
}

CheckOutcome CheckPrintChoices(const PrintChoices &c, const std::function<qsizetype(const QString &)> &countOf)
{
    if (c.typeIndex < 0 || c.typeIndex >= int(kReportTypeCodes.size()))
        return refuse(u"ไม่มีการเลือกประเภทธนาณัติ"_s, PageBox::None);
    const QString typeCode = kReportTypeCodes[size_t(c.typeIndex)];

    CheckOutcome accepted;
    accepted.accepted = true;
    accepted.request.typeCode = typeCode;
    accepted.request.paperCode = c.a4 ? u"9"_s : u"1"_s;

    if (c.allPages) {
        // An empty selection is the report's to say.
        accepted.request.mode = PageMode::All;
        return accepted;
    }
    if (!c.pageRange)
        return refuse(u"ไม่ได้เลือกประเภทการพิมพ์"_s, PageBox::None);

    const QString firstText = trimWhiteSpace(c.firstPage).toString();
    if (firstText.isEmpty())
        return refuse(u"ไม่ได้พิมพ์ค่าเริ่มต้น"_s, PageBox::First);
    const std::optional<qint64> first = ReadPageNumber(firstText);
    if (!first)
        return refuse(kNotNumeric, PageBox::First, PageBox::First);
    if (*first <= 0)
        return refuse(u"หน้าที่พิมพ์เริ่มต้นต้องมากกว่าศูนย์"_s, PageBox::First, PageBox::First);

    const bool allTypes = typeCode == kAllTypes;
    qsizetype n = countOf(typeCode);
    if (n == 0)
        return refuse(kNoData, PageBox::First, allTypes ? PageBox::First : PageBox::None);
    int pages = PageCount(n);
    if (*first > pages)
        return refuse(kFirstBeyond + QString::number(pages), PageBox::First, PageBox::First);

    const QString lastText = trimWhiteSpace(c.lastPage).toString();
    if (lastText.isEmpty())
        return refuse(c.a4 ? u"ยังไม่ได้พิมพ์ค่าสดท้าย"_s : u"ยังไม่ได้พิมพ์ค่าสุดท้าย"_s, PageBox::Last);
    const std::optional<qint64> last = ReadPageNumber(lastText);
    if (!last)
        return refuse(kNotNumeric, PageBox::Last, PageBox::Last);
    if (*last <= 0)
        return refuse(u"หน้าที่พิมพ์สุดท้ายต้องมากกว่าศูนย์"_s, PageBox::Last, PageBox::Last);
    if (*last < *first)
        return refuse(u"หน้าสุดท้ายต้องมากกว่าหรือเท่ากับหน้าเริ่มต้น"_s, PageBox::Last, PageBox::Last);

    n = countOf(typeCode);
    if (n == 0)
        return refuse(kNoData, PageBox::Last);
    pages = PageCount(n);
    if (*last > pages)
        return refuse(kFirstBeyond + QString::number(pages), PageBox::Last, PageBox::Last);

    accepted.request.mode = PageMode::Range;
    // The report gets the whole numbers judged here, not the texts ("1.0", "1.5").
    accepted.request.firstPage = QString::number(*first);
    accepted.request.lastPage = QString::number(*last);
    return accepted;
}

CheckOutcome CheckFirstPageEnter(const QString &firstPage, const RecordStore &all)
{
    if (trimWhiteSpace(firstPage).isEmpty())
        return refuse(u"หน้าเริ่มต้นต้องไม่เป็นช่องว่าง"_s, PageBox::First);
    const std::optional<qint64> first = ReadPageNumber(firstPage);
    if (!first)
        return refuse(kNotNumeric, PageBox::First, PageBox::First);
    if (*first <= 0)
        return refuse(u"หน้าเริ่มต้นต้องมากกว่าศูนย์"_s, PageBox::First);
    if (all.isEmpty())
        return refuse(kNoData, PageBox::First);
    const int pages = PageCount(all.count());
    if (pages >= *first)
        return refuse(QString(), PageBox::Last);
    return refuse(kFirstBeyond + QString::number(pages), PageBox::First);
}

CheckOutcome CheckLastPageEnter(const QString &firstPage, const QString &lastPage, const RecordStore &all)
{
    if (trimWhiteSpace(lastPage).isEmpty())
        return refuse(u"หน้าสุดท้ายต้องไม่เป็นช่องว่าง"_s, PageBox::Last);
    const std::optional<qint64> last = ReadPageNumber(lastPage, 16);
    if (!last)
        return refuse(kNotNumeric, PageBox::Last);
    if (*last <= 0)
        return refuse(u"หน้าสุดท้ายต้องมากกว่าศูนย์"_s, PageBox::Last);
    if (all.isEmpty())
        return refuse(kNoData, PageBox::Last);
    // A first page that is not a number yet compares as 0, so only the last page is judged.
    const qint64 first = ReadPageNumber(firstPage).value_or(0);
    if (*last < first)
        return refuse(u"หน้าสุดท้ายน้อยกว่าหน้าเริ่มต้น"_s, PageBox::Last);
    const int pages = PageCount(all.count());
    if (*last > pages)
        return refuse(u"หน้าสุดท้ายที่พิมพ์ต้องน้อยกว่าเท่ากับหน้าสุดท้าย  "_s + QString::number(pages), PageBox::Last);
    return refuse(QString(), PageBox::OkButton);
}

}  // namespace vorlane
