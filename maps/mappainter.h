#pragma once

#include "dokstate.h"

#include <QColor>
#include <QRectF>

class QPainter;

// The look shared by the overview and the district maps.
namespace maps::painter {

inline const QColor sea{0xDD, 0xEB, 0xF5};
inline const QColor land{0xF3, 0xEE, 0xDC};
inline const QColor border{0x6B, 0x5E, 0x4A};

// The ground of a DOK number by its state.
QColor groundFor(DokState state);
QString legendText(DokState state);
// A district's fill on the overview: from the land colour to green with the share of DOKs worked.
QColor shareColour(double share);

// The small note that borders and DOK positions are not exact, in the bottom right corner.
void drawCornerNote(QPainter &painter, const QRectF &area);

} // namespace maps::painter
