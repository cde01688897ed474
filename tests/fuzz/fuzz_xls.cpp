// Excel 97-2003 workbooks: any bytes under an .xls name read to cells or to a message,
// within the limits, and the cells go through the import without failing. The helper
// program's output is read back whatever it holds, and hands over any sheet unchanged.
#include "fuzz_sheet.h"

using namespace vorlane;

namespace {

QList<QStringList> withoutTrailingEmptyCells(QList<QStringList> rows)
{
    for (QStringList &row : rows)
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::scratchFile(bytes, "orders.xls");
    fuzz::checkSheet(ReadSheetFile(path));
    // The formula results are read by this program's own code: any bytes give values or
    // none, within the cell limits.
    if (const auto formulas = XlsFormulaResults(bytes, int(size % 3)))
        FUZZ_CHECK(formulas->size() <= kMaxSheetCells);
    // Whatever a helper that went wrong might write.
    fuzz::checkSheet(XlsTakeover(bytes, path));
    const Sheet cells = ReadCsv(bytes);
    if (cells.ok()) {
        const Sheet back = XlsTakeover(XlsHandover(cells), path);
        FUZZ_CHECK(back.ok());
        FUZZ_CHECK(withoutTrailingEmptyCells(back.rows) == withoutTrailingEmptyCells(cells.rows));
    }
    return 0;
}
