#include "report/slip.h"

#include "records/fee.h"
#include "records/numbers.h"
#include "records/recordline.h"
#include "records/texthelpers.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {

// The "\" of the layout rules: round to a whole number first, then halve, dropping the remainder.
double halfWhole(double difference) { return double(whole(difference) / 2); }

double lineTop(PrintSurface &s, const QString &text, float line) { return line - s.textHeight(text); }

}  // namespace

int PageCount(qsizetype n) { return int(n / kRecordsPerSheet + (n % kRecordsPerSheet ? 1 : 0)); }

QStringList SelectReportRecords(const RecordStore &all, const QString &typeCode)
{
    // Blanks on either side do not count: a file written by hand or by an older version
    // may carry "101 ", and such an order must not be left off the slip of its type.
    const QStringView code = trimWhiteSpace(typeCode);
    if (code == kAllTypes)
        return all.lines();
    QStringList kept;
    for (qsizetype i = 0; i < all.count(); ++i)
        if (std::optional<QString> line = SlipLineOfType(all.at(i), code))
            kept.append(std::move(*line));
    return kept;
}

std::optional<QString> SlipLineOfType(QStringView line, QStringView code)
{
    const MoneyOrderRecord record = SplitRecord(line);
    if (trimWhiteSpace(record[TypeCode]) != code)
        return std::nullopt;
    return RecordLine(record);
}

void PrintTextAt(PrintSurface &s, const QString &text, float x, float y)
{
    if (text.isEmpty())
        return;  // nothing to put on paper; keeps the drawing log to what shows
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.printText(text);
}

FittedText FitTextToWidth(PrintSurface &s, const QString &text, double size, double room)
{
    // A hair of slack, so that a text exactly as wide as its box counts as fitting.
    constexpr double kSlack = 1e-6;
    const double width = s.textWidth(text);
    if (width <= room + kSlack || text.isEmpty())
        return {text, size};
    const double smallest = size * kSmallestTextShare;
    // Widths grow with the size: start where the text should just fit, in tenths of a
    // point, and step down while the printer's rounding still leaves it too wide.
    double fitted = std::max(smallest, std::floor(size * room / width * 10) / 10);
    s.setFontSize(fitted);
    while (s.textWidth(text) > room + kSlack && fitted > smallest) {
        fitted = std::max(smallest, fitted - 0.5);
        s.setFontSize(fitted);
    }
    // Still too wide at the smallest legible size: drawn whole, running into the next
    // column, as the counter clerk would rather read it than lose a letter of a name.
    s.setFontSize(size);
    return {text, fitted};
}

double CentreX(PrintSurface &s, const QString &text, double left, double right)
{
    return left + halfWhole((right - left) - s.textWidth(text));
}

double PageCentreX(PrintSurface &s, const QString &text) { return halfWhole(s.scaleWidth() - s.textWidth(text)); }

double RightEdgeX(PrintSurface &s, const QString &text) { return s.scaleWidth() - s.textWidth(text) - 1; }

double AlignedX(PrintSurface &s, const QString &text, const QString &reference, double left, double right)
{
    const double ref = s.textWidth(reference);
    return left + (ref - s.textWidth(text)) + halfWhole((right - left) - ref);
}

