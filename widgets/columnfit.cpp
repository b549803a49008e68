#include "columnfit.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

namespace columnfit {

int widthFor(const QTableView *grid, const QString &title, const QString &sample)
{
    const QHeaderView *header = grid->horizontalHeader();
    const int margin = 2 * (header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 1);
    const int titleWidth = header->fontMetrics().horizontalAdvance(title) + margin;
    // The item's text margins, the grid line, and a character's room so nothing is elided.
    const QFontMetrics metrics = grid->fontMetrics();
    const int textWidth = sample.isEmpty() ? 0
                                           : metrics.horizontalAdvance(sample) + metrics.averageCharWidth()
            + 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
    return std::max(titleWidth, textWidth);
}

void setAtLeast(QTableView *grid, int column, int designed, const QString &sample)
{
    const QString title = grid->model()->headerData(column, Qt::Horizontal).toString();
    grid->setColumnWidth(column, std::max(designed, widthFor(grid, title, sample)));
}

} // namespace columnfit
