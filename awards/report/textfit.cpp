#include "textfit.h"

#include <QFontMetricsF>

namespace report {
namespace {

// Fonts are measured at a large pixel size, so that the result does not depend on the screen
// and its hinting; a text is kept this much narrower than its room for the printer's rounding.
constexpr int measuringPixels = 720;
constexpr double slack = 0.97;
constexpr double smallestPointSize = 5;

QFont measuringFont(const Font &font)
{
    QFont qfont(font.family);
    qfont.setPixelSize(measuringPixels);
    qfont.setBold(font.bold);
    return qfont;
}

double mmPerMeasuringPixel(const Font &font)
{
    return font.pointSize * 25.4 / 72 / measuringPixels;
}

double wrappedHeight(const QString &text, const Font &font, double width)
{
    const double scale = mmPerMeasuringPixel(font);
    const QFontMetricsF metrics(measuringFont(font));
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width / scale, 1e9), Qt::TextWordWrap, text);
    // A word longer than the line does not wrap: it counts as too high.
    if (bounds.width() > width / scale)
        return 1e9;
    return bounds.height() * scale;
}

Font sized(Font font, double pointSize)
{
    font.pointSize = pointSize;
    return font;
}

} // namespace

double textWidth(const QString &text, const Font &font)
{
    return QFontMetricsF(measuringFont(font)).horizontalAdvance(text) * mmPerMeasuringPixel(font);
}

double lineHeight(const Font &font)
{
    return QFontMetricsF(measuringFont(font)).height() * mmPerMeasuringPixel(font);
}

void fitText(Placed &text, const QSizeF &room)
{
    text.rect.setSize(room);
    text.wrapped = false;
    const double width = room.width() * slack;
    const double asked = text.font.pointSize;
    if (text.text.isEmpty() || textWidth(text.text, text.font) <= width)
        return;
    // A little smaller on one line first, then wrapped if the room has the height for it.
    const double smallestOnOneLine = std::max(smallestPointSize, asked * 0.75);
    for (double size = asked - 0.25; size >= smallestOnOneLine; size -= 0.25) {
        if (textWidth(text.text, sized(text.font, size)) <= width) {
            text.font.pointSize = size;
            return;
        }
    }
    // A single word, a callsign say, is never broken at its slashes or hyphens.
    const bool words = text.text.trimmed().contains(QLatin1Char(' '));
    for (double size = asked; words && size >= smallestPointSize; size -= 0.25) {
        if (wrappedHeight(text.text, sized(text.font, size), width) <= room.height()) {
            text.font.pointSize = size;
            text.wrapped = true;
            return;
        }
    }
    text.font.pointSize = asked * width / textWidth(text.text, text.font);
}

} // namespace report
