#pragma once
// The money-order record and its one-line text form: eight fields, each closed by "|".
#include <QString>
#include <QStringList>
#include <array>

namespace vorlane {

inline constexpr int kFieldCount = 8;
inline constexpr QChar kBar = u'|';

enum Field : int {
    TypeCode = 0,
    DestPostcode = 1,
    RecipientName = 2,
    DepositorName = 3,
    Amount = 4,
    DestPostOfficeName = 5,
    RecipientAddress = 6,
    DepositorAddress = 7,
};

struct MoneyOrderRecord {
    std::array<QString, kFieldCount> fields;
    const QString &operator[](int i) const { return fields[i]; }
    QString &operator[](int i) { return fields[i]; }
};

// Field 0, bar, field 1, bar, ... field 7, bar; nothing trimmed, nothing added.
QString RecordLine(const MoneyOrderRecord &record);

// The scan shared by SplitRecordLine and LoadLineIntoEntryFields: the texts closed by
// "|", in order, at most `count` of them. Text after the last "|" is never returned.
QStringList ScanRecordFields(QStringView line, int count);

// The 21 slots that receive the fields of the last split line.
struct RecordFieldSlots {
    std::array<QString, 21> slot;
    const QString &operator[](int i) const { return slot[i]; }
    QString &operator[](int i) { return slot[i]; }
};

// Fills slots 0 .. count-1 from the line. The slots are cleared first, so a six-field
// line leaves slots 6 and 7 empty, as the entry window shows them.
void SplitRecordLine(QStringView line, int count, RecordFieldSlots &fields);

// Convenience: the eight fields of a line, missing ones empty.
MoneyOrderRecord SplitRecord(QStringView line);

// Exactly 6 or exactly 8 "|" anywhere in the line.
bool IsRecordLine(QStringView line);

} // namespace vorlane
