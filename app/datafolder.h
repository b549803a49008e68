#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Where the program keeps log.mdb, its backup folder and its sounds: the working folder when it
// holds log.mdb; otherwise the executable's folder when it holds one (portable use); otherwise
// the user's data folder, seeded with the delivered database on first start.
namespace datafolder {

inline const QString databaseName = QStringLiteral("log.mdb");

QString choose(const QString &workingFolder, const QString &programFolder, const QString &userDataFolder);

// The folder of delivered files (the database template and the sounds) for an executable in
// programFolder, or an empty text when there is none.
QString shareFolder(const QString &programFolder);

// Creates the folder when needed, puts a copy of the template there as log.mdb when it has none,
// and adds any delivered sound that is missing. Returns an error text, or an empty one.
QString prepare(const QString &folder, const QString &shareFolder);

// Why the program may not change the database (its file, or the folder that must hold its journal,
// cannot be written), or an empty text when it may.
QString writeProblem(const QString &databasePath);

// The notice shown once when the database opens read-only, and the reason every write then gives.
QString readOnlyNotice(const QString &problem);
QString readOnlyReason(const QString &problem);

struct DatabaseLock
{
    std::unique_ptr<QLockFile> file; // held while it lives; empty when the lock was not taken
    QString problem;                 // why not, for the user
};

// One writer per database: the lock lies beside the file a link points to, so data folders whose
// log.mdb are links to one file share it.
DatabaseLock lock(const QString &databasePath);

} // namespace datafolder
