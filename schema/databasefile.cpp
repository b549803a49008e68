#include "databasefile.h"

#include "connection.h"
#include "engineerror.h"
#include "filesafety.h"
#include "tables.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>
#include <unistd.h>

namespace databasefile {
namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The program's tables, compared without regard to case.
QStringList requiredTables()
{
    QStringList tables{vocab::table::log, vocab::table::dok, vocab::table::riep,
                       vocab::table::info, vocab::table::dxcc, vocab::table::diplome};
    tables << schema::bandAndModeTables();
    return tables;
}

// Runs a query on a read-only handle of its own; each row's first column goes to the list.
QString firstColumn(const QString &path, const char *sql, QStringList &rows)
{
    sqlite3 *db = nullptr;
    QString problem;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        problem = QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
            int rc;
            while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
                rows << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
            if (rc != SQLITE_DONE)
                problem = QString::fromUtf8(sqlite3_errmsg(db));
        } else {
            problem = QString::fromUtf8(sqlite3_errmsg(db));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return problem;
}

QString syncFile(const QString &path)
{
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0 || ::fsync(handle) != 0) {
        const QString problem = QString::fromLocal8Bit(std::strerror(errno));
        if (handle >= 0)
            ::close(handle);
        return problem;
    }
    ::close(handle);
    return {};
}

// The disk is named as full when it is: SQLite says "database or disk is full", and a copy that
// runs out of room ends in a short write the system reports as an input/output error.
QString namingAFullDisk(const QString &problem, const QString &folder, qint64 needed)
{
    std::error_code error;
    const std::filesystem::space_info space = std::filesystem::space(nativePath(folder), error);
    const bool full = problem.contains(QLatin1String("disk is full"))
        || (!error && space.available < std::uintmax_t(std::max<qint64>(needed, 1)));
    return full ? QStringLiteral("the disk is full (%1)").arg(QDir::toNativeSeparators(folder)) : problem;
}

QString temporaryBeside(const QString &destination)
{
    return resolved(destination) + QStringLiteral(".partial");
}

// Removes a file left by an earlier attempt; false when something else is in its place.
bool clearTemporary(const QString &path)
{
    std::error_code error;
    std::filesystem::remove(nativePath(path), error);
    return !error && !QFileInfo::exists(path);
}

} // namespace

QStringList integrityProblems(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {QStringLiteral("%1 does not exist.").arg(path)};
    QStringList rows;
    const QString problem = firstColumn(path, "PRAGMA integrity_check", rows);
    if (!problem.isEmpty())
        return {problem};
    if (rows == QStringList{QStringLiteral("ok")})
        return {};
    return rows.isEmpty() ? QStringList{QStringLiteral("The integrity check gave no answer.")} : rows;
}

QString check(const QString &path, const QString &password)
{
    try {
        Connection connection(path, password);
        connection.connect();
    } catch (const EngineError &error) {
        return error.text();
    }
    QStringList tables;
    const QString problem = firstColumn(path, "SELECT name FROM sqlite_master WHERE type = 'table'", tables);
    if (!problem.isEmpty())
        return problem;
    for (const QString &table : requiredTables()) {
        if (!tables.contains(table, Qt::CaseInsensitive))
            return QStringLiteral("The table %1 is missing, so it is not a database of this program.").arg(table);
    }
    const QStringList problems = integrityProblems(path);
    if (!problems.isEmpty())
        return QStringLiteral("The file is damaged (%1).").arg(problems.first());
    return {};
}

QString copy(const QString &source, const QString &destination, const QString &password)
{
    const QString partial = temporaryBeside(destination);
    if (!clearTemporary(partial))
        return QStringLiteral("Cannot remove %1.").arg(partial);
    QString problem;
    try {
        Connection::compact(source, partial, password);
    } catch (const EngineError &error) {
        problem = error.text();
    }
    if (!problem.isEmpty())
        problem = namingAFullDisk(problem, QFileInfo(partial).absolutePath(), QFileInfo(source).size());
    if (problem.isEmpty())
        problem = check(partial, password);
    if (problem.isEmpty())
        problem = replace(partial, destination);
    if (!problem.isEmpty())
        clearTemporary(partial);
    return problem;
}

QString keep(const QString &source, const QString &destination)
{
    const QString partial = temporaryBeside(destination);
    if (!clearTemporary(partial))
        return QStringLiteral("Cannot remove %1.").arg(partial);
    std::error_code error;
    std::filesystem::copy_file(nativePath(source), nativePath(partial), error);
    if (error) {
        // Measured before the partial copy goes, which gives its room back.
        const QString problem = QStringLiteral("Cannot copy %1 to %2: %3")
                                    .arg(source, partial,
                                         namingAFullDisk(QString::fromLocal8Bit(error.message()),
                                                         QFileInfo(partial).absolutePath(), 1));
        clearTemporary(partial);
        return problem;
    }
    const QString problem = replace(partial, destination);
    if (!problem.isEmpty())
        clearTemporary(partial);
    return problem;
}

QString resolved(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

QString replace(const QString &from, const QString &linkedTo)
{
    const QString to = resolved(linkedTo);
    // A journal left beside the target belongs to the file being replaced; SQLite would play it
    // back into the new one.
    for (const char *suffix : {"-journal", "-wal"}) {
        if (QFileInfo::exists(to + QLatin1String(suffix)))
            return QStringLiteral("%1 has an unfinished journal; open it with the program once first.").arg(to);
    }
    // The new file's bytes reach the disk before its name does, and the name before the caller
    // goes on, so a power cut leaves either the old file or the complete new one.
    if (const QString problem = syncFile(from); !problem.isEmpty())
        return QStringLiteral("Cannot write %1 to the disk: %2").arg(from, problem);
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    if (error)
        return QStringLiteral("Cannot rename %1 to %2: %3").arg(from, to, QString::fromLocal8Bit(error.message()));
    if (const QString problem = filesafety::syncFolder(QFileInfo(to).absolutePath()); !problem.isEmpty())
        return QStringLiteral("Cannot write the folder of %1 to the disk: %2").arg(to, problem);
    return {};
}

} // namespace databasefile
