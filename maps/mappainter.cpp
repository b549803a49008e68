#include "mappainter.h"

#include "credits.h"
#include "statuscolours.h"

#include <QFontMetricsF>
#include <QPainter>

namespace maps::painter {

QColor groundFor(DokState state)
{
    switch (state) {
    case DokState::Worked: return statuscolours::confirmed;
    case DokState::Accredited: return statuscolours::accredited;
    case DokState::NoQso: break;
    }
    return Qt::white;
}

QString legendText(DokState state)
{
    switch (state) {
    case DokState::Worked: return QStringLiteral("worked");
    case DokState::Accredited: return QStringLiteral("accredited");
    case DokState::NoQso: break;
    }
    return QStringLiteral("no QSO");
}

QColor shareColour(double share)
{
    const QColor full(0x7C, 0xC3, 0x84);
    const double s = std::clamp(share, 0.0, 1.0);
    return QColor::fromRgbF(float(land.redF() + (full.redF() - land.redF()) * s),
                            float(land.greenF() + (full.greenF() - land.greenF()) * s),
                            float(land.blueF() + (full.blueF() - land.blueF()) * s));
}

void drawCornerNote(QPainter &painter, const QRectF &area)
{
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setItalic(true);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(cornerNote) + 6, metrics.height() + 2);
    const QRectF box(area.bottomRight() - QPointF(size.width(), size.height()), size);
    painter.fillRect(box, QColor(255, 255, 255, 190));
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(box, Qt::AlignCenter, cornerNote);
    painter.restore();
}

} // namespace maps::painter
