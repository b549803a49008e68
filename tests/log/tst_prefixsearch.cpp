#include "logbook.h"
#include "prefixsearch.h"

#include <QtTest>

// The search while typing finds by halving what a row-by-row search finds.
class PrefixSearchTest : public QObject
{
    Q_OBJECT

private slots:
    void findsTheFirstRowThatBeginsWithThePrefix_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("found"); // the id, or nothing
        QTest::newRow("first of several") << "call" << "DL" << "2";
        QTest::newRow("lower case") << "call" << "dl1a" << "2";
        QTest::newRow("tie keeps the older row") << "call" << "DK5" << "4";
        QTest::newRow("whole value") << "call" << "DL9ZZ" << "3";
        QTest::newRow("past the last row") << "call" << "ZZ" << "";
        QTest::newRow("between two rows") << "call" << "DL5" << "";
        QTest::newRow("another order") << "dok" << "DL" << "2";
    }

    void findsTheFirstRowThatBeginsWithThePrefix()
    {
        QFETCH(QString, sort);
        QFETCH(QString, prefix);
        QFETCH(QString, found);
        DataModule data("INSERT INTO LOG (id, call, dok) VALUES (1, NULL, 'A01'), (2, 'dl1abc', 'A02'), (3, 'DL9ZZ', 'A03'),"
                        "(4, 'DK5XY', 'B01'), (5, 'DK5XY', 'B02'), (6, '', 'B03'), (7, 'DL1ABD', 'B04')");
        TableView &log = data.dm->log;
        log.setFiltered(false);
        log.setSort(sort);
        log.first();
        const int before = log.position();
        QCOMPARE(locatePrefix(log, QStringLiteral("call"), prefix), !found.isEmpty());
        if (found.isEmpty())
            QCOMPARE(log.position(), before);
        else
            QCOMPARE(log.text(QStringLiteral("id")), found);
    }
};

QTEST_MAIN(PrefixSearchTest)
#include "tst_prefixsearch.moc"
