// The benchmark command: the measured workload and its report.
#pragma once

#include "Workload.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <cstdint>

class TChild;
class TMainForm;

namespace bench {

// Stage times in seconds (integer milliseconds × 0.001).
struct StageTimes {
    double memoryAllocation = 0;
    double fileAccess = 0;
    double imageDisplay = 0;
    double composite = 0;
    double convolution = 0;
    double total = 0;
};

// What the display stage found in one frame.
struct FrameResult {
    QString name;     // "0.fit" ...
    QString mean;     // the text of the window's Average field
    int minimum = 0;
    double variance = 0; // sample variance on the statistics grid (not shown)
};

struct RunResult {
    StageTimes seconds;
    QList<FrameResult> frames;
    // The frame windows the run made, in order.
    QList<QPointer<TChild>> windows;
    bool hasChecksum = false;
    uint64_t checksum = 0;
};

// With verification on, each run takes the checksum of the convolved
// composite (outside every stage, inside the total).  The window program
// never turns it on.
void SetVerify(bool on);

// Binds the benchmark ("計測開始") and version commands to the main window.
void InstallBenchmark(TMainForm &main);

// The whole command: confirmation, run, report, closing the frame windows.
void N10Click(TMainForm &main);
// The version message.
void V2Click();

// The measured workload, from just after the confirmation to the final
// release of planes.  Leaves the four frame windows open.  On any failure it
// removes everything it created and throws forms::Exception.
RunResult Run(TMainForm &main);

// The result of the last completed run of N10Click.
const RunResult &LastRun();

} // namespace bench
