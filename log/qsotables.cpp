#include "qsotables.h"

#include "statement.h"
#include "tableview.h"
#include "vocabulary.h"

namespace qsotables {
namespace {

void makePlaceholder(TableView &view)
{
    view.edit();
    for (const char *column : {"call", "loc", "data", "banda", "modo", "conf", "num"})
        view.clear(QString::fromLatin1(column));
    view.setText(QStringLiteral("dok"), vocab::placeholderDok);
    view.post();
}

// Gives the row the view stands on to the earliest other QSO of its DOK in the table's scope;
// false when there is none.
bool handOver(TableView &view, qint64 id, Connection &connection)
{
    const std::optional<TableScope> scope = scopeOf(view.tableName());
    if (!scope)
        return false;
    // The scope's column is one of two fixed names; the values are bound.
    Statement other(connection, QStringLiteral("SELECT id, call, loc, data, banda, modo, dok, conf, spec FROM LOG "
                                               "WHERE upper(dok) = upper(?) AND %1 = ? AND id <> ? ORDER BY id LIMIT 1")
                                    .arg(scope->column));
    other.bind(1, view.text(QStringLiteral("dok"))).bind(2, scope->value).bind(3, id);
    if (!other.next())
        return false;
    const qint64 otherId = other.integer(0);
    view.edit();
    int column = 1;
    for (const char *name : {"call", "loc", "data", "banda", "modo", "dok", "conf", "spec"}) {
        const QString text = other.isNull(column) ? QString() : other.text(column);
        ++column;
        if (text.isEmpty())
            view.clear(QString::fromLatin1(name));
        else
            view.setText(QString::fromLatin1(name), text);
    }
    view.setInteger(QStringLiteral("num"), otherId);
    view.post();
    return true;
}

} // namespace

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
