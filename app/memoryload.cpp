#include "memoryload.h"

#include <QFile>
#include <QStringTokenizer>
#include <cmath>

namespace {

// The value of a "Key:   1234 kB" line. The status bar asks twice a second, so it reads the
// lines as they stand rather than building a pattern each time.
std::optional<double> kilobytes(const QString &meminfo, QLatin1StringView key)
{
    for (const QStringView line : QStringTokenizer(meminfo, u'\n')) {
        if (!line.startsWith(key) || !line.sliced(key.size()).startsWith(u':'))
            continue;
        const QStringView rest = line.sliced(key.size() + 1).trimmed();
        bool ok = false;
        const double value = rest.left(rest.indexOf(u' ')).toDouble(&ok);
        return ok ? std::optional<double>(value) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> memoryLoadPercent(const QString &meminfo)
{
    const auto total = kilobytes(meminfo, QLatin1StringView("MemTotal"));
    const auto available = kilobytes(meminfo, QLatin1StringView("MemAvailable"));
    if (!total || !available || *total <= 0)
        return std::nullopt;
    return int(std::lround((*total - *available) / *total * 100.0));
}

std::optional<int> systemMemoryLoad()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    return memoryLoadPercent(QString::fromLatin1(file.readAll()));
}
