#pragma once
// Lines kept as one text and where each of them lies in it: a batch of a hundred thousand
// orders is one allocation instead of one string per order.
#include "records/largepages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace vorlane {

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

} // namespace vorlane
