#include "records/journalformat.h"

#include <QFile>

namespace vorlane::journalformat {

// One change a line: an operation letter, then tab-separated fields. Record lines never
// hold line ends, but a pasted tab or backslash must not break the format.
QString escape(const QString &s)
{
    // Nearly every line has none of them: no copy then.
    bool plain = true;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        plain &= u != u'\\' && (u > u'\r' || (u != u'\t' && u != u'\n' && u != u'\r'));
    }
    if (plain)
        return s;
    QString out;
    out.reserve(s.size() + 8);
    for (QChar c : s) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// escape(s).toUtf8() appended to `out`, in one pass without a copy of the line: opening a
// batch of a hundred thousand Thai lines writes them all. A line with a surrogate goes
// the long way, so the bytes are always exactly those.
void appendEscapedUtf8(QByteArray &out, const QString &s)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(s.constData());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] >= 0xD800 && p[i] <= 0xDFFF) {
            out += escape(s).toUtf8();
            return;
        }
    }
    const qsizetype at = out.size();
    out.resize(at + 3 * n);
    char *d = out.data() + at;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x80) {
            switch (c) {
            case u'\\': *d++ = '\\', *d++ = '\\'; break;
            case u'\t': *d++ = '\\', *d++ = 't'; break;
            case u'\n': *d++ = '\\', *d++ = 'n'; break;
            case u'\r': *d++ = '\\', *d++ = 'r'; break;
            default: *d++ = char(c);
            }
        } else if (c < 0x800) {
            *d++ = char(0xC0 | (c >> 6));
            *d++ = char(0x80 | (c & 0x3F));
        } else {
            *d++ = char(0xE0 | (c >> 12));
            *d++ = char(0x80 | ((c >> 6) & 0x3F));
            *d++ = char(0x80 | (c & 0x3F));
        }
    }
    out.resize(d - out.constData());
}

QString unescape(QStringView s)
{
    if (!s.contains(u'\\'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar n = s[++i];
            out += n == u't' ? QChar(u'\t') : n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

qint64 copyBytes(QStringView line)
{
    qint64 n = 3;
    for (const QChar c : line)
        n += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    return n;
}

QByteArray change(char op, qsizetype index, const QString &text)
{
    QByteArray out;
    out += op;
    if (index >= 0)
        out += '\t' + QByteArray::number(index);
    if (!text.isNull()) {
        out += '\t';
        appendEscapedUtf8(out, text);
    }
    out += '\n';
    return out;
}

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

}  // namespace vorlane::journalformat
