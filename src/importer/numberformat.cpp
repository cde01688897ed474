// Number format codes of workbooks: enough of them to show dates, times and percentages as
// the spreadsheet shows them. Where LibreOffice and the format's other readers differ, this
// follows LibreOffice (day 0 is 30 December 1899, with no 29 February 1900).
#include "importer/numberformat.h"

#include <QDate>
#include <QList>
#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

enum class Tok {
    Literal,
    Year,          // width 2 or 4
    BuddhistYear,  // width 2 or 4
    Month,         // width 1 or 2; may turn out to be minutes
    MonthShortName,
    MonthName,
    MonthLetter,
    Day,  // width 1 or 2
    DayShortName,
    DayName,
    Hour,
    Minute,
    Second,
    ElapsedHour,
    ElapsedMinute,
    ElapsedSecond,
    AmPm,  // text: the code's own "AM/PM", "am/pm", "A/P" ...
};

struct Token {
    Tok kind = Tok::Literal;
    int width = 0;
    QString text;
};

struct Format {
    QList<Token> tokens;
    int calendar = 0;  // 7: Thai Buddhist years
    int digits = 0;    // 0x0D: Thai digits
    bool thai = false;
    bool systemTime = false;  // [$-F400]: the system's long time, two-digit hours
    bool percent = false;
    bool general = false;
    int fraction = 0;  // digits of a second shown
    bool hasDate = false, hasTime = false, elapsed = false;
};

bool isDateTok(Tok k)
{
    switch (k) {
    case Tok::Year:
    case Tok::BuddhistYear:
    case Tok::Month:
    case Tok::MonthShortName:
    case Tok::MonthName:
    case Tok::MonthLetter:
    case Tok::Day:
    case Tok::DayShortName:
    case Tok::DayName: return true;
    default: return false;
    }
}
bool isTimeTok(Tok k)
{
    switch (k) {
    case Tok::Hour:
    case Tok::Minute:
    case Tok::Second:
    case Tok::ElapsedHour:
    case Tok::ElapsedMinute:
    case Tok::ElapsedSecond:
    case Tok::AmPm: return true;
    default: return false;
    }
}

// "[$-D07041E]": the low 16 bits are the locale (0x41E Thai), the next 8 the calendar, the
// top 8 the digits; "[$฿-41E]" also shows its symbol.
void readLocale(QStringView inside, Format &f)
{
    const qsizetype dash = inside.indexOf(u'-');
    const QStringView symbol = inside.sliced(1, (dash < 0 ? inside.size() : dash) - 1);
    if (!symbol.isEmpty())
        f.tokens.append({Tok::Literal, 0, symbol.toString()});
    if (dash < 0)
        return;
    bool ok = false;
    const quint32 id = inside.sliced(dash + 1).toUInt(&ok, 16);
    if (!ok)
        return;
    const quint32 lcid = id & 0xFFFF;
    f.thai = lcid == 0x041E;
    f.systemTime = lcid == 0xF400;
    f.calendar = int((id >> 16) & 0xFF);
    f.digits = int((id >> 24) & 0xFF);
}

