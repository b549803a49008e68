#pragma once

#include <QDate>
#include <QString>

// Date texts written with the user's separators (taken from the default locale).
namespace localformat {

QString dateSeparator();
QString timeSeparator();
// A number below 100 written with two digits: 7 -> "07".
QString twoDigits(int value);
// Day without leading zero, month with two digits, year with four: 5/03/2004.
QString shortDate(const QDate &date);

} // namespace localformat
