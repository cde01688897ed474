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

QString trimBlanks(QStringView text)
{
    return trimmedBlanks(text).toString();
}

QStringView trimLeadingBlanks(QStringView text)
{
    qsizetype b = 0;
    while (b < text.size() && text[b] == u' ')
        ++b;
    return text.sliced(b);
}

bool isBlank(QStringView text)
{
    return trimmedBlanks(text).isEmpty();
}

// Compared as views: the lists are whole tables, looked up for every imported row.
int indexOfTrimmed(const QStringList &list, QStringView text)
{
    const QStringView t = trimmedBlanks(text);
    for (int i = 0; i < list.size(); ++i)
        if (trimmedBlanks(list[i]) == t)
            return i;
    return -1;
}

QStringView trimWhiteSpace(QStringView text)
{
    return text.trimmed();
}

} // namespace vorlane
