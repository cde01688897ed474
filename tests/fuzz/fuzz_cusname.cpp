// "cusname.txt": any file reads without failing, and what was read writes and reads back unchanged.
#include "fuzz_support.h"
#include "records/cusname.h"
#include "records/tables.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::scratchFile(fuzz::bytesOf(data, size), "cusname.txt");
    const auto details = ReadCusname(path);
    const auto lines = ReadTableLines(path);
    FUZZ_CHECK(lines.has_value());
    FUZZ_CHECK(details.has_value() == !lines->isEmpty());
    if (!details)
        return 0;
    // Everything decoded from code page 874 can be written in it.
    const QString back = fuzz::scratchFile(QByteArray(), "written.txt");
    FUZZ_CHECK(WriteCusname(back, *details));
    const auto again = ReadCusname(back);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->name == details->name);
    FUZZ_CHECK(again->address == details->address);
    return 0;
}
