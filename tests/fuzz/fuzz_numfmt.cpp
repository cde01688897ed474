// Workbook number formats: any format code (UTF-8) shows any value without failing, and a
// code shows a text of bounded size. The first line is the value, the rest the code.
#include "fuzz_support.h"
#include "importer/numberformat.h"

#include <cstring>

using namespace vorlane;

namespace {

void check(const QString &value, const QString &code)
{
    const QString shown = shownNumber(value, code);
    // A name or a number a token at most, and the code's own text.
    FUZZ_CHECK(shown.size() <= 40 * (code.size() + 1) + value.size() + 400);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
    const qsizetype newline = text.indexOf(u'\n');
    const QString value = newline < 0 ? QString() : text.left(newline);
    const QString code = newline < 0 ? text : text.mid(newline + 1);
    check(value, code);
    // The same code over values at the edges: day 0, negatives, fractions, far dates.
    for (const char *v :
         {"0", "-0.25", "0.999999", "46364.5730324074", "60", "2958465.9999999", "9999999", "1e7", "nan"})
        check(QString::fromLatin1(v), code);
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        check(QString::number(d, 'g', 17), code);
    }
    return 0;
}
