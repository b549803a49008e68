#include "testdatabase.h"

#include "connection.h"
#include "tables.h"

#include <QDir>
#include <QFile>
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

QString TestDatabase::value(const QString &sql) const
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(m_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        result = text ? QString::fromUtf8(text) : QString();
    } else {
        result = QStringLiteral("<error: %1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}
