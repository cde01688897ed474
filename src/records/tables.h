#pragma once
// The reference tables: "rate.txt", "mo.txt", "postcode.txt" and "mo1.txt".
#include "records/fileio.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>
#include <optional>

namespace vorlane {

// Comma-separated fields of one line: a run of characters up to the next comma (blanks
// around it dropped) or a text in double quotes, which may hold commas. Exactly `count`
// fields come back: missing ones are empty, extra ones are ignored.
QStringList ReadFields(QStringView line, int count);

// What a table may hold: far beyond real tables (the post-office table has about a
// thousand lines of some sixty characters), small enough that a wrong or hostile file
// cannot stall the start or fill the memory.
inline constexpr qsizetype kMaxTableLines = 100000;
inline constexpr qsizetype kMaxTableLineChars = 1000;

// Every line of a text table, decoded from code page 874 (CR LF, LF or CR line ends).
// Blank lines are dropped. Gives nullopt when the file cannot be read. Lines beyond
// kMaxTableLines are not read and longer lines are cut at kMaxTableLineChars; `cut` then
// becomes true; `failure`, when the file cannot be read, says which and why.
std::optional<QStringList> ReadTableLines(const QString &path, bool *cut = nullptr, FileIoResult *failure = nullptr);

inline constexpr int kRateSlots = 21;

struct RateRow {
    QString TypeCode, BaseFee, StepFee, StepSize, MinAmount, MaxAmount, SplitLimit;
};

// A rate row's figures as numbers (a text that is not a number counts as 0).
struct RateFigures {
    bool hasType = false;
    std::int64_t type = 0;  // the type code made whole
    double base = 0, step = 0, stepSize = 0, splitLimit = 0;
    // Every figure of the row is a number of sensible size. A row that is not charges
    // nothing (its fee cannot be known) and is reported when the table is read.
    bool readable = true;
};
RateFigures ParseRateRow(const RateRow &row);

struct RateTable {
    std::array<RateRow, kRateSlots> rows;
    int rowCount = 0;       // lines read, at most 21
    int RateLastIndex = 0;  // slot of the last line read
    // Filled by append(): the rows' figures, parsed once so a fee costs no parsing.
    // A table whose rows are assigned directly is parsed at every fee instead.
    std::vector<RateFigures> figures;
    // Changes with every append(), so a figure worked out for older contents is never reused.
    std::uint64_t stamp = 0;

    // Stores a row in the next slot (nothing beyond slot 20).
    bool append(const RateRow &row);
    bool hasFigures() const { return qsizetype(figures.size()) == rowCount; }

    // First row whose type code, trimmed, is exactly the trimmed text (the amount check on Enter).
    std::optional<int> rowByText(QStringView typeCode) const;
    // First of rows 0 .. limit-1 whose type code has the same whole-number value (the save check).
    std::optional<int> rowByValue(QStringView typeCode, int limit = kRateSlots) const;
};

// Two parallel columns: "mo.txt", "postcode.txt", "mo1.txt".
struct CodeNameTable {
    QStringList codes;
    QStringList names;
};

struct TableStatus {
    bool found = true;    // false when the file was missing or unreadable
    bool cut = false;     // true when it held more than a table may hold
    QStringList badRows;  // rate.txt: each row whose figures cannot be read, as a Thai line
    QString path;
    FileIoResult failure;  // why it was not found
};

RateTable LoadRateTable(const QString &path, TableStatus *status = nullptr);
CodeNameTable LoadCodeNameTable(const QString &path, TableStatus *status = nullptr);

}  // namespace vorlane
