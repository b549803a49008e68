#include "engineerror.h"
#include "logbook.h"
#include "qsosaver.h"

#include <QtTest>

namespace {

QsoEntry qso(const QString &dok, const QString &band, const QString &mode, const QString &call = QStringLiteral("DL1ABC"))
{
    return {call, dok, band, mode, QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2009"), QStringLiteral("BERLIN")};
}

// One row of a table as "column=value" pairs, read from the file.
QString row(const TestDatabase &db, const QString &table, const QString &where, const QString &columns)
{
    QStringList values;
    for (const QString &column : columns.split(QLatin1Char(','))) {
        const QString value = db.value(QStringLiteral("SELECT coalesce(%1, '<null>') FROM %2 WHERE %3")
                                           .arg(column, table, where));
        values << column + QLatin1Char('=') + value;
    }
    return values.join(QLatin1Char(' '));
}

QString count(const TestDatabase &db, const QString &table, const QString &where = QStringLiteral("1"))
{
    return db.value(QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(table, where));
}

const auto neverAsked = [] {
    QTest::qFail("the save-anyway question was asked", __FILE__, __LINE__);
    return false;
};

} // namespace

Q_DECLARE_METATYPE(QsoEntry)

class QsoSaverTest : public QObject
{
    Q_OBJECT

private slots:
    void validationStopsAtTheFirstMissingField_data()
    {
        QTest::addColumn<QsoEntry>("entry");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("message");
        const QsoEntry full = qso(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        auto without = [&](QString QsoEntry::*member) {
            QsoEntry entry = full;
            entry.*member = QString();
            return entry;
        };
        const auto call = int(QsoSaver::Field::Call), dok = int(QsoSaver::Field::Dok), band = int(QsoSaver::Field::Band),
                   mode = int(QsoSaver::Field::Mode), date = int(QsoSaver::Field::Date);
        QTest::newRow("callsign") << without(&QsoEntry::call) << call << "You need to write a valid callsign";
        QTest::newRow("DOK") << without(&QsoEntry::dok) << dok << "You need to write the DOK";
        QTest::newRow("band") << without(&QsoEntry::band) << band << "You need to choose a valid Band";
        QTest::newRow("mode") << without(&QsoEntry::mode) << mode << "You need to choose a valid Mode";
        QTest::newRow("day") << without(&QsoEntry::day) << date << "You need to write a valid Date";
        QTest::newRow("month") << without(&QsoEntry::month) << date << "You need to write a valid Date";
        QTest::newRow("year") << without(&QsoEntry::year) << date << "You need to write a valid Date";
        QsoEntry nothing;
        QTest::newRow("all empty: callsign first") << nothing << call << "You need to write a valid callsign";
        QsoEntry bandPrefix = full;
        bandPrefix.band = QStringLiteral("1"); // would name the cells of 1.8 MHz
        QTest::newRow("band still being typed") << bandPrefix << band << "You need to choose a valid Band";
        QsoEntry modePrefix = full;
        modePrefix.mode = QStringLiteral("SS");
        QTest::newRow("mode still being typed") << modePrefix << mode << "You need to choose a valid Mode";
        const auto dated = [&](const char *day, const char *month, const char *year) {
            QsoEntry entry = full;
            entry.day = QString::fromLatin1(day);
            entry.month = QString::fromLatin1(month);
            entry.year = QString::fromLatin1(year);
            return entry;
        };
        const QString noSuchDay = QStringLiteral("The Date %1 does not exist: please correct the day or the month.");
        const QString fourDigits = QStringLiteral("The year of the Date needs four digits (dd/mm/yyyy).");
        const auto year = int(QsoSaver::Field::Year);
        QTest::newRow("31 February") << dated("31", "02", "2025") << date << noSuchDay.arg("31/02/2025");
        QTest::newRow("29 February of a common year") << dated("29", "2", "2023") << date << noSuchDay.arg("29/2/2023");
        QTest::newRow("31 April") << dated("31", "4", "2024") << date << noSuchDay.arg("31/4/2024");
        QTest::newRow("day 0") << dated("0", "4", "2024") << date << noSuchDay.arg("0/4/2024");
        QTest::newRow("month 13") << dated("1", "13", "2024") << date << noSuchDay.arg("1/13/2024");
        QTest::newRow("two-digit year") << dated("01", "04", "25") << year << fourDigits;
        QTest::newRow("three-digit year") << dated("01", "04", "202") << year << fourDigits;
    }

    void validationStopsAtTheFirstMissingField()
    {
        QFETCH(QsoEntry, entry);
        QFETCH(int, field);
        QFETCH(QString, message);
        const auto problem = QsoSaver::validate(entry);
        QVERIFY(problem);
        QCOMPARE(int(problem->field), field);
        QCOMPARE(problem->message, message);
    }

    void aLeapDayIsADate()
    {
        QsoEntry entry = qso(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        entry.day = QStringLiteral("29");
        entry.month = QStringLiteral("2");
        entry.year = QStringLiteral("2024");
        QVERIFY(!QsoSaver::validate(entry));
    }

    void blanksAreNoEmptyField()
    {
        QsoEntry entry = qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("RTTY"), QStringLiteral(" "));
        entry.qth.clear();
        QVERIFY(!QsoSaver::validate(entry));
    }

    void datePadsDayAndMonth_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("date");
        QTest::newRow("one digit each") << "5" << "3" << "2009" << "05/03/2009";
        QTest::newRow("two digits each") << "15" << "11" << "2009" << "15/11/2009";
        QTest::newRow("year as typed") << "05" << "3" << "09" << "05/03/09";
    }

