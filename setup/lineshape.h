#ifndef LINESHAPE_H
#define LINESHAPE_H

#include <cstddef>
#include <string_view>

// The double quotes of a setup line, found in one scan of eight bytes at a time that also finds
// the line's end; the searches that most lines go through are answered from them (LiteralSet).
// A line with more quotes than recorded is searched plainly.
class LineShape
{
public:
    // The line that starts at `begin` and ends before the next line feed or at `end`.
    LineShape(const char *begin, const char *end);
    explicit LineShape(std::string_view line);

    std::string_view line() const { return m_line; }
    // More quotes than recorded: quote() holds the first MaxQuotes only, keyEnd() those among
    // them.
    bool overflows() const { return m_overflow; }
    int quoteCount() const { return m_count; }
    size_t quote(int i) const { return m_quotes[i]; }
    // Positions just after each `:"`.
    int keyEndCount() const { return m_keyEndCount; }
    size_t keyEnd(int i) const { return m_keyEnds[i]; }

    // The key as StavLine::parse finds it: after the first quote up to the next or the end.
    std::string_view itemId() const;
    size_t itemIdEnd() const;

private:
    void record(const char *begin, const char *quote);

    static constexpr int MaxQuotes = 16;
    std::string_view m_line;
    // Only the first m_count (m_keyEndCount) entries are set; clearing all would cost more
    // than the scan.
    size_t m_quotes[MaxQuotes];
    int m_count = 0;
    size_t m_keyEnds[MaxQuotes];
    int m_keyEndCount = 0;
    bool m_overflow = false;
};

#endif // LINESHAPE_H
