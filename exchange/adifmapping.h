#pragma once

#include "qsorecord.h"

#include <QString>
#include <optional>

// How ADIF's bands, modes, QSL marks and dates map onto this log's vocabulary and back.
namespace adif {

// This program's own field for the QSO's status ("*", "C", "A"), so that an accredited QSO
// comes back as one.
inline const QByteArray statusField = QByteArrayLiteral("APP_WZPLOG_CONF");

// "20m" -> "14", any case; empty outside the twelve bands.
QString bandOfName(const QString &adifBand);
// A frequency in MHz ("14.205") -> "14"; empty outside the twelve bands.
QString bandOfFrequency(const QString &megahertz);
// "14" -> "20m".
QString nameOfBand(const QString &band);
// The counted mode of MODE and SUBMODE ("USB" -> "SSB", "PSK"/"PSK31" -> "PSK"); empty when the
// mode is not counted.
QString modeOf(const QString &mode, const QString &submode);
// "20240301" -> "01/03/2024"; empty when it is no valid date.
QString dateOf(const QString &qsoDate);
// "01/03/2024" -> "20240301"; empty when the stored date cannot be read.
QString qsoDateOf(const QString &data);
// Confirmed when any of the QSL fields says Y.
bool isConfirmed(const QsoRecord &record);

// Fields LOG keeps in its own columns; every other field goes to the side table.
bool isLogField(const QByteArray &name);
// A field as ADIF text, its length counted in UTF-8 bytes: "<FREQ:6>14.205".
QByteArray fieldText(const QByteArray &name, const QString &value);

} // namespace adif
