#include "records/journal.h"

#include "records/journalformat.h"
#include "records/journalworker.h"

// Starting the journal afresh from a whole copy of the batch, and when to do so: once the
// changes written since the last start outweigh such a copy.
namespace vorlane {

using namespace journalformat;

bool RecoveryJournal::begin(const QStringList &lines, const QString &filePath, bool saved, bool background)
{
    QByteArray out = "B\t" + QByteArray(saved ? "1" : "0") + '\t' + escape(filePath).toUtf8() + '\n';
    qsizetype chars = 0;
    for (const QString &l : lines)
        chars += l.size() + 3;
    out.reserve(out.size() + chars * 3 + 2);  // Thai letters are three bytes in UTF-8
    for (const QString &l : lines) {
        out += "L\t";
        appendEscapedUtf8(out, l);
        out += '\n';
    }
    out += "E\n";
    m_chars = chars;
    const qint64 copy = out.size();
    const bool ok = startFresh(out, filePath, saved, lines.size(), background);
    m_copyBytes = copy;
    // Only a compaction, whose old journal holds the same batch, may finish later: a new
    // batch, name or save must be what a kill right after it finds.
    if (ok && !background)
        return settleStart();
    return ok;
}

bool RecoveryJournal::wantsCompaction(const QStringList &lines)
{
    return wantsCompaction([&lines] {
        qint64 n = 0;
        for (const QString &l : lines)
            n += copyBytes(l);
        return n;
    });
}

bool RecoveryJournal::wantsCompaction(const RecordStore &lines)
{
    return wantsCompaction([&lines] {
        qint64 n = 0;
        for (qsizetype i = 0; i < lines.count(); ++i)
            n += copyBytes(lines.view(i));
        return n;
    });
}

bool RecoveryJournal::wantsCompaction(const std::function<qint64()> &copySize)
{
    if (!isWorking() || m_holds > 0)
        return false;
    // Cheap test first: a copy takes at least a byte a character.
    if (m_bytes <= 2 * m_chars + 4096)
        return false;
    // Worked out once, then kept up to date change by change.
    if (!m_copyBytes)
        m_copyBytes = copySize();
    return m_bytes > 2 * *m_copyBytes + 4096;
}

void RecoveryJournal::countLine(const QString &line, int sign)
{
    m_chars += sign * (line.size() + 3);
    if (m_copyBytes)
        *m_copyBytes += sign * copyBytes(line);
}

}  // namespace vorlane
