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

bool StavText::contains(const QByteArray &text, const QByteArray &literal)
{
    return contains(text, literal.constData(), size_t(literal.size()));
}

bool StavText::contains(const QByteArray &text, const char *literal, size_t length)
{
    // Lines are short: a search for the first byte beats a general substring search, which
    // prepares tables on every call. Many literals start with a byte that is frequent in setup
    // lines (':', '"'); their last byte tells most candidates apart before the compare.
    if (size_t(text.size()) < length)
        return false;
    if (length < 2)
        return length == 0 || std::memchr(text.constData(), literal[0], size_t(text.size()));
    const char *pos = text.constData();
    const char *const last = pos + text.size() - length;
    for (; pos <= last; ++pos) {
        pos = static_cast<const char *>(std::memchr(pos, literal[0], size_t(last - pos) + 1));
        if (!pos)
            return false;
        if (pos[length - 1] == literal[length - 1]
            && std::memcmp(pos + 1, literal + 1, length - 2) == 0)
            return true;
    }
    return false;
}

int StavText::indexOf(const QByteArray &text, const char *literal, int from)
{
    if (from >= text.size())
        return -1;
    // The search for the first byte runs far ahead of a general substring search here: the
    // literals searched for start with bytes that are rare in setup files.
    const size_t hit
        = std::string_view(text.constData(), size_t(text.size())).find(literal, size_t(from));
    return hit == std::string_view::npos ? -1 : int(hit);
}

void StavText::replaceAll(QByteArray &text, const QByteArray &before, const QByteArray &after)
{
    text = replaced(text, before, after);
}

QByteArray StavText::replaced(const QByteArray &text, const QByteArray &before,
                              const QByteArray &after)
{
    if (before.isEmpty())
        return QByteArray(text).replace(before, after);
    const std::string_view source(text.constData(), size_t(text.size()));
    const std::string_view pattern(before.constData(), size_t(before.size()));
    size_t hit = source.find(pattern);
    if (hit == std::string_view::npos)
        return text;
    QByteArray result;
    result.reserve(text.size() + qMax(0, after.size() - before.size()) * 2);
    size_t done = 0;
    for (; hit != std::string_view::npos; hit = source.find(pattern, done)) {
        result.append(text.constData() + done, int(hit - done));
        result.append(after);
        done = hit + pattern.size();
    }
    result.append(text.constData() + done, int(source.size() - done));
    return result;
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
