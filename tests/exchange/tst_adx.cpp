#include "adifmapping.h"
#include "adifreader.h"
#include "adiftext.h"
#include "adxreader.h"
#include "exchangeerror.h"
#include "logbook.h"
#include "logfiles.h"
#include "qsoexporter.h"
#include "qsoimporter.h"

#include <QtTest>

using namespace adiftext;

namespace {

// name=value pairs of every record, one text per record.
QStringList readAll(QsoReader &reader)
{
    QStringList records;
    QsoRecord record;
    while (reader.next(record)) {
        QStringList fields;
        for (const QsoField &field : record.fields)
            fields << QString::fromUtf8(field.name) + QLatin1Char('=') + field.value;
        records << fields.join(QLatin1Char(' '));
    }
    return records;
}

QStringList readAdx(const QByteArray &bytes)
{
    AdxReader reader(bytes);
    return readAll(reader);
}

// A log with what other loggers put into their files: QSL fields of every service, times,
// umlauts, a line break, characters XML must escape, fields of other programs.
QByteArray richLog()
{
    return file(record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20240301"}, {"TIME_ON", "1205"}, {"BAND", "20m"}, {"MODE", "SSB"},
                        {"DARC_DOK", "A01"}, {"QTH", "L\xc3\xbcneburg"}, {"QSL_RCVD", "N"}, {"LOTW_QSL_RCVD", "Y"},
                        {"LOTW_QSLRDATE", "20240401"}, {"COMMENT", "<b>&amp; \"Gr\xc3\xbc\xc3\x9f" "e\"</b>"},
                        {"NOTES", "line one\r\nline two"}, {"APP_N1MM_EXCHANGE1", "A01"}})
                + record({{"CALL", "DK0X"}, {"QSO_DATE", "20240302"}, {"FREQ", "144.300"}, {"MODE", "FM"}, {"DARC_DOK", "C12"},
                          {"QSL_RCVD", "Y"}, {"QSLRDATE", "20240310"}, {"QSL_RCVD_VIA", "B"}, {"EQSL_QSL_RCVD", "V"},
                          {"DCL_QSL_RCVD", "N"}, {"MY/FIELD", "x"}})
                + qso("DL2XY", "B05", "40m", "CW", "20240303", "N"));
}

std::vector<QsoRecord> records(QsoReader &reader)
{
    std::vector<QsoRecord> all;
    QsoRecord record;
    while (reader.next(record))
        all.push_back(record);
    return all;
}

QString exportTo(LogData &dm, const QString &path)
{
    const std::unique_ptr<QsoWriter> writer = logfiles::createWriter(path);
    QsoExporter(dm).exportLog(*writer);
    return path;
}

} // namespace

