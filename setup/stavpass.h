#ifndef STAVPASS_H
#define STAVPASS_H

#include "stavkeyindex.h"
#include "stavlog.h"
#include "stavrules.h"

#include <QByteArray>
#include <QString>

#include <string_view>

class LineShape;

// Runs the version steps from `first` to `last` over the text of a setup file in one pass: each
// line is classified once, with one lookup in the key index. A line that no rule may touch is
// copied, renamed or dropped at once; the others go through the rules step by step. Each step
// keeps its own state (arrays of removed items it is skipping, its records), so the result and
// the records are those of the steps run one after the other.
class StavPass
{
public:
    StavPass(const StavRules &rules, const StavKeyIndex &index, StavStep::Id first,
             StavStep::Id last);

    // False when a step fails; `log` gets the records of every step up to that one, each step's
    // first record naming `path`.
    bool run(const QByteArray &text, QByteArray *result, StavLog *log, const QString &path);

private:
    struct StepState
    {
        int versionLines = 0;
        int droppedLines = 0;
        bool skipping = false; // inside the value array of a removed item, until its "]"
        QByteArray lastSkipped;
        StavLog records;
    };

    void collectSelectedUnits(const QByteArray &text);
    bool convertQuickly(const LineShape &shape, int first, bool inInput);
    bool dropsQuickly(std::string_view line, const StavKeyIndex::Chain *chain, int first);
    void convertExactly(const LineShape &inputShape);
    bool keepsExactly(StavStep::Id step, StavLine *cur, uint64_t found);
    template<typename Rule>
    static int firstRule(const QList<Rule> &rules, const std::vector<uint64_t> &bits,
                         uint64_t found, const QByteArray &line);
    bool continuesSkipping(StepState *state, const QByteArray &line);
    void startSkipping(StepState *state, const QByteArray &line);
    QByteArray textAt(std::string_view line, const StavKeyIndex::Chain *chain, int step) const;
    void appendUnchanged(std::string_view line);
    void appendRenamed(std::string_view line, size_t keyBegin, size_t keyEnd, std::string_view key);
    void write(const char *data, size_t size);
    void flush();
    bool finish(StavLog *log, const QString &path);

    const StavRules &m_rules;
    const StavKeyIndex &m_index;
    const StavStep::Id m_first;
    const StavStep::Id m_last;

    StepState m_steps[StavStep::Count];
    int m_skippingSteps = 0;
    int m_lines = 0;
    StavRules::RenameMap m_selectedUnits;
    QVector<bool> m_unitKept; // by index of StavKeyIndex::unitDependencies()

    // Written up to m_out; longer than that until the end.
    QByteArray m_output;
    char *m_out = nullptr;
    const char *m_end = nullptr;
    // Unchanged input lines not yet appended: [m_runBegin, m_runEnd), line feeds included.
    const char *m_runBegin = nullptr;
    const char *m_runEnd = nullptr;
};

#endif // STAVPASS_H