Format parse(QStringView code)
{
    Format f;
    // The first section: the one shown for positive values and, here, for all.
    bool inQuote = false;
    qsizetype end = 0;
    for (; end < code.size(); ++end) {
        const QChar c = code[end];
        if (c == u'"')
            inQuote = !inQuote;
        else if (!inQuote && c == u'\\')
            ++end;
        else if (!inQuote && c == u';')
            break;
    }
    const QStringView s = code.first(std::min(end, code.size()));
    if (s.trimmed().compare(u"General"_s, Qt::CaseInsensitive) == 0 || s.trimmed().isEmpty()) {
        f.general = true;
        return f;
    }
    auto literal = [&](QStringView t) {
        if (!f.tokens.isEmpty() && f.tokens.last().kind == Tok::Literal)
            f.tokens.last().text += t;
        else
            f.tokens.append({Tok::Literal, 0, t.toString()});
    };
    auto runOf = [&](qsizetype i) {
        const QChar c = s[i].toLower();
        qsizetype n = 0;
        while (i + n < s.size() && s[i + n].toLower() == c)
            ++n;
        return n;
    };
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        const char16_t lc = c.toLower().unicode();
        if (c == u'"') {
            const qsizetype close = s.indexOf(u'"', i + 1);
            const qsizetype stop = close < 0 ? s.size() : close;
            literal(s.sliced(i + 1, stop - i - 1));
            i = stop + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (i + 1 < s.size() && c == u'\\')
                literal(s.sliced(i + 1, 1));
            else if (i + 1 < s.size() && c == u'_')
                literal(u" ");  // the width of the next character
            i += 2;             // "*x" fills the cell with x: nothing in a text
        } else if (c == u'[') {
            const qsizetype close = s.indexOf(u']', i + 1);
            const qsizetype stop = close < 0 ? s.size() : close;
            const QStringView inside = s.sliced(i + 1, stop - i - 1);
            if (inside.startsWith(u'$')) {
                readLocale(inside, f);
            } else if (!inside.isEmpty()) {
                const QChar k = inside[0].toLower();
                bool same = k == u'h' || k == u'm' || k == u's';
                for (QChar ch : inside)
                    same = same && ch.toLower() == k;
                if (same) {
                    const int w = int(std::min<qsizetype>(inside.size(), 2));
                    f.tokens.append({k == u'h'   ? Tok::ElapsedHour
                                     : k == u'm' ? Tok::ElapsedMinute
                                                 : Tok::ElapsedSecond,
                                     w,
                                     {}});
                }
                // Otherwise a colour or a condition: nothing shown.
            }
            i = stop + 1;
        } else if (lc == u'y' || lc == u'b') {
            const qsizetype n = runOf(i);
            f.tokens.append({lc == u'y' ? Tok::Year : Tok::BuddhistYear, n <= 2 ? 2 : 4, {}});
            i += n;
        } else if (lc == u'm') {
            const qsizetype n = runOf(i);
            const Tok k = n <= 2   ? Tok::Month
                          : n == 3 ? Tok::MonthShortName
                          : n == 5 ? Tok::MonthLetter
                                   : Tok::MonthName;
            f.tokens.append({k, int(std::min<qsizetype>(n, 2)), {}});
            i += n;
        } else if (lc == u'd') {
            const qsizetype n = runOf(i);
            f.tokens.append({n <= 2   ? Tok::Day
                             : n == 3 ? Tok::DayShortName
                                      : Tok::DayName,
                             int(std::min<qsizetype>(n, 2)),
                             {}});
            i += n;
        } else if (lc == u'h') {
            const qsizetype n = runOf(i);
            f.tokens.append({Tok::Hour, int(std::min<qsizetype>(n, 2)), {}});
            i += n;
        } else if (lc == u's') {
            const qsizetype n = runOf(i);
            f.tokens.append({Tok::Second, int(std::min<qsizetype>(n, 2)), {}});
            i += n;
            if (i + 1 < s.size() && s[i] == u'.' && s[i + 1] == u'0') {
                qsizetype z = 0;
                while (i + 1 + z < s.size() && s[i + 1 + z] == u'0')
                    ++z;
                f.fraction = int(std::min<qsizetype>(z, 3));
                i += 1 + z;
            }
        } else if (lc == u'a'
                   && (s.sliced(i).startsWith(u"am/pm", Qt::CaseInsensitive)
                       || s.sliced(i).startsWith(u"a/p", Qt::CaseInsensitive))) {
            const qsizetype n = s.sliced(i).startsWith(u"am/pm", Qt::CaseInsensitive) ? 5 : 3;
            f.tokens.append({Tok::AmPm, 0, s.sliced(i, n).toString()});
            i += n;
        } else {
            if (c == u'%')
                f.percent = true;
            literal(s.sliced(i, 1));
            ++i;
        }
    }
    // "m" after hours or before seconds is minutes.
    for (qsizetype t = 0; t < f.tokens.size(); ++t) {
        if (f.tokens[t].kind != Tok::Month)
            continue;
        auto neighbour = [&](qsizetype from, int step) {
            for (qsizetype u = from + step; u >= 0 && u < f.tokens.size(); u += step)
                if (f.tokens[u].kind != Tok::Literal)
                    return f.tokens[u].kind;
            return Tok::Literal;
        };
        const Tok before = neighbour(t, -1), after = neighbour(t, 1);
        if (before == Tok::Hour || before == Tok::ElapsedHour || after == Tok::Second || after == Tok::ElapsedSecond)
            f.tokens[t].kind = Tok::Minute;
    }
    for (const Token &t : f.tokens) {
        f.hasDate = f.hasDate || isDateTok(t.kind);
        f.hasTime = f.hasTime || isTimeTok(t.kind);
        f.elapsed = f.elapsed || t.kind == Tok::ElapsedHour || t.kind == Tok::ElapsedMinute
                    || t.kind == Tok::ElapsedSecond;
    }
    return f;
}

// Rounded to 15 significant digits, as a spreadsheet keeps its numbers: 4005899109.9999995
// seconds is 4005899110.
double significant15(double x)
{
    // Below about 1e-200 the scale itself would overflow; such a value needs no rounding.
    if (x == 0 || !std::isfinite(x) || std::abs(x) < 1e-200)
        return x;
    const int exponent = int(std::floor(std::log10(std::abs(x))));
    const double scale = std::pow(10.0, 14 - exponent);
    return std::round(x * scale) / scale;
}

