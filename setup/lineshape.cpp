#include "lineshape.h"

#include <QtAlgorithms>
#include <QtEndian>

#include <cstdint>

namespace {

constexpr uint64_t EveryByte = 0x0101010101010101ull;
constexpr uint64_t LowBits = 0x7f7f7f7f7f7f7f7full;

// The top bit of each byte of `word` that equals `byte`, and nothing else (no carries between
// the bytes).
uint64_t bytesEqual(uint64_t word, unsigned char byte)
{
    const uint64_t x = word ^ (EveryByte * byte);
    return ~(((x & LowBits) + LowBits) | x | LowBits);
}

} // namespace

LineShape::LineShape(const char *begin, const char *end)
{
    const char *pos = begin;
    for (; end - pos >= 8; pos += 8) {
        const uint64_t word = qFromLittleEndian<quint64>(pos);
        const uint64_t quotes = bytesEqual(word, '"');
        for (uint64_t hits = bytesEqual(word, '\n') | quotes; hits; hits &= hits - 1) {
            const char *at = pos + qCountTrailingZeroBits(hits) / 8;
            if (!(quotes & hits & (~hits + 1))) {
                m_line = std::string_view(begin, size_t(at - begin));
                return;
            }
            record(begin, at);
        }
    }
    for (; pos < end && *pos != '\n'; ++pos) {
        if (*pos == '"')
            record(begin, pos);
    }
    m_line = std::string_view(begin, size_t(pos - begin));
}

LineShape::LineShape(std::string_view line)
    : LineShape(line.data(), line.data() + line.size())
{
}

void LineShape::record(const char *begin, const char *quote)
{
    if (m_count == MaxQuotes) {
        m_overflow = true;
        return;
    }
    const size_t offset = size_t(quote - begin);
    if (offset > 0 && quote[-1] == ':')
        m_keyEnds[m_keyEndCount++] = offset + 1;
    m_quotes[m_count++] = offset;
}

std::string_view LineShape::itemId() const
{
    if (m_count == 0)
        return {};
    const size_t begin = m_quotes[0] + 1;
    return m_line.substr(begin, itemIdEnd() - begin);
}

size_t LineShape::itemIdEnd() const
{
    return m_count > 1 ? m_quotes[1] : m_line.size();
}
