#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QsoReader;
class LogData;

// What an import did: counts, and the first few records of each reason for skipping.
struct ImportReport
{
    struct Group
    {
        QString reason;
        int count = 0;
        QStringList examples;
    };

    int records = 0;
    int imported = 0;
    Group duplicates{QStringLiteral("already in the log"), 0, {}};
    // Duplicates that confirmed a QSO logged unconfirmed.
    Group confirmedByFile{QStringLiteral("confirmed by this file"), 0, {}};
    // Fields of a UTF-8 file whose length counted characters where it should count bytes.
    int readByCharacters = 0;
    std::vector<Group> skipped; // in the order the reasons first occurred
    int doksAdded = 0;
    bool cancelled = false;

    int skippedCount() const;
    // Several lines for the user.
    QString text() const;
};

// Brings the QSOs of a log file into the log, each landing in LOG, the band and mode tables and
// the DOK's cells the way saving leaves them:
// - LOG gets the QSO with conf "C" when the file says it was confirmed (a QSL field is Y),
//   else "*"; spec "S" for a special DOK.
// - The band table and the mode table keep one row per DOK: the DOK's first QSO there, except
//   that a confirmed QSO takes the row of an unconfirmed one.
// - The DOK's band, pair and mode cells take the QSO's status unless they hold "A", and CONF
//   becomes "C"; so a refresh right after an import changes no cell of a log refreshed before.
// A QSO without DOK, callsign or valid date, outside the twelve bands or the five modes, or of
// a DOK missing from the list is skipped with its reason; one already in the log (same call,
// DOK, band, mode and date) is a duplicate; a confirmed duplicate of an unconfirmed QSO confirms
// it ("confirmed by this file"), as a later confirmation does. Fields that LOG has no column for are kept in the
// side table and written back by the export.
//
// The whole file is one transaction: a broken file, an engine error or a cancel leaves the log
// exactly as it was.
class QsoImporter
{
public:
    explicit QsoImporter(LogData &dm);

    // Asked once, before anything is written, when the file has QSOs of DOKs missing from the
    // list, with their codes in order; true adds those DOKs (special ones marked "S", every cell
    // "*"). Unset means no.
    std::function<bool(const QStringList &unknownDoks)> addUnknownDoks;
    // Called every few records; returning false cancels the import.
    std::function<bool(qint64 done, qint64 total)> onProgress;

    // Throws ExchangeError for a broken file and EngineError for a failing database; the log is
    // unchanged then.
    ImportReport run(QsoReader &reader);

private:
    LogData &m_data;
};
