#include "stavtext.h"

#include <cstring>
#include <string_view>

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(const char *a, const char *b, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

} // namespace

bool StavText::contains(const QByteArray &text, const char *literal, size_t length)
{
    // Lines are short: a memchr for the first byte and a compare beat a general substring
    // search, which prepares tables on every call.
    return std::string_view(text.constData(), size_t(text.size()))
               .find(std::string_view(literal, length))
        != std::string_view::npos;
}

int StavText::indexOf(const QByteArray &text, const char *literal, int from)
{
    if (from >= text.size())
        return -1;
    const void *hit = memmem(text.constData() + from, size_t(text.size() - from), literal,
                             std::strlen(literal));
    return hit ? int(static_cast<const char *>(hit) - text.constData()) : -1;
}

StavText::LineSpan StavText::lineContaining(const QByteArray &text, const char *literal, int from)
{
    LineSpan line;
    const int hit = indexOf(text, literal, from);
    if (hit < 0)
        return line;
    line.start = text.lastIndexOf('\n', hit) + 1;
    line.end = text.indexOf('\n', hit);
    if (line.end < 0)
        line.end = text.size();
    return line;
}

void StavText::replaceIgnoringCase(QByteArray &text, const char *literal)
{
    const size_t length = std::strlen(literal);
    const size_t size = size_t(text.size());
    if (length == 0 || length > size)
        return;
    const char *data = text.constData();
    for (size_t pos = 0; pos + length <= size;) {
        if (equalIgnoringCase(data + pos, literal, length)) {
            if (std::memcmp(data + pos, literal, length) != 0) {
                std::memcpy(text.data() + pos, literal, length);
                data = text.constData();
            }
            pos += length;
        } else {
            ++pos;
        }
    }
}
