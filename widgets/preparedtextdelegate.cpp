#include "preparedtextdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

namespace {

// Enough for every text a few screens of a grid show; the cache starts again beyond it.
constexpr qsizetype maximumTexts = 4096;

// One line of text from the left, with nothing beside it, as the grids show their cells; the one
// cell with the focus frame is left to the style. Word wrapping does not matter: only a text that
// fits its cell is drawn the quick way, and such a text is never wrapped.
bool isPlainLine(const QStyleOptionViewItem &option)
{
    constexpr auto extras = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    const Qt::Alignment horizontal = QStyle::visualAlignment(option.direction, option.displayAlignment)
                                     & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
    return (option.features & QStyleOptionViewItem::HasDisplay) && !(option.features & extras)
           && !(option.state & (QStyle::State_Editing | QStyle::State_HasFocus)) && horizontal == Qt::AlignLeft
           && !option.text.contains(QChar::LineFeed);
}

QPalette::ColorGroup colourGroup(const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (option.state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

} // namespace

void PreparedTextDelegate::showIn(QAbstractItemView *grid)
{
    grid->setItemDelegate(new PreparedTextDelegate(grid));
}

const QStaticText &PreparedTextDelegate::prepared(const QString &text, const QFont &font) const
{
    if (font != m_font || m_texts.size() >= maximumTexts) {
        m_texts.clear();
        m_font = font;
    }
    auto found = m_texts.find(text);
    if (found == m_texts.end()) {
        QStaticText staticText(text);
        staticText.setTextFormat(Qt::PlainText);
        staticText.setPerformanceHint(QStaticText::AggressiveCaching);
        staticText.prepare(QTransform(), font);
        found = m_texts.insert(text, staticText);
    }
    return *found;
}

void PreparedTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget *widget = cell.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = cell.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText *text = isPlainLine(cell) ? &prepared(cell.text, cell.font) : nullptr;
    if (!text || text->size().width() > textRect.width()) {
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        return;
    }
    // The ground or selection as the style draws it, then the text on top.
    painter->save();
    painter->setClipRect(cell.rect, Qt::IntersectClip); // a mark above a capital stays in its cell
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    const QRect line = QStyle::alignedRect(Qt::LeftToRight, cell.displayAlignment & Qt::AlignVertical_Mask,
                                           QSize(textRect.width(), int(text->size().height())), textRect);
    painter->setPen(cell.palette.color(colourGroup(cell), (cell.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                                 : QPalette::Text));
    painter->drawStaticText(line.topLeft(), *text);
    painter->restore();
}
