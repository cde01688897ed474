#pragma once
// Lines kept as one text and where each of them lies in it: a batch of a hundred thousand
// orders is one allocation instead of one string per order.
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace vorlane {

struct LineSpan {
    qsizetype from = 0;
    qsizetype size = 0;
};

struct LineBlock {
    QString text;
    std::vector<LineSpan> spans;  // line i is text[spans[i].from, spans[i].from + spans[i].size)

    QStringView line(size_t i) const { return QStringView(text).mid(spans[i].from, spans[i].size); }
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
