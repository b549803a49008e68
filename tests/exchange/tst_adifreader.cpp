#include "adifreader.h"
#include "exchangeerror.h"

#include <QtTest>

namespace {

// name=value pairs of every record, one text per record; "!" marks a record without <EOR>.
QStringList readAll(const QByteArray &bytes)
{
    AdifReader reader(bytes);
    QStringList records;
    QsoRecord record;
    while (reader.next(record)) {
        QStringList fields;
        for (const QsoField &field : record.fields)
            fields << QString::fromLatin1(field.name) + QLatin1Char('=') + field.value;
        records << (record.terminated ? QString() : QStringLiteral("!")) + fields.join(QLatin1Char(' '));
    }
    return records;
}

} // namespace

class AdifReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void records_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("header and two records")
            << QByteArray("Exported by a logger\n<ADIF_VER:5>3.1.4 <EOH>\n<CALL:6>DL1ABC <BAND:3>20m <EOR>\n"
                          "<CALL:4>DK0X<EOR>\n")
            << QStringList{"CALL=DL1ABC BAND=20m", "CALL=DK0X"};
        QTest::newRow("no header") << QByteArray("<call:4>DK0X<eor>") << QStringList{"CALL=DK0X"};
        QTest::newRow("header starting with a field")
            << QByteArray("<ADIF_VER:5>3.1.4<EOH><CALL:4>DK0X<EOR>") << QStringList{"CALL=DK0X"};
        QTest::newRow("names in any case, a type indicator")
            << QByteArray("<Call:4:S>DK0X<Qso_Date:8:D>20240301<EoR>") << QStringList{"CALL=DK0X QSO_DATE=20240301"};
        QTest::newRow("length counts bytes of UTF-8")
            << QByteArray("<QTH:8>M\xc3\xbcnchen<EOR>") << QStringList{QStringLiteral("QTH=M\u00fcnchen")};
        QTest::newRow("ISO 8859-1 when not UTF-8")
            << QByteArray("<QTH:7>M\xfcnchen<EOR>") << QStringList{QStringLiteral("QTH=M\u00fcnchen")};
        QTest::newRow("value with < and >") << QByteArray("<COMMENT:5>a<b>c<EOR>") << QStringList{"COMMENT=a<b>c"};
        QTest::newRow("empty value") << QByteArray("<QTH:0><CALL:2>DL<EOR>") << QStringList{"QTH= CALL=DL"};
        QTest::newRow("text after the last record")
            << QByteArray("<CALL:2>DL<EOR>\r\n end of log\r\n") << QStringList{"CALL=DL"};
        QTest::newRow("record without <EOR> at the end")
            << QByteArray("<CALL:2>DL<EOR><CALL:2>DK") << QStringList{"CALL=DL", "!CALL=DK"};
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf<CALL:2>DL<EOR>") << QStringList{"CALL=DL"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("length counts characters, byte count runs into text")
            << QByteArray("<QTH:8>L\xc3\xbcneburg<EOR>") << QStringList{QStringLiteral("QTH=L\u00fcneburg")};
        QTest::newRow("length counts characters, byte count cuts a character")
            << QByteArray("<COMMENT:5>Gr\xc3\xbc\xc3\x9f" "e <EOR>") << QStringList{QStringLiteral("COMMENT=Gr\u00fc\u00df" "e")};
        QTest::newRow("bytes and characters in one record")
            << QByteArray("<QTH:9>L\xc3\xbcneburg<COMMENT:5>Gr\xc3\xbc\xc3\x9f" "e<EOR>")
            << QStringList{QStringLiteral("QTH=L\u00fcneburg COMMENT=Gr\u00fc\u00df" "e")};
        QTest::newRow("a byte count ending before a character stays")
            << QByteArray("<COMMENT:2>ab\xc3\xbc<EOR>") << QStringList{QStringLiteral("COMMENT=ab")};
        QTest::newRow("LoTW report ends with APP_LoTW_EOF")
            << QByteArray("ARRL Logbook of the World Status Report\n<PROGRAMID:4>LoTW\n<APP_LoTW_LASTQSL:19>2024-01-05 10:00:00\n"
                          "<eoh>\n<CALL:4>DK0X\n<QSL_RCVD:1>Y\n<eor>\n<CALL:5>DL1AB\n<eor>\n\n<APP_LoTW_EOF>\n<CALL:2>XX")
            << QStringList{"CALL=DK0X QSL_RCVD=Y", "CALL=DL1AB"};
    }

    void records()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, records);
        QCOMPARE(readAll(file), records);
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("length past the end") << QByteArray("<CALL:9>DL<EOR>") << "longer than the rest of the file";
        QTest::newRow("negative length") << QByteArray("<CALL:-2>DL<EOR>") << "broken length";
        QTest::newRow("1 GB field declared") << QByteArray("<NOTES:1073741824>x<EOR>") << "longer than the rest";
        QTest::newRow("length overflowing 64 bits")
            << QByteArray("<NOTES:99999999999999999999999999>x<EOR>") << "longer than the rest";
        QTest::newRow("missing <EOR> between records")
            << QByteArray("<CALL:2>DL<BAND:3>20m<CALL:2>DK<EOR>") << "twice (is an <EOR> missing?)";
        // Records mostly repeat the names of the record before; a name twice is found all the same.
        QTest::newRow("names of the record before, then one of them again")
            << QByteArray("<CALL:2>DL<BAND:3>20m<EOR><CALL:2>DK<BAND:3>40m<CALL:2>DA<EOR>") << "record 2 has the field <CALL> twice";
        QTest::newRow("a new name first, then the record before's names with it again")
            << QByteArray("<CALL:2>DL<BAND:3>20m<MODE:2>CW<EOR><MODE:3>SSB<BAND:3>40m<MODE:2>FM<EOR>")
            << "record 2 has the field <MODE> twice";
        QTest::newRow("a name twice at the place of the record before's next")
            << QByteArray("<CALL:2>DL<BAND:3>20m<MODE:2>CW<EOR><CALL:2>DK<CALL:2>DA<EOR>") << "record 2 has the field <CALL> twice";
        QTest::newRow("a name twice in two spellings")
            << QByteArray("<CALL:2>DL<EOR><call:2>DK<Call:2>DA<EOR>") << "record 2 has the field <CALL> twice";
        QTest::newRow("a name twice after more names than any log has")
            << [] {
                   QByteArray text;
                   for (int i = 0; i < 5000; ++i)
                       text += "<CALL:2>DL<APP_X_" + QByteArray::number(i) + ":1>y<EOR>";
                   return text + "<CALL:2>DL<APP_X_1:1>y<CALL:2>DK<EOR>";
               }()
            << "record 5001 has the field <CALL> twice";
        QTest::newRow("header without <EOH>") << QByteArray("header\n<ADIF_VER:5>3.1.4\n") << "no <EOH>";
        QTest::newRow("binary bytes in a name") << QByteArray("<CA\x01L:2>DL<EOR>", 15) << "broken field name";
        QTest::newRow("field without length") << QByteArray("<CALL>DL<EOR>") << "has no length";
        QTest::newRow("file ends inside a tag") << QByteArray("<CALL:2>DL<EOR><BA") << "ends inside a field";
        QTest::newRow("<EOR> in the header") << QByteArray("head <EOR>") << "inside the header";
        QTest::newRow("a 2 MB value") << "<CALL:2>DL<NOTES:2000000>" + QByteArray(2'000'000, 'x') + "<EOR>"
                                      << "the field <NOTES> is longer than the 1 MB a value may hold";
        QTest::newRow("length counting neither bytes nor characters")
            << QByteArray("<COMMENT:3>Gr\xc3\xbc\xc3\x9f" "e<EOR>") << "counts neither its bytes nor its characters";
        QTest::newRow("a field repeated after many others")
            << [] {
                   QByteArray text;
                   for (int i = 0; i < 20000; ++i)
                       text += "<APP_X_" + QByteArray::number(i) + ":1>y";
                   return text + "<APP_X_7:1>z<EOR>";
               }()
            << "record 1 has the field <APP_X_7> twice";
    }

    void brokenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        try {
            readAll(file);
            QFAIL("a broken file was read");
        } catch (const ExchangeError &error) {
            QVERIFY2(error.text().contains(message), qPrintable(error.text()));
            QVERIFY(error.text().startsWith(QStringLiteral("The file is not valid ADIF")));
        }
    }

    void fieldsReadByCharactersAreCounted()
    {
        AdifReader reader(QByteArray("<QTH:8>L\xc3\xbcneburg<CALL:2>DL<EOR><QTH:9>L\xc3\xbcneburg<COMMENT:4>\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f<EOR>"));
        QsoRecord record;
        QString comment;
        while (reader.next(record))
            comment += record.value("COMMENT");
        QCOMPARE(reader.fieldsReadByCharacters(), 2);
        QCOMPARE(comment, QStringLiteral("\u00df\u00df\u00df\u00df"));
        reader.rewind();
        QCOMPARE(reader.fieldsReadByCharacters(), 0);
        QVERIFY(reader.next(record));
        QCOMPARE(reader.fieldsReadByCharacters(), 1);
    }

    void rewindReadsAgain()
    {
        AdifReader reader(QByteArray("<CALL:2>DL<EOR><CALL:2>DK<EOR>"));
        QsoRecord record;
        QVERIFY(reader.next(record));
        QVERIFY(reader.next(record));
        QCOMPARE(record.value("CALL"), QStringLiteral("DK"));
        QCOMPARE(record.number, 2);
        QVERIFY(!reader.next(record));
        reader.rewind();
        QVERIFY(reader.next(record));
        QCOMPARE(record.value("CALL"), QStringLiteral("DL"));
        QCOMPARE(record.number, 1);
    }

    void aFileThatChangesWhileItIsReadIsReadAsItWas()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("log.adi");
        QByteArray text;
        for (int i = 0; i < 5000; ++i)
            text += "<CALL:6>DL" + QByteArray::number(1000 + i) + "<EOR>\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        AdifReader reader(path);
        QVERIFY(QFile::resize(path, 100)); // another program rewrites the file
        QsoRecord record;
        QStringList calls;
        while (reader.next(record))
            calls << record.value("CALL");
        QCOMPARE(calls.size(), 5000);
        QCOMPARE(calls.last(), QStringLiteral("DL5999"));
    }

    void missingFileIsReported()
    {
        try {
            AdifReader reader(QStringLiteral("/nonexistent/log.adi"));
            QFAIL("opened a missing file");
        } catch (const ExchangeError &error) {
            QVERIFY(error.text().startsWith(QStringLiteral("Cannot open")));
        }
    }
};

QTEST_GUILESS_MAIN(AdifReaderTest)
#include "tst_adifreader.moc"
