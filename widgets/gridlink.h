#pragma once

#include "viewmodel.h"

#include <QObject>
#include <QPointer>

class QTableView;
class TableView;

// Shows a view in a grid and keeps the grid's current row and the view's cursor together.
class GridLink : public QObject
{
    Q_OBJECT

public:
    GridLink(QTableView *grid, std::vector<ViewModel::GridColumn> columns, TableView *view = nullptr);
    void setView(TableView *view);
    TableView *view() const { return m_model.view(); }
    ViewModel &model() { return m_model; }

private:
    void followCursor();
    void moveCursor(const QModelIndex &current);

    QTableView *m_grid;
    ViewModel m_model;
    bool m_syncing = false;
};
