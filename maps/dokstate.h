#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <map>

class TableView;

// What the status matrix tells of a DOK, as the maps colour it.
namespace maps {

enum class DokState { NoQso, Worked, Accredited };

// The state of each DOK passing the DOK view's filter, by its code in upper case: accredited when
// any of its cells is "A", worked when any is "C", no QSO otherwise.
QHash<QString, DokState> dokStates(const TableView &dok);

struct DistrictShare
{
    int withQso = 0;
    int total = 0;
};

// Per district letter, how many of the ordinary DOKs passing the DOK view's filter have a QSO.
std::map<QChar, DistrictShare> districtShares(const TableView &dok);

} // namespace maps
