#pragma once

#include <QString>

// The one backup copy of a data folder's database, backup/log.mdb, and putting it back. The
// database connection must be closed around backup() and restore(). Each answers with an error
// text, empty when all went well; on failure the files are as they were.
class BackupStore
{
public:
    BackupStore(const QString &dataFolder, const QString &password);

    QString livePath() const;
    QString backupFolder() const;
    QString backupPath() const;
    // The live file as it was before the last restore, so a restore can be undone by hand.
    QString beforeRestorePath() const;

    bool hasBackup() const;
    bool hasLive() const;

    // Replaces the backup with a checked copy of the live database; the old backup stays until
    // the new one is complete.
    QString backup() const;
    // Why the backup cannot be put back, or an empty text.
    QString checkBackup() const;
    // Puts a checked copy of the backup in place of the live file, which is kept first.
    QString restore() const;

private:
    QString m_folder;
    QString m_password;
};
