#include "workbook/workbook.h"

#include "records/fee.h"
#include "records/fileio.h"
#include "records/numbers.h"
#include "records/recordline.h"

#include <algorithm>
#include <vector>

#include <QFile>

#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {
// Far above any batch's workbook; only a runaway write reaches it.
constexpr qint64 kMaxWorkbookBytes = qint64(1) << 31;
}  // namespace

namespace {

// The library writes a file of its own; it is built beside the target under a save's
// temporary name and then saved as any other file of the program, so a failure leaves the
// old one whole, and what a killed export leaves the next save of that name removes.
template <typename Fill>
bool writeXlsx(const QString &path, QString *error, Fill &&fill)
{
    RemoveSaveLeftovers(path);
    const QString tempPath = platform::TemporaryNameBeside(path);
    const QByteArray tempName = QFile::encodeName(tempPath);
    struct Remove {
        const QString &path;
        ~Remove() { QFile::remove(path); }
    } removeTemp{tempPath};
    lxw_workbook *wb = workbook_new(tempName.constData());
    if (!wb) {
        *error = u"สร้างแฟ้มไม่ได้ : "_s + path;
        return false;
    }
    fill(wb);
    const lxw_error closed = workbook_close(wb);
    if (closed != LXW_NO_ERROR) {
        *error = u"บันทึกแฟ้มไม่ได้ : "_s + path + u'\n' + QString::fromUtf8(lxw_strerror(closed));
        return false;
    }
    const FileReadResult built = ReadFileBounded(tempPath, kMaxWorkbookBytes);
    if (!built.ok()) {
        *error = u"บันทึกแฟ้มไม่ได้ : "_s + path + u'\n' + FailureCause(built);
        return false;
    }
    const FileIoResult saved = SaveFileAtomic(path, built.bytes);
    if (!saved.ok()) {
        *error = u"บันทึกแฟ้มไม่ได้ : "_s + path + u'\n' + FailureCause(saved);
        return false;
    }
    return true;
}

}  // namespace

bool WriteWorkbook(const QString &path, const QStringList &recordLines, const RateTable &rates, QString *error)
{
    return writeXlsx(path, error, [&](lxw_workbook *wb) {
        lxw_worksheet *sheet = workbook_add_worksheet(wb, nullptr);
        lxw_format *money = workbook_add_format(wb);
        format_set_num_format(money, "#,##0.00");
        lxw_format *bold = workbook_add_format(wb);
        format_set_bold(bold);

        // Record field shown in each column; -1 the fee.
        const int fields[] = {TypeCode,         DestPostcode,     DestPostOfficeName,
                              RecipientName,    RecipientAddress, DepositorName,
                              DepositorAddress, Amount,           -1};
        const QStringList heads{u"ประเภท"_s, u"รหัสไปรษณีย์"_s, u"ที่ทำการไปรษณีย์"_s, u"ชื่อผู้รับ"_s,     u"ที่อยู่ผู้รับ"_s,
                                u"ชื่อผู้ฝาก"_s, u"ที่อยู่ผู้ฝาก"_s,   u"จำนวนเงิน"_s,     u"ค่าธรรมเนียม"_s};
        for (int c = 0; c < heads.size(); ++c)
            worksheet_write_string(sheet, 0, lxw_col_t(c), heads[c].toUtf8().constData(), bold);

        double totalAmount = 0, totalFee = 0;
        lxw_row_t row = 1;
        for (const QString &line : recordLines) {
            const MoneyOrderRecord r = SplitRecord(line);
            const double amount = toNumber(r[Amount]).value_or(0);
            const double fee = ComputeFee(rates, r[TypeCode], r[Amount]);
            totalAmount += amount;
            totalFee += fee;
            for (int c = 0; c < 9; ++c) {
                if (fields[c] == Amount)
                    worksheet_write_number(sheet, row, lxw_col_t(c), amount, money);
                else if (fields[c] < 0)
                    worksheet_write_number(sheet, row, lxw_col_t(c), fee, money);
                else
                    worksheet_write_string(sheet, row, lxw_col_t(c), r[fields[c]].toUtf8().constData(), nullptr);
            }
            ++row;
        }
        worksheet_write_string(sheet, row, 0, "รวม", bold);
        worksheet_write_number(sheet, row, 7, totalAmount, money);
        worksheet_write_number(sheet, row, 8, totalFee, money);
    });
}

