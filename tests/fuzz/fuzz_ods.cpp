// ODS: any bytes read to cells or to a message, within the limits, and the cells go
// through the import without failing.
#include "fuzz_support.h"
#include "importer/sheet.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Sheet sheet = ReadOds(fuzz::bytesOf(data, size));
    qint64 cells = 0;
    for (const QStringList &row : sheet.rows)
        cells += row.size();
    FUZZ_CHECK(cells <= kMaxSheetCells);
    FUZZ_CHECK(sheet.ok() || sheet.rows.isEmpty() || !sheet.error.isEmpty());
    if (sheet.ok()) {
        const ImportResult r = ImportSheet(sheet, {}, ReferenceTables{});
        FUZZ_CHECK(r.ok() || r.rows.isEmpty());
    }
    return 0;
}
