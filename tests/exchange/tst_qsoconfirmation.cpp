#include "adifmapping.h"
#include "adifreader.h"
#include "adifwriter.h"
#include "adiftext.h"
#include "engineerror.h"
#include "logbook.h"
#include "qsoconfirmation.h"
#include "qsoexporter.h"
#include "qsoimporter.h"
#include "recalculation.h"
#include "vocabulary.h"

#include <QtTest>

using namespace adiftext;

namespace {

// The log before the confirmations come: every QSO without a card yet, except DL4AA. DL3ZZ was
// worked twice within 20 minutes, from two DOKs.
QByteArray unconfirmedLog()
{
    return file(record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20240301"}, {"TIME_ON", "1200"}, {"BAND", "20m"}, {"MODE", "SSB"},
                        {"DARC_DOK", "A01"}, {"QSL_RCVD", "N"}})
                + record({{"CALL", "DL2XY"}, {"QSO_DATE", "20240302"}, {"TIME_ON", "0800"}, {"BAND", "40m"}, {"MODE", "CW"},
                          {"DARC_DOK", "B05"}, {"QSL_RCVD", "N"}})
                + record({{"CALL", "DK0X"}, {"QSO_DATE", "20240303"}, {"BAND", "2m"}, {"MODE", "FM"}, {"DARC_DOK", "C12"}})
                + record({{"CALL", "DL3ZZ"}, {"QSO_DATE", "20240304"}, {"TIME_ON", "1000"}, {"BAND", "20m"}, {"MODE", "SSB"},
                          {"DARC_DOK", "A02"}, {"QSL_RCVD", "N"}})
                + record({{"CALL", "DL3ZZ"}, {"QSO_DATE", "20240304"}, {"TIME_ON", "1020"}, {"BAND", "20m"}, {"MODE", "SSB"},
                          {"DARC_DOK", "A04"}, {"QSL_RCVD", "N"}})
                + record({{"CALL", "DL4AA"}, {"QSO_DATE", "20240305"}, {"TIME_ON", "1900"}, {"BAND", "80m"}, {"MODE", "CW"},
                          {"DARC_DOK", "A03"}, {"QSL_RCVD", "Y"}})
                + record({{"CALL", "DL5BB"}, {"QSO_DATE", "20240306"}, {"TIME_ON", "0700"}, {"BAND", "20m"}, {"MODE", "CW"},
                          {"DARC_DOK", "A05"}, {"QSL_RCVD", "N"}}));
}

QByteArray lotwRecord(const char *call, const char *date, const char *time, const char *band, const char *mode)
{
    return record({{"APP_LoTW_OWNCALL", "DF1WZP"}, {"CALL", call}, {"BAND", band}, {"MODE", mode},
                   {"APP_LoTW_MODEGROUP", "PHONE"}, {"QSO_DATE", date}, {"TIME_ON", time}, {"QSL_RCVD", "Y"},
                   {"QSLRDATE", "20240401"}});
}

// A report as LoTW writes it: no DOKs, times with seconds, ended by APP_LoTW_EOF.
QByteArray lotwReport()
{
    return "ARRL Logbook of the World Status Report\n<PROGRAMID:4>LoTW\n<APP_LoTW_NUMREC:1>6\n<eoh>\n"
        + lotwRecord("DL1ABC", "20240301", "121500", "20M", "SSB")  // 15 minutes off: confirmed
        + lotwRecord("DL2XY", "20240302", "090000", "40M", "CW")    // an hour off: not in the log
        + lotwRecord("DK0X", "20240303", "100000", "2M", "FM")      // the QSO has no time: the date decides
        + lotwRecord("DL3ZZ", "20240304", "101000", "20M", "SSB")   // two QSOs within 30 minutes: ambiguous
        + lotwRecord("DL9QQ", "20240301", "120000", "20M", "SSB")   // unknown
        + lotwRecord("DL4AA", "20240305", "190500", "80M", "CW")    // confirmed before
        + "<APP_LoTW_EOF>\n";
}

