#include "qsotables.h"

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

bool takeOut(TableView &view, qint64 id)
{
    if (!locateQso(view, id))
        return false;
    if (view.recordCount() == 1)
        makePlaceholder(view);
    else
        view.remove();
    return true;
}

} // namespace qsotables