bool WriteImportTemplate(const QString &path, const RateTable &rates, const CodeNameTable &types, QString *error)
{
    return writeXlsx(path, error, [&](lxw_workbook *wb) {
        lxw_worksheet *sheet = workbook_add_worksheet(wb, "รายการ");
        lxw_format *bold = workbook_add_format(wb);
        format_set_bold(bold);
        lxw_format *text = workbook_add_format(wb);
        format_set_num_format(text, "@");
        lxw_format *money = workbook_add_format(wb);
        format_set_num_format(money, "#,##0.00");
        const QList<TemplateColumn> columns = ImportTemplateColumns();
        for (int c = 0; c < columns.size(); ++c) {
            worksheet_write_string(sheet, 0, lxw_col_t(c), columns[c].heading.toUtf8().constData(), bold);
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                 c == 0 || c == 1 ? 14
                                 : c == 6         ? 16
                                                  : 30,
                                 c == 1   ? text
                                 : c == 6 ? money
                                          : nullptr);
        }
        worksheet_freeze_panes(sheet, 1, 0);
        constexpr lxw_row_t kLastRow = 50000;
        // The library copies what a validation says when it is added.
        QList<QByteArray> keep;
        auto owned = [&keep](const QString &s) {
            keep << s.toUtf8();
            return const_cast<char *>(keep.last().constData());
        };

        // The type: a list of the codes mo.txt offers.
        QList<QByteArray> codes;
        for (const QString &code : types.codes)
            if (!code.trimmed().isEmpty())
                codes << code.trimmed().toUtf8();
        std::vector<char *> list;
        for (QByteArray &c : codes)
            list.push_back(c.data());
        list.push_back(nullptr);
        lxw_data_validation type{};
        type.validate = LXW_VALIDATION_TYPE_LIST;
        type.value_list = list.data();
        type.input_title = owned(u"ประเภทธนาณัติ"_s);
        type.input_message = owned(u"เลือกรหัสประเภทจากรายการ"_s);
        type.error_title = owned(u"ประเภทไม่ถูกต้อง"_s);
        type.error_message = owned(u"ไม่มี ธนาณัติประเภทนี้"_s);
        if (codes.size() > 0)
            worksheet_data_validation_range(sheet, 1, 0, kLastRow, 0, &type);

        // The postcode: five characters (digits, said in the message).
        lxw_data_validation postcode{};
        postcode.validate = LXW_VALIDATION_TYPE_LENGTH;
        postcode.criteria = LXW_VALIDATION_CRITERIA_EQUAL_TO;
        postcode.value_number = 5;
        postcode.input_title = owned(u"รหัสไปรษณีย์ปลายทาง"_s);
        postcode.input_message = owned(u"ตัวเลข 5 หลัก เว้นว่างสำหรับประเภท 112"_s);
        postcode.error_title = owned(u"รหัสไปรษณีย์ไม่ถูกต้อง"_s);
        postcode.error_message = owned(u"ความยาวรหัสไปรษณีย์ไม่เท่ากับ 5 หลัก"_s);
        worksheet_data_validation_range(sheet, 1, 1, kLastRow, 1, &postcode);

        // The amount: a number within what the rates allow for some type.
        double least = 0, most = 0;
        bool any = false;
        for (int i = 0; i < rates.rowCount; ++i) {
            const auto lo = toNumber(rates.rows[i].MinAmount), hi = toNumber(rates.rows[i].MaxAmount);
            if (!lo || !hi)
                continue;
            least = any ? std::min(least, *lo) : *lo;
            most = any ? std::max(most, *hi) : *hi;
            any = true;
        }
        if (any) {
            lxw_data_validation amount{};
            amount.validate = LXW_VALIDATION_TYPE_DECIMAL;
            amount.criteria = LXW_VALIDATION_CRITERIA_BETWEEN;
            amount.minimum_number = least + 0.01;
            amount.maximum_number = most;
            amount.input_title = owned(u"จำนวนเงิน (บาท)"_s);
            amount.input_message = owned(u"ตัวเลข มากกว่า "_s + formatGrouped(least) + u" และไม่เกิน "_s
                                         + formatGrouped(most) + u" บาท ตามประเภท"_s);
            amount.error_title = owned(u"จำนวนเงินไม่ถูกต้อง"_s);
            amount.error_message = owned(u"จำนวนเงินต้องเป็นตัวเลขภายในวงเงินของประเภท"_s);
            worksheet_data_validation_range(sheet, 1, 6, kLastRow, 6, &amount);
        }

        // What each column holds, in Thai, on a sheet of its own.
        lxw_worksheet *help = workbook_add_worksheet(wb, "คำอธิบาย");
        const QStringList heads{u"คอลัมน์"_s, u"ต้องมี"_s, u"ความหมาย"_s, u"ตัวอย่าง"_s};
        for (int c = 0; c < heads.size(); ++c)
            worksheet_write_string(help, 0, lxw_col_t(c), heads[c].toUtf8().constData(), bold);
        worksheet_set_column(help, 0, 0, 18, nullptr);
        worksheet_set_column(help, 1, 1, 8, nullptr);
        worksheet_set_column(help, 2, 2, 70, nullptr);
        worksheet_set_column(help, 3, 3, 24, nullptr);
        for (int c = 0; c < columns.size(); ++c) {
            const TemplateColumn &col = columns[c];
            const QStringList cells{col.heading, col.required ? u"ต้องมี"_s : QString(), col.meaning, col.example};
            for (int k = 0; k < cells.size(); ++k)
                worksheet_write_string(help, lxw_row_t(c + 1), lxw_col_t(k), cells[k].toUtf8().constData(), nullptr);
        }
        lxw_row_t row = lxw_row_t(columns.size() + 2);
        worksheet_write_string(help, row++, 0, "ประเภทธนาณัติ", bold);
        for (int i = 0; i < types.codes.size() && i < types.names.size(); ++i, ++row) {
            worksheet_write_string(help, row, 0, types.codes[i].toUtf8().constData(), nullptr);
            worksheet_write_string(help, row, 2, types.names[i].toUtf8().constData(), nullptr);
        }
    });
}

