#pragma once
// Lines kept as one text and where each of them lies in it: a batch of a hundred thousand
// orders is one allocation instead of one string per order.
#include "records/largepages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace vorlane {

struct RateTable;

// Amount and fee of a line, worked out once per line and rate table, so the totals never
// re-read every line on every keystroke.
struct LineFigures {
    double amount = 0;
    double fee = 0;
    bool known = false;
    bool beyond = false;  // an amount too large to charge exactly: left out of the sums
};
using LineFiguresTable = std::vector<LineFigures, LargePageAllocator<LineFigures>>;

struct LineSpan {
    qsizetype from = 0;
    qsizetype size = 0;
};

using LineSpans = std::vector<LineSpan, LargePageAllocator<LineSpan>>;

struct LineBlock {
    QString text;
    LineSpans spans;  // line i is text[spans[i].from, spans[i].from + spans[i].size)
    // A file as read: its code-page bytes, one byte a character, so the spans hold for
    // them as they will for the text. The text is made from them later, off the window's
    // thread; until then `text` is empty.
    SharedBytes raw;
    // Each line's figures when the reader worked them out beside finding the lines, for
    // the rate table `figuresFor` as it stood at `figuresStamp`; otherwise empty.
    LineFiguresTable figures;
    const RateTable *figuresFor = nullptr;
    std::uint64_t figuresStamp = 0;

    QStringView line(size_t i) const { return QStringView(text).mid(spans[i].from, spans[i].size); }
    QByteArrayView rawLine(size_t i) const { return raw.view().sliced(spans[i].from, spans[i].size); }
    bool undecoded() const { return !raw.isNull(); }
};

inline LineBlock MakeLineBlock(const QStringList &lines)
{
    LineBlock block;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size();
    block.text.reserve(size);
    block.spans.reserve(size_t(lines.size()));
    for (const QString &l : lines) {
        block.spans.push_back({block.text.size(), l.size()});
        block.text.append(l);
    }
    return block;
}

}  // namespace vorlane
