#pragma once

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

// Why a folder named by the user is no data folder (it holds no log.mdb), or an empty text: such a
// folder is never made into a new log by mistake.
QString namedFolderProblem(const QString &folder);

// Why the program may not change the database (its file, or the folder that must hold its journal,
// cannot be written), or an empty text when it may.
QString writeProblem(const QString &databasePath);

// The notice shown once when the database opens read-only, and the reason every write then gives.
QString readOnlyNotice(const QString &problem);
QString readOnlyReason(const QString &problem);

// Holds one database for as long as it lives. Two locks are held: one on the database file
// itself, so every path to it (symbolic link, hard link, bind mount) meets the same lock, and one
// on the lock file beside it, which names the holder. Both are the system's own file locks, so
// they end with the process that holds them: a lock file left by a program that died, or one
// that holds nothing readable, is simply taken over. Release it only after every connection to
// the database is closed.
class HeldDatabase
{
public:
    HeldDatabase(int databaseHandle, int lockHandle, const QString &lockPath);
    ~HeldDatabase();
    HeldDatabase(const HeldDatabase &) = delete;
    HeldDatabase &operator=(const HeldDatabase &) = delete;

private:
    int m_database;
    int m_lock;
    QString m_lockPath;
};

struct DatabaseLock
{
    std::unique_ptr<HeldDatabase> file; // held while it lives; empty when the lock was not taken
    QString problem;                    // why not, for the user
    bool heldByAnother = false;         // another program works on the database (else: see problem)
};

// One writer per database.
DatabaseLock lock(const QString &databasePath);

} // namespace datafolder
