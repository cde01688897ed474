#pragma once
// The ordered list of record lines of the open batch (item 0 is the first order).
#include <QString>
#include <QStringList>

namespace vorlane {

class RecordStore {
public:
    qsizetype count() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    // A position outside 0 .. count-1 reads as the empty line.
    QString at(qsizetype i) const { return (i >= 0 && i < m_lines.size()) ? m_lines.at(i) : QString(); }
    const QStringList &lines() const { return m_lines; }

    void append(const QString &line) { m_lines.append(line); }
    // Writing at the position just past the last record appends; beyond that nothing happens.
    void setAt(qsizetype i, const QString &line)
    {
        if (i >= 0 && i < m_lines.size())
            m_lines[i] = line;
        else if (i == m_lines.size())
            m_lines.append(line);
    }
    void insert(qsizetype i, const QString &line) { m_lines.insert(qBound<qsizetype>(0, i, m_lines.size()), line); }
    void removeAt(qsizetype i)
    {
        if (i >= 0 && i < m_lines.size())
            m_lines.removeAt(i);
    }
    void clear() { m_lines.clear(); }
    void assign(QStringList lines) { m_lines = std::move(lines); }

private:
    QStringList m_lines;
};

} // namespace vorlane
