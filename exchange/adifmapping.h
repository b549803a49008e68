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
// The same for a plain ASCII value in bytes: the band as the log names it ("14"), or empty.
QByteArrayView bandOfName(QByteArrayView adifBand);
// "14" -> "20m".
QString nameOfBand(const QString &band);
// The same in bytes; empty for no band of the log.
QByteArrayView nameOfBand(QByteArrayView band);
// The counted mode of MODE and SUBMODE ("USB" -> "SSB", "PSK"/"PSK31" -> "PSK"); empty when the
// mode is not counted.
QString modeOf(const QString &mode, const QString &submode);
// The same for plain ASCII values in bytes.
QByteArrayView modeOf(QByteArrayView mode, QByteArrayView submode);
// "20240301" -> "01/03/2024"; empty when it is no valid date.
QString dateOf(const QString &qsoDate);
// The same for a value in UTF-8.
QString dateOf(QByteArrayView qsoDate);
// "01/03/2024" -> "20240301"; empty when the stored date cannot be read.
QString qsoDateOf(const QString &data);
// The same in bytes, into qsoDate; false when the date is not stored as dd/mm/yyyy, or is no
// date (then qsoDateOf above reads what can be read).
bool qsoDateInto(QByteArrayView data, char (&qsoDate)[8]);
// Confirmed when any of QSL_RCVD, LOTW_QSL_RCVD, EQSL_QSL_RCVD and DCL_QSL_RCVD says Y or V
// (verified).
bool isConfirmed(const QsoRecord &record);
bool isConfirmed(const std::vector<QsoField> &fields);
// A value of one of them that says so.
bool saysConfirmed(QByteArrayView value);
// One of the four fields above.
bool isQslStatusField(QByteArrayView name);
// The fields that tell a confirmation: the four above, their dates and how the card came.
bool isReceivedQslField(const QByteArray &name);

// The record's fields that tell its confirmation. A report of LoTW gives LoTW's own status in
// QSL_RCVD and QSLRDATE (its records carry APP_LoTW_ fields): they become LOTW_QSL_RCVD and
// LOTW_QSLRDATE, so that no paper card is claimed.
std::vector<QsoField> receivedQslFields(const QsoRecord &record);

// Fields LOG keeps in its own columns; every other field goes to the side table.
bool isLogField(const QByteArray &name);
// A field as ADIF text, its length counted in UTF-8 bytes: "<FREQ:6>14.205".
QByteArray fieldText(const QByteArray &name, const QString &value);
// The same appended to text.
void appendFieldText(QByteArray &text, const QByteArray &name, const QString &value);
void appendFieldText(QByteArray &text, QByteArrayView name, QByteArrayView utf8Value);
// The bytes of such a field of a value in UTF-8, and the field written at out (returns the end):
// for a writer that makes room for a whole record at once.
qsizetype fieldSize(QByteArrayView name, qsizetype valueSize);
char *putField(char *out, QByteArrayView name, QByteArrayView utf8Value);
// The side table's ADIF text of a QSO as fields, and back.
std::vector<QsoField> keptFields(const QString &kept);
QString keptText(const std::vector<QsoField> &fields);
// The side table's text split into its fields without decoding them, when it is exactly as
// keptText writes it (upper-case names, lengths in bytes, nothing between the fields); false
// for anything else, which keptFields reads.
bool splitKeptText(QByteArrayView kept, std::vector<FieldBytes> &fields);
// The fields with each of changes put in: in place of a field of its name, else at the end.
void putFields(std::vector<QsoField> &fields, const std::vector<QsoField> &changes);

// TIME_ON ("1205", "120530") as minutes after midnight; nullopt when it is no time.
std::optional<int> minutesOf(const QString &timeOn);
// A record in a few words for reports: "record 7: DL1ABC 20090305 1205 20m SSB A01".
QString describe(const QsoRecord &record);

} // namespace adif