void PrintPageHeader(PrintSurface &s, SlipCursor &c, int sheet, const HeaderTexts &t, const Depositor &depositor)
{
    auto centred = [&](const QString &text) {
        PrintTextAt(s, text, float(PageCentreX(s, text)), float(lineTop(s, text, c.lineY)));
    };
    auto inBox = [&](const QString &text, double left, double right) {
        PrintTextAt(s, text, float(CentreX(s, text, left, right)), float(lineTop(s, text, c.lineY)));
    };
    auto at = [&](const QString &text, double x) { PrintTextAt(s, text, float(x), float(lineTop(s, text, c.lineY))); };

    s.setScaleModeCentimetres();
    s.setFontSize(20);
    c.lineY = 2.5f;
    centred(t.title);

    s.setFontSize(10);
    PrintTextAt(s, t.formName, float(RightEdgeX(s, t.formName)), float(lineTop(s, t.formName, 1.5f)));

    s.setFontSize(12);
    const QString sheetText = t.sheetLabel + QString::number(sheet);
    PrintTextAt(s, sheetText, float(RightEdgeX(s, sheetText)), float(lineTop(s, sheetText, 3.0f)));

    s.setFontSize(16);
    c.lineY += 1;
    centred(t.officeLine);
    c.lineY += 1;
    centred(t.dateLine);
    c.lineY += 1;
    centred(t.depositorLabel + depositor.name);
    c.lineY += 1;
    centred(t.depositorAddressLabel + u"    "_s + depositor.address);

    s.setFontSize(10);
    c.lineY += 1;
    inBox(u"ลำดับ"_s, 1, 2);
    inBox(u"ชื่อผู้รับเงิน"_s, 2, 7);
    inBox(u"ปณ.ปลายทางจ่ายเงิน"_s, 7, 9.5);
    inBox(u"ชื่อที่ทำการไปรษณีย์"_s, 9.5, 12.5);
    inBox(u"จำนวนเงิน"_s, 12.5, 15.5);
    inBox(u"รหัส"_s, 15.5, 16.5);
    inBox(u"ค่าธรรมเนียม"_s, 17, 18.5);

    c.lineY += 0.5f;
    inBox(u"ที่"_s, 1, 2);
    at(u"/ที่อยู่"_s, 4);
    at(u"/รหัสไปรษณีย์"_s, 7);
    inBox(u" บาท "_s, 12.5, 15.5);
    inBox(u"ประเภท"_s, 15.5, 17);
    inBox(u" บาท "_s, 17, 19);

    c.lineY += 0.5f;
    inBox(u"ธนาณัติ"_s, 15.5, 17);

    c.lineY += 1;
    s.setFontSize(14);
    at(t.broughtForwardLabel, 11.5 - s.textWidth(t.broughtForwardLabel));
}

void PrintPageRows(PrintSurface &s, SlipCursor &c, const QList<SlipRow> &rows, const RowsTexts &totals)
{
    auto at = [&](const QString &text, double x) { PrintTextAt(s, text, float(x), float(lineTop(s, text, c.lineY))); };
    // Names run from their column's left edge; one too long for the column is drawn
    // smaller and then cut, so that the next column stays readable.
    auto fitted = [&](const QString &text, double x, double right) {
        const FittedText f = FitTextToWidth(s, text, 14, right - x);
        if (f.size != 14)
            s.setFontSize(f.size);
        at(f.text, x);
        if (f.size != 14)
            s.setFontSize(14);
    };

    s.setFontSize(14);
    for (const SlipRow &row : rows) {
        c.lineY += 0.57f;
        const QString seq = QString::number(row.sequence);
        at(seq, CentreX(s, seq, 1, 2));
        fitted(row.recipient, 2, 7);
        at(row.postcode, CentreX(s, row.postcode, 7, 9.5));
        fitted(row.office, 9.5, 12.5);
        at(row.amount, AlignedX(s, row.amount, totals.runningAmount, 12.5, 15.5));
        at(row.typeCode, CentreX(s, row.typeCode, 15.75, 16.75));
        at(row.fee, AlignedX(s, row.fee, totals.runningFee, 17.25, 18.75));
        c.lineY += 0.57f;
        fitted(row.recipientAddress, 2, s.scaleWidth());  // alone on its line: up to the edge
    }
    c.lineY = 9.5f;
    at(totals.broughtForwardAmount, AlignedX(s, totals.broughtForwardAmount, totals.runningAmount, 12.5, 16));
    at(totals.broughtForwardFee, AlignedX(s, totals.broughtForwardFee, totals.runningFee, 17.75, 19.25));
}

FooterDistances FooterDistancesFor(int paperNumber)
{
    if (paperNumber == kPaperA4)
        return {4, 3.25};
    return {3, 2.25};
}

void PrintPageFooter(PrintSurface &s, const FooterTexts &t, const FooterDistances &d)
{
    s.setFontSize(14);
    auto atDistance = [&](const QString &text, double x, double distance) {
        PrintTextAt(s, text, float(x), float(s.scaleHeight() - s.textHeight(text) - distance));
    };
    atDistance(t.totalCaption, CentreX(s, t.totalCaption, 9.5, 12.5), d.totals);
    atDistance(t.runningAmount, CentreX(s, t.runningAmount, 12.5, 16), d.totals);
    atDistance(t.runningFee, CentreX(s, t.runningFee, 17.75, 19.25), d.totals);
    atDistance(t.label, CentreX(s, t.label, 4, 10), d.totals);
    atDistance(t.certification, 7, d.certification);

    const QString *signers[3] = {&t.signer1, &t.signer2, &t.signer3};
    for (int i = 0; i < 3; ++i) {
        const double left = 1 + 6 * i;
        atDistance(t.signatureLine, left, d.certification - 0.75);
        const QString &caption = *signers[i];
        atDistance(caption, left + halfWhole(s.textWidth(t.signatureLine) - s.textWidth(caption)),
                   d.certification - 1.25);
    }
    s.newPage();
}

