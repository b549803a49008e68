#include "tableview.h"

#include "connection.h"
#include "engineerror.h"
#include "textcompare.h"

#include <algorithm>
#include <charconv>
#include <sqlite3.h>

namespace {

const char *const dateTimeFormat = "yyyy-MM-dd HH:mm:ss";

std::string quoteIdentifier(const QString &name)
{
    std::string out = "\"";
    for (char c : name.toStdString()) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

ColumnKind kindOfDeclaredType(const QString &declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("BOOL")))
        return ColumnKind::Boolean;
    if (type.contains(QLatin1String("INT")))
        return ColumnKind::Integer;
    if (type.contains(QLatin1String("DATE")) || type.contains(QLatin1String("TIME")))
        return ColumnKind::DateTime;
    if (type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA"))
        || type.contains(QLatin1String("DOUB")))
        return ColumnKind::Real;
    return ColumnKind::Text;
}

Cell cellOf(sqlite3_stmt *statement, int index)
{
    if (sqlite3_column_type(statement, index) == SQLITE_NULL)
        return {};
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, index));
    return {std::string(text, size_t(sqlite3_column_bytes(statement, index))), false};
}

std::optional<long long> numberOf(const std::string &text)
{
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

int compareCells(const Cell &a, const Cell &b, ColumnKind kind)
{
    if (a.null || b.null)
        return a.null == b.null ? 0 : (a.null ? -1 : 1);
    if (kind == ColumnKind::Integer || kind == ColumnKind::Boolean) {
        const auto x = numberOf(a.text);
        const auto y = numberOf(b.text);
        if (x && y)
            return *x == *y ? 0 : (*x < *y ? -1 : 1);
    }
    return textcompare::compareNoCase(a.text, b.text);
}

} // namespace

TableView::TableView(Connection &connection, QString tableName, QObject *parent)
    : QObject(parent), m_connection(&connection), m_table(std::move(tableName))
{
    m_connection->attach(this);
}

TableView::~TableView()
{
    if (m_connection)
        m_connection->detach(this);
}

void TableView::detachFromConnection()
{
    m_connection = nullptr;
    m_state = State::Inactive;
}

void TableView::setTableName(const QString &name)
{
    if (isOpen())
        throw EngineError(QStringLiteral("Cannot change the table of an open view (%1).").arg(m_table));
    m_table = name;
}

void TableView::open()
{
    if (isOpen())
        return;
    if (!m_connection)
        throw EngineError(QStringLiteral("The view of %1 has no connection.").arg(m_table));
    loadColumns();
    std::vector<int> sortColumns;
    Filter filter;
    try {
        sortColumns = resolveSort(m_sortText);
        filter = parseFilter(m_filterText);
        loadRows();
    } catch (...) {
        m_columns.clear();
        m_columnByName.clear();
        throw;
    }
    m_unusable.clear();
    emit rowsAboutToChange();
    m_sortColumns = std::move(sortColumns);
    m_filter = std::move(filter);
    m_state = State::Browse;
    rebuildOrder();
    rebuildPassing();
    placeCursor(0);
    emit rowsChanged();
    emit currentChanged();
}

void TableView::close()
{
    m_unusable.clear();
    if (!isOpen())
        return;
    emit rowsAboutToChange();
    m_state = State::Inactive;
    m_buffer.clear();
    m_dirty.clear();
    m_rows.clear();
    m_rowids.clear();
    m_alive.clear();
    m_order.clear();
    m_passing.clear();
    m_columns.clear();
    m_columnByName.clear();
    m_cursor = -1;
    m_atEnd = false;
    emit rowsChanged();
    emit currentChanged();
}

void TableView::refresh()
{
    requireOpen();
    if (m_state != State::Browse)
        post();
    reload();
}

void TableView::discardUnsavedWrites()
{
    if (!isOpen())
        return;
    try {
        reload();
    } catch (const std::exception &) {
        // reload() has left the view unusable with the engine's text.
    }
}

void TableView::markUnusable(const QString &reason)
{
    close();
    m_unusable = reason;
}

