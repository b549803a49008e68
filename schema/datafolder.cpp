#include "datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
        return QCoreApplication::translate("DataFolder", "Cannot create the data folder %1.").arg(folder);
    const QString database = dir.filePath(databaseName);
    if (!QFileInfo::exists(database)) {
        const QString source = QDir(shareFolder).filePath(templateName);
        if (shareFolder.isEmpty() || !QFileInfo(source).isFile())
            return QCoreApplication::translate("DataFolder", "The delivered database was not found, so %1 cannot be created.").arg(database);
        const QString partial = database + QStringLiteral(".new");
        QFile::remove(partial);
        if (!QFile::copy(source, partial) || !QFile::rename(partial, database)) {
            QFile::remove(partial);
            return QCoreApplication::translate("DataFolder", "Cannot create %1.").arg(database);
        }
        // Writable by its owner, and readable by others only as far as the user's umask allows.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(QFile::encodeName(database).constData(), 0666 & ~mask);
    }
    const QDir sounds(QDir(shareFolder).filePath(soundsFolder));
    for (const QString &name : sounds.entryList({QStringLiteral("*.wav")}, QDir::Files)) {
        if (!QFileInfo::exists(dir.filePath(name)))
            QFile::copy(sounds.filePath(name), dir.filePath(name));
    }
    return {};
}

QString namedFolderProblem(const QString &folder)
{
    if (QFileInfo(QDir(folder).filePath(databaseName)).isFile())
        return {};
    return QStringLiteral("The folder %1 holds no log.mdb; \"wzplog-cli init %1\" makes it a new data folder.")
        .arg(QDir::toNativeSeparators(folder));
}

QString writeProblem(const QString &databasePath)
{
    const QFileInfo database(databasePath);
    const QFileInfo real(database.exists() ? database.canonicalFilePath() : database.absoluteFilePath());
    if (real.exists() && !real.isWritable())
        return QCoreApplication::translate("DataFolder", "the file %1 cannot be written").arg(QDir::toNativeSeparators(real.filePath()));
    const QFileInfo folder(real.absolutePath());
    if (!folder.isWritable())
        return QCoreApplication::translate("DataFolder", "the folder %1 cannot be written").arg(QDir::toNativeSeparators(folder.filePath()));
    return {};
}

QString readOnlyNotice(const QString &problem)
{
    return QCoreApplication::translate("DataFolder", "The log is opened read-only, because %1. You can look at it, but nothing can be saved.")
        .arg(problem);
}

QString readOnlyReason(const QString &problem)
{
    return QCoreApplication::translate("DataFolder", "Nothing can be saved: the log is open read-only, because %1.").arg(problem);
}

HeldDatabase::HeldDatabase(int databaseHandle, int lockHandle, const QString &lockPath)
    : m_database(databaseHandle), m_lock(lockHandle), m_lockPath(lockPath)
{
}

HeldDatabase::~HeldDatabase()
{
    // The lock file goes while it is still held, so nobody can have taken it meanwhile.
    ::unlink(QFile::encodeName(m_lockPath).constData());
    ::close(m_lock);
    if (m_database >= 0)
        ::close(m_database);
}

namespace {

QString cause(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QCoreApplication::translate("DataFolder", "the folder cannot be written");
    case ENOSPC:
    case EDQUOT:
        return QCoreApplication::translate("DataFolder", "the disk is full");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

bool lockedByAnother(int handle)
{
    if (::flock(handle, LOCK_EX | LOCK_NB) == 0)
        return false;
    return errno == EWOULDBLOCK;
}

bool sameFile(int handle, const QByteArray &path)
{
    struct stat opened {}, named {};
    return ::fstat(handle, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

// "wzplog, process 1234" from what a holder wrote into its lock file, or an empty text.
QString holderOf(const QString &lockPath)
{
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.read(1024).split('\n');
    if (lines.size() < 3 || lines.at(0).toLongLong() <= 0)
        return {};
    return QCoreApplication::translate("DataFolder", "%1, process %2").arg(QString::fromUtf8(lines.at(2)), QString::fromUtf8(lines.at(0)));
}

DatabaseLock runningElsewhere(const QString &database, const QString &lockPath)
{
    const QString holder = holderOf(lockPath);
    QString problem = QCoreApplication::translate("DataFolder", "WZP Logbook is already running on the database %1").arg(QDir::toNativeSeparators(database));
    if (!holder.isEmpty())
        problem += QStringLiteral(" (%1)").arg(holder);
    return {nullptr, problem + QLatin1Char('.'), true};
}

} // namespace

DatabaseLock lock(const QString &databasePath)
{
    const QFileInfo database(databasePath);
    const QString real = database.exists() ? database.canonicalFilePath() : database.absoluteFilePath();
    const QString lockPath = real + QStringLiteral(".lock");
    const QString shownLock = QDir::toNativeSeparators(lockPath);

    int databaseHandle = -1;
    if (database.exists()) {
        databaseHandle = ::open(QFile::encodeName(real).constData(), O_RDONLY | O_CLOEXEC);
        if (databaseHandle < 0)
            return {nullptr, QCoreApplication::translate("DataFolder", "Cannot open the database %1: %2.").arg(QDir::toNativeSeparators(real), cause(errno))};
        if (lockedByAnother(databaseHandle)) {
            ::close(databaseHandle);
            return runningElsewhere(real, lockPath);
        }
    }
    const auto fail = [&](const QString &problem) {
        if (databaseHandle >= 0)
            ::close(databaseHandle);
        return DatabaseLock{nullptr, problem, false};
    };

    const QByteArray encodedLock = QFile::encodeName(lockPath);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int handle = ::open(encodedLock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (handle < 0)
            return fail(QCoreApplication::translate("DataFolder", "Cannot create the lock file %1: %2.").arg(shownLock, cause(errno)));
        if (lockedByAnother(handle)) {
            ::close(handle);
            if (databaseHandle >= 0)
                ::close(databaseHandle);
            return runningElsewhere(real, lockPath);
        }
        // A holder that let go removed the file after this one opened it: take the new one.
        if (!sameFile(handle, encodedLock)) {
            ::close(handle);
            continue;
        }
        const QByteArray holder = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
            + QSysInfo::machineHostName().toUtf8() + '\n' + QCoreApplication::applicationName().toUtf8() + '\n';
        errno = 0;
        if (::ftruncate(handle, 0) != 0 || ::write(handle, holder.constData(), size_t(holder.size())) != holder.size()) {
            // A short write without an error is a disk that filled up on the way.
            const int error = errno != 0 ? errno : ENOSPC;
            ::unlink(encodedLock.constData());
            ::close(handle);
            return fail(QCoreApplication::translate("DataFolder", "Cannot write the lock file %1: %2.").arg(shownLock, cause(error)));
        }
        return {std::make_unique<HeldDatabase>(databaseHandle, handle, lockPath), {}, false};
    }
    return fail(QCoreApplication::translate("DataFolder", "Cannot create the lock file %1: it keeps being replaced.").arg(shownLock));
}

} // namespace datafolder
