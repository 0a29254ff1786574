#include "literalset.h"

#include "lineshape.h"
#include "stavtext.h"

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
    for (int index = 0; index < m_literals.size(); ++index) {
        const std::string_view text = view(m_literals.at(index));
        if (text.empty()) {
            m_empty.push_back(index);
        } else if (text == ":\"") {
            m_bareKeyEnds.push_back(index);
        } else if (endsWith(text, ":\"")) {
            m_keyEnds[uchar(text[text.size() - 3])].push_back({ text, index });
        } else if (text.size() >= 2 && text.front() == '"' && text.back() == '"'
                   && text.substr(1, text.size() - 2).find('"') == std::string_view::npos) {
            m_quotedWords.push_back({ text.substr(1, text.size() - 2), index });
            m_quotedLengths |= lengthBit(text.size() - 2);
        } else {
            m_plain.push_back({ text, index });
        }
    }
}

template<typename Hit> bool LiteralSet::scan(const LineShape &shape, bool quotesOnly, Hit hit) const
{
    const std::string_view line = shape.line();
    for (int index : m_empty) {
        if (hit(index))
            return true;
    }
    if (shape.overflows()) {
        for (int index = 0; index < m_literals.size(); ++index) {
            if (line.find(view(m_literals.at(index))) != std::string_view::npos && hit(index))
                return true;
        }
        return false;
    }
    // Every occurrence of `...:"` ends just after a recorded `:"`.
    for (int i = 0; i < shape.keyEndCount(); ++i) {
        for (int index : m_bareKeyEnds) {
            if (hit(index))
                return true;
        }
        const size_t end = shape.keyEnd(i);
        if (end < 3)
            continue;
        for (const Literal &literal : m_keyEnds[uchar(line[end - 3])]) {
            const size_t size = literal.text.size();
            if (end >= size && StavText::equal(line.data() + end - size, literal.text.data(), size)
                && hit(literal.index))
                return true;
        }
    }
    // A quoted word without inner quotes fills the space between two neighbouring quotes.
    for (int i = 0; i + 1 < shape.quoteCount(); ++i) {
        const size_t begin = shape.quote(i) + 1;
        const size_t length = shape.quote(i + 1) - begin;
        if (!(m_quotedLengths & lengthBit(length)))
            continue;
        for (const Literal &word : m_quotedWords) {
            if (word.text.size() == length
                && StavText::equal(line.data() + begin, word.text.data(), length)
                && hit(word.index))
                return true;
        }
    }
    if (quotesOnly)
        return false;
    for (const Literal &literal : m_plain) {
        if (line.find(literal.text) != std::string_view::npos && hit(literal.index))
            return true;
    }
    return false;
}

bool LiteralSet::foundIn(const LineShape &shape) const
{
    return scan(shape, false, [](int) { return true; });
}

bool LiteralSet::foundAtQuotes(const LineShape &shape) const
{
    return scan(shape, true, [](int) { return true; });
}

uint64_t LiteralSet::found(const LineShape &shape) const
{
    uint64_t bits = 0;
    scan(shape, false, [&bits](int index) {
        bits |= bit(index);
        return false;
    });
    return bits;
}

std::vector<int> LiteralSet::plainOccurrences(const QByteArray &text) const
{
    std::vector<int> found;
    const std::string_view whole = view(text);
    for (const Literal &literal : m_plain) {
        for (size_t at = whole.find(literal.text); at != std::string_view::npos;
             at = whole.find(literal.text, at + 1))
            found.push_back(int(at));
    }
    std::sort(found.begin(), found.end());
    return found;
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
