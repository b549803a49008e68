#pragma once

#include <QString>
#include <QStringList>

class LogData;

// Credits the QSOs of applications the award manager has accepted: the QSOs an application's
// printout lists (the confirmed rows of the award's band or mode table) become "A" in LOG, in
// their band and mode tables and in their DOK's cells, as an accreditation in the modify window
// would make them, so the next refresh counts them as accredited.
class AwardAccreditation
{
public:
    explicit AwardAccreditation(LogData &dm);

    // Every award's QSOs in one transaction; returns how many QSOs became "A". Throws EngineError
    // (nothing is written then); an award that names no band or mode is skipped.
    int accredit(const QStringList &awards);

private:
    LogData &m_data;
};
