#include "records/batch.h"

#include <algorithm>
#include <utility>

namespace vorlane {

void Batch::setObserver(Observer *observer)
{
    m_observer = observer;
    m_lines.setObserver(observer);
}

template <typename F>
void Batch::changing(F &&f)
{
    const QString path = m_filePath;
    const bool saved = m_saved;
    f();
    if (m_observer && (saved != m_saved || path != m_filePath))
        m_observer->fileStateChanged();
}

void Batch::abandonInsertion()
{
    m_inserting = false;
    m_held.clear();
}

void Batch::beginAdd()
{
    abandonInsertion();
    m_adding = true;
}

void Batch::beginInsert()
{
    changing([this] {
        m_saved = false;
        m_inserting = true;
        m_held.clear();
        for (qsizetype i = std::max(0, m_currentIndex); i < m_lines.count(); ++i)
            m_held.append(m_lines.at(i));
    });
}

GateVerdict Batch::commit(const MoneyOrderRecord &record)
{
    GateVerdict v = AdmitRecord(record);
    if (v.admitted())
        commitLine(RecordLine(v.record));
    return v;
}

void Batch::commitLine(const QString &line)
{
    changing([&] {
        m_saved = false;
        if (m_adding) {
            // An append never completes an insertion.
            abandonInsertion();
            m_lines.append(line);
            m_currentIndex = int(m_lines.count() - 1);
            m_adding = false;
            return;
        }
        // Past the end (after the last record was deleted) the record is appended.
        if (m_currentIndex < 0 || m_currentIndex > m_lines.count())
            m_currentIndex = int(m_lines.count());
        // The held records go back one by one after the new one: the journal tells such
        // a run of stores from plain replacements and writes it as one insertion.
        m_lines.setAt(m_currentIndex, line);
        if (m_inserting) {
            for (qsizetype m = 0; m < m_held.count(); ++m)
                m_lines.setAt(m_currentIndex + 1 + m, m_held.at(m));
            abandonInsertion();
        }
    });
}

bool Batch::remove(const std::function<bool()> &confirmed)
{
    bool removed = false;
    changing([&] {
        m_saved = false;
        if (!m_lines.isEmpty() && !confirmed())
            return;
        removed = true;
        abandonInsertion();
        if (!m_lines.isEmpty()) {
            m_lines.removeAt(m_currentIndex);
            if (m_currentIndex >= m_lines.count())
                m_currentIndex = int(m_lines.count() - 1);
            if (m_currentIndex < 0)
                m_currentIndex = 0;
        }
        m_adding = false;
    });
    return removed;
}

void Batch::cancel()
{
    abandonInsertion();
    if (m_adding)
        m_currentIndex = int(m_lines.count() - 1);
    m_adding = false;
}

void Batch::navigate(Move move)
{
    abandonInsertion();
    const int n = int(m_lines.count());
    if (n == 0)
        return;
    switch (move) {
    case Move::First: m_currentIndex = 0; break;
    case Move::Back:
        if (m_currentIndex >= 1)
            --m_currentIndex;
        m_currentIndex = std::max(m_currentIndex, 0);
        break;
    case Move::Forward:
        if (m_currentIndex < n)
            ++m_currentIndex;
        if (m_currentIndex >= n)
            m_currentIndex = n - 1;
        break;
    case Move::Last: m_currentIndex = n - 1; break;
    }
    m_adding = false;
}

void Batch::show(int index)
{
    abandonInsertion();
    m_currentIndex = index;
    m_adding = false;
}

void Batch::resume()
{
    abandonInsertion();
    m_currentIndex = m_resumeIndex;
    if (!m_lines.isEmpty())
        m_adding = false;
}

void Batch::forgetKnownFile()
{
    m_knownPath.clear();
    m_knownStamp = {};
    m_knownSkipped = 0;
}

void Batch::open(LineBlock lines, const QString &path, const FileStamp *stamp, qsizetype skipped)
{
    m_filePath = path;
    abandonInsertion();
    // Not told line by line: the journal starts afresh from the whole batch below, by
    // reference when it is a file, so the user never waits for a copy of a large batch.
    m_lines.setObserver(nullptr);
    m_lines.assignBlock(std::move(lines));
    m_lines.setObserver(m_observer);
    m_saved = stamp != nullptr;
    if (stamp) {
        m_knownPath = path;
        m_knownStamp = *stamp;
        m_knownSkipped = skipped;
    } else {
        forgetKnownFile();
    }
    if (m_observer)
        m_observer->started(stamp);
    m_currentIndex = 0;
    m_adding = false;
}

void Batch::restore(QStringList lines, const QString &path)
{
    for (QString &line : lines)
        line = RestorableLine(line);
    changing([&] {
        abandonInsertion();
        m_lines.assign(std::move(lines));
        m_filePath = path;
        m_saved = false;
        m_adding = false;
        m_currentIndex = int(m_lines.count() - 1);
    });
}

void Batch::startUnnamed(const QString &path)
{
    changing([&] {
        m_resumeIndex = 0;
        m_saved = true;
        m_filePath = path;
    });
}

void Batch::newBatch(const QString &path)
{
    m_resumeIndex = 0;
    abandonInsertion();
    m_lines.clear();
    m_filePath = path;
    forgetKnownFile();
    if (m_observer)
        m_observer->started(nullptr);
}

void Batch::close()
{
    changing([this] {
        abandonInsertion();
        m_lines.clear();
        m_filePath.clear();
    });
}

void Batch::saved(const FileStamp &stamp)
{
    m_knownPath = m_saveTarget;
    m_knownStamp = stamp;
    m_knownSkipped = 0;
    m_filePath = m_saveTarget;
    m_saved = true;
    // The batch is now exactly the saved file: the journal starts afresh from it.
    if (m_observer)
        m_observer->started(&stamp);
}

void Batch::rename(const QString &path)
{
    changing([&] { m_filePath = path; });
}

void Batch::markSaved()
{
    changing([this] { m_saved = true; });
}

void Batch::markChanged()
{
    changing([this] { m_saved = false; });
}

}  // namespace vorlane
