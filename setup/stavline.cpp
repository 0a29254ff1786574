#include "stavline.h"

#include <cstring>

namespace {

// The token that starts after the quote at `quote` and ends at the next quote or at the end.
QByteArray tokenAfter(const QByteArray &text, const char *quote)
{
    const char *begin = quote + 1;
    const char *end = text.constData() + text.size();
    const void *next = std::memchr(begin, '"', size_t(end - begin));
    if (next)
        end = static_cast<const char *>(next);
    return QByteArray(begin, int(end - begin));
}

} // namespace

StavLine StavLine::parse(const QByteArray &text)
{
    // Token k (k >= 1) starts after the k-th quote; a token after the last quote exists only
    // when it is not empty, and an empty token yields an empty field either way.
    const char *quotes[3] = { nullptr, nullptr, nullptr };
    const char *pos = text.constData();
    const char *end = pos + text.size();
    for (int found = 0; found < 3 && pos < end; ++found) {
        const void *quote = std::memchr(pos, '"', size_t(end - pos));
        if (!quote)
            break;
        quotes[found] = static_cast<const char *>(quote);
        pos = quotes[found] + 1;
    }
    StavLine result;
    result.line = text;
    if (quotes[0])
        result.itemId = tokenAfter(text, quotes[0]);
    if (quotes[2])
        result.value = tokenAfter(text, quotes[2]);
    return result;
}
