#include "connection.h"
#include "engineerror.h"
#include "faultydisk.h"
#include "statement.h"
#include "tableview.h"
#include "textcompare.h"
#include "testdatabase.h"
#include "viewmodel.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <functional>

namespace {

// A few QSOs in LOG, in insertion order.
const char *const fixture =
    "INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, spec, mhz) VALUES"
    " ('DL1AAA', 'Berlin', '01/02/2020', '14', 'SSB', 'D01', 'C', NULL, 14),"
    " ('DK2BBB', 'Koeln', '02/02/2020', '3.5', 'CW', 'G04', 'A', NULL, 3),"
    " ('DA0XYZ', 'O''Brien Hill', '03/02/2020', '144', 'FM', 'a01', 'C', 'S', 144),"
    " ('DL3CCC', NULL, '04/02/2020', '1.8', 'CW', 'A01', '*', NULL, 1),"
    " ('DL4DDD', 'Hamburg', '05/02/2020', '14', 'CW', 'E05', 'C', NULL, 14)";

QStringList calls(TableView &view)
{
    QStringList out;
    for (int i = 0; i < view.recordCount(); ++i)
        out << view.textAt(i, view.columnIndex(QStringLiteral("call")));
    return out;
}

} // namespace

class EngineTest : public QObject
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
        db->execute(QString::fromLatin1(fixture));
        connection = std::make_unique<Connection>(db->path(), QStringLiteral("vqt38KX"));
        log = std::make_unique<TableView>(*connection, QStringLiteral("LOG"));
        log->setFiltered(true);
        log->open();
    }

    void cleanup()
    {
        log.reset();
        connection.reset();
        db.reset();
    }

    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty passes all") << "" << QStringList{"DL1AAA", "DK2BBB", "DA0XYZ", "DL3CCC", "DL4DDD"};
        QTest::newRow("equal") << "banda='14'" << QStringList{"DL1AAA", "DL4DDD"};
        QTest::newRow("not equal") << "conf<>'C'" << QStringList{"DK2BBB", "DL3CCC"};
        QTest::newRow("less, text") << "dok<'B'" << QStringList{"DA0XYZ", "DL3CCC"};
        QTest::newRow("greater, text") << "dok>'E'" << QStringList{"DK2BBB", "DL4DDD"};
        QTest::newRow("numbers compare as numbers") << "mhz>3" << QStringList{"DL1AAA", "DA0XYZ", "DL4DDD"};
        QTest::newRow("case ignored") << "dok='A01'" << QStringList{"DA0XYZ", "DL3CCC"};
        QTest::newRow("doubled quote") << "loc='O''Brien Hill'" << QStringList{"DA0XYZ"};
        QTest::newRow("null") << "spec=null" << QStringList{"DL1AAA", "DK2BBB", "DL3CCC", "DL4DDD"};
        QTest::newRow("not null") << "loc<>null and spec<>NULL" << QStringList{"DA0XYZ"};
        QTest::newRow("null never equals a value") << "loc<>'Berlin'" << QStringList{"DK2BBB", "DA0XYZ", "DL4DDD"};
        QTest::newRow("and") << "banda='14' and modo='CW'" << QStringList{"DL4DDD"};
        QTest::newRow("or") << "modo='FM' or conf='A'" << QStringList{"DK2BBB", "DA0XYZ"};
        QTest::newRow("and binds before or") << "modo='FM' or modo='CW' and banda='14'" << QStringList{"DA0XYZ", "DL4DDD"};
        QTest::newRow("parentheses, no space after quote")
            << "(dok='A01' and banda='1.8') or (dok='E05'and modo='CW')" << QStringList{"DL3CCC", "DL4DDD"};
        QTest::newRow("keywords in any case") << "modo='FM' OR Modo='ssb'" << QStringList{"DL1AAA", "DA0XYZ"};
    }

    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        log->setFilter(filter);
        QCOMPARE(calls(*log), expected);
        QCOMPARE(log->recordCount(), expected.size());
    }

    void filterSwitchIsSeparateFromItsText()
    {
        log->setFilter(QStringLiteral("banda='14'"));
        log->setFiltered(false);
        QCOMPARE(log->recordCount(), 5);
        QCOMPARE(log->filter(), QStringLiteral("banda='14'"));
        log->setFiltered(true);
        QCOMPARE(log->recordCount(), 2);
    }

    void malformedFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("value missing") << "dok=" << "Invalid filter";
        QTest::newRow("unquoted text") << "dok=A01" << "quoted value";
        QTest::newRow("open quote") << "dok='A01" << "unterminated";
        QTest::newRow("unknown column") << "nosuch='x'" << "unknown column \"nosuch\"";
        QTest::newRow("missing parenthesis") << "(dok='A01'" << "missing \")\"";
        QTest::newRow("dangling and") << "dok='A01' and" << "column name is missing";
        QTest::newRow("null with less") << "dok<null" << "null";
        QTest::newRow("stray character") << "dok='A01' ; drop table LOG" << "unexpected";
    }

    void malformedFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, fragment);
        log->setFilter(QStringLiteral("banda='14'"));
        try {
            log->setFilter(filter);
            QFAIL("no engine error");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains(fragment), qPrintable(error.text()));
        }
        // The previous filter stays in force.
        QCOMPARE(log->filter(), QStringLiteral("banda='14'"));
        QCOMPARE(log->recordCount(), 2);
    }

    void filterErrorQuotesTheUserTextAsTyped_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("marker in an open quote")
            << "dok='%1" << "Invalid filter \"dok='%1\": unterminated quoted value at position 5.";
        QTest::newRow("markers at the start")
            << "%2%3='x'" << "Invalid filter \"%2%3='x'\": unexpected character \"%\" at position 1.";
        QTest::newRow("marker in a column name")
            << "[a%1]='x'" << "Invalid filter \"[a%1]='x'\": unknown column \"a%1\" at position 6.";
        QTest::newRow("marker after a comparison")
            << "dok='A01' and %1" << "Invalid filter \"dok='A01' and %1\": unexpected character \"%\" at position 15.";
    }

    void filterErrorQuotesTheUserTextAsTyped()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        try {
            log->setFilter(filter);
            QFAIL("no engine error");
        } catch (const EngineError &error) {
            QCOMPARE(error.text(), expected);
        }
    }

    void sortOrders_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("case-insensitive, ties in insertion order")
            << "dok" << QStringList{"DA0XYZ", "DL3CCC", "DL1AAA", "DL4DDD", "DK2BBB"};
        QTest::newRow("numeric, comma separated") << "mhz,modo" << QStringList{"DL3CCC", "DK2BBB", "DL4DDD", "DL1AAA", "DA0XYZ"};
        QTest::newRow("semicolon separated, nulls first") << "spec;dok" << QStringList{"DL3CCC", "DL1AAA", "DL4DDD", "DK2BBB", "DA0XYZ"};
    }

    void sortOrders()
    {
        QFETCH(QString, sort);
        QFETCH(QStringList, expected);
        log->setSort(sort);
        QCOMPARE(calls(*log), expected);
    }

    // Texts the sort places by their first bytes and texts it must compare whole (longer than
    // eight bytes alike, beyond ASCII, of different lengths) end up as comparing them whole would.
    void sortAgreesWithComparingTextsWhole()
    {
        const QStringList texts{QStringLiteral("abcdefghZ"), QStringLiteral("b"), QStringLiteral("ABCDEFGH0"),
                                QStringLiteral("\u00e4rger"), QStringLiteral("Ab"), QStringLiteral("a"),
                                QStringLiteral("abcdefgh"), QStringLiteral("\u00c4b"), QStringLiteral("a b"),
                                QStringLiteral("AB"), QStringLiteral("zz\u00fc"), QStringLiteral("zz"), QStringLiteral("_x"),
                                QStringLiteral("abcdefgh1\u00df")};
        Statement insert(*connection, QStringLiteral("INSERT INTO LOG (call, loc) VALUES (?, ?)"));
        for (int i = 0; i < texts.size(); ++i)
            insert.bind(1, QStringLiteral("X%1").arg(i)).bind(2, texts[i]).run();
        log->refresh();
        log->setFilter(QStringLiteral("call>'X'"));
        log->setSort(QStringLiteral("loc"));
        QStringList expected = texts;
        std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
            return textcompare::compareNoCase(a.toStdString(), b.toStdString()) < 0;
        });
        QStringList sorted;
        for (int i = 0; i < log->recordCount(); ++i)
            sorted << log->textAt(i, log->columnIndex(QStringLiteral("loc")));
        QCOMPARE(sorted, expected);
    }

    void unknownSortColumnIsAnEngineError()
    {
        QVERIFY_THROWS_EXCEPTION(EngineError, log->setSort(QStringLiteral("dok;nosuch")));
    }

    void locate_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("partial");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << "dok" << QStringList{"e05"} << false << "DL4DDD";
        QTest::newRow("exact needs the whole text") << "dok" << QStringList{"E0"} << false << "";
        QTest::newRow("prefix") << "dok" << QStringList{"g"} << true << "DK2BBB";
        QTest::newRow("first match in view order") << "dok" << QStringList{"A01"} << false << "DA0XYZ";
        QTest::newRow("several columns") << "dok;banda;modo" << QStringList{"A01", "1.8", "CW"} << false << "DL3CCC";
        QTest::newRow("no match") << "dok;banda" << QStringList{"A01", "14"} << false << "";
    }

    void locate()
    {
        QFETCH(QString, columns);
        QFETCH(QStringList, values);
        QFETCH(bool, partial);
        QFETCH(QString, found);
        log->setSort(QStringLiteral("dok"));
        log->first();
        log->next();
        const QString before = log->text(QStringLiteral("call"));
        QCOMPARE(log->locate(columns, values, partial), !found.isEmpty());
        QCOMPARE(log->text(QStringLiteral("call")), found.isEmpty() ? before : found);
    }

    void locateSeesOnlyPassingRows()
    {
        log->setFilter(QStringLiteral("modo='CW'"));
        QVERIFY(!log->locate(QStringLiteral("dok"), {QStringLiteral("D01")}));
        QVERIFY(log->locate(QStringLiteral("dok"), {QStringLiteral("a0")}, true));
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("DL3CCC"));
    }

    void firstNextAndEof()
    {
        log->setFilter(QStringLiteral("banda='14'"));
        log->first();
        QVERIFY(!log->eof());
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("DL1AAA"));
        log->next();
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("DL4DDD"));
        log->next();
        QVERIFY(log->eof());
        log->setFilter(QStringLiteral("banda='50'"));
        QVERIFY(log->eof());
        QCOMPARE(log->text(QStringLiteral("call")), QString());
    }

    void columnsByPositionAndName()
    {
        QCOMPARE(log->columnCount(), 10);
        QCOMPARE(log->columnName(0), QStringLiteral("id"));
        QCOMPARE(log->columnName(9), QStringLiteral("mhz"));
        QCOMPARE(log->columnIndex(QStringLiteral("BANDA")), 4);
        log->first();
        QCOMPARE(log->text(QStringLiteral("CALL")), QStringLiteral("DL1AAA"));
        try {
            log->text(QStringLiteral("nosuch"));
            QFAIL("no engine error");
        } catch (const EngineError &error) {
            QCOMPARE(error.text(), QStringLiteral("Field 'nosuch' not found in table 'LOG'."));
        }
    }

    void valueKinds()
    {
        log->locate(QStringLiteral("call"), {QStringLiteral("DL3CCC")});
        QCOMPARE(log->text(QStringLiteral("loc")), QString());
        QVERIFY(log->isNull(QStringLiteral("loc")));
        QCOMPARE(log->integer(QStringLiteral("mhz")), 1);

        TableView info(*connection, QStringLiteral("INFO"));
        TableView riep(*connection, QStringLiteral("RIEP"));
        info.open();
        riep.open();
        QVERIFY(info.boolean(QStringLiteral("sound")));
        const QDateTime stamp(QDate(2004, 3, 5), QTime(21, 7, 30));
        riep.edit();
        riep.setDateTime(QStringLiteral("dataagg"), stamp);
        riep.setInteger(QStringLiteral("CT14"), 300);
        riep.post();
        info.edit();
        info.setBoolean(QStringLiteral("sound"), false);
        info.setText(QStringLiteral("call"), QStringLiteral("IK2XYZ"));
        info.post();
        info.edit();
        info.clear(QStringLiteral("call"));
        info.post();
        riep.refresh();
        info.refresh();
        QCOMPARE(riep.dateTime(QStringLiteral("dataagg")), stamp);
        QCOMPARE(riep.integer(QStringLiteral("ct14")), 300);
        QVERIFY(!info.boolean(QStringLiteral("sound")));
        QVERIFY(info.isNull(QStringLiteral("call")));
        QCOMPARE(db->value(QStringLiteral("SELECT typeof(sound) || sound FROM INFO")), QStringLiteral("integer0"));
    }

    // A table large enough to be read and stored on two threads holds every value as SQLite has
    // it: nulls, empty texts, texts of almost a megabyte, and an integer column that meets a text
    // and a real late in the table.
    void aLargeTableReadsBackAsItIsOnDisk()
    {
        db->execute(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
            "INSERT INTO LOG (call, loc, dok, banda, mhz) SELECT 'DL' || (i % 9973) || 'X', "
            "CASE WHEN i % 7 = 0 THEN NULL WHEN i % 11 = 0 THEN '' "
            "WHEN i BETWEEN 30001 AND 30030 THEN replace(hex(zeroblob(100000)), '00', 'long QTH ') "
            "ELSE 'QTH ' || (i % 313) END, "
            "char(65 + i % 26) || printf('%02d', i % 37), CASE i % 3 WHEN 0 THEN '14' WHEN 1 THEN '7' ELSE '3.5' END, "
            "CASE WHEN i = 35001 THEN 'about 7' WHEN i = 38002 THEN 7.25 WHEN i % 13 = 0 THEN NULL ELSE i % 500 END "
            "FROM n"));
        TableView view(*connection, QStringLiteral("LOG"));
        view.open();
        QCOMPARE(view.recordCount(), db->value(QStringLiteral("SELECT count(*) FROM LOG")).toInt());
        QString shown;
        for (int row = 0; row < view.recordCount(); ++row) {
            view.moveTo(row);
            for (int column = 0; column < view.columnCount(); ++column) {
                shown += view.columnName(column) + QLatin1Char('=')
                         + (view.isNull(view.columnName(column)) ? QStringLiteral("<null>") : view.text(column))
                         + QLatin1Char(' ');
            }
            shown += QLatin1Char('\n');
        }
        const QString onDisk = db->table(QStringLiteral("LOG"));
        QCOMPARE(shown.count(QLatin1Char('\n')), onDisk.count(QLatin1Char('\n')));
        QVERIFY(shown == onDisk);
        QVERIFY(onDisk.contains(QStringLiteral("mhz=about 7 ")) && onDisk.contains(QStringLiteral("mhz=7.25 ")));
    }

    void appendPostGivesIdAtOnceAndStaysOnTheRow()
    {
        log->setSort(QStringLiteral("dok"));
        log->setFilter(QStringLiteral("banda='14'"));
        log->append();
        log->setText(QStringLiteral("call"), QStringLiteral("DL9NEW"));
        log->setText(QStringLiteral("dok"), QStringLiteral("B12"));
        log->setText(QStringLiteral("banda"), QStringLiteral("7"));
        log->setInteger(QStringLiteral("mhz"), 7);
        log->post();
        QCOMPARE(log->integer(QStringLiteral("id")), 6);
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("DL9NEW"));
        QCOMPARE(db->value(QStringLiteral("SELECT call FROM LOG WHERE id=6")), QStringLiteral("DL9NEW"));
        // Setting the filter again applies it to the new row too.
        log->setFilter(QStringLiteral("banda='14'"));
        QCOMPARE(calls(*log), (QStringList{"DL1AAA", "DL4DDD"}));
    }

    void editPostAndCancel()
    {
        log->locate(QStringLiteral("call"), {QStringLiteral("DL1AAA")});
        log->edit();
        log->setText(QStringLiteral("conf"), QStringLiteral("A"));
        QCOMPARE(log->text(QStringLiteral("conf")), QStringLiteral("A"));
        log->post();
        QCOMPARE(db->value(QStringLiteral("SELECT conf FROM LOG WHERE call='DL1AAA'")), QStringLiteral("A"));
        log->edit();
        log->setText(QStringLiteral("conf"), QStringLiteral("*"));
        log->cancel();
        QCOMPARE(log->text(QStringLiteral("conf")), QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(EngineError, log->setText(QStringLiteral("conf"), QStringLiteral("C")));
    }

    void movingPostsAPendingEdit()
    {
        log->first();
        log->edit();
        log->setText(QStringLiteral("loc"), QStringLiteral("Spandau"));
        log->next();
        QCOMPARE(log->state(), TableView::State::Browse);
        QCOMPARE(db->value(QStringLiteral("SELECT loc FROM LOG WHERE call='DL1AAA'")), QStringLiteral("Spandau"));
    }

    void deleteAndRefresh()
    {
        log->locate(QStringLiteral("call"), {QStringLiteral("DK2BBB")});
        log->remove();
        QCOMPARE(log->recordCount(), 4);
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("DA0XYZ"));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM LOG")), QStringLiteral("4"));
        db->execute(QStringLiteral("INSERT INTO LOG (call) VALUES ('OUTSIDE')"));
        QCOMPARE(log->recordCount(), 4);
        log->refresh();
        QCOMPARE(log->recordCount(), 5);
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("DA0XYZ"));
    }

    void placeholderRowIsHiddenByItsFilter()
    {
        TableView band(*connection, QStringLiteral("LOG14"));
        band.setFiltered(true);
        band.setFilter(QStringLiteral("dok<>'*'"));
        band.open();
        QCOMPARE(band.recordCount(), 0);
        band.setFiltered(false);
        QCOMPARE(band.recordCount(), 1);
        QCOMPARE(band.text(QStringLiteral("dok")), QStringLiteral("*"));
    }

    void tableNameChangesOnlyWhileClosed()
    {
        TableView band(*connection, QStringLiteral("LOG14"));
        band.open();
        QVERIFY_THROWS_EXCEPTION(EngineError, band.setTableName(QStringLiteral("LOG7")));
        band.close();
        band.setTableName(QStringLiteral("LOG7"));
        band.open();
        QCOMPARE(band.tableName(), QStringLiteral("LOG7"));
        band.close();
        band.setTableName(QStringLiteral("LOG99"));
        QVERIFY_THROWS_EXCEPTION(EngineError, band.open());
        QVERIFY(!band.isOpen());
    }

    void disconnectClosesEveryView()
    {
        TableView info(*connection, QStringLiteral("INFO"));
        info.open();
        connection->disconnect();
        QVERIFY(!log->isOpen());
        QVERIFY(!info.isOpen());
        QVERIFY(!connection->isConnected());
        connection->execute(QStringLiteral("UPDATE LOG SET conf='*' WHERE id>0"));
        QVERIFY(connection->isConnected());
    }

    void rolledBackTransactionLeavesDiskAndViewsAsBefore()
    {
        TableView info(*connection, QStringLiteral("INFO"));
        info.open();
        try {
            Transaction transaction(*connection);
            log->append();
            log->setText(QStringLiteral("call"), QStringLiteral("GHOST"));
            log->post();
            info.edit();
            info.setText(QStringLiteral("call"), QStringLiteral("GHOST"));
            info.post();
            throw EngineError(QStringLiteral("disk full"));
        } catch (const EngineError &) {
        }
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM LOG")), QStringLiteral("5"));
        QCOMPARE(log->recordCount(), 5);
        QVERIFY(!calls(*log).contains(QStringLiteral("GHOST")));
        QCOMPARE(info.text(QStringLiteral("call")), QString());
        QCOMPARE(info.state(), TableView::State::Browse);
    }

    void failingDiskDuringATransactionLeavesTheViewUnusable_data()
    {
        QTest::addColumn<int>("goodWrites");
        QTest::newRow("first write") << 0;
        QTest::newRow("second write") << 1;
        QTest::newRow("at the commit") << 3;
    }

    void failingDiskDuringATransactionLeavesTheViewUnusable()
    {
        QFETCH(int, goodWrites);
        const QString before = db->table(QStringLiteral("LOG"));
        FaultyDisk disk;
        Connection onDisk(db->path(), QStringLiteral("vqt38KX"));
        TableView view(onDisk, QStringLiteral("LOG"));
        view.open();
        disk.failAfterWrites(goodWrites);
        try {
            Transaction transaction(onDisk);
            for (const char *call : {"DL7NEW", "DL8NEW"}) {
                view.append();
                view.setText(QStringLiteral("call"), QString::fromLatin1(call));
                view.post();
            }
            transaction.commit();
            QFAIL("the transaction reported no error");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains(QStringLiteral("disk I/O error")), qPrintable(error.text()));
        }
        QVERIFY(disk.refusals() > 0);
        // No stale rows: the view holds none, and every use says why.
        QVERIFY(!view.isOpen());
        QCOMPARE(view.recordCount(), 0);
        QCOMPARE(view.unusableReason(), QStringLiteral("Cannot read table 'LOG': disk I/O error"));
        for (const auto &use : std::initializer_list<std::function<void()>>{
                 [&] { view.text(QStringLiteral("call")); }, [&] { view.first(); }, [&] { view.append(); },
                 [&] { view.refresh(); }}) {
            try {
                use();
                QFAIL("an unusable view was used");
            } catch (const EngineError &error) {
                QCOMPARE(error.text(), view.unusableReason());
            }
        }
        disk.heal();
        QCOMPARE(db->table(QStringLiteral("LOG")), before);
        // Opening it again re-reads the table once the disk is back.
        view.open();
        QVERIFY(view.unusableReason().isEmpty());
        QCOMPARE(calls(view), (QStringList{"DL1AAA", "DK2BBB", "DA0XYZ", "DL3CCC", "DL4DDD"}));
    }

    void committedTransactionIsOnDisk()
    {
        Transaction transaction(*connection);
        log->append();
        log->setText(QStringLiteral("call"), QStringLiteral("KEPT"));
        log->post();
        transaction.commit();
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM LOG WHERE call='KEPT'")), QStringLiteral("1"));
    }

    void failingStatementIsAnEngineError()
    {
        db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON LOG BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        log->append();
        log->setText(QStringLiteral("call"), QStringLiteral("X"));
        try {
            log->post();
            QFAIL("no engine error");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains(QStringLiteral("disk full")), qPrintable(error.text()));
        }
        QCOMPARE(log->state(), TableView::State::Insert);
        QVERIFY_THROWS_EXCEPTION(EngineError, connection->execute(QStringLiteral("UPDATE nosuch SET a=1")));
    }

    // Texts bound to a statement stay as they were bound until it runs, however long they are,
    // and the next row binds its own.
    void statementWritesTheTextsBoundForEachRow()
    {
        Statement insert(*connection, QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, spec, mhz) "
                                                     "VALUES (?,?,?,?,?,?,?,?,?)"));
        const QString longPlace = QStringLiteral("Gro\u00df Vollstedt an der Eider, Schleswig-Holstein");
        insert.bind(1, QStringLiteral("DL1ABC")).bind(2, longPlace).bind(3, QStringLiteral("06/02/2020"))
            .bind(4, QStringLiteral("14")).bind(5, QStringLiteral("SSB")).bindUtf8(6, QByteArray("XMAS2025JUBILEE"))
            .bind(7, QStringLiteral("C")).bind(8, QString(), true).bind(9, 14).run();
        insert.bind(1, QStringLiteral("DK9Z")).bind(2, QString(), true).bind(3, QStringLiteral("07/02/2020"))
            .bind(4, QStringLiteral("433")).bind(5, QStringLiteral("FM")).bind(6, QStringLiteral("\u00dc12"))
            .bind(7, QStringLiteral("*")).bind(8, QStringLiteral("S")).bind(9, 433).run();
        QCOMPARE(db->value(QStringLiteral("SELECT group_concat(call||'|'||ifnull(loc,'null')||'|'||data||'|'||banda||'|'||modo"
                                          "||'|'||dok||'|'||conf||'|'||ifnull(spec,'null')||'|'||mhz, ';') "
                                          "FROM (SELECT * FROM LOG WHERE id > 5 ORDER BY id)")),
                 QStringLiteral("DL1ABC|Gro\u00df Vollstedt an der Eider, Schleswig-Holstein|06/02/2020|14|SSB|XMAS2025JUBILEE|C|null|14;"
                                "DK9Z|null|07/02/2020|433|FM|\u00dc12|*|S|433"));
    }

    void statementKeepsDoubleQuotedValues()
    {
        TestDatabase delivered;
        Connection other(delivered.path(), QStringLiteral("vqt38KX"));
        other.execute(QStringLiteral("update dok set T50=\"C\",CONF=\"C\" where id>0"));
        QCOMPARE(delivered.value(QStringLiteral("SELECT count(*) FROM DOK WHERE T50='C' AND CONF='C'")),
                 delivered.value(QStringLiteral("SELECT count(*) FROM DOK")));
    }

    void password()
    {
        Connection wrong(db->path(), QStringLiteral("vqt38kx"));
        try {
            wrong.connect();
            QFAIL("connected with a wrong password");
        } catch (const EngineError &error) {
            QCOMPARE(error.text(), QStringLiteral("Not a valid password."));
        }
        QVERIFY(!wrong.isConnected());
    }

    void connectingNamesTheTrueCause_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero-byte file") << "empty" << "log.mdb is not a database of this program.";
        QTest::newRow("other SQLite file") << "foreign" << "log.mdb is not a database of this program.";
        QTest::newRow("held by another program") << "locked" << "log.mdb is in use by another program.";
        QTest::newRow("wrong password") << "password" << "Not a valid password.";
    }

    void connectingNamesTheTrueCause()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        const QString path = QDir(db->folder()).filePath(QStringLiteral("log.mdb"));
        QFile::copy(db->path(), path);
        std::unique_ptr<Connection> holder;
        if (kind == "empty") {
            QFile::resize(path, 0);
        } else if (kind == "foreign") {
            QFile::remove(path);
            Connection::create(path, QStringLiteral("vqt38KX"));
            Connection(path, QStringLiteral("vqt38KX")).execute(QStringLiteral("DROP TABLE wzp_access; CREATE TABLE notes (t TEXT)"));
        } else if (kind == "locked") {
            holder = std::make_unique<Connection>(path, QStringLiteral("vqt38KX"));
            holder->execute(QStringLiteral("BEGIN EXCLUSIVE"));
        }
        const QByteArray before = TestDatabase::fileBytes(path);
        Connection connection(path, kind == "password" ? QStringLiteral("wrong") : QStringLiteral("vqt38KX"));
        try {
            connection.connect();
            QFAIL("connected");
        } catch (const EngineError &error) {
            QCOMPARE(error.text(), expected);
        }
        QVERIFY(!connection.isConnected());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void aReadOnlyConnectionReadsButRefusesEveryWriteWithItsReason()
    {
        const QByteArray before = TestDatabase::fileBytes(db->path());
        const QString reason = QStringLiteral("Nothing can be saved: the folder cannot be written.");
        Connection reader(db->path(), QStringLiteral("vqt38KX"));
        reader.setReadOnly(reason);
        TableView view(reader, QStringLiteral("LOG"));
        view.open();
        QCOMPARE(view.recordCount(), 5);
        const auto refused = [&](const std::function<void()> &write) {
            try {
                write();
            } catch (const EngineError &error) {
                return error.text();
            }
            return QStringLiteral("written");
        };
        QCOMPARE(refused([&] { Transaction transaction(reader); }), reason);
        QCOMPARE(refused([&] {
                     view.append();
                     view.setText(QStringLiteral("call"), QStringLiteral("DL9NEW"));
                     view.post();
                 }),
                 reason);
        QCOMPARE(refused([&] {
                     view.cancel();
                     view.first();
                     view.remove();
                 }),
                 reason);
        QCOMPARE(view.recordCount(), 5);
        QCOMPARE(refused([&] { reader.setReadOnly(QString()); }),
                 QStringLiteral("The database cannot be made read-only while it is connected."));
        reader.disconnect();
        QCOMPARE(TestDatabase::fileBytes(db->path()), before);
    }

    void aSaveBlockedByAnotherProgramNamesIt()
    {
        const QString path = db->path();
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("log.mdb"));
        Connection ours(path, QStringLiteral("vqt38KX"));
        TableView view(ours, QStringLiteral("LOG"));
        view.open();
        Connection other(path, QStringLiteral("vqt38KX"));
        other.execute(QStringLiteral("BEGIN EXCLUSIVE"));
        try {
            Transaction transaction(ours);
            QFAIL("began while another program held the file");
        } catch (const EngineError &error) {
            QCOMPARE(error.text(), QStringLiteral("log.mdb is in use by another program (database is locked)."));
        }
        other.execute(QStringLiteral("ROLLBACK"));
        Transaction transaction(ours);
        view.append();
        view.setText(QStringLiteral("call"), QStringLiteral("DL9NEW"));
        view.post();
        transaction.commit();
        QCOMPARE(view.recordCount(), 6);
    }

    void aFailingColumnReadIsReportedAsIt()
    {
        FaultyDisk disk;
        Connection onDisk(db->path(), QStringLiteral("vqt38KX"));
        onDisk.connect();
        TableView view(onDisk, QStringLiteral("DOK"));
        disk.failAfterWrites(0);
        onDisk.execute(QStringLiteral("SELECT 1")); // no write: reads still work until the first write
        try {
            Transaction transaction(onDisk);
            onDisk.execute(QStringLiteral("INSERT INTO LOG (call) VALUES ('DL9X')"));
            QFAIL("the write went through");
        } catch (const EngineError &) {
        }
        try {
            view.open();
            QFAIL("opened on a failing disk");
        } catch (const EngineError &error) {
            QVERIFY2(!error.text().contains("does not exist"), qPrintable(error.text()));
            QVERIFY2(error.text().endsWith("disk I/O error"), qPrintable(error.text()));
        }
    }

    void missingAndDamagedFiles()
    {
        const QString missing = QDir(db->folder()).filePath(QStringLiteral("none.mdb"));
        Connection absent(missing, QStringLiteral("vqt38KX"));
        try {
            absent.connect();
            QFAIL("connected to a missing file");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().startsWith(QStringLiteral("Could not find file '")), qPrintable(error.text()));
        }
        const QString junk = QDir(db->folder()).filePath(QStringLiteral("junk.mdb"));
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        Connection damaged(junk, QStringLiteral("vqt38KX"));
        try {
            damaged.connect();
            QFAIL("connected to a damaged file");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().startsWith(QStringLiteral("Unrecognized database format")), qPrintable(error.text()));
        }
    }

    void compaction()
    {
        connection->disconnect();
        const QString destination = QDir(db->folder()).filePath(QStringLiteral("temp.mdb"));
        Connection::compact(db->path(), destination, QStringLiteral("vqt38KX"));
        Connection copy(destination, QStringLiteral("vqt38KX"));
        TableView copied(copy, QStringLiteral("LOG"));
        copied.open();
        QCOMPARE(copied.recordCount(), 5);
        copy.disconnect();
        QVERIFY_THROWS_EXCEPTION(EngineError, Connection(destination, QStringLiteral("other")).connect());
        try {
            Connection::compact(db->path(), destination, QStringLiteral("vqt38KX"));
            QFAIL("compacted over an existing file");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains(QStringLiteral("already exists")), qPrintable(error.text()));
        }
    }

    void itemModelShowsPassingRowsAndFollowsChanges()
    {
        ViewModel model;
        model.setColumns({{QStringLiteral("dok"), QStringLiteral("DOK")},
                          {QStringLiteral("banda"), QStringLiteral("MHz")},
                          {QStringLiteral("nosuch"), QStringLiteral("X")}});
        model.setView(log.get());
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("MHz"));
        QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("3.5"));
        QCOMPARE(model.index(1, 2).data().toString(), QString());
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        log->setFilter(QStringLiteral("modo='CW'"));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("G04"));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        log->edit();
        log->setText(QStringLiteral("banda"), QStringLiteral("7"));
        log->post();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("7"));
        model.setColumn(1, {QStringLiteral("modo"), QStringLiteral("MODE")});
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("CW"));
    }
};

QTEST_GUILESS_MAIN(EngineTest)
#include "tst_engine.moc"
