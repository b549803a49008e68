#pragma once

#include <QString>
#include <optional>

// The share of physical memory in use, in percent, from the text of /proc/meminfo.
std::optional<int> memoryLoadPercent(const QString &meminfo);
std::optional<int> systemMemoryLoad();
