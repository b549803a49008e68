#pragma once

#include <QString>

class QsoWriter;
class LogData;

// Writes QSOs of the log to a log file: CALL, QSO_DATE, BAND, MODE, DARC_DOK, QTH, this program's
// status field, and the fields kept from the import as they came, the QSL fields of other
// loggers among them. A QSO that came with no QSL status (one entered here) gets QSL_RCVD Y when
// it is confirmed or accredited; a status the user changed since sets QSL_RCVD to Y or N.
// Importing the file into an empty log gives the same LOG, band and mode tables.
class QsoExporter
{
public:
    explicit QsoExporter(LogData &dm);

    // Every QSO, in the order they were logged. Returns how many were written.
    int exportLog(QsoWriter &writer);
    // The QSOs behind one award: the confirmed rows of a band table (award "14", "1.8") or a
    // mode table (award "SSB", "TTY"), in DOK order. Throws ExchangeError for an unknown award.
    int exportAward(QsoWriter &writer, const QString &award);

private:
    int write(QsoWriter &writer, const QString &sql);

    LogData &m_data;
};
