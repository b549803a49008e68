#pragma once

#include <QString>
#include <optional>

// What the QSO details window lists for a clicked cell of the DOK grid: the filter of the LOG
// view and the window's title.
struct DetailsQuery
{
    QString filter;
    QString title;
};

// dok is the DOK of the clicked row, column the DOK table's column of the cell and cellText what
// the cell shows. A cell showing "*" lists nothing. The CONF cell and the DOK code itself list
// every QSO of the DOK, a mode cell those in that mode, a band cell those on that band.
std::optional<DetailsQuery> detailsQuery(const QString &dok, const QString &column, const QString &cellText);