QString padded(qint64 n, int width) { return QString::number(n).rightJustified(width, u'0'); }

const QLocale &thaiLocale()
{
    static const QLocale l(QLocale::Thai, QLocale::Thailand);
    return l;
}

QString thaiDigits(QString s)
{
    for (QChar &c : s)
        if (c >= u'0' && c <= u'9')
            c = QChar(u'๐' + (c.unicode() - u'0'));
    return s;
}

}  // namespace

QString builtInFormatCode(int id)
{
    // LibreOffice's reading of the built-in ids in an English locale; the East Asian and
    // Thai ids it shows as these short dates and times as well.
    switch (id) {
    case 14:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 36:
    case 50:
    case 51:
    case 52:
    case 53:
    case 54:
    case 55:
    case 56:
    case 57:
    case 58:
    case 71:
    case 72: return u"m/d/yyyy"_s;
    case 15:
    case 73: return u"d-mmm-yy"_s;
    case 16:
    case 74: return u"d-mmm"_s;
    case 17:
    case 75: return u"mmm-yy"_s;
    case 18: return u"h:mm AM/PM"_s;
    case 19: return u"h:mm:ss AM/PM"_s;
    case 20:
    case 76: return u"h:mm"_s;
    case 21:
    case 32:
    case 33:
    case 34:
    case 35:
    case 77: return u"h:mm:ss"_s;
    case 22:
    case 78: return u"m/d/yyyy h:mm"_s;
    case 45:
    case 79: return u"mm:ss"_s;
    case 46:
    case 80: return u"[h]:mm:ss"_s;
    case 47:
    case 81: return u"mm:ss.0"_s;
    case 9:
    case 67: return u"0%"_s;
    case 10:
    case 68: return u"0.00%"_s;
    default: return {};
    }
}

NumberShown shownAs(QStringView code)
{
    const Format f = parse(code);
    if (f.general)
        return NumberShown::Plain;
    if (f.hasDate || f.hasTime)
        return NumberShown::DateTime;
    return f.percent ? NumberShown::Percent : NumberShown::Plain;
}

QString formatDateTime(double serial, QStringView code)
{
    const Format f = parse(code);
    // Beyond about the year 29000 a day count is no longer a date worth showing.
    if (!std::isfinite(serial) || std::abs(serial) > 1e7)
        return {};
    qint64 unit = 1;
    for (int k = 0; k < f.fraction; ++k)
        unit *= 10;
    const qint64 day = 86400 * unit;
    const double x = serial * 86400.0;  // seconds since day 0
    qint64 total;                       // in units of a second's shown fraction
    if (f.elapsed) {
        total = std::llround(x * double(unit));
    } else if (f.hasDate && f.hasTime) {
        // A time of day with its date: hundredths of a millisecond of noise do not count, and
        // the last half second of a day is shown as the next day's midnight.
        const double t = std::round(x * 1e4) / 1e4;
        total = qint64(std::floor(t * double(unit)));
        const double days = std::floor(t / 86400.0);
        if (f.fraction == 0 && t - days * 86400.0 >= 86399.5)
            total = (qint64(days) + 1) * day;
    } else if (f.hasTime) {
        total = qint64(std::floor(significant15(x * double(unit))));
    } else {
        total = qint64(std::floor(significant15(serial))) * day;
    }
    const qint64 days = total >= 0 ? total / day : -((-total + day - 1) / day);
    const qint64 ofDay = total - days * day;
    const QDate date = QDate(1899, 12, 30).addDays(days);
    const qint64 seconds = ofDay / unit;
    const qint64 hour = seconds / 3600, minute = seconds / 60 % 60, second = seconds % 60;
    bool twelve = false;
    for (const Token &t : f.tokens)
        twelve = twelve || t.kind == Tok::AmPm;
    // Elapsed time counts from day 0 and carries its sign.
    const qint64 elapsedUnits = total < 0 ? -total : total;
    const qint64 elapsedSeconds = elapsedUnits / unit;
    QString out;
    if (f.elapsed && total < 0)
        out += u'-';
    const int year = date.year() + (f.calendar == 7 ? 543 : 0);
    for (const Token &t : f.tokens) {
        switch (t.kind) {
        case Tok::Literal: out += t.text; break;
        case Tok::Year: out += t.width == 2 ? padded(((year % 100) + 100) % 100, 2) : QString::number(year); break;
        case Tok::BuddhistYear: {
            const int b = date.year() + 543;
            out += t.width == 2 ? padded(b % 100, 2) : QString::number(b);
            break;
        }
        case Tok::Month: out += padded(date.month(), t.width); break;
        case Tok::MonthShortName:
            out += f.thai ? thaiLocale().monthName(date.month(), QLocale::ShortFormat)
                          : QLocale::c().monthName(date.month(), QLocale::ShortFormat);
            break;
        case Tok::MonthName:
            out += f.thai ? thaiLocale().monthName(date.month()) : QLocale::c().monthName(date.month());
            break;
        case Tok::MonthLetter:
            out += (f.thai ? thaiLocale().monthName(date.month()) : QLocale::c().monthName(date.month())).left(1);
            break;
        case Tok::Day: out += padded(date.day(), t.width); break;
        case Tok::DayShortName:
            out += f.thai ? thaiLocale().dayName(date.dayOfWeek(), QLocale::ShortFormat)
                          : QLocale::c().dayName(date.dayOfWeek(), QLocale::ShortFormat);
            break;
        case Tok::DayName:
            out += f.thai ? thaiLocale().dayName(date.dayOfWeek()) : QLocale::c().dayName(date.dayOfWeek());
            break;
        case Tok::Hour:
            out += padded(twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour, f.systemTime ? 2 : t.width);
            break;
        case Tok::Minute: out += padded(f.elapsed ? elapsedSeconds / 60 % 60 : minute, t.width); break;
        case Tok::Second:
            out += padded(f.elapsed ? elapsedSeconds % 60 : second, t.width);
            if (f.fraction > 0)
                out += u'.' + padded((f.elapsed ? elapsedUnits : ofDay) % unit, f.fraction);
            break;
        case Tok::ElapsedHour: out += padded(elapsedSeconds / 3600, t.width); break;
        case Tok::ElapsedMinute: out += padded(elapsedSeconds / 60, t.width); break;
        case Tok::ElapsedSecond: out += padded(elapsedSeconds, t.width); break;
        case Tok::AmPm: {
            const qsizetype slash = t.text.indexOf(u'/');
            out += hour < 12 ? t.text.left(slash) : t.text.mid(slash + 1);
            break;
        }
        }
    }
    return f.digits == 0x0D ? thaiDigits(out) : out;
}

