// Excel 97-2003 workbooks (.xls): the first sheet's cells through Debian's libfreexl,
// which reads the old binary format only and never runs what a file holds.
#include "importer/numberformat.h"
#include "importer/sheet.h"

#include <QFile>

#include <freexl.h>

using namespace Qt::StringLiterals;

namespace vorlane {

Sheet ReadXls(const QString &path, int sheetIndex)
{
    Sheet sheet;
    const QString unreadable = u"อ่านแฟ้ม Excel 97-2003 (.xls) นี้ไม่ได้ : "_s + path;
    const void *handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        sheet.error = unreadable;
        return sheet;
    }
    struct Close {
        const void *h;
        ~Close() { freexl_close(h); }
    } close{handle};

    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        sheet.error = u"แฟ้มนี้ตั้งรหัสผ่านไว้ กรุณาเอารหัสผ่านออกแล้วบันทึกอีกครั้ง : "_s + path;
        return sheet;
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) == FREEXL_OK)
        sheet.sheetCount = int(count);
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (sheetIndex < 0 || unsigned(sheetIndex) >= count
        || freexl_select_active_worksheet(handle, (unsigned short)sheetIndex) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
        sheet.error = unreadable;
        return sheet;
    }
    if (qint64(rows) * cols > kMaxSheetCells) {
        sheet.error = u"แฟ้มมีข้อมูลมากเกินไป"_s;
        return sheet;
    }
    sheet.emptyCellHint = u" (ถ้าเซลล์นี้เป็นสูตร: อ่านผลของสูตรจากแฟ้ม .xls ไม่ได้ กรุณาบันทึกแฟ้มเป็น .xlsx แล้วนำเข้าอีกครั้ง)"_s;
    sheet.rows.reserve(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(cols);
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue cell{};
            QString text;
            if (freexl_get_cell_value(handle, r, c, &cell) == FREEXL_OK) {
                switch (cell.type) {
                case FREEXL_CELL_INT: text = QString::number(cell.value.int_value); break;
                case FREEXL_CELL_DOUBLE: text = plainNumber(QString::number(cell.value.double_value, 'g', 17)); break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    if (cell.value.text_value)
                        text = QString::fromUtf8(cell.value.text_value);
                    break;
                default: break;
                }
            }
            row.append(text);
        }
        // Trailing empty cells are not part of the row, as the other readers give it.
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
        sheet.rows.append(std::move(row));
    }
    return sheet;
}

} // namespace vorlane
