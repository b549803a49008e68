#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

class TableView;

// Shows the passing rows of a view in a grid. Each grid column names a table column and a title;
// a column name the table lacks shows empty cells.
class ViewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct GridColumn
    {
        QString field;
        QString title;
    };

    explicit ViewModel(QObject *parent = nullptr);
    void setView(TableView *view);
    TableView *view() const { return m_view; }
    void setColumns(std::vector<GridColumn> columns);
    void setColumn(int index, const GridColumn &column);
    const GridColumn &column(int index) const { return m_columns.at(size_t(index)); }
    // The table column shown in a grid column, or -1.
    int fieldIndex(int gridColumn) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void resolveFields();

    QPointer<TableView> m_view;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fields;
    bool m_resetting = false;
};
