#pragma once
#include "records/recordstore.h"
#include "records/tables.h"

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

} // namespace vorlane
