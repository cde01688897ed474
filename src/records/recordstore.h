#pragma once
// The ordered list of record lines of the open batch (item 0 is the first order).
#include "records/uppertext.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vorlane {

struct RateTable;

class RecordStore {
public:
    // Told of every change, in order (the recovery journal listens here).
    class Observer {
    public:
        virtual ~Observer() = default;
        // `previous` is the line that was there: an insertion done as a run of stores that
        // move every later line down can then be told from plain replacements.
        virtual void stored(qsizetype index, const QString &line, const QString &previous) = 0;
        virtual void inserted(qsizetype index, const QString &line) = 0;
        virtual void removed(qsizetype index, const QString &line) = 0;
        virtual void cleared() = 0;
        virtual void assigned(const QStringList &lines) = 0;
    };
    void setObserver(Observer *observer) { m_observer = observer; }

    RecordStore() = default;
    // A copy is a plain list: it does not report to the original's observer.
    RecordStore(const RecordStore &o) : m_lines(o.m_lines), m_figures(o.m_figures) {}
    RecordStore &operator=(const RecordStore &o)
    {
        if (this != &o)
            assign(o.m_lines);
        return *this;
    }

    qsizetype count() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    // A position outside 0 .. count-1 reads as the empty line.
    QString at(qsizetype i) const { return (i >= 0 && i < m_lines.size()) ? m_lines.at(i) : QString(); }
    const QStringList &lines() const { return m_lines; }

    void append(const QString &line)
    {
        m_lines.append(line);
        m_figures.push_back({});
        if (m_upper)
            m_upper->insert(m_lines.size() - 1, line);
        if (m_observer)
            m_observer->inserted(m_lines.size() - 1, line);
    }
    // Writing at the position just past the last record appends; beyond that nothing happens.
    void setAt(qsizetype i, const QString &line)
    {
        if (i >= 0 && i < m_lines.size()) {
            QString previous = std::exchange(m_lines[i], line);
            m_figures[size_t(i)] = {};
            if (m_upper)
                m_upper->set(i, line);
            if (m_observer)
                m_observer->stored(i, line, previous);
        } else if (i == m_lines.size()) {
            append(line);
        }
    }
    void insert(qsizetype i, const QString &line)
    {
        i = qBound<qsizetype>(0, i, m_lines.size());
        m_lines.insert(i, line);
        m_figures.insert(m_figures.begin() + i, LineFigures{});
        if (m_upper)
            m_upper->insert(i, line);
        if (m_observer)
            m_observer->inserted(i, line);
    }
    void removeAt(qsizetype i)
    {
        if (i >= 0 && i < m_lines.size()) {
            const QString line = m_lines.takeAt(i);
            m_figures.erase(m_figures.begin() + i);
            if (m_upper)
                m_upper->remove(i);
            if (m_observer)
                m_observer->removed(i, line);
        }
    }
    void clear()
    {
        m_lines.clear();
        m_figures.clear();
        m_upper.reset();
        if (m_observer)
            m_observer->cleared();
    }
    void assign(QStringList lines)
    {
        m_lines = std::move(lines);
        m_figures.assign(size_t(m_lines.size()), LineFigures{});
        m_upper.reset();
        if (m_observer)
            m_observer->assigned(m_lines);
    }

    // Amount and fee of each line, worked out once per line and rate table, so the
    // totals never re-read every line on every keystroke.
    struct LineFigures {
        bool known = false;
        double amount = 0;
        double fee = 0;
        bool beyond = false;  // an amount too large to charge exactly: left out of the sums
    };
    const LineFigures &figures(qsizetype i, const RateTable &rates) const;

    // The first line whose upper case contains the upper-cased text, -1 when none. The
    // upper-cased copy is made at the first search and then kept in step with every change.
    qsizetype findUpper(QStringView upperNeedle) const
    {
        if (!m_upper)
            m_upper = std::make_unique<UpperText>(m_lines);
        return m_upper->find(upperNeedle,
                             [this, upperNeedle](qsizetype i) { return m_lines.at(i).toUpper().contains(upperNeedle); });
    }

private:
    QStringList m_lines;
    Observer *m_observer = nullptr;
    mutable std::vector<LineFigures> m_figures;
    mutable const RateTable *m_figuresFor = nullptr;
    mutable std::uint64_t m_figuresStamp = 0;
    mutable std::unique_ptr<UpperText> m_upper;
};

} // namespace vorlane
