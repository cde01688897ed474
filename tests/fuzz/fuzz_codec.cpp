// Code page 874: every byte string decodes and encodes back to itself; any text either
// encodes exactly or is refused at its first character the code page cannot hold.
#include "fuzz_support.h"
#include "records/codec.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString text = cp874::decode(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(cp874::canEncode(text));
    const cp874::EncodeResult back = cp874::encode(text);
    FUZZ_CHECK(back.ok);
    FUZZ_CHECK(back.bytes == bytes);

    // The same bytes read as UTF-16: mostly characters outside the code page.
    const QString any(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
    const cp874::EncodeResult e = cp874::encode(any);
    qsizetype pos = -7;
    FUZZ_CHECK(cp874::canEncode(any, &pos) == e.ok);
    if (e.ok) {
        FUZZ_CHECK(pos == -7);
        FUZZ_CHECK(e.bytes.size() == any.size());
        FUZZ_CHECK(cp874::decode(e.bytes) == any);
    } else {
        FUZZ_CHECK(e.bytes.isEmpty());
        FUZZ_CHECK(pos == e.errorPos);
        FUZZ_CHECK(e.errorPos >= 0 && e.errorPos < any.size());
        FUZZ_CHECK(cp874::canEncode(QStringView(any).left(e.errorPos)));
        FUZZ_CHECK(!cp874::canEncode(QStringView(any).mid(e.errorPos, 1)));
        const char16_t u = any[e.errorPos].unicode();
        if (QChar::isHighSurrogate(u) && e.errorPos + 1 < any.size() && any[e.errorPos + 1].isLowSurrogate())
            FUZZ_CHECK(e.badChar == QChar::surrogateToUcs4(u, any[e.errorPos + 1].unicode()));
        else
            FUZZ_CHECK(e.badChar == u);
    }
    return 0;
}
