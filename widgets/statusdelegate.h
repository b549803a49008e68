#pragma once

#include "preparedtextdelegate.h"

class QAbstractItemView;

// Draws the cells of a status grid on the ground of their status ("C" green, "A" gold, "*" and
// everything else plain); the letter itself is drawn as always. One delegate for every grid
// that shows status cells.
class StatusDelegate : public PreparedTextDelegate
{
    Q_OBJECT

public:
    using PreparedTextDelegate::PreparedTextDelegate;

    // Gives a grid its status colours.
    static void showIn(QAbstractItemView *grid);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
