#ifndef REFERENCESTEP_H
#define REFERENCESTEP_H

#include "stavline.h"
#include "stavstep.h"
#include "stavtable.h"

class StavLog;

// A plain second implementation of one version step, as the procedure is written down: every
// line parsed into a list first, then converted, with whole-line substring tests and the line
// rules spelled out here. Only the identifier tables are shared with the converter. The
// differential fuzzer compares the one-pass migration with these steps run one after the other.
class ReferenceStep
{
public:
    explicit ReferenceStep(StavStep::Id step);

    bool run(const QByteArray &text, QByteArray *result, StavLog *log) const;

private:
    QVector<StavLine> readLines(const QByteArray &text, StavLog *log, bool *versionSet) const;
    bool convertLines(const QVector<StavLine> &input, QByteArray *result, StavLog *log) const;
    bool keeps(const QByteArray &itemId, const StavTable::RenameMap &units) const;
    StavLine rewriteKept(const StavLine &line, StavLog *log) const;
    StavLine fixEnumOptions(const StavLine &line) const;
    void rewriteVna(StavLine *line) const;

    const StavStep::Id m_step;
    const StavTable::RenameMap m_renames;
    const StavTable::UnitMap m_unitDependencies;
};

#endif // REFERENCESTEP_H
