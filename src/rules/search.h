#pragma once
#include <QString>
#include <QStringList>

namespace vorlane {
struct PostOfficeMatch {
    int index = -1;  // position in the post-office lists; -1 when nothing matched
    QString text;    // what the result box shows; empty when nothing matched
};

// The first post office, in list order, whose postcode (numeric search text) or trimmed
// name (any other text) begins with the trimmed search text.
PostOfficeMatch FindPostOffice(const QStringList &postcodes, const QStringList &names, const QString &search);

// The message for Enter in the search box: nothing typed (blanks only) cannot be looked up.
// Empty when the text can be searched.
QString SearchTextRefusal(const QString &typed);
// The message for "ตกลง" when no post office was found; empty when one was.
QString SearchChoiceRefusal(int foundIndex);
}  // namespace vorlane
