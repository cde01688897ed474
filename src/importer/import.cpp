// Spreadsheet rows through the entry window's save checks.
#include "importer/sheet.h"
#include "records/texthelpers.h"

#include <QDir>
#include <QFileInfo>

#include <array>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// The columns an order is read from, in the keyed order of KeyedOrder.
enum Column { ColType, ColPostcode, ColRecipient, ColRecipientAddress, ColDepositor, ColDepositorAddress, ColAmount, ColCount };

struct ColumnNames {
    QString shown;  // the name a message uses when the file has no such column
    QStringList accepted;
};

const std::array<ColumnNames, ColCount> &columnNames()
{
    static const std::array<ColumnNames, ColCount> names{{
        {u"ประเภท"_s, {u"ประเภท"_s, u"ประเภทธนาณัติ"_s, u"type"_s}},
        {u"รหัสไปรษณีย์"_s, {u"รหัสไปรษณีย์"_s, u"รหัสไปรษณีย์ปลายทาง"_s, u"postcode"_s}},
        {u"ชื่อผู้รับ"_s, {u"ชื่อผู้รับ"_s, u"recipient"_s}},
        {u"ที่อยู่ผู้รับ"_s, {u"ที่อยู่ผู้รับ"_s, u"recipient address"_s}},
        {u"ชื่อผู้ฝาก"_s, {u"ชื่อผู้ฝาก"_s, u"ชื่อผู้ฝากเงิน"_s, u"depositor"_s}},
        {u"ที่อยู่ผู้ฝาก"_s, {u"ที่อยู่ผู้ฝาก"_s, u"ที่อยู่ผู้ฝากเงิน"_s, u"depositor address"_s}},
        {u"จำนวนเงิน"_s, {u"จำนวนเงิน"_s, u"amount"_s}},
    }};
    return names;
}

// Case, blanks around the name and a trailing ":" do not count.
QString normalName(const QString &name)
{
    QString n = trimWhiteSpace(name).toString();
    if (n.endsWith(u':'))
        n.chop(1);
    return trimWhiteSpace(n).toString().toCaseFolded();
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

} // namespace

QString unknownPostcodeMessage() { return u"ไม่มี รหัส ป.ณ.ปลายทาง"_s; }

QString unknownPostcodeQuestion(const ImportResult &result)
{
    QStringList listed;
    for (const ImportedRow &r : result.rows)
        if (r.unknownPostcode && listed.size() < 40)
            listed << u"แถว "_s + QString::number(r.row) + u" : "_s + r.postcode;
    return u"ไม่มี รหัส ป.ณ.ปลายทาง ต่อไปนี้ในตาราง\n"_s + listed.join(u'\n')
           + u"\nต้องการยืนยันรหัสเหล่านี้ทั้งหมดหรือไม่"_s;
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
    return f.dir().filePath(f.completeBaseName() + u".txt"_s);
}

bool isSheetPath(const QString &path)
{
    const QString s = QFileInfo(path).suffix().toLower();
    return s == u"csv"_s || s == u"xlsx"_s || s == u"ods"_s;
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

ImportResult ImportSheet(const Sheet &sheet, const ImportOptions &options, const ReferenceTables &tables)
{
    ImportResult result;
    if (sheet.rows.isEmpty()) {
        result.error = u"แฟ้มไม่มีแถวชื่อคอลัมน์"_s;
        return result;
    }
    // Column index in the file for each keyed column; the first of equal names wins.
    std::array<int, ColCount> at;
    at.fill(-1);
    const QStringList &header = sheet.rows.first();
    for (int i = 0; i < header.size(); ++i)
        if (const int c = columnOf(header[i]); c >= 0 && at[c] < 0)
            at[c] = i;
    auto cell = [&](const QStringList &row, int c) { return at[c] >= 0 && at[c] < row.size() ? row[at[c]] : QString(); };
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
        for (qsizetype r = 1; r < sheet.rows.size(); ++r) {
            const QStringList &row = sheet.rows[r];
            if (!blankRow(row) && trimBlanks(cell(row, ColType)) != u"112"_s) {
                result.error = u"ไม่มีคอลัมน์ "_s + columnNames()[ColPostcode].shown;
                return result;
            }
        }
    }

    result.rows.reserve(sheet.rows.size() - 1);
    for (qsizetype r = 1; r < sheet.rows.size(); ++r) {
        const QStringList &row = sheet.rows[r];
        if (blankRow(row) || totalsRow(row))
            continue;
        KeyedOrder k{cell(row, ColType), cell(row, ColPostcode), cell(row, ColRecipient),
                     cell(row, ColRecipientAddress), cell(row, ColDepositor), cell(row, ColDepositorAddress),
                     cell(row, ColAmount)};
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
            out.refusal = {out.row, columnName(columnOfField(o.field)), o.message};
        }
        result.rows.append(std::move(out));
    }
    return result;
}

} // namespace vorlane
