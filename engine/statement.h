#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>
#include <vector>

class Connection;
struct sqlite3_stmt;

// One prepared SQL statement of the connection, for work that goes row by row through a whole
// table without loading it into a view (bulk import, export, checks). Values are always bound,
// never written into the SQL text. The statement is prepared once per connection and reused.
class Statement
{
public:
    Statement(Connection &connection, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Parameters count from 1. An empty text binds null when nullIfEmpty is set.
    Statement &bind(int parameter, const QString &value, bool nullIfEmpty = false);
    // Text already in UTF-8.
    Statement &bindUtf8(int parameter, const QByteArray &utf8);
    Statement &bind(int parameter, qint64 value);
    Statement &bindNull(int parameter);

    // Runs the statement to the next row; false when there is none (then it is reset).
    bool next();
    // Runs a statement that returns no rows, then resets it for the next use.
    void run();
    QString text(int column) const;
    // The column's text as SQLite holds it, in UTF-8; valid until the statement moves on.
    QByteArrayView utf8(int column) const;
    qint64 integer(int column) const;
    bool isNull(int column) const;
    qint64 lastInsertId() const;

private:
    void reset();
    // Binds the text kept for the parameter, which SQLite reads in place.
    void bindKept(int parameter);

    Connection &m_connection;
    sqlite3_stmt *m_statement;
    // The UTF-8 bytes of each bound text by parameter, kept until the parameter is bound again:
    // SQLite need not copy them into memory of its own for every row.
    std::vector<std::string> m_texts;
};
