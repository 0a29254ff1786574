#ifndef STAVTEXT_H
#define STAVTEXT_H

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Byte-wise searches and replacements on line texts; no character-set conversion.
namespace StavText {

// Whether `size` bytes at `a` and `b` are equal; for the short texts of setup lines, inline
// word compares beat a call of the library's compare.
inline bool equal(const char *a, const char *b, size_t size)
{
    for (; size >= 8; a += 8, b += 8, size -= 8) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x != y)
            return false;
    }
    for (; size > 0; ++a, ++b, --size) {
        if (*a != *b)
            return false;
    }
    return true;
}

bool contains(const QByteArray &text, const char *literal, size_t length);
bool contains(const QByteArray &text, const QByteArray &literal);

template<size_t N> inline bool contains(const QByteArray &text, const char (&literal)[N])
{
    return contains(text, literal, N - 1);
}

// Position of `literal` in `text` from `from` on, or -1.
int indexOf(const QByteArray &text, const char *literal, int from);

// A line of a whole-file text: [start, end), without its line feed; start is -1 for none.
struct LineSpan
{
    int start = -1;
    int end = -1;
    bool isValid() const { return start >= 0; }
    // Where the search for the next line goes on.
    int next() const { return end + 1; }
};

// The first line that holds `literal` at or after `from`, found by jumping from one mention of
// it to the next instead of splitting every line.
LineSpan lineContaining(const QByteArray &text, const char *literal, int from);

// As QByteArray::replace() does, left to right and without overlaps; a search for the first byte
// and a compare are quicker on short lines than its general matcher.
void replaceAll(QByteArray &text, const QByteArray &before, const QByteArray &after);
QByteArray replaced(const QByteArray &text, const QByteArray &before, const QByteArray &after);

// Replaces, left to right and without overlaps, every ASCII case-insensitive match of
// `literal` by `literal` itself; the lengths are equal, so this works in place.
void replaceIgnoringCase(QByteArray &text, const char *literal);

} // namespace StavText

#endif // STAVTEXT_H
