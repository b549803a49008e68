#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

class QAbstractItemView;

// Draws a grid's cells as the style does, but lays each cell text out only once: a grid over a
// large log repaints the same few hundred texts on every filter change, and shaping them again
// each time is most of what a repaint costs. Cells the quick way cannot draw exactly as the style
// would (elided, multi-line, not from the left, with an icon or check box, being edited) go to the
// style.
class PreparedTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static void showIn(QAbstractItemView *grid);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const QStaticText &prepared(const QString &text, const QFont &font) const;

    mutable QFont m_font;
    mutable QHash<QString, QStaticText> m_texts;
};
