#pragma once

#include "databasepages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <unordered_set>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The columns of a table as the rebuild needs them: names, what each holds, and which one is the
// rowid under another name (an INTEGER PRIMARY KEY).
struct TableShape
{
    enum class Holds { Text, Number, Anything };
    QStringList columns;
    std::vector<Holds> holds;
    int rowidColumn = -1;

    // Read from the table's definition in db; empty columns when it cannot be read.
    static TableShape of(sqlite3 *db, const QString &table);
    // Whether a record read from a page could be a row of the table.
    bool fits(const DatabasePages::Record &record) const;
};

// What a table yields.
struct Salvage
{
    qint64 rows = 0;             // rows copied in all
    qint64 fromPages = 0;        // of them, rows read from the leaf pages directly
    std::vector<qint64> lost;    // ids whose row SQLite could not read and no page held
    std::vector<qint64> missing; // ids of a damaged table with no row: lost, or deleted earlier
    qint64 unwritable = 0;
    bool damaged = false;        // SQLite met damage while reading
    bool diskFull = false;
    QString problem;
};

// Copies every row of one table that can still be read from a damaged database into the new one.
// SQLite's own reading comes first: a scan in rowid order that never goes back below the highest
// rowid it has copied and steps over damage, then a point seek for every rowid up to the highest
// one known. What neither reaches is taken from the records of the table's leaf pages.
class TableSalvager
{
public:
    TableSalvager(sqlite3 *from, sqlite3 *to, const QString &table, const TableShape &shape);
    ~TableSalvager();
    TableSalvager(const TableSalvager &) = delete;
    TableSalvager &operator=(const TableSalvager &) = delete;

    // The records the leaf pages hold for this table.
    void addPageRecords(std::vector<DatabasePages::Record> records);
    // The table's AUTOINCREMENT counter, when it could be read: no real row lies above it.
    void setSequence(std::optional<qint64> sequence) { m_sequence = sequence; }

    std::function<void(qint64 rows)> onProgress;

    Salvage run();

private:
    // Copies the row a read statement stands on; false when the disk is full.
    bool copyRead(sqlite3_stmt *statement);
    bool copyRecord(const DatabasePages::Record &record);
    bool written();
    bool fitsRead(sqlite3_stmt *statement) const;
    bool plausible(qint64 rowid) const;
    // Scans in rowid order from the lowest rowid, stepping over damage; false when the disk is full.
    bool scan(qint64 highest);
    // Point seeks for every rowid up to highest the scan did not copy; the ids whose seek failed
    // go to unreadable, those that found no row to empty. False when the disk is full.
    bool fillGaps(qint64 highest, std::vector<qint64> &unreadable, std::vector<qint64> &empty);

    sqlite3 *m_from;
    sqlite3 *m_to;
    QString m_table;
    TableShape m_shape;
    std::vector<DatabasePages::Record> m_pageRecords;
    std::optional<qint64> m_sequence;
    sqlite3_stmt *m_read = nullptr;
    sqlite3_stmt *m_seek = nullptr;
    sqlite3_stmt *m_write = nullptr;
    std::unordered_set<qint64> m_copied;
    qint64 m_highestCopied = 0;
    Salvage m_result;
};

// "311–312, 400" for a sorted list of ids, at most a few ranges followed by "…".
QString idRanges(const std::vector<qint64> &ids);
