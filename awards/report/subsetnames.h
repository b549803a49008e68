#pragma once

#include <QByteArray>

namespace report {

// Qt embeds only the glyphs a PDF uses and tags the font descriptor's name as a subset
// ("QXAAAA+LiberationSans"), but leaves the fonts' /BaseFont untagged, so readers report the
// fonts as whole. This gives every such /BaseFont its descriptor's tag and moves the
// cross-reference table's offsets to match. A PDF without tagged descriptors comes back as it was.
QByteArray withSubsetFontNames(const QByteArray &pdf);

} // namespace report
