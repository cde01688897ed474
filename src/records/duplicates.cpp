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

// QChar::isSpace without its out-of-line call for the letters a name is made of.
bool isSpaceFast(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u == u' ' || (u >= u'\t' && u <= u'\r');
    if (u >= 0x0E00 && u <= 0x0E7F)  // Thai
        return false;
    return c.isSpace();
}

// foldedName(a) == foldedName(b), without making either: it runs over every line of the
// batch at each keyed save.
bool sameName(QStringView a, QStringView b)
{
    a = a.trimmed();
    b = b.trimmed();
    const qsizetype na = a.size(), nb = b.size();
    qsizetype i = 0, j = 0;
    while (i < na && j < nb) {
        const QChar ca = a[i], cb = b[j];
        const bool spaceA = isSpaceFast(ca);
        if (ca == cb && !spaceA) {
            ++i;
            ++j;
            continue;
        }
        if (!spaceA || !isSpaceFast(cb))
            return false;
        while (i < na && isSpaceFast(a[i]))
            ++i;
        while (j < nb && isSpaceFast(b[j]))
            ++j;
    }
    return i == na && j == nb;
}

// The recipient's field of a record line, found with a plain loop: the fields before it
// are a few characters, too short for a searching call to pay.
QStringView recipientOf(QStringView line)
{
    const QChar *p = line.data();
    const qsizetype n = line.size();
    qsizetype i = 0;
    for (int bars = 0; bars < RecipientName; ++i) {
        if (i >= n)
            return {};
        if (p[i] == kBar)
            ++bars;
    }
    qsizetype end = i;
    while (end < n && p[end] != kBar)
        ++end;
    return end < n ? line.sliced(i, end - i) : QStringView();
}

}  // namespace

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
        if (!sameName(recipientOf(line), name))
            continue;
        if (DuplicateKey(RecordFieldAt(line, RecipientName), RecordFieldAt(line, DestPostcode),
                         RecordFieldAt(line, Amount))
            == key)
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

}  // namespace vorlane
