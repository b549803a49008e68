#include "viewmodel.h"

#include "engineerror.h"
#include "tableview.h"

ViewModel::ViewModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void ViewModel::setView(TableView *view)
{
    if (view == m_view)
        return;
    beginResetModel();
    if (m_view)
        disconnect(m_view, nullptr, this, nullptr);
    m_view = view;
    if (m_view) {
        connect(m_view, &TableView::rowsAboutToChange, this, [this] {
            if (!m_resetting) {
                m_resetting = true;
                beginResetModel();
            }
        });
        connect(m_view, &TableView::rowsChanged, this, [this] {
            resolveFields();
            if (m_resetting) {
                m_resetting = false;
                endResetModel();
            }
        });
        connect(m_view, &TableView::rowChanged, this, [this](int row) {
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
    }
    resolveFields();
    endResetModel();
}

void ViewModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    resolveFields();
    endResetModel();
}

void ViewModel::setColumn(int index, const GridColumn &column)
{
    m_columns.at(size_t(index)) = column;
    resolveFields();
    emit headerDataChanged(Qt::Horizontal, index, index);
    if (rowCount() > 0)
        emit dataChanged(this->index(0, index), this->index(rowCount() - 1, index));
}

int ViewModel::fieldIndex(int gridColumn) const
{
    return gridColumn >= 0 && size_t(gridColumn) < m_fields.size() ? m_fields[size_t(gridColumn)] : -1;
}

void ViewModel::resolveFields()
{
    m_fields.assign(m_columns.size(), -1);
    if (!m_view || !m_view->isOpen())
        return;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_columns[i].field.isEmpty() && m_view->hasColumn(m_columns[i].field))
            m_fields[i] = m_view->columnIndex(m_columns[i].field);
    }
}

int ViewModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_view || m_resetting)
        return 0;
    return m_view->recordCount();
}

int ViewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ViewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_view || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int field = fieldIndex(index.column());
    if (field < 0)
        return QString();
    return m_view->textAt(index.row(), field);
}

QVariant ViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && size_t(section) < m_columns.size() ? m_columns[size_t(section)].title : QString();
    return {};
}

void ViewModel::setEditable(bool editable)
{
    m_editable = editable;
}

Qt::ItemFlags ViewModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid() && fieldIndex(index.column()) >= 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ViewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int field = fieldIndex(index.column());
    if (!m_editable || role != Qt::EditRole || !m_view || field < 0 || !index.isValid())
        return false;
    const QString text = value.toString();
    if (text == m_view->textAt(index.row(), field))
        return true;
    try {
        m_view->moveTo(index.row());
        m_view->edit();
        if (text.isEmpty())
            m_view->clear(m_view->columnName(field));
        else
            m_view->setText(field, text);
        m_view->post();
    } catch (const EngineError &error) {
        m_view->cancel();
        emit editFailed(error.text());
        return false;
    }
    return true;
}