QString formatPercent(double value, QStringView code)
{
    const Format f = parse(code);
    // Decimals: the placeholders after the point, in the literal text of the first section.
    int decimals = 0;
    for (const Token &t : f.tokens) {
        if (t.kind != Tok::Literal)
            continue;
        const qsizetype dot = t.text.indexOf(u'.');
        if (dot < 0)
            continue;
        for (qsizetype i = dot + 1; i < t.text.size() && (t.text[i] == u'0' || t.text[i] == u'#'); ++i)
            ++decimals;
        break;
    }
    return QString::number(value * 100, 'f', decimals) + u'%';
}

namespace {

// A stored value that already reads as the General format shows it: plain digits with at
// most one decimal point, at most 15 of them, no zero that the format would drop. Nearly
// every cell of a workbook is such a value; it needs no conversion.
bool shownAsStored(QStringView v)
{
    if (v.isEmpty() || v.size() > 16)
        return false;
    qsizetype i = v.front() == u'-' ? 1 : 0;
    if (i == v.size())
        return false;
    int digits = 0;
    qsizetype dot = -1;
    for (qsizetype k = i; k < v.size(); ++k) {
        const QChar c = v[k];
        if (c == u'.' && dot < 0)
            dot = k;
        else if (c >= u'0' && c <= u'9')
            ++digits;
        else
            return false;
    }
    if (digits > 15 || dot == i || dot == v.size() - 1)
        return false;
    // "007", "-0", "1.50": the shortest form differs.
    const qsizetype intEnd = dot < 0 ? v.size() : dot;
    if (v[i] == u'0' && (intEnd - i > 1 || (dot < 0 && i == 1)))
        return false;
    if (dot >= 0 && v.back() == u'0')
        return false;
    return true;
}

}  // namespace

QString plainNumber(const QString &value)
{
    if (shownAsStored(value))
        return value;
    bool ok = false;
    const double d = value.trimmed().toDouble(&ok);
    if (!ok)
        return value;
    // As a spreadsheet shows it in the General format: at most 15 significant digits, so
    // a computed 70.00000000000001 is 70; never an exponent.
    const double shown = QString::number(d, 'g', 15).toDouble();
    QString s = QString::number(shown, 'f', QLocale::FloatingPointShortest);
    return s == u"-0"_s ? u"0"_s : s;
}

QString shownNumber(const QString &value, QStringView code)
{
    const NumberShown shown = code.size() <= kLongestCode ? shownAs(code) : NumberShown::Plain;
    if (shown == NumberShown::Plain)
        return plainNumber(value);
    bool ok = false;
    const double d = value.trimmed().toDouble(&ok);
    if (!ok)
        return value;
    const QString text = shown == NumberShown::DateTime ? formatDateTime(d, code) : formatPercent(d, code);
    return text.isEmpty() ? plainNumber(value) : text;
}

}  // namespace vorlane