// Rows that could not be re-read are never shown as if they were current: a failure leaves the
// view unusable.
void TableView::reload()
{
    const qint64 currentRowid = m_cursor >= 0 ? m_rowids[size_t(m_passing[size_t(m_cursor)])] : -1;
    const int oldCursor = m_cursor;
    changeRows([&] {
        m_state = State::Browse;
        m_buffer.clear();
        m_dirty.clear();
        try {
            loadRows();
        } catch (const EngineError &error) {
            markUnusable(error.text());
            throw;
        }
        rebuildOrder();
        rebuildPassing();
        int target = -1;
        for (size_t i = 0; i < m_passing.size(); ++i) {
            if (m_rowids[size_t(m_passing[i])] == currentRowid) {
                target = int(i);
                break;
            }
        }
        if (target < 0)
            target = std::min(std::max(oldCursor, 0), int(m_passing.size()) - 1);
        placeCursor(target);
    });
}

void TableView::setFilter(const QString &text)
{
    if (!isOpen()) {
        m_filterText = text;
        return;
    }
    Filter parsed = parseFilter(text);
    if (m_state != State::Browse)
        post();
    m_filterText = text;
    changeRows([&] {
        m_filter = std::move(parsed);
        rebuildPassing();
        placeCursor(0);
    });
}

void TableView::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    m_filtered = on;
    if (!isOpen())
        return;
    if (m_state != State::Browse)
        post();
    changeRows([&] {
        rebuildPassing();
        placeCursor(0);
    });
}

void TableView::setSort(const QString &columns)
{
    if (!isOpen()) {
        m_sortText = columns;
        return;
    }
    std::vector<int> resolved = resolveSort(columns);
    if (m_state != State::Browse)
        post();
    m_sortText = columns;
    const int current = m_cursor >= 0 ? m_passing[size_t(m_cursor)] : -1;
    changeRows([&] {
        m_sortColumns = std::move(resolved);
        rebuildOrder();
        rebuildPassing();
        const auto found = std::find(m_passing.begin(), m_passing.end(), current);
        placeCursor(found != m_passing.end() ? int(found - m_passing.begin()) : 0);
    });
}

void TableView::first()
{
    requireOpen();
    if (m_state != State::Browse)
        post();
    placeCursor(0);
    emit currentChanged();
}

void TableView::next()
{
    requireOpen();
    if (m_state != State::Browse)
        post();
    if (m_cursor < 0 || m_cursor + 1 >= recordCount()) {
        m_atEnd = true;
        return;
    }
    ++m_cursor;
    emit currentChanged();
}

void TableView::moveTo(int position)
{
    requireOpen();
    if (position == m_cursor && !m_atEnd)
        return;
    if (m_state != State::Browse)
        post();
    placeCursor(position);
    emit currentChanged();
}

