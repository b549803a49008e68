#include "testdatabase.h"

#include <QProcess>
#include <QtTest>

// The command lines of the windowed programs, run as a user runs them: help, version and
// mistakes are answered on the terminal, without a display and without touching a log.
class ProgramLinesTest : public QObject
{
    Q_OBJECT

private slots:
    // "DB" stands for a data folder with a log, "MISSING" for one that does not exist. Each
    // program runs in DB, where it would work on the log without --data.
    void commandLines_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString wzplog = QStringLiteral(WZPLOG_PATH);
        const QString menddb = QStringLiteral(MENDDB_PATH);
        const QString none;
        QTest::newRow("wzplog help") << wzplog << QStringList{"--help"} << 0 << "Usage: wzplog [--data DIR]\n" << none;
        QTest::newRow("wzplog short help") << wzplog << QStringList{"-h"} << 0 << "Usage: wzplog [--data DIR]\n" << none;
        QTest::newRow("wzplog version") << wzplog << QStringList{"--version"} << 0 << "wzplog (WZP Logbook) " WZP_VERSION "\n"
                                        << none;
        QTest::newRow("wzplog help among window options") << wzplog << QStringList{"-platform", "xcb", "--help"} << 0
                                                          << "Usage: wzplog" << none;
        QTest::newRow("wzplog unknown option") << wzplog << QStringList{"--bogus"} << 2 << none
                                               << "wzplog: Unknown option 'bogus'.\nTry \"wzplog --help\".\n";
        QTest::newRow("wzplog unexpected file") << wzplog << QStringList{"log.mdb"} << 2 << none
                                                << "wzplog: unexpected argument \"log.mdb\".";
        QTest::newRow("wzplog data without folder") << wzplog << QStringList{"--data"} << 2 << none
                                                    << "Missing value after '--data'.";
        QTest::newRow("wzplog data folder without a log") << wzplog << QStringList{"--data=MISSING"} << 1 << none
                                                          << "holds no log.mdb; \"wzplog-cli init ";
        QTest::newRow("menddb help") << menddb << QStringList{"--help"} << 0 << "Usage: menddb [--data DIR]\n" << none;
        QTest::newRow("menddb version") << menddb << QStringList{"--version"} << 0 << "menddb (WZP Logbook) " WZP_VERSION "\n"
                                        << none;
        QTest::newRow("menddb unknown option") << menddb << QStringList{"--compact"} << 1 << none
                                               << "menddb: Unknown option 'compact'.\nTry \"menddb --help\".\nNothing was changed.\n";
        QTest::newRow("menddb unexpected file") << menddb << QStringList{"log.mdb"} << 1 << none
                                                << "unexpected argument \"log.mdb\".\nTry \"menddb --help\".\nNothing was changed.\n";
        QTest::newRow("menddb data folder without a log") << menddb << QStringList{"--data", "MISSING"} << 1 << none
                                                          << "holds no log.mdb; \"wzplog-cli init ";
    }

    void commandLines()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        TestDatabase db;
        QTemporaryDir other;
        const QString missing = QDir(other.path()).filePath("missing");
        arguments.replaceInStrings(QRegularExpression("\\bMISSING$"), missing);
        const QByteArray before = TestDatabase::fileBytes(db.path());
        const QStringList filesBefore = QDir(db.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        QProcess process;
        process.setWorkingDirectory(db.folder());
        // No display at all: a program that asked for one would end with an error of its own.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString errors = QString::fromLocal8Bit(process.readAllStandardError());

        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        QVERIFY2(out.isEmpty() ? output.isEmpty() : output.contains(out), qPrintable(output));
        QVERIFY2(err.isEmpty() ? errors.isEmpty() : errors.contains(err), qPrintable(errors));
        QCOMPARE(TestDatabase::fileBytes(db.path()), before);
        QCOMPARE(QDir(db.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore);
        QVERIFY(!QFileInfo::exists(missing));
    }

    void menddbMendsTheFolderNamedByData()
    {
        TestDatabase db;
        QTemporaryDir elsewhere;
        QProcess process;
        process.setWorkingDirectory(elsewhere.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(MENDDB_PATH), {QStringLiteral("--data=") + db.folder()});
        QVERIFY(process.waitForFinished(60000));
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(output.contains("Done: log.mdb is ready for WZP Logbook."), qPrintable(output));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProgramLinesTest)
#include "tst_programlines.moc"
