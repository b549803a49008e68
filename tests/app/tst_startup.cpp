#include "connection.h"
#include "datafolder.h"
#include "datamodule.h"
#include "maintenancemenu.h"
#include "mainwindow.h"
#include "programfixture.h"
#include "splashwindow.h"
#include "tables.h"
#include "tableview.h"
#include "userdatawindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void touch(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// What check gives when run by a user without root's right to write anything: in a child that
// drops to "nobody" when the test runs as root. Empty when rights cannot be dropped.
std::optional<QString> asUnprivilegedUser(const std::function<QString()> &check)
{
    if (geteuid() != 0)
        return check();
    int channel[2];
    if (pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        const QByteArray answer = check().toUtf8();
        const bool written = write(channel[1], answer.constData(), size_t(answer.size())) == answer.size();
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    QByteArray answer;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return QString::fromUtf8(answer);
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

    void theNewLogHonoursTheUmask_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("mode");
        QTest::newRow("022") << 022 << 0644;
        QTest::newRow("077") << 077 << 0600;
        QTest::newRow("002") << 002 << 0664;
    }

    void theNewLogHonoursTheUmask()
    {
        QFETCH(int, mask);
        QFETCH(int, mode);
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(QDir().mkpath(dir.filePath("share")));
        QVERIFY(QFile::copy(TestDatabase::templatePath(), dir.filePath("share/template.mdb")));
        const mode_t old = ::umask(mode_t(mask));
        const QString problem = datafolder::prepare(dir.filePath("data"), dir.filePath("share"));
        ::umask(old);
        QCOMPARE(problem, QString());
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(dir.filePath("data/log.mdb")).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 0777), mode);
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

    void hardLinkedTwinsShareTheLock()
    {
        QTemporaryDir first, second;
        const QString database = QDir(first.path()).filePath("log.mdb");
        touch(database);
        const QString twin = QDir(second.path()).filePath("log.mdb");
        QVERIFY(::link(QFile::encodeName(database).constData(), QFile::encodeName(twin).constData()) == 0);
        auto held = datafolder::lock(database);
        QVERIFY(held.file);
        const auto refused = datafolder::lock(twin);
        QVERIFY(!refused.file);
        QVERIFY(refused.heldByAnother);
        QVERIFY2(refused.problem.startsWith("WZP Logbook is already running on the database " + twin), qPrintable(refused.problem));
        held = {};
        QVERIFY(datafolder::lock(twin).file);
    }

    void aStaleLockIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("holderDied");
        QTest::newRow("empty lock file") << QByteArray() << false;
        QTest::newRow("unreadable rubbish") << QByteArray("\x01\xff garbage") << false;
        QTest::newRow("holder killed") << QByteArray() << true;
    }

    void aStaleLockIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, holderDied);
        QTemporaryDir folder;
        const QString database = QDir(folder.path()).filePath("log.mdb");
        touch(database);
        if (holderDied) {
            const pid_t child = fork();
            if (child == 0) {
                const auto lock = datafolder::lock(database);
                _exit(lock.file ? 0 : 1); // dies holding the lock, without letting go of it
            }
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            QVERIFY(QFile(database + ".lock").size() > 0);
        } else {
            touch(database + ".lock", content);
        }
        const auto lock = datafolder::lock(database);
        QVERIFY2(lock.file, qPrintable(lock.problem));
        QFile file(database + ".lock");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine().trimmed(), QByteArray::number(QCoreApplication::applicationPid()));
    }

    void theHolderIsNamed()
    {
        QTemporaryDir folder;
        const QString database = QDir(folder.path()).filePath("log.mdb");
        touch(database);
        const auto held = datafolder::lock(database);
        QVERIFY(held.file);
        const auto second = datafolder::lock(database);
        QCOMPARE(second.problem, QStringLiteral("WZP Logbook is already running on the database %1 (%2, process %3).")
                                     .arg(database, QCoreApplication::applicationName())
                                     .arg(QCoreApplication::applicationPid()));
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

    void whatCannotBeWrittenIsNamed_data()
    {
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("problem");
        QTest::newRow("both writable") << true << true << "";
        QTest::newRow("read-only file") << false << true << "the file %1/log.mdb cannot be written";
        QTest::newRow("read-only folder") << true << false << "the folder %1 cannot be written";
    }

    void whatCannotBeWrittenIsNamed()
    {
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
        QFETCH(QString, problem);
        QTemporaryDir root;
        const QString folder = QDir(root.path()).filePath("data");
        const QString database = QDir(folder).filePath("log.mdb");
        touch(database);
        // Everyone may read; only what the row allows may be written by everyone.
        const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto everyone = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        const auto entered = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QFile::setPermissions(root.path(), readable | entered | QFile::WriteOwner);
        QFile::setPermissions(database, readable | (fileWritable ? everyone : QFile::Permissions()));
        QFile::setPermissions(folder, readable | entered | (folderWritable ? everyone : QFile::Permissions()));
        const auto seen = asUnprivilegedUser([&] { return datafolder::writeProblem(database); });
        QFile::setPermissions(folder, readable | entered | QFile::WriteOwner);
        if (!seen)
            QSKIP("This test needs a user without root's rights; the rights could not be dropped.");
        QCOMPARE(*seen, problem.isEmpty() ? QString() : problem.arg(QDir::toNativeSeparators(folder)));
    }

    void anUnwritableLogOpensReadOnlyAndEverySaveSaysWhy()
    {
        ProgramFixture fixture;
        fixture.db.execute(QStringLiteral("UPDATE INFO SET CALL='IK2ABC', sound=1"));
        const QByteArray before = TestDatabase::fileBytes(fixture.db.path());
        fixture.program = std::make_unique<Startup>(fixture.db.path());
        fixture.program->openReadOnly(QStringLiteral("the folder /media/stick cannot be written"));
        QCOMPARE(fixture.services.prompter.messages,
                 QStringList{"The log is opened read-only, because the folder /media/stick cannot be written. "
                             "You can look at it, but nothing can be saved."});
        fixture.program->start();
        MainWindow &main = fixture.mainWindow();
        QVERIFY2(main.windowTitle().endsWith(" (read-only)"), qPrintable(main.windowTitle()));
        QVERIFY(fixture.dm().log.isOpen());
        QVERIFY2(fixture.services.prompter.errors.isEmpty(), qPrintable(fixture.services.prompter.errors.join('|')));

        main.findChild<QAction *>("Sound1")->trigger();
        QCOMPARE(fixture.services.prompter.errors,
                 QStringList{"Nothing can be saved: the log is open read-only, because the folder /media/stick "
                             "cannot be written."});
        fixture.program.reset();
        QFile file(fixture.db.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
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
        LogData &dm = fixture.dm();
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
        fixture.program->splash().enterLog();
        UserDataWindow &userData = fixture.program->userData();
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
        QTest::newRow("no tables but the password")
            << "bare" << "The table LOG is missing, so the file is not a database of this program; it was left as it is.";
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
        const QByteArray before = TestDatabase::fileBytes(fixture.db.path());
        fixture.start();
        QCOMPARE(TestDatabase::fileBytes(fixture.db.path()), before); // not ours: nothing is written to it
        QCOMPARE(fixture.services.prompter.errors.size(), 1);
        QVERIFY2(fixture.services.prompter.errors.first().startsWith(text), qPrintable(fixture.services.prompter.errors.first()));
        QVERIFY(!fixture.dm().info.isOpen());

        // "Enter" cannot read the user's data: it says so and the splash stays, so "Exit" still works.
        fixture.program->splash().enterLog();
        QCOMPARE(fixture.services.prompter.errors.size(), 2);
        QVERIFY(fixture.program->splash().isVisible());
        QVERIFY(!fixture.program->mainWindow().isVisible());
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        fixture.program->splash().findChild<QPushButton *>("SpeedButton2")->click();
        QCOMPARE(terminated.count(), 1);
    }

    void aDamagedLogOffersTheRepair_data()
    {
        QTest::addColumn<bool>("agree");
        QTest::newRow("repair now") << true;
        QTest::newRow("not now") << false;
    }

    void aDamagedLogOffersTheRepair()
    {
        QFETCH(bool, agree);
        ProgramFixture fixture;
        QStringList rows;
        for (int i = 0; i < 2000; ++i)
            rows << QStringLiteral("('DQ%1XY', 'A01', '14', 'SSB', 14, 'C')").arg(i, 4, 10, QLatin1Char('0'));
        fixture.db.execute("INSERT INTO LOG (call, dok, banda, modo, mhz, conf) VALUES " + rows.join(','));
        // A leaf of LOG in the middle is overwritten, as a failing disk does.
        QFile file(fixture.db.path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        const int pageSize = (quint8(bytes.at(16)) << 8) | quint8(bytes.at(17));
        const qint64 page = bytes.indexOf("DQ1000XY") / pageSize;
        QVERIFY(page > 0);
        file.seek(page * pageSize);
        file.write(QByteArray(pageSize, char(0xAB)));
        file.close();
        fixture.services.prompter.answer(agree);
        fixture.program = std::make_unique<Startup>(fixture.db.path());
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);

        fixture.program->start();

        QCOMPARE(fixture.services.prompter.questions.size(), 1);
        QVERIFY2(fixture.services.prompter.questions.first().startsWith(
                     QStringLiteral("The log %1 is damaged (").arg(fixture.db.path())),
                 qPrintable(fixture.services.prompter.questions.first()));
        QVERIFY(fixture.services.prompter.questions.first().contains("Start the repair now?"));
        if (agree) {
            QCOMPARE(terminated.count(), 1);
            QCOMPARE(fixture.services.desktop.startedPrograms, QStringList{MaintenanceMenu::repairProgram()});
            QVERIFY(!fixture.dm().ADOconn.isConnected());
            QVERIFY(fixture.services.prompter.errors.isEmpty());
        } else {
            QCOMPARE(terminated.count(), 0);
            QVERIFY(fixture.services.desktop.startedPrograms.isEmpty());
            QVERIFY(fixture.program->splash().isVisible());
        }
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
