#pragma once

class Connection;
class TableView;

// Builds the band and mode tables again from LOG, so that they hold what saving, changing and
// deleting QSOs would have left there: one row per DOK logged on the band (or in the mode),
// copying one of its QSOs there, and the placeholder row where no DOK is logged. A row that
// already points at a QSO of its DOK there keeps it (a QSO saved anyway stays the one shown);
// any other DOK gets its earliest QSO there. Rows that are right already are not written.
//
// Reads the log from the rows the LOG view holds (open and unfiltered), works through the band
// and mode views inside the caller's transaction, and leaves those views showing the tables and
// filtering they showed before.
class BandModeRebuild
{
public:
    BandModeRebuild(Connection &connection, TableView &log, TableView &bandView, TableView &modeView);

    void run();

private:
    Connection &m_connection;
    TableView &m_log;
    TableView &m_bandView;
    TableView &m_modeView;
};
