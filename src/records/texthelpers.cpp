#include "records/texthelpers.h"

namespace vorlane {

QStringView trimmedBlanks(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.sliced(b, e - b);
}

QString trimBlanks(QStringView text) { return trimmedBlanks(text).toString(); }

QStringView trimLeadingBlanks(QStringView text)
{
    qsizetype b = 0;
    while (b < text.size() && text[b] == u' ')
        ++b;
    return text.sliced(b);
}

bool isBlank(QStringView text) { return trimmedBlanks(text).isEmpty(); }

// The lists are whole tables (about a thousand post offices), looked up twice for every
// imported row: the codes are short, so they are compared inline, character by character.
// An entry as long as the text equals it only as it stands; a longer one only with blanks
// around.
int indexOfTrimmed(const QStringList &list, QStringView text)
{
    const QStringView t = trimmedBlanks(text);
    const qsizetype n = t.size();
    for (int i = 0; i < list.size(); ++i) {
        const QString &entry = list[i];
        const qsizetype size = entry.size();
        if (size == n) {
            const QChar *e = entry.constData();
            qsizetype k = 0;
            while (k < n && e[k] == t[k])
                ++k;
            if (k == n)
                return i;
        } else if (size > n && (entry.front() == u' ' || entry.back() == u' ') && trimmedBlanks(entry) == t) {
            return i;
        }
    }
    return -1;
}

QStringView trimWhiteSpace(QStringView text) { return text.trimmed(); }

}  // namespace vorlane
