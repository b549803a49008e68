#pragma once

#include <string>
#include <vector>

// One stored value of a row as the views hold it in memory: UTF-8 text or null.
struct Cell
{
    std::string text;
    bool null = true;
};

using Row = std::vector<Cell>;

enum class ColumnKind { Text, Integer, Boolean, DateTime, Real };
