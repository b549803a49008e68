#include "adiftext.h"
#include "connection.h"
#include "datafolder.h"
#include "smalldisk.h"
#include "tables.h"
#include "testdatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <unistd.h>

using namespace adiftext;

namespace {

struct Result
{
    int status = -1;
    QString out;
    QString err;
};

enum class As { Caller, UserWithoutRights };

Result cli(const QStringList &arguments, const QString &workingFolder = {}, As as = As::Caller, const QByteArray &input = {})
{
    QProcess process;
    // Root may write anything; a folder that cannot be written is seen as "nobody" sees it.
    if (as == As::UserWithoutRights && geteuid() == 0) {
        process.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(99);
        });
    }
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(WZP_CLI_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120'000))
        qFatal("wzplog-cli did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir files;

    QString adif(const QString &name, const QByteArray &records)
    {
        const QString path = files.filePath(name);
        write(path, file(records));
        return path;
    }

private slots:
    // "DB" stands for a data folder with a log, "MISSING" for one that does not exist; none of
    // these command lines may change the log or make a folder.
    void commandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString none;
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: wzplog-cli [--data DIR] [-q] COMMAND" << none;
        QTest::newRow("short help") << QStringList{"-h"} << 0 << "init DIR" << none;
        QTest::newRow("version") << QStringList{"--version"} << 0 << "wzplog-cli (WZP Logbook) " WZP_VERSION "\n" << none;
        QTest::newRow("help of a command") << QStringList{"help", "import"} << 0
                                           << "Usage: wzplog-cli [--data DIR] [-q] import FILE [--add-unknown-doks]\n" << none;
        QTest::newRow("help after a command") << QStringList{"import", "--help"} << 0
                                              << "Usage: wzplog-cli [--data DIR] [-q] import FILE [--add-unknown-doks]\n" << none;
        QTest::newRow("help after a command's options") << QStringList{"export", "x.adi", "--award", "7", "-h"} << 0
                                                        << "FILE \"-\" writes ADIF text to standard output" << none;
        QTest::newRow("summary's fields") << QStringList{"help", "summary"} << 0 << "confirmed,BAND,MODE,N" << none;
        QTest::newRow("help of an unknown command") << QStringList{"help", "frobnicate"} << 2 << none
                                                    << "Unknown command \"frobnicate\".";
        QTest::newRow("no command") << QStringList{} << 2 << none << "No command given.";
        QTest::newRow("only options") << QStringList{"--data", "DB"} << 2 << none << "No command given.";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << none << "Unknown command \"frobnicate\".";
        QTest::newRow("import without a file") << QStringList{"import"} << 2 << none << "import needs one file.";
        QTest::newRow("refresh with a file") << QStringList{"refresh", "x.adi"} << 2 << none << "refresh takes no file.";
        QTest::newRow("init without a folder") << QStringList{"init"} << 2 << none << "init needs one folder.";
        QTest::newRow("unknown option of a command") << QStringList{"export", "x.adi", "--all"} << 2 << none
                                                     << "Unknown option 'all'.";
        QTest::newRow("option of another command") << QStringList{"--data", "DB", "import", "x.adi", "--dry-run"} << 2
                                                   << none << "Unknown option 'dry-run'.";
        QTest::newRow("unknown option before the command") << QStringList{"--bogus", "summary"} << 2 << none
                                                           << "Unknown option 'bogus'.";
        QTest::newRow("unknown option alone") << QStringList{"--bogus"} << 2 << none << "Unknown option 'bogus'.";
        QTest::newRow("award without value") << QStringList{"export", "x.adi", "--award"} << 2 << none
                                             << "Missing value after '--award'.";
        QTest::newRow("no award of that name") << QStringList{"--data", "DB", "export", "x.adi", "--award", "60"} << 2
                                               << none << "There is no award \"60\"";
        QTest::newRow("data without folder") << QStringList{"--data"} << 2 << none << "Missing value after '--data'.";
        QTest::newRow("data with an empty folder") << QStringList{"--data=", "check"} << 2 << none << "--data needs a folder.";
        QTest::newRow("data before the command") << QStringList{"--data", "DB", "check"} << 0 << "The log is sound.\n" << none;
        QTest::newRow("data after the command") << QStringList{"check", "--data", "DB"} << 0 << "The log is sound.\n" << none;
        QTest::newRow("data with an equals sign") << QStringList{"check", "--data=DB"} << 0 << "The log is sound.\n" << none;
        QTest::newRow("quiet") << QStringList{"-q", "check", "--data=DB"} << 0 << none << none;
        QTest::newRow("summary as a table") << QStringList{"--data=DB", "summary"} << 0 << "DOKs with QSOs: 0\n" << none;
        QTest::newRow("summary as CSV") << QStringList{"--data=DB", "summary", "--format", "csv"} << 0
                                        << "figure,band,mode,count\nlast_refresh,,,\ndoks_with_qsos,,,0\n" << none;
        QTest::newRow("summary as JSON") << QStringList{"--data=DB", "summary", "--format=json"} << 0
                                         << "\"doks_with_qsos\": 0" << none;
        QTest::newRow("summary in no known format") << QStringList{"--data=DB", "summary", "--format", "xml"} << 2 << none
                                                    << "--format takes text, csv or json, not \"xml\".";
        QTest::newRow("data folder without a log") << QStringList{"--data", "MISSING", "summary"} << 1 << none
                                                   << "holds no log.mdb; \"wzplog-cli init ";
        QTest::newRow("import into a folder without a log") << QStringList{"import", "x.adi", "--data", "MISSING"} << 1
                                                            << none << "holds no log.mdb";
        QTest::newRow("init on a log") << QStringList{"init", "DB"} << 1 << none << "already holds a log; it was left as it is.";
    }

    void commandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        TestDatabase db;
        const QString missing = files.filePath("missing");
        arguments.replaceInStrings(QRegularExpression("\\bDB$"), db.folder());
        arguments.replaceInStrings(QRegularExpression("\\bMISSING$"), missing);
        const QString before = db.content();

        const Result result = cli(arguments);

        QCOMPARE(result.status, status);
        QVERIFY2(out.isEmpty() ? result.out.isEmpty() : result.out.contains(out), qPrintable(result.out));
        QVERIFY2(err.isEmpty() ? result.err.isEmpty() : result.err.contains(err), qPrintable(result.err));
        QCOMPARE(db.content(), before);
        QVERIFY(!QFileInfo::exists(missing));
    }

    void importExportRefreshSummaryCheck()
    {
        TestDatabase db;
        const QString folder = db.folder();
        const QString log = adif("log.adi", qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "A01", "40m", "CW")
                                                + qso("DL3ZZ", "Q77", "20m", "CW") + qso("DL4AA", "B05", "20m", "FT8"));
        Result result = cli({"--data", folder, "import", log});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("QSOs imported: 2"), qPrintable(result.out));
        QVERIFY(result.out.contains("1 DOKs of the file are not in the list; --add-unknown-doks adds them."));
        QCOMPARE(db.value("SELECT count(*) FROM LOG"), QStringLiteral("2"));

        result = cli({"--data", folder, "import", log, "--add-unknown-doks"});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.contains("QSOs imported: 1"));
        QVERIFY(result.out.contains("Duplicates (already in the log): 2"));
        QCOMPARE(db.value("SELECT count(*) FROM DOK WHERE DOK='Q77'"), QStringLiteral("1"));

        result = cli({"--data", folder, "refresh"});
        QCOMPARE(result.status, 0);
        QCOMPARE(db.value("SELECT CT14||'/'||CCW||'/'||CT7 FROM RIEP"), QStringLiteral("2/2/1"));

        result = cli({"--data", folder, "summary"});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains(QRegularExpression("\\n14 +1 +1 +0 +0 +0 +2 +0\\n")), qPrintable(result.out));
        QVERIFY(result.out.contains("DOKs with QSOs: 2"));

        const QString exported = files.filePath("out.adi");
        result = cli({"--data", folder, "export", exported});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("QSOs exported: 3\n"));
        result = cli({"--data", folder, "export", exported, "--award", "7"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("QSOs exported: 1\n"));
        result = cli({"--data", folder, "export", exported, "--award", "60"});
        QCOMPARE(result.status, 2);
        QVERIFY(result.err.contains("There is no award \"60\""));

        result = cli({"--data", folder, "check"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("The log is sound.\n"));
        db.execute("UPDATE LOG14 SET num=99 WHERE dok='A01'");
        result = cli({"--data", folder, "check"});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.out.contains("LOG14: the row of DOK A01 points at no QSO of the log (num 99)"), qPrintable(result.out));
    }

    void standardInputAndOutput()
    {
        TestDatabase db;
        const QString folder = db.folder();
        Result result = cli({"--data", folder, "import", "-"}, files.path(), As::Caller,
                            file(qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "A01", "40m", "CW")));
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("QSOs imported: 2"), qPrintable(result.out + result.err));
        const QByteArray adx = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ADX><HEADER></HEADER><RECORDS><RECORD>"
                               "<CALL>DL3ZZ</CALL><QSO_DATE>20090307</QSO_DATE><TIME_ON>1200</TIME_ON><BAND>20m</BAND>"
                               "<MODE>CW</MODE><DARC_DOK>A01</DARC_DOK>"
                               "</RECORD></RECORDS></ADX>\n";
        result = cli({"import", "-", "--data", folder}, files.path(), As::Caller, adx);
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("QSOs imported: 1"), qPrintable(result.out + result.err));
        QCOMPARE(db.value("SELECT count(*) FROM LOG"), QStringLiteral("3"));

        result = cli({"--data", folder, "export", "-"}, files.path());
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.startsWith("ADIF export of WZP Logbook\n"), qPrintable(result.out));
        QCOMPARE(result.out.count("<EOR>"), 3);
        QVERIFY(result.out.contains("<CALL:6>DL1ABC"));
        QCOMPARE(result.err, QStringLiteral("QSOs exported: 3\n"));
        QVERIFY(!QFileInfo::exists(files.filePath("-")));
        QCOMPARE(cli({"--data", folder, "export", "-", "-q"}, files.path()).err, QString());

        // What one log exports, another imports from a pipe.
        TestDatabase other;
        const QString exported = result.out;
        result = cli({"--data", other.folder(), "-q", "import", "-"}, files.path(), As::Caller, exported.toUtf8());
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QString());
        QCOMPARE(other.value("SELECT group_concat(call) FROM (SELECT call FROM LOG ORDER BY call)"),
                 QStringLiteral("DL1ABC,DL2XY,DL3ZZ"));

        const QByteArray lotw = "<PROGRAMID:4>LoTW<EOH>\n<CALL:6>DL1ABC<QSO_DATE:8>20090305<BAND:3>20M<MODE:3>SSB"
                                "<QSL_RCVD:1>Y<EOR>\n<APP_LoTW_EOF>\n";
        const QString before = db.content();
        result = cli({"--data", folder, "confirm", "-", "--dry-run"}, files.path(), As::Caller, lotw);
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("Records read: 1\n"), qPrintable(result.out + result.err));
        QCOMPARE(db.content(), before);
    }

    void summaryFormatsShowTheSameFigures()
    {
        TestDatabase db;
        const QString folder = db.folder();
        QCOMPARE(cli({"--data", folder, "import", adif("sum.adi", qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "A01", "40m", "CW")
                                                              + qso("DL3ZZ", "B05", "20m", "CW"))})
                     .status,
                 0);
        QCOMPARE(cli({"--data", folder, "accredit", "--award", "CW", "-q"}).status, 0);
        QCOMPARE(cli({"--data", folder, "refresh"}).status, 0);

        const Result text = cli({"--data", folder, "summary"});
        // The CW QSOs are accredited, so their bands count one accredited DOK each.
        QVERIFY2(text.out.contains(QRegularExpression("\\n14 +1 +1 +0 +0 +0 +2 +1\\n")), qPrintable(text.out));
        QVERIFY2(text.out.contains(QRegularExpression("\\nAccr\\. +0 +2 ")), qPrintable(text.out));

        const Result csv = cli({"--data", folder, "summary", "--format", "csv"});
        QCOMPARE(csv.status, 0);
        const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringLiteral("figure,band,mode,count"));
        QVERIFY2(QRegularExpression("^last_refresh,,,\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d$").match(lines.at(1)).hasMatch(),
                 qPrintable(lines.at(1)));
        for (const char *line : {"doks_with_qsos,,,2", "confirmed,14,SSB,1", "confirmed,14,CW,1", "confirmed,14,,2",
                                 "accredited,14,,1", "confirmed,7,CW,1", "accredited,7,,1", "confirmed,,CW,2", "accredited,,CW,2"})
            QVERIFY2(lines.contains(QString::fromLatin1(line)), line);

        const Result json = cli({"--data", folder, "summary", "--format", "json"});
        QCOMPARE(json.status, 0);
        QJsonParseError error;
        const QJsonObject figures = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(figures.value("doks_with_qsos").toInt(), 2);
        QCOMPARE(figures.value("last_refresh").toString(), lines.at(1).section(',', 3));
        const QJsonArray bands = figures.value("bands").toArray();
        const auto band = std::find_if(bands.begin(), bands.end(), [](const QJsonValue &b) { return b.toObject().value("band") == "14"; });
        QVERIFY(band != bands.end());
        QCOMPARE(band->toObject().value("confirmed").toInt(), 2);
        QCOMPARE(band->toObject().value("accredited").toInt(), 1);
        QCOMPARE(band->toObject().value("modes").toObject().value("SSB").toInt(), 1);
        const QJsonArray modes = figures.value("modes").toArray();
        const auto cw = std::find_if(modes.begin(), modes.end(), [](const QJsonValue &m) { return m.toObject().value("mode") == "CW"; });
        QVERIFY(cw != modes.end());
        QCOMPARE(cw->toObject().value("accredited").toInt(), 2);
    }

    void initMakesANewDataFolder()
    {
        const QString folder = files.filePath("new/data");
        Result result = cli({"init", folder});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("The data folder %1 is ready; work on it with --data %1.\n").arg(folder));
        QCOMPARE(TestDatabase::fileBytes(QDir(folder).filePath("log.mdb")), TestDatabase::fileBytes(TestDatabase::templatePath()));
        QVERIFY(QFileInfo::exists(QDir(folder).filePath("newdok.wav")));
        result = cli({"--data", folder, "summary"});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.contains("Last refresh:"));

        const QByteArray before = TestDatabase::fileBytes(QDir(folder).filePath("log.mdb"));
        result = cli({"-q", "init", folder});
        QCOMPARE(result.status, 1);
        QCOMPARE(TestDatabase::fileBytes(QDir(folder).filePath("log.mdb")), before);
        QCOMPARE(cli({"init", files.filePath("quiet"), "-q"}).out, QString());
        QVERIFY(QFileInfo::exists(files.filePath("quiet/log.mdb")));
    }

    void confirmWithAndWithoutDryRun()
    {
        TestDatabase db;
        const QString folder = db.folder();
        QCOMPARE(cli({"--data", folder, "import", adif("log.adi", qso("DL1ABC", "A01", "20m", "SSB", "20090305", "N")
                                                               + qso("DL2XY", "A01", "40m", "CW", "20090306", "N"))})
                     .status,
                 0);
        const QString lotw = files.filePath("lotw.adi");
        write(lotw, "<PROGRAMID:4>LoTW<EOH>\n<CALL:6>DL1ABC<QSO_DATE:8>20090305<BAND:3>20M<MODE:3>SSB<QSL_RCVD:1>Y<EOR>\n"
                    "<CALL:5>DL9QQ<QSO_DATE:8>20090305<BAND:3>20M<MODE:3>SSB<QSL_RCVD:1>Y<EOR>\n<APP_LoTW_EOF>\n");
        const QString before = db.content();
        Result result = cli({"--data", folder, "confirm", lotw, "--dry-run"});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.startsWith("Dry run: nothing was written.\nRecords read: 2\n"), qPrintable(result.out));
        QVERIFY(result.out.contains("Confirmed now: 1\n    record 1: DL1ABC 20090305 20M SSB\n"));
        QVERIFY(result.out.contains("Not in the log: 1\n    record 2: DL9QQ"));
        QVERIFY(!result.out.contains("refresh"));
        QCOMPARE(db.content(), before);

        result = cli({"--data", folder, "confirm", lotw});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.startsWith("Records read: 2\nConfirmed now: 1\n"));
        QVERIFY(result.out.endsWith("Run \"wzplog-cli refresh\" to recalculate the score.\n"));
        QCOMPARE(db.value("SELECT group_concat(call||conf) FROM LOG"), QStringLiteral("DL1ABCC,DL2XY*"));
        QCOMPARE(db.value("SELECT SSB14||T7 FROM DOK WHERE DOK='A01'"), QStringLiteral("C*"));

        result = cli({"--data", folder, "confirm", lotw});
        QVERIFY(result.out.contains("Already confirmed or accredited: 1"));
        QCOMPARE(cli({"--data", folder, "confirm"}).status, 2);
        QCOMPARE(cli({"--data", folder, "confirm", files.filePath("missing.adi")}).status, 1);
    }

    void accreditAnAward()
    {
        TestDatabase db;
        const QString folder = db.folder();
        QCOMPARE(cli({"--data", folder, "import", adif("award.adi", qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "B05", "20m", "CW")
                                                                 + qso("DL3ZZ", "C12", "20m", "SSB", "20090305", "N"))})
                     .status,
                 0);
        QCOMPARE(cli({"--data", folder, "accredit"}).err.left(33), QStringLiteral("accredit needs --award BAND|MODE."));
        QCOMPARE(cli({"--data", folder, "accredit", "--award", "60"}).status, 2);
        const Result result = cli({"--data", folder, "accredit", "--award", "14"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("QSOs accredited: 2\nRun \"wzplog-cli refresh\" to recalculate the score.\n"));
        QCOMPARE(db.value("SELECT group_concat(call||conf) FROM LOG"), QStringLiteral("DL1ABCA,DL2XYA,DL3ZZ*"));
        QCOMPARE(cli({"--data", folder, "refresh"}).status, 0);
        QCOMPARE(db.value("SELECT AT14||'/'||ASSB||'/'||ACW FROM RIEP"), QStringLiteral("2/1/1"));
    }

    void updateDoks()
    {
        TestDatabase db;
        const QString list = files.filePath("doks.txt");
        write(list, "A01\nQ77\nNM\nXMAS99\n");
        const Result result = cli({"--data", db.folder(), "update-doks", list});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("DOKs added: 2\nDOKs renamed: 0\nDOKs unchanged: 1\n"));
        QCOMPARE(db.value("SELECT SPEC FROM DOK WHERE DOK='XMAS99'"), QStringLiteral("S"));
    }

    void failuresExitWithOne()
    {
        TestDatabase db;
        const QString before = db.content();
        Result result = cli({"--data", db.folder(), "import", files.filePath("missing.adi")});
        QCOMPARE(result.status, 1);
        QVERIFY(result.err.contains("Cannot open"));
        const QString broken = adif("broken.adi", qso("DL1ABC", "A01", "20m", "SSB") + "<CALL:1000000000>x");
        result = cli({"--data", db.folder(), "import", broken});
        QCOMPARE(result.status, 1);
        QVERIFY(result.err.contains("The file is not valid ADIF"));
        QCOMPARE(db.content(), before);
    }

    void refusesWhileTheProgramHoldsTheFolder()
    {
        TestDatabase db;
        const auto lock = datafolder::lock(db.path());
        QVERIFY(lock.file);
        const Result result = cli({"--data", db.folder(), "summary"});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.err.contains("WZP Logbook is using the data folder"), qPrintable(result.err));
    }

    void exportNeverOverwritesADatabase_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("the log") << "log.mdb";
        QTest::newRow("the backup") << "backup/log.mdb";
        QTest::newRow("a link to the log") << "link.adi";
    }

    void exportNeverOverwritesADatabase()
    {
        QFETCH(QString, target);
        TestDatabase db;
        const QDir folder(db.folder());
        QVERIFY(folder.mkpath("backup"));
        QVERIFY(QFile::copy(db.path(), folder.filePath("backup/log.mdb")));
        QVERIFY(QFile::link(db.path(), folder.filePath("link.adi")));
        const QByteArray log = TestDatabase::fileBytes(db.path());
        const QByteArray backup = TestDatabase::fileBytes(folder.filePath("backup/log.mdb"));

        const Result result = cli({"--data", db.folder(), "export", folder.filePath(target)});

        QCOMPARE(result.status, 1);
        QCOMPARE(result.err, folder.filePath(target) + " is a database; it is never written over. Choose another file.\n");
        QCOMPARE(TestDatabase::fileBytes(db.path()), log);
        QCOMPARE(TestDatabase::fileBytes(folder.filePath("backup/log.mdb")), backup);
    }

    void aPipeIsReadToItsEnd()
    {
        TestDatabase db;
        const Result result = cli({"--data", db.folder(), "import", "/dev/stdin"}, {}, As::Caller,
                                  file(qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "A01", "40m", "CW")));
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("QSOs imported: 2"), qPrintable(result.out + result.err));
        QCOMPARE(db.value("SELECT count(*) FROM LOG"), QStringLiteral("2"));
    }

    void hardLinkedTwinsAreRefused()
    {
        TestDatabase db;
        QTemporaryDir twinFolder;
        const QString twin = QDir(twinFolder.path()).filePath("log.mdb");
        QVERIFY(::link(QFile::encodeName(db.path()).constData(), QFile::encodeName(twin).constData()) == 0);
        const auto lock = datafolder::lock(db.path());
        QVERIFY(lock.file);
        const QString before = db.content();
        const Result result = cli({"--data", twinFolder.path(), "import", adif("twin.adi", qso("DL1ABC", "A01", "20m", "SSB"))});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.err.contains("WZP Logbook is using the data folder " + twinFolder.path()), qPrintable(result.err));
        QCOMPARE(db.content(), before);
    }

    void aStaleEmptyLockIsTakenOver()
    {
        TestDatabase db;
        QFile lock(db.path() + ".lock");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.close();
        const Result result = cli({"--data", db.folder(), "import", adif("stale.adi", qso("DL1ABC", "A01", "20m", "SSB"))});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains("QSOs imported: 1"), qPrintable(result.out + result.err));
        QVERIFY(!QFileInfo::exists(db.path() + ".lock"));
    }

    void aFolderThatCannotBeWrittenIsNamedAndStillRead()
    {
        TestDatabase db;
        QCOMPARE(cli({"--data", db.folder(), "import", adif("one.adi", qso("DL1ABC", "A01", "20m", "SSB"))}).status, 0);
        const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto entered = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QFile::setPermissions(db.path(), readable);
        QFile::setPermissions(db.folder(), readable | entered);
        const QString before = db.content();
        const QString exported = QDir(files.path()).filePath("readonly.adi");
        QFile::setPermissions(files.path(), readable | entered | QFile::WriteOwner | QFile::WriteOther | QFile::WriteGroup);

        const Result import = cli({"--data", db.folder(), "import", adif("ro.adi", qso("DL2XY", "A01", "40m", "CW"))}, {},
                                  As::UserWithoutRights);
        const Result check = cli({"--data", db.folder(), "check"}, {}, As::UserWithoutRights);
        const Result summary = cli({"--data", db.folder(), "summary"}, {}, As::UserWithoutRights);
        const Result exportResult = cli({"--data", db.folder(), "export", exported}, {}, As::UserWithoutRights);
        const QString confirmations = adif("dcl.adi", record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"},
                                                               {"MODE", "SSB"}, {"DCL_QSL_RCVD", "Y"}}));
        const Result dryRun = cli({"--data", db.folder(), "confirm", confirmations, "--dry-run"}, {}, As::UserWithoutRights);
        const Result confirm = cli({"--data", db.folder(), "confirm", confirmations}, {}, As::UserWithoutRights);
        QFile::setPermissions(db.folder(), readable | entered | QFile::WriteOwner);
        QFile::setPermissions(files.path(), readable | entered | QFile::WriteOwner);
        QFile::setPermissions(db.path(), readable | QFile::WriteOwner);
        if (import.status == 99)
            QSKIP("The rights could not be dropped.");

        QCOMPARE(import.status, 1);
        QCOMPARE(import.err, QStringLiteral("The log cannot be changed: The file %1 cannot be written.\n").arg(db.path()));
        QCOMPARE(check.out, QStringLiteral("The log is sound.\n"));
        QCOMPARE(check.status, 0);
        QCOMPARE(summary.status, 0);
        QVERIFY2(summary.out.contains("DOKs with QSOs:"), qPrintable(summary.err));
        QCOMPARE(exportResult.status, 0);
        QCOMPARE(exportResult.out, QStringLiteral("QSOs exported: 1\n"));
        // A dry run only reads; a confirmation that would write is refused like an import.
        QCOMPARE(dryRun.status, 0);
        QVERIFY2(dryRun.out.contains("Already confirmed or accredited: 1"), qPrintable(dryRun.out + dryRun.err));
        QVERIFY(dryRun.out.contains("Dry run: nothing was written."));
        QCOMPARE(confirm.status, 1);
        QVERIFY(confirm.err.startsWith(QStringLiteral("The log cannot be changed: ")));
        QCOMPARE(db.content(), before);
    }

    void aFullDiskIsNamed()
    {
        SmallDisk disk(4096);
        if (!disk.isMounted())
            QSKIP("A small disk cannot be mounted without root's rights.");
        TestDatabase db;
        const QString folder = QDir(disk.path()).filePath("data");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(db.path(), QDir(folder).filePath("log.mdb")));
        disk.fill();

        const Result import = cli({"--data", folder, "import", adif("full.adi", qso("DL2XY", "A01", "40m", "CW"))});
        QCOMPARE(import.status, 1);
        QVERIFY2(import.err.contains("the disk is full"), qPrintable(import.err));
        const Result summary = cli({"--data", folder, "summary"});
        QCOMPARE(summary.status, 0);
        QVERIFY2(summary.out.contains("DOKs with QSOs:"), qPrintable(summary.err));
    }

    void aFileThatIsNotOursStaysAsItIs()
    {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath("log.mdb");
        Connection::create(path, schema::databasePassword); // the access table and nothing else
        const QByteArray before = TestDatabase::fileBytes(path);

        const Result result = cli({"--data", folder.path(), "import", adif("foreign.adi", qso("DL1ABC", "A01", "20m", "SSB"))});

        QCOMPARE(result.status, 1);
        QCOMPARE(result.err, QStringLiteral("The table LOG is missing, so the file is not a database of this program; "
                                            "it was left as it is.\n"));
        QCOMPARE(TestDatabase::fileBytes(path), before);
    }

    void worksOnTheProgramsDataFolder()
    {
        // Without --data the working folder's log.mdb is used, as the program would.
        TestDatabase db;
        const Result result = cli({"check"}, db.folder());
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QStringLiteral("The log is sound.\n"));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
