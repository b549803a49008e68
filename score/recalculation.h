#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

class StatusMatrix;
class LogData;

// Rebuilds everything derived from the log: every status cell and CONF of the DOK table, every
// counter of RIEP with the stamp dataagg, the "*" / "To claim" marks of Diplome (a cell
// reading "Claimed" is never touched) and the band and mode tables (see BandModeRebuild). The result is computed in memory and written in one
// transaction, so a failure leaves the previous data as they were.
//
// Rules of the status matrix:
// - A QSO marks the band cell, the band-and-mode cell and the mode cell of its DOK, and sets the
//   DOK's CONF to "C" whatever its status. QSOs of a DOK count in the order of their id.
// - "A" wins: once a QSO of that DOK has status "A" the cell stays "A"; otherwise the latest QSO
//   decides between "C" and "*".
// - The band is the first three characters of banda, the mode the first four of modo, the status
//   the first character of conf, each taken after leading and trailing spaces; letter case does
//   not matter.
// - A band or mode outside the vocabulary names no cell: such a QSO marks only the cells that
//   exist (the mode cell for an unknown band, the band cell for an unknown mode) and CONF.
// - A status other than "C" or "A" (empty, "*", any other letter) counts as "*", not confirmed.
// - A QSO whose DOK is not in the DOK table is passed over; DOK codes match ignoring case, and a
//   code listed twice gets its marks on its first row in the DOK view's order.
// Counters count DOKs: "C" + cell for every cell holding "C" or "A", "A" + cell for "A".
//
// Afterwards the LOG and DOK views have filtering switched off, and the DOK view carries the
// filter text conf='C' and stands on its first row.
class Recalculation
{
public:
    enum class Step { Clearing, Calculating, Counting };

    explicit Recalculation(LogData &dm);

    // Called when a step begins, and every few rows with the work done so far, so a window can
    // show progress and let its events run.
    std::function<void(Step)> onStep;
    std::function<void(int done, int total)> onProgress;

    // Throws EngineError; nothing is written then.
    void run();

private:
    void step(Step which);
    void advance();
    void walkLog(StatusMatrix &matrix);
    std::vector<qint64> writeMatrix(const StatusMatrix &matrix);
    void writeCounters(const std::vector<qint64> &counters);
    void markAwards(const std::vector<qint64> &counters);

    LogData &m_data;
    int m_done = 0;
    int m_total = 0;
};

// The stamp of the last refresh for the refresh window: "Last refresh on  5/03/2004,  at  09:07 PM"
// with the user's date and time separators.
QString refreshStampText(const QDateTime &stamp);
