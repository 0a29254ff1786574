#ifndef STAVSTEP_H
#define STAVSTEP_H

#include <QByteArray>
#include <QVector>

// One version step of the setup migration as its log records and its version line name it.
class StavStep
{
public:
    enum Id { V3toV4, V4toV5, V5toV6, V6toV7 };
    static constexpr int Count = 4;

    static const StavStep &get(Id id);
    // The steps that bring a file of document `version` to V7, in order (none from V7 on).
    static QVector<Id> from(int version);

    const char *name; // of the step function, the first part of each of its records
    const char *startText;
    const char *versionText;
    QByteArray versionLine; // the DocumentVersion line the step writes
    QByteArray version;
};

#endif // STAVSTEP_H
