#pragma once
// The money-order record and its one-line text form: eight fields, each closed by "|".
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <type_traits>

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

// The one scan of a record line, over its text or over its bytes in the code page ("|" is
// the same single byte there): the texts closed by "|", in order, as views into the line.
// Text after the last "|" is never a field. Nothing is copied, so the totals can run it
// over every line of a batch or of a file.
template <typename View>
class BasicRecordFieldScanner {
public:
    explicit BasicRecordFieldScanner(View line) : m_line(line) {}
    // The next field into `field`; false when no "|" follows.
    bool next(View &field)
    {
        const qsizetype bar = m_line.indexOf(kBarOf, m_pos);
        if (bar < 0)
            return false;
        field = m_line.sliced(m_pos, bar - m_pos);
        m_pos = bar + 1;
        return true;
    }

private:
    using Char = std::conditional_t<std::is_same_v<View, QByteArrayView>, char, QChar>;
    static constexpr Char kBarOf = Char(u'|');
    View m_line;
    qsizetype m_pos = 0;
};
using RecordFieldScanner = BasicRecordFieldScanner<QStringView>;
using RecordByteFieldScanner = BasicRecordFieldScanner<QByteArrayView>;

// Fields 0 .. count-1 of the line into out[0 ..]; returns how many the line has, at most count.
int RecordFieldViews(QStringView line, QStringView *out, int count);
int RecordFieldViews(QByteArrayView line, QByteArrayView *out, int count);

// Field i of the line; empty when the line has fewer fields.
QStringView RecordFieldAt(QStringView line, int i);
QByteArrayView RecordFieldAt(QByteArrayView line, int i);

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
constexpr bool IsRecordBarCount(qsizetype bars) { return bars == 6 || bars == 8; }
bool IsRecordLine(QStringView line);
bool IsRecordLine(QByteArrayView line);

}  // namespace vorlane
