#include "metricprefixconversion.h"

#include "siprefix.h"
#include "unitnumbers.h"

#include <QStringBuilder>

#include <cmath>
#include <limits>

using namespace UnitNumbers;

namespace {

QString valueText(const QString &number, const QString &prefix, const QString &unit)
{
    return number % QLatin1Char(' ') % prefix % unit;
}

} // namespace

MetricPrefixConversion::MetricPrefixConversion(QObject *parent)
    : QObject(parent)
{
}

MetricPrefixConversion::~MetricPrefixConversion() = default;

QString MetricPrefixConversion::getPrefix(double value) const
{
    const double v = std::fabs(value);
    if (v >= 1e9)
        return QStringLiteral("G");
    if (v >= 1e6)
        return QStringLiteral("M");
    if (v >= 1e3)
        return QStringLiteral("k");
    if (v >= 1.0)
        return QString();
    if (v >= 1e-3)
        return QStringLiteral("m");
    if (v >= 1e-6)
        return QStringLiteral("u");
    if (v >= 1e-9)
        return QStringLiteral("n");
    return QStringLiteral("p"); // also 0 and NaN
}

double MetricPrefixConversion::roundIfGreaterThanOne(double value, int precision,
                                                     int smallestPrecision) const
{
    if (std::fabs(value) < 1.0)
        return value;
    return roundToDecimals(value, qMax(precision, smallestPrecision));
}

int MetricPrefixConversion::getPrecisionByUnitPrefix(int precision, const QString &prefix,
                                                     int smallestPrecision) const
{
    if (!SiPrefix::contains(prefix))
        return qMax(smallestPrecision, precision);
    // Held to the int range: a precision near INT_MAX plus the exponent must not wrap around.
    const qint64 shifted = qint64(precision) + SiPrefix::exponent(prefix);
    return qMax(smallestPrecision,
                int(qBound<qint64>(std::numeric_limits<int>::min(), shifted,
                                   std::numeric_limits<int>::max())));
}

bool MetricPrefixConversion::shouldReturnZero(double value, int precision) const
{
    return roundsToZero(value, precision);
}

QString MetricPrefixConversion::getValueWithUnitPrefix(double value, int precision,
                                                       const QString &unit) const
{
    if (value == 0.0)
        return valueText(fixed(value, precision), QString(), unit);
    // The prefix follows the value as it will show, so 999.96 with no decimals is "1 kHz"; the
    // printed number itself comes from the unrounded value.
    const QString prefix = getPrefix(roundIfGreaterThanOne(value, precision, 0));
    double multiplier = 1.0;
    if (SiPrefix::multiplier(prefix, &multiplier))
        value /= multiplier;
    const int decimals = getPrecisionByUnitPrefix(precision, prefix, 0);
    return valueText(fixed(value, decimals), prefix, unit);
}

QString MetricPrefixConversion::getValueWithUnitPrefix(double value, int precision,
                                                       const QString &unit,
                                                       const QString &minimumPrefix,
                                                       int smallestPrecision) const
{
    if (value == 0.0)
        return valueText(fixed(value, precision), QString(), unit);
    QString prefix = getPrefix(roundIfGreaterThanOne(value, precision, smallestPrecision));
    if (SiPrefix::exponent(minimumPrefix) > SiPrefix::exponent(prefix))
        prefix = minimumPrefix;
    double multiplier = 1.0;
    if (SiPrefix::multiplier(prefix, &multiplier))
        value /= multiplier;
    const int decimals = getPrecisionByUnitPrefix(precision, prefix, smallestPrecision);
    const QString number = fixed(value, decimals);
    // A bare zero needs no prefix.
    if (number == QLatin1String("0"))
        return valueText(number, QString(), unit);
    return valueText(number, prefix, unit);
}

QString
MetricPrefixConversion::getValueWithZeroPrecisionUnitPrefixAndSpace(double value,
                                                                    const QString &unit) const
{
    if (value == 0.0)
        return QLatin1String("0 ") + unit;
    QString prefix = getPrefix(roundIfGreaterThanOne(value, 0, 0));
    int exponent = SiPrefix::exponent(prefix);
    if (exponent < 0) {
        prefix.clear();
        exponent = 0;
    }
    value /= SiPrefix::multiplierOr(prefix, 1.0);
    const int decimals = exponent + (prefix == QLatin1String("k") ? 1 : 0);
    QString number = fixed(value, decimals);
    // Groups of three decimals; only where there is a decimal point to count from (not in
    // "inf"), so that the text is never padded.
    const int point = number.indexOf(QLatin1Char('.'));
    if (point >= 0 && (decimals == 6 || decimals == 9)) {
        number.insert(point + 4, QLatin1Char(' '));
        if (decimals == 9)
            number.insert(point + 8, QLatin1Char(' '));
    }
    return valueText(number, prefix, unit);
}

QString MetricPrefixConversion::getValueWithoutUnitPrefix(double value, int precision,
                                                          const QString &unit) const
{
    // Unlike the other texts, this one never shows Qt's default decimals for a negative count.
    const QString number = shouldReturnZero(value, precision) ? QStringLiteral("0")
                                                              : fixed(value, qMax(precision, 0));
    if (unit.isEmpty())
        return number;
    return number % QLatin1Char(' ') % unit;
}
