#include "overviewpicture.h"

#include "mappainter.h"
#include "overviewhittest.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

using namespace maps;

OverviewPicture::OverviewPicture(QWidget *parent) : QWidget(parent), m_geography(Geography::delivered())
{
    setMouseTracking(true);
    setMinimumSize(240, 280);
}

void OverviewPicture::setShares(std::map<QChar, DistrictShare> shares)
{
    m_shares = std::move(shares);
    update();
}

QChar OverviewPicture::districtAt(QPointF point) const
{
    return OverviewHitTest(m_geography, size()).districtAt(point);
}

QColor OverviewPicture::fillFor(QChar letter) const
{
    const auto share = m_shares.find(letter);
    const double part = share == m_shares.end() || share->second.total == 0
                            ? 0.0 : double(share->second.withQso) / share->second.total;
    const QColor fill = painter::shareColour(part);
    return letter == m_hovered ? fill.darker(112) : fill;
}

void OverviewPicture::drawDistricts(QPainter &painter, const QTransform &transform, bool withLetters) const
{
    painter.setPen(QPen(painter::border, 0.8));
    for (const DistrictShape &district : m_geography.districts()) {
        painter.setBrush(fillFor(district.letter));
        painter.drawPath(transform.map(district.outline));
    }
    if (!withLetters)
        return;
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(9, int(height() / 40)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const DistrictShape &district : m_geography.districts()) {
        const QPointF at = transform.map(district.label);
        painter.drawText(QRectF(at - QPointF(12, 10), QSizeF(24, 20)), Qt::AlignCenter, QString(district.letter));
    }
}

void OverviewPicture::drawLegend(QPainter &painter) const
{
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(false);
    painter.setFont(font);
    const QRectF bar(8, height() - 38, 90, 10);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, painter::shareColour(0));
    gradient.setColorAt(1, painter::shareColour(1));
    painter.setPen(painter::border);
    painter.setBrush(gradient);
    painter.drawRect(bar);
    painter.drawText(QRectF(bar.left(), bar.bottom() + 1, 140, 14), Qt::AlignLeft, QCoreApplication::translate("MapPainter", "0 - 100 % of DOKs worked"));
}

void OverviewPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), painter::sea);
    const OverviewHitTest layout(m_geography, size());
    drawDistricts(painter, layout.transform(), true);
    for (const Inset &inset : m_geography.insets()) {
        const QRectF frame = layout.insetFrame(inset);
        painter.setPen(QPen(painter::border, 1));
        painter.setBrush(painter::sea);
        painter.drawRect(frame);
        painter.save();
        painter.setClipRect(frame);
        const QTransform enlarged = layout.insetTransform(inset);
        if (const DistrictShape *district = m_geography.district(inset.letter)) {
            painter.setPen(QPen(painter::border, 0.8));
            painter.setBrush(fillFor(inset.letter));
            painter.drawPath(enlarged.map(district->outline));
            painter.setPen(Qt::black);
            painter.drawText(frame, Qt::AlignCenter, QString(inset.letter));
        }
        painter.restore();
    }
    drawLegend(painter);
    painter::drawCornerNote(painter, QRectF(rect()).adjusted(0, 0, -2, -2));
}

void OverviewPicture::hover(QChar letter)
{
    if (letter == m_hovered)
        return;
    m_hovered = letter;
    update();
    emit districtHovered(letter);
}

void OverviewPicture::mouseMoveEvent(QMouseEvent *event)
{
    hover(districtAt(event->position()));
}

void OverviewPicture::leaveEvent(QEvent *)
{
    hover(QChar());
}

void OverviewPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QChar letter = districtAt(event->position());
    if (!letter.isNull())
        emit districtClicked(letter);
}
