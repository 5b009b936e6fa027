// The benchmark report: machine description, score and the result window's texts.
#pragma once

#include "Benchmark.h"

#include <QDateTime>
#include <QStringList>

#include <cstdint>

class Tpanel;

namespace bench {

// Operating-system text from the version query's platform id, major and minor.
QString OsText(int platformId, int major, int minor);
// Bytes × 0.000001, truncated toward zero (units of 1,000,000 bytes).
int64_t MegaBytes(uint64_t bytes);
// 1000 / total seconds, truncated toward zero.
int Score(double totalSeconds);

struct Machine {
    int platformId = -1;
    int major = 0;
    int minor = 0;
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    QDateTime now;
};
// Queries the platform for the version, the memory status and the time.
Machine QueryMachine();

// Writes the ten value captions and the date into the result window.
void FillReport(Tpanel &panel, const StageTimes &times, const Machine &machine);
// The report as the window shows it: one line per entry, heading, value, unit.
QStringList ReportLines(const Tpanel &panel);

} // namespace bench
