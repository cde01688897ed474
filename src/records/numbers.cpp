#include "records/numbers.h"
#include "records/texthelpers.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vorlane {

std::optional<double> toNumber(QStringView text)
{
    QStringView t = trimWhiteSpace(text);
    if (t.isEmpty())
        return std::nullopt;
    // Built on the stack: this runs for every record on every refresh of the totals.
    char buf[128];
    std::size_t n = 0;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'+' || t[0] == u'-') {
        negative = t[0] == u'-';
        ++i;
    }
    bool digits = false, point = false, lastComma = false, lastDigit = false;
    // The digits as a whole number too, for the common short amount.
    std::uint64_t mantissa = 0;
    int digitCount = 0, fractionDigits = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (n + 1 >= sizeof buf)
                return std::nullopt;  // no amount has a hundred digits
            buf[n++] = char(c);
            if (++digitCount <= 15)
                mantissa = mantissa * 10 + std::uint64_t(c - u'0');
            if (point)
                ++fractionDigits;
            digits = true;
            lastDigit = true;
            lastComma = false;
        } else if (c == u',') {
            // A thousands separator stands between digits of the whole part.
            if (point || !lastDigit)
                return std::nullopt;
            lastComma = true;
            lastDigit = false;
        } else if (c == u'.') {
            if (point || lastComma)
                return std::nullopt;
            point = true;
            if (n + 1 >= sizeof buf)
                return std::nullopt;
            buf[n++] = '.';
            lastDigit = false;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || lastComma)
        return std::nullopt;
    if (digitCount <= 15) {
        // Both numbers are exact doubles, so the one division rounds exactly as the full
        // conversion below does.
        static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double v = double(mantissa) / kPow10[fractionDigits];
        return negative ? -v : v;
    }
    double v = 0;
    const auto [end, ec] = std::from_chars(buf, buf + n, v);
    if (ec != std::errc() || end != buf + n || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

std::int64_t whole(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double r = std::nearbyint(value);  // default rounding: halves to even
    if (r >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);
}

namespace {

// The value rounded half away from zero to `decimals`, as digit text without a sign:
// whole part and fraction. Works on the shortest decimal form of the double (15
// significant digits), so 1.005 rounds to 1.01 as a person reading it expects.
struct Digits {
    bool negative = false;
    QString intPart;
    QString fracPart;
};

Digits roundDecimal(double value, int decimals)
{
    Digits d;
    if (!std::isfinite(value))
        value = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15e", std::fabs(value));
    // buf: d.ddddddddddddddde[+-]xx
    QString mant;
    int exp = 0;
    {
        QString s = QString::fromLatin1(buf);
        const qsizetype e = s.indexOf(u'e');
        mant = s.left(e).remove(u'.');
        exp = s.mid(e + 1).toInt();
    }
    // Trim to 15 significant digits (the last printed digit may be noise).
    mant = mant.left(15);
    // Digits as an integer string scaled so that the point sits after position intLen.
    qsizetype intLen = exp + 1;
    QString all = mant;
    if (intLen <= 0) {
        all = QString(-intLen, u'0') + all;
        intLen = 0;
    }
    while (all.size() < intLen + decimals + 1)
        all.append(u'0');
    QString kept = all.left(intLen + decimals);
    const bool roundUp = all.at(intLen + decimals) >= u'5';
    if (roundUp) {
        qsizetype k = kept.size() - 1;
        for (; k >= 0; --k) {
            if (kept[k] == u'9') {
                kept[k] = u'0';
            } else {
                kept[k] = QChar(kept[k].unicode() + 1);
                break;
            }
        }
        if (k < 0) {
            kept.prepend(u'1');
            ++intLen;
        }
    }
    d.intPart = kept.left(intLen);
    d.fracPart = kept.mid(intLen);
    while (d.intPart.size() > 1 && d.intPart.startsWith(u'0'))
        d.intPart.remove(0, 1);
    if (d.intPart == u"0")
        d.intPart.clear();
    bool zero = d.intPart.isEmpty();
    for (QChar c : d.fracPart)
        zero = zero && c == u'0';
    d.negative = value < 0 && !zero;
    return d;
}

QString group(const QString &intPart)
{
    QString out;
    const qsizetype n = intPart.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(u',');
        out.append(intPart[i]);
    }
    return out;
}

QString assemble(const Digits &d, bool grouped, bool leadingZero)
{
    QString intPart = d.intPart;
    if (intPart.isEmpty() && leadingZero)
        intPart = QStringLiteral("0");
    QString s = d.negative ? QStringLiteral("-") : QString();
    s += grouped ? group(intPart) : intPart;
    if (!d.fracPart.isEmpty())
        s += u'.' + d.fracPart;
    return s;
}

}  // namespace

QString formatGrouped(double value) { return assemble(roundDecimal(value, 2), true, true); }
QString formatGroupedNoLead(double value) { return assemble(roundDecimal(value, 2), true, false); }
QString formatFixed2(double value) { return assemble(roundDecimal(value, 2), false, true); }

QString formatPlain(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    // Up to 15 significant digits, no exponent for the amounts this program meets.
    if (std::fabs(value) < 1e15 && std::fabs(value) >= 1e-4) {
        Digits d = roundDecimal(value, 10);
        QString frac = d.fracPart;
        while (frac.endsWith(u'0'))
            frac.chop(1);
        QString out = d.negative ? QStringLiteral("-") : QString();
        out += d.intPart.isEmpty() ? QStringLiteral("0") : d.intPart;
        if (!frac.isEmpty())
            out += u'.' + frac;
        return out;
    }
    return QString::number(value, 'g', 15);
}

}  // namespace vorlane
