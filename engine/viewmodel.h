#pragma once

#include "tableview.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

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
    // Lets the user type into the cells of bound columns; each value is posted to its row at once.
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // A typed value could not be stored; the row keeps its old value.
    void editFailed(const QString &text);

private:
    void resolveFields();

    QPointer<TableView> m_view;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fields;
    bool m_resetting = false;
    bool m_editable = false;
};
