#include "records/codec.h"

#include "records/largepages.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <mutex>

namespace vorlane::cp874 {
namespace {

// Qt hands "windows-874" to ICU, which decodes every byte (the undefined ones as C1
// controls or private-use characters) and encodes them back unchanged. The two tables
// are built once from that converter so decoding and encoding are plain lookups.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    // Reverse map over the Basic Multilingual Plane; 0 means "not in the code page"
    // except for U+0000 itself, handled separately.
    std::array<unsigned char, 65536> fromUnicode{};
    std::array<bool, 65536> present{};
};

const Tables &tables()
{
    static Tables t;
    static std::once_flag once;
    std::call_once(once, [] {
        QStringDecoder dec("windows-874", QStringDecoder::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = dec.decode(QByteArrayView(&byte, 1));
            char16_t u = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
            // Should a converter ever merge two bytes or give up on one, keep the byte
            // anyway under a private-use character of its own.
            if (u == 0xFFFD || t.present[u])
                u = char16_t(0xF700 + b);
            t.toUnicode[b] = u;
            t.present[u] = true;
            t.fromUnicode[u] = static_cast<unsigned char>(b);
        }
    });
    return t;
}

}  // namespace

QString decode(QByteArrayView bytes, qsizetype room)
{
    const Tables &t = tables();
    QString out;
    out.reserve(bytes.size() + room);
    platform::AdviseLargePages(out.constData(), size_t(out.capacity()) * sizeof(QChar));
    out.resize(bytes.size());
    QChar *d = out.data();
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(t.toUnicode[s[i]]);
    return out;
}

bool canEncode(QStringView text, qsizetype *pos)
{
    const Tables &t = tables();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!t.present[text[i].unicode()]) {
            if (pos)
                *pos = i;
            return false;
        }
    }
    return true;
}

EncodeResult encode(QStringView text)
{
    const Tables &t = tables();
    EncodeResult r;
    r.bytes.resize(text.size());
    char *d = r.bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (!t.present[u]) {
            r.ok = false;
            r.errorPos = i;
            // Report the whole character, not half of a surrogate pair.
            if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                r.badChar = QChar::surrogateToUcs4(u, text[i + 1].unicode());
            else
                r.badChar = u;
            r.bytes.clear();
            return r;
        }
        d[i] = char(t.fromUnicode[u]);
    }
    return r;
}

}  // namespace vorlane::cp874
