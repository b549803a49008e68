#include "tableview.h"

#include "connection.h"
#include "engineerror.h"
#include "rowloader.h"
#include "textcompare.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sqlite3.h>

namespace {

const char *const dateTimeFormat = "yyyy-MM-dd HH:mm:ss";

// Room for the rows a session adds beside those read: the vectors of a large table would else be
// full when read and copied whole at the first save. Room not yet used takes no memory.
size_t withRoomToGrow(size_t rows)
{
    return rows + rows / 8 + 256;
}

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

std::optional<long long> numberOf(const std::string &text)
{
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

bool isNumeric(ColumnKind kind)
{
    return kind == ColumnKind::Integer || kind == ColumnKind::Boolean;
}

int compareCells(const Cell &a, const Cell &b, ColumnKind kind)
{
    if (a.null || b.null)
        return a.null == b.null ? 0 : (a.null ? -1 : 1);
    if (isNumeric(kind)) {
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
    m_store.clear();
    m_index.clear();
    m_ranks.clear();
    m_rowids.clear();
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
    const auto matches = [&](std::string_view have, size_t i) {
        return partial ? textcompare::startsWithNoCase(have, wanted[i]) : textcompare::equalsNoCase(have, wanted[i]);
    };
    if (!partial) {
        if (const std::optional<int> found = locateIndexed(indexes, wanted)) {
            if (*found < 0)
                return false;
            moveTo(*found);
            return true;
        }
    }
    // A coded column is compared once per distinct value.
    std::vector<std::vector<char>> byCode(indexes.size());
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (!m_store.isCoded(indexes[i]))
            continue;
        const Dictionary &dictionary = m_store.dictionary(indexes[i]);
        byCode[i].resize(dictionary.size());
        for (uint32_t code = 0; code < dictionary.size(); ++code)
            byCode[i][code] = matches(dictionary.text(code), i);
    }
    std::string scratch;
    for (size_t position = 0; position < m_passing.size(); ++position) {
        const int storage = m_passing[position];
        bool all = true;
        for (size_t i = 0; i < indexes.size() && all; ++i) {
            all = m_store.isCoded(indexes[i]) ? bool(byCode[i][m_store.code(storage, indexes[i])])
                                              : matches(m_store.text(storage, indexes[i], scratch), i);
        }
        if (all) {
            moveTo(int(position));
            return true;
        }
    }
    return false;
}

// An exact Locate through the index of its most selective coded column: the position of the
// first passing row that matches, -1 for none, or nothing when a look at every row is cheaper.
std::optional<int> TableView::locateIndexed(const std::vector<int> &columns, const std::vector<std::string> &wanted)
{
    int best = -1;
    std::vector<uint32_t> bestCodes;
    size_t bestCount = indexedRowLimit() + 1;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!m_store.isCoded(columns[i]))
            continue;
        const Dictionary &dictionary = m_store.dictionary(columns[i]);
        std::vector<uint32_t> codes;
        for (uint32_t code = 0; code < dictionary.size(); ++code) {
            if (textcompare::equalsNoCase(dictionary.text(code), wanted[i]))
                codes.push_back(code);
        }
        const size_t count = m_index.count(columns[i], codes);
        if (count < bestCount) {
            best = int(i);
            bestCount = count;
            bestCodes = std::move(codes);
        }
    }
    if (best < 0)
        return std::nullopt;
    int found = -1;
    std::string scratch;
    for (const int storage : m_index.rows(columns[size_t(best)], bestCodes)) {
        bool all = true;
        for (size_t i = 0; i < columns.size() && all; ++i)
            all = textcompare::equalsNoCase(m_store.text(storage, columns[i], scratch), wanted[i]);
        const int position = all ? passingPosition(storage) : -1;
        if (position >= 0 && (found < 0 || position < found))
            found = position;
    }
    return found;
}

// Up to how many rows named by the index are cheaper to test and order than a look at every row.
size_t TableView::indexedRowLimit() const
{
    return std::max<size_t>(size_t(m_store.rowCount()) / 32, 64);
}

