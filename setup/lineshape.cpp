#include "lineshape.h"

#include <string>

namespace {

bool has(std::string_view text, std::string_view literal)
{
    return text.find(literal) != std::string_view::npos;
}

} // namespace

LineShape::LineShape(std::string_view line)
    : m_line(line)
{
    for (size_t quote = line.find('"'); quote != std::string_view::npos;
         quote = line.find('"', quote + 1)) {
        if (m_count == MaxQuotes) {
            m_overflow = true;
            return;
        }
        if (quote > 0 && line[quote - 1] == ':')
            m_keyEnds[m_keyEndCount++] = quote + 1;
        m_quotes[m_count++] = quote;
    }
}

std::string_view LineShape::itemId() const
{
    if (m_count == 0)
        return {};
    const size_t begin = m_quotes[0] + 1;
    return m_line.substr(begin, m_count > 1 ? m_quotes[1] - begin : std::string_view::npos);
}

bool LineShape::containsKeyEnd(std::string_view literal) const
{
    if (m_overflow)
        return has(m_line, literal);
    const std::string_view name = literal.substr(0, literal.size() - 2);
    for (int i = 0; i < m_keyEndCount; ++i) {
        if (endsAt(m_keyEnds[i], name))
            return true;
    }
    return false;
}

bool LineShape::containsQuoted(std::string_view word) const
{
    if (m_overflow)
        return has(m_line, '"' + std::string(word) + '"');
    for (int i = 0; i < m_count; ++i) {
        const size_t begin = m_quotes[i] + 1;
        if (begin + word.size() < m_line.size() && m_line[begin + word.size()] == '"'
            && m_line.compare(begin, word.size(), word) == 0)
            return true;
    }
    return false;
}

// Whether `text` stands right before the `:"` that ends at `end`. Compared from the back,
// where the literals differ.
bool LineShape::endsAt(size_t end, std::string_view text) const
{
    const size_t last = end - 2;
    if (last < text.size())
        return false;
    for (size_t i = text.size(); i > 0; --i) {
        if (m_line[last - text.size() + i - 1] != text[i - 1])
            return false;
    }
    return true;
}
