#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Reading the reference lists of the data folder.
namespace reference {

// The non-empty lines of a text file that are not comments ("#").
QStringList readLines(const QString &path);
// District letter -> district name.
QMap<QChar, QString> readDistricts(const QString &path);
// An ordinary DOK is a district letter followed by two digits; every other code is special.
bool isOrdinaryDok(const QString &code);

} // namespace reference
