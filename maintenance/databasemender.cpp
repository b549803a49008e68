#include "databasemender.h"

#include "clock.h"
#include "connection.h"
#include "databasefile.h"
#include "datafolder.h"
#include "engineerror.h"
#include "services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace {

const char *const accessTable = "wzp_access";
const QString wrongPassword = QStringLiteral("Not a valid password.");

QString identifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString rows(qint64 count)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
}

QString kilobytes(const QString &path)
{
    return QStringLiteral("%1 KB").arg((QFileInfo(path).size() + 1023) / 1024);
}

// An SQLite handle that closes with its scope.
class Handle
{
public:
    Handle(const QString &path, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK)
            m_problem = error();
    }
    ~Handle() { sqlite3_close(m_db); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    sqlite3 *get() const { return m_db; }
    const QString &problem() const { return m_problem; }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }
    // Runs SQL; the error text, or an empty one.
    QString run(const QString &sql) const
    {
        char *message = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
            return {};
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
        sqlite3_free(message);
        return text;
    }

private:
    sqlite3 *m_db = nullptr;
    QString m_problem;
};

class Statement
{
public:
    Statement(const Handle &db, const QString &sql)
    {
        sqlite3_prepare_v2(db.get(), sql.toUtf8().constData(), -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool ok() const { return m_statement != nullptr; }
    sqlite3_stmt *get() const { return m_statement; }
    int restart(qint64 from)
    {
        sqlite3_reset(m_statement);
        sqlite3_bind_int64(m_statement, 1, from);
        return sqlite3_step(m_statement);
    }

private:
    sqlite3_stmt *m_statement = nullptr;
};

struct SchemaEntry
{
    QString type;
    QString name;
    QString sql;
};

// What a table yields: the rows copied, and whether damage made the reading skip some.
struct Salvage
{
    qint64 rows = 0;
    qint64 unwritable = 0;
    bool damaged = false;
    QString problem;
};

// Reads every row of one table that SQLite can still reach, in rowid order. When a damaged page
// stops the scan, it looks for the first rowid after the damage where a seek works again (seeks
// into the damaged part fail, seeks past it succeed) and goes on from there.
class TableSalvager
{
public:
    TableSalvager(const Handle &from, const Handle &to, const QString &table) : m_from(from), m_to(to), m_table(table) {}

    Salvage run()
    {
        Salvage result;
        QStringList columns;
        {
            Statement info(m_from, QStringLiteral("SELECT name FROM pragma_table_info(%1)").arg(literal(m_table)));
            if (!info.ok()) {
                result.problem = m_from.error();
                return result;
            }
            while (sqlite3_step(info.get()) == SQLITE_ROW)
                columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 0)));
        }
        QStringList names{QStringLiteral("rowid")}, marks{QStringLiteral("?")};
        for (const QString &column : columns) {
            names << identifier(column);
            marks << QStringLiteral("?");
        }
        Statement read(m_from, QStringLiteral("SELECT %1 FROM %2 WHERE rowid >= ?1 ORDER BY rowid")
                                   .arg(names.join(QLatin1Char(',')), identifier(m_table)));
        Statement write(m_to, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(identifier(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        m_probe = std::make_unique<Statement>(
            m_from, QStringLiteral("SELECT rowid FROM %1 WHERE rowid >= ?1 ORDER BY rowid LIMIT 1").arg(identifier(m_table)));
        if (!read.ok() || !write.ok() || !m_probe->ok()) {
            result.problem = read.ok() ? m_to.error() : m_from.error();
            return result;
        }
        std::optional<qint64> from = std::numeric_limits<qint64>::min();
        while (from) {
            int rc = read.restart(*from);
            std::optional<qint64> last;
            for (; rc == SQLITE_ROW; rc = sqlite3_step(read.get())) {
                last = sqlite3_column_int64(read.get(), 0);
                sqlite3_reset(write.get());
                for (int i = 0; i < sqlite3_column_count(read.get()); ++i)
                    sqlite3_bind_value(write.get(), i + 1, sqlite3_column_value(read.get(), i));
                if (sqlite3_step(write.get()) == SQLITE_DONE)
                    ++result.rows;
                else
                    ++result.unwritable;
            }
            if (rc == SQLITE_DONE)
                break;
            result.damaged = true;
            // A round that read nothing failed on the row at its own start, which is skipped.
            from = resumeAfter(last ? *last : *from);
        }
        return result;
    }

private:
    static QString literal(const QString &text)
    {
        QString quoted = text;
        quoted.replace(QLatin1Char('\''), QLatin1String("''"));
        return QLatin1Char('\'') + quoted + QLatin1Char('\'');
    }

    enum class Probe { Row, End, Damaged };
    Probe probe(qint64 from)
    {
        const int rc = m_probe->restart(from);
        if (rc == SQLITE_ROW)
            m_found = sqlite3_column_int64(m_probe->get(), 0);
        return rc == SQLITE_ROW ? Probe::Row : rc == SQLITE_DONE ? Probe::End : Probe::Damaged;
    }

    // The first rowid above failedAt that a seek reaches again, or nothing when no readable row
    // follows.
    std::optional<qint64> resumeAfter(qint64 failedAt)
    {
        const qint64 max = std::numeric_limits<qint64>::max();
        qint64 bad = failedAt;
        qint64 good = 0;
        for (qint64 step = 1;; step *= 2) {
            const qint64 candidate = bad > max - step ? max : bad + step;
            const Probe result = probe(candidate);
            if (result == Probe::End)
                return std::nullopt;
            if (result == Probe::Row) {
                good = candidate;
                break;
            }
            if (candidate == max)
                return std::nullopt;
            bad = candidate;
            if (step > max / 2)
                step = max / 4;
        }
        while (quint64(good) - quint64(bad) > 1) {
            const qint64 middle = qint64(quint64(bad) + (quint64(good) - quint64(bad)) / 2);
            if (probe(middle) == Probe::Damaged)
                bad = middle;
            else
                good = middle;
        }
        if (probe(good) != Probe::Row)
            return std::nullopt;
        return m_found;
    }

    const Handle &m_from;
    const Handle &m_to;
    QString m_table;
    std::unique_ptr<Statement> m_probe;
    qint64 m_found = 0;
};

} // namespace

DatabaseMender::DatabaseMender(const QString &dataFolder, const QString &password)
    : m_folder(dataFolder), m_password(password)
{
}

QString DatabaseMender::databasePath() const
{
    return QDir(m_folder).filePath(datafolder::databaseName);
}

QString DatabaseMender::keptDamagedPath() const
{
    const QString stamp = services::clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QDir(m_folder).filePath(QStringLiteral("log-damaged-%1.mdb").arg(stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(m_folder).filePath(QStringLiteral("log-damaged-%1-%2.mdb").arg(stamp).arg(n));
    return path;
}

DatabaseMender::Result DatabaseMender::mend() const
{
    Result result;
    QStringList &lines = result.lines;
    const QString path = databasePath();
    if (!QFileInfo(path).isFile()) {
        lines << QStringLiteral("There is no %1 in %2.").arg(datafolder::databaseName, QDir::toNativeSeparators(m_folder));
        return result;
    }
    lines << QStringLiteral("Checking %1 (%2).").arg(QDir::toNativeSeparators(path), kilobytes(path));
    try {
        Connection connection(path, m_password);
        connection.connect();
    } catch (const EngineError &error) {
        if (error.text() == wrongPassword) {
            lines << QStringLiteral("The file does not open with the program's password; it was left as it is.");
            return result;
        }
    }
    const QString working = path + QStringLiteral(".mending");
    QFile::remove(working);
    const QStringList problems = databasefile::integrityProblems(path);
    QString problem;
    if (problems.isEmpty()) {
        lines << QStringLiteral("The file is sound.");
        try {
            Connection::compact(path, working, m_password);
        } catch (const EngineError &error) {
            problem = error.text();
        }
    } else {
        lines << QStringLiteral("The file is damaged: %1").arg(problems.first());
        if (problems.size() > 1)
            lines << QStringLiteral("(%1 problems found in all.)").arg(problems.size());
        const QString kept = keptDamagedPath();
        problem = databasefile::keep(path, kept);
        if (!problem.isEmpty()) {
            lines << QStringLiteral("The damaged file could not be kept, so it was left as it is: %1").arg(problem);
            return result;
        }
        lines << QStringLiteral("The damaged file was kept as %1.").arg(QDir::toNativeSeparators(kept));
        problem = rebuild(path, working, lines);
    }
    if (problem.isEmpty())
        problem = databasefile::check(working, m_password);
    if (problem.isEmpty()) {
        const QString before = kilobytes(path);
        problem = databasefile::replace(working, path);
        if (problem.isEmpty())
            lines << QStringLiteral("Compacted from %1 to %2.").arg(before, kilobytes(path));
    }
    QFile::remove(working);
    if (!problem.isEmpty()) {
        lines << QStringLiteral("%1 was not changed: %2").arg(datafolder::databaseName, problem);
        if (!problems.isEmpty())
            lines << QStringLiteral("Restore your backup (Utility, Restore) to go on working.");
        return result;
    }
    lines << QStringLiteral("Done: %1 is ready for WZP Logbook.").arg(datafolder::databaseName);
    result.success = true;
    return result;
}

QString DatabaseMender::rebuild(const QString &damaged, const QString &destination, QStringList &lines) const
{
    try {
        Connection::create(destination, m_password);
    } catch (const EngineError &error) {
        return error.text();
    }
    const Handle from(damaged, SQLITE_OPEN_READONLY);
    const Handle to(destination, SQLITE_OPEN_READWRITE);
    if (!from.problem().isEmpty())
        return from.problem();
    if (!to.problem().isEmpty())
        return to.problem();

    std::vector<SchemaEntry> entries;
    {
        Statement schema(from, QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL"));
        if (!schema.ok())
            return QStringLiteral("the list of tables cannot be read (%1)").arg(from.error());
        int rc;
        while ((rc = sqlite3_step(schema.get())) == SQLITE_ROW) {
            const auto text = [&](int column) {
                return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(schema.get(), column)));
            };
            entries.push_back({text(0), text(1), text(2)});
        }
        if (rc != SQLITE_DONE)
            return QStringLiteral("the list of tables cannot be read (%1)").arg(from.error());
    }

    if (const QString problem = to.run(QStringLiteral("BEGIN")); !problem.isEmpty())
        return problem;
    for (const SchemaEntry &entry : entries) {
        if (entry.type != QLatin1String("table") || entry.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)
            || entry.name.compare(QLatin1String(accessTable), Qt::CaseInsensitive) == 0)
            continue;
        if (const QString problem = to.run(entry.sql); !problem.isEmpty())
            return QStringLiteral("the table %1 cannot be made again (%2)").arg(entry.name, problem);
        const Salvage salvage = TableSalvager(from, to, entry.name).run();
        QString line = QStringLiteral("%1: %2 recovered").arg(entry.name, rows(salvage.rows));
        if (salvage.damaged)
            line += QStringLiteral(", damaged parts skipped");
        if (salvage.unwritable)
            line += QStringLiteral(", %1 could not be written").arg(rows(salvage.unwritable));
        if (!salvage.problem.isEmpty())
            line += QStringLiteral(" (%1)").arg(salvage.problem);
        lines << line + QLatin1Char('.');
    }
    // The counters of AUTOINCREMENT tables, so numbers of deleted rows are not given out again.
    {
        Statement sequences(from, QStringLiteral("SELECT name, seq FROM sqlite_sequence"));
        Statement raise(to, QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?2) WHERE name = ?1"));
        if (sequences.ok() && raise.ok()) {
            while (sqlite3_step(sequences.get()) == SQLITE_ROW) {
                sqlite3_reset(raise.get());
                sqlite3_bind_value(raise.get(), 1, sqlite3_column_value(sequences.get(), 0));
                sqlite3_bind_value(raise.get(), 2, sqlite3_column_value(sequences.get(), 1));
                sqlite3_step(raise.get());
            }
        }
    }
    for (const SchemaEntry &entry : entries) {
        if (entry.type == QLatin1String("table"))
            continue;
        if (const QString problem = to.run(entry.sql); !problem.isEmpty())
            lines << QStringLiteral("The %1 %2 could not be made again: %3").arg(entry.type, entry.name, problem);
    }
    if (const QString problem = to.run(QStringLiteral("COMMIT")); !problem.isEmpty())
        return problem;
    if (const QString problem = to.run(QStringLiteral("VACUUM")); !problem.isEmpty())
        return problem;
    return {};
}
