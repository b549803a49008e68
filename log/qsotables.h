#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class Connection;
class TableView;

// The rows that band and mode tables hold of a QSO: one per DOK, with num the QSO's id in LOG.
namespace qsotables {

// The columns a band or mode table copies from its QSO's row of LOG, in this order; num holds
// the QSO's id beside them.
using Copy = std::array<QString, 8>;
const std::array<QString, 8> &copiedColumns();
// Writes a QSO's copy (an empty text as null) and its id into the row being edited or appended,
// and posts it.
void writeCopy(TableView &view, const Copy &copy, qint64 id);
// The columns the placeholder row leaves empty; its dok is "*" and its spec stays as it was.
const QStringList &placeholderEmptyColumns();
// Turns the view's current row into the placeholder row.
void makePlaceholder(TableView &view);

// Points a view at a table, unfiltered, and opens it.
void pointAt(TableView &view, const QString &table);
// Moves to the QSO's row; false when the table has none for it.
bool locateQso(TableView &view, qint64 id);
// Takes the QSO's row out of the table the view shows unfiltered. When another QSO of the same
// DOK stays logged on the table's band (or in its mode), the row goes over to the earliest of
// them, so the DOK keeps its row there; otherwise the row goes, and a table never becomes empty:
// its last row turns into the placeholder row instead. False when the table had no row of it.
bool takeOut(TableView &view, qint64 id, Connection &connection);

// The LOG column and value a band or mode table gathers: LOG3 holds banda "3.5", LOGCW modo "CW".
struct TableScope
{
    QString column;
    QString value;
};
std::optional<TableScope> scopeOf(const QString &table);

// Whether each view was filtered, kept while a change works on them unfiltered. restore() is called
// by hand, not from a destructor, because setting a filter again may throw.
class FilterStates
{
public:
    explicit FilterStates(std::initializer_list<TableView *> views);
    void restore() const;

private:
    std::vector<std::pair<TableView *, bool>> m_states;
};

} // namespace qsotables
