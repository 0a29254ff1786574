#ifndef LINESHAPE_H
#define LINESHAPE_H

#include <cstddef>
#include <string_view>

// The double quotes of a setup line, found once; the tests that most lines go through are
// answered from them. Exact: a line with more quotes than recorded falls back to plain
// substring searches.
class LineShape
{
public:
    explicit LineShape(std::string_view line);

    // The key as StavLine::parse finds it: after the first quote up to the next or the end.
    std::string_view itemId() const;
    // Whether the line contains `literal`, which ends with `:"` like the end of a key.
    bool containsKeyEnd(std::string_view literal) const;
    template<size_t N> bool containsAnyKeyEnd(const std::string_view (&literals)[N]) const
    {
        if (m_overflow) {
            for (std::string_view literal : literals) {
                if (containsKeyEnd(literal))
                    return true;
            }
            return false;
        }
        // Most key ends match none of the literals; the letter before the `:"` tells at once.
        for (int i = 0; i < m_keyEndCount; ++i) {
            const size_t end = m_keyEnds[i];
            if (end < 3)
                continue;
            const char last = m_line[end - 3];
            for (std::string_view literal : literals) {
                if (literal.size() >= 3 && literal[literal.size() - 3] == last
                    && endsAt(end, literal.substr(0, literal.size() - 2)))
                    return true;
            }
        }
        return false;
    }
    // Whether the line contains `word` in double quotes.
    bool containsQuoted(std::string_view word) const;

private:
    bool endsAt(size_t end, std::string_view text) const;

    static constexpr int MaxQuotes = 16;
    std::string_view m_line;
    // Only the first m_count (m_keyEndCount) entries are set; clearing all would cost more
    // than the search.
    size_t m_quotes[MaxQuotes];
    int m_count = 0;
    // Just after each `:"`.
    size_t m_keyEnds[MaxQuotes];
    int m_keyEndCount = 0;
    bool m_overflow = false;
};

#endif // LINESHAPE_H
