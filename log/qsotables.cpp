#include "qsotables.h"

#include "statement.h"
#include "tableview.h"
#include "vocabulary.h"

namespace qsotables {
namespace {

// Gives the row the view stands on to the earliest other QSO of its DOK in the table's scope;
// false when there is none.
bool handOver(TableView &view, qint64 id, Connection &connection)
{
    const std::optional<TableScope> scope = scopeOf(view.tableName());
    if (!scope)
        return false;
    // The column names are fixed ones; the values are bound.
    QStringList columns(copiedColumns().begin(), copiedColumns().end());
    Statement other(connection, QStringLiteral("SELECT id, %1 FROM LOG WHERE upper(dok) = upper(?) AND %2 = ? AND id <> ? "
                                               "ORDER BY id LIMIT 1")
                                    .arg(columns.join(QStringLiteral(", ")), scope->column));
    other.bind(1, view.text(QStringLiteral("dok"))).bind(2, scope->value).bind(3, id);
    if (!other.next())
        return false;
    Copy copy;
    for (size_t column = 0; column < copy.size(); ++column)
        copy[column] = other.isNull(int(column) + 1) ? QString() : other.text(int(column) + 1);
    view.edit();
    writeCopy(view, copy, other.integer(0));
    return true;
}

} // namespace

const std::array<QString, 8> &copiedColumns()
{
    static const std::array<QString, 8> columns = {
        QStringLiteral("call"), QStringLiteral("loc"), QStringLiteral("data"), QStringLiteral("banda"),
        QStringLiteral("modo"), QStringLiteral("dok"), QStringLiteral("conf"), QStringLiteral("spec")};
    return columns;
}

void writeCopy(TableView &view, const Copy &copy, qint64 id)
{
    for (size_t column = 0; column < copy.size(); ++column) {
        if (copy[column].isEmpty())
            view.clear(copiedColumns()[column]);
        else
            view.setText(copiedColumns()[column], copy[column]);
    }
    view.setInteger(QStringLiteral("num"), id);
    view.post();
}

const QStringList &placeholderEmptyColumns()
{
    static const QStringList columns = {QStringLiteral("call"), QStringLiteral("loc"),  QStringLiteral("data"),
                                        QStringLiteral("banda"), QStringLiteral("modo"), QStringLiteral("conf"),
                                        QStringLiteral("num")};
    return columns;
}

void makePlaceholder(TableView &view)
{
    view.edit();
    for (const QString &column : placeholderEmptyColumns())
        view.clear(column);
    view.setText(QStringLiteral("dok"), vocab::placeholderDok);
    view.post();
}

FilterStates::FilterStates(std::initializer_list<TableView *> views)
{
    for (TableView *view : views)
        m_states.emplace_back(view, view->isFiltered());
}

void FilterStates::restore() const
{
    for (const auto &[view, filtered] : m_states)
        view->setFiltered(filtered);
}

void pointAt(TableView &view, const QString &table)
{
    view.setFiltered(false);
    // The views hold what every write through them stored: an open view of the table is current.
    if (view.isOpen() && view.tableName().compare(table, Qt::CaseInsensitive) == 0)
        return;
    view.close();
    view.setTableName(table);
    view.open();
}

bool locateQso(TableView &view, qint64 id)
{
    return view.locate(QStringLiteral("num"), {QString::number(id)});
}

std::optional<TableScope> scopeOf(const QString &table)
{
    for (const QString &band : vocab::bands()) {
        if (table.compare(vocab::bandTable(vocab::bandSuffix(band)), Qt::CaseInsensitive) == 0)
            return TableScope{QStringLiteral("banda"), band};
    }
    for (const QString &mode : vocab::modes()) {
        if (table.compare(vocab::modeTable(mode), Qt::CaseInsensitive) == 0)
            return TableScope{QStringLiteral("modo"), mode};
    }
    return std::nullopt;
}

bool takeOut(TableView &view, qint64 id, Connection &connection)
{
    if (!locateQso(view, id))
        return false;
    if (handOver(view, id, connection))
        return true;
    if (view.recordCount() == 1)
        makePlaceholder(view);
    else
        view.remove();
    return true;
}

} // namespace qsotables
