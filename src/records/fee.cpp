#include "records/fee.h"

#include "records/numbers.h"

#include <algorithm>
#include <cstdint>

namespace vorlane {
namespace {

// First Z baht cost B; every further Z baht or part of Z costs S.
// Z must round to a non-zero whole number (checked by the caller).
double stepRule(double x, double B, double S, double Z)
{
    if (Z >= x)
        return B;
    const std::int64_t z = whole(Z);
    std::int64_t n = whole(x - Z) / z;
    if (whole(x) % z != 0)
        ++n;
    return S * double(n) + B;
}

double feeFor(const RateFigures &row, QStringView amount, std::optional<double> parsed)
{
    const double B = row.base;
    const double S = row.step;
    const double Zu = row.stepSize;
    const double Lu = row.splitLimit;

    if (!row.readable)
        return 0;
    if (S == 0)
        return B;
    if (S < 0 || Lu < 0)
        return 0;

    if (!parsed)
        return 0;
    double a = *parsed;
    double scale = 1;
    // Amounts with a decimal point are charged in hundredths of a baht, after rounding
    // to two decimals when more were keyed.
    const qsizetype dot = amount.indexOf(u'.');
    if (dot >= 0) {
        if (amount.size() - dot - 1 >= 3)
            a = toNumber(formatFixed2(a)).value_or(a);
        scale = 100;
        a *= 100;
    }
    const double Z = Zu * scale;
    const double L = Lu * scale;

    // A step that rounds to nothing would divide by zero, and a negative one would
    // charge less the more is sent: charge the base fee.
    if (whole(Z) <= 0)
        return B;
    if (L == 0 || L > a)
        return stepRule(a, B, S, Z);

    // Split rule: k full orders of L, each charged as the unscaled L would be, then the rest.
    const std::int64_t l = whole(L);
    const std::int64_t zu = whole(Zu);
    if (l <= 0 || zu <= 0)
        return B;
    const std::int64_t k = whole(a) / l;
    const double F = (S * double(whole(Lu - Zu) / zu) + B) * double(k);
    if (whole(a) % l == 0)
        return F;
    const double y = a - L * double(k);
    return F + stepRule(y, B, S, Z);
}

}  // namespace

namespace {
double anyFee(const RateTable &rates, QStringView typeCode, QStringView amount, std::optional<double> parsed)
{
    if (rates.rowCount == 0)
        return 0;
    // A type code found in no row is charged by row 0.
    const auto type = toNumber(typeCode);
    if (rates.hasFigures()) {
        int r = 0;
        if (type) {
            const std::int64_t t = whole(*type);
            for (int i = 0; i < rates.rowCount; ++i) {
                if (rates.figures[i].hasType && rates.figures[i].type == t) {
                    r = i;
                    break;
                }
            }
        }
        return feeFor(rates.figures[r], amount, parsed);
    }
    const int r = rates.rowByValue(typeCode).value_or(0);
    return feeFor(ParseRateRow(rates.rows[r]), amount, parsed);
}

}  // namespace

double ComputeFee(const RateTable &rates, QStringView typeCode, QStringView amount)
{
    // A negative base or step in the table is a mistake there; the order costs nothing
    // rather than paying the sender.
    return std::max(0.0, anyFee(rates, typeCode, amount, toNumber(amount)));
}

std::optional<double> ComputeFeeExact(const RateTable &rates, QStringView typeCode, QStringView amount)
{
    return ComputeFeeExact(rates, typeCode, amount, toNumber(amount));
}

std::optional<double> ComputeFeeExact(const RateTable &rates, QStringView typeCode, QStringView amount,
                                      std::optional<double> parsed)
{
    if (parsed && isBeyondExact(*parsed))
        return std::nullopt;
    return std::max(0.0, anyFee(rates, typeCode, amount, parsed));
}

}  // namespace vorlane
