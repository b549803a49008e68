#pragma once

#include <QString>
#include <QTextStream>
#include <string>

// What SQLite alone needs on the same file in the same run, as the floor each figure of the
// program is set against.
namespace sqlitefloor {

// Reading every row a query gives with the C API, each cell as text.
double readMs(const QString &databasePath, const std::string &select);
// The same for every row of a table.
double readRowsMs(const QString &databasePath, const char *table);
// One bare durable commit of one changed row, on a connection of its own set up as the
// program sets up its own.
double durableCommitMs(const QString &databasePath);

// "what: program P ms, SQLite floor F ms (floor), ratio R"
void report(QTextStream &out, const QString &what, double programMs, double floorMs, const QString &floor);

} // namespace sqlitefloor
