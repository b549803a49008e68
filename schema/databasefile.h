#pragma once

#include <QString>
#include <QStringList>

// File operations on whole database files. Every function answers with an error text, empty
// when all went well. Paths may be of any length and hold any characters.
namespace databasefile {

// The file a path names, links followed, so a replaced database stays where its links point.
QString resolved(const QString &path);

// What PRAGMA integrity_check finds wrong with the file (empty when it is sound), or the reason
// the check could not run.
QStringList integrityProblems(const QString &path);

// Checks that the file is a database of this program: it opens with the password, holds the
// program's tables and passes the integrity check.
QString check(const QString &path, const QString &password);

// Writes a consistent copy of source (through SQLite, not byte by byte) to destination. The copy
// is made in a temporary file beside destination, checked, and then renamed over destination in
// one step, so destination is either the old file or the complete new one.
QString copy(const QString &source, const QString &destination, const QString &password);

// Copies the bytes of source to destination the same safe way, for files that may be damaged.
QString keep(const QString &source, const QString &destination);

// Renames from over to in one step.
QString replace(const QString &from, const QString &to);

} // namespace databasefile
