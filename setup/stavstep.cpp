#include "stavstep.h"

const StavStep &StavStep::get(Id id)
{
    static const StavStep steps[Count] = {
        { "convertSetupV3toV4",
          " Converting file to V4: ", "Set DocumentVersion to V4 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V4\","), QByteArrayLiteral("V4") },
        { "convertSetupV4toV5",
          " Converting file from V4 to V5: ", "Set DocumentVersion to V5 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V5\","), QByteArrayLiteral("V5") },
        { "convertSetupV5toV6",
          " Converting file from V5 to V6: ", "Set DocumentVersion to V6 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V6\","), QByteArrayLiteral("V6") },
        { "convertSetupV6toV7",
          " Converting file from V6 to V7: ", "Set DocumentVersion to V7 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V7\","), QByteArrayLiteral("V7") },
    };
    return steps[id];
}

QVector<StavStep::Id> StavStep::from(int version)
{
    QVector<Id> steps;
    for (int from = qMax(version, 3); from <= 6; ++from)
        steps.append(Id(from - 3));
    return steps;
}
