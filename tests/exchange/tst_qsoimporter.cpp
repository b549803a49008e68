#include "adifmapping.h"
#include "adifreader.h"
#include "adifwriter.h"
#include "adiftext.h"
#include "engineerror.h"
#include "exchangeerror.h"
#include "logbook.h"
#include "qsoexporter.h"
#include "qsoimporter.h"
#include "recalculation.h"
#include "vocabulary.h"

#include <QPushButton>
#include <QtTest>

using namespace adiftext;

namespace {

ImportReport import(LogData &dm, const QByteArray &bytes, bool addDoks = false)
{
    AdifReader reader(bytes);
    QsoImporter importer(dm);
    importer.addUnknownDoks = [=](const QStringList &) { return addDoks; };
    return importer.run(reader);
}

QStringList bandAndModeTables()
{
    QStringList names;
    for (const QString &band : vocab::bands())
        names << vocab::bandTable(vocab::bandSuffix(band));
    for (const QString &mode : vocab::modes())
        names << vocab::modeTable(mode);
    return names;
}

// LOG, every band and mode table and the DOK list with its cells, as they are on disk.
QString logTables(const TestDatabase &db)
{
    QString text;
    for (const QString &name : QStringList{"LOG", "DOK"} + bandAndModeTables())
        text += name + QLatin1Char('\n') + db.table(name);
    return text;
}

QString reasonsOf(const ImportReport &report)
{
    QStringList reasons;
    for (const ImportReport::Group &group : report.skipped)
        reasons << group.reason;
    return reasons.join(QLatin1Char(','));
}

// The log written as ADIF and read back: every record's fields.
std::vector<QsoRecord> exported(LogData &dm)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("export.adi");
    {
        AdifWriter writer(path);
        QsoExporter(dm).exportLog(writer);
    }
    AdifReader reader(path);
    std::vector<QsoRecord> records;
    QsoRecord record;
    while (reader.next(record))
        records.push_back(record);
    return records;
}

// The QSL fields of a record as ADIF text, in file order: what other loggers read back.
QByteArray qslFieldsOf(const QsoRecord &record)
{
    QByteArray text;
    for (const QsoField &field : record.fields) {
        if (adif::isReceivedQslField(field.name))
            text += adif::fieldText(field.name, field.value);
    }
    return text;
}

// A record read from a file, written again as its fields' UTF-8.
void writeRecord(QsoWriter &writer, const QsoRecord &record)
{
    std::vector<QByteArray> values;
    std::vector<FieldBytes> fields;
    values.reserve(record.fields.size());
    for (const QsoField &field : record.fields) {
        values.push_back(field.value.toUtf8());
        fields.push_back({field.name, values.back()});
    }
    writer.writeFields(fields);
}

// Imports the records, agreeing to add the DOKs missing from the list; asked gets the codes
// the question named.
ImportReport importAddingDoks(LogData &dm, const QByteArray &records, QStringList &asked)
{
    AdifReader reader(records);
    QsoImporter importer(dm);
    importer.addUnknownDoks = [&](const QStringList &codes) {
        asked = codes;
        return true;
    };
    return importer.run(reader);
}

} // namespace

