#include "sqlitefloor.h"

#include <QElapsedTimer>
#include <sqlite3.h>
#include <stdexcept>

namespace sqlitefloor {
namespace {

sqlite3 *openFile(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK)
        throw std::runtime_error("cannot open the database");
    return db;
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

double readMs(const QString &databasePath, const std::string &select)
{
    sqlite3 *db = openFile(databasePath);
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, select.c_str(), -1, &statement, nullptr);
    size_t bytes = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            if (sqlite3_column_text(statement, i))
                bytes += size_t(sqlite3_column_bytes(statement, i));
        }
    }
    sqlite3_finalize(statement);
    const double ms = elapsedMs(timer);
    sqlite3_close(db);
    if (bytes == 0)
        throw std::runtime_error("the query read nothing");
    return ms;
}

double readRowsMs(const QString &databasePath, const char *table)
{
    return readMs(databasePath, std::string("SELECT rowid, * FROM \"") + table + "\" ORDER BY rowid");
}

double durableCommitMs(const QString &databasePath)
{
    sqlite3 *db = openFile(databasePath);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_stmt *update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE INFO SET EMAIL=?1 WHERE rowid=(SELECT min(rowid) FROM INFO)", -1, &update, nullptr);
    static int serial = 0;
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_bind_int(update, 1, ++serial);
    const int rc = sqlite3_step(update);
    const int committed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double ms = elapsedMs(timer);
    sqlite3_finalize(update);
    sqlite3_close(db);
    if (rc != SQLITE_DONE || committed != SQLITE_OK)
        throw std::runtime_error("the bare commit failed");
    return ms;
}

void report(QTextStream &out, const QString &what, double programMs, double floorMs, const QString &floor)
{
    out << what << ": program " << programMs << " ms, SQLite floor " << floorMs << " ms (" << floor << "), ratio "
        << (floorMs > 0 ? programMs / floorMs : 0) << "\n";
}

} // namespace sqlitefloor
