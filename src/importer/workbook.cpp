#include "importer/workbook.h"

#include "records/fee.h"
#include "records/fileio.h"
#include "records/numbers.h"
#include "records/recordline.h"

#include <QFile>

#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace vorlane {

namespace {
// Far above any batch's workbook; only a runaway write reaches it.
constexpr qint64 kMaxWorkbookBytes = qint64(1) << 31;
} // namespace

bool WriteWorkbook(const QString &path, const QStringList &recordLines, const RateTable &rates, QString *error)
{
    // The library writes a file of its own; it is built beside the target under a save's
    // temporary name and then saved as any other file of the program, so a failure leaves
    // the old one whole, and what a killed export leaves the next save of that name removes.
    RemoveSaveLeftovers(path);
    const QString tempPath = TemporaryNameBeside(path);
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
    lxw_worksheet *sheet = workbook_add_worksheet(wb, nullptr);
    lxw_format *money = workbook_add_format(wb);
    format_set_num_format(money, "#,##0.00");
    lxw_format *bold = workbook_add_format(wb);
    format_set_bold(bold);

    // Record field shown in each column; -1 the fee.
    const int fields[] = {TypeCode, DestPostcode, DestPostOfficeName, RecipientName, RecipientAddress,
                          DepositorName, DepositorAddress, Amount, -1};
    const QStringList heads{u"ประเภท"_s, u"รหัสไปรษณีย์"_s, u"ที่ทำการไปรษณีย์"_s, u"ชื่อผู้รับ"_s, u"ที่อยู่ผู้รับ"_s,
                            u"ชื่อผู้ฝาก"_s, u"ที่อยู่ผู้ฝาก"_s, u"จำนวนเงิน"_s, u"ค่าธรรมเนียม"_s};
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

} // namespace vorlane
