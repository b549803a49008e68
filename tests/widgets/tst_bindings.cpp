#include "connection.h"
#include "fieldlink.h"
#include "gridlink.h"
#include "tables.h"
#include "tableview.h"
#include "testdatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

// Grids and fields bound to a view follow its cursor, and move it.
class BindingsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<TableView> log;

private slots:
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Empty);
        db->execute("INSERT INTO LOG (call, dok, banda) VALUES ('DL1AAA', 'D01', '14'), ('DL2BBB', 'A01', '7'), "
                    "('DL3CCC', 'F12', '14')");
        connection = std::make_unique<Connection>(db->path(), schema::databasePassword);
        log = std::make_unique<TableView>(*connection, "LOG");
        log->setFiltered(true);
        log->setSort("dok");
        log->open();
    }

    void cleanup()
    {
        log.reset();
        connection.reset();
        db.reset();
    }

    void gridAndCursorMoveTogether()
    {
        QTableView grid;
        grid.setSelectionBehavior(QAbstractItemView::SelectRows);
        GridLink link(&grid, {{"dok", "DOK"}, {"call", "CALL"}}, log.get());
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.model()->index(0, 0).data().toString(), QStringLiteral("A01"));
        QCOMPARE(grid.currentIndex().row(), 0);

        log->locate("dok", {"F12"});
        QCOMPARE(grid.currentIndex().row(), 2);

        grid.setCurrentIndex(grid.model()->index(1, 1));
        QCOMPARE(log->text("call"), QStringLiteral("DL1AAA"));

        log->setFilter("banda='14'");
        QCOMPARE(grid.model()->rowCount(), 2);
        QCOMPARE(grid.currentIndex().row(), 0);
        QCOMPARE(grid.model()->index(1, 1).data().toString(), QStringLiteral("DL3CCC"));
    }

    void boundFieldsShowAndEditTheCurrentRow()
    {
        QLineEdit call;
        QLabel dok;
        FieldLink::bind(&call, *log, "call");
        FieldLink::bind(&dok, *log, "dok");
        QCOMPARE(call.text(), QStringLiteral("DL2BBB"));
        QCOMPARE(dok.text(), QStringLiteral("A01"));
        log->next();
        QCOMPARE(call.text(), QStringLiteral("DL1AAA"));
        QCOMPARE(dok.text(), QStringLiteral("D01"));

        call.selectAll();
        QTest::keyClicks(&call, "DK9ZZZ");
        QCOMPARE(log->state(), TableView::State::Edit);
        log->post();
        QCOMPARE(db->value("SELECT call FROM LOG WHERE dok='D01'"), QStringLiteral("DK9ZZZ"));

        call.selectAll();
        QTest::keyClick(&call, Qt::Key_Backspace);
        log->post();
        QCOMPARE(db->value("SELECT ifnull(call, 'null') FROM LOG WHERE dok='D01'"), QStringLiteral("null"));
    }
};

QTEST_MAIN(BindingsTest)
#include "tst_bindings.moc"
