#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The tables of log.mdb, their column order, and the rows a new database starts with.
namespace schema {

inline const QString databasePassword = QStringLiteral("vqt38KX");

// Columns of LOG after its autonumber id, and of every band and mode table.
const QStringList &logColumns();
const QStringList &bandTableColumns();
// RIEP columns after its first two (id, dataagg): every counter, conf and nconf last.
const QStringList &riepCounters();
// Diplome's award columns: the band suffixes (positions 2 to 13), then the modes (14 to 18).
const QStringList &diplomeBandColumns();
const QStringList &diplomeColumns();
inline constexpr int diplomeLevels = 10;
// Band and mode tables, in band order then mode order.
QStringList bandAndModeTables();

QStringList createStatements();
// Empty tables' first rows: one placeholder row per band and mode table, the RIEP and INFO rows
// and the ten Diplome rows.
QStringList seedStatements();
// Fields of imported QSOs that LOG has no column for, as ADIF text, keyed by LOG's id (num).
inline const QString adifFieldsTable = QStringLiteral("ADIFFIELDS");
// Recorded in PRAGMA user_version; a database without the version is older.
inline constexpr int schemaVersion = 1;
// Adds what an older database lacks (the tables above) and records the version. The program's
// own tables and columns are never changed. Safe to run on a current database. A file that lacks
// one of the program's tables is not changed at all: EngineError names the missing table.
void upgrade(Connection &connection);

// A new database file with every table and the seed rows, but no reference data.
void createDatabase(const QString &path, const QString &password = databasePassword);

} // namespace schema
