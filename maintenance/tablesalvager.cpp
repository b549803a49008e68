#include "tablesalvager.h"

#include "adifreader.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>
#include <memory>
#include <sqlite3.h>
#include <unordered_set>

namespace {

QString identifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

sqlite3_stmt *prepare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
    return statement;
}

int restart(sqlite3_stmt *statement, qint64 rowid)
{
    sqlite3_reset(statement);
    sqlite3_bind_int64(statement, 1, rowid);
    return sqlite3_step(statement);
}

TableShape::Holds holdsOf(const QString &declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("INT")) || type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA"))
        || type.contains(QLatin1String("DOUB")))
        return TableShape::Holds::Number;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) || type.contains(QLatin1String("TEXT")))
        return TableShape::Holds::Text;
    return TableShape::Holds::Anything;
}

bool valueFits(TableShape::Holds holds, DatabasePages::Value::Kind kind)
{
    using Kind = DatabasePages::Value::Kind;
    switch (holds) {
    case TableShape::Holds::Text:
        return kind == Kind::Null || kind == Kind::Text;
    case TableShape::Holds::Number:
        return kind != Kind::Blob;
    case TableShape::Holds::Anything:
        return true;
    }
    return false;
}

DatabasePages::Value::Kind kindOf(int sqliteType)
{
    switch (sqliteType) {
    case SQLITE_INTEGER:
        return DatabasePages::Value::Integer;
    case SQLITE_FLOAT:
        return DatabasePages::Value::Real;
    case SQLITE_TEXT:
        return DatabasePages::Value::Text;
    case SQLITE_BLOB:
        return DatabasePages::Value::Blob;
    default:
        return DatabasePages::Value::Null;
    }
}

} // namespace

TableShape TableShape::of(sqlite3 *db, const QString &table)
{
    TableShape shape;
    QString quoted = table;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    sqlite3_stmt *info = prepare(db, QStringLiteral("SELECT name, type, pk FROM pragma_table_info('%1')").arg(quoted));
    int keys = 0, integerKey = -1;
    while (info && sqlite3_step(info) == SQLITE_ROW) {
        const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info, 1)));
        if (sqlite3_column_int(info, 2) > 0) {
            ++keys;
            if (type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                integerKey = int(shape.columns.size());
        }
        shape.columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info, 0)));
        shape.holds.push_back(holdsOf(type));
    }
    sqlite3_finalize(info);
    if (keys == 1)
        shape.rowidColumn = integerKey;
    return shape;
}

bool TableShape::fits(const DatabasePages::Record &record) const
{
    if (record.values.size() != size_t(columns.size()))
        return false;
    for (size_t i = 0; i < record.values.size(); ++i) {
        const DatabasePages::Value &value = record.values[i];
        // The rowid's other name is kept as NULL in the record.
        if (int(i) == rowidColumn ? value.kind != DatabasePages::Value::Null : !valueFits(holds[i], value.kind))
            return false;
        // Rubbish bytes in a text are seldom valid UTF-8.
        if (value.kind == DatabasePages::Value::Text && !isValidUtf8(value.bytes.constData(), value.bytes.size()))
            return false;
    }
    return true;
}

QString idRanges(const std::vector<qint64> &ids)
{
    constexpr int shownRanges = 8;
    QStringList ranges;
    for (size_t i = 0; i < ids.size();) {
        size_t last = i;
        while (last + 1 < ids.size() && ids[last + 1] == ids[last] + 1)
            ++last;
        if (ranges.size() == shownRanges) {
            ranges << QStringLiteral("…");
            break;
        }
        ranges << (last == i ? QString::number(ids[i]) : QStringLiteral("%1–%2").arg(ids[i]).arg(ids[last]));
        i = last + 1;
    }
    return ranges.join(QStringLiteral(", "));
}

