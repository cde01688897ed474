#include "records/uppertext.h"

#include "records/codec.h"
#include "records/largepages.h"

#include <algorithm>
#include <cstring>

namespace vorlane {

namespace {

unsigned char narrowUnit(char16_t c, unsigned char other)
{
    if (c == u'\n')
        return other;
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c >= 0x0E00 && c < 0x0E7F)
        return static_cast<unsigned char>(0x80 + (c - 0x0E00));
    return other;
}

// The byte the copy holds for the upper case of each UTF-16 unit, kSlow where that upper
// case is not one unit for one (a surrogate, or a letter whose upper case is longer, like
// "ß"): most lines need no upper-cased string.
struct UpperTable {
    static constexpr quint16 kSlow = 0x100;
    std::array<quint16, 65536> narrowed{};
    explicit UpperTable(unsigned char other)
    {
        narrowed[0] = kSlow;
        for (int c = 1; c < 65536; ++c) {
            narrowed[size_t(c)] = kSlow;
            const QChar ch{char16_t(c)};
            if (ch.isSurrogate())
                continue;
            const QString up = QString(ch).toUpper();
            if (up.size() == 1)
                narrowed[size_t(c)] = narrowUnit(up.at(0).unicode(), other);
        }
    }
};

const UpperTable &upperTable()
{
    static const UpperTable table(UpperText::kOther);
    return table;
}

// The same for each byte of the code page: the copy of a file's line is made from its
// bytes without decoding them first.
struct ByteUpperTable {
    std::array<quint16, 256> narrowed{};
    ByteUpperTable()
    {
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QString decoded = cp874::decode(QByteArrayView(&c, 1));
            narrowed[size_t(b)] = decoded.size() == 1 ? upperTable().narrowed[decoded.at(0).unicode()]
                                                      : UpperTable::kSlow;
        }
    }
};

}  // namespace

unsigned char UpperText::narrow(char16_t c) { return narrowUnit(c, kOther); }

void UpperText::appendLine(QByteArray &out, QStringView line)
{
    const UpperTable &table = upperTable();
    const qsizetype at = out.size();
    out.resize(at + line.size() + 1);
    char *d = out.data() + at;
    const char16_t *l = line.utf16();
    qsizetype i = 0;
    for (; i < line.size(); ++i) {
        const quint16 b = table.narrowed[l[i]];
        if (b == UpperTable::kSlow)
            break;
        d[i] = char(b);
    }
    if (i == line.size()) {
        d[i] = kEnd;
        return;
    }
    const QString up = line.toString().toUpper();
    out.resize(at + up.size() + 1);
    d = out.data() + at;
    const auto *s = reinterpret_cast<const char16_t *>(up.constData());
    for (qsizetype k = 0; k < up.size(); ++k)
        d[k] = char(narrow(s[k]));
    d[up.size()] = kEnd;
}

QByteArray UpperText::encodeLine(QStringView line)
{
    QByteArray b;
    appendLine(b, line);
    return b;
}

void UpperText::tally(const QByteArray &bytes, int sign)
{
    for (const char c : bytes)
        m_freq[static_cast<unsigned char>(c)] += sign;
}

UpperText::UpperText(const QStringList &lines)
{
    m_start.reserve(size_t(lines.size()) + 1);
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 1;
    m_text.reserve(size + size / 16);
    for (const QString &l : lines) {
        m_start.push_back(m_text.size());
        appendLine(m_text, l);
    }
    m_start.push_back(m_text.size());
    tally(m_text, 1);
}

UpperText::UpperText(const LineBlock &lines)
{
    m_start.reserve(lines.spans.size() + 1);
    qsizetype size = 0;
    for (const LineSpan &l : lines.spans)
        size += l.size + 1;
    m_text.reserve(size + size / 16);
    platform::AdviseLargePages(m_text.constData(), size_t(m_text.capacity()));
    for (size_t i = 0; i < lines.spans.size(); ++i) {
        m_start.push_back(m_text.size());
        appendLine(m_text, lines.line(i));
    }
    m_start.push_back(m_text.size());
    tally(m_text, 1);
}

