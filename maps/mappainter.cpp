#include "mappainter.h"

#include "credits.h"
#include "statuscolours.h"

#include <QCoreApplication>
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
    case DokState::Worked: return QCoreApplication::translate("MapPainter", "worked");
    case DokState::Accredited: return QCoreApplication::translate("MapPainter", "accredited");
    case DokState::NoQso: break;
    }
    return QCoreApplication::translate("MapPainter", "no QSO");
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
    const QString note = QCoreApplication::translate("MapPainter", cornerNote);
    const QSizeF size(metrics.horizontalAdvance(note) + 6, metrics.height() + 2);
    const QRectF box(area.bottomRight() - QPointF(size.width(), size.height()), size);
    painter.fillRect(box, QColor(255, 255, 255, 190));
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(box, Qt::AlignCenter, note);
    painter.restore();
}

} // namespace maps::painter
