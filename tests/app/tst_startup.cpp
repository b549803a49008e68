#include "connection.h"
#include "datafolder.h"
#include "datamodule.h"
#include "mainwindow.h"
#include "programfixture.h"
#include "splashwindow.h"
#include "tables.h"
#include "tableview.h"
#include "userdatawindow.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

void touch(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void dataFolderChoice_data()
    {
        QTest::addColumn<bool>("inWorking");
        QTest::addColumn<bool>("inProgram");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("working folder first") << true << true << "working";
        QTest::newRow("portable program folder") << false << true << "program";
        QTest::newRow("user data folder") << false << false << "user";
    }

    void dataFolderChoice()
    {
        QFETCH(bool, inWorking);
        QFETCH(bool, inProgram);
        QFETCH(QString, chosen);
        QTemporaryDir root;
        const QDir dir(root.path());
        if (inWorking)
            touch(dir.filePath("working/log.mdb"));
        if (inProgram)
            touch(dir.filePath("program/log.mdb"));
        QCOMPARE(datafolder::choose(dir.filePath("working"), dir.filePath("program"), dir.filePath("user")),
                 dir.filePath(chosen));
    }

    void firstStartSeedsTheUserDataFolder()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(QDir().mkpath(dir.filePath("program/share/wzplog/sounds")));
        QVERIFY(QFile::copy(TestDatabase::templatePath(), dir.filePath("program/share/wzplog/template.mdb")));
        touch(dir.filePath("program/share/wzplog/sounds/newdok.wav"), "RIFF");
        const QString share = datafolder::shareFolder(dir.filePath("program"));
        QCOMPARE(share, dir.filePath("program/share/wzplog"));

        const QString user = dir.filePath("home/.local/share/wzplog");
        QCOMPARE(datafolder::prepare(user, share), QString());
        Connection seeded(QDir(user).filePath("log.mdb"), schema::databasePassword);
        seeded.connect();
        QVERIFY(QFile::exists(QDir(user).filePath("newdok.wav")));

        // A later start keeps the user's log and sounds as they are.
        seeded.execute("INSERT INTO LOG (call) VALUES ('DL1KEEP')");
        seeded.disconnect();
        touch(QDir(user).filePath("newdok.wav"), "mine");
        QCOMPARE(datafolder::prepare(user, share), QString());
        QFile sound(QDir(user).filePath("newdok.wav"));
        QVERIFY(sound.open(QIODevice::ReadOnly));
        QCOMPARE(sound.readAll(), QByteArray("mine"));
        Connection again(QDir(user).filePath("log.mdb"), schema::databasePassword);
        TableView log(again, "LOG");
        log.open();
        QVERIFY(log.locate("call", {"DL1KEEP"}));

        QVERIFY(datafolder::prepare(dir.filePath("elsewhere"), QString()).contains("not found"));
    }

    void oneInstancePerDatabase()
    {
        QTemporaryDir folder;
        const QString database = QDir(folder.path()).filePath("log.mdb");
        touch(database);
        auto first = datafolder::lock(database);
        QVERIFY(first.file);
        QVERIFY(first.problem.isEmpty());
        const auto second = datafolder::lock(database);
        QVERIFY(!second.file);
        QVERIFY2(second.problem.startsWith("WZP Logbook is already running"), qPrintable(second.problem));
        first = {};
        QVERIFY(datafolder::lock(database).file);
    }

    void linksToOneDatabaseShareTheLock()
    {
        QTemporaryDir real, linked;
        const QString database = QDir(real.path()).filePath("log.mdb");
        touch(database);
        const QString link = QDir(linked.path()).filePath("log.mdb");
        QVERIFY(QFile::link(database, link));
        const auto first = datafolder::lock(database);
        QVERIFY(first.file);
        const auto second = datafolder::lock(link);
        QVERIFY(!second.file);
        QVERIFY2(second.problem.contains(database), qPrintable(second.problem));
    }

    void aLockThatCannotBeCreatedIsReportedAsSuch()
    {
        QTemporaryDir folder;
        const QString database = QDir(folder.path()).filePath("log.mdb");
        touch(database);
        // Where the lock file should go stands a folder, so the lock cannot be created.
        QVERIFY(QDir().mkpath(database + ".lock"));
        const auto lock = datafolder::lock(database);
        QVERIFY(!lock.file);
        QVERIFY2(lock.problem.startsWith("Cannot create the lock file"), qPrintable(lock.problem));
    }

    void splashOpensEveryViewAndReadsTheSoundSwitch_data()
    {
        QTest::addColumn<int>("sound");
        QTest::newRow("sounds on") << 1;
        QTest::newRow("sounds off") << 0;
    }

    void splashOpensEveryViewAndReadsTheSoundSwitch()
    {
        QFETCH(int, sound);
        ProgramFixture fixture;
        fixture.db.execute(QStringLiteral("UPDATE INFO SET sound=%1").arg(sound));
        fixture.start();
        TDm &dm = fixture.dm();
        QVERIFY(fixture.program->splash().isVisible());
        for (TableView *view : {&dm.log, &dm.logbanda, &dm.logmodo, &dm.info, &dm.dxcc, &dm.riep, &dm.dok, &dm.Dipl})
            QVERIFY2(view->isOpen(), qPrintable(view->tableName()));
        QCOMPARE(dm.logbanda.tableName(), QStringLiteral("LOG14"));
        QCOMPARE(dm.logmodo.tableName(), QStringLiteral("LOGSSB"));
        QCOMPARE(dm.soundOn, sound == 1);
        QVERIFY(fixture.services.prompter.errors.isEmpty());
    }

    void enterLeadsToUserDataWhileNoCallsignIsStored_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("mainShown");
        QTest::newRow("no callsign") << "NULL" << false;
        QTest::newRow("callsign") << "'IK2ABC'" << true;
    }

    void enterLeadsToUserDataWhileNoCallsignIsStored()
    {
        QFETCH(QString, call);
        QFETCH(bool, mainShown);
        ProgramFixture fixture;
        fixture.db.execute("UPDATE INFO SET CALL=" + call);
        fixture.start();
        fixture.program->splash().findChild<QPushButton *>("SpeedButton1")->click();
        QVERIFY(!fixture.program->splash().isVisible());
        QCOMPARE(fixture.program->mainWindow().isVisible(), mainShown);
        QCOMPARE(fixture.program->userData().isVisible(), !mainShown);
        QVERIFY(!fixture.program->userData().isModal());
    }

    void firstStartContinuesFromUserDataToTheMainWindow()
    {
        ProgramFixture fixture;
        fixture.db.execute("UPDATE INFO SET NOME='A', COGN='B', INDIR='C', CITTA='D', ZIP='E', PROV='F', "
                           "LOCATOR='JN45', EMAIL='g@h', OM='OM', stato='Italy'");
        fixture.start();
        fixture.program->splash().SpeedButton1Click();
        TForm3 &userData = fixture.program->userData();
        QTest::keyClicks(userData.findChild<QLineEdit *>("DBEdit1"), "ik2abc");
        userData.findChild<QPushButton *>("SpeedButton1")->click();
        QVERIFY(!userData.isVisible());
        QVERIFY(fixture.program->mainWindow().isVisible());
        QCOMPARE(fixture.db.value("SELECT CALL FROM INFO"), QStringLiteral("IK2ABC"));
    }

    void unusableDatabaseIsReportedWithoutACrash_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("wrong password") << "password" << "Not a valid password.";
        QTest::newRow("damaged file") << "damaged" << "Unrecognized database format";
        QTest::newRow("missing file") << "missing" << "Could not find file";
        QTest::newRow("zero-byte file") << "empty" << "log.mdb is not a database of this program.";
        QTest::newRow("no tables but the password") << "bare" << "The table 'LOG' does not exist in the database.\n";
    }

    void unusableDatabaseIsReportedWithoutACrash()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        ProgramFixture fixture;
        QFile::remove(fixture.db.path());
        if (kind == "password")
            schema::createDatabase(fixture.db.path(), "another");
        else if (kind == "damaged")
            touch(fixture.db.path(), QByteArray(2048, '\0') + "not a database");
        else if (kind == "empty")
            touch(fixture.db.path(), QByteArray());
        else if (kind == "bare")
            Connection::create(fixture.db.path(), schema::databasePassword);
        fixture.start();
        QCOMPARE(fixture.services.prompter.errors.size(), 1);
        QVERIFY2(fixture.services.prompter.errors.first().startsWith(text), qPrintable(fixture.services.prompter.errors.first()));
        QVERIFY(!fixture.dm().info.isOpen());

        // "Enter" cannot read the user's data: it says so and the splash stays, so "Exit" still works.
        fixture.program->splash().SpeedButton1Click();
        QCOMPARE(fixture.services.prompter.errors.size(), 2);
        QVERIFY(fixture.program->splash().isVisible());
        QVERIFY(!fixture.program->mainWindow().isVisible());
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        fixture.program->splash().findChild<QPushButton *>("SpeedButton2")->click();
        QCOMPARE(terminated.count(), 1);
    }

    void splashExitClosesTheConnection()
    {
        ProgramFixture fixture;
        fixture.start();
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        fixture.program->splash().findChild<QPushButton *>("SpeedButton2")->click();
        QCOMPARE(terminated.count(), 1);
        QVERIFY(!fixture.dm().ADOconn.isConnected());
        QVERIFY(!fixture.dm().log.isOpen());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