bool TableView::locate(const QString &columns, const QStringList &values, bool partial)
{
    requireOpen();
    std::vector<int> indexes;
    for (const QString &name : columns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        indexes.push_back(columnIndex(name.trimmed()));
    if (indexes.empty() || size_t(values.size()) != indexes.size())
        throw EngineError(QStringLiteral("Locate on %1 needs one value for each of the columns \"%2\".")
                              .arg(m_table, columns));
    std::vector<std::string> wanted;
    for (const QString &value : values)
        wanted.push_back(value.toStdString());
    for (size_t position = 0; position < m_passing.size(); ++position) {
        const Row &row = m_rows[size_t(m_passing[position])];
        bool all = true;
        for (size_t i = 0; i < indexes.size() && all; ++i) {
            const std::string &have = row[size_t(indexes[i])].text;
            all = partial ? textcompare::startsWithNoCase(have, wanted[i])
                          : textcompare::equalsNoCase(have, wanted[i]);
        }
        if (all) {
            moveTo(int(position));
            return true;
        }
    }
    return false;
}

QString TableView::columnName(int column) const
{
    requireOpen();
    if (column < 0 || column >= columnCount())
        throw EngineError(QStringLiteral("Column %1 is out of range in table '%2'.").arg(column).arg(m_table));
    return m_columns[size_t(column)].name;
}

int TableView::findColumn(const QString &name) const
{
    const auto found = m_columnByName.find(textcompare::lowerAscii(name.toStdString()));
    return found == m_columnByName.end() ? -1 : found->second;
}

int TableView::columnIndex(const QString &name) const
{
    requireOpen();
    const int index = findColumn(name);
    if (index < 0)
        throw EngineError(QStringLiteral("Field '%1' not found in table '%2'.").arg(name, m_table));
    return index;
}

ColumnKind TableView::columnKind(int column) const
{
    requireOpen();
    return m_columns.at(size_t(column)).kind;
}

const Cell *TableView::currentCell(int column) const
{
    requireOpen();
    if (column < 0 || column >= columnCount())
        throw EngineError(QStringLiteral("Column %1 is out of range in table '%2'.").arg(column).arg(m_table));
    if (m_state == State::Edit || m_state == State::Insert)
        return &m_buffer[size_t(column)];
    if (m_cursor < 0)
        return nullptr;
    return &m_rows[size_t(m_passing[size_t(m_cursor)])][size_t(column)];
}

QString TableView::text(int column) const
{
    const Cell *cell = currentCell(column);
    return cell && !cell->null ? QString::fromStdString(cell->text) : QString();
}

qint64 TableView::integer(const QString &column) const
{
    return text(column).trimmed().toLongLong();
}

bool TableView::boolean(const QString &column) const
{
    const QString value = text(column).trimmed();
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    return value.toLongLong() != 0;
}

QDateTime TableView::dateTime(const QString &column) const
{
    const QString value = text(column);
    QDateTime parsed = QDateTime::fromString(value, QLatin1String(dateTimeFormat));
    return parsed.isValid() ? parsed : QDateTime::fromString(value, Qt::ISODate);
}

bool TableView::isNull(const QString &column) const
{
    const Cell *cell = currentCell(columnIndex(column));
    return !cell || cell->null;
}

QString TableView::textAt(int position, int column) const
{
    if (position < 0 || position >= recordCount() || column < 0 || column >= columnCount())
        return {};
    const Cell &cell = m_rows[size_t(m_passing[size_t(position)])][size_t(column)];
    return cell.null ? QString() : QString::fromStdString(cell.text);
}

void TableView::edit()
{
    requireOpen();
    if (m_state != State::Browse)
        return;
    if (m_cursor < 0)
        throw EngineError(QStringLiteral("Cannot edit table '%1': it has no current row.").arg(m_table));
    m_buffer = m_rows[size_t(m_passing[size_t(m_cursor)])];
    m_dirty.assign(m_columns.size(), false);
    m_state = State::Edit;
}

void TableView::append()
{
    requireOpen();
    if (m_state != State::Browse)
        post();
    m_buffer.assign(m_columns.size(), Cell{});
    m_dirty.assign(m_columns.size(), false);
    m_state = State::Insert;
    emit currentChanged();
}

void TableView::setText(int column, const QString &value)
{
    writeCell(column, value.toStdString(), false);
}

void TableView::setInteger(const QString &column, qint64 value)
{
    writeCell(columnIndex(column), std::to_string(value), false);
}

void TableView::setBoolean(const QString &column, bool value)
{
    writeCell(columnIndex(column), value ? "1" : "0", false);
}

void TableView::setDateTime(const QString &column, const QDateTime &value)
{
    writeCell(columnIndex(column), value.toString(QLatin1String(dateTimeFormat)).toStdString(), false);
}

void TableView::clear(const QString &column)
{
    writeCell(columnIndex(column), {}, true);
}

void TableView::writeCell(int column, std::string text, bool null)
{
    requireWritable();
    if (column < 0 || column >= columnCount())
        throw EngineError(QStringLiteral("Column %1 is out of range in table '%2'.").arg(column).arg(m_table));
    m_buffer[size_t(column)] = Cell{std::move(text), null};
    m_dirty[size_t(column)] = true;
    emit currentChanged();
}

void TableView::post()
{
    requireOpen();
    if (m_state == State::Browse)
        return;
    const bool inserting = m_state == State::Insert;
    std::vector<int> changed;
    for (size_t i = 0; i < m_dirty.size(); ++i) {
        if (m_dirty[i])
            changed.push_back(int(i));
    }
    const int storage = inserting ? -1 : m_passing[size_t(m_cursor)];
    if (!inserting && changed.empty()) {
        m_state = State::Browse;
        return;
    }
    std::string sql;
    const std::string table = quoteIdentifier(m_table);
    if (inserting && changed.empty()) {
        sql = "INSERT INTO " + table + " DEFAULT VALUES";
    } else if (inserting) {
        std::string names, marks;
        for (int column : changed) {
            names += (names.empty() ? "" : ",") + quoteIdentifier(m_columns[size_t(column)].name);
            marks += marks.empty() ? "?" : ",?";
        }
        sql = "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
    } else {
        std::string sets;
        for (int column : changed)
            sets += (sets.empty() ? "" : ",") + quoteIdentifier(m_columns[size_t(column)].name) + "=?";
        sql = "UPDATE " + table + " SET " + sets + " WHERE rowid=?";
    }
    m_connection->noteWrite(this);
    sqlite3_stmt *statement = m_connection->prepare(sql);
    int bindIndex = 1;
    for (int column : changed) {
        const Cell &cell = m_buffer[size_t(column)];
        const ColumnKind kind = m_columns[size_t(column)].kind;
        const auto number = numberOf(cell.text);
        if (cell.null)
            sqlite3_bind_null(statement, bindIndex);
        else if ((kind == ColumnKind::Integer || kind == ColumnKind::Boolean) && number)
            sqlite3_bind_int64(statement, bindIndex, *number);
        else
            sqlite3_bind_text(statement, bindIndex, cell.text.data(), int(cell.text.size()), SQLITE_TRANSIENT);
        ++bindIndex;
    }
    if (!inserting)
        sqlite3_bind_int64(statement, bindIndex, m_rowids[size_t(storage)]);
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        m_connection->fail(QStringLiteral("Cannot write to table '%1'").arg(m_table));

    const qint64 rowid = inserting ? sqlite3_last_insert_rowid(m_connection->handle()) : m_rowids[size_t(storage)];
    Row stored = readRow(rowid);
    m_state = State::Browse;
    m_buffer.clear();
    m_dirty.clear();
    if (inserting) {
        m_rows.push_back(std::move(stored));
        m_rowids.push_back(rowid);
        m_alive.push_back(true);
        insertPosted(int(m_rows.size()) - 1);
    } else {
        m_rows[size_t(storage)] = std::move(stored);
        repositionPosted(storage);
    }
    emit currentChanged();
}

void TableView::insertPosted(int storage)
{
    changeRows([&] {
        const auto less = [this](int a, int b) { return before(a, b); };
        m_order.insert(std::upper_bound(m_order.begin(), m_order.end(), storage, less), storage);
        const auto at = m_passing.insert(std::upper_bound(m_passing.begin(), m_passing.end(), storage, less), storage);
        m_cursor = int(at - m_passing.begin());
        m_atEnd = false;
    });
}

void TableView::repositionPosted(int storage)
{
    const auto less = [this](int a, int b) { return before(a, b); };
    const auto inOrder = [&](const std::vector<int> &v, size_t at) {
        return (at == 0 || !less(storage, v[at - 1])) && (at + 1 >= v.size() || !less(v[at + 1], storage));
    };
    const size_t position = size_t(m_cursor);
    if (inOrder(m_passing, position)) {
        emit rowChanged(m_cursor);
        return;
    }
    changeRows([&] {
        m_order.erase(std::find(m_order.begin(), m_order.end(), storage));
        m_order.insert(std::upper_bound(m_order.begin(), m_order.end(), storage, less), storage);
        m_passing.erase(m_passing.begin() + m_cursor);
        const auto at = m_passing.insert(std::upper_bound(m_passing.begin(), m_passing.end(), storage, less), storage);
        m_cursor = int(at - m_passing.begin());
    });
}

void TableView::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_state = State::Browse;
    m_buffer.clear();
    m_dirty.clear();
    emit currentChanged();
}

