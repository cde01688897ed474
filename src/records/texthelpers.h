#pragma once
// Blank trimming, with one rule: a blank is U+0020 and nothing else, as the entry checks
// count it, so a text trimmed anywhere means what the checks saw.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vorlane {

// Leading and trailing blanks stripped.
QStringView trimmedBlanks(QStringView text);
QString trimBlanks(QStringView text);
// Leading blanks only: how fields are shown and compared on the review and the slip.
QStringView trimLeadingBlanks(QStringView text);
// Empty, or blanks only.
bool isBlank(QStringView text);
// First entry whose trimmed text equals the trimmed text; -1 when none.
int indexOfTrimmed(const QStringList &list, QStringView text);

// Any white space (tab, line break, no-break space ...) stripped from both ends. Not the
// blank rule: the texts that have always been read this way keep it, because narrowing it
// would refuse or misread what they accept today: numbers, reference-table fields, file
// names, page numbers, search texts and the spreadsheet's cells.
QStringView trimWhiteSpace(QStringView text);

}  // namespace vorlane
