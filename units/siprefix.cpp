#include "siprefix.h"

namespace SiPrefix {

namespace {

struct Entry
{
    char letter; // 0 for the empty prefix
    double multiplier;
    int exponent;
};

constexpr Entry table[] = {
    { 'G', 1e9, 9 },   { 'M', 1e6, 6 },   { 'k', 1e3, 3 },   { 0, 1.0, 0 },
    { 'm', 1e-3, -3 }, { 'u', 1e-6, -6 }, { 'n', 1e-9, -9 }, { 'p', 1e-12, -12 },
};

// Prefixes are at most one letter, so a lookup is a length check and a scan of eight bytes.
const Entry *find(const QString &prefix)
{
    if (prefix.size() > 1)
        return nullptr;
    const ushort c = prefix.isEmpty() ? 0 : prefix.at(0).unicode();
    for (const Entry &entry : table) {
        if (ushort(entry.letter) == c)
            return &entry;
    }
    return nullptr;
}

} // namespace

bool multiplier(const QString &prefix, double *multiplier)
{
    const Entry *entry = find(prefix);
    if (!entry)
        return false;
    *multiplier = entry->multiplier;
    return true;
}

double multiplierOr(const QString &prefix, double fallback)
{
    const Entry *entry = find(prefix);
    return entry ? entry->multiplier : fallback;
}

int exponent(const QString &prefix)
{
    const Entry *entry = find(prefix);
    return entry ? entry->exponent : 0;
}

bool contains(const QString &prefix)
{
    return find(prefix) != nullptr;
}

} // namespace SiPrefix