QList<TemplateColumn> ImportTemplateColumns()
{
    return {
        {u"ประเภท"_s, true, u"รหัสประเภทธนาณัติ 3 หลัก เลือกจากรายการ (ดูรายการประเภทด้านล่าง)"_s, u"101"_s},
        {u"รหัสไปรษณีย์"_s, true, u"รหัสไปรษณีย์ของที่ทำการปลายทาง 5 หลัก เว้นว่างได้เฉพาะประเภท 112"_s, u"10100"_s},
        {u"ชื่อผู้รับ"_s, true, u"ชื่อและนามสกุลผู้รับเงิน ห้ามมีเครื่องหมาย | และ ;"_s, u"นายสมชาย ใจดี"_s},
        {u"ที่อยู่ผู้รับ"_s, true, u"ที่อยู่ของผู้รับเงิน ห้ามมีเครื่องหมาย | และ ;"_s, u"12 ถนนหลวง"_s},
        {u"ชื่อผู้ฝาก"_s, false, u"เว้นว่างได้ ใช้ชื่อผู้ฝากที่บันทึกไว้ในโปรแกรม"_s, u"บริษัท ตัวอย่าง จำกัด"_s},
        {u"ที่อยู่ผู้ฝาก"_s, false, u"เว้นว่างได้ ใช้ที่อยู่ผู้ฝากที่บันทึกไว้ในโปรแกรม"_s, u"99 ถนนสุขุมวิท"_s},
        {u"จำนวนเงิน"_s, true, u"จำนวนเงินเป็นบาท ตัวเลขเท่านั้น ภายในวงเงินของประเภท"_s, u"1250.50"_s},
    };
}

}  // namespace vorlane
