#pragma once

#include <QString>

class TableView;

// Moves a view to the first row, in its order, whose column begins with the prefix (case
// ignored) and returns true, or stays put and returns false. A view sorted by that column alone
// is searched by halving, which a search while typing needs on a long log; any other view row by row.
bool locatePrefix(TableView &view, const QString &column, const QString &prefix);

// Whether a row of the view holds, in that column, a text longer than the prefix that begins with
// it (case ignored): "HSC" begins "HSC70".
bool beginsLongerText(const TableView &view, const QString &column, const QString &prefix);
