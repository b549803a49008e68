#include "backupstore.h"

#include "databasefile.h"
#include "datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

BackupStore::BackupStore(const QString &dataFolder, const QString &password)
    : m_folder(dataFolder), m_password(password)
{
}

QString BackupStore::livePath() const
{
    return QDir(m_folder).filePath(datafolder::databaseName);
}

QString BackupStore::backupFolder() const
{
    return QDir(m_folder).filePath(QStringLiteral("backup"));
}

QString BackupStore::backupPath() const
{
    return QDir(backupFolder()).filePath(datafolder::databaseName);
}

QString BackupStore::beforeRestorePath() const
{
    return QDir(backupFolder()).filePath(QStringLiteral("before-restore.mdb"));
}

bool BackupStore::hasBackup() const
{
    return QFileInfo(backupPath()).isFile();
}

bool BackupStore::hasLive() const
{
    return QFileInfo(livePath()).isFile();
}

QString BackupStore::backup() const
{
    if (!QDir().mkpath(backupFolder()))
        return QCoreApplication::translate("BackupStore", "Cannot create the folder %1.").arg(backupFolder());
    return databasefile::copy(livePath(), backupPath(), m_password);
}

QString BackupStore::checkBackup() const
{
    return databasefile::check(backupPath(), m_password);
}

QString BackupStore::restore() const
{
    if (const QString problem = checkBackup(); !problem.isEmpty())
        return problem;
    // The restored copy is made and checked in the data folder first, so the live file is
    // replaced by one rename.
    const QString incoming = databasefile::resolved(livePath()) + QStringLiteral(".restoring");
    if (const QString problem = databasefile::copy(backupPath(), incoming, m_password); !problem.isEmpty())
        return problem;
    QString problem = databasefile::keep(livePath(), beforeRestorePath());
    if (problem.isEmpty())
        problem = databasefile::replace(incoming, livePath());
    if (!problem.isEmpty())
        QFile::remove(incoming);
    return problem;
}