QString SlipResult::errorText() const
{
    const QString text = u"Error "_s + QString::number(errorNumber) + u" : "_s + errorDescription
                         + u" ให้ตรวจสอบเครื่องพิมพ์"_s;
    return systemMessage.isEmpty() ? text : text + u'\n' + systemMessage;
}

namespace {

// Only the figures of every order are kept for the run; each sheet's records are split
// again as it is drawn, so a long batch does not hold every record twice.
struct Priced {
    double amount = 0;
    double fee = 0;
};

constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;

void checkFinite(double v)
{
    if (!std::isfinite(v))
        throw PrintFailure{kOverflow, u"Overflow"_s};
}

FooterTexts closingTexts(qsizetype n)
{
    FooterTexts t;
    t.label = u"รวม..."_s + QString::number(n) + u"....ฉบับ"_s;
    t.certification = u"ขอรับรองว่าได้ตรวจสอบถูกต้องแล้ว"_s;
    t.signatureLine = u"ลงชื่อ................................................."_s;
    t.signer1 = u"ผู้ฝาก/ผู้ฝากแทน"_s;
    t.signer2 = u"พนักงานรับฝาก"_s;
    t.signer3 = u"หน.ปณ.หรือผู้รับมอบหมาย"_s;
    return t;
}

// A page box read as the options window reads it: any number, rounded.
std::optional<int> readPage(const QString &text)
{
    const std::optional<double> v = toNumber(text);
    if (!v || !(*v > -1e9 && *v < 1e9))
        return std::nullopt;
    return int(whole(*v));
}

}  // namespace

QStringList SelectedSlipLines(const RecordStore &all, const SlipRequest &request)
{
    if (request.mode == PageMode::None)
        return {};
    const bool allTypes = trimLeadingBlanks(request.typeCode) == kAllTypes;
    QStringList lines = allTypes ? all.lines() : SelectReportRecords(all, request.typeCode);
    if (request.mode != PageMode::Range)
        return lines;
    const int sheets = PageCount(lines.size());
    const std::optional<int> f = readPage(request.firstPage), l = readPage(request.lastPage);
    if (!f || !l || *f < 1 || *l < *f || *f > sheets)
        return {};
    const qsizetype begin = qsizetype(*f - 1) * kRecordsPerSheet;
    const qsizetype end = qMin(qsizetype(qMin(*l, sheets)) * kRecordsPerSheet, lines.size());
    return lines.mid(begin, end - begin);
}

