#include "statement.h"

#include "connection.h"
#include "engineerror.h"

#include <sqlite3.h>

Statement::Statement(Connection &connection, const QString &sql)
    : m_connection(connection), m_statement(connection.prepare(sql.toStdString())),
      // Sized once: SQLite keeps pointers into the texts, which must not move.
      m_texts(size_t(sqlite3_bind_parameter_count(m_statement)) + 1)
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
    if (parameter < 1 || size_t(parameter) >= m_texts.size())
        return *this; // no such parameter: nothing is bound, as SQLite itself would refuse
    std::string &text = m_texts[size_t(parameter)];
    // Short ASCII texts, most of what a log holds, go over without a text made for them.
    // (utf16() would copy a literal's text to end it with a zero.)
    const QChar *from = value.constData();
    text.resize(size_t(value.size()));
    qsizetype i = 0;
    for (; i < value.size() && from[i].unicode() < 0x80; ++i)
        text[size_t(i)] = char(from[i].unicode());
    if (i < value.size()) {
        const QByteArray utf8 = value.toUtf8();
        text.assign(utf8.constData(), size_t(utf8.size()));
    }
    bindKept(parameter);
    return *this;
}

Statement &Statement::bindUtf8(int parameter, const QByteArray &utf8)
{
    if (parameter < 1 || size_t(parameter) >= m_texts.size())
        return *this;
    m_texts[size_t(parameter)].assign(utf8.constData(), size_t(utf8.size()));
    bindKept(parameter);
    return *this;
}

void Statement::bindKept(int parameter)
{
    const std::string &text = m_texts[size_t(parameter)];
    sqlite3_bind_text(m_statement, parameter, text.data(), int(text.size()), SQLITE_STATIC);
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
