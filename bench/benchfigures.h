#pragma once

#include <QList>
#include <QStringList>
#include <vector>

// What every benchmark program shares: its command line and the figures it prints.
namespace benchfigures {

double minimum(const std::vector<double> &values);
double median(std::vector<double> values);

// A field of /proc/self/status in kB ("VmHWM:", "VmRSS:"), or 0 where there is none.
qint64 statusKilobytes(const char *key);

// "[-r RUNS] [COUNT ...]": how often each job runs, and the log sizes (100,000 when none given).
struct RunsAndCounts
{
    int runs = 0;
    QList<int> counts;
};
RunsAndCounts readRunsAndCounts(QStringList arguments, int defaultRuns);

} // namespace benchfigures
