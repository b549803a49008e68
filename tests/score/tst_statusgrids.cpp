#include "controls.h"
#include "mainwindow.h"
#include "recalculation.h"
#include "refreshwindow.h"
#include "scorefixture.h"
#include "scriptedservices.h"
#include "statuscolours.h"
#include "statusdelegate.h"

#include <QStandardItemModel>
#include <QTimer>
#include <QtTest>

namespace {

// The colour drawn at the top left corner inside a cell, clear of its letter.
QColor groundOf(QTableView &grid, int row, int column)
{
    const QImage image = grid.viewport()->grab().toImage();
    const QRect cell = grid.visualRect(grid.model()->index(row, column));
    return image.pixelColor(cell.topLeft() + QPoint(2, 2));
}

} // namespace

class StatusGridsTest : public QObject
{
    Q_OBJECT

private slots:
    void aCellIsDrawnOnTheGroundOfItsStatus_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QColor>("ground");
        QTest::newRow("confirmed") << "C" << statuscolours::confirmed;
        QTest::newRow("accredited") << "A" << statuscolours::accredited;
        QTest::newRow("nothing") << "*" << QColor(Qt::white);
        QTest::newRow("a DOK code") << "A01" << QColor(Qt::white);
    }

    void aCellIsDrawnOnTheGroundOfItsStatus()
    {
        QFETCH(QString, status);
        QFETCH(QColor, ground);
        QStandardItemModel model(2, 2);
        model.setItem(1, 1, new QStandardItem(status));
        QTableView grid;
        grid.setSelectionMode(QAbstractItemView::NoSelection);
        grid.setFocusPolicy(Qt::NoFocus);
        QPalette palette = grid.palette();
        palette.setColor(QPalette::Base, Qt::white);
        grid.setPalette(palette);
        grid.setModel(&model);
        StatusDelegate::showIn(&grid);
        grid.resize(300, 100);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(groundOf(grid, 1, 1), ground);
        // The letter stays: colour is never the only sign of a status.
        QCOMPARE(grid.model()->index(1, 1).data().toString(), status);
    }

    void everyStatusGridOfTheProgramUsesTheDelegate()
    {
        ScriptedServices services;
        ScoreFixture data;
        data.addDoks({"A01"});
        data.addSavedQso("A01", "14", "SSB", "C");
        LogData &dm = data.open();
        Recalculation(dm).run();
        MainWindow main(dm, nullptr);
        for (const char *name : {"DOKDBG", "DBGdok", "DBGBand"})
            QVERIFY2(qobject_cast<StatusDelegate *>(child<QTableView>(main, name)->itemDelegate()), name);
        RefreshWindow refresh(dm, main.clockTimer());
        QVERIFY(qobject_cast<StatusDelegate *>(child<QTableView>(refresh, "DBGdok")->itemDelegate()));
    }
};

QTEST_MAIN(StatusGridsTest)
#include "tst_statusgrids.moc"
