#include "report/qt/pdftextlayer.h"

#include <cstring>

namespace vorlane {

namespace {

// What the fonts' shifted forms stand for, in the order of the legacy code points: the
// consonants without descender, the vowels and marks moved left, the tone marks lowered.
constexpr char16_t kLegacyThai[] = {0x0E10, 0x0E34, 0x0E35, 0x0E36, 0x0E37, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B,
                                    0x0E4C, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E0D, 0x0E31, 0x0E4D,
                                    0x0E47, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E38, 0x0E39, 0x0E3A};
constexpr char16_t kFirstLegacy = 0xF700;
constexpr char16_t kLastLegacy = 0xF71A;

constexpr QByteArrayView kMapBegins = "begincmap";
constexpr QByteArrayView kMapEnds = "endcmap";
// A marker split between two writes is found once the next one arrives.
constexpr qsizetype kKeep = 16;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "<F70A>" → "<0E48>" wherever it stands in the map text, in place.
void mendCodes(char *p, qsizetype n)
{
    static const char digits[] = "0123456789ABCDEF";
    for (qsizetype i = 0; i + 5 < n; ++i) {
        if (p[i] != '<' || p[i + 5] != '>')
            continue;
        int v = 0;
        bool hex = true;
        for (int k = 1; k <= 4 && hex; ++k) {
            const int d = hexValue(p[i + k]);
            hex = d >= 0;
            v = v * 16 + d;
        }
        if (!hex)
            continue;
        unsigned letter = ThaiLetterOfLegacyCode(char16_t(v));
        if (letter == unsigned(v))
            continue;
        for (int k = 4; k >= 1; --k) {
            p[i + k] = digits[letter & 0xF];
            letter >>= 4;
        }
    }
}

}  // namespace

char16_t ThaiLetterOfLegacyCode(char16_t code)
{
    if (code < kFirstLegacy || code > kLastLegacy)
        return code;
    return kLegacyThai[code - kFirstLegacy];
}

PdfTextLayerFilter::PdfTextLayerFilter(QIODevice *target) : m_target(target)
{
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

PdfTextLayerFilter::~PdfTextLayerFilter() = default;

bool PdfTextLayerFilter::pass(qsizetype upTo)
{
    if (upTo <= 0)
        return true;
    if (m_target->write(m_held.constData(), upTo) != upTo)
        m_failed = true;
    m_held.remove(0, upTo);
    return !m_failed;
}

qint64 PdfTextLayerFilter::writeData(const char *data, qint64 size)
{
    if (m_failed)
        return -1;
    m_held.append(data, qsizetype(size));
    for (;;) {
        if (!m_inMap) {
            const qsizetype at = m_held.indexOf(kMapBegins);
            if (at < 0) {
                if (!pass(m_held.size() - kKeep))
                    return -1;
                return size;
            }
            if (!pass(at + kMapBegins.size()))
                return -1;
            m_inMap = true;
            continue;
        }
        const qsizetype end = m_held.indexOf(kMapEnds);
        if (end < 0)
            return size;  // a map is a few kilobytes: held whole until its end
        mendCodes(m_held.data(), end);
        if (!pass(end + kMapEnds.size()))
            return -1;
        m_inMap = false;
    }
}

bool PdfTextLayerFilter::finish()
{
    if (m_failed)
        return false;
    if (m_inMap)
        mendCodes(m_held.data(), m_held.size());
    return pass(m_held.size());
}

}  // namespace vorlane
