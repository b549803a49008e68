#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <map>

class TableView;

// What the status matrix tells of a DOK, as the maps colour it. Both readings take every row of
// the DOK table as it is stored, whatever filter another window left on the view.
namespace maps {

enum class DokState { NoQso, Worked, Accredited };

// The state of each DOK, by its code in upper case: accredited when any of its cells is "A",
// worked when any is "C", no QSO otherwise.
QHash<QString, DokState> dokStates(const TableView &dok);

struct DistrictShare
{
    int withQso = 0;
    int total = 0;
};

// Per district letter, how many of its ordinary (not special) DOKs have a QSO.
std::map<QChar, DistrictShare> districtShares(const TableView &dok);

} // namespace maps
