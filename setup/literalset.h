#ifndef LITERALSET_H
#define LITERALSET_H

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <string_view>
#include <vector>

class LineShape;

// Answers "does this line contain any of these literals?" for many lines, from the quotes the
// line's LineShape found once. Literals that end a key (`...:"`) are checked only where a key
// ends, quoted words only between two neighbouring quotes, the rest by plain search.
class LiteralSet
{
public:
    LiteralSet() = default;
    explicit LiteralSet(const QList<QByteArray> &literals);

    // Exactly whether the line contains any literal of the set.
    bool foundIn(const LineShape &shape) const;
    // The same for the key ends and quoted words only.
    bool foundAtQuotes(const LineShape &shape) const;
    // The start offsets of the other literals in a whole text, in order: one search through the
    // text instead of one through every line.
    std::vector<int> plainOccurrences(const QByteArray &text) const;
    // Whether an occurrence of a literal could overlap `id` where `id` stands between two
    // quotes. When not, every occurrence in such a line lies wholly before or after the quoted
    // id, so putting another id of that kind in its place adds or removes none.
    bool mayTouch(std::string_view id) const;

private:
    bool anyFound(std::string_view line) const;

    QList<QByteArray> m_literals; // owns the bytes the views point to
    std::vector<std::string_view> m_keyEnds[256]; // by the byte before their `:"`
    bool m_anyKeyEnd = false; // the set holds `:"` itself
    std::vector<std::string_view> m_quotedWords; // without their quotes
    uint64_t m_quotedLengths = 0; // bit n: a word of length n (63: longer)
    std::vector<std::string_view> m_plain; // not empty
    bool m_matchesAll = false; // the set holds the empty literal
};

#endif // LITERALSET_H