void TableView::remove()
{
    requireOpen();
    cancel();
    if (m_cursor < 0)
        throw EngineError(QStringLiteral("Cannot delete from table '%1': it has no current row.").arg(m_table));
    const int storage = m_passing[size_t(m_cursor)];
    m_connection->noteWrite(this);
    sqlite3_stmt *statement = m_connection->prepare("DELETE FROM " + quoteIdentifier(m_table) + " WHERE rowid=?");
    sqlite3_bind_int64(statement, 1, m_rowids[size_t(storage)]);
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        m_connection->fail(QStringLiteral("Cannot delete from table '%1'").arg(m_table));
    changeRows([&] {
        m_alive[size_t(storage)] = false;
        m_order.erase(std::find(m_order.begin(), m_order.end(), storage));
        m_passing.erase(m_passing.begin() + m_cursor);
        placeCursor(std::min(m_cursor, recordCount() - 1));
    });
}

void TableView::requireOpen() const
{
    if (!m_unusable.isEmpty())
        throw EngineError(m_unusable);
    if (!isOpen())
        throw EngineError(QStringLiteral("Cannot perform this operation on a closed table (%1).").arg(m_table));
}

void TableView::requireWritable() const
{
    requireOpen();
    if (m_state != State::Edit && m_state != State::Insert)
        throw EngineError(QStringLiteral("Table '%1' is not in edit or insert mode.").arg(m_table));
}

