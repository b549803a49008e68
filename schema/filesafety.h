#pragma once

#include <QString>

class QFileDevice;

// What keeps the files the programs write from harming the log.
namespace filesafety {

// Why a report or an export must not be written to path, or an empty text when it may: the
// file there, links followed, is a database (the log, its backup, a kept damaged copy, any SQLite
// file) or the journal or lock of one.
QString overwriteProblem(const QString &path);

// Why writing or committing the file failed, in the user's words ("the disk is full").
QString writeError(const QFileDevice &file);

// Makes a rename in the folder survive a power cut. Returns an error text, or an empty one.
QString syncFolder(const QString &folder);

} // namespace filesafety
