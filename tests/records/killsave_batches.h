#pragma once
// The two batches the kill-during-save writer saves by turns; the test rebuilds them to know
// the only two contents the data file may ever have.
#include <QString>
#include <QStringList>

namespace vorlane::test {

inline QStringList killSaveBatch(int which, int lines)
{
    QStringList out;
    out.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        // Different lengths per batch, so a cut or a mix of the two can never look whole.
        const QString n = QString::number(i);
        out.append(which == 0
                       ? QStringLiteral("101|10100|") + QString(12, QChar(0x0E01)) + n
                             + QStringLiteral("|a|1,000|b|c|d|")
                       : QStringLiteral("103|50000|") + QString(30, QChar(0x0E02)) + n
                             + QStringLiteral("|depositor|25,000.50|post office|recipient address|depositor address|"));
    }
    return out;
}

}  // namespace vorlane::test
