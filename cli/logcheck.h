#pragma once

#include <QStringList>

class Connection;

// Checks a log: the database file's own integrity, and that the band and mode tables agree
// with LOG (every row points at a QSO of its DOK, band or mode; no DOK twice; every DOK with
// a QSO there has its row). Returns the problems found, none for a sound log.
QStringList checkLog(Connection &connection);
