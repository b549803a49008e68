#include "statusdelegate.h"

#include "statuscolours.h"

#include <QAbstractItemView>

void StatusDelegate::showIn(QAbstractItemView *grid)
{
    grid->setItemDelegate(new StatusDelegate(grid));
}

void StatusDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QColor ground = statuscolours::groundFor(index.data(Qt::DisplayRole).toString());
    if (ground.isValid()) {
        option->backgroundBrush = ground;
        // Dark text on the light grounds whatever the palette.
        option->palette.setColor(QPalette::Text, Qt::black);
    }
}
