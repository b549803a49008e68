#pragma once

#include <QChar>
#include <QString>
#include <span>

// The 24 DOK districts as the maps present them: the overview's area and hint, and the district
// window's class name, caption and the letter bounds of its DOK filter.
namespace maps {

struct DistrictEntry
{
    QChar letter;
    const char *areaName;    // the overview's clickable area
    const char *hint;        // its hint's short part
    const char *windowClass; // the district window's class name
    const char *caption;
    const char *lowerBound;  // empty: no lower bound
    const char *upperBound;
};

std::span<const DistrictEntry> districtCatalogue();
const DistrictEntry *districtByLetter(QChar letter);
const DistrictEntry *districtByWindowClass(const QString &windowClass);

// The DOK table's filter that keeps the district's ordinary DOKs, e.g.
// dok>'M' and dok<'N' and spec=null.
QString districtDokFilter(const DistrictEntry &district);

} // namespace maps
