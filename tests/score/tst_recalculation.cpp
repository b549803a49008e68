#include "engineerror.h"
#include "logcheck.h"
#include "recalculation.h"
#include "scorefixture.h"
#include "scriptedservices.h"
#include "vocabulary.h"

#include <QLocale>
#include <QtTest>

namespace {

const QDateTime now(QDate(2026, 12, 9), QTime(12, 0));

// Marks a previous refresh left behind, so a test sees what the new one changes.
void leaveOldMarks(ScoreFixture &data)
{
    data.db().execute(QStringLiteral("UPDATE DOK SET T14='C', SSB14='A', SSB='C', CONF='C' WHERE DOK='A01'"));
    data.db().execute(QStringLiteral("UPDATE RIEP SET CT14=7, ACW=3, conf=12, nconf=5, dataagg='2004-03-05 21:07:00'"));
    data.db().execute(QStringLiteral("UPDATE Diplome SET \"14\"='To claim', SSB='To claim' WHERE id=1"));
}

} // namespace

class RecalculationTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServices> services;
    std::unique_ptr<ScoreFixture> data;

    void run()
    {
        Recalculation recalculation(data->open());
        recalculation.run();
    }
    QString dok(const QString &code, const QString &column) const
    {
        return data->value(QStringLiteral("SELECT \"%1\" FROM DOK WHERE DOK='%2'").arg(column, code));
    }
    QString riep(const QString &column) const
    {
        return data->value(QStringLiteral("SELECT \"%1\" FROM RIEP").arg(column));
    }
    QString diplome(int level, const QString &column) const
    {
        return data->value(QStringLiteral("SELECT \"%1\" FROM Diplome WHERE id=%2").arg(column).arg(level));
    }
    // Every status cell of a DOK that is not "*", as "cell=value" in column order.
    QStringList markedCells(const QString &code) const
    {
        QStringList out;
        for (const QString &cell : vocab::statusCells()) {
            const QString value = dok(code, cell);
            if (value != vocab::status::none)
                out << cell + QLatin1Char('=') + value;
        }
        return out;
    }
    // Every counter that is not 0, as "name=value".
    QStringList counters() const
    {
        QStringList out;
        for (const QString &cell : vocab::statusCells()) {
            for (const QString &name : {vocab::confirmedCounter(cell), vocab::accreditedCounter(cell)}) {
                const QString value = riep(name);
                if (value != QLatin1String("0"))
                    out << name + QLatin1Char('=') + value;
            }
        }
        for (const char *name : {"conf", "nconf"}) {
            if (riep(QString::fromLatin1(name)) != QLatin1String("0"))
                out << QString::fromLatin1(name) + QLatin1Char('=') + riep(QString::fromLatin1(name));
        }
        return out;
    }

