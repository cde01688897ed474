#pragma once
// A data file's lines read in one pass over fixed-size chunks, for work that needs each
// line once and never the whole file at the same time.
#include "records/datafile.h"

#include <QByteArrayView>

#include <functional>

namespace vorlane {

// Calls `line` with the bytes of every line of the file, in order, under the same line
// rules and checks as ReadDataFile (CR LF, LF alone, CR alone; the same refusals). The
// lines are not filtered: the result's lines stay empty and skipped 0. A line is only
// valid during its call.
ReadResult ForEachDataFileLine(const QString &path, const std::function<void(QByteArrayView)> &line,
                               qsizetype chunkBytes = qsizetype(1) << 20);

// The splitting itself, fed piece by piece: a CR at the end of one piece and an LF at the
// start of the next are one line end.
class LineSplitter {
public:
    // Hands every line that ends within bytes to `line`; returns how many bytes were used
    // (the rest starts an unfinished line and must be fed again, with more behind it).
    // At the end of the input, the unfinished rest is a line of its own when not empty.
    template <typename F>
    qsizetype feed(const char *p, qsizetype n, bool atEnd, F &&line);

private:
    bool m_afterCr = false;
};

} // namespace vorlane

#include <cstring>

namespace vorlane {

template <typename F>
qsizetype LineSplitter::feed(const char *p, qsizetype n, bool atEnd, F &&line)
{
    qsizetype start = 0;
    if (m_afterCr && n > 0) {
        if (p[0] == '\n')
            start = 1;
        m_afterCr = false;
    }
    // The next LF at or after start (n: none left), looked for again only once passed.
    qsizetype lfEnd = -1;
    while (start < n) {
        if (lfEnd < start) {
            const auto *lf = static_cast<const char *>(std::memchr(p + start, '\n', size_t(n - start)));
            lfEnd = lf ? lf - p : n;
        }
        const auto *cr = static_cast<const char *>(std::memchr(p + start, '\r', size_t(lfEnd - start)));
        if (cr) {
            const qsizetype e = cr - p;
            line(QByteArrayView(p + start, e - start));
            if (e + 1 < n) {
                start = e + 1 + (p[e + 1] == '\n' ? 1 : 0);
            } else {
                start = e + 1;
                m_afterCr = true;
            }
        } else if (lfEnd < n) {
            line(QByteArrayView(p + start, lfEnd - start));
            start = lfEnd + 1;
        } else {
            break;
        }
    }
    if (atEnd && start < n) {
        line(QByteArrayView(p + start, n - start));
        start = n;
    }
    return start;
}

} // namespace vorlane
