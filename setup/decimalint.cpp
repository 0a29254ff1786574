#include "decimalint.h"

#include <climits>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool parseDecimalInt(const QByteArray &text, int *result, const char **error)
{
    const char *pos = text.constBegin();
    const char *end = text.constEnd();
    while (pos < end && isSpace(*pos))
        ++pos;
    bool negative = false;
    if (pos < end && (*pos == '+' || *pos == '-')) {
        negative = *pos == '-';
        ++pos;
    }
    if (pos == end || !isDigit(*pos)) {
        *error = "no digits to convert";
        return false;
    }
    // The magnitude of INT_MIN is one more than INT_MAX.
    const long long limit = negative ? -(long long)INT_MIN : INT_MAX;
    long long magnitude = 0;
    for (; pos < end && isDigit(*pos); ++pos) {
        magnitude = magnitude * 10 + (*pos - '0');
        if (magnitude > limit) {
            *error = "value out of int range";
            return false;
        }
    }
    *result = int(negative ? -magnitude : magnitude);
    return true;
}
