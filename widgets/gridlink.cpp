#include "gridlink.h"

#include "engineguard.h"
#include "prompter.h"
#include "services.h"
#include "tableview.h"

#include <QHeaderView>
#include <QTableView>

GridLink::GridLink(QTableView *grid, std::vector<ViewModel::GridColumn> columns, TableView *view)
    : QObject(grid), m_grid(grid)
{
    m_model.setColumns(std::move(columns));
    grid->setModel(&m_model);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { moveCursor(current); });
    connect(&m_model, &ViewModel::editFailed, this, [](const QString &text) { services::prompter().error(text); });
    setView(view);
}

void GridLink::setView(TableView *view)
{
    if (m_model.view())
        disconnect(m_model.view(), nullptr, this, nullptr);
    m_model.setView(view);
    if (view)
        connect(view, &TableView::currentChanged, this, &GridLink::followCursor);
    followCursor();
}

void GridLink::followCursor()
{
    TableView *view = m_model.view();
    if (m_syncing || !view)
        return;
    const int row = view->isOpen() ? view->position() : -1;
    if (row < 0 || row >= m_model.rowCount())
        return;
    if (m_grid->currentIndex().row() == row)
        return;
    m_syncing = true;
    const int column = std::max(m_grid->currentIndex().column(), 0);
    m_grid->selectionModel()->setCurrentIndex(m_model.index(row, column),
                                              QItemSelectionModel::ClearAndSelect
                                                  | (m_grid->selectionBehavior() == QAbstractItemView::SelectRows
                                                         ? QItemSelectionModel::Rows
                                                         : QItemSelectionModel::NoUpdate));
    m_grid->scrollTo(m_model.index(row, column));
    m_syncing = false;
}

void GridLink::moveCursor(const QModelIndex &current)
{
    TableView *view = m_model.view();
    if (m_syncing || !view || !current.isValid() || !view->isOpen() || current.row() == view->position())
        return;
    m_syncing = true;
    reportEngineErrors([&] { view->moveTo(current.row()); });
    m_syncing = false;
}
