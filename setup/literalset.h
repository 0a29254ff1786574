#ifndef LITERALSET_H
#define LITERALSET_H

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <string_view>
#include <vector>

class LineShape;

// Answers "which of these literals does this line contain?" for many lines, from the quotes the
// line's LineShape found once. Literals that end a key (`...:"`) are checked only where a key
// ends, quoted words only between two neighbouring quotes, the rest by plain search.
class LiteralSet
{
public:
    LiteralSet() = default;
    explicit LiteralSet(const QList<QByteArray> &literals);

    const QList<QByteArray> &literals() const { return m_literals; }
    // The bit of the literal at `index` in found(); the last bit stands for all from 63 on.
    static uint64_t bit(int index) { return uint64_t(1) << (index < 63 ? index : 63); }

    // Exactly whether the line contains any literal of the set.
    bool foundIn(const LineShape &shape) const;
    // The same for the key ends and quoted words only.
    bool foundAtQuotes(const LineShape &shape) const;
    // The bits of the literals the line contains.
    uint64_t found(const LineShape &shape) const;
    // The start offsets of the other literals in a whole text, in order: one search through the
    // text instead of one through every line.
    std::vector<int> plainOccurrences(const QByteArray &text) const;
    // Whether an occurrence of a literal could overlap `id` where `id` stands between two
    // quotes. When not, every occurrence in such a line lies wholly before or after the quoted
    // id, so putting another id of that kind in its place adds or removes none.
    bool mayTouch(std::string_view id) const;

private:
    struct Literal
    {
        std::string_view text;
        int index;
    };
    // Calls `hit` with the index of each literal found until it returns true.
    template<typename Hit> bool scan(const LineShape &shape, bool quotesOnly, Hit hit) const;

    QList<QByteArray> m_literals; // owns the bytes the views point to
    std::vector<Literal> m_keyEnds[256]; // by the byte before their `:"`
    std::vector<int> m_bareKeyEnds; // `:"` itself
    std::vector<Literal> m_quotedWords; // without their quotes
    uint64_t m_quotedLengths = 0; // bit n: a word of length n (63: longer)
    std::vector<Literal> m_plain; // not empty
    std::vector<int> m_empty; // found in any line
};

#endif // LITERALSET_H
