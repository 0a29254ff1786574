#ifndef DECIMALINT_H
#define DECIMALINT_H

#include <QByteArray>

// Reads a base-10 int from the start of `text` the way the standard string-to-int conversion
// does: leading white space and a sign are accepted and trailing characters ignored. Returns
// false and sets `error` when there are no digits or the number does not fit an int.
bool parseDecimalInt(const QByteArray &text, int *result, const char **error);

#endif // DECIMALINT_H
