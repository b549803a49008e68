#pragma once

#include "geography.h"

#include <QSizeF>

// Where the districts lie on the overview map drawn on a canvas of a given size: the whole
// country fitted into the canvas, and the insets (Berlin enlarged) in their frames.
namespace maps {

class OverviewHitTest
{
public:
    OverviewHitTest(const Geography &geography, QSizeF canvas);

    // From km to canvas pixels.
    const QTransform &transform() const { return m_transform; }
    // From the km of an inset's district to canvas pixels.
    QTransform insetTransform(const Inset &inset) const;
    QRectF insetFrame(const Inset &inset) const;
    // The letter of the district at a canvas point; a null character outside every district.
    QChar districtAt(QPointF point) const;

private:
    const Geography &m_geography;
    QTransform m_transform;
};

} // namespace maps
