#pragma once
#include "records/datafile.h"
#include "records/recordstore.h"
#include "records/tables.h"

#include <QByteArrayView>

#include <optional>

namespace vorlane {

struct BatchTotals {
    double amount = 0;  // sum of the numeric amounts (a non-numeric amount adds nothing)
    double fee = 0;     // sum of ComputeFee over every record
    qsizetype count = 0;
    // Records whose amount is beyond what the program computes exactly (kMaxExactAmount):
    // left out of both sums and reported as errors by the callers.
    qsizetype beyond = 0;
    qsizetype firstBeyond = -1;  // index of the first
};

BatchTotals ComputeTotals(const RecordStore &store, const RateTable &rates);

// Amount and fee of a record from its type code and amount fields.
RecordStore::LineFigures FiguresOf(QStringView typeCode, QStringView amount, const RateTable &rates);

// Amount and fee of one line of a data file as its bytes (code page 874); nothing when the
// line is not a record line, which a batch opened from the file would leave out. Every
// line of a streamed total goes through here, and only here.
std::optional<RecordStore::LineFigures> FileLineFigures(QByteArrayView line, const RateTable &rates);

// The same for a line already known to be a record line (its bars counted).
LineFigures RecordLineFigures(QByteArrayView recordLine, const RateTable &rates);

struct FileTotals {
    ReadResult read;  // its lines stay empty; skipped counts the lines left out
    BatchTotals totals;
    QString firstBeyondAmount;  // the amount text of totals.firstBeyond, when there is one
};

// The totals ComputeTotals gives for the batch the file opens to, in one pass over the
// file in fixed-size chunks: neither the file nor its lines are held.
FileTotals ComputeFileTotals(const QString &path, const RateTable &rates, qsizetype chunkBytes = qsizetype(1) << 20);

}  // namespace vorlane
