#include "memoryload.h"

#include <QFile>
#include <QRegularExpression>
#include <cmath>

namespace {

std::optional<double> kilobytes(const QString &meminfo, const char *key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+)").arg(QLatin1String(key)),
                                  QRegularExpression::MultilineOption);
    const auto match = line.match(meminfo);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble();
}

} // namespace

std::optional<int> memoryLoadPercent(const QString &meminfo)
{
    const auto total = kilobytes(meminfo, "MemTotal");
    const auto available = kilobytes(meminfo, "MemAvailable");
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
