// Spreadsheet rows through the entry window's save checks.
#include "importer/sheet.h"
#include "records/numbers.h"
#include "records/texthelpers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// The columns an order is read from, in the keyed order of KeyedOrder.
enum Column {
    ColType,
    ColPostcode,
    ColRecipient,
    ColRecipientAddress,
    ColDepositor,
    ColDepositorAddress,
    ColAmount,
    ColCount
};

struct ColumnNames {
    QString shown;  // the name a message uses when the file has no such column
    QStringList accepted;
};

const std::array<ColumnNames, ColCount> &columnNames()
{
    static const std::array<ColumnNames, ColCount> names{{
        {u"ประเภท"_s, {u"ประเภท"_s, u"ประเภทธนาณัติ"_s, u"รหัสธนาณัติ"_s, u"รหัสประเภท"_s, u"type"_s}},
        {u"รหัสไปรษณีย์"_s,
         {u"รหัสไปรษณีย์"_s, u"รหัสไปรษณีย์ปลายทาง"_s, u"รหัสไปรษณีย์ผู้รับ"_s, u"รหัส ปณ."_s, u"รหัส ป.ณ.ปลายทาง"_s, u"postcode"_s,
          u"postal code"_s, u"zip"_s}},
        {u"ชื่อผู้รับ"_s,
         {u"ชื่อผู้รับ"_s, u"ชื่อผู้รับเงิน"_s, u"ชื่อ-สกุลผู้รับ"_s, u"ชื่อ-นามสกุลผู้รับ"_s, u"ผู้รับเงิน"_s, u"recipient"_s,
          u"recipient name"_s}},
        {u"ที่อยู่ผู้รับ"_s, {u"ที่อยู่ผู้รับ"_s, u"ที่อยู่ผู้รับเงิน"_s, u"recipient address"_s}},
        {u"ชื่อผู้ฝาก"_s, {u"ชื่อผู้ฝาก"_s, u"ชื่อผู้ฝากเงิน"_s, u"ผู้ฝากเงิน"_s, u"depositor"_s, u"depositor name"_s}},
        {u"ที่อยู่ผู้ฝาก"_s, {u"ที่อยู่ผู้ฝาก"_s, u"ที่อยู่ผู้ฝากเงิน"_s, u"depositor address"_s}},
        {u"จำนวนเงิน"_s, {u"จำนวนเงิน"_s, u"จำนวนเงิน (บาท)"_s, u"จำนวนเงิน(บาท)"_s, u"ยอดเงิน"_s, u"amount"_s}},
    }};
    return names;
}

// Case, blanks (around the name and inside it), a line break in the heading cell and a
// trailing ":" do not count.
QString normalName(const QString &name)
{
    QString n = trimWhiteSpace(name).toString();
    if (n.endsWith(u':'))
        n.chop(1);
    QString out;
    for (QChar c : n)
        if (!c.isSpace())
            out += c;
    return out.toCaseFolded();
}

int columnOf(const QString &header)
{
    const QString n = normalName(header);
    for (int c = 0; c < ColCount; ++c)
        for (const QString &a : columnNames()[c].accepted)
            if (normalName(a) == n)
                return c;
    return -1;
}

bool blankRow(const QStringList &row)
{
    for (const QString &cell : row)
        if (!trimWhiteSpace(cell).isEmpty())
            return false;
    return true;
}

// The keyed column a record field is typed in.
int columnOfField(int field)
{
    switch (field) {
    case TypeCode: return ColType;
    case DestPostcode:
    case DestPostOfficeName: return ColPostcode;
    case RecipientName: return ColRecipient;
    case RecipientAddress: return ColRecipientAddress;
    case DepositorName: return ColDepositor;
    case DepositorAddress: return ColDepositorAddress;
    default: return ColAmount;
    }
}

}  // namespace

QString unknownPostcodeMessage() { return u"ไม่มี รหัส ป.ณ.ปลายทาง"_s; }

