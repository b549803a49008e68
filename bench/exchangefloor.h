#pragma once

#include <QString>

// What SQLite and plain C need to bring an ADIF file into LOG and the side table, and to write
// LOG back out as ADIF: the floor that import and export are set against in the same run.
namespace exchangefloor {

// Reads the file, parses its records and inserts each into LOG (the columns the import fills)
// and its other fields as text into the side table, with prepared statements in one durable
// transaction. Returns the milliseconds taken; the count of inserted rows goes to inserted.
double importMs(const QString &databasePath, const QString &adifPath, int &inserted);
// Reads LOG with its side table and writes the same fields as the export, synced to the disk
// before it is renamed into place. Returns the milliseconds taken; the count of written records
// goes to written.
double exportMs(const QString &databasePath, const QString &adifPath, int &written);

} // namespace exchangefloor
