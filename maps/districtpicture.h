#pragma once

#include "geography.h"

#include <QWidget>

class TableView;

// An invisible DOK area lying over a DOK number of a district map, named after its DOK.
class DokAreaWidget : public QWidget
{
    Q_OBJECT

public:
    DokAreaWidget(const maps::DokArea &area, QWidget *parent);

signals:
    void hovered(const QString &code);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};

// The map picture `Image1` of a district window at its natural size: the district's shape among
// its neighbours, with every DOK number at its place on a ground that tells the DOK's state.
class DistrictPicture : public QWidget
{
    Q_OBJECT

public:
    explicit DistrictPicture(QWidget *parent = nullptr);

    // The district to draw; its DOK areas become children of the picture. The states come from
    // the DOK view as it passes its rows when painted.
    void showDistrict(const maps::DistrictShape &district, const TableView &dok);
    QSize sizeHint() const override;

signals:
    void bareMapHovered();
    void dokAreaHovered(const QString &code);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    const maps::DistrictShape *m_district = nullptr;
    const TableView *m_dok = nullptr;
};
