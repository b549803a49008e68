#include "overviewhittest.h"

namespace maps {

OverviewHitTest::OverviewHitTest(const Geography &geography, QSizeF canvas)
    : m_geography(geography), m_transform(fitTransform(geography.overview(), QRectF(QPointF(0, 0), canvas)))
{
}

QRectF OverviewHitTest::insetFrame(const Inset &inset) const
{
    return m_transform.mapRect(inset.frame);
}

QTransform OverviewHitTest::insetTransform(const Inset &inset) const
{
    return fitTransform(inset.source, insetFrame(inset));
}

QChar OverviewHitTest::districtAt(QPointF point) const
{
    for (const Inset &inset : m_geography.insets()) {
        if (insetFrame(inset).contains(point))
            return inset.letter;
    }
    const QPointF km = m_transform.inverted().map(point);
    for (const DistrictShape &district : m_geography.districts()) {
        if (district.outline.contains(km))
            return district.letter;
    }
    return {};
}

} // namespace maps