QString unknownPostcodeQuestion(const ImportResult &result)
{
    QStringList listed;
    for (const ImportedRow &r : result.rows)
        if (r.unknownPostcode && listed.size() < 40)
            listed << u"แถว "_s + QString::number(r.row) + u" : "_s + r.postcode;
    return u"ไม่มี รหัส ป.ณ.ปลายทาง ต่อไปนี้ในตาราง\n"_s + listed.join(u'\n') + u"\nต้องการยืนยันรหัสเหล่านี้ทั้งหมดหรือไม่"_s;
}

QStringList refusalLines(const QList<Refusal> &refused)
{
    QStringList out;
    for (const Refusal &r : refused)
        out << QString::number(r.row) + u'\t' + r.column + u'\t' + r.message;
    return out;
}

QString batchPathFor(const QString &sheetPath)
{
    const QFileInfo f(sheetPath);
    // Text exported from a spreadsheet is itself a .txt: the batch must not take its name.
    if (f.suffix().compare(u"txt"_s, Qt::CaseInsensitive) == 0)
        return f.dir().filePath(f.completeBaseName() + u"-ธนาณัติ.txt"_s);
    return f.dir().filePath(f.completeBaseName() + u".txt"_s);
}

bool isSheetPath(const QString &path)
{
    const QString s = QFileInfo(path).suffix().toLower();
    return s == u"csv"_s || s == u"tsv"_s || s == u"xlsx"_s || s == u"xlsm"_s || s == u"xls"_s || s == u"ods"_s;
}

bool ImportResult::hasUnknownPostcodes() const
{
    for (const ImportedRow &r : rows)
        if (r.unknownPostcode)
            return true;
    return false;
}

QStringList ImportResult::lines(bool acceptUnknownPostcodes) const
{
    QStringList out;
    out.reserve(rows.size());
    for (const ImportedRow &r : rows)
        if (r.accepted && (!r.unknownPostcode || acceptUnknownPostcodes))
            out << r.line;
    return out;
}

QList<Refusal> ImportResult::refusals(bool acceptUnknownPostcodes) const
{
    QList<Refusal> out;
    for (const ImportedRow &r : rows)
        if (!r.accepted || (r.unknownPostcode && !acceptUnknownPostcodes))
            out << r.refusal;
    return out;
}

namespace {

// The header row: the first of the first rows that names the type, the recipient and
// the amount (title rows, a blank first row or a merged title may stand above it); -1
// when none does.
qsizetype findHeaderRow(const Sheet &sheet)
{
    constexpr qsizetype kRowsLookedAt = 20;
    for (qsizetype r = 0; r < sheet.rows.size() && r < kRowsLookedAt; ++r) {
        bool found[ColCount] = {};
        for (const QString &cell : sheet.rows[r])
            if (const int c = columnOf(cell); c >= 0)
                found[c] = true;
        if (found[ColType] && found[ColRecipient] && found[ColAmount])
            return r;
    }
    return -1;
}

qsizetype headerRowOf(const Sheet &sheet) { return std::max<qsizetype>(0, findHeaderRow(sheet)); }

// An amount saved from a currency format ("฿1,250.50", "1,250.50 บาท") is the number.
QString withoutCurrency(const QString &amount)
{
    QStringView a = trimWhiteSpace(amount);
    bool changed = false;
    if (a.startsWith(u'฿')) {
        a = trimWhiteSpace(a.sliced(1));
        changed = true;
    }
    for (const QStringView word : {QStringView(u"บาท"), QStringView(u"THB"), QStringView(u"฿")})
        if (a.endsWith(word)) {
            a = trimWhiteSpace(a.chopped(word.size()));
            changed = true;
        }
    return changed && toNumber(a) ? a.toString() : amount;
}

}  // namespace

