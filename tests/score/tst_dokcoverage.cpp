// How many DOKs of the list have a QSO in the log.
#include "datamodule.h"
#include "dokcoverage.h"
#include "scorefixture.h"

#include <QtTest>

class DokCoverageTest : public QObject
{
    Q_OBJECT

private slots:
    void countsDoksWithAnyQso_data()
    {
        QTest::addColumn<QStringList>("qsos"); // dok/status
        QTest::addColumn<int>("withQso");
        QTest::newRow("empty log") << QStringList{} << 0;
        QTest::newRow("one DOK, several QSOs") << QStringList{"A01/C", "A01/A", "A01/*"} << 1;
        QTest::newRow("a DOK whose only QSO is not confirmed") << QStringList{"A01/C", "B02/*"} << 2;
        QTest::newRow("codes in any case") << QStringList{"a01/C", "b02/C"} << 2;
        QTest::newRow("a DOK missing from the list") << QStringList{"A01/C", "Z99/C"} << 1;
        QTest::newRow("every DOK") << QStringList{"C03/C", "B02/C", "A01/C", "D04/A"} << 4;
    }
    void countsDoksWithAnyQso()
    {
        QFETCH(QStringList, qsos);
        QFETCH(int, withQso);
        ScoreFixture data;
        data.addDoks({"A01", "B02", "C03", "D04"});
        for (const QString &qso : qsos)
            data.addQso(qso.section('/', 0, 0), "14", "SSB", qso.section('/', 1));
        const LogData &dm = data.open();
        const DokCoverage coverage = DokCoverage::of(dm.dok, dm.log);
        QCOMPARE(coverage.total, 4);
        QCOMPARE(coverage.withQso, withQso);
        QCOMPARE(coverage.withoutQso(), 4 - withQso);
    }

    void filtersLeftOnTheViewsDoNotCount()
    {
        ScoreFixture data;
        data.addDoks({"A01", "B02", "C03"});
        data.addQso("A01", "14", "SSB");
        data.addQso("B02", "7", "CW");
        LogData &dm = data.open();
        dm.dok.setFilter("conf='C'");
        dm.dok.setFiltered(true);
        dm.log.setFilter("dok='A01'");
        dm.log.setFiltered(true);
        QCOMPARE(dm.dok.recordCount(), 0);
        const DokCoverage coverage = DokCoverage::of(dm.dok, dm.log);
        QCOMPARE(coverage.total, 3);
        QCOMPARE(coverage.withQso, 2);
    }

    void aDeletedQsoNoLongerCounts()
    {
        ScoreFixture data;
        data.addDoks({"A01", "B02"});
        data.addQso("A01", "14", "SSB");
        data.addQso("B02", "7", "CW");
        LogData &dm = data.open();
        QVERIFY(dm.log.locate("dok", {"B02"}));
        dm.log.remove();
        QCOMPARE(DokCoverage::of(dm.dok, dm.log).withQso, 1);
    }

    void aCodeListedTwiceCountsOnce()
    {
        ScoreFixture data;
        data.addDoks({"A01", "A01", "B02"});
        data.addQso("A01", "14", "SSB");
        const LogData &dm = data.open();
        const DokCoverage coverage = DokCoverage::of(dm.dok, dm.log);
        QCOMPARE(coverage.total, 3);
        QCOMPARE(coverage.withQso, 1);
        QCOMPARE(coverage.withoutQso(), 2);
    }
};

QTEST_MAIN(DokCoverageTest)
#include "tst_dokcoverage.moc"