TableSalvager::TableSalvager(sqlite3 *from, sqlite3 *to, const QString &table, const TableShape &shape)
    : m_from(from), m_to(to), m_table(table), m_shape(shape)
{
    QStringList names{QStringLiteral("rowid")}, marks{QStringLiteral("?")};
    for (const QString &column : shape.columns) {
        names << identifier(column);
        marks << QStringLiteral("?");
    }
    const QString columns = names.join(QLatin1Char(','));
    m_read = prepare(from, QStringLiteral("SELECT %1 FROM %2 WHERE rowid >= ?1 ORDER BY rowid").arg(columns, identifier(table)));
    m_seek = prepare(from, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(columns, identifier(table)));
    m_write = prepare(to, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(identifier(table), columns, marks.join(QLatin1Char(','))));
}

TableSalvager::~TableSalvager()
{
    sqlite3_finalize(m_read);
    sqlite3_finalize(m_seek);
    sqlite3_finalize(m_write);
}

void TableSalvager::addPageRecords(std::vector<DatabasePages::Record> records)
{
    for (DatabasePages::Record &record : records) {
        if (m_shape.fits(record))
            m_pageRecords.push_back(std::move(record));
    }
}

bool TableSalvager::plausible(qint64 rowid) const
{
    return rowid >= 1 && (!m_sequence || rowid <= *m_sequence);
}

bool TableSalvager::fitsRead(sqlite3_stmt *statement) const
{
    for (int i = 0; i < int(m_shape.columns.size()); ++i) {
        const int type = sqlite3_column_type(statement, i + 1);
        if (i != m_shape.rowidColumn && !valueFits(m_shape.holds[size_t(i)], kindOf(type)))
            return false;
        if (type == SQLITE_TEXT) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i + 1));
            if (!isValidUtf8(text, sqlite3_column_bytes(statement, i + 1)))
                return false;
        }
    }
    return true;
}

bool TableSalvager::written()
{
    const int rc = sqlite3_step(m_write);
    if (rc == SQLITE_DONE) {
        ++m_result.rows;
        if (m_result.rows % 1000 == 0 && onProgress)
            onProgress(m_result.rows);
        return true;
    }
    if (rc == SQLITE_FULL) {
        m_result.diskFull = true;
        return false;
    }
    ++m_result.unwritable;
    return true;
}

bool TableSalvager::copyRead(sqlite3_stmt *statement)
{
    const qint64 rowid = sqlite3_column_int64(statement, 0);
    sqlite3_reset(m_write);
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        sqlite3_bind_value(m_write, i + 1, sqlite3_column_value(statement, i));
    m_copied.insert(rowid);
    m_highestCopied = std::max(m_highestCopied, rowid);
    return written();
}

bool TableSalvager::copyRecord(const DatabasePages::Record &record)
{
    sqlite3_reset(m_write);
    sqlite3_bind_int64(m_write, 1, record.rowid);
    for (size_t i = 0; i < record.values.size(); ++i) {
        const int at = int(i) + 2;
        const DatabasePages::Value &value = record.values[i];
        if (int(i) == m_shape.rowidColumn) {
            sqlite3_bind_int64(m_write, at, record.rowid);
            continue;
        }
        switch (value.kind) {
        case DatabasePages::Value::Null:
            sqlite3_bind_null(m_write, at);
            break;
        case DatabasePages::Value::Integer:
            sqlite3_bind_int64(m_write, at, value.integer);
            break;
        case DatabasePages::Value::Real:
            sqlite3_bind_double(m_write, at, value.real);
            break;
        case DatabasePages::Value::Text:
            sqlite3_bind_text(m_write, at, value.bytes.constData(), int(value.bytes.size()), SQLITE_TRANSIENT);
            break;
        case DatabasePages::Value::Blob:
            sqlite3_bind_blob(m_write, at, value.bytes.constData(), int(value.bytes.size()), SQLITE_TRANSIENT);
            break;
        }
    }
    m_copied.insert(record.rowid);
    m_highestCopied = std::max(m_highestCopied, record.rowid);
    ++m_result.fromPages;
    return written();
}

