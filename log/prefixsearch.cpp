#include "prefixsearch.h"

#include "tableview.h"
#include "textcompare.h"

bool locatePrefix(TableView &view, const QString &column, const QString &prefix)
{
    if (view.sort().trimmed().compare(column, Qt::CaseInsensitive) != 0 || prefix.isEmpty())
        return view.locate(column, {prefix}, true);
    const int index = view.columnIndex(column);
    const std::string wanted = prefix.toStdString();
    // Rows that begin with the prefix follow one another from the first row not before it
    // (an empty or null value sorts before any prefix).
    int low = 0;
    int high = view.recordCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (textcompare::compareNoCase(view.textAt(middle, index).toStdString(), wanted) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == view.recordCount() || !textcompare::startsWithNoCase(view.textAt(low, index).toStdString(), wanted))
        return false;
    view.moveTo(low);
    return true;
}

bool beginsLongerText(const TableView &view, const QString &column, const QString &prefix)
{
    const int index = view.columnIndex(column);
    for (int row = 0; row < view.recordCount(); ++row) {
        const QString text = view.textAt(row, index);
        if (text.size() > prefix.size() && text.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