class QsoImporterTest : public QObject
{
    Q_OBJECT

private slots:
    // One record per row: what LOG holds afterwards ("" when skipped) and the skip reason.
    void records_data()
    {
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("skipped");
        QTest::newRow("band from BAND") << qso("DL1ABC", "A01", "20m", "SSB")
                                        << "DL1ABC|05/03/2009|14|SSB|A01|C|14" << "";
        QTest::newRow("band from FREQ")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"FREQ", "3.512"}, {"MODE", "CW"},
                       {"DARC_DOK", "A01"}})
            << "DL1ABC|05/03/2009|3.5|CW|A01|*|3" << "";
        QTest::newRow("160 m and 70 cm") << qso("DL1ABC", "A01", "160M", "CW") + qso("DL1ABC", "A01", "70cm", "FM")
                                         << "DL1ABC|05/03/2009|1.8|CW|A01|C|1;DL1ABC|05/03/2009|433|FM|A01|C|433" << "";
        QTest::newRow("USB is SSB")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "40m"}, {"MODE", "SSB"},
                       {"SUBMODE", "USB"}, {"DARC_DOK", "A01"}})
            << "DL1ABC|05/03/2009|7|SSB|A01|*|7" << "";
        QTest::newRow("USB as the mode of older files") << qso("DL1ABC", "A01", "40m", "USB")
                                                        << "DL1ABC|05/03/2009|7|SSB|A01|C|7" << "";
        QTest::newRow("PSK31 is PSK") << qso("DL1ABC", "A01", "20m", "PSK31") << "DL1ABC|05/03/2009|14|PSK|A01|C|14" << "";
        QTest::newRow("PSK with submode PSK63")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "PSK"},
                       {"SUBMODE", "PSK63"}, {"DARC_DOK", "A01"}, {"LOTW_QSL_RCVD", "Y"}})
            << "DL1ABC|05/03/2009|14|PSK|A01|C|14" << "";
        QTest::newRow("lower-case names and values")
            << QByteArray("<call:6>dl1abc<qso_date:8>20090305<band:3>20m<mode:3>ssb<darc_dok:4> a01<qth:6>berlin"
                          "<eqsl_qsl_rcvd:1>y<eor>")
            << "DL1ABC|05/03/2009|14|SSB|A01|C|14|BERLIN" << "";
        QTest::newRow("Latin-1 bytes") << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"},
                                                  {"MODE", "CW"}, {"DARC_DOK", "C12"}, {"QTH", "M\xfcnchen"}})
                                       << QStringLiteral("DL1ABC|05/03/2009|14|CW|C12|*|14|M\u00dcNCHEN") << "";
        QTest::newRow("sharp s kept as the fields keep it")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "CW"},
                       {"DARC_DOK", "C12"}, {"QTH", "Gro\xdf" "enhain"}})
            << QStringLiteral("DL1ABC|05/03/2009|14|CW|C12|*|14|GRO\u00dfENHAIN") << "";
        QTest::newRow("a call beyond ASCII")
            << record({{"CALL", "dl1\xe4" "bc"}, {"QSO_DATE", " 20090305 "}, {"BAND", "20M"}, {"MODE", "Usb"},
                       {"DARC_DOK", "c12"}})
            << QStringLiteral("DL1\u00c4BC|05/03/2009|14|SSB|C12|*|14") << "";
        QTest::newRow("this program's own status in lower case")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "CW"},
                       {"DARC_DOK", "A01"}, {"APP_WZPLOG_CONF", " a "}, {"QSL_RCVD", "N"}})
            << "DL1ABC|05/03/2009|14|CW|A01|A|14" << "";
        QTest::newRow("missing DOK")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "CW"}}) << ""
            << "no DARC_DOK";
        QTest::newRow("unknown mode") << qso("DL1ABC", "A01", "20m", "FT8") << "" << "mode not counted";
        QTest::newRow("band not counted") << qso("DL1ABC", "A01", "60m", "CW") << "" << "band not counted";
        QTest::newRow("frequency outside the bands")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"FREQ", "5.3515"}, {"MODE", "CW"},
                       {"DARC_DOK", "A01"}})
            << "" << "band not counted";
        QTest::newRow("DOK missing from the list") << qso("DL1ABC", "Q99X", "20m", "CW") << "" << "DOK not in the list";
        QTest::newRow("bad date") << qso("DL1ABC", "A01", "20m", "CW", "20091305") << "" << "no valid QSO_DATE";
        QTest::newRow("duplicate") << qso("DL1ABC", "A01", "20m", "CW") + qso("dl1abc", "a01", "20m", "CW", "20090305", "N")
                                   << "DL1ABC|05/03/2009|14|CW|A01|C|14" << "";
        QTest::newRow("record without <EOR> at the end")
            << qso("DL1ABC", "A01", "20m", "CW") + field("CALL", "DK0X") + field("DARC_DOK", "B01")
            << "DL1ABC|05/03/2009|14|CW|A01|C|14" << "record without <EOR> at the end of the file";
    }

    void records()
    {
        QFETCH(QByteArray, records);
        QFETCH(QString, logged);
        QFETCH(QString, skipped);
        DataModule data;
        const ImportReport report = import(*data.dm, file(records));
        QCOMPARE(reasonsOf(report), skipped);
        QCOMPARE(data.db.value("SELECT group_concat(call||'|'||data||'|'||banda||'|'||modo||'|'||dok||'|'||conf||'|'||mhz"
                               "||ifnull('|'||loc,''), ';') FROM (SELECT * FROM LOG ORDER BY id)"),
                 logged);
        QCOMPARE(report.imported, logged.isEmpty() ? 0 : int(logged.count(';')) + 1);
        if (QByteArray(QTest::currentDataTag()) == "duplicate") {
            QCOMPARE(report.duplicates.count, 1);
            QCOMPARE(report.duplicates.examples.size(), 1);
        }
        QVERIFY(report.text().contains(QStringLiteral("QSOs imported: %1").arg(report.imported)));
    }

    void qsoLandsLikeASave()
    {
        DataModule data;
        const ImportReport report = import(*data.dm, file(qso("DL1ABC", "A01", "160m", "CW") + qso("DA0X", "APOLLO", "2m", "FM")));
        QCOMPARE(report.imported, 2);
        QCOMPARE(data.db.value("SELECT T1||CW1||CW||CONF||T14 FROM DOK WHERE DOK='A01'"), QStringLiteral("CCCC*"));
        QCOMPARE(data.db.value("SELECT count(*)||'/'||num||'/'||conf FROM LOG1"), QStringLiteral("1/1/C"));
        QCOMPARE(data.db.value("SELECT count(*)||'/'||num FROM LOGCW"), QStringLiteral("1/1"));
        QCOMPARE(data.db.value("SELECT ifnull(spec,'null') FROM LOG WHERE id=1"), QStringLiteral("null"));
        // A special DOK's QSO is marked in LOG and in its band and mode tables.
        QCOMPARE(data.db.value("SELECT spec FROM LOG WHERE id=2"), QStringLiteral("S"));
        QCOMPARE(data.db.value("SELECT spec||num FROM LOG144"), QStringLiteral("S2"));
        QCOMPARE(data.db.value("SELECT spec||num FROM LOGFM"), QStringLiteral("S2"));
        // The data module's views show what came in.
        QCOMPARE(data.dm->log.recordCount(), 2);
    }

    void confirmedQsoTakesTheRow()
    {
        DataModule data;
        import(*data.dm, file(qso("DL1ABC", "A01", "20m", "SSB", "20090305", "N") + qso("DL2XY", "A01", "20m", "CW", "20090306")
                              + qso("DL3ZZ", "A01", "20m", "SSB", "20090307", "N")));
        // The band table had the unconfirmed first QSO; the confirmed one takes its row, and a
        // later unconfirmed one leaves it.
        QCOMPARE(data.db.value("SELECT group_concat(num||conf) FROM LOG14"), QStringLiteral("2C"));
        QCOMPARE(data.db.value("SELECT group_concat(num||conf) FROM LOGSSB"), QStringLiteral("1*"));
        QCOMPARE(data.db.value("SELECT group_concat(num||conf) FROM LOGCW"), QStringLiteral("2C"));
        // Cells: the later QSO decides.
        QCOMPARE(data.db.value("SELECT T14||'/'||SSB14||'/'||CW14||'/'||SSB||'/'||CW||'/'||CONF FROM DOK WHERE DOK='A01'"),
                 QStringLiteral("*/*/C/*/C/C"));
    }

    void accreditedCellsStay()
    {
        DataModule data("UPDATE DOK SET T14='A', SSB='A' WHERE DOK='A01'");
        import(*data.dm, file(qso("DL1ABC", "A01", "20m", "SSB", "20090305", "N")));
        QCOMPARE(data.db.value("SELECT T14||SSB14||SSB||CONF FROM DOK WHERE DOK='A01'"), QStringLiteral("A*AC"));
    }

    void importThenRefreshMatchesSavingThroughThePanel()
    {
        struct Qso
        {
            const char *dok, *band, *adifBand, *mode, *call, *day;
        };
        const Qso qsos[] = {
            {"A01", "1.8", "160m", "CW", "DL1ABC", "5"}, {"A01", "1.8", "160m", "SSB", "DL1ABC", "6"},
            {"B05", "14", "20m", "SSB", "DL2XY", "7"},  {"APOLLO", "144", "2m", "FM", "DA0AP", "8"},
            {"A01", "14", "20m", "RTTY", "DL1ABC", "9"},
        };
        Logbook saved;
        QByteArray records;
        EntryForm form(saved);
        saved.main->action("Nuovo1")->trigger();
        for (const Qso &q : qsos) {
            form.enter(q.dok, q.band, q.mode, q.call, q.day, "3", "2009", "BERLIN");
            QTest::mouseClick(form.registra2, Qt::LeftButton);
            const QByteArray date = QByteArray("2009030") + q.day;
            records += record({{"CALL", q.call}, {"QSO_DATE", date.constData()}, {"BAND", q.adifBand},
                               {"MODE", q.mode}, {"DARC_DOK", q.dok}, {"QTH", "BERLIN"}, {"QSL_RCVD", "Y"}});
        }
        QCOMPARE(saved.db.value("SELECT count(*) FROM LOG"), QStringLiteral("5"));

        DataModule imported;
        QCOMPARE(import(*imported.dm, file(records)).imported, 5);
        const QString afterImport = logTables(imported.db);
        Recalculation(*imported.dm).run();
        // The delivered log counts as refreshed: a refresh right after the import changes no cell.
        QCOMPARE(logTables(imported.db), afterImport);
        Recalculation(*saved.dm).run();
        QCOMPARE(logTables(imported.db), logTables(saved.db));
        QCOMPARE(imported.db.table("RIEP", {"dataagg"}), saved.db.table("RIEP", {"dataagg"}));
    }

    void cancelLeavesTheFileUnchanged()
    {
        DataModule data;
        QByteArray records;
        for (int i = 0; i < 2000; ++i)
            records += qso(QByteArray("DL" + QByteArray::number(i)).constData(), "A01", "20m", "CW");
        const QString before = data.db.content();
        AdifReader reader(file(records));
        QsoImporter importer(*data.dm);
        int calls = 0;
        importer.onProgress = [&](qint64 done, qint64 total) {
            return ++calls < 6 && done < total; // cancels while the QSOs are being written
        };
        const ImportReport report = importer.run(reader);
        QVERIFY(report.cancelled);
        QCOMPARE(calls, 6);
        QCOMPARE(data.db.content(), before);
        QVERIFY(report.text().contains(QStringLiteral("cancelled")));
    }

    void brokenFileChangesNothing()
    {
        DataModule data;
        const QString before = data.db.content();
        try {
            import(*data.dm, file(qso("DL1ABC", "A01", "20m", "CW") + "<CALL:99>DK"));
            QFAIL("a broken file was imported");
        } catch (const ExchangeError &error) {
            QVERIFY(error.text().contains(QStringLiteral("longer than the rest of the file")));
        }
        QCOMPARE(data.db.content(), before);
    }

    void failingDatabaseChangesNothing()
    {
        // A mode table that cannot be written stops the import half-way: everything goes back.
        DataModule data("DROP TABLE LOGFM; CREATE TABLE LOGFM (dok TEXT, num INTEGER CHECK (num < 0))");
        const QString before = data.db.content();
        QVERIFY_THROWS_EXCEPTION(EngineError, import(*data.dm, file(qso("DL1ABC", "A01", "20m", "CW") + qso("DL1ABC", "A01", "2m", "FM"))));
        QCOMPARE(data.db.content(), before);
        QCOMPARE(data.dm->log.recordCount(), 0);
    }

    void unknownDoksAddedWhenAgreed()
    {
        DataModule data;
        const QByteArray records = file(qso("DL1ABC", "Q77", "20m", "CW") + qso("DA0XX", "xmas24", "20m", "CW")
                                        + qso("DL1ABC", "Q77", "40m", "CW"));
        QStringList asked;
        const ImportReport report = importAddingDoks(*data.dm, records, asked);
        QCOMPARE(asked, (QStringList{"Q77", "XMAS24"}));
        QCOMPARE(report.doksAdded, 2);
        QCOMPARE(report.imported, 3);
        QCOMPARE(data.db.value("SELECT ifnull(SPEC,'null')||T14||T7||CW||CONF||T50 FROM DOK WHERE DOK='Q77'"),
                 QStringLiteral("nullCCCC*"));
        QCOMPARE(data.db.value("SELECT SPEC||T14 FROM DOK WHERE DOK='XMAS24'"), QStringLiteral("SC"));
        QCOMPARE(data.db.value("SELECT spec FROM LOG WHERE dok='XMAS24'"), QStringLiteral("S"));
    }

    // Adding the DOKs imports the file again from the start: the QSOs still come in the order
    // of the file, and none is reported skipped for a DOK that is now in the list.
    void agreedDoksKeepTheOrderOfTheFile()
    {
        DataModule data;
        const QByteArray records = file(qso("DL1ABC", "A01", "20m", "CW") + qso("DL2XY", "Q77", "40m", "SSB")
                                        + qso("DL3ZZ", "B05", "20m", "CW") + qso("DL4AA", "Q77", "20m", "CW")
                                        + qso("DL5BB", "Q77", "2cm", "CW"));
        QStringList asked;
        const ImportReport report = importAddingDoks(*data.dm, records, asked);
        QCOMPARE(asked, QStringList{"Q77"});
        QCOMPARE(report.records, 5);
        QCOMPARE(report.imported, 4);
        QCOMPARE(reasonsOf(report), QStringLiteral("band not counted"));
        QCOMPARE(data.db.value("SELECT group_concat(call, ',') FROM (SELECT call FROM LOG ORDER BY id)"),
                 QStringLiteral("DL1ABC,DL2XY,DL3ZZ,DL4AA"));
        QCOMPARE(data.db.value("SELECT group_concat(call, ',') FROM (SELECT call FROM LOG14 WHERE dok='Q77')"),
                 QStringLiteral("DL4AA"));
    }

    // Codes of the list are found in any case, the short plain ones by their bytes, the others
    // (longer, or with letters beyond ASCII) by their text.
    void doksOfEveryShapeAreFound()
    {
        DataModule data;
        data.db.execute("INSERT INTO DOK (DOK, SPEC) VALUES ('JUBILAEUM2025', 'S'), ('\u00dc12', NULL)");
        const ImportReport report = import(*data.dm, file(qso("DA0JUB", "jubilaeum2025", "20m", "CW")
                                                           + qso("DL1ABC", "\xc3\xbc" "12", "40m", "SSB")
                                                           + qso("DL2XY", "a01", "20m", "CW")));
        QCOMPARE(report.imported, 3);
        QCOMPARE(reasonsOf(report), QString());
        QCOMPARE(data.db.value("SELECT T14||CW||CONF FROM DOK WHERE DOK='JUBILAEUM2025'"), QStringLiteral("CCC"));
        QCOMPARE(data.db.value("SELECT T7||SSB||CONF FROM DOK WHERE DOK='\u00dc12'"), QStringLiteral("CCC"));
        QCOMPARE(data.db.value("SELECT T14||CONF FROM DOK WHERE DOK='A01'"), QStringLiteral("CC"));
    }

    void onlyDokCodesAreAddedToTheList()
    {
        DataModule data;
        const QString doks = data.db.table("DOK");
        const QByteArray longCode(5000, 'Q');
        const QByteArray records = file(qso("DL1ABC", "<SCRIPT>", "20m", "CW") + qso("DL2XY", longCode.constData(), "20m", "CW")
                                        + qso("DL3ZZ", "Q77", "20m", "CW"));
        QStringList asked;
        const ImportReport report = importAddingDoks(*data.dm, records, asked);
        QCOMPARE(asked, QStringList{"Q77"});
        QCOMPARE(report.doksAdded, 1);
        QCOMPARE(report.imported, 1);
        QCOMPARE(reasonsOf(report), QStringLiteral("DARC_DOK is not a DOK code"));
        QCOMPARE(data.db.value("SELECT count(*) FROM DOK WHERE DOK LIKE '%SCRIPT%' OR length(DOK) > 10"), QStringLiteral("0"));
        QCOMPARE(data.db.value("SELECT count(*) FROM DOK WHERE DOK='Q77'"), QStringLiteral("1"));
        QCOMPARE(data.db.value("SELECT count(*) FROM LOG WHERE call<>'DL3ZZ'"), QStringLiteral("0"));
    }

    void unknownDoksSkippedWhenDeclined()
    {
        DataModule data;
        const QString doks = data.db.table("DOK");
        const ImportReport report = import(*data.dm, file(qso("DL1ABC", "Q77", "20m", "CW")), false);
        QCOMPARE(report.imported, 0);
        QCOMPARE(reasonsOf(report), QStringLiteral("DOK not in the list"));
        QCOMPARE(data.db.table("DOK"), doks);
    }

    // What the side table keeps of a record: the fields LOG has no column for, and the mode of an
    // older file as the submode it stands for.
    void otherFieldsAreKept_data()
    {
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QString>("kept");
        QTest::newRow("fields without a column")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"TIME_ON", "1205"}, {"FREQ", "14.205"}, {"MODE", "SSB"},
                       {"RST_SENT", "59"}, {"DARC_DOK", "A01"}, {"COMMENT", "gr\xc3\xbc\xc3\x9f"}})
            << QStringLiteral("1 <TIME_ON:4>1205<FREQ:6>14.205<RST_SENT:2>59<COMMENT:6>gr\u00fc\u00df");
        QTest::newRow("an older mode in any case")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "40m"}, {"MODE", " usb "}, {"DARC_DOK", "A01"}})
            << "1 <SUBMODE:3>USB";
        QTest::newRow("a counted mode in any case")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "40m"}, {"MODE", "Cw"}, {"DARC_DOK", "A01"}})
            << "";
        QTest::newRow("an older mode beside its submode")
            << record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "40m"}, {"MODE", "USB"}, {"SUBMODE", "USB"},
                       {"DARC_DOK", "A01"}})
            << "1 <SUBMODE:3>USB";
    }

    void otherFieldsAreKept()
    {
        QFETCH(QByteArray, records);
        QFETCH(QString, kept);
        DataModule data;
        QCOMPARE(import(*data.dm, file(records)).imported, 1);
        QCOMPARE(data.db.value("SELECT ifnull(group_concat(num||' '||fields, ';'), '') FROM ADIFFIELDS"), kept);
    }

    void exportThenImportGivesTheSameLog()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("log.adi");
        DataModule first;
        import(*first.dm, file(qso("DL1ABC", "A01", "160m", "CW") + qso("DL2XY", "A01", "20m", "SSB", "20090306", "N")
                               + record({{"CALL", "DA0AP"}, {"QSO_DATE", "20100101"}, {"FREQ", "144.300"}, {"MODE", "FM"},
                                         {"DARC_DOK", "APOLLO"}, {"TIME_ON", "0930"}, {"QTH", "Potsdam"}})
                               + qso("DL3ZZ", "B05", "20m", "PSK31") + qso("DL4AA", "C12", "30m", "RTTY")));
        first.db.execute("UPDATE LOG SET conf='A' WHERE id=4; UPDATE LOGPSK SET conf='A' WHERE num=4;"
                       "UPDATE LOG14 SET conf='A' WHERE num=4");
        {
            AdifWriter writer(path);
            QCOMPARE(QsoExporter(*first.dm).exportLog(writer), 5);
        }
        QFile exported(path);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray text = exported.readAll();
        QVERIFY(text.contains("<PROGRAMID:11>WZP Logbook"));
        QVERIFY(text.contains("<MODE:3>PSK"));
        QVERIFY(text.contains("<SUBMODE:5>PSK31"));
        QVERIFY(text.contains("<TIME_ON:4>0930"));

        DataModule second;
        AdifReader reader(path);
        const ImportReport report = QsoImporter(*second.dm).run(reader);
        QCOMPARE(report.imported, 5);
        for (const QString &name : QStringList{"LOG", "ADIFFIELDS"} + bandAndModeTables())
            QCOMPARE(second.db.table(name), first.db.table(name));
    }

    void exportOfOneAward()
    {
        QTemporaryDir folder;
        DataModule data;
        import(*data.dm, file(qso("DL1ABC", "B05", "20m", "CW") + qso("DL2XY", "A01", "20m", "SSB")
                              + qso("DL3ZZ", "C12", "20m", "SSB", "20090305", "N") + qso("DL4AA", "A02", "40m", "SSB")));
        const QString path = folder.filePath("award.adi");
        {
            AdifWriter writer(path);
            QCOMPARE(QsoExporter(*data.dm).exportAward(writer, "14"), 2);
        }
        AdifReader reader(path);
        QsoRecord record;
        QStringList doks;
        while (reader.next(record))
            doks << record.value("DARC_DOK");
        QCOMPARE(doks, QStringList({"A01", "B05"}));
        {
            AdifWriter writer(folder.filePath("ssb.adi"));
            QCOMPARE(QsoExporter(*data.dm).exportAward(writer, "ssb"), 2);
        }
        AdifWriter writer(folder.filePath("none.adi"));
        QVERIFY_THROWS_EXCEPTION(ExchangeError, QsoExporter(*data.dm).exportAward(writer, "60"));
    }

    void confirmedDuplicateConfirmsTheLoggedQso()
    {
        DataModule data;
        import(*data.dm, file(qso("DL1ABC", "A01", "20m", "SSB", "20090305", "N") + qso("DL2XY", "B05", "40m", "CW")));
        QCOMPARE(data.db.value("SELECT SSB14||T14||SSB FROM DOK WHERE DOK='A01'"), QStringLiteral("***"));
        const ImportReport report = import(
            *data.dm, file(record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "SSB"},
                                   {"DARC_DOK", "A01"}, {"LOTW_QSL_RCVD", "V"}, {"LOTW_QSLRDATE", "20240102"}})
                           + qso("DL2XY", "B05", "40m", "CW")));
        QCOMPARE(report.imported, 0);
        QCOMPARE(report.confirmedByFile.count, 1);
        QCOMPARE(report.duplicates.count, 1);
        QVERIFY(report.text().contains(QStringLiteral("Duplicates (confirmed by this file): 1")));
        QVERIFY(report.text().contains(QStringLiteral("Duplicates (already in the log): 1")));
        QCOMPARE(data.db.value("SELECT group_concat(id||conf) FROM LOG"), QStringLiteral("1C,2C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOG14"), QStringLiteral("1C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOGSSB"), QStringLiteral("1C"));
        QCOMPARE(data.db.value("SELECT SSB14||T14||SSB||CONF FROM DOK WHERE DOK='A01'"), QStringLiteral("CCCC"));
        // The confirmation's fields join what the QSO came with, for the export.
        QCOMPARE(data.db.value("SELECT fields FROM ADIFFIELDS WHERE num=1"),
                 QStringLiteral("<QSL_RCVD:1>N<LOTW_QSL_RCVD:1>V<LOTW_QSLRDATE:8>20240102"));
        // The refresh finds nothing to change.
        const QString before = logTables(data.db);
        Recalculation(*data.dm).run();
        QCOMPARE(logTables(data.db), before);
    }

    void confirmedDuplicateTakesTheRowOfAnUnconfirmedQso()
    {
        DataModule data;
        // Two unconfirmed QSOs of A01 on 20 m; the band table shows the first. The second gets confirmed.
        import(*data.dm, file(qso("DL1ABC", "A01", "20m", "SSB", "20090305", "N") + qso("DL2XY", "A01", "20m", "CW", "20090306", "N")));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOG14"), QStringLiteral("1*"));
        import(*data.dm, file(qso("DL2XY", "A01", "20m", "CW", "20090306", "Y")));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOG14"), QStringLiteral("2C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOGCW"), QStringLiteral("2C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOGSSB"), QStringLiteral("1*"));
    }

    // What the QSO came with, what the user made of its status, and the QSL fields the export gives.
    void exportGivesOtherLoggersTheirQslFields_data()
    {
        QTest::addColumn<QByteArray>("came");
        QTest::addColumn<QString>("status"); // empty: as the import left it
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("ownStatus");
        QTest::newRow("confirmed only through LoTW")
            << QByteArray("<LOTW_QSL_RCVD:1>Y<LOTW_QSLRDATE:8>20240105") << QString()
            << QByteArray("<LOTW_QSL_RCVD:1>Y<LOTW_QSLRDATE:8>20240105") << "C";
        QTest::newRow("no card, eQSL verified")
            << QByteArray("<QSL_RCVD:1>N<EQSL_QSL_RCVD:1>V<EQSL_QSLRDATE:8>20231224") << QString()
            << QByteArray("<QSL_RCVD:1>N<EQSL_QSL_RCVD:1>V<EQSL_QSLRDATE:8>20231224") << "C";
        QTest::newRow("card requested") << QByteArray("<QSL_RCVD:1>R") << QString() << QByteArray("<QSL_RCVD:1>R") << "*";
        QTest::newRow("no QSL field") << QByteArray() << QString() << QByteArray() << "*";
        QTest::newRow("card and date, accredited later")
            << QByteArray("<QSL_RCVD:1>Y<QSLRDATE:8>20100101") << "A" << QByteArray("<QSL_RCVD:1>Y<QSLRDATE:8>20100101") << "A";
        QTest::newRow("user took the confirmation back")
            << QByteArray("<QSL_RCVD:1>Y<DCL_QSL_RCVD:1>N") << "*" << QByteArray("<QSL_RCVD:1>N<DCL_QSL_RCVD:1>N") << "*";
        QTest::newRow("user confirmed a card that came later")
            << QByteArray("<QSL_RCVD:1>N") << "C" << QByteArray("<QSL_RCVD:1>Y") << "C";
        QTest::newRow("user confirmed a QSO without QSL field") << QByteArray() << "C" << QByteArray("<QSL_RCVD:1>Y") << "C";
    }

    void exportGivesOtherLoggersTheirQslFields()
    {
        QFETCH(QByteArray, came);
        QFETCH(QString, status);
        QFETCH(QByteArray, written);
        QFETCH(QString, ownStatus);
        DataModule data;
        import(*data.dm, file("<CALL:6>DL1ABC<QSO_DATE:8>20090305<BAND:3>20m<MODE:3>SSB<DARC_DOK:3>A01" + came + "<EOR>\n"));
        if (!status.isEmpty())
            data.db.execute(QStringLiteral("UPDATE LOG SET conf='%1'").arg(status));
        const std::vector<QsoRecord> records = exported(*data.dm);
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(qslFieldsOf(records[0]), written);
        QCOMPARE(records[0].value("APP_WZPLOG_CONF"), ownStatus);
    }

    // Kept text that another program wrote into the side table (names in any case, spaces and a
    // type between the fields) is read field by field and written as the import would have kept it.
    void keptTextOfAnotherFormExportsItsFields()
    {
        DataModule data;
        import(*data.dm, file(qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "B05", "40m", "CW")));
        data.db.execute("UPDATE ADIFFIELDS SET fields='<rst_sent:2>59 <Comment:5:S>hello <QSL_RCVD:1>Y' WHERE num=1;"
                        "UPDATE ADIFFIELDS SET fields='<rst_sent:2>57<COMMENT:2>ok' WHERE num=2");
        QTemporaryDir folder;
        const QString path = folder.filePath("export.adi");
        {
            AdifWriter writer(path);
            QCOMPARE(QsoExporter(*data.dm).exportLog(writer), 2);
        }
        QFile exported(path);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = exported.readAll().split('\n');
        const QByteArray first = "<CALL:6>DL1ABC <QSO_DATE:8>20090305 <BAND:3>20m <MODE:3>SSB <DARC_DOK:3>A01 "
                                 "<APP_WZPLOG_CONF:1>C <RST_SENT:2>59 <COMMENT:5>hello <QSL_RCVD:1>Y <EOR>";
        const QByteArray second = "<CALL:5>DL2XY <QSO_DATE:8>20090305 <BAND:3>40m <MODE:2>CW <DARC_DOK:3>B05 "
                                  "<QSL_RCVD:1>Y <APP_WZPLOG_CONF:1>C <RST_SENT:2>57 <COMMENT:2>ok <EOR>";
        QVERIFY2(lines.contains(first), qPrintable(lines.join('\n')));
        QVERIFY2(lines.contains(second), qPrintable(lines.join('\n')));
    }

    void qsoEnteredHereExportsItsOwnStatus()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "14", "SSB", "DL1ABC");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        form.enter("B05", "7", "CW", "DL2XY");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        book.db.execute("UPDATE LOG SET conf='*' WHERE call='DL2XY'");
        const std::vector<QsoRecord> records = exported(*book.dm);
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(qslFieldsOf(records[0]), QByteArray("<QSL_RCVD:1>Y"));
        QCOMPARE(qslFieldsOf(records[1]), QByteArray());
        QCOMPARE(records[1].value("APP_WZPLOG_CONF"), QStringLiteral("*"));
    }

    void importExportImportKeepsQslFieldsByteForByte()
    {
        const QByteArray records =
            record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "SSB"}, {"DARC_DOK", "A01"},
                    {"QSL_RCVD", "N"}, {"QSL_SENT", "Y"}, {"LOTW_QSL_RCVD", "Y"}, {"LOTW_QSLRDATE", "20240105"}})
            + record({{"CALL", "DL2XY"}, {"QSO_DATE", "20090306"}, {"BAND", "40m"}, {"MODE", "CW"}, {"DARC_DOK", "B05"},
                      {"QSL_RCVD", "Y"}, {"QSLRDATE", "20091201"}, {"QSL_RCVD_VIA", "B"}, {"EQSL_QSL_RCVD", "N"}})
            + record({{"CALL", "DK0X"}, {"QSO_DATE", "20090307"}, {"BAND", "2m"}, {"MODE", "FM"}, {"DARC_DOK", "C12"},
                      {"DCL_QSL_RCVD", "Y"}, {"DCL_QSLRDATE", "20250101"}, {"COMMENT", "Gr\xc3\xbc\xc3\x9f"}});
        AdifReader original(file(records));
        std::vector<QByteArray> came;
        QsoRecord record;
        while (original.next(record))
            came.push_back(qslFieldsOf(record));

        DataModule first;
        QCOMPARE(import(*first.dm, file(records)).imported, 3);
        const std::vector<QsoRecord> once = exported(*first.dm);
        QTemporaryDir folder;
        AdifWriter writer(folder.filePath("again.adi"));
        for (const QsoRecord &written : once)
            writeRecord(writer, written);
        writer.finish();
        DataModule second;
        AdifReader again(folder.filePath("again.adi"));
        QCOMPARE(QsoImporter(*second.dm).run(again).imported, 3);
        const std::vector<QsoRecord> twice = exported(*second.dm);
        QCOMPARE(twice.size(), size_t(3));
        for (size_t i = 0; i < 3; ++i) {
            QCOMPARE(qslFieldsOf(once[i]), came[i]);
            QCOMPARE(qslFieldsOf(twice[i]), came[i]);
            QCOMPARE(twice[i].value("COMMENT"), once[i].value("COMMENT"));
        }
        QCOMPARE(twice[2].value("COMMENT"), QStringLiteral("Gr\u00fc\u00df"));
        QCOMPARE(second.db.table("LOG"), first.db.table("LOG"));
    }

    void charactersAndBytesCountedImportTheSame()
    {
        // The same QSOs, once with byte lengths and once with the character lengths some loggers write.
        const QByteArray byBytes = record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "SSB"},
                                           {"DARC_DOK", "A01"}, {"QTH", "L\xc3\xbcneburg"}, {"COMMENT", "Gr\xc3\xbc\xc3\x9f" "e"}})
            + record({{"CALL", "DL2XY"}, {"QSO_DATE", "20090306"}, {"BAND", "40m"}, {"MODE", "CW"}, {"DARC_DOK", "B05"},
                      {"QTH", "M\xc3\xbcnchen"}, {"NAME", "J\xc3\xbcrgen"}});
        const QByteArray byCharacters =
            "<CALL:6>DL1ABC <QSO_DATE:8>20090305 <BAND:3>20m <MODE:3>SSB <DARC_DOK:3>A01 <QTH:8>L\xc3\xbcneburg "
            "<COMMENT:5>Gr\xc3\xbc\xc3\x9f" "e <EOR>\n"
            "<CALL:5>DL2XY <QSO_DATE:8>20090306 <BAND:3>40m <MODE:2>CW <DARC_DOK:3>B05 <QTH:7>M\xc3\xbcnchen "
            "<NAME:6>J\xc3\xbcrgen<EOR>\n";
        DataModule bytes;
        QCOMPARE(import(*bytes.dm, file(byBytes)).readByCharacters, 0);
        DataModule characters;
        const ImportReport report = import(*characters.dm, file(byCharacters));
        QCOMPARE(report.imported, 2);
        QCOMPARE(report.readByCharacters, 4);
        QVERIFY(report.text().contains(QStringLiteral("counted characters, not bytes (read so): 4")));
        QCOMPARE(characters.db.table("LOG"), bytes.db.table("LOG"));
        QCOMPARE(characters.db.table("ADIFFIELDS"), bytes.db.table("ADIFFIELDS"));
        QCOMPARE(characters.db.value("SELECT loc FROM LOG WHERE id=1"), QStringLiteral("L\u00dcNEBURG"));
        QCOMPARE(characters.db.value("SELECT fields FROM ADIFFIELDS WHERE num=1"), QStringLiteral("<COMMENT:7>Gr\u00fc\u00df" "e"));
    }

    void olderDatabaseGetsTheSideTable()
    {
        DataModule data("DROP TABLE ADIFFIELDS; PRAGMA user_version=0");
        QCOMPARE(data.db.value("SELECT count(*) FROM sqlite_master WHERE name='ADIFFIELDS'"), QStringLiteral("1"));
        QCOMPARE(data.db.value("PRAGMA user_version"), QStringLiteral("1"));
    }
};

QTEST_MAIN(QsoImporterTest)
#include "tst_qsoimporter.moc"
