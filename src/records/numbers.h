#pragma once
// Numeric conversion and the number patterns used on screen and on the slip.
#include <QString>
#include <cstdint>
#include <optional>

namespace vorlane {

// The "numeric" test and conversion. Accepted: blanks around the number, an optional
// leading sign, digits with thousands separators (commas between digits, never two in a
// row, never leading or trailing) and at most one decimal point ("1,250.50", "12.",
// ".5", " -3 "). Anything else (letters, exponents, currency signs, empty) is refused.
std::optional<double> toNumber(QStringView text);
inline bool isNumeric(QStringView text) { return toNumber(text).has_value(); }

// "Whole": nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Kept in 64 bits so amounts in hundredths of a baht never overflow.
std::int64_t whole(double value);

// Amounts up to ten million million baht are charged and summed exactly to the satang;
// beyond that a double can no longer hold every hundredth, so such an amount is refused
// where it is charged, never turned into a rounded or saturated figure.
inline constexpr double kMaxExactAmount = 1e13;
inline bool isBeyondExact(double amount) { return !(amount >= -kMaxExactAmount && amount <= kMaxExactAmount); }

// "##,##0.00": thousands separators, two decimals, at least one integer digit (0 -> 0.00).
QString formatGrouped(double value);
// "##,###.00" (also written "###,##.00"): as above but no integer digit below 1 (0.5 -> .50, 0 -> .00).
QString formatGroupedNoLead(double value);
// "0.00": two decimals, no separators (1000.004 -> 1000.00).
QString formatFixed2(double value);
// Plain decimal: no grouping, no trailing zeros (15 -> 15, 12.5 -> 12.5).
QString formatPlain(double value);

}  // namespace vorlane