// Where a storage row stands among the passing rows, or -1.
int TableView::passingPosition(int storage) const
{
    const auto less = [this](int a, int b) { return before(a, b); };
    const auto at = std::lower_bound(m_passing.begin(), m_passing.end(), storage, less);
    return at != m_passing.end() && *at == storage ? int(at - m_passing.begin()) : -1;
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

// The current row's cell (from the edit buffer while one is open); null when there is no row.
Cell TableView::currentCell(int column) const
{
    requireOpen();
    if (column < 0 || column >= columnCount())
        throw EngineError(QStringLiteral("Column %1 is out of range in table '%2'.").arg(column).arg(m_table));
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[size_t(column)];
    if (m_cursor < 0)
        return {};
    return m_store.cell(m_passing[size_t(m_cursor)], column);
}

QString TableView::text(int column) const
{
    const Cell cell = currentCell(column);
    return cell.null ? QString() : QString::fromStdString(cell.text);
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
    return currentCell(columnIndex(column)).null;
}

QString TableView::textAt(int position, int column) const
{
    if (position < 0 || position >= recordCount() || column < 0 || column >= columnCount())
        return {};
    const int storage = m_passing[size_t(position)];
    if (m_store.isNull(storage, column))
        return {};
    std::string scratch;
    const std::string_view text = m_store.text(storage, column, scratch);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void TableView::edit()
{
    requireOpen();
    if (m_state != State::Browse)
        return;
    if (m_cursor < 0)
        throw EngineError(QStringLiteral("Cannot edit table '%1': it has no current row.").arg(m_table));
    m_buffer = m_store.row(m_passing[size_t(m_cursor)]);
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
    const int stored = readRow(rowid, storage);
    m_state = State::Browse;
    m_buffer.clear();
    m_dirty.clear();
    if (inserting)
        insertPosted(stored);
    else
        repositionPosted(storage);
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
    const auto reorder = [&] {
        const auto at = std::find(m_order.begin(), m_order.end(), storage);
        if (inOrder(m_order, size_t(at - m_order.begin())))
            return;
        m_order.erase(at);
        m_order.insert(std::upper_bound(m_order.begin(), m_order.end(), storage, less), storage);
    };
    if (inOrder(m_passing, position)) {
        // The full order can still be off when the row moved past rows the filter hides.
        reorder();
        emit rowChanged(m_cursor);
        return;
    }
    changeRows([&] {
        reorder();
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
        m_index.removed(storage);
        m_store.markDeleted(storage);
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
    RowStore rows;
    std::vector<ColumnKind> kinds;
    for (const Column &column : m_columns)
        kinds.push_back(column.kind);
    rows.reset(kinds);
    std::vector<qint64> rowids;
    const size_t expected = expectedRowCount();
    rows.reserve(withRoomToGrow(expected));
    rowids.reserve(withRoomToGrow(expected));
    sqlite3_stmt *statement =
        m_connection->prepare("SELECT rowid, * FROM " + quoteIdentifier(m_table) + " ORDER BY rowid");
    RowLoader loader(rows, expected);
    int rc;
    try {
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            loader.add(statement, 1);
            rowids.push_back(sqlite3_column_int64(statement, 0));
        }
    } catch (...) {
        sqlite3_reset(statement); // a statement left stepping would hold the file's read lock
        throw;
    }
    sqlite3_reset(statement);
    loader.finish();
    if (rc != SQLITE_DONE)
        m_connection->fail(QStringLiteral("Cannot read table '%1'").arg(m_table));
    m_store = std::move(rows);
    m_rowids = std::move(rowids);
    m_index.clear();
    m_ranks.clear();
}

// Space for the rows about to be read: the largest rowid is found at once and, in a table that
// grows by appending, close to the number of rows.
size_t TableView::expectedRowCount()
{
    sqlite3_stmt *statement = m_connection->prepare("SELECT max(rowid) FROM " + quoteIdentifier(m_table));
    const qint64 largest = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_reset(statement);
    return size_t(std::clamp<qint64>(largest, 0, 1 << 24));
}

// Reads a row just written back into the store, as a new row when storage is -1; returns where
// it is stored.
int TableView::readRow(qint64 rowid, int storage)
{
    sqlite3_stmt *statement = m_connection->prepare("SELECT * FROM " + quoteIdentifier(m_table) + " WHERE rowid=?");
    sqlite3_bind_int64(statement, 1, rowid);
    if (sqlite3_step(statement) != SQLITE_ROW) {
        sqlite3_reset(statement);
        throw EngineError(QStringLiteral("The row just written to '%1' cannot be read back.").arg(m_table));
    }
    if (storage < 0) {
        storage = m_store.appendFrom(statement, 0);
        m_rowids.push_back(rowid);
        m_index.added(storage);
    } else {
        m_index.changing(storage);
        m_store.assignFrom(storage, statement, 0);
        m_index.changed(storage);
    }
    sqlite3_reset(statement);
    return storage;
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
    for (size_t key = 0; key < m_sortColumns.size(); ++key) {
        const int c = compareStored(a, b, key);
        if (c != 0)
            return c < 0;
    }
    return m_rowids[size_t(a)] < m_rowids[size_t(b)];
}

// Two stored rows by one sort column: null first, integers by value, texts ignoring case.
int TableView::compareStored(int a, int b, size_t sortKey) const
{
    const int column = m_sortColumns[sortKey];
    if (!m_store.isCoded(column)) {
        const bool nullA = m_store.isNull(a, column);
        const bool nullB = m_store.isNull(b, column);
        if (nullA || nullB)
            return nullA == nullB ? 0 : (nullA ? -1 : 1);
        const long long x = m_store.integer(a, column);
        const long long y = m_store.integer(b, column);
        return x == y ? 0 : (x < y ? -1 : 1);
    }
    const uint32_t x = m_store.code(a, column);
    const uint32_t y = m_store.code(b, column);
    if (x == y)
        return 0;
    if (x == Dictionary::null || y == Dictionary::null)
        return x == Dictionary::null ? -1 : 1;
    if (isNumeric(m_columns[size_t(column)].kind))
        return compareCells(m_store.cell(a, column), m_store.cell(b, column), m_columns[size_t(column)].kind);
    if (sortKey < m_ranks.size()) {
        const std::vector<uint32_t> &ranks = m_ranks[sortKey];
        if (x < ranks.size() && y < ranks.size())
            return ranks[x] == ranks[y] ? 0 : (ranks[x] < ranks[y] ? -1 : 1);
    }
    const Dictionary &dictionary = m_store.dictionary(column);
    return textcompare::compareNoCase(dictionary.text(x), dictionary.text(y));
}

// Orders the rows by their sort columns, last column first, each pass keeping the order of the
// rows it finds equal: the rows start in storage order, which is the order of their rowids.
void TableView::rebuildOrder()
{
    m_order.clear();
    m_order.reserve(withRoomToGrow(size_t(m_store.rowCount())));
    for (int i = 0; i < m_store.rowCount(); ++i) {
        if (m_store.isAlive(i))
            m_order.push_back(i);
    }
    const auto byRowid = [this](int a, int b) { return m_rowids[size_t(a)] < m_rowids[size_t(b)]; };
    if (!std::is_sorted(m_order.begin(), m_order.end(), byRowid))
        std::stable_sort(m_order.begin(), m_order.end(), byRowid);
    m_ranks.assign(m_sortColumns.size(), {});
    for (size_t key = 0; key < m_sortColumns.size(); ++key) {
        const int column = m_sortColumns[key];
        if (!m_store.isCoded(column) || isNumeric(m_columns[size_t(column)].kind))
            continue;
        const Dictionary &dictionary = m_store.dictionary(column);
        std::vector<uint32_t> codes;
        for (uint32_t code = 1; code < dictionary.size(); ++code)
            codes.push_back(code);
        const auto compare = [&](uint32_t x, uint32_t y) {
            return textcompare::compareNoCase(dictionary.text(x), dictionary.text(y));
        };
        std::vector<uint64_t> heads(dictionary.size());
        for (uint32_t code : codes)
            heads[code] = textcompare::foldedHead(dictionary.text(code));
        std::sort(codes.begin(), codes.end(), [&](uint32_t x, uint32_t y) {
            if (heads[x] && heads[y] && heads[x] != heads[y])
                return heads[x] < heads[y];
            return compare(x, y) < 0;
        });
        std::vector<uint32_t> &ranks = m_ranks[key];
        ranks.assign(dictionary.size(), 0);
        uint32_t rank = 0;
        for (size_t i = 0; i < codes.size(); ++i) {
            if (i == 0 || compare(codes[i - 1], codes[i]) != 0)
                ++rank;
            ranks[codes[i]] = rank;
        }
    }
    for (size_t key = m_sortColumns.size(); key-- > 0;)
        sortByKey(key);
}

// One stable pass of the sort: a counting sort over the ranks of a coded column or a small
// range of integers, a comparison sort otherwise.
void TableView::sortByKey(size_t sortKey)
{
    const int column = m_sortColumns[sortKey];
    std::vector<uint32_t> keys(m_order.size());
    uint32_t keyCount = 0;
    if (m_store.isCoded(column) && !m_ranks[sortKey].empty()) {
        const std::vector<uint32_t> &ranks = m_ranks[sortKey];
        for (size_t i = 0; i < m_order.size(); ++i)
            keys[i] = ranks[m_store.code(m_order[i], column)];
        keyCount = *std::max_element(ranks.begin(), ranks.end()) + 1;
    } else if (!m_store.isCoded(column)) {
        long long low = std::numeric_limits<long long>::max();
        long long high = std::numeric_limits<long long>::min();
        for (const int row : m_order) {
            if (!m_store.isNull(row, column)) {
                low = std::min(low, m_store.integer(row, column));
                high = std::max(high, m_store.integer(row, column));
            }
        }
        constexpr unsigned long long countingLimit = 1 << 20;
        if (low <= high && static_cast<unsigned long long>(high) - static_cast<unsigned long long>(low) >= countingLimit) {
            std::stable_sort(m_order.begin(), m_order.end(),
                             [&](int a, int b) { return compareStored(a, b, sortKey) < 0; });
            return;
        }
        for (size_t i = 0; i < m_order.size(); ++i) {
            const int row = m_order[i];
            keys[i] = m_store.isNull(row, column) ? 0 : uint32_t(m_store.integer(row, column) - low) + 1;
        }
        keyCount = low <= high ? uint32_t(high - low) + 2 : 1;
    } else {
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return compareStored(a, b, sortKey) < 0; });
        return;
    }
    std::vector<uint32_t> starts(size_t(keyCount) + 1, 0);
    for (const uint32_t key : keys)
        ++starts[key + 1];
    for (size_t i = 1; i < starts.size(); ++i)
        starts[i] += starts[i - 1];
    // The sorted order keeps the room to grow, so the next row saved does not copy it.
    std::vector<int> sorted;
    sorted.reserve(m_order.capacity());
    sorted.resize(m_order.size());
    for (size_t i = 0; i < m_order.size(); ++i)
        sorted[starts[keys[i]]++] = m_order[i];
    m_order = std::move(sorted);
}

void TableView::rebuildPassing()
{
    if (!m_filtered || m_filter.isEmpty()) {
        m_passing.clear();
        m_passing.reserve(m_order.capacity());
        m_passing.insert(m_passing.end(), m_order.begin(), m_order.end());
        return;
    }
    const Filter::Test test = m_filter.prepare(m_store);
    // When the index names few rows, only they are tested, then put in view order.
    if (const auto candidates = test.candidates(m_index, indexedRowLimit())) {
        m_passing.clear();
        for (const int storage : *candidates) {
            if (m_store.isAlive(storage) && test.matches(storage))
                m_passing.push_back(storage);
        }
        std::sort(m_passing.begin(), m_passing.end(), [this](int a, int b) { return before(a, b); });
        return;
    }
    // Rows are tested in storage order, which walks memory sequentially, then picked in view order.
    std::vector<char> passes(size_t(m_store.rowCount()), 0);
    for (int i = 0; i < m_store.rowCount(); ++i)
        passes[size_t(i)] = m_store.isAlive(i) && test.matches(i);
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

void TableView::beginUpdate()
{
    if (m_updateDepth++ > 0)
        return;
    emit rowsAboutToChange();
    m_signalsWereBlocked = blockSignals(true);
}

void TableView::endUpdate()
{
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    blockSignals(m_signalsWereBlocked);
    emit rowsChanged();
    emit currentChanged();
}

void TableView::changeRows(const std::function<void()> &change)
{
    emit rowsAboutToChange();
    change();
    emit rowsChanged();
    emit currentChanged();
}
