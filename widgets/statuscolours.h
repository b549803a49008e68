#pragma once

#include <QColor>
#include <QString>

// The grounds that tell a status at a glance in grids, maps and the award window. The status
// letter is always drawn as well, so a printout or a colour-blind user still reads it.
namespace statuscolours {

inline const QColor confirmed{0xC8, 0xE6, 0xC9}; // "C": green
inline const QColor accredited{0xFF, 0xE0, 0x82}; // "A": gold

// The ground for a status text; an invalid colour (keep the widget's own) for anything else.
inline QColor groundFor(const QString &status)
{
    if (status == QLatin1String("C"))
        return confirmed;
    if (status == QLatin1String("A"))
        return accredited;
    return QColor();
}

} // namespace statuscolours
