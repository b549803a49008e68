#include "detailsplacement.h"

#include <QtTest>

class DetailsPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void theWindowGoesBesideTheMatrix_data()
    {
        QTest::addColumn<QRect>("matrix");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("placed");
        const QRect small(0, 0, 1024, 768);
        QTest::newRow("room on the right") << QRect(10, 120, 560, 500) << small << QSize(420, 260)
                                           << QRect(574, 120, 420, 260);
        QTest::newRow("room only on the left") << QRect(450, 120, 560, 500) << small << QSize(420, 260)
                                               << QRect(26, 120, 420, 260);
        QTest::newRow("narrowed on the wider side") << QRect(300, 120, 560, 500) << small << QSize(420, 260)
                                                    << QRect(0, 120, 296, 260);
        QTest::newRow("no taller than the room below") << QRect(10, 600, 560, 100) << small << QSize(420, 260)
                                                       << QRect(574, 600, 420, 168);
        QTest::newRow("screen not at the origin") << QRect(1700, 150, 560, 500) << QRect(1600, 0, 1600, 1000)
                                                  << QSize(420, 260) << QRect(2264, 150, 420, 260);
    }

    void theWindowGoesBesideTheMatrix()
    {
        QFETCH(QRect, matrix);
        QFETCH(QRect, area);
        QFETCH(QSize, wanted);
        QFETCH(QRect, placed);
        const QRect place = detailsPlacement(matrix, area, wanted);
        QCOMPARE(place, placed);
        QVERIFY(!place.intersects(matrix));
        QVERIFY(area.contains(place));
    }
};

QTEST_MAIN(DetailsPlacementTest)
#include "tst_detailsplacement.moc"
