// Services of the operating system, in the form the window code uses them.
#pragma once

#include <QDateTime>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>

namespace forms {

// Milliseconds of a monotonic clock, as a 32-bit count that wraps; take
// differences in uint32_t arithmetic.
uint32_t GetTickCount();

// There is no Windows version query on Linux: platformId is -1 (no Windows
// family); major and minor come from the kernel release, name is the
// operating system's pretty name (/etc/os-release PRETTY_NAME, else the
// kernel name) and release the kernel release text.
struct OsVersion {
    int platformId = -1;
    int major = 0;
    int minor = 0;
    QString name;
    QString release;
};
OsVersion GetOsVersion();

// Physical memory in bytes: installed and available (MemTotal and
// MemAvailable of /proc/meminfo; 0 when unknown).
struct MemoryStatus {
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
};
MemoryStatus GlobalMemoryStatus();
// Parses the text of /proc/meminfo.
MemoryStatus ParseMemInfo(const QString &text);

// Deletes a file by name; false when it could not be deleted.
bool DeleteFile(const QString &path);

// Date and time as text in the Japanese short date and long time forms,
// "yyyy/MM/dd HH:mm:ss"; a value exactly at midnight shows the date alone.
QString DateTimeToStr(const QDateTime &t);
QDateTime Now();

// The processor's model name (/proc/cpuinfo), empty when unknown.
QString CpuModelName();
// Number of logical processors (at least 1).
int LogicalCpuCount();

// Where a window of outer size `window` goes to stand in the middle of a
// screen of size `screen`: left = screen width div 2 - window width div 2,
// top likewise, each half an integer division.
QPoint CentredOrigin(const QSize &screen, const QSize &window);

} // namespace forms
