#include "testdatabase.h"

#include "connection.h"
#include "tables.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <sqlite3.h>
#include <stdexcept>

TestDatabase::TestDatabase(Content content) : m_path(QDir(m_dir.path()).filePath(QStringLiteral("log.mdb")))
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    if (content == Content::Empty) {
        schema::createDatabase(m_path);
        return;
    }
    if (!QFile::copy(templatePath(), m_path))
        throw std::runtime_error("cannot copy the delivered database");
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
}

QString TestDatabase::templatePath()
{
    return QStringLiteral(WZP_TEMPLATE_PATH);
}

void TestDatabase::execute(const QString &sql) const
{
    Connection connection(m_path, schema::databasePassword);
    connection.execute(sql);
}

namespace {

// Runs a query on the file through a read-only connection of its own and hands each row to
// the visitor; returns the error text, or an empty one.
QString query(const QString &path, const QString &sql, const std::function<void(sqlite3_stmt *)> &visit)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    QString error;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW)
            visit(statement);
    } else {
        error = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return error;
}

QString text(sqlite3_stmt *statement, int column)
{
    const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return value ? QString::fromUtf8(value) : QStringLiteral("<null>");
}

} // namespace

QString TestDatabase::value(const QString &sql) const
{
    QString result;
    bool found = false;
    const QString error = query(m_path, sql, [&](sqlite3_stmt *statement) {
        if (found)
            return;
        found = true;
        const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        result = value ? QString::fromUtf8(value) : QString();
    });
    if (!error.isEmpty())
        return QStringLiteral("<error: %1>").arg(error);
    if (!found)
        return QStringLiteral("<error: no row>");
    return result;
}

namespace {

QString tableOf(const QString &path, const QString &name, const QStringList &skipColumns)
{
    QString out;
    const QString error = query(path, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(name),
                                [&](sqlite3_stmt *statement) {
                                    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                                        const QString column = QString::fromUtf8(sqlite3_column_name(statement, i));
                                        if (!skipColumns.contains(column, Qt::CaseInsensitive))
                                            out += column + QLatin1Char('=') + text(statement, i) + QLatin1Char(' ');
                                    }
                                    out += QLatin1Char('\n');
                                });
    return error.isEmpty() ? out : QStringLiteral("<error: %1>").arg(error);
}

} // namespace

QString TestDatabase::table(const QString &name, const QStringList &skipColumns) const
{
    return tableOf(m_path, name, skipColumns);
}

QString TestDatabase::content() const
{
    return contentOf(m_path);
}

QByteArray TestDatabase::fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TestDatabase::contentOf(const QString &path)
{
    QStringList tables;
    query(path, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"),
          [&](sqlite3_stmt *statement) { tables << text(statement, 0); });
    QString out;
    for (const QString &name : tables)
        out += QStringLiteral("[%1]\n").arg(name) + tableOf(path, name, {});
    return out;
}