    void datePadsDayAndMonth()
    {
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, date);
        QsoEntry entry;
        entry.day = day;
        entry.month = month;
        entry.year = year;
        QCOMPARE(entry.date(), date);
    }

    void firstQsoMarksTheDokAndFillsLogBandAndModeTables()
    {
        DataModule data;
        QCOMPARE(QsoSaver(*data.dm).save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("CW")), neverAsked),
                 QsoSaver::Outcome::Saved);
        const TestDatabase &db = data.db;
        QCOMPARE(row(db, "DOK", "DOK='A01'", "CW1,T1,CW,CONF,SSB1,T14,SSB"), "CW1=C T1=C CW=C CONF=C SSB1=* T14=* SSB=*");
        QCOMPARE(count(db, "DOK", "CONF='C'"), "1");
        QCOMPARE(count(db, "LOG"), "1");
        const QString id = db.value("SELECT id FROM LOG");
        QCOMPARE(row(db, "LOG", "1", "call,loc,data,banda,modo,dok,conf,spec,mhz"),
                 "call=DL1ABC loc=BERLIN data=05/03/2009 banda=1.8 modo=CW dok=A01 conf=C spec=<null> mhz=1");
        QCOMPARE(db.value("SELECT typeof(mhz) FROM LOG"), "integer");
        for (const char *table : {"LOG1", "LOGCW"}) {
            // The placeholder row is taken: the table holds exactly the new QSO.
            QCOMPARE(count(db, table), "1");
            QCOMPARE(row(db, table, "1", "call,loc,data,banda,modo,dok,conf,spec,num"),
                     "call=DL1ABC loc=BERLIN data=05/03/2009 banda=1.8 modo=CW dok=A01 conf=C spec=<null> num=" + id);
        }
        QCOMPARE(count(db, "LOG14"), "1");
        QCOMPARE(count(db, "LOG14", "dok='*'"), "1");
    }

    // The clock stands at 9 December 2026, 23:47 UTC.
    void aQsoOfTodayKeepsTheTimeOfSaving_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("kept");
        QTest::newRow("today") << "9" << "2026" << "<TIME_ON:4>2347";
        QTest::newRow("today, year of two digits") << "09" << "26" << "<TIME_ON:4>2347";
        QTest::newRow("yesterday: no time is known") << "8" << "2026" << "<no row>";
        QTest::newRow("a year ago") << "9" << "2025" << "<no row>";
    }

    void aQsoOfTodayKeepsTheTimeOfSaving()
    {
        QFETCH(QString, day);
        QFETCH(QString, year);
        QFETCH(QString, kept);
        DataModule data;
        data.services.clock.current = QDateTime(QDate(2026, 12, 9), QTime(23, 47, 30), Qt::UTC);
        QsoEntry entry = qso(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        entry.day = day;
        entry.month = QStringLiteral("12");
        entry.year = year;
        QCOMPARE(QsoSaver(*data.dm).save(entry, neverAsked), QsoSaver::Outcome::Saved);
        const QString fields = data.db.value("SELECT fields FROM ADIFFIELDS WHERE num=(SELECT id FROM LOG)");
        QCOMPARE(fields == QLatin1String("<error: no row>") ? QStringLiteral("<no row>") : fields, kept);
    }

    void nextModeOnTheSameBandLeavesTheBandTableAlone()
    {
        DataModule data;
        QsoSaver saver(*data.dm);
        saver.save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("CW")), neverAsked);
        const QString firstId = data.db.value("SELECT max(id) FROM LOG");
        const QString bandTable = data.db.table("LOG1");
        QCOMPARE(saver.save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("SSB"), QStringLiteral("DK2XY")),
                            neverAsked),
                 QsoSaver::Outcome::Saved);
        const TestDatabase &db = data.db;
        const QString secondId = db.value("SELECT max(id) FROM LOG");
        QVERIFY(secondId != firstId);
        QCOMPARE(row(db, "DOK", "DOK='A01'", "SSB1,SSB,CW1,CW,T1"), "SSB1=C SSB=C CW1=C CW=C T1=C");
        QCOMPARE(count(db, "LOG"), "2");
        QCOMPARE(db.table("LOG1"), bandTable);
        QCOMPARE(row(db, "LOG1", "1", "modo,num"), "modo=CW num=" + firstId);
        QCOMPARE(row(db, "LOGSSB", "1", "call,modo,num"), "call=DK2XY modo=SSB num=" + secondId);
        QCOMPARE(count(db, "LOGSSB"), "1");
    }

    void accreditedCellsStayAccredited()
    {
        DataModule data("UPDATE DOK SET T1='A', CW='A' WHERE DOK='A01'");
        QsoSaver(*data.dm).save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("CW")), neverAsked);
        QCOMPARE(row(data.db, "DOK", "DOK='A01'", "CW1,T1,CW,CONF"), "CW1=C T1=A CW=A CONF=C");
    }

    void aTableWithoutAnyRowGetsTheQsoAppended()
    {
        DataModule data("DELETE FROM LOG7");
        QsoSaver(*data.dm).save(qso(QStringLiteral("B05"), QStringLiteral("7"), QStringLiteral("FM")), neverAsked);
        QCOMPARE(count(data.db, "LOG7"), "1");
        QCOMPARE(row(data.db, "LOG7", "1", "dok,banda,modo"), "dok=B05 banda=7 modo=FM");
    }

    void aSpecialDokMarksItsQsoEverywhere()
    {
        DataModule data;
        QCOMPARE(data.db.value("SELECT SPEC FROM DOK WHERE DOK='CW'"), "S");
        QsoSaver(*data.dm).save(qso(QStringLiteral("CW"), QStringLiteral("14"), QStringLiteral("SSB")), neverAsked);
        for (const char *table : {"LOG", "LOG14", "LOGSSB"})
            QCOMPARE(row(data.db, table, "dok='CW'", "spec"), "spec=S");
    }

    void aReusedPlaceholderLosesAnOldSpecialMark()
    {
        DataModule data("UPDATE LOG14 SET spec='S'");
        QsoSaver(*data.dm).save(qso(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB")), neverAsked);
        QCOMPARE(row(data.db, "LOG14", "1", "dok,spec"), "dok=A01 spec=<null>");
    }

    void savingAnywayAddsTheQsoAndKeepsTheEarlierOne()
    {
        DataModule data;
        QsoSaver saver(*data.dm);
        saver.save(qso(QStringLiteral("A02"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL9OLD")), neverAsked);
        saver.save(qso(QStringLiteral("A03"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL8OTH")), neverAsked);
        const QString id = data.db.value("SELECT id FROM LOG WHERE dok='A02'");
        const QString other = row(data.db, "LOG14", "dok='A03'", "call,num") + row(data.db, "LOGSSB", "dok='A03'", "call,num")
            + row(data.db, "DOK", "DOK='A03'", "T14,SSB14,SSB,CONF");
        data.db.execute("UPDATE DOK SET CONF='*' WHERE DOK='A02'"); // shows that CONF is left alone

        int asked = 0;
        QsoEntry again = qso(QStringLiteral("A02"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL1NEW"));
        again.day = QStringLiteral("7");
        QCOMPARE(saver.save(again, [&] {
            ++asked;
            return true;
        }), QsoSaver::Outcome::SavedAgain);
        QCOMPARE(asked, 1);
        QCOMPARE(count(data.db, "LOG"), "3");
        QCOMPARE(row(data.db, "LOG", "id=" + id, "call,data"), "call=DL9OLD data=05/03/2009");
        const QString newId = data.db.value("SELECT max(id) FROM LOG");
        QVERIFY(newId != id);
        QCOMPARE(row(data.db, "LOG", "id=" + newId, "dok,call,data,banda,modo,conf"),
                 "dok=A02 call=DL1NEW data=07/03/2009 banda=14 modo=SSB conf=C");
        // The tables keep one row per DOK, now showing the QSO saved anyway.
        for (const char *table : {"LOG14", "LOGSSB"}) {
            QCOMPARE(count(data.db, table), "2");
            QCOMPARE(row(data.db, table, "dok='A02'", "call,data,num"), "call=DL1NEW data=07/03/2009 num=" + newId);
        }
        QCOMPARE(row(data.db, "DOK", "DOK='A02'", "CONF,SSB14"), "CONF=* SSB14=C");
        QCOMPARE(row(data.db, "LOG14", "dok='A03'", "call,num") + row(data.db, "LOGSSB", "dok='A03'", "call,num")
                     + row(data.db, "DOK", "DOK='A03'", "T14,SSB14,SSB,CONF"),
                 other);
    }

    void declaringNotToSaveAnywayWritesNothing()
    {
        DataModule data;
        QsoSaver saver(*data.dm);
        saver.save(qso(QStringLiteral("A02"), QStringLiteral("14"), QStringLiteral("SSB")), neverAsked);
        const QString before = data.db.content();
        QCOMPARE(saver.save(qso(QStringLiteral("A02"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL1NEW")),
                            [] { return false; }),
                 QsoSaver::Outcome::Declined);
        QCOMPARE(data.db.content(), before);
    }

    // The band table keeps the DOK's first QSO on the band, which may be in another mode, and LOG
    // may have lost the QSO since the cells were marked.
    void savingAnywayNeverDropsTheQsoNorTouchesOtherRows()
    {
        DataModule data("UPDATE DOK SET T14='C', CW14='C', CW='C', SSB14='C', SSB='C', CONF='C' WHERE DOK='A02';"
                        "UPDATE LOG14 SET call='DL5SSB', data='01/01/2001', banda='14', modo='SSB', dok='A02',"
                        " conf='C', num=77 WHERE dok='*';"
                        "UPDATE LOGCW SET call='DL6CW', data='02/02/2002', banda='7', modo='CW', dok='B01',"
                        " conf='C', num=78 WHERE dok='*'");
        const QString band14 = data.db.table("LOG14");
        QCOMPARE(QsoSaver(*data.dm).save(qso(QStringLiteral("A02"), QStringLiteral("14"), QStringLiteral("CW")),
                                         [] { return true; }),
                 QsoSaver::Outcome::SavedAgain);
        const TestDatabase &db = data.db;
        QCOMPARE(count(db, "LOG"), "1");
        const QString id = db.value("SELECT id FROM LOG");
        QCOMPARE(row(db, "LOG", "1", "dok,banda,modo,call"), "dok=A02 banda=14 modo=CW call=DL1ABC");
        QCOMPARE(db.table("LOG14"), band14);
        QCOMPARE(count(db, "LOGCW"), "2");
        QCOMPARE(row(db, "LOGCW", "dok='B01'", "call,num"), "call=DL6CW num=78");
        QCOMPARE(row(db, "LOGCW", "dok='A02'", "call,num"), "call=DL1ABC num=" + id);
    }

    void anAccreditedPairWritesNothing()
    {
        DataModule data("UPDATE DOK SET CW1='A' WHERE DOK='A01'");
        const QString before = data.db.content();
        QCOMPARE(QsoSaver(*data.dm).save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("CW")), neverAsked),
                 QsoSaver::Outcome::Accredited);
        QCOMPARE(data.db.content(), before);
    }

    void aTextThatNamesNoDokWritesNothing_data()
    {
        QTest::addColumn<QString>("dok");
        QTest::newRow("begins no DOK") << "4";
        QTest::newRow("only begins a DOK") << "A0";
    }

    void aTextThatNamesNoDokWritesNothing()
    {
        QFETCH(QString, dok);
        DataModule data;
        QVERIFY(data.dm->dok.locate("DOK", {"A01"}));
        const QString before = data.db.content();
        QCOMPARE(QsoSaver(*data.dm).save(qso(dok, QStringLiteral("14"), QStringLiteral("SSB")), neverAsked),
                 QsoSaver::Outcome::UnknownDok);
        QCOMPARE(data.db.content(), before);
    }

    void theTypedDokIsMarkedWhereverTheDokListStands()
    {
        DataModule data;
        QVERIFY(data.dm->dok.locate("DOK", {"Z01"}));
        QsoSaver(*data.dm).save(qso(QStringLiteral("a01"), QStringLiteral("14"), QStringLiteral("SSB")), neverAsked);
        QCOMPARE(row(data.db, "DOK", "DOK='A01'", "SSB14"), "SSB14=C");
        QCOMPARE(row(data.db, "DOK", "DOK='Z01'", "SSB14,CONF"), "SSB14=* CONF=*");
    }

    void aFailingWriteRollsTheWholeSaveBack()
    {
        DataModule data("CREATE TRIGGER refuse BEFORE UPDATE ON LOGCW BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
        const QString before = data.db.content();
        LogData &dm = *data.dm;
        QVERIFY(dm.dok.locate("DOK", {"A01"}));
        try {
            QsoSaver(dm).save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("CW")), neverAsked);
            QFAIL("the save reported no error");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains("disk is full"), qPrintable(error.text()));
        }
        QCOMPARE(data.db.content(), before);
        // The views show what is stored again, and stand ready for the next save.
        QCOMPARE(dm.dok.text("DOK"), "A01");
        QCOMPARE(dm.dok.text("CW1"), "*");
        QCOMPARE(dm.log.recordCount(), 0);
        for (TableView *view : {&dm.dok, &dm.log, &dm.logbanda, &dm.logmodo})
            QCOMPARE(view->state(), TableView::State::Browse);
        QVERIFY(dm.logbanda.isFiltered());

        dm.ADOconn.execute("DROP TRIGGER refuse");
        QCOMPARE(QsoSaver(dm).save(qso(QStringLiteral("A01"), QStringLiteral("1.8"), QStringLiteral("CW")), neverAsked),
                 QsoSaver::Outcome::Saved);
        QCOMPARE(count(data.db, "LOGCW", "dok='A01'"), "1");
    }

    void quotesAndOtherCharactersAreStoredAsTyped()
    {
        DataModule data("INSERT INTO DOK (DOK, SSB14, T14, SSB, CONF) VALUES ('O''K', '*', '*', '*', '*')");
        QsoEntry entry = qso(QStringLiteral("O'K"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL'1\"X"));
        entry.qth = QStringLiteral("ST. JOHN'S (OR) ') or (1=1");
        QsoSaver saver(*data.dm);
        QCOMPARE(saver.save(entry, neverAsked), QsoSaver::Outcome::Saved);
        entry.call = QStringLiteral("DL'2");
        QCOMPARE(saver.save(entry, [] { return true; }), QsoSaver::Outcome::SavedAgain);
        QCOMPARE(count(data.db, "LOG"), "2");
        QCOMPARE(row(data.db, "LOG", "id=(SELECT max(id) FROM LOG)", "dok,call,loc"),
                 "dok=O'K call=DL'2 loc=ST. JOHN'S (OR) ') or (1=1");
        QCOMPARE(row(data.db, "LOGSSB", "1", "dok,call"), "dok=O'K call=DL'2");
    }

    void filterSwitchesOfTheBandAndModeViews()
    {
        DataModule data;
        data.dm->logmodo.setFiltered(false);
        QsoSaver(*data.dm).save(qso(QStringLiteral("A01"), QStringLiteral("50"), QStringLiteral("PSK")), neverAsked);
        QVERIFY(data.dm->logbanda.isFiltered());
        QVERIFY(!data.dm->logmodo.isFiltered());
        QCOMPARE(data.dm->logbanda.tableName(), "LOG50");
        QCOMPARE(data.dm->logmodo.tableName(), "LOGPSK");
    }
};

QTEST_MAIN(QsoSaverTest)
#include "tst_qsosaver.moc"
