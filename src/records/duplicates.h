#pragma once
// Possible duplicates: two orders to the same recipient at the same post office for the
// same amount are most often one order keyed or imported twice. They are asked about or
// warned of, never refused: an office may really send them.
#include "records/recordline.h"
#include "records/recordstore.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

// What two orders share when they look like one: the recipient (white space around and
// inside folded), the postcode and the amount's value ("1,250.50" is "1250.5").
QString DuplicateKey(QStringView recipient, QStringView postcode, QStringView amount);
QString DuplicateKey(const MoneyOrderRecord &record);

// The first record of the store, other than the one at `except`, with the record's key;
// -1 when there is none.
qsizetype FindDuplicate(const RecordStore &store, const MoneyOrderRecord &record, qsizetype except = -1);

struct DuplicatePair {
    qsizetype first = 0;   // index of the earlier record
    qsizetype second = 0;  // index of the later one with the same key
};
// Every later record paired with the first one of its key, in order.
QList<DuplicatePair> DuplicatePairs(const QStringList &lines);

// The warning for a pair, with the numbers the user sees (rows or lines), in Thai.
QString DuplicateWarning(const QString &where, qsizetype first, qsizetype second);

}  // namespace vorlane
