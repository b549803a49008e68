#pragma once

#include "layout.h"

#include <QSizeF>

// Sets texts into the room they are given: at the asked size when they fit on one line, else a
// little smaller, else wrapped between its words over the room's height, and as a last resort as
// small as it takes on one line.
// A text is never cut. Measures in millimetres.
namespace report {

// The width of the text on one line.
double textWidth(const QString &text, const Font &font);
// The height of one line of the font.
double lineHeight(const Font &font);

// Chooses the text's size and whether it wraps, so that it stands within room from its
// rectangle's top left corner; the rectangle becomes the room.
void fitText(Placed &text, const QSizeF &room);

} // namespace report
