#pragma once

#include <QRect>
#include <QSize>

// Where the QSO details window goes: beside the DOK matrix, never over it nor over the menus
// above it, and inside the screen area. Right of the matrix when the window fits there, else
// left of it, else on the wider side, narrowed to the room there. Its top is level with the
// matrix's top; it is no taller than the room below that.
QRect detailsPlacement(const QRect &matrix, const QRect &screenArea, const QSize &wanted);
