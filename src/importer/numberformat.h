#pragma once
// Workbook number formats, as far as the import needs them: a cell formatted as a date or
// a time comes in as the spreadsheet shows it, not as its serial number. Qt Core only.
#include <QString>
#include <QStringView>

namespace vorlane {

// Longer codes than any spreadsheet writes are not read: their numbers stay plain.
inline constexpr qsizetype kLongestCode = 255;

// How a number cell's text is made.
enum class NumberShown {
    Plain,     // the value as plain decimal text
    DateTime,  // through formatDateTime
    Percent,   // through formatPercent
};

// The code of a built-in format (numFmtId below 164) as LibreOffice shows it in an English
// locale; empty for an id without one (general, plain numbers, text).
QString builtInFormatCode(int id);
// What a format code shows: the first section decides, as it does for positive values.
NumberShown shownAs(QStringView code);
// A serial date-time (days since 30 December 1899; the fraction is the time of day) as
// the code shows it: day, month, year, hours, minutes, seconds, elapsed [h], AM/PM, the
// names of months and days (English, or Thai under a Thai [$-41E] locale, with the
// Buddhist year and Thai digits when the locale asks for them), quoted and escaped text.
QString formatDateTime(double serial, QStringView code);
// 0.055 under "0.0%" -> "5.5%".
QString formatPercent(double value, QStringView code);

// A number as plain decimal text: 1250.5 -> "1250.5", 3000 -> "3000"; text that is not a
// number is kept.
QString plainNumber(const QString &value);
// A number cell's stored value as its format shows it: dates, times and percentages as
// shown, every other number plain.
QString shownNumber(const QString &value, QStringView code);

}  // namespace vorlane
