#pragma once

#include <QString>

// The SI prefix table: "G" 1e9 down to "p" 1e-12, micro as the ASCII letter "u". A constant
// table, ready as soon as the library is loaded.
namespace SiPrefix {

// The multiplier of `prefix`; false (and `multiplier` untouched) when it is not a prefix.
bool multiplier(const QString &prefix, double *multiplier);
// The multiplier, or `fallback` when `prefix` is not in the table.
double multiplierOr(const QString &prefix, double fallback);
// The power of ten of `prefix`, 0 when it is not in the table.
int exponent(const QString &prefix);
bool contains(const QString &prefix);

} // namespace SiPrefix
