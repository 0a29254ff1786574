#include "stavkeyindex.h"

#include "stavrules.h"
#include "stavtext.h"

#include <cstring>

namespace {

// From the length and two words near the end: keys share their start (":config:" and the
// application), not their item name. Keys have at least MinItemIdLength (10) bytes.
uint32_t hashOf(std::string_view key)
{
    uint64_t middle;
    uint64_t last;
    std::memcpy(&middle, key.data() + key.size() / 2 - 4, 8);
    std::memcpy(&last, key.data() + key.size() - 8, 8);
    uint64_t hash = (middle * 0x9e3779b97f4a7c15ull) ^ (last * 0xc2b2ae3d27d4eb4full) ^ key.size();
    hash ^= hash >> 29;
    return uint32_t(hash ^ (hash >> 32));
}

// The shortcut copies the text around a key as it is; brackets start and end removed arrays.
bool holdsSpecialCharacters(const QByteArray &id)
{
    for (char c : { '"', '\n', '[', ']' }) {
        if (id.contains(c))
            return true;
    }
    return false;
}

// Each rule needs at least one of its literals in a line to act on it.
StavKeyIndex::StepLiterals literalsOf(const StavRules::Step &step, QList<QByteArray> *literals)
{
    StavKeyIndex::StepLiterals result;
    const auto add = [literals](const QList<QByteArray> &list) {
        uint64_t bits = 0;
        for (const QByteArray &literal : list) {
            bits |= LiteralSet::bit(literals->size());
            literals->append(literal);
        }
        return bits;
    };
    add({ StavRules::versionKey() });
    // An entry rule needs both of its literals; its key alone tells where it may act.
    for (const StavRules::EntryRule &rule : step.entryRules)
        add({ rule.key });
    add(step.dropLiterals);
    for (const StavRules::TextRule &rule : step.textRules)
        result.textRules.push_back(add(rule.triggers));
    for (const StavRules::IndexRule &rule : step.indexRules)
        result.indexRules.push_back(add(rule.keys));
    result.literals = LiteralSet(*literals);
    return result;
}

} // namespace

StavKeyIndex::StavKeyIndex(const StavRules &rules)
{
    QList<QByteArray> literals[StavStep::Count];
    for (int step = 0; step < StavStep::Count; ++step)
        m_steps[step] = literalsOf(rules.steps[step], &literals[step]);
    for (int first = 0; first < StavStep::Count; ++first) {
        QList<QByteArray> chainLiterals;
        for (int step = first; step < StavStep::Count; ++step)
            chainLiterals += literals[step];
        m_triggers[first] = LiteralSet(chainLiterals);
    }
    QHash<QByteArray, int> unitIndex;
    for (auto it = rules.unitDependencies.cbegin(); it != rules.unitDependencies.cend(); ++it) {
        unitIndex.insert(it.key(), m_units.size());
        m_units.append({ it.value().first, it.value().second });
    }

    QSet<QByteArray> keys;
    for (const StavRules::Step &step : rules.steps) {
        for (auto it = step.renames.cbegin(); it != step.renames.cend(); ++it) {
            if (it.key().size() >= StavRules::MinItemIdLength)
                keys.insert(it.key());
        }
    }
    size_t slotCount = 16;
    while (slotCount < size_t(keys.size()) * 4)
        slotCount *= 2;
    m_slots.assign(slotCount, Slot { 0, -1 });
    for (const QByteArray &key : qAsConst(keys)) {
        insertKey(keep(key));
        for (int first = 0; first < StavStep::Count; ++first)
            m_chains.push_back(chainFrom(rules, unitIndex, key, StavStep::Id(first)));
    }
}

void StavKeyIndex::insertKey(std::string_view key)
{
    const uint32_t hash = hashOf(key);
    size_t slot = hash & (m_slots.size() - 1);
    while (m_slots[slot].key >= 0)
        slot = (slot + 1) & (m_slots.size() - 1);
    m_slots[slot] = { hash, int(m_keys.size()) };
    m_keys.push_back(key);
}

StavKeyIndex::Chain StavKeyIndex::chainFrom(const StavRules &rules,
                                            const QHash<QByteArray, int> &unitIndex,
                                            const QByteArray &key, StavStep::Id first)
{
    Chain chain;
    QByteArray id = key;
    bool changes = false;
    chain.shortestId = size_t(key.size());
    chain.exact = holdsSpecialCharacters(key);
    for (int step = first; step < StavStep::Count; ++step) {
        chain.ids[step] = keep(id);
        // Short keys are never looked up; nor is an id once its line is dropped.
        if (id.size() < StavRules::MinItemIdLength || chain.dropStep >= 0)
            continue;
        const auto renamed = rules.steps[step].renames.constFind(id);
        if (renamed == rules.steps[step].renames.constEnd())
            continue;
        changes = true;
        if (renamed->isEmpty()) {
            chain.dropStep = step;
            continue;
        }
        if (step == StavStep::V3toV4)
            chain.unitDependency = unitIndex.value(id, -1);
        id = *renamed;
        chain.shortestId = qMin(chain.shortestId, size_t(id.size()));
        chain.exact
            = chain.exact || holdsSpecialCharacters(id) || m_triggers[first].mayTouch(keep(id));
    }
    chain.ids[StavStep::Count] = keep(id);
    if (!changes)
        chain.ids[first] = {};
    return chain;
}

const StavKeyIndex::Chain *StavKeyIndex::find(std::string_view key, StavStep::Id first) const
{
    if (key.size() < size_t(StavRules::MinItemIdLength))
        return nullptr;
    const uint32_t hash = hashOf(key);
    for (size_t slot = hash & (m_slots.size() - 1); m_slots[slot].key >= 0;
         slot = (slot + 1) & (m_slots.size() - 1)) {
        const int index = m_slots[slot].key;
        const std::string_view candidate = m_keys[size_t(index)];
        if (m_slots[slot].hash != hash || candidate.size() != key.size()
            || !StavText::equal(candidate.data(), key.data(), key.size()))
            continue;
        const Chain &chain = m_chains[size_t(index) * StavStep::Count + size_t(first)];
        return chain.ids[first].data() ? &chain : nullptr;
    }
    return nullptr;
}

std::string_view StavKeyIndex::keep(const QByteArray &id)
{
    // The set's copy shares the bytes, which stay where they are while it holds them.
    const QByteArray &kept = *m_ids.insert(id);
    return std::string_view(kept.constData(), size_t(kept.size()));
}
