#include "statement.h"

#include "connection.h"
#include "engineerror.h"

#include <sqlite3.h>

Statement::Statement(Connection &connection, const QString &sql)
    : m_connection(connection), m_statement(connection.prepare(sql.toStdString()))
{
}

Statement::~Statement()
{
    reset();
}

Statement &Statement::bind(int parameter, const QString &value, bool nullIfEmpty)
{
    if (nullIfEmpty && value.isEmpty())
        return bindNull(parameter);
    // Short ASCII texts, most of what a log holds, go over without a text made for them:
    // SQLite copies the bytes at once.
    constexpr qsizetype shortText = 256;
    if (!value.isEmpty() && value.size() <= shortText) {
        char bytes[shortText];
        const ushort *from = value.utf16();
        qsizetype i = 0;
        for (; i < value.size() && from[i] < 0x80; ++i)
            bytes[i] = char(from[i]);
        if (i == value.size()) {
            sqlite3_bind_text(m_statement, parameter, bytes, int(i), SQLITE_TRANSIENT);
            return *this;
        }
    }
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_statement, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindUtf8(int parameter, const QByteArray &utf8)
{
    sqlite3_bind_text(m_statement, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bind(int parameter, qint64 value)
{
    sqlite3_bind_int64(m_statement, parameter, value);
    return *this;
}

Statement &Statement::bindNull(int parameter)
{
    sqlite3_bind_null(m_statement, parameter);
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    reset();
    if (rc != SQLITE_DONE)
        m_connection.fail();
    return false;
}

void Statement::run()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) {
        reset();
        return;
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_connection.handle()));
    reset();
    throw EngineError(message);
}

QString Statement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column)) : QString();
}

QByteArrayView Statement::utf8(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return bytes ? QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 Statement::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_connection.handle());
}

void Statement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}
