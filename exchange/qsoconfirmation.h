#pragma once

#include <QString>
#include <QStringList>

class QsoReader;
class LogData;

// What a file of confirmations did to the log: how many records fell into each group, and the
// first records of each.
struct ConfirmationReport
{
    static constexpr int recordsListed = 50;

    struct Group
    {
        QString title;
        int count = 0;
        QStringList records; // the first recordsListed
    };

    int records = 0;
    Group confirmedNow{QStringLiteral("Confirmed now"), 0, {}};
    Group alreadyConfirmed{QStringLiteral("Already confirmed or accredited"), 0, {}};
    Group notInLog{QStringLiteral("Not in the log"), 0, {}};
    Group ambiguous{QStringLiteral("Ambiguous (two or more QSOs match; nothing changed)"), 0, {}};
    Group conflicts{QStringLiteral("Conflicts (the DOK differs from the log's; nothing changed)"), 0, {}};
    Group noConfirmation{QStringLiteral("No confirmation (no QSL field says Y or V)"), 0, {}};
    int readByCharacters = 0;
    bool dryRun = false;

    // Several lines for the user.
    QString text() const;
};

// Takes confirmations that arrive after the QSO (paper cards entered elsewhere, reports of DCL,
// LoTW or eQSL) into the log. Each record whose QSL_RCVD, LOTW_QSL_RCVD, EQSL_QSL_RCVD or
// DCL_QSL_RCVD says Y or V looks for its QSO by call, band, mode and date; where both have a
// TIME_ON they must lie within 30 minutes of each other. A record without DARC_DOK takes the
// logged QSO's DOK; one with another DOK is a conflict. A match whose status is "*" becomes
// "C" (in LOG, the band and mode tables and the DOK's cells, and its QSL fields are kept for the
// export); "C" and "A" stay. All of it is one transaction; a dry run writes nothing.
class QsoConfirmation
{
public:
    explicit QsoConfirmation(LogData &dm);

    // Throws ExchangeError for a broken file and EngineError for a failing database; the log is
    // unchanged then.
    ConfirmationReport run(QsoReader &reader, bool dryRun = false);

private:
    LogData &m_data;
};
