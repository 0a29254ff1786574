#include "unitnumbers.h"

#include <QLocale>

#include <limits>

namespace UnitNumbers {

int truncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

double roundToDecimals(double value, int decimals)
{
    const double factor = powerOfTen(decimals);
    if (factor == 0.0)
        return std::isfinite(value) ? 0.0 : value;
    const double scaled = value * factor;
    if (!std::isfinite(scaled))
        return value;
    return std::round(scaled) / factor;
}

bool roundsToZero(double value, int decimals)
{
    return roundToDecimals(value, decimals) == 0.0;
}

float toSingle(double value)
{
    if (value > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (value < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return float(value);
}

int boundedDecimals(int decimals)
{
    return qMin(decimals, MaxDecimals);
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', boundedDecimals(decimals));
}

QString localeFixed(double value, int decimals)
{
    // The same text as QStringLiteral("%L1").arg(value, 0, 'f', decimals), without parsing the
    // template on every reading.
    return QLocale().toString(value, 'f', boundedDecimals(decimals));
}

} // namespace UnitNumbers
