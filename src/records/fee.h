#pragma once
#include "records/tables.h"

#include <optional>

namespace vorlane {

// Fee in baht of one money order: flat, step or split rule of the type's rate row
// (a type found in no row is charged by row 0). Never fails: rows that would divide
// by zero give the base fee, a non-numeric amount gives 0 unless the fee is flat.
// Never negative, whatever the table says.
double ComputeFee(const RateTable &rates, QStringView typeCode, QStringView amount);

// As ComputeFee, but nullopt for a numeric amount beyond kMaxExactAmount, whose fee the
// program cannot compute exactly: the caller reports that record as an error.
std::optional<double> ComputeFeeExact(const RateTable &rates, QStringView typeCode, QStringView amount);
// The same, with `parsed` = toNumber(amount) already worked out: the totals convert each
// amount once instead of three times.
std::optional<double> ComputeFeeExact(const RateTable &rates, QStringView typeCode, QStringView amount,
                                      std::optional<double> parsed);

}  // namespace vorlane