bool TableSalvager::scan(qint64 highest)
{
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 next = lowest;
    for (;;) {
        const qint64 start = next;
        int rc = restart(m_read, start);
        bool broken = false;
        for (; rc == SQLITE_ROW; rc = sqlite3_step(m_read)) {
            const qint64 rowid = sqlite3_column_int64(m_read, 0);
            // A damaged page can hand back a rowid below one already read, or rubbish: the scan
            // never goes back, and takes only rows that fit the table.
            if (rowid < next || !plausible(rowid) || !fitsRead(m_read)) {
                broken = true;
                break;
            }
            if (!copyRead(m_read))
                return false;
            if (rowid == std::numeric_limits<qint64>::max())
                return true;
            next = rowid + 1;
        }
        if (!broken && rc == SQLITE_DONE)
            return true;
        m_result.damaged = true;
        // A round that read nothing failed at its own start: that rowid is passed over, one at a
        // time, up to the highest rowid known; the point seeks come back for what lies between.
        if (next == start)
            next = start < 1 ? 1 : start + 1;
        if (next > std::max(highest, m_highestCopied))
            return true;
    }
}

bool TableSalvager::fillGaps(qint64 highest, std::vector<qint64> &unreadable, std::vector<qint64> &empty)
{
    for (qint64 rowid = 1; rowid <= highest; ++rowid) {
        if (m_copied.count(rowid))
            continue;
        const int rc = restart(m_seek, rowid);
        if (rc == SQLITE_ROW && sqlite3_column_int64(m_seek, 0) == rowid && plausible(rowid) && fitsRead(m_seek)) {
            if (!copyRead(m_seek))
                return false;
        } else if (rc != SQLITE_DONE) {
            unreadable.push_back(rowid);
        } else {
            empty.push_back(rowid);
        }
    }
    return true;
}

Salvage TableSalvager::run()
{
    if (m_shape.columns.isEmpty() || !m_read || !m_seek || !m_write) {
        m_result.problem = QString::fromUtf8(sqlite3_errmsg(m_write ? m_from : m_to));
        return m_result;
    }
    std::sort(m_pageRecords.begin(), m_pageRecords.end(),
              [](const DatabasePages::Record &a, const DatabasePages::Record &b) { return a.rowid < b.rowid; });
    const qint64 pageHighest = m_pageRecords.empty() ? 0 : m_pageRecords.back().rowid;
    // A counter below a row the pages hold is itself damaged.
    if (m_sequence && *m_sequence < pageHighest)
        m_sequence.reset();
    // The highest rowid the table can plausibly hold, from its counter and its pages, but never
    // more than a table of this many rows can number: a rowid made of rubbish must not send the
    // seeks on for ever.
    const auto highest = [&] {
        const qint64 known = std::max({pageHighest, m_highestCopied, m_sequence.value_or(0)});
        return std::min(known, 16 * (qint64(m_pageRecords.size()) + m_result.rows) + 100000);
    };

    std::vector<qint64> unreadable, empty;
    if (!scan(highest()) || (m_result.damaged && !fillGaps(highest(), unreadable, empty))) {
        m_result.problem = QCoreApplication::translate("DatabaseMender", "the disk is full");
        return m_result;
    }
    for (const DatabasePages::Record &record : m_pageRecords) {
        if (m_copied.count(record.rowid) || !plausible(record.rowid))
            continue;
        if (!copyRecord(record)) {
            m_result.problem = QCoreApplication::translate("DatabaseMender", "the disk is full");
            return m_result;
        }
    }
    for (const qint64 rowid : unreadable) {
        if (!m_copied.count(rowid))
            m_result.lost.push_back(rowid);
    }
    for (const qint64 rowid : empty) {
        if (!m_copied.count(rowid))
            m_result.missing.push_back(rowid);
    }
    return m_result;
}