void TableView::loadColumns()
{
    sqlite3_stmt *statement = m_connection->prepare("SELECT name, type FROM pragma_table_info(?)");
    const std::string table = m_table.toStdString();
    sqlite3_bind_text(statement, 1, table.data(), int(table.size()), SQLITE_TRANSIENT);
    std::vector<Column> columns;
    std::unordered_map<std::string, int> byName;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
        byName.emplace(textcompare::lowerAscii(name.toStdString()), int(columns.size()));
        columns.push_back({name, kindOfDeclaredType(type)});
    }
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        m_connection->fail(QStringLiteral("Cannot read the columns of table '%1'").arg(m_table));
    if (columns.empty())
        throw EngineError(QStringLiteral("The table '%1' does not exist in the database.").arg(m_table));
    m_columns = std::move(columns);
    m_columnByName = std::move(byName);
}

void TableView::loadRows()
{
    std::vector<Row> rows;
    std::vector<qint64> rowids;
    sqlite3_stmt *statement =
        m_connection->prepare("SELECT rowid, * FROM " + quoteIdentifier(m_table) + " ORDER BY rowid");
    const size_t width = m_columns.size();
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        row.reserve(width);
        for (size_t i = 0; i < width; ++i)
            row.push_back(cellOf(statement, int(i) + 1));
        rowids.push_back(sqlite3_column_int64(statement, 0));
        rows.push_back(std::move(row));
    }
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        m_connection->fail(QStringLiteral("Cannot read table '%1'").arg(m_table));
    m_rows = std::move(rows);
    m_rowids = std::move(rowids);
    m_alive.assign(m_rows.size(), true);
}

Row TableView::readRow(qint64 rowid)
{
    sqlite3_stmt *statement = m_connection->prepare("SELECT * FROM " + quoteIdentifier(m_table) + " WHERE rowid=?");
    sqlite3_bind_int64(statement, 1, rowid);
    Row row;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        for (size_t i = 0; i < m_columns.size(); ++i)
            row.push_back(cellOf(statement, int(i)));
    }
    sqlite3_reset(statement);
    if (row.empty())
        throw EngineError(QStringLiteral("The row just written to '%1' cannot be read back.").arg(m_table));
    return row;
}

std::vector<int> TableView::resolveSort(const QString &text) const
{
    std::vector<int> columns;
    QString normalized = text;
    normalized.replace(QLatin1Char(','), QLatin1Char(';'));
    for (const QString &name : normalized.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int index = findColumn(name.trimmed());
        if (index < 0)
            throw EngineError(QStringLiteral("Unknown column '%1' in the sort order of '%2'.").arg(name.trimmed(), m_table));
        columns.push_back(index);
    }
    return columns;
}

Filter TableView::parseFilter(const QString &text) const
{
    return Filter::parse(text, [this](const QString &name) -> std::optional<Filter::ColumnInfo> {
        const int index = findColumn(name);
        if (index < 0)
            return std::nullopt;
        return Filter::ColumnInfo{index, m_columns[size_t(index)].kind};
    });
}

bool TableView::before(int a, int b) const
{
    for (int column : m_sortColumns) {
        const int c = compareCells(m_rows[size_t(a)][size_t(column)], m_rows[size_t(b)][size_t(column)],
                                   m_columns[size_t(column)].kind);
        if (c != 0)
            return c < 0;
    }
    return m_rowids[size_t(a)] < m_rowids[size_t(b)];
}

void TableView::rebuildOrder()
{
    m_order.clear();
    m_order.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_alive[i])
            m_order.push_back(int(i));
    }
    if (!m_sortColumns.empty())
        std::sort(m_order.begin(), m_order.end(), [this](int a, int b) { return before(a, b); });
}

void TableView::rebuildPassing()
{
    if (!m_filtered || m_filter.isEmpty()) {
        m_passing = m_order;
        return;
    }
    // Rows are tested in storage order, which walks memory sequentially, then picked in view order.
    std::vector<char> passes(m_rows.size(), 0);
    for (size_t i = 0; i < m_rows.size(); ++i)
        passes[i] = m_alive[i] && m_filter.matches(m_rows[i]);
    m_passing.clear();
    for (int storage : m_order) {
        if (passes[size_t(storage)])
            m_passing.push_back(storage);
    }
}

void TableView::placeCursor(int position)
{
    m_atEnd = false;
    if (m_passing.empty()) {
        m_cursor = -1;
        return;
    }
    m_cursor = std::clamp(position, 0, int(m_passing.size()) - 1);
}

void TableView::changeRows(const std::function<void()> &change)
{
    emit rowsAboutToChange();
    change();
    emit rowsChanged();
    emit currentChanged();
}
