#include "records/duplicates.h"

#include "records/numbers.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// The recipient as two keyings of one name compare: white space folded to single blanks.
QString foldedName(QStringView name)
{
    QString out;
    out.reserve(name.size());
    bool blank = false;
    for (QChar c : name.trimmed()) {
        if (c.isSpace()) {
            blank = true;
            continue;
        }
        if (blank)
            out += u' ';
        blank = false;
        out += c;
    }
    return out;
}

bool sameName(QStringView a, QStringView b)
{
    a = a.trimmed();
    b = b.trimmed();
    return a == b || foldedName(a) == foldedName(b);
}

} // namespace

QString DuplicateKey(QStringView recipient, QStringView postcode, QStringView amount)
{
    const auto value = toNumber(amount);
    return foldedName(recipient) + u'|' + postcode.trimmed().toString() + u'|'
           + (value ? formatFixed2(*value) : amount.trimmed().toString());
}

QString DuplicateKey(const MoneyOrderRecord &record)
{
    return DuplicateKey(record[RecipientName], record[DestPostcode], record[Amount]);
}

qsizetype FindDuplicate(const RecordStore &store, const MoneyOrderRecord &record, qsizetype except)
{
    const QString key = DuplicateKey(record);
    const QString &name = record[RecipientName];
    for (qsizetype i = 0; i < store.count(); ++i) {
        if (i == except)
            continue;
        const QStringView line = store.view(i);
        // The name first: nearly every line differs there, without a key to build.
        if (!sameName(RecordFieldAt(line, RecipientName), name))
            continue;
        if (DuplicateKey(RecordFieldAt(line, RecipientName), RecordFieldAt(line, DestPostcode),
                         RecordFieldAt(line, Amount)) == key)
            return i;
    }
    return -1;
}

QList<DuplicatePair> DuplicatePairs(const QStringList &lines)
{
    QList<DuplicatePair> pairs;
    QHash<QString, qsizetype> firstOf;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        const QString key = DuplicateKey(RecordFieldAt(line, RecipientName), RecordFieldAt(line, DestPostcode),
                                         RecordFieldAt(line, Amount));
        const auto it = firstOf.constFind(key);
        if (it == firstOf.constEnd())
            firstOf.insert(key, i);
        else
            pairs.append({*it, i});
    }
    return pairs;
}

QString DuplicateWarning(const QString &where, qsizetype first, qsizetype second)
{
    return where + u" "_s + QString::number(second) + u" อาจซ้ำกับ"_s + where + u" "_s + QString::number(first)
           + u" (ผู้รับ รหัสไปรษณีย์ และจำนวนเงินเดียวกัน)"_s;
}

} // namespace vorlane
