#include "benchfigures.h"

#include <QFile>
#include <algorithm>

namespace benchfigures {

double minimum(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

qint64 statusKilobytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

RunsAndCounts readRunsAndCounts(QStringList arguments, int defaultRuns)
{
    RunsAndCounts read{defaultRuns, {}};
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("-r")) {
        read.runs = arguments.at(1).toInt();
        arguments = arguments.mid(2);
    }
    for (const QString &argument : arguments)
        read.counts << argument.toInt();
    if (read.counts.isEmpty())
        read.counts << 100000;
    return read;
}

} // namespace benchfigures
