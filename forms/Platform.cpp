#include "Platform.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <ctime>
#include <thread>

#include <sys/utsname.h>
#include <unistd.h>

namespace forms {

namespace {

QString readText(const char *path)
{
    QFile f(QString::fromLatin1(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    // /proc files report size 0: read until the end.
    return QString::fromUtf8(f.readAll());
}

} // namespace

uint32_t GetTickCount()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
    return uint32_t(ms);
}

OsVersion GetOsVersion()
{
    OsVersion v;
    utsname u{};
    if (uname(&u) == 0) {
        v.release = QString::fromLocal8Bit(u.release);
        v.name = QString::fromLocal8Bit(u.sysname);
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)")).match(v.release);
        if (m.hasMatch()) {
            v.major = m.captured(1).toInt();
            v.minor = m.captured(2).toInt();
        }
    }
    const QString osRelease = readText("/etc/os-release");
    for (const QString &line : osRelease.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("PRETTY_NAME="))) {
            QString value = line.mid(12).trimmed();
            if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
                && value.back() == value.front())
                value = value.mid(1, value.size() - 2);
            if (!value.isEmpty())
                v.name = value;
            break;
        }
    }
    return v;
}

MemoryStatus ParseMemInfo(const QString &text)
{
    MemoryStatus s;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QStringList parts = line.simplified().split(QLatin1Char(' '));
        if (parts.size() < 2)
            continue;
        bool ok = false;
        uint64_t value = parts[1].toULongLong(&ok);
        if (!ok)
            continue;
        if (parts.size() >= 3 && parts[2].compare(QStringLiteral("kB"), Qt::CaseInsensitive) == 0)
            value *= 1024u;
        if (parts[0] == QStringLiteral("MemTotal:"))
            s.totalPhys = value;
        else if (parts[0] == QStringLiteral("MemAvailable:"))
            s.availPhys = value;
    }
    return s;
}

MemoryStatus GlobalMemoryStatus()
{
    return ParseMemInfo(readText("/proc/meminfo"));
}

bool DeleteFile(const QString &path)
{
    return QFile::remove(path);
}

QString DateTimeToStr(const QDateTime &t)
{
    if (t.time() == QTime(0, 0))
        return t.toString(QStringLiteral("yyyy/MM/dd"));
    return t.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QDateTime Now()
{
    return QDateTime::currentDateTime();
}

QString CpuModelName()
{
    const QString info = readText("/proc/cpuinfo");
    for (const QString &line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("model name"))) {
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            if (colon >= 0)
                return line.mid(colon + 1).trimmed();
        }
    }
    return {};
}

int LogicalCpuCount()
{
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    if (n > 0)
        return int(n);
    const unsigned h = std::thread::hardware_concurrency();
    return h > 0 ? int(h) : 1;
}

QPoint CentredOrigin(const QSize &screen, const QSize &window)
{
    return {screen.width() / 2 - window.width() / 2, screen.height() / 2 - window.height() / 2};
}


} // namespace forms
