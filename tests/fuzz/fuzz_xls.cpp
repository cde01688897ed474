// Excel 97-2003 workbooks: any bytes under an .xls name read to cells or to a message,
// within the limits, and the cells go through the import without failing.
#include "fuzz_sheet.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::scratchFile(fuzz::bytesOf(data, size), "orders.xls");
    fuzz::checkSheet(ReadXls(path));
    fuzz::checkSheet(ReadSheetFile(path));
    return 0;
}
