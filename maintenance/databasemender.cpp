#include "databasemender.h"

#include "clock.h"
#include "connection.h"
#include "databasefile.h"
#include "datafolder.h"
#include "datamodule.h"
#include "engineerror.h"
#include "recalculation.h"
#include "clockservice.h"
#include "tablesalvager.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace {

const char *const accessTable = "wzp_access";
const QString wrongPassword = QStringLiteral("Not a valid password.");

QString rows(qint64 count)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
}

// SQLite says "database or disk is full"; the user is told the disk is full.
QString fullDiskNamed(const QString &problem)
{
    return problem.contains(QLatin1String("disk is full")) ? QStringLiteral("the disk is full") : problem;
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

private:
    sqlite3_stmt *m_statement = nullptr;
};

struct SchemaEntry
{
    QString type;
    QString name;
    QString sql;
    int root = 0;
};

bool isCopiedTable(const SchemaEntry &entry)
{
    return entry.type == QLatin1String("table") && !entry.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)
        && entry.name.compare(QLatin1String(accessTable), Qt::CaseInsensitive) != 0;
}

std::optional<qint64> sequenceOf(const Handle &db, const QString &table)
{
    Statement read(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?1"));
    if (!read.ok())
        return std::nullopt;
    sqlite3_bind_text(read.get(), 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(read.get()) != SQLITE_ROW)
        return std::nullopt;
    return sqlite3_column_int64(read.get(), 0);
}

// "LOG: 498 rows recovered, 2 ids unreadable (311–312)."
QString reportLine(const QString &table, const Salvage &salvage)
{
    QString line = QStringLiteral("%1: %2 recovered").arg(table, rows(salvage.rows));
    if (salvage.fromPages > 0)
        line += QStringLiteral(" (%1 read from its pages directly)").arg(salvage.fromPages);
    if (!salvage.lost.empty())
        line += QStringLiteral(", at least %1 lost (%2 %3 unreadable)")
                    .arg(salvage.lost.size())
                    .arg(salvage.lost.size() == 1 ? QStringLiteral("id") : QStringLiteral("ids"), idRanges(salvage.lost));
    if (!salvage.missing.empty())
        line += QStringLiteral(", %1 %2 missing (lost, or deleted earlier)")
                    .arg(salvage.missing.size() == 1 ? QStringLiteral("id") : QStringLiteral("ids"), idRanges(salvage.missing));
    if (salvage.damaged && salvage.lost.empty() && salvage.missing.empty())
        line += QStringLiteral(", damaged parts skipped");
    if (salvage.unwritable)
        line += QStringLiteral(", %1 could not be written").arg(rows(salvage.unwritable));
    if (!salvage.problem.isEmpty())
        line += QStringLiteral(" (%1)").arg(salvage.problem);
    return line + QLatin1Char('.');
}

// DOK rows the damage took come back from the delivered database, and DOK codes of LOG that
// neither holds are added, so the refresh finds a row for every QSO. The cells are set to "*"
// here and derived by the refresh. Runs inside the rebuild's transaction; the delivered database
// is attached to the rebuilt one beforehand as "delivered" (or not at all).
QString restoreDoks(const Handle &to, bool withDelivered, int &restored, int &added)
{
    QStringList cells = vocab::statusCells();
    cells << vocab::summaryCell;
    QStringList stars;
    for (int i = 0; i < cells.size(); ++i)
        stars << QStringLiteral("'*'");
    const QString cellList = cells.join(QLatin1Char(','));
    const auto changes = [&] { return sqlite3_changes(to.get()); };
    if (withDelivered) {
        const QString problem = to.run(QStringLiteral("INSERT INTO main.DOK (id, DOK, DESCR, SPEC, %1) "
                                                      "SELECT d.id, d.DOK, d.DESCR, d.SPEC, %2 FROM delivered.DOK d "
                                                      "WHERE NOT EXISTS (SELECT 1 FROM main.DOK m WHERE m.id = d.id "
                                                      "OR upper(m.DOK) = upper(d.DOK)) ORDER BY d.id")
                                           .arg(cellList, stars.join(QLatin1Char(','))));
        if (!problem.isEmpty())
            return problem;
        restored = changes();
    }
    const QString problem = to.run(QStringLiteral("INSERT INTO main.DOK (DOK, SPEC, %1) "
                                                  "SELECT upper(trim(l.dok)), max(l.spec), %2 FROM main.LOG l "
                                                  "WHERE trim(ifnull(l.dok, '')) <> '' AND upper(trim(l.dok)) NOT IN "
                                                  "(SELECT upper(DOK) FROM main.DOK WHERE DOK IS NOT NULL) "
                                                  "GROUP BY upper(trim(l.dok)) ORDER BY min(l.id)")
                                       .arg(cellList, stars.join(QLatin1Char(','))));
    if (!problem.isEmpty())
        return problem;
    added = changes();
    return {};
}

// The band and mode tables, the DOK status, the counters and the award marks, derived from the
// mended LOG by the refresh.
QString rederive(const QString &path)
{
    try {
        LogData dm(path);
        dm.ADOconn.connect();
        Recalculation(dm).run();
        dm.ADOconn.disconnect();
    } catch (const EngineError &error) {
        return fullDiskNamed(error.text());
    }
    return {};
}

} // namespace

