#pragma once

#include <QString>

#include <cmath>

// Number helpers shared by the unit classes. Every displayed number goes through Qt's own
// formatting, so that ties round the same way on every page.
namespace UnitNumbers {

// ln 10. Powers of ten are formed as exp(n * ln10); the small inexactness (10^1 is
// 10.000000000000002) is part of the documented results.
constexpr double Ln10 = 2.302585092994046;

// Decimals above this are cut, so that a wild precision from QML cannot ask for a string of
// gigabytes. No reading needs more than a few.
constexpr int MaxDecimals = 99;

inline double powerOfTen(double n)
{
    return std::exp(n * Ln10);
}

// Toward zero into a 32-bit signed integer, saturating at its range; NaN gives 0.
int truncateToInt(double value);

// Narrowed to single precision; magnitudes beyond the float range become infinities (a plain
// conversion of those is undefined).
float toSingle(double value);

// Cut at MaxDecimals. A negative count goes to Qt as it is, where it means Qt's default of 6
// decimals (QLocale::FloatingPointShortest: the shortest exact text), as callers of a Qt-based
// API expect.
int boundedDecimals(int decimals);

// `value` rounded (halves away from zero) at `decimals` decimals, the power of ten formed as
// above. Where the scaled value leaves the double range, rounding at that many decimals would not
// change the value, so it is returned as it is (10^decimals overflowing or underflowing must not
// turn a plain number into NaN).
double roundToDecimals(double value, int decimals);

// True when `value` shows as zero with `decimals` decimals.
bool roundsToZero(double value, int decimals);

// Fixed notation in the C locale: no group separators.
QString fixed(double value, int decimals);

// The template "%L1" filled in fixed notation: the default locale's separators.
QString localeFixed(double value, int decimals);

} // namespace UnitNumbers
