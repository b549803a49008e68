#pragma once

#include <QString>

// A value for a filter text: in single quotes, a single quote inside doubled.
inline QString filterValue(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
