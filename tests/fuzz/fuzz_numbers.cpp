// Numeric conversion and the number patterns: every text either converts to a finite number
// or is refused, and every double formats into a pattern that converts back to it.
#include "fuzz_support.h"
#include "records/codec.h"
#include "records/numbers.h"

#include <QRegularExpression>

#include <cmath>
#include <cstring>

using namespace vorlane;

namespace {

bool matches(const QRegularExpression &re, const QString &s) { return re.match(s).hasMatch(); }

// The value a two-decimal pattern must show, within what 15 significant digits can say.
bool closeToTwoDecimals(double shown, double value)
{
    return std::fabs(shown - value) <= 0.005 + std::fabs(value) * 1e-13;
}

void checkPatterns(double v)
{
    static const QRegularExpression grouped(QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})*\\.[0-9]{2}$"));
    static const QRegularExpression noLead(QStringLiteral("^-?([1-9][0-9]{0,2}(,[0-9]{3})*)?\\.[0-9]{2}$"));
    static const QRegularExpression fixed(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    const double shownValue = std::isfinite(v) ? v : 0.0;

    const QString g = formatGrouped(v);
    FUZZ_CHECK(matches(grouped, g));
    const QString n = formatGroupedNoLead(v);
    FUZZ_CHECK(matches(noLead, n));
    const QString f = formatFixed2(v);
    FUZZ_CHECK(matches(fixed, f));
    FUZZ_CHECK(QString(g).remove(u',') == f);
    FUZZ_CHECK(g != QStringLiteral("-0.00") && n != QStringLiteral("-.00"));

    // Conversion takes at most about a hundred digits, far beyond any amount.
    for (const QString &s : {g, n, f}) {
        const auto back = toNumber(s);
        FUZZ_CHECK(back.has_value() || std::fabs(shownValue) >= 1e100);
        if (back)
            FUZZ_CHECK(closeToTwoDecimals(*back, shownValue));
    }

    const QString p = formatPlain(v);
    FUZZ_CHECK(!p.isEmpty());
    if (std::isfinite(v) && std::fabs(v) >= 1e-4 && std::fabs(v) < 1e15) {
        const auto back = toNumber(p);
        FUZZ_CHECK(back.has_value());
        // Ten decimals at most, fifteen significant digits.
        FUZZ_CHECK(std::fabs(*back - v) <= 5e-11 + std::fabs(v) * 1e-14);
    }

    const std::int64_t w = whole(v);
    if (!std::isfinite(v))
        FUZZ_CHECK(w == 0);
    else if (std::fabs(v) < 9e18)
        FUZZ_CHECK(double(w) == std::nearbyint(v));
}

bool allowedNumberText(QStringView t)
{
    t = t.trimmed();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        const bool sign = i == 0 && (c == u'+' || c == u'-');
        if (!sign && !(c >= u'0' && c <= u'9') && c != u',' && c != u'.')
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = cp874::decode(fuzz::bytesOf(data, size));
    const auto v = toNumber(text);
    FUZZ_CHECK(isNumeric(text) == v.has_value());
    if (v) {
        FUZZ_CHECK(std::isfinite(*v));
        FUZZ_CHECK(allowedNumberText(text));
        FUZZ_CHECK(text.count(u'.') <= 1);
        FUZZ_CHECK(!text.contains(QStringLiteral(",,")));
        checkPatterns(*v);
    }

    // Raw doubles, NaN, infinities and denormals included.
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        checkPatterns(d);
        checkPatterns(d / 1e300);
        checkPatterns(std::nearbyint(d * 100) / 100);
    }
    return 0;
}
