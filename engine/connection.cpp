#include "connection.h"

#include "engineerror.h"
#include "tableview.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QRandomGenerator>
#include <sqlite3.h>

namespace {

const char *const accessTable = "wzp_access";

QString digest(const QString &salt, const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((salt + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString randomSalt()
{
    QByteArray bytes(16, Qt::Uninitialized);
    for (auto &b : bytes)
        b = char(QRandomGenerator::system()->bounded(256));
    return QString::fromLatin1(bytes.toHex());
}

QString quoted(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

QString missingFileText(const QString &path)
{
    return QStringLiteral("Could not find file '%1'.").arg(QFileInfo(path).absoluteFilePath());
}

} // namespace

Connection::Connection(QString databasePath, QString password)
    : m_path(std::move(databasePath)), m_password(std::move(password))
{
}

Connection::~Connection()
{
    for (TableView *view : std::set<TableView *>(m_views))
        view->detachFromConnection();
    if (m_db) {
        finalizeStatements();
        sqlite3_close(m_db);
    }
}

void Connection::setDatabase(const QString &path)
{
    if (isConnected())
        throw EngineError(QStringLiteral("The database cannot be changed while it is connected."));
    m_path = path;
}

void Connection::setReadOnly(const QString &reason)
{
    if (isConnected())
        throw EngineError(QStringLiteral("The database cannot be made read-only while it is connected."));
    m_readOnlyReason = reason;
}

void Connection::connect()
{
    if (m_db)
        return;
    if (!QFileInfo(m_path).isFile())
        throw EngineError(missingFileText(m_path));
    sqlite3 *db = nullptr;
    // One thread uses the connection, so SQLite need not lock it at every call (a view reads
    // each cell of a table through a call of its own).
    const int flags = (isReadOnly() ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(m_path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw EngineError(QStringLiteral("Cannot open '%1': %2").arg(m_path, text));
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, 3000);
    // Statements of this program write "*" in double quotes as a text value.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 1, nullptr);
    const QString problem = accessProblem();
    if (!problem.isEmpty()) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EngineError(problem);
    }
    if (isReadOnly())
        return;
    try {
        run("PRAGMA journal_mode=DELETE");
        run("PRAGMA synchronous=FULL");
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

// Why the open file cannot be used with the password, or an empty text when it can.
QString Connection::accessProblem() const
{
    const QString name = QFileInfo(m_path).fileName();
    sqlite3_stmt *check = nullptr;
    const std::string sql = std::string("SELECT salt, digest FROM ") + accessTable;
    int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &check, nullptr);
    bool valid = false;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(check);
        if (rc == SQLITE_ROW) {
            const QString salt = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)));
            const QString stored = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check, 1)));
            valid = digest(salt, m_password) == stored;
        }
    }
    const int code = sqlite3_errcode(m_db);
    const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_finalize(check);
    if (valid)
        return {};
    if (rc == SQLITE_ROW)
        return QStringLiteral("Not a valid password.");
    if (rc == SQLITE_DONE)
        return QStringLiteral("%1 is not a database of this program.").arg(name);
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
        return QStringLiteral("Unrecognized database format '%1'.").arg(QFileInfo(m_path).absoluteFilePath());
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("%1 is in use by another program.").arg(name);
    if (code == SQLITE_ERROR)
        return QStringLiteral("%1 is not a database of this program.").arg(name);
    return QStringLiteral("Cannot read %1: %2").arg(name, text);
}

void Connection::disconnect()
{
    if (!m_db)
        return;
    for (TableView *view : std::set<TableView *>(m_views))
        view->close();
    if (m_inTransaction)
        rollback();
    finalizeStatements();
    sqlite3_close(m_db);
    m_db = nullptr;
}

void Connection::execute(const QString &sql)
{
    connect();
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw EngineError(text);
    }
}

void Connection::create(const QString &path, const QString &password)
{
    if (QFileInfo::exists(path))
        throw EngineError(QStringLiteral("Database '%1' already exists.").arg(path));
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const QString salt = randomSalt();
    const QString sql = QStringLiteral("CREATE TABLE %1 (salt TEXT NOT NULL, digest TEXT NOT NULL);"
                                       "INSERT INTO %1 VALUES (%2, %3);")
                            .arg(QLatin1String(accessTable), quoted(salt), quoted(digest(salt, password)));
    char *error = nullptr;
    if (rc != SQLITE_OK || sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        sqlite3_close(db);
        throw EngineError(QStringLiteral("Cannot create '%1': %2").arg(path, text));
    }
    sqlite3_close(db);
}

void Connection::compact(const QString &source, const QString &destination, const QString &password)
{
    if (QFileInfo::exists(destination))
        throw EngineError(QStringLiteral("Database '%1' already exists.").arg(destination));
    Connection from(source, password);
    from.connect();
    from.execute(QStringLiteral("VACUUM INTO %1").arg(quoted(destination)));
}

sqlite3 *Connection::handle()
{
    connect();
    return m_db;
}

sqlite3_stmt *Connection::prepare(const std::string &sql)
{
    sqlite3 *db = handle();
    const auto found = m_statements.find(sql);
    if (found != m_statements.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        fail();
    m_statements.emplace(sql, statement);
    return statement;
}

// SQLite's text for the last failure, naming the other program when it is what blocked us.
QString Connection::errorText(const char *message) const
{
    if (!m_db)
        return QStringLiteral("Not connected.");
    const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
    const int code = sqlite3_errcode(m_db);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("%1 is in use by another program (%2).").arg(QFileInfo(m_path).fileName(), text);
    return text;
}

void Connection::requireWritable() const
{
    if (isReadOnly())
        throw EngineError(m_readOnlyReason);
}

void Connection::fail(const QString &context) const
{
    const QString text = errorText();
    throw EngineError(context.isEmpty() ? text : context + QStringLiteral(": ") + text);
}

void Connection::begin()
{
    requireWritable();
    run("BEGIN IMMEDIATE");
    m_inTransaction = true;
    m_written.clear();
}

void Connection::commit()
{
    run("COMMIT");
    m_inTransaction = false;
    m_written.clear();
}

void Connection::rollback()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    QString failure;
    if (m_db && sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK
        && !sqlite3_get_autocommit(m_db))
        failure = QString::fromUtf8(sqlite3_errmsg(m_db));
    const std::set<TableView *> written = std::move(m_written);
    m_written.clear();
    for (TableView *view : written) {
        if (failure.isEmpty())
            view->discardUnsavedWrites();
        else
            view->markUnusable(QStringLiteral("Cannot undo the changes to table '%1': %2").arg(view->tableName(), failure));
    }
}

void Connection::detach(TableView *view)
{
    m_views.erase(view);
    m_written.erase(view);
}

void Connection::noteWrite(TableView *view)
{
    requireWritable();
    if (m_inTransaction)
        m_written.insert(view);
}

void Connection::run(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(handle(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = errorText(error);
        sqlite3_free(error);
        throw EngineError(text);
    }
}

void Connection::finalizeStatements()
{
    for (auto &entry : m_statements)
        sqlite3_finalize(entry.second);
    m_statements.clear();
}

Transaction::Transaction(Connection &connection)
    : m_connection(connection), m_outermost(!connection.inTransaction())
{
    if (m_outermost)
        m_connection.begin();
}

Transaction::~Transaction()
{
    if (m_outermost && !m_done)
        m_connection.rollback(); // does not throw: views it cannot re-read are left unusable
}

void Transaction::commit()
{
    if (m_outermost && !m_done)
        m_connection.commit();
    m_done = true;
}
