#include "records/recordstore.h"

#include "records/codec.h"
#include "records/largepages.h"

#include <chrono>
#include <system_error>
#include <utility>

namespace vorlane {

RecordStore::~RecordStore() = default;

RecordStore::RecordStore(const RecordStore &o) : m_block(o.m_block), m_live(o.m_live), m_figures(o.m_figures) {}

RecordStore &RecordStore::operator=(const RecordStore &o)
{
    if (this != &o) {
        LineBlock copy = o.m_block;
        replace(std::move(copy), true);
    }
    return *this;
}

QString RecordStore::at(qsizetype i) const
{
    if (i < 0 || i >= count())
        return QString();
    // Record 1 of an opened file, or the review's rows, need not wait for the whole text.
    if (m_block.undecoded()
        && !(m_decodeSoon.valid() && m_decodeSoon.wait_for(std::chrono::seconds(0)) == std::future_status::ready))
        return cp874::decode(m_block.rawLine(size_t(i)));
    return view(i).toString();
}

QStringList RecordStore::lines() const
{
    settle();
    QStringList out;
    out.reserve(count());
    for (size_t i = 0; i < m_block.spans.size(); ++i)
        out.append(m_block.line(i).toString());
    return out;
}

LineSpan RecordStore::put(QStringView line)
{
    const LineSpan s{m_block.text.size(), line.size()};
    m_block.text.append(line);
    return s;
}

void RecordStore::compactIfWasteful()
{
    if (m_block.text.size() <= 2 * m_live + 4096)
        return;
    QString text;
    text.reserve(qsizetype(m_live));
    for (LineSpan &s : m_block.spans) {
        const qsizetype from = text.size();
        text.append(QStringView(m_block.text).mid(s.from, s.size));
        s.from = from;
    }
    m_block.text = std::move(text);
}

void RecordStore::settle() const
{
    if (m_decodeSoon.valid()) {
        Decoded d = m_decodeSoon.get();
        m_block.text = std::move(d.text);
        if (!m_upper && !m_upperSoon.valid())
            m_upper = std::move(d.upper);
    } else if (m_block.undecoded()) {
        m_block.text = cp874::decode(m_block.raw.view(), m_block.raw.size() / 8 + 4096);
    }
    m_block.raw = SharedBytes();
}

UpperText *RecordStore::upper() const
{
    settle();
    if (m_upperSoon.valid())
        m_upper = m_upperSoon.get();
    return m_upper.get();
}

void RecordStore::append(const QString &line)
{
    UpperText *u = upper();
    m_block.spans.push_back(put(line));
    m_live += line.size();
    m_figures.push_back({});
    if (u)
        u->insert(count() - 1, line);
    if (m_observer)
        m_observer->inserted(count() - 1, line);
    compactIfWasteful();
}

void RecordStore::setAt(qsizetype i, const QString &line)
{
    if (i >= 0 && i < count()) {
        UpperText *u = upper();
        const QString previous = at(i);
        m_block.spans[size_t(i)] = put(line);
        m_live += line.size() - previous.size();
        m_figures[size_t(i)] = {};
        if (u)
            u->set(i, line);
        if (m_observer)
            m_observer->stored(i, line, previous);
        compactIfWasteful();
    } else if (i == count()) {
        append(line);
    }
}

void RecordStore::insert(qsizetype i, const QString &line)
{
    UpperText *u = upper();
    i = qBound<qsizetype>(0, i, count());
    m_block.spans.insert(m_block.spans.begin() + i, put(line));
    m_live += line.size();
    m_figures.insert(m_figures.begin() + i, LineFigures{});
    if (u)
        u->insert(i, line);
    if (m_observer)
        m_observer->inserted(i, line);
    compactIfWasteful();
}

void RecordStore::removeAt(qsizetype i)
{
    if (i >= 0 && i < count()) {
        UpperText *u = upper();
        const QString line = at(i);
        m_block.spans.erase(m_block.spans.begin() + i);
        m_live -= line.size();
        m_figures.erase(m_figures.begin() + i);
        if (u)
            u->remove(i);
        if (m_observer)
            m_observer->removed(i, line);
        compactIfWasteful();
    }
}

void RecordStore::clear()
{
    m_decodeSoon = {};
    m_upperSoon = {};
    m_upper.reset();
    m_block = {};
    m_live = 0;
    m_figures.clear();
    if (m_observer)
        m_observer->cleared();
}

void RecordStore::replace(LineBlock block, bool notify)
{
    m_decodeSoon = {};  // waits for a worker still reading the batch before
    m_upperSoon = {};
    m_upper.reset();
    m_block = std::move(block);
    m_live = 0;
    for (const LineSpan &s : m_block.spans)
        m_live += s.size;
    if (m_block.figuresFor && m_block.figures.size() == m_block.spans.size()) {
        m_figures = std::move(m_block.figures);
        m_figuresFor = m_block.figuresFor;
        m_figuresStamp = m_block.figuresStamp;
    } else {
        m_figures.clear();
        m_figures.shrink_to_fit();
        m_figures.reserve(m_block.spans.size());
        m_figures.resize(m_block.spans.size());
    }
    m_block.figures = {};
    m_block.figuresFor = nullptr;
    if (notify && m_observer)
        m_observer->assigned(lines());
}

void RecordStore::assign(const QStringList &lines) { replace(MakeLineBlock(lines), true); }

void RecordStore::assignBlock(LineBlock block)
{
    replace(std::move(block), true);
    if (isEmpty())
        return;
    try {
        if (m_block.undecoded()) {
            // The spans are read in place: the store changes none of them before it has
            // taken what the worker made (settle), and waits for it before going away.
            m_decodeSoon = std::async(std::launch::async, [raw = m_block.raw, spans = &m_block.spans] {
                // Behind the window's own work (the first totals, the first paint) for
                // the cores; nothing waits for this until the user changes the batch.
                platform::LowerThreadPriority();
                Decoded d;
                d.upper = std::make_unique<UpperText>(raw.view(), *spans);
                // Room behind the text: the next order keyed appends to it, not to a copy.
                d.text = cp874::decode(raw.view(), raw.size() / 8 + 4096);
                return d;
            });
            return;
        }
        m_upperSoon = std::async(std::launch::async, [block = m_block]() mutable {
            // The copy shares the text; it is let go as soon as the upper case is made,
            // so a later change of the batch does not copy the whole text.
            const LineBlock lines = std::move(block);
            return std::make_unique<UpperText>(lines);
        });
    } catch (const std::system_error &) {
        // No thread to be had: the first search makes the copy itself.
    }
}

qsizetype RecordStore::findUpper(QStringView upperNeedle) const
{
    UpperText *u = upper();
    if (!u) {
        m_upper = std::make_unique<UpperText>(m_block);
        u = m_upper.get();
    }
    return u->find(upperNeedle, [this, upperNeedle](qsizetype i) { return at(i).toUpper().contains(upperNeedle); });
}

}  // namespace vorlane
