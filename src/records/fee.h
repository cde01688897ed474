#pragma once
#include "records/tables.h"

namespace vorlane {

// Fee in baht of one money order: flat, step or split rule of the type's rate row
// (a type found in no row is charged by row 0). Never fails: rows that would divide
// by zero give the base fee, a non-numeric amount gives 0 unless the fee is flat.
double ComputeFee(const RateTable &rates, QStringView typeCode, QStringView amount);

} // namespace vorlane
