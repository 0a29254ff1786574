#pragma once

#include <QElapsedTimer>

#include <cstdio>
#include <functional>

// One figure of a benchmark next to its baseline, both measured in the same run, in the line
// form that bench/run.sh collects:
//   <figure>   <value> <unit>  baseline <value> <unit>  ratio <value / baseline>
inline void printFigure(const char *figure, double value, double baseline, const char *unit)
{
    std::printf("%-46s %10.3f %-3s baseline %10.3f %-3s ratio %6.3f\n", figure, value, unit,
                baseline, unit, baseline != 0 ? value / baseline : 0.0);
}

// A figure timed in nanoseconds, printed in milliseconds.
inline void printMsFigure(const char *figure, qint64 ns, qint64 baselineNs)
{
    printFigure(figure, ns / 1e6, baselineNs / 1e6, "ms");
}

// The best times of a candidate and its baseline, run alternately `rounds` times so that load
// from other processes hits both alike.
struct BestTimes
{
    qint64 candidateNs = -1;
    qint64 baselineNs = -1;
};

inline BestTimes bestOfAlternating(int rounds, const std::function<void()> &baseline,
                                   const std::function<void()> &candidate)
{
    const auto timeOnce = [](const std::function<void()> &run) {
        QElapsedTimer timer;
        timer.start();
        run();
        return timer.nsecsElapsed();
    };
    BestTimes best;
    for (int r = 0; r < rounds; ++r) {
        const qint64 b = timeOnce(baseline);
        const qint64 c = timeOnce(candidate);
        if (best.baselineNs < 0 || b < best.baselineNs)
            best.baselineNs = b;
        if (best.candidateNs < 0 || c < best.candidateNs)
            best.candidateNs = c;
    }
    return best;
}