ConfirmationReport confirm(LogData &dm, const QByteArray &bytes, bool dryRun = false)
{
    AdifReader reader(bytes);
    return QsoConfirmation(dm).run(reader, dryRun);
}

QString counts(const ConfirmationReport &report)
{
    return QStringLiteral("%1 confirmed, %2 already, %3 not in the log, %4 ambiguous, %5 conflicts, %6 no confirmation")
        .arg(report.confirmedNow.count)
        .arg(report.alreadyConfirmed.count)
        .arg(report.notInLog.count)
        .arg(report.ambiguous.count)
        .arg(report.conflicts.count)
        .arg(report.noConfirmation.count);
}

// Counts the DOKs whose QSOs in a cell are confirmed or accredited, straight from LOG (no DOK
// of these tests has confirmed and unconfirmed QSOs in one cell).
int recount(const TestDatabase &db, const QString &condition)
{
    return db.value(QStringLiteral("SELECT count(DISTINCT upper(dok)) FROM LOG WHERE conf IN ('C','A') AND ") + condition)
        .toInt();
}

} // namespace

class QsoConfirmationTest : public QObject
{
    Q_OBJECT

private slots:
    void lotwReportConfirmsExactlyTheMatchingQsos()
    {
        DataModule data;
        QCOMPARE(QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog())).imported, 7);
        QCOMPARE(data.db.value("SELECT group_concat(id||conf) FROM LOG"), QStringLiteral("1*,2*,3*,4*,5*,6C,7*"));

        const ConfirmationReport report = confirm(*data.dm, lotwReport());
        QCOMPARE(report.records, 6);
        QCOMPARE(counts(report), QStringLiteral("2 confirmed, 1 already, 2 not in the log, 1 ambiguous, 0 conflicts, 0 no confirmation"));
        QCOMPARE(report.confirmedNow.records, QStringList({"record 1: DL1ABC 20240301 121500 20M SSB",
                                                           "record 3: DK0X 20240303 100000 2M FM"}));
        QCOMPARE(report.notInLog.records, QStringList({"record 2: DL2XY 20240302 090000 40M CW",
                                                       "record 5: DL9QQ 20240301 120000 20M SSB"}));
        QCOMPARE(report.ambiguous.records, QStringList({"record 4: DL3ZZ 20240304 101000 20M SSB"}));
        QCOMPARE(report.alreadyConfirmed.records, QStringList({"record 6: DL4AA 20240305 190500 80M CW"}));
        const QString text = report.text();
        QVERIFY2(text.contains("Confirmed now: 2\n    record 1: DL1ABC"), qPrintable(text));
        QVERIFY(text.contains("Not in the log: 2"));
        QVERIFY(text.contains("Ambiguous (two or more QSOs match; nothing changed): 1"));

        QCOMPARE(data.db.value("SELECT group_concat(id||conf) FROM LOG"), QStringLiteral("1C,2*,3C,4*,5*,6C,7*"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOG14"), QStringLiteral("1C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOGSSB"), QStringLiteral("1C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOG144"), QStringLiteral("3C"));
        QCOMPARE(data.db.value("SELECT num||conf FROM LOGFM"), QStringLiteral("3C"));
        QCOMPARE(data.db.value("SELECT T14||SSB14||SSB||CW14 FROM DOK WHERE DOK='A01'"), QStringLiteral("CCC*"));
        QCOMPARE(data.db.value("SELECT T14||CW14 FROM DOK WHERE DOK='A05'"), QStringLiteral("**"));
        QCOMPARE(data.db.value("SELECT T144||FM144||FM FROM DOK WHERE DOK='C12'"), QStringLiteral("CCC"));
        QCOMPARE(data.db.value("SELECT T14||SSB14 FROM DOK WHERE DOK='A02'"), QStringLiteral("**"));
        // LoTW's QSL_RCVD is LoTW's status: the paper-card status stays as the QSO came with it.
        QCOMPARE(data.db.value("SELECT fields FROM ADIFFIELDS WHERE num=1"),
                 QStringLiteral("<TIME_ON:4>1200<QSL_RCVD:1>N<LOTW_QSL_RCVD:1>Y<LOTW_QSLRDATE:8>20240401"));

        // The cells were marked as a refresh marks them, and the refresh agrees with a recount.
        const QString doks = data.db.table("DOK");
        Recalculation(*data.dm).run();
        QCOMPARE(data.db.table("DOK"), doks);
        for (const QString &band : vocab::bands()) {
            const QString suffix = vocab::bandSuffix(band);
            QCOMPARE(data.db.value("SELECT " + vocab::confirmedCounter(vocab::bandCell(suffix)) + " FROM RIEP").toInt(),
                     recount(data.db, "banda='" + band + "'"));
            for (const QString &mode : vocab::modes())
                QCOMPARE(data.db.value("SELECT " + vocab::confirmedCounter(vocab::pairCell(mode, suffix)) + " FROM RIEP").toInt(),
                         recount(data.db, "banda='" + band + "' AND modo='" + mode + "'"));
        }
        for (const QString &mode : vocab::modes())
            QCOMPARE(data.db.value("SELECT " + vocab::confirmedCounter(vocab::modeCell(mode)) + " FROM RIEP").toInt(),
                     recount(data.db, "modo='" + mode + "'"));
        QCOMPARE(data.db.value("SELECT CT14||CSSB14||CT144||CT3 FROM RIEP"), QStringLiteral("1111"));
    }

    void dokOfTheRecordMustAgree_data()
    {
        QTest::addColumn<QByteArray>("dok");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("conf");
        QTest::newRow("no DOK: the log's is taken") << QByteArray() << "1 confirmed, 0 already, 0 not in the log, 0 ambiguous, 0 conflicts, 0 no confirmation" << "C";
        QTest::newRow("the same DOK in another case") << QByteArray("a05") << "1 confirmed, 0 already, 0 not in the log, 0 ambiguous, 0 conflicts, 0 no confirmation" << "C";
        QTest::newRow("another DOK") << QByteArray("B01") << "0 confirmed, 0 already, 0 not in the log, 0 ambiguous, 1 conflicts, 0 no confirmation" << "*";
    }

    void dokOfTheRecordMustAgree()
    {
        QFETCH(QByteArray, dok);
        QFETCH(QString, outcome);
        QFETCH(QString, conf);
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog()));
        QByteArray dcl = "<CALL:5>DL5BB<QSO_DATE:8>20240306<TIME_ON:4>0710<BAND:3>20m<MODE:2>CW<DCL_QSL_RCVD:1>Y";
        if (!dok.isEmpty())
            dcl += "<DARC_DOK:" + QByteArray::number(dok.size()) + '>' + dok;
        const ConfirmationReport report = confirm(*data.dm, file(dcl + "<EOR>"));
        QCOMPARE(counts(report), outcome);
        QCOMPARE(data.db.value("SELECT conf FROM LOG WHERE id=7"), conf);
        QCOMPARE(data.db.value("SELECT CW14 FROM DOK WHERE DOK='A05'"), conf);
    }

    void whatCountsAsAConfirmation_data()
    {
        QTest::addColumn<QByteArray>("qsl");
        QTest::addColumn<bool>("confirms");
        QTest::newRow("card received") << QByteArray("<QSL_RCVD:1>Y") << true;
        QTest::newRow("card verified") << QByteArray("<QSL_RCVD:1>V") << true;
        QTest::newRow("eQSL") << QByteArray("<EQSL_QSL_RCVD:1>y") << true;
        QTest::newRow("DCL") << QByteArray("<DCL_QSL_RCVD:1>Y") << true;
        QTest::newRow("LoTW") << QByteArray("<LOTW_QSL_RCVD:1>V") << true;
        QTest::newRow("card requested") << QByteArray("<QSL_RCVD:1>R") << false;
        QTest::newRow("no") << QByteArray("<QSL_RCVD:1>N<LOTW_QSL_RCVD:1>N") << false;
        QTest::newRow("card sent only") << QByteArray("<QSL_SENT:1>Y") << false;
    }

    void whatCountsAsAConfirmation()
    {
        QFETCH(QByteArray, qsl);
        QFETCH(bool, confirms);
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog()));
        const ConfirmationReport report =
            confirm(*data.dm, file("<CALL:6>DL1ABC<QSO_DATE:8>20240301<BAND:3>20m<MODE:3>SSB" + qsl + "<EOR>"));
        QCOMPARE(report.confirmedNow.count, confirms ? 1 : 0);
        QCOMPARE(report.noConfirmation.count, confirms ? 0 : 1);
        QCOMPARE(data.db.value("SELECT conf FROM LOG WHERE id=1"), confirms ? QStringLiteral("C") : QStringLiteral("*"));
    }

    void accreditedStaysAccredited()
    {
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog()));
        data.db.execute("UPDATE LOG SET conf='A' WHERE id=1");
        const ConfirmationReport report = confirm(*data.dm, lotwReport());
        QCOMPARE(report.alreadyConfirmed.count, 2);
        QCOMPARE(data.db.value("SELECT conf FROM LOG WHERE id=1"), QStringLiteral("A"));
    }

    void dryRunReportsTheSameAndWritesNothing()
    {
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog()));
        const QString before = data.db.content();
        const ConfirmationReport dry = confirm(*data.dm, lotwReport(), true);
        QCOMPARE(data.db.content(), before);
        QVERIFY(dry.text().startsWith(QStringLiteral("Dry run: nothing was written.\n")));
        const ConfirmationReport real = confirm(*data.dm, lotwReport());
        QCOMPARE(counts(dry), counts(real));
        QCOMPARE(dry.text().section(QLatin1Char('\n'), 1), real.text());
    }

    void theSameQsoConfirmedTwiceInOneFile()
    {
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog()));
        const ConfirmationReport report = confirm(
            *data.dm, file("<CALL:6>DL1ABC<QSO_DATE:8>20240301<BAND:3>20m<MODE:3>SSB<EQSL_QSL_RCVD:1>Y<EOR>"
                           "<CALL:6>DL1ABC<QSO_DATE:8>20240301<BAND:3>20m<MODE:3>SSB<DCL_QSL_RCVD:1>Y<EOR>"));
        QCOMPARE(counts(report), QStringLiteral("1 confirmed, 1 already, 0 not in the log, 0 ambiguous, 0 conflicts, 0 no confirmation"));
    }

    void onlyTheFirstFiftyRecordsOfAGroupAreListed()
    {
        DataModule data;
        QByteArray records;
        for (int i = 0; i < 60; ++i)
            records += qso(QByteArray("DL" + QByteArray::number(i) + "X").constData(), "A01", "20m", "SSB");
        const ConfirmationReport report = confirm(*data.dm, file(records));
        QCOMPARE(report.notInLog.count, 60);
        QCOMPARE(report.notInLog.records.size(), 50);
        QCOMPARE(report.notInLog.records.last(), QStringLiteral("record 50: DL49X 20090305 20m SSB A01"));
        QVERIFY(report.text().contains(QStringLiteral("    ... and 10 more")));
    }

    void failingDatabaseChangesNothing()
    {
        // The FM table cannot be written: the confirmation of the first QSO goes back as well.
        DataModule data;
        QsoImporter(*data.dm).run(*std::make_unique<AdifReader>(unconfirmedLog()));
        data.db.execute("CREATE TRIGGER nofm BEFORE UPDATE ON LOGFM BEGIN SELECT RAISE(ABORT, 'disk says no'); END");
        const QString before = data.db.content();
        QVERIFY_THROWS_EXCEPTION(EngineError, confirm(*data.dm, lotwReport()));
        QCOMPARE(data.db.content(), before);
    }
};

QTEST_MAIN(QsoConfirmationTest)
#include "tst_qsoconfirmation.moc"
