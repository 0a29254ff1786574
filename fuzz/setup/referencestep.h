#ifndef REFERENCESTEP_H
#define REFERENCESTEP_H

#include "setupconverter.h"

// A plain second implementation of one version step: every line parsed into a list first,
// then converted, with whole-line substring tests only. The fuzzer compares the converter's
// single-pass steps, which skip work on lines they prove unaffected, with it.
class ReferenceStep
{
public:
    ReferenceStep(const SetupConverter &converter, SetupConverter::Step step);

    bool run(const QByteArray &text, QByteArray *result) const;

private:
    QVector<StavLine> readLines(const QByteArray &text, bool *versionSet) const;
    bool convertLines(const QVector<StavLine> &input, QByteArray *result) const;
    bool keeps(const QByteArray &itemId, const SetupConverter::ItemIdMap &units) const;
    StavLine rewriteKept(const StavLine &line) const;
    void rewriteVna(StavLine *line) const;

    const SetupConverter &m_converter;
    const SetupConverter::Step m_step;
    const SetupConverter::ItemIdMap m_renames;
    const SetupConverter::UnitMap m_unitDependencies;
};

#endif // REFERENCESTEP_H