DatabaseMender::DatabaseMender(const QString &dataFolder, const QString &password, const QString &deliveredDatabase)
    : m_folder(dataFolder), m_password(password), m_delivered(deliveredDatabase)
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
    ReportLines lines(result.lines, onLine);
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
            problem = fullDiskNamed(error.text());
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
        problem = rebuild(path, working, lines, result.rowsLost);
        if (problem.isEmpty()) {
            problem = rederive(working);
            if (problem.isEmpty())
                lines << QStringLiteral("The band and mode tables, the DOK status, the counters and the awards were derived again from LOG.");
        }
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
    if (result.rowsLost) {
        lines << QStringLiteral("%1 is ready for WZP Logbook, but rows were lost: compare it with your backup "
                                "(the damaged file was kept).")
                     .arg(datafolder::databaseName);
    } else {
        lines << QStringLiteral("Done: %1 is ready for WZP Logbook.").arg(datafolder::databaseName);
    }
    result.success = true;
    return result;
}

QString DatabaseMender::rebuild(const QString &damaged, const QString &destination, ReportLines &lines, bool &rowsLost) const
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
        Statement schema(from, QStringLiteral("SELECT type, name, sql, rootpage FROM sqlite_master WHERE sql IS NOT NULL"));
        if (!schema.ok())
            return QStringLiteral("the list of tables cannot be read (%1)").arg(from.error());
        int rc;
        while ((rc = sqlite3_step(schema.get())) == SQLITE_ROW) {
            const auto text = [&](int column) {
                return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(schema.get(), column)));
            };
            entries.push_back({text(0), text(1), text(2), sqlite3_column_int(schema.get(), 3)});
        }
        if (rc != SQLITE_DONE)
            return QStringLiteral("the list of tables cannot be read (%1)").arg(from.error());
    }

    bool withDelivered = false;
    if (!m_delivered.isEmpty() && QFileInfo(m_delivered).isFile()) {
        Statement attach(to, QStringLiteral("ATTACH ?1 AS delivered"));
        if (attach.ok()) {
            const QByteArray delivered = QFile::encodeName(m_delivered);
            sqlite3_bind_text(attach.get(), 1, delivered.constData(), -1, SQLITE_TRANSIENT);
            withDelivered = sqlite3_step(attach.get()) == SQLITE_DONE;
        }
    }
    if (const QString problem = to.run(QStringLiteral("BEGIN")); !problem.isEmpty())
        return problem;
    std::vector<const SchemaEntry *> tables;
    for (const SchemaEntry &entry : entries) {
        if (!isCopiedTable(entry))
            continue;
        if (const QString problem = to.run(entry.sql); !problem.isEmpty())
            return QStringLiteral("the table %1 cannot be made again (%2)").arg(entry.name, problem);
        tables.push_back(&entry);
    }

    // The leaf pages of every tree, and the leaves no tree reaches any more: each goes to the one
    // damaged table whose rows its records fit.
    DatabasePages pages(damaged);
    pages.walk(1);
    std::map<QString, DatabasePages::Tree> trees;
    for (const SchemaEntry &entry : entries) {
        if (entry.root > 0)
            trees[entry.name] = pages.walk(entry.root);
    }
    std::map<QString, TableShape> shapes;
    std::map<QString, std::vector<DatabasePages::Record>> pageRecords;
    for (const SchemaEntry *table : tables) {
        shapes[table->name] = TableShape::of(to.get(), table->name);
        for (const int leaf : trees[table->name].leaves) {
            std::vector<DatabasePages::Record> records = pages.records(leaf);
            auto &kept = pageRecords[table->name];
            std::move(records.begin(), records.end(), std::back_inserter(kept));
        }
    }
    for (const int leaf : pages.unownedLeaves()) {
        std::vector<DatabasePages::Record> records = pages.records(leaf);
        if (records.empty())
            continue;
        const SchemaEntry *owner = nullptr;
        int fitting = 0;
        for (const SchemaEntry *table : tables) {
            const TableShape &shape = shapes[table->name];
            if (trees[table->name].damaged
                && std::all_of(records.begin(), records.end(), [&](const DatabasePages::Record &r) { return shape.fits(r); })) {
                owner = table;
                ++fitting;
            }
        }
        if (fitting == 1) {
            auto &kept = pageRecords[owner->name];
            std::move(records.begin(), records.end(), std::back_inserter(kept));
        }
    }

    for (const SchemaEntry *table : tables) {
        TableSalvager salvager(from.get(), to.get(), table->name, shapes[table->name]);
        salvager.addPageRecords(std::move(pageRecords[table->name]));
        salvager.setSequence(sequenceOf(from, table->name));
        salvager.onProgress = [&](qint64 count) { lines.progress(QStringLiteral("%1: %2 rows so far").arg(table->name).arg(count)); };
        const Salvage salvage = salvager.run();
        lines << reportLine(table->name, salvage);
        if (salvage.diskFull) {
            to.run(QStringLiteral("ROLLBACK"));
            return QStringLiteral("the disk is full");
        }
        if (!salvage.lost.empty() || !salvage.missing.empty() || salvage.unwritable > 0 || !salvage.problem.isEmpty())
            rowsLost = true;
    }
    int restored = 0, added = 0;
    if (const QString problem = restoreDoks(to, withDelivered, restored, added); !problem.isEmpty()) {
        to.run(QStringLiteral("ROLLBACK"));
        return fullDiskNamed(problem);
    }
    if (restored > 0)
        lines << QStringLiteral("DOK: %1 brought back from the delivered database.").arg(rows(restored));
    if (added > 0)
        lines << QStringLiteral("DOK: %1 %2 of LOG added to the list.").arg(added).arg(added == 1 ? QStringLiteral("code") : QStringLiteral("codes"));
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
        return fullDiskNamed(problem);
    if (withDelivered)
        to.run(QStringLiteral("DETACH delivered"));
    if (const QString problem = to.run(QStringLiteral("VACUUM")); !problem.isEmpty())
        return fullDiskNamed(problem);
    return {};
}
