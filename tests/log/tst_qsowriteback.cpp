#include "engineerror.h"
#include "logbook.h"
#include "logcheck.h"
#include "qsosaver.h"
#include "qsowriteback.h"

#include <QtTest>

namespace {

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

// A logbook whose QSOs are saved as the entry panel saves them.
struct Book : DataModule
{
    using DataModule::DataModule;

    // Returns the QSO's id.
    QString save(const QString &dok, const QString &band, const QString &mode, const QString &call = QStringLiteral("DL1ABC"))
    {
        const QsoEntry entry{call, dok, band, mode, QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2009"),
                             QStringLiteral("BERLIN")};
        if (QsoSaver(*dm).save(entry, [] { return false; }) != QsoSaver::Outcome::Saved)
            qFatal("the QSO was not saved");
        return db.value(QStringLiteral("SELECT max(id) FROM LOG"));
    }

    // Makes a QSO the current row of LOG, as the modify window's lookup does, and gives its items.
    QsoChange show(const QString &id)
    {
        dm->log.setFiltered(false);
        if (!dm->log.locate(QStringLiteral("id"), {id}))
            qFatal("no QSO %s", qPrintable(id));
        const QString date = dm->log.text(QStringLiteral("data"));
        return {dm->log.text(QStringLiteral("call")), dm->log.text(QStringLiteral("dok")),
                dm->log.text(QStringLiteral("banda")), dm->log.text(QStringLiteral("modo")),
                date.mid(0, 2), date.mid(3, 2), date.mid(6, 4), dm->log.text(QStringLiteral("loc")),
                dm->log.text(QStringLiteral("conf"))};
    }

    void setCell(const QString &dok, const QString &cell, const QString &value)
    {
        dm->dok.setFiltered(false);
        dm->dok.locate(QStringLiteral("DOK"), {dok});
        dm->dok.edit();
        dm->dok.setText(cell, value);
        dm->dok.post();
    }
};

const QString copyColumns = QStringLiteral("call,loc,data,banda,modo,dok,conf,num");

} // namespace

