#pragma once

#include "tableview.h"

#include <QString>

// Writes a QSO's text into a column, or NULL when the user left it empty.
inline void setTextOrNull(TableView &view, const QString &column, const QString &text)
{
    if (text.isEmpty())
        view.clear(column);
    else
        view.setText(column, text);
}
