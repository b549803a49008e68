#include "districtpicture.h"

#include "dokstate.h"
#include "mappainter.h"

#include <QPainter>

using namespace maps;

DokAreaWidget::DokAreaWidget(const DokArea &area, QWidget *parent) : QWidget(parent)
{
    setObjectName(area.code);
    setGeometry(area.rect);
    setMouseTracking(true);
}

void DokAreaWidget::mouseMoveEvent(QMouseEvent *)
{
    emit hovered(objectName());
}

DistrictPicture::DistrictPicture(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void DistrictPicture::showDistrict(const DistrictShape &district, const TableView &dok)
{
    m_district = &district;
    m_dok = &dok;
    setFixedSize(district.picture);
    for (const DokArea &area : district.doks) {
        auto *widget = new DokAreaWidget(area, this);
        connect(widget, &DokAreaWidget::hovered, this, &DistrictPicture::dokAreaHovered);
    }
    update();
}

QSize DistrictPicture::sizeHint() const
{
    return m_district ? m_district->picture : QSize(200, 200);
}

void DistrictPicture::mouseMoveEvent(QMouseEvent *)
{
    emit bareMapHovered();
}

void DistrictPicture::paintEvent(QPaintEvent *)
{
    if (!m_district)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), painter::sea);
    const QTransform toPicture = m_district->toPicture();
    // The neighbours in grey, so the district is seen in its place.
    painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0.8));
    painter.setBrush(QColor(0xE6, 0xE6, 0xE6));
    for (const DistrictShape &other : Geography::delivered().districts()) {
        if (other.letter != m_district->letter)
            painter.drawPath(toPicture.map(other.outline));
    }
    painter.setPen(QPen(painter::border, 1.5));
    painter.setBrush(painter::land);
    painter.drawPath(toPicture.map(m_district->outline));

    const QHash<QString, DokState> states = m_dok ? dokStates(*m_dok) : QHash<QString, DokState>();
    QFont font = painter.font();
    font.setBold(true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DokArea &area : m_district->doks) {
        const QRect box = area.rect.adjusted(0, 0, -1, -1);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.setBrush(painter::groundFor(states.value(area.code.toUpper(), DokState::NoQso)));
        painter.drawRect(box);
        font.setPixelSize(std::max(7, area.rect.height() * 11 / 20));
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(area.rect, Qt::AlignCenter, area.code.mid(1));
    }
    painter::drawCornerNote(painter, QRectF(rect()).adjusted(0, 0, -1, -1));
}
