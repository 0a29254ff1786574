#ifndef STAVKEYINDEX_H
#define STAVKEYINDEX_H

#include "literalset.h"
#include "stavstep.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QVector>

#include <cstdint>
#include <string_view>
#include <vector>

struct StavRules;

// The rename tables of all steps folded into one: for the key of a line, what the steps from a
// given one on do to it. Together with the trigger literals of those steps this tells, with one
// lookup, that a line passes the steps unchanged or with a new key, or is dropped; only the lines
// that a rule may touch go through the rules one step at a time.
class StavKeyIndex
{
public:
    // What the steps from `first` on do to a key that the tables know.
    struct Chain
    {
        // ids[s]: the key as step s sees it (s >= first); ids[StavStep::Count]: the result.
        std::string_view ids[StavStep::Count + 1];
        int dropStep = -1; // the step whose table removes the item
        int unitDependency = -1; // renamed at V3 to V4 only while this unit is selected
        // A line with this key goes through the rules: an id the steps give it may form a
        // trigger literal with the text around it, or holds characters the shortcut relies on
        // being absent.
        bool exact = false;
        size_t shortestId = 0;
    };
    struct UnitDependency
    {
        QByteArray unitItem;
        QByteArray unitValue;
    };
    // The literals the rules of one step look for; a line without any of them is changed by the
    // step's table alone. For each text and index rule, the bits (LiteralSet::found()) of its own.
    struct StepLiterals
    {
        LiteralSet literals;
        std::vector<uint64_t> textRules;
        std::vector<uint64_t> indexRules;
    };

    explicit StavKeyIndex(const StavRules &rules);

    // Null when the tables leave the key alone from `first` on.
    const Chain *find(std::string_view key, StavStep::Id first) const;
    // The literals of the steps from `first` on.
    const LiteralSet &triggers(StavStep::Id first) const { return m_triggers[first]; }
    const StepLiterals &stepLiterals(StavStep::Id step) const { return m_steps[step]; }
    const QVector<UnitDependency> &unitDependencies() const { return m_units; }

private:
    // Open addressing: most lines look up a key that is not there, which an empty slot or a
    // hash mismatch tells at once.
    struct Slot
    {
        uint32_t hash;
        int key; // into m_keys; -1: empty
    };

    Chain chainFrom(const StavRules &rules, const QHash<QByteArray, int> &unitIndex,
                    const QByteArray &key, StavStep::Id first);
    std::string_view keep(const QByteArray &id);
    void insertKey(std::string_view key);

    QSet<QByteArray> m_ids; // owns the bytes of the views
    std::vector<Slot> m_slots;
    std::vector<std::string_view> m_keys;
    std::vector<Chain> m_chains; // per key, one per first step; ids[first] empty: no change
    LiteralSet m_triggers[StavStep::Count];
    StepLiterals m_steps[StavStep::Count];
    QVector<UnitDependency> m_units;
};

#endif // STAVKEYINDEX_H
