// XLSX: any bytes read to cells or to a message, within the limits, and the cells go
// through the import without failing.
#include "fuzz_sheet.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::checkSheet(ReadXlsx(fuzz::bytesOf(data, size)));
    return 0;
}
