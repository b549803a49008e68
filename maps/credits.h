#pragma once

#include <QString>
#include <QtGlobal>

namespace maps {

// Where the maps' geography comes from, for the about box.
inline const QString creditText = QStringLiteral(
    "District maps drawn from the GeoNames gazetteer (geonames.org, CC BY 4.0) and Germany's outline "
    "from the Digital Chart of the World (GMT's gmt-dcw). Borders are approximate; DOK positions "
    "are schematic.");

// Written in a corner of every map.
inline const char *const cornerNote = QT_TRANSLATE_NOOP("MapPainter", "borders approximate, DOK positions schematic");

} // namespace maps
