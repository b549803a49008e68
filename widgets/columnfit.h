#pragma once

#include <QString>

class QTableView;

// Column widths that show their title and texts whole in the grid's own font, so they still fit
// when the user's text scaling is larger than the one the layout was drawn for.
namespace columnfit {

// The width a column needs for its title and for the widest of samples (texts it typically shows).
int widthFor(const QTableView *grid, const QString &title, const QString &sample = {});
// Gives a column its designed width, or more when its title or sample needs more.
void setAtLeast(QTableView *grid, int column, int designed, const QString &sample = {});

} // namespace columnfit