class QsoWriteBackTest : public QObject
{
    Q_OBJECT

private slots:
    void aQsoGivenAnotherDokLeavesItsOldDoksRowsAndJoinsTheNewDok()
    {
        Book book;
        const QString first = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        const QString second = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("CW"));
        QsoChange change = book.show(first);
        change.dok = QStringLiteral("B05");
        QsoWriteBack(*book.dm).write(change);
        // A01 keeps its row on 14 MHz through its other QSO; in SSB it has none left.
        QCOMPARE(book.db.value("SELECT group_concat(dok || num, ' ') FROM (SELECT * FROM LOG14 ORDER BY dok)"),
                 "A01" + second + " B05" + first);
        QCOMPARE(book.db.value("SELECT group_concat(dok || num, ' ') FROM LOGSSB"), "B05" + first);
        QCOMPARE(book.db.value("SELECT group_concat(dok || num, ' ') FROM LOGCW"), "A01" + second);
        QCOMPARE(checkLog(book.dm->ADOconn), QStringList());
    }

    void datePadsDayAndMonth_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("date");
        QTest::newRow("one digit each") << "5" << "3" << "2009" << "05/03/2009";
        QTest::newRow("two digits each") << "15" << "11" << "2009" << "15/11/2009";
        QTest::newRow("empty day") << "" << "11" << "2009" << "00/11/2009";
        QTest::newRow("empty month") << "7" << "" << "2009" << "07/00/2009";
        QTest::newRow("short year as typed") << "05" << "3" << "09" << "05/03/09";
    }

    void datePadsDayAndMonth()
    {
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, date);
        QsoChange change;
        change.day = day;
        change.month = month;
        change.year = year;
        QCOMPARE(change.date(), date);
    }

    void itemsGoToTheLogAndBothCopies()
    {
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        QsoChange change = book.show(id);
        change.call = QStringLiteral("DK5NEW");
        change.qth = QStringLiteral("KIEL");
        change.day = QStringLiteral("7");
        change.month.clear();
        QsoWriteBack(*book.dm).write(change);
        const QString expected = "call=DK5NEW loc=KIEL data=07/00/2009 banda=14 modo=SSB dok=A01 conf=C";
        QCOMPARE(row(book.db, "LOG", "id=" + id, "call,loc,data,banda,modo,dok,conf"), expected);
        QCOMPARE(row(book.db, "LOG", "id=" + id, "mhz"), "mhz=14");
        for (const char *table : {"LOG14", "LOGSSB"})
            QCOMPARE(row(book.db, table, "1", copyColumns), expected + " num=" + id);
    }

    void statusGoesIntoTheQsosCellsButNeverOverAnA()
    {
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        book.save(QStringLiteral("A01"), QStringLiteral("21"), QStringLiteral("SSB"), QStringLiteral("DL2OTH"));
        book.setCell(QStringLiteral("A01"), QStringLiteral("SSB"), QStringLiteral("A"));
        QsoChange change = book.show(id);
        change.status = QStringLiteral("*");
        QsoWriteBack(*book.dm).write(change);
        QCOMPARE(row(book.db, "LOG", "id=" + id, "conf"), "conf=*");
        QCOMPARE(row(book.db, "LOG14", "dok='A01'", "conf"), "conf=*");
        QCOMPARE(row(book.db, "LOGSSB", "dok='A01'", "conf,num"), "conf=* num=" + id);
        // The cells follow even though the 21 MHz QSO still confirms the DOK in SSB; CONF stays.
        QCOMPARE(row(book.db, "DOK", "DOK='A01'", "T14,SSB14,SSB,T21,SSB21,CONF"), "T14=* SSB14=* SSB=A T21=C SSB21=C CONF=C");
        change.status = QStringLiteral("A");
        QsoWriteBack(*book.dm).write(change);
        QCOMPARE(row(book.db, "DOK", "DOK='A01'", "T14,SSB14,SSB,CONF"), "T14=A SSB14=A SSB=A CONF=C");
    }

    void aNewDokCarriesTheCopiesAndGetsTheCells()
    {
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        const QString oldCells = row(book.db, "DOK", "DOK='A01'", "T14,SSB14,SSB,CONF");
        QsoChange change = book.show(id);
        change.dok = QStringLiteral("B05");
        QsoWriteBack(*book.dm).write(change);
        QCOMPARE(row(book.db, "LOG", "id=" + id, "dok"), "dok=B05");
        QCOMPARE(row(book.db, "LOG14", "1", "dok,num"), "dok=B05 num=" + id);
        QCOMPARE(row(book.db, "LOGSSB", "1", "dok,num"), "dok=B05 num=" + id);
        QCOMPARE(row(book.db, "DOK", "DOK='B05'", "T14,SSB14,SSB,CONF"), "T14=C SSB14=C SSB=C CONF=*");
        QCOMPARE(row(book.db, "DOK", "DOK='A01'", "T14,SSB14,SSB,CONF"), oldCells);
    }

    void aCopyHeldByAnotherQsoIsLeftAlone()
    {
        Book book;
        const QString first = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("CW"), QStringLiteral("DL1FST"));
        const QString second = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL2SND"));
        const QString bandTable = book.db.table("LOG14");
        QsoChange change = book.show(second);
        change.call = QStringLiteral("DL3CHG");
        QsoWriteBack(*book.dm).write(change);
        QCOMPARE(book.db.table("LOG14"), bandTable);
        QCOMPARE(row(book.db, "LOG14", "1", "call,num"), "call=DL1FST num=" + first);
        QCOMPARE(row(book.db, "LOGSSB", "1", "call,num"), "call=DL3CHG num=" + second);
    }

    void aBandChangeMovesTheCopies()
    {
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        QsoChange change = book.show(id);
        change.band = QStringLiteral("21");
        QsoWriteBack(*book.dm).move(change, QStringLiteral("14"), QStringLiteral("SSB"));
        QCOMPARE(row(book.db, "LOG", "id=" + id, "banda,modo"), "banda=21 modo=SSB");
        // The only row of the old table becomes the placeholder; the new table's placeholder is taken.
        QCOMPARE(count(book.db, "LOG14"), "1");
        QCOMPARE(row(book.db, "LOG14", "1", copyColumns), "call=<null> loc=<null> data=<null> banda=<null> modo=<null> dok=* conf=<null> num=<null>");
        QCOMPARE(count(book.db, "LOG21"), "1");
        QCOMPARE(row(book.db, "LOG21", "1", copyColumns), "call=DL1ABC loc=BERLIN data=05/03/2009 banda=21 modo=SSB dok=A01 conf=C num=" + id);
        QCOMPARE(row(book.db, "LOGSSB", "1", "banda,num"), "banda=21 num=" + id);
        QCOMPARE(count(book.db, "LOGSSB"), "1");
        QCOMPARE(row(book.db, "DOK", "DOK='A01'", "T14,SSB14,T21,SSB21,SSB"), "T14=C SSB14=C T21=C SSB21=C SSB=C");
    }

    void aBandChangeLeavesTheRowsOfOtherQsos()
    {
        Book book;
        const QString first = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("CW"), QStringLiteral("DL1FST"));
        const QString second = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL2SND"));
        const QString other = book.save(QStringLiteral("B05"), QStringLiteral("21"), QStringLiteral("CW"), QStringLiteral("DL4OTH"));
        const QString band14 = book.db.table("LOG14");
        QsoChange change = book.show(second);
        change.band = QStringLiteral("21");
        QsoWriteBack(*book.dm).move(change, QStringLiteral("14"), QStringLiteral("SSB"));
        // LOG14's only row belongs to the CW QSO: it stays.
        QCOMPARE(book.db.table("LOG14"), band14);
        QCOMPARE(row(book.db, "LOG14", "1", "num"), "num=" + first);
        QCOMPARE(count(book.db, "LOG21"), "2");
        QCOMPARE(row(book.db, "LOG21", "dok='B05'", "num"), "num=" + other);
        QCOMPARE(row(book.db, "LOG21", "dok='A01'", "call,banda,num"), "call=DL2SND banda=21 num=" + second);
    }

    void aDokWithARowInTheNewTableGetsNoSecond()
    {
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        const QString other = book.save(QStringLiteral("A01"), QStringLiteral("21"), QStringLiteral("CW"), QStringLiteral("DL4OTH"));
        QsoChange change = book.show(id);
        change.band = QStringLiteral("21");
        QsoWriteBack(*book.dm).move(change, QStringLiteral("14"), QStringLiteral("SSB"));
        QCOMPARE(count(book.db, "LOG21"), "1");
        QCOMPARE(row(book.db, "LOG21", "1", "call,modo,num"), "call=DL4OTH modo=CW num=" + other);
    }

    void aModeChangePutsTheBandCopyBackWithTheNewMode()
    {
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("3.5"), QStringLiteral("SSB"));
        book.save(QStringLiteral("B05"), QStringLiteral("3.5"), QStringLiteral("SSB"), QStringLiteral("DL4OTH"));
        QsoChange change = book.show(id);
        change.mode = QStringLiteral("CW");
        QsoWriteBack(*book.dm).move(change, QStringLiteral("3.5"), QStringLiteral("SSB"));
        QCOMPARE(count(book.db, "LOG3"), "2");
        QCOMPARE(row(book.db, "LOG3", "dok='A01'", "banda,modo,num"), "banda=3.5 modo=CW num=" + id);
        QCOMPARE(count(book.db, "LOGSSB"), "1");
        QCOMPARE(row(book.db, "LOGSSB", "1", "dok"), "dok=B05");
        QCOMPARE(row(book.db, "LOGCW", "1", "dok,num"), "dok=A01 num=" + id);
        QCOMPARE(row(book.db, "DOK", "DOK='A01'", "T3,CW3,CW,SSB3"), "T3=C CW3=C CW=C SSB3=C");
    }

    void partialNamesAreRefused_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("mode");
        QTest::newRow("band") << "2" << "SSB";
        QTest::newRow("empty band") << "" << "SSB";
        QTest::newRow("mode") << "14" << "S";
    }

    void partialNamesAreRefused()
    {
        QFETCH(QString, band);
        QFETCH(QString, mode);
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        const QString before = book.db.content();
        QsoChange change = book.show(id);
        change.band = band;
        change.mode = mode;
        QVERIFY_THROWS_EXCEPTION(EngineError, QsoWriteBack(*book.dm).move(change, QStringLiteral("14"), QStringLiteral("SSB")));
        QCOMPARE(book.db.content(), before);
    }

    void aFailureHalfWayStoresNothing_data()
    {
        QTest::addColumn<bool>("bandChange");
        QTest::newRow("item") << false;
        QTest::newRow("band") << true;
    }

    void aFailureHalfWayStoresNothing()
    {
        QFETCH(bool, bandChange);
        Book book;
        const QString id = book.save(QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
        // The mode table is written after LOG and the band tables.
        book.db.execute("CREATE TRIGGER refuse BEFORE UPDATE ON LOGSSB BEGIN SELECT RAISE(ABORT, 'disk full'); END;"
                        "CREATE TRIGGER refuseNew BEFORE INSERT ON LOGSSB BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
        const QString before = book.db.content();
        QsoChange change = book.show(id);
        change.call = QStringLiteral("DK5NEW");
        change.status = QStringLiteral("*");
        change.band = bandChange ? QStringLiteral("21") : change.band;
        QsoWriteBack writeBack(*book.dm);
        try {
            bandChange ? writeBack.move(change, QStringLiteral("14"), QStringLiteral("SSB")) : writeBack.write(change);
            QFAIL("the write-back did not fail");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains("disk full"), qPrintable(error.text()));
        }
        QCOMPARE(book.db.content(), before);
        // The views show what is stored, and the next write-back works.
        QCOMPARE(book.dm->log.text(QStringLiteral("call")), "DL1ABC");
        book.db.execute("DROP TRIGGER refuse; DROP TRIGGER refuseNew");
        QsoChange retry = book.show(id);
        retry.call = QStringLiteral("DK5NEW");
        writeBack.write(retry);
        QCOMPARE(row(book.db, "LOGSSB", "1", "call"), "call=DK5NEW");
    }
};

QTEST_MAIN(QsoWriteBackTest)
#include "tst_qsowriteback.moc"
