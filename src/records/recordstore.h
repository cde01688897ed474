#pragma once
// The ordered list of record lines of the open batch (item 0 is the first order).
#include "records/lineblock.h"
#include "records/uppertext.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <future>
#include <memory>
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
    ~RecordStore();
    // A copy is a plain list: it does not report to the original's observer.
    RecordStore(const RecordStore &o);
    RecordStore &operator=(const RecordStore &o);

    qsizetype count() const { return qsizetype(m_block.spans.size()); }
    bool isEmpty() const { return m_block.spans.empty(); }
    // A position outside 0 .. count-1 reads as the empty line.
    QString at(qsizetype i) const;
    // Line i without a copy; valid until the next change of the store. Waits for the
    // text of an opened file to be made.
    QStringView view(qsizetype i) const
    {
        if (m_block.undecoded())
            settle();
        return m_block.line(size_t(i));
    }
    // Every line, as a list made for the caller.
    QStringList lines() const;
    // Characters of all lines together.
    qint64 textSize() const { return m_live; }

    void append(const QString &line);
    // Writing at the position just past the last record appends; beyond that nothing happens.
    void setAt(qsizetype i, const QString &line);
    void insert(qsizetype i, const QString &line);
    void removeAt(qsizetype i);
    void clear();
    void assign(const QStringList &lines);
    // The lines of an opened file, taken as they are. A block of code-page bytes is decoded
    // on a worker thread, and the upper-cased copy for the search made there too, so the
    // window shows the first record and the totals without waiting for either; a line
    // asked for meanwhile is decoded on its own, and any change waits for the text.
    void assignBlock(LineBlock block);

    using LineFigures = vorlane::LineFigures;
    const LineFigures &figures(qsizetype i, const RateTable &rates) const;
    // Works out every line's figures not yet known, a large batch on two threads.
    void workOutFigures(const RateTable &rates) const;
    // Every line's figures for the rate table, all worked out; valid until the next change.
    const LineFiguresTable &allFigures(const RateTable &rates) const;

    // The first line whose upper case contains the upper-cased text, -1 when none. The
    // upper-cased copy is made at the first search (or after an opening) and then kept in
    // step with every change.
    qsizetype findUpper(QStringView upperNeedle) const;

private:
    // Characters of a line just written go to the end of the text.
    LineSpan put(QStringView line);
    // Drops the characters no line refers to any more, once they outweigh the rest.
    void compactIfWasteful();
    void replace(LineBlock block, bool notify);
    // Forgets the figures worked out for another rate table.
    void figuresFor(const RateTable &rates) const;
    // The upper-cased copy, when one exists or is being made; null otherwise. Settles first.
    UpperText *upper() const;
    // Takes the text (and the search copy) made by the worker, or makes the text here when
    // no worker was to be had; the raw bytes are then let go.
    void settle() const;

    // What the worker makes of an opened file's bytes.
    struct Decoded {
        QString text;
        std::unique_ptr<UpperText> upper;
    };

    mutable LineBlock m_block;
    qint64 m_live = 0;  // characters of the text that lines refer to
    Observer *m_observer = nullptr;
    mutable LineFiguresTable m_figures;
    mutable const RateTable *m_figuresFor = nullptr;
    mutable std::uint64_t m_figuresStamp = 0;
    mutable std::unique_ptr<UpperText> m_upper;
    // Declared last: destroyed first, so a worker still reading m_block is waited for.
    mutable std::future<Decoded> m_decodeSoon;
    mutable std::future<std::unique_ptr<UpperText>> m_upperSoon;
};

}  // namespace vorlane
