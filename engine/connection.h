#pragma once

#include <QString>
#include <set>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;
class TableView;

// The one connection to a database file. The file is an SQLite 3 database that records a salted
// hash of its password: connecting checks the password, it does not decrypt anything.
class Connection
{
public:
    explicit Connection(QString databasePath = {}, QString password = {});
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void setDatabase(const QString &path);
    const QString &database() const { return m_path; }
    void setPassword(const QString &password) { m_password = password; }
    // A database the program may not change is opened read-only: every write then fails with
    // the reason given here, before anything reaches the file.
    void setReadOnly(const QString &reason);
    bool isReadOnly() const { return !m_readOnlyReason.isEmpty(); }

    void connect();
    // Closes every open view first, as the data module's users expect.
    void disconnect();
    bool isConnected() const { return m_db != nullptr; }

    // Runs SQL text on the connection, connecting first if needed.
    void execute(const QString &sql);

    // A new, empty database file that accepts the given password.
    static void create(const QString &path, const QString &password);
    // Writes a compacted copy of source into destination, which must not exist yet.
    static void compact(const QString &source, const QString &destination, const QString &password);

    // For views and transactions.
    sqlite3 *handle();
    sqlite3_stmt *prepare(const std::string &sql);
    [[noreturn]] void fail(const QString &context = {}) const;
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }
    void attach(TableView *view) { m_views.insert(view); }
    void detach(TableView *view);
    void noteWrite(TableView *view);

private:
    void run(const char *sql);
    void finalizeStatements();
    QString accessProblem() const;
    QString errorText(const char *message = nullptr) const;
    void requireWritable() const;

    QString m_path;
    QString m_password;
    QString m_readOnlyReason;
    sqlite3 *m_db = nullptr;
    bool m_inTransaction = false;
    std::set<TableView *> m_views;
    std::set<TableView *> m_written;
    std::unordered_map<std::string, sqlite3_stmt *> m_statements;
};

// Groups several posts into one atomic, durable commit. A transaction begun while another is
// active joins it; an uncommitted outermost transaction rolls back when it goes out of scope,
// and the views it wrote to re-read their tables.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &m_connection;
    bool m_outermost;
    bool m_done = false;
};
