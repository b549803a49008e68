#pragma once

#include "cell.h"
#include "filter.h"
#include "rowstore.h"
#include "valueindex.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <unordered_map>
#include <vector>

class Connection;

// A static-cursor view over one table. Opening it loads the table's rows into memory, ordered by
// the sort columns (case-insensitive, ties in insertion order); the filter picks the passing rows,
// and First/Next/Locate move a cursor over them. Edit/Append buffer one row and Post writes it at
// once. A posted row stays visible and current until the filter or the order is set again.
class TableView : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    TableView(Connection &connection, QString tableName, QObject *parent = nullptr);
    ~TableView() override;

    const QString &tableName() const { return m_table; }
    void setTableName(const QString &name);
    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    void refresh();

    void setFilter(const QString &text);
    const QString &filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    void setSort(const QString &columns);
    const QString &sort() const { return m_sortText; }

    int recordCount() const { return int(m_passing.size()); }
    int position() const { return m_cursor; }
    bool eof() const { return m_cursor < 0 || m_atEnd; }
    void first();
    void next();
    void moveTo(int position);
    // Moves to the first passing row whose columns (separated by ";") equal the values, or begin
    // with them when partial. Returns false and stays put when no row matches.
    bool locate(const QString &columns, const QStringList &values, bool partial = false);

    int columnCount() const { return int(m_columns.size()); }
    QString columnName(int column) const;
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const { return findColumn(name) >= 0; }
    ColumnKind columnKind(int column) const;

    QString text(const QString &column) const { return text(columnIndex(column)); }
    QString text(int column) const;
    qint64 integer(const QString &column) const;
    bool boolean(const QString &column) const;
    QDateTime dateTime(const QString &column) const;
    bool isNull(const QString &column) const;
    QString textAt(int position, int column) const;

    State state() const { return m_state; }
    void edit();
    void append();
    void post();
    void cancel();
    void remove();
    void setText(const QString &column, const QString &value) { setText(columnIndex(column), value); }
    void setText(int column, const QString &value);
    void setInteger(const QString &column, qint64 value);
    void setBoolean(const QString &column, bool value);
    void setDateTime(const QString &column, const QDateTime &value);
    void clear(const QString &column);

    // Between beginUpdate and endUpdate the view sends no signals; the last endUpdate sends one
    // reset, so grids and bound fields follow a long run of writes once instead of at every cell.
    void beginUpdate();
    void endUpdate();

    // The rows as they are stored, in insertion order with deleted rows marked, for walks over a
    // whole table that need no particular order.
    const RowStore &storedRows() const { return m_store; }

    // For the connection.
    void detachFromConnection();
    // Re-reads the table after a rollback. Never throws: a view whose table cannot be re-read is
    // left unusable instead, holding no rows, and every later use reports the engine's text
    // until the view is opened again.
    void discardUnsavedWrites();
    void markUnusable(const QString &reason);
    const QString &unusableReason() const { return m_unusable; }

signals:
    void rowsAboutToChange();
    void rowsChanged();
    void rowChanged(int position);
    void currentChanged();

private:
    struct Column
    {
        QString name;
        ColumnKind kind;
    };

    int findColumn(const QString &name) const;
    void requireOpen() const;
    void requireWritable() const;
    Cell currentCell(int column) const;
    void loadColumns();
    void loadRows();
    size_t expectedRowCount();
    int readRow(qint64 rowid, int storage);
    std::vector<int> resolveSort(const QString &text) const;
    Filter parseFilter(const QString &text) const;
    bool before(int a, int b) const;
    int compareStored(int a, int b, size_t sortKey) const;
    void sortByKey(size_t sortKey);
    size_t indexedRowLimit() const;
    int passingPosition(int storage) const;
    std::optional<int> locateIndexed(const std::vector<int> &columns, const std::vector<std::string> &wanted);
    void rebuildOrder();
    void rebuildPassing();
    void placeCursor(int position);
    void reload();
    void writeCell(int column, std::string text, bool null);
    void insertPosted(int storage);
    void repositionPosted(int storage);
    void changeRows(const std::function<void()> &change);

    Connection *m_connection;
    QString m_table;
    State m_state = State::Inactive;
    QString m_unusable;

    std::vector<Column> m_columns;
    std::unordered_map<std::string, int> m_columnByName;
    RowStore m_store;
    ValueIndex m_index{m_store};
    std::vector<qint64> m_rowids;
    std::vector<int> m_order;
    std::vector<int> m_passing;
    int m_cursor = -1;
    bool m_atEnd = false;

    QString m_filterText;
    Filter m_filter;
    bool m_filtered = false;
    QString m_sortText;
    std::vector<int> m_sortColumns;
    // For each sort column held as codes, each code's place in the column's case-insensitive
    // order (codes added since the order was built are compared by their texts).
    std::vector<std::vector<uint32_t>> m_ranks;
    int m_updateDepth = 0;
    bool m_signalsWereBlocked = false;

    Row m_buffer;
    std::vector<bool> m_dirty;
};

// Holds a view's signals back while it lives: see TableView::beginUpdate.
class ViewUpdate
{
public:
    explicit ViewUpdate(TableView &view) : m_view(view) { m_view.beginUpdate(); }
    ~ViewUpdate() { m_view.endUpdate(); }
    ViewUpdate(const ViewUpdate &) = delete;
    ViewUpdate &operator=(const ViewUpdate &) = delete;

private:
    TableView &m_view;
};
