#ifndef STAVRULES_H
#define STAVRULES_H

#include "stavline.h"
#include "stavstep.h"
#include "stavtable.h"

#include <QList>
#include <QPair>

class StavLog;

// What the version steps change in a setup file, as data: the identifier tables and the line
// rules of every step. Whatever decides which lines a rule may touch is derived from these lists
// (triggers()), so a rule added here is never skipped by a shortcut.
struct StavRules
{
    using RenameMap = StavTable::RenameMap;
    using UnitMap = StavTable::UnitMap;

    // Before the table, a line that contains both `key` and `required` becomes
    // `        <key>: "<value>",` with `value` as its value.
    struct EntryRule
    {
        QByteArray key;
        QByteArray required;
        QByteArray value;
    };
    // A kept line that contains any trigger gets every replacement (all occurrences, in order)
    // and every spelling (case-insensitive matches take that spelling), then is parsed anew.
    struct TextRule
    {
        QList<QByteArray> triggers;
        QList<QPair<QByteArray, QByteArray>> replacements;
        QList<QByteArray> spellings;
    };
    // A kept line that contains any key has its quoted integer value renumbered by each call in
    // turn: a value v with minimum <= v <= maximum becomes v + offset.
    struct Renumbering
    {
        int offset;
        int minimum;
        int maximum;
    };
    struct IndexRule
    {
        QList<QByteArray> keys;
        QList<Renumbering> calls;
    };

    // Applied to each line in this order; of each rule list only the first matching rule acts.
    struct Step
    {
        QList<EntryRule> entryRules;
        QList<QByteArray> dropLiterals; // a line that contains one is dropped before the table
        RenameMap renames; // old identifier -> new one, empty when the item was removed
        QList<TextRule> textRules;
        QList<IndexRule> indexRules;
    };

    // The literal that marks the version line of a file.
    static const QByteArray &versionKey();
    // Identifiers shorter than this (plain keys, braces) are never looked up nor rewritten.
    static constexpr int MinItemIdLength = 10;

    // The rules of the document versions V3 to V7.
    static StavRules builtIn();

    // The rule functions change the line in place.
    void applyEntryRules(StavStep::Id step, StavLine *stavLine) const;
    // The first text rule of the step whose literals the line holds.
    void applyTextRules(StavStep::Id step, StavLine *stavLine) const;

    // Whether the line holds one of the rule's literals.
    static bool holds(const QByteArray &line, const TextRule &rule);
    static bool holds(const QByteArray &line, const IndexRule &rule);
    static void applyTextRule(const TextRule &rule, StavLine *stavLine);
    static void applyIndexRule(const IndexRule &rule, StavLine *stavLine, StavLog *log);
    // Whether a V3 item renamed in V4 survives, given the units the file selects.
    bool keepsUnitItem(const QByteArray &itemId, const RenameMap &selectedUnits) const;

    // False, with a record, when the value is no decimal int.
    static bool updateStavParam(StavLine *stavLine, int offset, int minimum, int maximum,
                                StavLog *log);
    // Records the unit selected for a unit item; the first value seen wins.
    static void appendCurrentUnitValue(RenameMap &unitCurrentValueMap, const QByteArray &unitZebId,
                                       const QByteArray &value, StavLog *log);

    Step steps[StavStep::Count];
    // The V3 items valid for one unit only: item -> (unit item, unit value). They belong to the
    // V3 to V4 step, which is always the first of its chain: before its lines are converted, the
    // lines that hold `unitLiteral` tell which unit the file selects for each unit item.
    UnitMap unitDependencies;
    QByteArray unitLiteral;
};

#endif // STAVRULES_H
