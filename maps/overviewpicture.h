#pragma once

#include "dokstate.h"
#include "geography.h"

#include <QWidget>
#include <map>

// The overview map `Ima`: Germany with its districts, each shaded by its share of DOKs with a
// QSO and marked with its letter, and Berlin enlarged in the top left corner. Drawn at run
// time, so it stays crisp at any size.
class OverviewPicture : public QWidget
{
    Q_OBJECT

public:
    explicit OverviewPicture(QWidget *parent = nullptr);

    void setShares(std::map<QChar, maps::DistrictShare> shares);
    // The district at a point of this widget; a null character outside every district.
    QChar districtAt(QPointF point) const;

signals:
    void districtClicked(QChar letter);
    // A null letter when the pointer has left every district.
    void districtHovered(QChar letter);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void hover(QChar letter);
    QColor fillFor(QChar letter) const;
    void drawDistricts(QPainter &painter, const QTransform &transform, bool withLetters) const;
    void drawLegend(QPainter &painter) const;

    const maps::Geography &m_geography;
    std::map<QChar, maps::DistrictShare> m_shares;
    QChar m_hovered;
};