SlipResult PrintSlipOrders(PrintSurface &surface, SlipOrders &orders, QStringView depositorLine, const RateTable &rates,
                           const SlipRequest &request, const SlipProgress &progress)
{
    SlipResult result;
    auto sourceFailed = [&] {
        result = SlipResult{};
        result.status = SlipResult::Status::Failed;
        return result;
    };
    try {
        surface.setFontName(u"AngsanaUPC"_s);
        const QStringView paper = trimWhiteSpace(request.paperCode);
        if (paper == u"9"_s)
            surface.setPaperSize(kPaperA4);
        else if (paper == u"1"_s)
            surface.setPaperSize(kPaperLetter);
        if (request.mode == PageMode::None)
            return result;

        // Price every record before anything reaches the paper, so a bad amount stops
        // the run with an empty job rather than half a slip.
        QList<Priced> priced;
        const bool pricedAll = orders.forEach([&](QStringView line) {
            Priced p;
            const MoneyOrderRecord record = SplitRecord(line);
            const std::optional<double> amount = toNumber(record[Amount]);
            if (!amount)
                throw PrintFailure{kTypeMismatch, u"Type mismatch"_s};
            p.amount = *amount;
            // An amount the program cannot charge exactly stops the run, as a bad one does.
            const std::optional<double> fee = ComputeFeeExact(rates, record[TypeCode], record[Amount]);
            if (!fee)
                throw PrintFailure{kOverflow, u"Overflow"_s};
            p.fee = *fee;
            checkFinite(p.amount);
            checkFinite(p.fee);
            priced.append(p);
        });
        if (!pricedAll)
            return sourceFailed();
        if (priced.isEmpty()) {
            result.status = SlipResult::Status::Empty;
            return result;
        }

        const qsizetype n = priced.size();
        const int sheets = PageCount(n);
        int first = 1;
        int last = sheets;
        if (request.mode == PageMode::Range) {
            const std::optional<int> f = readPage(request.firstPage), l = readPage(request.lastPage);
            if (!f || !l || *f < 1 || *l < *f || *f > sheets)
                return result;  // the options window refuses such ranges before calling
            first = *f;
            last = *l;
            last = qMin(last, sheets);
        }

        double runningAmount = 0, runningFee = 0;
        for (qsizetype i = 0; i < qsizetype(first - 1) * kRecordsPerSheet; ++i) {
            runningAmount += priced[i].amount;
            runningFee += priced[i].fee;
        }

        const MoneyOrderRecord firstRecord = SplitRecord(depositorLine);
        const Depositor depositor{firstRecord[DepositorName], firstRecord[DepositorAddress]};
        const FooterDistances distances = FooterDistancesFor(paper == u"9"_s ? kPaperA4 : kPaperLetter);
        SlipCursor cursor;

        // The chosen sheets are drawn as their orders come by; the rest are passed over.
        const qsizetype from = qsizetype(first - 1) * kRecordsPerSheet;
        const qsizetype to = qMin(qsizetype(last) * kRecordsPerSheet, n);
        int sheet = first;
        double sheetAmount = 0, sheetFee = 0;
        QList<SlipRow> rows;
        bool cancelled = false;
        qsizetype i = 0;
        const bool drewAll = orders.forEach([&](QStringView line) {
            const qsizetype at = i++;
            if (cancelled || at < from || at >= to)
                return;
            const Priced &p = priced[at];
            const MoneyOrderRecord record = SplitRecord(line);
            sheetAmount += p.amount;
            sheetFee += p.fee;
            rows.append({int(at + 1), record[RecipientName], record[DestPostcode], record[DestPostOfficeName],
                         formatGrouped(p.amount), record[TypeCode], formatGroupedNoLead(p.fee),
                         record[RecipientAddress]});
            if (rows.size() < kRecordsPerSheet && at + 1 < to)
                return;
            runningAmount += sheetAmount;
            runningFee += sheetFee;
            checkFinite(runningAmount);
            checkFinite(runningFee);

            RowsTexts totals{formatGrouped(runningAmount), {}, formatGrouped(runningFee), {}};
            HeaderTexts header;
            if (sheet != 1) {
                header.broughtForwardLabel = u"ยอดยกมา"_s;
                totals.broughtForwardAmount = formatGrouped(runningAmount - sheetAmount);
                totals.broughtForwardFee = formatGrouped(runningFee - sheetFee);
            }
            PrintPageHeader(surface, cursor, sheet, header, depositor);
            PrintPageRows(surface, cursor, rows, totals);

            FooterTexts footer;
            if (sheet == sheets)
                footer = closingTexts(n);
            else
                footer.label = u"ยอดยกไป"_s;
            footer.runningAmount = totals.runningAmount;
            footer.runningFee = totals.runningFee;
            PrintPageFooter(surface, footer, distances);
            ++result.sheetsPrinted;

            if (progress && !progress(sheet - first + 1, last - first + 1))
                cancelled = true;
            ++sheet;
            sheetAmount = sheetFee = 0;
            rows.clear();
        });
        if (!drewAll || i != n)
            return sourceFailed();
        if (cancelled) {
            result.status = SlipResult::Status::Cancelled;
            return result;
        }
        surface.endDocument();
        result.status = SlipResult::Status::Printed;
    } catch (const PrintFailure &failure) {
        result.status = SlipResult::Status::Failed;
        result.errorNumber = failure.number;
        result.errorDescription = failure.description;
    }
    return result;
}

namespace {

// The lines of a store, as a slip takes them.
class StoreOrders final : public SlipOrders {
public:
    explicit StoreOrders(const RecordStore &lines) : m_lines(lines) {}
    bool forEach(const std::function<void(QStringView line)> &order) override
    {
        for (qsizetype i = 0; i < m_lines.count(); ++i)
            order(m_lines.at(i));
        return true;
    }

private:
    const RecordStore &m_lines;
};

}  // namespace

SlipResult PrintSummaryReport(PrintSurface &surface, const RecordStore &all, RecordStore &selected,
                              const RateTable &rates, const SlipRequest &request, const SlipProgress &progress)
{
    const bool allTypes = trimLeadingBlanks(request.typeCode) == kAllTypes;
    if (!allTypes && request.mode != PageMode::None)
        selected.assign(SelectReportRecords(all, request.typeCode));
    StoreOrders orders(allTypes ? all : selected);
    return PrintSlipOrders(surface, orders, all.at(0), rates, request, progress);
}

}  // namespace vorlane