class AdxTest : public QObject
{
    Q_OBJECT

private slots:
    void readsRecordsAsAdifTextDoes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("header and two records")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ADX><HEADER><ADIF_VER>3.1.4</ADIF_VER>"
                          "<USERDEF FIELDID=\"1\" TYPE=\"S\">MY_FIELD</USERDEF></HEADER>\n<RECORDS>\n"
                          "<RECORD><CALL>DL1ABC</CALL><BAND>20m</BAND></RECORD>\n<RECORD><CALL>DK0X</CALL></RECORD>"
                          "</RECORDS></ADX>")
            << QStringList{"CALL=DL1ABC BAND=20m", "CALL=DK0X"};
        QTest::newRow("application and user fields")
            << QByteArray("<ADX><RECORDS><RECORD><CALL>DL1ABC</CALL>"
                          "<APP PROGRAMID=\"WZPLOG\" FIELDNAME=\"CONF\" TYPE=\"S\">A</APP>"
                          "<USERDEF FIELDNAME=\"my_field\">x y</USERDEF></RECORD></RECORDS></ADX>")
            << QStringList{"CALL=DL1ABC APP_WZPLOG_CONF=A MY_FIELD=x y"};
        QTest::newRow("names in any case, escaped and UTF-8 text")
            << QByteArray("<adx><records><record><Call>DL1ABC</Call><qth>M\xc3\xbcnchen</qth>"
                          "<COMMENT>a &lt;b&gt; &amp; c</COMMENT><NAME></NAME></record></records></adx>")
            << QStringList{QStringLiteral("CALL=DL1ABC QTH=M\u00fcnchen COMMENT=a <b> & c NAME=")};
        QTest::newRow("no records") << QByteArray("<ADX><HEADER/><RECORDS/></ADX>") << QStringList{};
    }

    void readsRecordsAsAdifTextDoes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, records);
        QCOMPARE(readAdx(file), records);
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("not closed") << QByteArray("<ADX><RECORDS><RECORD><CALL>DL1ABC</CALL>") << "not valid ADX";
        QTest::newRow("mismatched tag") << QByteArray("<ADX><RECORDS><RECORD><CALL>DL</BAND></RECORD></RECORDS></ADX>")
                                        << "not valid ADX";
        QTest::newRow("not ADX") << QByteArray("<html><body/></html>") << "the root element is <html>, not <ADX>";
        QTest::newRow("ADIF text") << file(qso("DL1ABC", "A01", "20m", "SSB")) << "not valid ADX";
        QTest::newRow("a field twice")
            << QByteArray("<ADX><RECORDS><RECORD><CALL>DL</CALL><CALL>DK</CALL></RECORD></RECORDS></ADX>")
            << "record 1 has the field <CALL> twice";
        QTest::newRow("an application field without its name")
            << QByteArray("<ADX><RECORDS><RECORD><APP PROGRAMID=\"X\">1</APP></RECORD></RECORDS></ADX>") << "without PROGRAMID or FIELDNAME";
    }

    void brokenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        try {
            readAdx(file);
            QFAIL("a broken file was read");
        } catch (const ExchangeError &error) {
            QVERIFY2(error.text().contains(message), qPrintable(error.text()));
        }
    }

    void theExtensionChoosesTheFormat()
    {
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(richLog()));
        QTemporaryDir folder;
        const QByteArray xml = TestDatabase::fileBytes(exportTo(*data.dm, folder.filePath("log.ADX")));
        QVERIFY2(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ADX>\n <HEADER>\n  <ADIF_VER>3.1.4</ADIF_VER>"),
                 xml.constData());
        QVERIFY(xml.contains("<PROGRAMID>WZP Logbook</PROGRAMID>"));
        QVERIFY(xml.contains("<APP PROGRAMID=\"WZPLOG\" FIELDNAME=\"CONF\" TYPE=\"S\">C</APP>"));
        QVERIFY(xml.contains("<USERDEF FIELDNAME=\"MY/FIELD\">x</USERDEF>"));
        const QByteArray text = TestDatabase::fileBytes(exportTo(*data.dm, folder.filePath("log.adi")));
        QVERIFY(text.startsWith("ADIF export of WZP Logbook\n"));
        // Both read back to the same records, whichever way they are opened.
        const std::unique_ptr<QsoReader> fromXml = logfiles::openReader(folder.filePath("log.ADX"));
        const std::unique_ptr<QsoReader> fromText = logfiles::openReader(folder.filePath("log.adi"));
        const QStringList records = readAll(*fromXml);
        QCOMPARE(records.size(), 3);
        QCOMPARE(records, readAll(*fromText));
    }

    void roundTripKeepsEveryField()
    {
        DataModule first;
        QCOMPARE(QsoImporter(*first.dm).run(*std::make_unique<AdifReader>(richLog())).imported, 3);
        QTemporaryDir folder;
        const QString adx = exportTo(*first.dm, folder.filePath("log.adx"));
        DataModule second;
        const std::unique_ptr<QsoReader> reader = logfiles::openReader(adx);
        const ImportReport report = QsoImporter(*second.dm).run(*reader);
        QCOMPARE(report.imported, 3);
        for (const QString name : {"LOG", "ADIFFIELDS", "LOG14", "LOG144", "LOGFM", "DOK"})
            QCOMPARE(second.db.table(name), first.db.table(name));
        // The QSL fields of other loggers and every other kept field come back byte for byte.
        const std::unique_ptr<QsoReader> original = std::make_unique<AdifReader>(richLog());
        const std::vector<QsoRecord> came = records(*original);
        const std::unique_ptr<QsoReader> again = logfiles::openReader(exportTo(*second.dm, folder.filePath("again.adx")));
        const std::vector<QsoRecord> back = records(*again);
        QCOMPARE(back.size(), came.size());
        for (size_t i = 0; i < came.size(); ++i) {
            for (const QsoField &field : came[i].fields) {
                if (adif::isReceivedQslField(field.name) || field.name == "COMMENT" || field.name == "NOTES"
                    || field.name.startsWith("APP_N1MM") || field.name == "MY/FIELD")
                    QCOMPARE(adif::fieldText(field.name, back[i].value(field.name.constData())),
                             adif::fieldText(field.name, field.value));
            }
        }
        QCOMPARE(back[0].value("NOTES"), QStringLiteral("line one\r\nline two"));
    }
};

QTEST_MAIN(AdxTest)
#include "tst_adx.moc"
