#include "records/fee.h"

#include "records/numbers.h"

#include <cstdint>

namespace vorlane {
namespace {

double valueOrZero(const QString &text)
{
    return toNumber(text).value_or(0.0);
}

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

} // namespace

double ComputeFee(const RateTable &rates, QStringView typeCode, QStringView amount)
{
    if (rates.rowCount == 0)
        return 0;
    const int r = rates.rowByValue(typeCode).value_or(0);
    const RateRow &row = rates.rows[r];
    const double B = valueOrZero(row.BaseFee);
    const double S = valueOrZero(row.StepFee);
    const double Zu = valueOrZero(row.StepSize);
    const double Lu = valueOrZero(row.SplitLimit);

    if (S == 0)
        return B;
    if (S < 0 || Lu < 0)
        return 0;

    // Amounts with a decimal point are charged in hundredths of a baht.
    QString amountText = amount.toString();
    const auto parsed = toNumber(amountText);
    if (!parsed)
        return 0;
    double a = *parsed;
    double scale = 1;
    const qsizetype dot = amountText.indexOf(u'.');
    if (dot >= 0) {
        if (amountText.size() - dot - 1 >= 3) {
            amountText = formatFixed2(a);
            a = toNumber(amountText).value_or(a);
        }
        scale = 100;
        a *= 100;
    }
    const double Z = Zu * scale;
    const double L = Lu * scale;

    // A step that rounds to nothing would divide by zero: charge the base fee.
    if (whole(Z) == 0)
        return B;

    if (L == 0)
        return stepRule(a, B, S, Z);

    // Split rule: full orders of L, then the rest by the step rule.
    if (L > a)
        return stepRule(a, B, S, Z);
    const std::int64_t l = whole(L);
    const std::int64_t zu = whole(Zu);
    if (l == 0 || zu == 0)
        return B;
    const std::int64_t k = whole(a) / l;
    const double F = (S * double(whole(Lu - Zu) / zu) + B) * double(k);
    if (whole(a) % l == 0)
        return F;
    const double y = a - L * double(k);
    return F + stepRule(y, B, S, Z);
}

} // namespace vorlane