private slots:
    void init()
    {
        services = std::make_unique<ScriptedServices>();
        services->clock.current = now;
        data = std::make_unique<ScoreFixture>();
        data->addDoks({"A01", "B02", "C03"});
    }

    void cleanup()
    {
        data.reset();
        services.reset();
    }

    void emptyLogClearsEverythingAndSetsANewStamp()
    {
        leaveOldMarks(*data);
        run();
        for (const QString &code : QStringList{"A01", "B02", "C03"}) {
            QCOMPARE(markedCells(code), QStringList());
            QCOMPARE(dok(code, "CONF"), QStringLiteral("*"));
        }
        QCOMPARE(counters(), QStringList());
        QCOMPARE(data->value("SELECT count(*) FROM Diplome WHERE \"14\"<>'*' OR SSB<>'*'"), QStringLiteral("0"));
        QCOMPARE(riep("dataagg"), QStringLiteral("2026-12-09 12:00:00"));
    }

    void theBandAndModeTablesAreBuiltAgainFromTheLog()
    {
        data->addQso("A01", "14", "SSB");     // 1
        data->addQso("A01", "14", "CW");      // 2
        data->addQso("B02", "7", "CW", "*");  // 3
        data->addQso("C03", "3.5", "FM", "A"); // 4
        // What earlier faults could leave: a row of a deleted QSO, a DOK twice, a row of another
        // band, a table without rows, a placeholder beside a real row.
        data->db().execute("INSERT INTO LOG14 (dok, banda, modo, num) VALUES ('B02', '14', 'SSB', 99)");
        data->db().execute("INSERT INTO LOG7 (dok, banda, modo, call, num) VALUES ('B02', '7', 'CW', 'OLD', 3),"
                           " ('B02', '7', 'CW', 'TWICE', 3)");
        data->db().execute("INSERT INTO LOGCW (dok, banda, modo, num) VALUES ('A01', '14', 'SSB', 1), ('*', NULL, NULL, NULL)");
        data->db().execute("DELETE FROM LOG21");
        run();
        QCOMPARE(checkLog(data->dm().ADOconn), QStringList());
        const auto rows = [&](const char *table) {
            return data->value(QStringLiteral("SELECT group_concat(dok || ':' || num || ':' || call || ':' || conf, ' ') "
                                              "FROM (SELECT * FROM %1 ORDER BY dok)").arg(QLatin1String(table)));
        };
        QCOMPARE(rows("LOG14"), "A01:1:DL1ABC:C");
        QCOMPARE(rows("LOG7"), "B02:3:DL1ABC:*");
        QCOMPARE(rows("LOG3"), "C03:4:DL1ABC:A");
        QCOMPARE(rows("LOGSSB"), "A01:1:DL1ABC:C");
        QCOMPARE(rows("LOGCW"), "A01:2:DL1ABC:C B02:3:DL1ABC:*");
        QCOMPARE(rows("LOGFM"), "C03:4:DL1ABC:A");
        for (const char *table : {"LOG21", "LOG1", "LOGRTTY"})
            QCOMPARE(data->value(QStringLiteral("SELECT count(*) || dok || coalesce(num, '-') FROM %1").arg(QLatin1String(table))), "1*-");

        const QString tables = data->db().content();
        QStringList watch{"CREATE TABLE touched (name TEXT)"};
        for (const char *table : {"LOG14", "LOGCW", "LOG21"}) {
            for (const char *change : {"INSERT", "UPDATE", "DELETE"})
                watch << QStringLiteral("CREATE TRIGGER watch%1%2 AFTER %2 ON %1 BEGIN INSERT INTO touched VALUES ('%1'); END")
                             .arg(QLatin1String(table), QLatin1String(change));
        }
        data->db().execute(watch.join(QLatin1Char(';')));
        run();
        // A second refresh finds the tables right and leaves them alone.
        QCOMPARE(data->value("SELECT count(*) FROM touched"), "0");
        data->db().execute("DROP TABLE touched");
        QCOMPARE(data->db().content(), tables);
    }

    void aQsoSavedAnywayKeepsItsRows()
    {
        data->addSavedQso("A01", "14", "SSB");
        data->addQso("A01", "14", "SSB");
        data->db().execute("UPDATE LOG14 SET num=2, data='06/03/2004'");
        data->db().execute("UPDATE LOGSSB SET num=2, data='06/03/2004'");
        run();
        QCOMPARE(checkLog(data->dm().ADOconn), QStringList());
        for (const char *table : {"LOG14", "LOGSSB"}) {
            QCOMPARE(data->value(QStringLiteral("SELECT group_concat(dok || ':' || num) FROM %1").arg(QLatin1String(table))), "A01:2");
            // The copy is the QSO's own again.
            QCOMPARE(data->value(QStringLiteral("SELECT data FROM %1").arg(QLatin1String(table))), "05/03/2004");
        }
    }

    void confirmedQsoOn160mCw()
    {
        data->addQso("A01", "1.8", "CW", "C");
        run();
        QCOMPARE(markedCells("A01"), (QStringList{"T1=C", "CW1=C", "CW=C"}));
        QCOMPARE(dok("A01", "CONF"), QStringLiteral("C"));
        QCOMPARE(counters(), (QStringList{"CT1=1", "CCW1=1", "CCW=1"}));
        QCOMPARE(dok("B02", "CONF"), QStringLiteral("*"));
    }

    void accreditedIsNeverReplaced_data()
    {
        QTest::addColumn<QStringList>("statuses");
        QTest::newRow("A then C") << QStringList{"A", "C"};
        QTest::newRow("C then A") << QStringList{"C", "A"};
        QTest::newRow("A then *") << QStringList{"A", "*"};
        QTest::newRow("C, A, *") << QStringList{"C", "A", "*"};
    }

    void accreditedIsNeverReplaced()
    {
        QFETCH(QStringList, statuses);
        for (const QString &status : statuses)
            data->addQso("A01", "14", "SSB", status);
        run();
        QCOMPARE(markedCells("A01"), (QStringList{"T14=A", "SSB14=A", "SSB=A"}));
        QCOMPARE(counters(), (QStringList{"CT14=1", "AT14=1", "CSSB14=1", "ASSB14=1", "CSSB=1", "ASSB=1"}));
    }

    void laterQsoDecidesBetweenConfirmedAndNot_data()
    {
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("cell");
        QTest::newRow("* after C") << QStringList{"C", "*"} << "*";
        QTest::newRow("C after *") << QStringList{"*", "C"} << "C";
        QTest::newRow("C, *, C") << QStringList{"C", "*", "C"} << "C";
    }

    void laterQsoDecidesBetweenConfirmedAndNot()
    {
        QFETCH(QStringList, statuses);
        QFETCH(QString, cell);
        for (const QString &status : statuses)
            data->addQso("A01", "14", "CW", status);
        run();
        QCOMPARE(dok("A01", "T14"), cell);
        QCOMPARE(dok("A01", "CW14"), cell);
        QCOMPARE(dok("A01", "CONF"), QStringLiteral("C"));
        QCOMPARE(riep("CT14"), cell == QLatin1String("C") ? QStringLiteral("1") : QStringLiteral("0"));
    }

    void laterMeansLaterIdWithinTheDok()
    {
        // The log view is sorted on DOK, so other DOKs between them do not matter; a code
        // written in another case is the same DOK.
        data->addQso("A01", "7", "SSB", "C");
        data->addQso("B02", "7", "SSB", "C");
        data->addQso("a01", "7", "CW", "*");
        run();
        QCOMPARE(markedCells("A01"), (QStringList{"SSB7=C", "SSB=C"}));
        QCOMPARE(markedCells("B02"), (QStringList{"T7=C", "SSB7=C", "SSB=C"}));
    }

    void codeListedTwiceIsMarkedOnItsFirstRowOnly()
    {
        // Special DOKs come after the others in the DOK view's order.
        data->addDoks({"B02"}, true);
        data->addQso("B02", "14", "SSB", "C");
        run();
        QCOMPARE(data->value("SELECT group_concat(T14 || CONF, ',') FROM (SELECT * FROM DOK WHERE DOK='B02' ORDER BY SPEC)"),
                 QStringLiteral("CC,**"));
        QCOMPARE(riep("CT14"), QStringLiteral("1"));
    }

    void countersCountDoksNotQsos()
    {
        for (int i = 0; i < 3; ++i)
            data->addQso("A01", "14", "SSB", "C");
        data->addQso("B02", "14", "CW", "C");
        run();
        QCOMPARE(riep("CT14"), QStringLiteral("2"));
        QCOMPARE(riep("CSSB14"), QStringLiteral("1"));
        QCOMPARE(riep("CSSB"), QStringLiteral("1"));
        QCOMPARE(riep("CCW"), QStringLiteral("1"));
    }

    void qsoOfAnUnknownDokIsPassedOver()
    {
        data->addQso("Z99", "14", "SSB", "C");
        run();
        QCOMPARE(counters(), QStringList());
        QCOMPARE(data->value("SELECT count(*) FROM DOK WHERE CONF='C'"), QStringLiteral("0"));
    }

    void valuesOutsideTheVocabulary_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("unknown band: only the mode cell") << "99" << "SSB" << "C" << QStringList{"SSB=C"};
        QTest::newRow("empty band") << "" << "CW" << "C" << QStringList{"CW=C"};
        QTest::newRow("unknown mode: only the band cell") << "14" << "OLIVIA" << "C" << QStringList{"T14=C"};
        QTest::newRow("TTY is no stored mode") << "14" << "TTY" << "C" << QStringList{"T14=C"};
        QTest::newRow("neither") << "2" << "X" << "C" << QStringList();
        QTest::newRow("empty status counts as *") << "14" << "SSB" << "" << QStringList();
        QTest::newRow("other letter counts as *") << "14" << "SSB" << "X" << QStringList();
        QTest::newRow("case and spaces do not matter") << " 3.5 " << "rtty" << "a"
                                                        << QStringList{"T3=A", "RTTY3=A", "RTTY=A"};
        QTest::newRow("band cut to three characters") << "1440" << "FM" << "C"
                                                       << QStringList{"T144=C", "FM144=C", "FM=C"};
    }

    void valuesOutsideTheVocabulary()
    {
        QFETCH(QString, band);
        QFETCH(QString, mode);
        QFETCH(QString, status);
        QFETCH(QStringList, cells);
        data->addQso("A01", band, mode, status);
        run();
        QCOMPARE(markedCells("A01"), cells);
        // The DOK still has a QSO in the log.
        QCOMPARE(dok("A01", "CONF"), QStringLiteral("C"));
        QStringList expected;
        for (const QString &cell : cells) {
            const QString name = cell.section(QLatin1Char('='), 0, 0);
            expected << vocab::confirmedCounter(name) + QStringLiteral("=1");
            if (cell.endsWith(QLatin1String("=A")))
                expected << vocab::accreditedCounter(name) + QStringLiteral("=1");
        }
        QStringList got = counters();
        got.sort();
        expected.sort();
        QCOMPARE(got, expected);
        QCOMPARE(data->value("SELECT count(*) FROM pragma_table_info('DOK')"), QStringLiteral("82"));
        QCOMPARE(data->value("SELECT count(*) FROM pragma_table_info('RIEP')"), QStringLiteral("158"));
    }

    void awardLevels_data()
    {
        QTest::addColumn<int>("doks");
        QTest::addColumn<QStringList>("marks"); // rows 1 to 4 of column "14" and of column SSB
        QTest::newRow("299") << 299 << QStringList{"To claim", "To claim", "*", "*"};
        QTest::newRow("300") << 300 << QStringList{"To claim", "To claim", "To claim", "*"};
    }

    void awardLevels()
    {
        QFETCH(int, doks);
        QFETCH(QStringList, marks);
        QStringList codes;
        for (int i = 0; i < doks; ++i)
            codes << QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'));
        data->addDoks(codes);
        data->db().execute("INSERT INTO LOG (call, banda, modo, dok, conf, mhz) "
                           "SELECT 'DL1ABC', '14', 'SSB', DOK, 'C', 14 FROM DOK WHERE DOK LIKE 'X%'");
        run();
        QCOMPARE(riep("CT14"), QString::number(doks));
        QCOMPARE(riep("CSSB"), QString::number(doks));
        for (int level = 1; level <= 4; ++level) {
            QCOMPARE(diplome(level, "14"), marks[level - 1]);
            QCOMPARE(diplome(level, "SSB"), marks[level - 1]);
            QCOMPARE(diplome(level, "7"), QStringLiteral("*"));
        }
    }

    void claimedIsKeptAndToClaimFallsBack()
    {
        data->db().execute("UPDATE Diplome SET \"14\"='Claimed', CW='Claimed' WHERE id=1");
        data->db().execute("UPDATE Diplome SET \"14\"='To claim', CW='To claim' WHERE id=2");
        data->addQso("A01", "14", "CW", "C");
        run();
        run();
        QCOMPARE(diplome(1, "14"), QStringLiteral("Claimed"));
        QCOMPARE(diplome(1, "CW"), QStringLiteral("Claimed"));
        QCOMPARE(diplome(2, "14"), QStringLiteral("*"));
        QCOMPARE(diplome(2, "CW"), QStringLiteral("*"));
    }

    void runningTwiceGivesTheSameTables()
    {
        leaveOldMarks(*data);
        data->addQso("A01", "14", "SSB", "A");
        data->addQso("A01", "14", "CW", "C");
        data->addQso("B02", "3.5", "CW", "*");
        data->addQso("B02", "3.5", "CW", "C");
        data->addQso("C03", "433", "FM", "*");
        data->addQso("Z99", "7", "PSK", "C");
        run();
        const QString dok = data->db().table("DOK");
        const QString riep = data->db().table("RIEP", {"dataagg"});
        const QString diplome = data->db().table("Diplome");
        services->clock.current = now.addSecs(60);
        run();
        QCOMPARE(data->db().table("DOK"), dok);
        QCOMPARE(data->db().table("RIEP", {"dataagg"}), riep);
        QCOMPARE(data->db().table("Diplome"), diplome);
        QCOMPARE(this->riep("dataagg"), QStringLiteral("2026-12-09 12:01:00"));
        QCOMPARE(this->dok("C03", "T433"), QStringLiteral("*"));
        QCOMPARE(this->dok("C03", "CONF"), QStringLiteral("C"));
    }

    void viewsShowTheNewDataAndWholeTables()
    {
        LogData &dm = data->open();
        dm.dok.setFilter("conf='C'");
        dm.log.setFilter("dok='B02'");
        data->addQso("A01", "14", "SSB", "C");
        dm.log.refresh();
        Recalculation(dm).run();
        QVERIFY(!dm.dok.isFiltered());
        QVERIFY(!dm.log.isFiltered());
        QCOMPARE(dm.dok.filter(), QStringLiteral("conf='C'"));
        QCOMPARE(dm.dok.recordCount(), 3);
        QCOMPARE(dm.dok.position(), 0);
        QVERIFY(dm.dok.locate("DOK", {"A01"}));
        QCOMPARE(dm.dok.text("T14"), QStringLiteral("C"));
        QCOMPARE(dm.riep.integer("CT14"), 1);
        QCOMPARE(dm.riep.dateTime("dataagg"), now);
    }

    void failureHalfWayLeavesThePreviousData_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("counters fail") << "RIEP";
        QTest::newRow("award marks fail") << "Diplome";
    }

    void failureHalfWayLeavesThePreviousData()
    {
        QFETCH(QString, table);
        leaveOldMarks(*data);
        data->addQso("B02", "7", "CW", "C");
        data->db().execute(QStringLiteral("CREATE TRIGGER broken BEFORE UPDATE ON %1 "
                                          "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END").arg(table));
        const QString dok = data->db().table("DOK");
        const QString riep = data->db().table("RIEP");
        const QString diplome = data->db().table("Diplome");
        LogData &dm = data->open();
        try {
            Recalculation(dm).run();
            QFAIL("no engine error");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains("disk I/O error"), qPrintable(error.text()));
        }
        QCOMPARE(data->db().table("DOK"), dok);
        QCOMPARE(data->db().table("RIEP"), riep);
        QCOMPARE(data->db().table("Diplome"), diplome);
        // The views show what is on disk, not the half-done run.
        QVERIFY(dm.dok.locate("DOK", {"A01"}));
        QCOMPARE(dm.dok.text("T14"), QStringLiteral("C"));
        QVERIFY(dm.dok.locate("DOK", {"B02"}));
        QCOMPARE(dm.dok.text("T7"), QStringLiteral("*"));
        QCOMPARE(dm.riep.integer("CT14"), 7);
        QCOMPARE(dm.Dipl.textAt(0, dm.Dipl.columnIndex("14")), QStringLiteral("To claim"));
        QVERIFY(!dm.ADOconn.inTransaction());
        // Once the cause is gone the next run completes.
        data->db().execute("DROP TRIGGER broken");
        Recalculation(dm).run();
        QCOMPARE(this->dok("B02", "T7"), QStringLiteral("C"));
        QCOMPARE(this->dok("A01", "T14"), QStringLiteral("*"));
    }

    void progressReachesItsTotal()
    {
        data->db().execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                           "INSERT INTO LOG (call, banda, modo, dok, conf, mhz) "
                           "SELECT 'DL1ABC', '14', 'SSB', 'A01', 'C', 14 FROM n");
        Recalculation recalculation(data->open());
        QList<Recalculation::Step> steps;
        QList<int> done;
        int total = -1;
        recalculation.onStep = [&](Recalculation::Step step) { steps << step; };
        recalculation.onProgress = [&](int value, int maximum) {
            done << value;
            total = maximum;
        };
        recalculation.run();
        QCOMPARE(steps, (QList<Recalculation::Step>{Recalculation::Step::Clearing, Recalculation::Step::Calculating,
                                                    Recalculation::Step::Counting}));
        QCOMPARE(total, 600 + 3);
        QVERIFY(done.size() >= 3);
        QCOMPARE(done.first(), 0);
        QCOMPARE(done.last(), total);
        QVERIFY(std::is_sorted(done.begin(), done.end()));
    }

    void stampText_data()
    {
        QTest::addColumn<QDateTime>("stamp");
        QTest::addColumn<QString>("text");
        QTest::newRow("evening") << QDateTime(QDate(2004, 3, 5), QTime(21, 7)) << "Last refresh on  5/03/2004,  at  09:07 PM";
        QTest::newRow("just after midnight") << QDateTime(QDate(2010, 11, 25), QTime(0, 5)) << "Last refresh on  25/11/2010,  at  12:05 AM";
        QTest::newRow("noon") << QDateTime(QDate(2010, 1, 1), QTime(12, 0)) << "Last refresh on  1/01/2010,  at  12:00 PM";
        QTest::newRow("never") << QDateTime() << "Last refresh: never";
    }

    void stampText()
    {
        QFETCH(QDateTime, stamp);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(refreshStampText(stamp), text);
    }

    void stampTextUsesTheUsersSeparators()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(refreshStampText(QDateTime(QDate(2004, 3, 5), QTime(21, 7))),
                 QStringLiteral("Last refresh on  5.03.2004,  at  09:07 PM"));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_MAIN(RecalculationTest)
#include "tst_recalculation.moc"
