#pragma once

#include <QString>

// The counts of the management view: a share of all DOKs in percent, and the texts of the status
// bar for a band table, a mode table and the accredited DOKs of a band.
namespace counttext {

// count / total * 100 with one decimal place and the user's decimal separator; 0.0 without DOKs.
QString percentage(qint64 count, qint64 total);

// "  123 DOK confirmed on 14 MHz (12.3 %)"; band as the user chooses it ("3.5", not "3").
QString band(qint64 count, const QString &band, qint64 total);
// "  5 DOK confirmed on RTTY Mode (0.5 %)"
QString mode(qint64 count, const QString &mode, qint64 total);
// "  5 DOK accredited on 14 MHz (0.5 %)"
QString accredited(qint64 count, const QString &band, qint64 total);

} // namespace counttext
