#pragma once
// An upper-cased copy of the batch's lines in one buffer, kept in step with every change,
// so that a search reads one block of memory instead of upper-casing every line again.
#include "records/lineblock.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace vorlane {

class UpperText {
public:
    explicit UpperText(const QStringList &lines);
    explicit UpperText(const LineBlock &lines);
    // From a file's code-page bytes and where its lines lie in them: the same copy as of
    // the decoded lines.
    UpperText(QByteArrayView raw, const LineSpans &spans);

    void set(qsizetype i, const QString &line);
    void insert(qsizetype i, const QString &line);
    void remove(qsizetype i);
    qsizetype count() const { return qsizetype(m_start.size()) - 1; }

    // The first line whose upper case contains upperNeedle (an upper-cased text), -1 when
    // none. `contains(i)` answers for line i the plain way; it is asked only about lines
    // the copy cannot decide alone (characters outside ASCII and Thai).
    qsizetype find(QStringView upperNeedle, const std::function<bool(qsizetype)> &contains) const;

    // One byte a UTF-16 unit: ASCII as itself, Thai moved to 0x80..0xFE, anything else
    // (and a line end inside a line) as kOther; lines are closed by kEnd.
    static constexpr unsigned char kOther = 0xFF;
    static constexpr char kEnd = '\n';

private:
    static unsigned char narrow(char16_t c);
    // Appends the line's upper case and its kEnd to `out`.
    static void appendLine(QByteArray &out, QStringView line);
    static QByteArray encodeLine(QStringView line);
    void tally(const QByteArray &bytes, int sign);

    QByteArray m_text;
    std::vector<qsizetype> m_start;       // where each line begins, and one past the last
    std::array<qsizetype, 256> m_freq{};  // how often each byte occurs: the rarest is looked for
};

}  // namespace vorlane
