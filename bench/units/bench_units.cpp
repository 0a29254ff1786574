// Times the prefix formatter and the dBm conversions on a large set of values, side by side with
// QString::number on the same numbers in the same run, and prints the ratios.
//
//   units_bench [count] [rounds]
#include "benchfigure.h"
#include "hmath.h"
#include "metricprefixconversion.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QString>
#include <QVector>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

qint64 sink = 0; // keeps the results alive

// The candidate and its baseline alternately, best round of each, per value.
void compare(const char *name, int rounds, int count, const std::function<void()> &baseline,
             const std::function<void()> &candidate)
{
    const BestTimes best = bestOfAlternating(rounds, baseline, candidate);
    printFigure(name, double(best.candidateNs) / count, double(best.baselineNs) / count, "ns");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? qMax(1, atoi(argv[1])) : 200000;
    const int rounds = argc > 2 ? qMax(1, atoi(argv[2])) : 9;

    QRandomGenerator rng(2026);
    QVector<double> values(count); // 1e-12 .. 1e10, both signs
    QVector<double> levels(count); // -150 .. +40 dBm
    for (int i = 0; i < count; ++i) {
        const double magnitude = std::pow(10.0, -12.0 + 22.0 * rng.generateDouble());
        values[i] = (rng.generate() & 1) ? magnitude : -magnitude;
        levels[i] = -150.0 + 190.0 * rng.generateDouble();
    }

    MetricPrefixConversion conversion;
    HMath math;
    const QString hz = QStringLiteral("Hz");
    const QString volt = QStringLiteral("V");
    const QString watt = QStringLiteral("W");
    const QString dbuv = QStringLiteral("dBuV");
    const QString vpm = QStringLiteral("V/m");
    const QString kilo = QStringLiteral("k");

    std::printf("%d values, best of %d alternating rounds; time per value\n", count, rounds);
    std::printf("baseline for values: QString::number(v, 'f', 3); for levels: "
                "QString::number(dBm, 'f', 2)\n");

    const auto numberF3 = [&] {
        for (double v : qAsConst(values))
            sink += QString::number(v, 'f', 3).size();
    };
    const auto numberF2 = [&] {
        for (double v : qAsConst(levels))
            sink += QString::number(v, 'f', 2).size();
    };

    compare("getValueWithUnitPrefix(v, 3, \"Hz\")", rounds, count, numberF3, [&] {
        for (double v : qAsConst(values))
            sink += conversion.getValueWithUnitPrefix(v, 3, hz).size();
    });
    compare("getValueWithUnitPrefix(v, 3, \"Hz\", \"k\", 1)", rounds, count, numberF3, [&] {
        for (double v : qAsConst(values))
            sink += conversion.getValueWithUnitPrefix(v, 3, hz, kilo, 1).size();
    });
    compare("getValueWithZeroPrecisionUnitPrefixAndSpace", rounds, count, numberF3, [&] {
        for (double v : qAsConst(values))
            sink += conversion.getValueWithZeroPrecisionUnitPrefixAndSpace(v, hz).size();
    });
    compare("hMath.getdBmToUnit(\"V\", dBm, true)", rounds, count, numberF2, [&] {
        for (double v : qAsConst(levels))
            sink += math.getdBmToUnit(volt, v, true).size();
    });
    compare("hMath.getdBmToUnit(\"W\", dBm, true)", rounds, count, numberF2, [&] {
        for (double v : qAsConst(levels))
            sink += math.getdBmToUnit(watt, v, true).size();
    });
    compare("hMath.getdBmToUnit(\"dBuV\", dBm, true, 2)", rounds, count, numberF2, [&] {
        for (double v : qAsConst(levels))
            sink += math.getdBmToUnit(dbuv, v, true, 2).size();
    });
    compare("hMath.getdBmToField(\"V/m\", dBm, 100, 0, true)", rounds, count, numberF2, [&] {
        for (double v : qAsConst(levels))
            sink += math.getdBmToField(vpm, v, 100.0, 0.0, true).size();
    });
    compare("hMath.getUnitTodBm(\"dBuV\", dBm) (no text)", rounds, count, numberF2, [&] {
        for (double v : qAsConst(levels))
            sink += qint64(math.getUnitTodBm(dbuv, v));
    });
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
