#include "literalset.h"

#include "lineshape.h"

#include <algorithm>
#include <cstring>

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool startsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

uint64_t lengthBit(size_t length)
{
    return uint64_t(1) << (length < 63 ? length : 63);
}

} // namespace

LiteralSet::LiteralSet(const QList<QByteArray> &literals)
    : m_literals(literals)
{
    for (const QByteArray &literal : qAsConst(m_literals)) {
        const std::string_view text = view(literal);
        if (endsWith(text, ":\"")) {
            if (text.size() == 2)
                m_anyKeyEnd = true;
            else
                m_keyEnds[uchar(text[text.size() - 3])].push_back(text);
        } else if (text.size() >= 2 && text.front() == '"' && text.back() == '"'
                   && text.substr(1, text.size() - 2).find('"') == std::string_view::npos) {
            m_quotedWords.push_back(text.substr(1, text.size() - 2));
            m_quotedLengths |= lengthBit(text.size() - 2);
        } else if (text.empty()) {
            m_matchesAll = true;
        } else {
            m_plain.push_back(text);
        }
    }
}

bool LiteralSet::foundIn(const LineShape &shape) const
{
    if (m_matchesAll || foundAtQuotes(shape))
        return true;
    for (std::string_view literal : m_plain) {
        if (shape.line().find(literal) != std::string_view::npos)
            return true;
    }
    return false;
}

bool LiteralSet::foundAtQuotes(const LineShape &shape) const
{
    const std::string_view line = shape.line();
    if (m_matchesAll || shape.overflows())
        return m_matchesAll || anyFound(line);
    // Every occurrence of `...:"` ends just after a recorded `:"`.
    for (int i = 0; i < shape.keyEndCount(); ++i) {
        const size_t end = shape.keyEnd(i);
        if (m_anyKeyEnd)
            return true;
        if (end < 3)
            continue;
        for (std::string_view literal : m_keyEnds[uchar(line[end - 3])]) {
            if (end >= literal.size()
                && std::memcmp(line.data() + end - literal.size(), literal.data(), literal.size())
                    == 0)
                return true;
        }
    }
    // A quoted word without inner quotes fills the space between two neighbouring quotes.
    for (int i = 0; i + 1 < shape.quoteCount(); ++i) {
        const size_t begin = shape.quote(i) + 1;
        const size_t length = shape.quote(i + 1) - begin;
        if (!(m_quotedLengths & lengthBit(length)))
            continue;
        for (std::string_view word : m_quotedWords) {
            if (word.size() == length && std::memcmp(line.data() + begin, word.data(), length) == 0)
                return true;
        }
    }
    return false;
}

std::vector<int> LiteralSet::plainOccurrences(const QByteArray &text) const
{
    std::vector<int> found;
    const std::string_view whole(text.constData(), size_t(text.size()));
    for (std::string_view literal : m_plain) {
        for (size_t at = whole.find(literal); at != std::string_view::npos;
             at = whole.find(literal, at + 1))
            found.push_back(int(at));
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool LiteralSet::anyFound(std::string_view line) const
{
    for (const QByteArray &literal : m_literals) {
        if (line.find(view(literal)) != std::string_view::npos)
            return true;
    }
    return false;
}

bool LiteralSet::mayTouch(std::string_view id) const
{
    for (const QByteArray &bytes : m_literals) {
        const std::string_view literal = view(bytes);
        if (id.find(literal) != std::string_view::npos
            || literal.find(id) != std::string_view::npos)
            return true;
        // Across the opening quote into the start of the id, or from the id's end across the
        // closing quote.
        for (size_t k = 1; k < id.size(); ++k) {
            const std::string_view head = id.substr(0, k);
            const std::string_view tail = id.substr(k);
            if (endsWith(literal, head) && literal.size() > k
                && literal[literal.size() - k - 1] == '"')
                return true;
            if (startsWith(literal, tail) && literal.size() > tail.size()
                && literal[tail.size()] == '"')
                return true;
        }
    }
    return false;
}
