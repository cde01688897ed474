#pragma once
// The property every spreadsheet reader keeps: cells within the limits or a message, and
// whatever it read goes through the import without failing.
#include "fuzz_support.h"
#include "importer/sheet.h"

namespace vorlane::fuzz {

inline void checkSheet(const Sheet &sheet)
{
    qint64 cells = 0;
    for (const QStringList &row : sheet.rows)
        cells += row.size();
    FUZZ_CHECK(cells <= kMaxSheetCells);
    FUZZ_CHECK(sheet.ok() || sheet.rows.isEmpty() || !sheet.error.isEmpty());
    if (sheet.ok()) {
        const ImportResult r = ImportSheet(sheet, {}, ReferenceTables{});
        FUZZ_CHECK(r.ok() || r.rows.isEmpty());
    }
}

}  // namespace vorlane::fuzz
