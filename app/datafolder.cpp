#include "datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datafolder {
namespace {

const QString templateName = QStringLiteral("template.mdb");
const QString soundsFolder = QStringLiteral("sounds");

bool holdsDatabase(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(databaseName)).isFile();
}

} // namespace

QString choose(const QString &workingFolder, const QString &programFolder, const QString &userDataFolder)
{
    if (holdsDatabase(workingFolder))
        return workingFolder;
    if (holdsDatabase(programFolder))
        return programFolder;
    return userDataFolder;
}

QString shareFolder(const QString &programFolder)
{
    const QDir program(programFolder);
    for (const QString &candidate : {QStringLiteral("share/wzplog"), QStringLiteral("../share/wzplog")}) {
        if (QFileInfo(program.filePath(candidate + QLatin1Char('/') + templateName)).isFile())
            return QDir::cleanPath(program.filePath(candidate));
    }
    return {};
}

QString prepare(const QString &folder, const QString &shareFolder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return QStringLiteral("Cannot create the data folder %1.").arg(folder);
    const QString database = dir.filePath(databaseName);
    if (!QFileInfo::exists(database)) {
        const QString source = QDir(shareFolder).filePath(templateName);
        if (shareFolder.isEmpty() || !QFileInfo(source).isFile())
            return QStringLiteral("The delivered database was not found, so %1 cannot be created.").arg(database);
        const QString partial = database + QStringLiteral(".new");
        QFile::remove(partial);
        if (!QFile::copy(source, partial) || !QFile::rename(partial, database)) {
            QFile::remove(partial);
            return QStringLiteral("Cannot create %1.").arg(database);
        }
        QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    const QDir sounds(QDir(shareFolder).filePath(soundsFolder));
    for (const QString &name : sounds.entryList({QStringLiteral("*.wav")}, QDir::Files)) {
        if (!QFileInfo::exists(dir.filePath(name)))
            QFile::copy(sounds.filePath(name), dir.filePath(name));
    }
    return {};
}

QString writeProblem(const QString &databasePath)
{
    const QFileInfo database(databasePath);
    const QFileInfo real(database.exists() ? database.canonicalFilePath() : database.absoluteFilePath());
    if (real.exists() && !real.isWritable())
        return QStringLiteral("the file %1 cannot be written").arg(QDir::toNativeSeparators(real.filePath()));
    const QFileInfo folder(real.absolutePath());
    if (!folder.isWritable())
        return QStringLiteral("the folder %1 cannot be written").arg(QDir::toNativeSeparators(folder.filePath()));
    return {};
}

QString readOnlyNotice(const QString &problem)
{
    return QStringLiteral("The log is opened read-only, because %1. You can look at it, but nothing can be saved.")
        .arg(problem);
}

QString readOnlyReason(const QString &problem)
{
    return QStringLiteral("Nothing can be saved: the log is open read-only, because %1.").arg(problem);
}

DatabaseLock lock(const QString &databasePath)
{
    const QFileInfo database(databasePath);
    const QString real = database.exists() ? database.canonicalFilePath() : database.absoluteFilePath();
    const QString lockPath = real + QStringLiteral(".lock");
    auto lockFile = std::make_unique<QLockFile>(lockPath);
    // A lock left by a program that died is taken over at once.
    lockFile->setStaleLockTime(0);
    if (lockFile->tryLock(200))
        return {std::move(lockFile), {}};
    qint64 pid = 0;
    QString host, application;
    // A lock that names no holder is no other instance: something else keeps it from being made.
    const bool heldByAnother = lockFile->getLockInfo(&pid, &host, &application);
    switch (lockFile->error()) {
    case QLockFile::LockFailedError:
        if (!heldByAnother)
            return {nullptr, QStringLiteral("Cannot create the lock file %1.").arg(QDir::toNativeSeparators(lockPath))};
        return {nullptr, QStringLiteral("WZP Logbook is already running on the database %1.").arg(QDir::toNativeSeparators(real))};
    case QLockFile::PermissionError:
        return {nullptr, QStringLiteral("Cannot create the lock file %1: the folder cannot be written.")
                             .arg(QDir::toNativeSeparators(lockPath))};
    default:
        return {nullptr, QStringLiteral("Cannot create the lock file %1 (is the disk full?).")
                             .arg(QDir::toNativeSeparators(lockPath))};
    }
}

} // namespace datafolder
