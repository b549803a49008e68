#pragma once

#include <QString>
#include <QStringList>

// One line of the award window's list, such as "WZP_300 , 14 mhz - New Application". Every later
// step takes the line apart again by position, so the text is built and read only here.
namespace awardentry {

// column is the award grid's header text of the band or mode ("14", "1.8", "TTY").
QString make(int level, const QString &column, bool mode, const QString &applicationType);

QString awardName(const QString &entry);  // "WZP_300": the text before " ,"
QString level(const QString &entry);      // "300": from the fifth character up to the first blank
QString subject(const QString &entry);    // "14": between ", " and " mhz" or " mod"
bool isBandEntry(const QString &entry);   // it contains "mhz"
// The entry cut after its first "-" and given a blank and the new type as its ending.
QString withType(const QString &entry, const QString &applicationType);

// The awards applied for: the first entry's award name, then "_" and each later entry's level
// that is not yet shown; only the first five entries count. "WZP" for no entry.
QString summary(const QStringList &entries);

inline const QString emptySummary = QStringLiteral("WZP");
inline constexpr int maximumEntries = 5;

} // namespace awardentry
