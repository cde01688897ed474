#pragma once
// A data file's lines read in one pass over fixed-size chunks, for work that needs each
// line once and never the whole file at the same time.
#include "records/datafile.h"

#include <QByteArrayView>

#include <functional>
#include <utility>

namespace vorlane {

// Calls `line` with the bytes of every line of the file, in order, under the same line
// rules and checks as ReadDataFile (CR LF, LF alone, CR alone; the same refusals). The
// lines are not filtered: the result's lines stay empty and skipped 0. A line is only
// valid during its call.
ReadResult ForEachDataFileLine(const QString &path, const std::function<void(QByteArrayView)> &line,
                               qsizetype chunkBytes = qsizetype(1) << 20);

// The record lines of a data file (the lines ReadDataFile keeps), read from the file at
// every pass instead of held, so that work over a batch of any size needs the memory of
// a chunk. Every pass must find the same lines as the first: a file changed in between
// fails the pass that finds it (after its lines were handed over, so the caller throws
// away what it made of them).
class DataFilePasses {
public:
    explicit DataFilePasses(QString path) : m_path(std::move(path)) {}
    // Calls `record` with the bytes of every record line, in order; a line is only valid
    // during its call. The failure when the file cannot be read or has changed.
    ReadResult pass(const std::function<void(QByteArrayView)> &record);
    qsizetype count() const { return m_count; }

private:
    QString m_path;
    qsizetype m_count = -1;  // of the first pass; -1 before it
    QByteArray m_digest;
};

// The splitting itself, the one rule for every file of lines the program reads (data
// files as bytes, tables and the help text as text): CR LF, LF alone and CR alone each end
// a line. Fed piece by piece, a CR at the end of one piece and an LF at the start of the
// next are one line end.
class LineSplitter {
public:
    // Hands every line that ends within p[0, n) to `line` (a QByteArrayView of bytes, a
    // QStringView of text); returns how many units were used (the rest starts an
    // unfinished line and must be fed again, with more behind it). At the end of the
    // input, the unfinished rest is a line of its own when not empty.
    template <typename Char, typename F>
    qsizetype feed(const Char *p, qsizetype n, bool atEnd, F &&line);
    // The same over text.
    template <typename F>
    qsizetype feed(QStringView text, bool atEnd, F &&line)
    {
        return feed(reinterpret_cast<const char16_t *>(text.utf16()), text.size(), atEnd, line);
    }

private:
    bool m_afterCr = false;
};

}  // namespace vorlane

#include <QStringView>

#include <algorithm>
#include <cstring>

namespace vorlane {

namespace linesplit {
inline const char *find(const char *from, const char *to, char c)
{
    return static_cast<const char *>(std::memchr(from, c, size_t(to - from)));
}
inline const char16_t *find(const char16_t *from, const char16_t *to, char16_t c)
{
    const char16_t *at = std::find(from, to, c);
    return at == to ? nullptr : at;
}
inline QByteArrayView view(const char *p, qsizetype n) { return QByteArrayView(p, n); }
inline QStringView view(const char16_t *p, qsizetype n) { return QStringView(p, n); }
}  // namespace linesplit

template <typename Char, typename F>
qsizetype LineSplitter::feed(const Char *p, qsizetype n, bool atEnd, F &&line)
{
    using linesplit::find;
    using linesplit::view;
    qsizetype start = 0;
    if (m_afterCr && n > 0) {
        if (p[0] == Char('\n'))
            start = 1;
        m_afterCr = false;
    }
    // The next LF at or after start (n: none left), looked for again only once passed.
    qsizetype lfEnd = -1;
    while (start < n) {
        if (lfEnd < start) {
            const Char *lf = find(p + start, p + n, Char('\n'));
            lfEnd = lf ? lf - p : n;
        }
        const Char *cr = find(p + start, p + lfEnd, Char('\r'));
        if (cr) {
            const qsizetype e = cr - p;
            line(view(p + start, e - start));
            if (e + 1 < n) {
                start = e + 1 + (p[e + 1] == Char('\n') ? 1 : 0);
            } else {
                start = e + 1;
                m_afterCr = true;
            }
        } else if (lfEnd < n) {
            line(view(p + start, lfEnd - start));
            start = lfEnd + 1;
        } else {
            break;
        }
    }
    if (atEnd && start < n) {
        line(view(p + start, n - start));
        start = n;
    }
    return start;
}

}  // namespace vorlane