ImportResult ImportSheet(const Sheet &sheet, const ImportOptions &options, const ReferenceTables &tables)
{
    ImportResult result;
    if (sheet.rows.isEmpty()) {
        result.error = u"แฟ้มไม่มีแถวชื่อคอลัมน์"_s;
        return result;
    }
    const qsizetype headerRow = headerRowOf(sheet);
    // Column index in the file for each keyed column; the first of equal names wins.
    std::array<int, ColCount> at;
    at.fill(-1);
    const QStringList &header = sheet.rows[headerRow];
    for (int i = 0; i < header.size(); ++i)
        if (const int c = columnOf(header[i]); c >= 0 && at[c] < 0)
            at[c] = i;
    auto cell = [&](const QStringList &row, int c) {
        return at[c] >= 0 && at[c] < row.size() ? row[at[c]] : QString();
    };
    auto columnName = [&](int c) { return at[c] >= 0 ? header[at[c]] : columnNames()[c].shown; };
    // The totals row of a workbook the program exported ("รวม" under the type, no
    // recipient): not an order, so a batch exported, edited and imported again comes back
    // without a refused row.
    auto totalsRow = [&](const QStringList &row) {
        return trimWhiteSpace(cell(row, ColType)) == u"รวม" && trimWhiteSpace(cell(row, ColRecipient)).isEmpty();
    };

    for (int c : {ColType, ColRecipient, ColAmount})
        if (at[c] < 0) {
            result.error = u"ไม่มีคอลัมน์ "_s + columnNames()[c].shown;
            return result;
        }
    if (at[ColPostcode] < 0) {
        // Needed unless every order is of the type without a destination.
        for (qsizetype r = headerRow + 1; r < sheet.rows.size(); ++r) {
            const QStringList &row = sheet.rows[r];
            if (!blankRow(row) && trimWhiteSpace(cell(row, ColType)) != u"112"_s) {
                result.error = u"ไม่มีคอลัมน์ "_s + columnNames()[ColPostcode].shown;
                return result;
            }
        }
    }

    result.rows.reserve(sheet.rows.size() - 1 - headerRow);
    for (qsizetype r = headerRow + 1; r < sheet.rows.size(); ++r) {
        const QStringList &row = sheet.rows[r];
        // A formula without a stored result has no value to check.
        int uncomputed = -1;
        if (!sheet.uncomputed.isEmpty())
            for (int c = 0; c < ColCount && uncomputed < 0; ++c)
                if (at[c] >= 0 && sheet.uncomputed.contains(Sheet::cellKey(r, at[c])))
                    uncomputed = c;
        if (uncomputed >= 0) {
            ImportedRow out;
            out.row = int(r + 1);
            out.refusal = {out.row, columnName(uncomputed),
                           u"สูตรในเซลล์นี้ไม่มีผลคำนวณเก็บไว้ กรุณาเปิดแฟ้มในโปรแกรมตารางคำนวณ คำนวณใหม่ แล้วบันทึกอีกครั้ง"_s};
            result.rows.append(std::move(out));
            continue;
        }
        if (blankRow(row) || totalsRow(row))
            continue;
        KeyedOrder k{cell(row, ColType),
                     cell(row, ColPostcode),
                     cell(row, ColRecipient),
                     cell(row, ColRecipientAddress),
                     cell(row, ColDepositor),
                     cell(row, ColDepositorAddress),
                     withoutCurrency(cell(row, ColAmount))};
        if (trimBlanks(k.depositor).isEmpty())
            k.depositor = options.depositor.name;
        if (trimBlanks(k.depositorAddress).isEmpty())
            k.depositorAddress = options.depositor.address;

        ImportedRow out;
        out.row = int(r + 1);
        const SaveVerdict v = saveKeyed(k, tables, true);
        if (v.stored) {
            out.accepted = true;
            out.line = v.line;
            for (const RuleOutcome &o : v.outcomes)
                if (!o.question.isEmpty()) {
                    out.unknownPostcode = true;
                    out.postcode = k.postcode;
                    out.refusal = {out.row, columnName(ColPostcode), unknownPostcodeMessage()};
                }
        } else {
            const RuleOutcome &o = v.outcomes.last();
            const int c = columnOfField(o.field);
            QString message = o.message;
            if (!sheet.emptyCellHint.isEmpty() && trimWhiteSpace(cell(row, c)).isEmpty())
                message += sheet.emptyCellHint;
            out.refusal = {out.row, columnName(c), message};
        }
        result.rows.append(std::move(out));
    }
    return result;
}

bool HasOrderHeader(const Sheet &sheet) { return findHeaderRow(sheet) >= 0; }

}  // namespace vorlane
