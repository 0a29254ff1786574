#pragma once

#include <cstdio>

// One figure of a benchmark next to its baseline, both measured in the same run, in the line
// form that bench/run.sh collects:
//   <figure>   <value> <unit>  baseline <value> <unit>  ratio <value / baseline>
inline void printFigure(const char *figure, double value, double baseline, const char *unit)
{
    std::printf("%-46s %10.3f %-3s baseline %10.3f %-3s ratio %6.3f\n", figure, value, unit,
                baseline, unit, baseline != 0 ? value / baseline : 0.0);
}
