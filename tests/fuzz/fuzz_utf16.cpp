// UTF-16 text (Excel's "Unicode Text"): any code units, with either mark, read to the same
// cells as the same text in UTF-8; and whatever text a cell brings, the record gate either
// refuses it or admits a field a data file holds on one line.
#include "fuzz_sheet.h"
#include "records/codec.h"
#include "records/recordgate.h"

#include <QStringDecoder>

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool littleEndian = data[0] & 1;
    const QByteArray units = fuzz::bytesOf(data + 1, (size - 1) & ~std::size_t(1));
    const QByteArray bytes = (littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF")) + units;
    const Sheet sheet = ReadCsv(bytes);
    fuzz::checkSheet(sheet);

    QStringDecoder decode(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                          QStringDecoder::Flag::Stateless);
    const QString text = decode(units);
    const Sheet asUtf8 = ReadCsv(text.toUtf8());
    FUZZ_CHECK(sheet.error == asUtf8.error);
    FUZZ_CHECK(sheet.rows == asUtf8.rows);

    MoneyOrderRecord r;
    for (int k = 0; k < kFieldCount; ++k)
        r[k] = text.mid(k * 8, 40);
    const GateVerdict v = AdmitRecord(r);
    if (v.admitted()) {
        const QString line = RecordLine(v.record);
        FUZZ_CHECK(line.count(u'|') == kFieldCount);
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(cp874::encode(line).ok);
        for (int k = 0; k < kFieldCount; ++k)
            FUZZ_CHECK(v.record[k].size() <= kMaxFieldChars);
    } else {
        FUZZ_CHECK(v.field >= 0 && v.field < kFieldCount);
    }
    return 0;
}
