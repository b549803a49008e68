#pragma once

#include "viewmodel.h"

#include <vector>

// The columns of a grid on the status matrix: DOK, CONF titled "Cf", the band cells titled by
// their band (50 … 433) and the mode cells, RTTY titled "TTY".
enum class ModeTitles { Upper, Lower };
std::vector<ViewModel::GridColumn> dokMatrixColumns(ModeTitles titles);