UpperText::UpperText(QByteArrayView raw, const LineSpans &spans)
{
    static const ByteUpperTable table;
    m_start.reserve(spans.size() + 1);
    qsizetype size = 0;
    for (const LineSpan &l : spans)
        size += l.size + 1;
    m_text.reserve(size + size / 16);
    platform::AdviseLargePages(m_text.constData(), size_t(m_text.capacity()));
    for (const LineSpan &l : spans) {
        const qsizetype at = m_text.size();
        m_start.push_back(at);
        m_text.resize(at + l.size + 1);
        char *d = m_text.data() + at;
        const auto *b = reinterpret_cast<const unsigned char *>(raw.data() + l.from);
        qsizetype i = 0;
        for (; i < l.size; ++i) {
            const quint16 n = table.narrowed[b[i]];
            if (n == UpperTable::kSlow)
                break;
            d[i] = char(n);
        }
        if (i == l.size) {
            d[i] = kEnd;
        } else {
            m_text.truncate(at);
            appendLine(m_text, cp874::decode(raw.sliced(l.from, l.size)));
        }
    }
    m_start.push_back(m_text.size());
    tally(m_text, 1);
}

void UpperText::set(qsizetype i, const QString &line)
{
    if (i < 0 || i >= count())
        return;
    const QByteArray b = encodeLine(line);
    const qsizetype from = m_start[size_t(i)], len = m_start[size_t(i) + 1] - from;
    tally(m_text.sliced(from, len), -1);
    tally(b, 1);
    m_text.replace(from, len, b);
    const qsizetype shift = b.size() - len;
    if (shift != 0)
        for (size_t k = size_t(i) + 1; k < m_start.size(); ++k)
            m_start[k] += shift;
}

void UpperText::insert(qsizetype i, const QString &line)
{
    i = std::clamp<qsizetype>(i, 0, count());
    const QByteArray b = encodeLine(line);
    tally(b, 1);
    const qsizetype at = m_start[size_t(i)];
    m_text.insert(at, b);
    m_start.insert(m_start.begin() + i, at);
    for (size_t k = size_t(i) + 1; k < m_start.size(); ++k)
        m_start[k] += b.size();
}

void UpperText::remove(qsizetype i)
{
    if (i < 0 || i >= count())
        return;
    const qsizetype from = m_start[size_t(i)], len = m_start[size_t(i) + 1] - from;
    tally(m_text.sliced(from, len), -1);
    m_text.remove(from, len);
    m_start.erase(m_start.begin() + i);
    for (size_t k = size_t(i); k < m_start.size(); ++k)
        m_start[k] -= len;
}

qsizetype UpperText::find(QStringView upperNeedle, const std::function<bool(qsizetype)> &contains) const
{
    const qsizetype n = count(), m = upperNeedle.size();
    if (n == 0)
        return -1;
    if (m == 0)
        return 0;
    QByteArray needle(m, Qt::Uninitialized);
    bool exact = true;  // no character of the needle stands for several
    for (qsizetype k = 0; k < m; ++k) {
        needle[k] = char(narrow(upperNeedle[k].unicode()));
        exact = exact && static_cast<unsigned char>(needle[k]) != kOther;
    }
    // Look for the needle's rarest byte with memchr and compare around each hit. The
    // needle holds no kEnd, so a hit never runs across two lines.
    qsizetype r = 0;
    for (qsizetype k = 1; k < m; ++k)
        if (m_freq[static_cast<unsigned char>(needle[k])] < m_freq[static_cast<unsigned char>(needle[r])])
            r = k;
    const char *t = m_text.constData();
    const qsizetype size = m_text.size();
    const char rare = needle[r];
    qsizetype pos = r;  // where the rare byte may next be
    while (pos < size) {
        const auto *hit = static_cast<const char *>(std::memchr(t + pos, rare, size_t(size - pos)));
        if (!hit)
            break;
        const qsizetype s = (hit - t) - r;
        pos = (hit - t) + 1;
        if (s + m > size || std::memcmp(t + s, needle.constData(), size_t(m)) != 0)
            continue;
        const qsizetype line = qsizetype(std::upper_bound(m_start.begin(), m_start.end(), s) - m_start.begin()) - 1;
        if (exact || contains(line))
            return line;
        // That line is decided: go on after it.
        pos = std::max(pos, m_start[size_t(line) + 1] + r);
    }
    return -1;
}

}  // namespace vorlane
