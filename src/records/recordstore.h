#pragma once
// The ordered list of record lines of the open batch (item 0 is the first order).
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace vorlane {

struct RateTable;

class RecordStore {
public:
    qsizetype count() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    // A position outside 0 .. count-1 reads as the empty line.
    QString at(qsizetype i) const { return (i >= 0 && i < m_lines.size()) ? m_lines.at(i) : QString(); }
    const QStringList &lines() const { return m_lines; }

    void append(const QString &line)
    {
        m_lines.append(line);
        m_figures.push_back({});
    }
    // Writing at the position just past the last record appends; beyond that nothing happens.
    void setAt(qsizetype i, const QString &line)
    {
        if (i >= 0 && i < m_lines.size()) {
            m_lines[i] = line;
            m_figures[size_t(i)] = {};
        } else if (i == m_lines.size()) {
            append(line);
        }
    }
    void insert(qsizetype i, const QString &line)
    {
        i = qBound<qsizetype>(0, i, m_lines.size());
        m_lines.insert(i, line);
        m_figures.insert(m_figures.begin() + i, LineFigures{});
    }
    void removeAt(qsizetype i)
    {
        if (i >= 0 && i < m_lines.size()) {
            m_lines.removeAt(i);
            m_figures.erase(m_figures.begin() + i);
        }
    }
    void clear()
    {
        m_lines.clear();
        m_figures.clear();
    }
    void assign(QStringList lines)
    {
        m_lines = std::move(lines);
        m_figures.assign(size_t(m_lines.size()), LineFigures{});
    }

    // Amount and fee of each line, worked out once per line and rate table, so the
    // totals never re-read every line on every keystroke.
    struct LineFigures {
        bool known = false;
        double amount = 0;
        double fee = 0;
    };
    const LineFigures &figures(qsizetype i, const RateTable &rates) const;

private:
    QStringList m_lines;
    mutable std::vector<LineFigures> m_figures;
    mutable const RateTable *m_figuresFor = nullptr;
    mutable std::uint64_t m_figuresStamp = 0;
};

} // namespace vorlane
