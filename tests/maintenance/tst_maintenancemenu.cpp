#include "backupstore.h"
#include "controls.h"
#include "damage.h"
#include "datamodule.h"
#include "mainwindow.h"
#include "maintenancemenu.h"
#include "programfixture.h"
#include "tables.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

// The first warning names the backup folder and the data folder.
QString restoreWarning(const QString &dataFolder)
{
    return QStringLiteral("Do you like to restore your data \r\rfrom %1 to %2 ?\r\r"
                          "You will loose data from the last backup !")
        .arg(QDir::toNativeSeparators(dataFolder + QStringLiteral("/backup")), QDir::toNativeSeparators(dataFolder));
}
const QString secondWarning = QStringLiteral(
    "Do you really like to restore your data ?\r\rYou will loose data from the last backup !");

// A QSO as saving leaves it: in LOG, in its band and mode tables as the DOK's first, and marked
// in the status matrix.
void addSavedQso(const TestDatabase &db, const QString &dok, const QString &call)
{
    db.execute(QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                              "VALUES ('%1', 'BONN', '01/02/2020', '14', 'SSB', '%2', 'C', 14)")
                   .arg(call, dok));
    for (const QString &table : {QStringLiteral("LOG14"), QStringLiteral("LOGSSB")}) {
        db.execute(QStringLiteral("DELETE FROM %1 WHERE dok = '*'").arg(table));
        db.execute(QStringLiteral("INSERT INTO %1 (call, loc, data, banda, modo, dok, conf, num) "
                                  "SELECT call, loc, data, banda, modo, dok, conf, id FROM LOG WHERE id = "
                                  "(SELECT max(id) FROM LOG)")
                       .arg(table));
    }
    db.execute(QStringLiteral("UPDATE DOK SET T14 = 'C', SSB14 = 'C', SSB = 'C', CONF = 'C' WHERE DOK = '%1'").arg(dok));
}

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

class MaintenanceMenuTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFixture> program;

    MainWindow &main() { return program->mainWindow(); }
    LogData &dm() { return program->dm(); }
    ScriptedPrompter &prompter() { return program->services.prompter; }
    BackupStore store() const { return BackupStore(program->db.folder(), schema::databasePassword); }
    // Opens the program with QSOs in the log and the management view shown, where backup and
    // restore are enabled.
    void openWithQsos(int count)
    {
        program = std::make_unique<ProgramFixture>();
        addSavedQso(program->db, QStringLiteral("G01"), QStringLiteral("DL0ABC"));
        for (int i = 1; i < count; ++i)
            addSavedQso(program->db, program->db.value(QStringLiteral("SELECT DOK FROM DOK WHERE id = %1").arg(100 + i)),
                        QStringLiteral("DL%1ABC").arg(i));
        main().action(QStringLiteral("Management1"))->trigger();
        QVERIFY(main().action(QStringLiteral("Backup1"))->isEnabled());
    }
    void backUp()
    {
        prompter().answer(true);
        main().action(QStringLiteral("Backup1"))->trigger();
    }
    void restore(bool first = true, bool second = true)
    {
        prompter().answer(first);
        prompter().answer(second);
        main().action(QStringLiteral("Restore1"))->trigger();
    }
    void verifyEveryViewOpen()
    {
        for (TableView *view : {&dm().log, &dm().logbanda, &dm().logmodo, &dm().info, &dm().dxcc, &dm().riep,
                                &dm().dok, &dm().Dipl})
            QVERIFY2(view->isOpen(), qPrintable(view->tableName()));
        QVERIFY(dm().log.isFiltered());
    }

private slots:
    void cleanup() { program.reset(); }

    void backupNeedsTwoQsos_data();
    void backupNeedsTwoQsos();
    void toolButtonBacksUpToo();
    void cancelledBackupCopiesNothing();
    void secondBackupReplacesFirst();
    void failedBackupKeepsOldOneAndSaysSo();
    void restoreWithoutBackup();
    void cancelAtEitherWarningChangesNothing_data();
    void cancelAtEitherWarningChangesNothing();
    void restoreBringsBackTheBackup();
    void unusableBackupIsRefused_data();
    void unusableBackupIsRefused();
    void compactAndRepair_data();
    void compactAndRepair();
};

void MaintenanceMenuTest::backupNeedsTwoQsos_data()
{
    QTest::addColumn<int>("qsos");
    QTest::addColumn<bool>("backedUp");
    QTest::newRow("1 QSO") << 1 << false;
    QTest::newRow("2 QSOs") << 2 << true;
}

void MaintenanceMenuTest::backupNeedsTwoQsos()
{
    QFETCH(int, qsos);
    QFETCH(bool, backedUp);
    openWithQsos(qsos);

    backUp();

    if (backedUp) {
        QCOMPARE(prompter().questions, QStringList{QStringLiteral("Do you like really to backup your data ?")});
        QCOMPARE(prompter().questionKinds, QList<Prompter::Question>{Prompter::Question::YesCancel});
        QCOMPARE(prompter().messages, QStringList{"Backup has been successfully done in "
                                                  + QDir::toNativeSeparators(store().backupFolder()) + "!"});
        QCOMPARE(store().backupFolder(), program->db.folder() + "/backup");
        QVERIFY(QFileInfo(store().backupPath()).isFile());
        QCOMPARE(TestDatabase::contentOf(store().backupPath()), program->db.content());
    } else {
        QCOMPARE(prompter().messages, QStringList{QStringLiteral("Not enough data to backup!")});
        QVERIFY(prompter().questions.isEmpty());
        QVERIFY(!QFileInfo::exists(store().backupFolder()));
    }
    QVERIFY(prompter().errors.isEmpty());
    verifyEveryViewOpen();
}

void MaintenanceMenuTest::toolButtonBacksUpToo()
{
    openWithQsos(2);
    prompter().answer(true);
    main().action(QStringLiteral("SpeedBack"))->trigger();
    QVERIFY(QFileInfo(store().backupPath()).isFile());
}

void MaintenanceMenuTest::cancelledBackupCopiesNothing()
{
    openWithQsos(2);
    prompter().answer(false);
    main().action(QStringLiteral("Backup1"))->trigger();
    QVERIFY(!QFileInfo::exists(store().backupFolder()));
    QVERIFY(prompter().messages.isEmpty());
}

void MaintenanceMenuTest::secondBackupReplacesFirst()
{
    openWithQsos(2);
    backUp();
    addSavedQso(program->db, QStringLiteral("H05"), QStringLiteral("DK5XY"));

    backUp();

    QCOMPARE(prompter().messages.size(), 2);
    QVERIFY(TestDatabase::contentOf(store().backupPath()).contains(QStringLiteral("DK5XY")));
    QCOMPARE(TestDatabase::contentOf(store().backupPath()), program->db.content());
}

void MaintenanceMenuTest::failedBackupKeepsOldOneAndSaysSo()
{
    openWithQsos(2);
    backUp();
    const QByteArray oldBackup = damage::bytes(store().backupPath());
    addSavedQso(program->db, QStringLiteral("H05"), QStringLiteral("DK5XY"));
    prompter().messages.clear();

    {
        FileSizeLimit full(rlim_t(QFileInfo(program->db.path()).size() / 2));
        backUp();
    }

    QVERIFY(prompter().messages.isEmpty());
    QCOMPARE(prompter().errors.size(), 1);
    QVERIFY(prompter().errors.first().startsWith(QStringLiteral("The backup failed: ")));
    QVERIFY(prompter().errors.first().endsWith(QStringLiteral("\rThe previous backup is unchanged.")));
    QCOMPARE(damage::bytes(store().backupPath()), oldBackup);
    QCOMPARE(QDir(store().backupFolder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
    verifyEveryViewOpen();
}

void MaintenanceMenuTest::restoreWithoutBackup()
{
    openWithQsos(2);
    restore();
    QCOMPARE(prompter().messages, QStringList{QStringLiteral("No data to restore!")});
    QVERIFY(prompter().questions.isEmpty());
}

void MaintenanceMenuTest::cancelAtEitherWarningChangesNothing_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<int>("warnings");
    QTest::newRow("first warning") << false << 1;
    QTest::newRow("second warning") << true << 2;
}

void MaintenanceMenuTest::cancelAtEitherWarningChangesNothing()
{
    QFETCH(bool, first);
    QFETCH(int, warnings);
    openWithQsos(2);
    backUp();
    addSavedQso(program->db, QStringLiteral("H05"), QStringLiteral("DK5XY"));
    const QByteArray live = damage::bytes(program->db.path());
    prompter().questions.clear();
    prompter().messages.clear();

    restore(first, false);

    QCOMPARE(prompter().questions, QStringList({restoreWarning(program->db.folder()), secondWarning}).mid(0, warnings));
    QVERIFY(prompter().messages.isEmpty());
    QVERIFY(prompter().errors.isEmpty());
    QCOMPARE(damage::bytes(program->db.path()), live);
    QVERIFY(!QFileInfo::exists(store().beforeRestorePath()));
}

void MaintenanceMenuTest::restoreBringsBackTheBackup()
{
    openWithQsos(3);
    const int logRows = dm().log.recordCount();
    const int bandRows = dm().logbanda.recordCount();
    backUp();
    const QString backedUp = program->db.content();
    addSavedQso(program->db, QStringLiteral("H05"), QStringLiteral("DK5XY"));
    program->db.execute(QStringLiteral("UPDATE DOK SET T14 = 'A' WHERE DOK = 'G01'"));
    const QString replaced = program->db.content();
    prompter().messages.clear();

    restore();

    QCOMPARE(prompter().questions.mid(1), (QStringList{restoreWarning(program->db.folder()), secondWarning}));
    QCOMPARE(prompter().messages, QStringList{QStringLiteral("You restored successfully your data!")});
    QVERIFY(prompter().errors.isEmpty());
    QCOMPARE(program->db.content(), backedUp);
    QVERIFY(!program->db.content().contains(QStringLiteral("DK5XY")));
    QCOMPARE(TestDatabase::contentOf(store().beforeRestorePath()), replaced);
    // The log, its marker row and the views: nothing of the extra QSO, and every view reads the
    // restored file.
    QCOMPARE(program->db.value(QStringLiteral("SELECT count(*) FROM LOG WHERE call = 'oo'")), QStringLiteral("0"));
    verifyEveryViewOpen();
    QCOMPARE(dm().log.recordCount(), logRows);
    QCOMPARE(dm().logbanda.recordCount(), bandRows);
    QVERIFY(dm().dok.locate(QStringLiteral("DOK"), {QStringLiteral("G01")}));
    QCOMPARE(dm().dok.text(QStringLiteral("T14")), QStringLiteral("C"));
    QCOMPARE(dm().Dipl.recordCount(), program->db.value(QStringLiteral("SELECT count(*) FROM Diplome")).toInt());
    auto *grid = child<QTableView>(main(), QStringLiteral("DBGBand"));
    QCOMPARE(grid->model()->rowCount(), bandRows);
}

void MaintenanceMenuTest::unusableBackupIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("foreign file") << "foreign";
    QTest::newRow("damaged database") << "damaged";
}

void MaintenanceMenuTest::unusableBackupIsRefused()
{
    QFETCH(QString, kind);
    openWithQsos(2);
    QVERIFY(QDir().mkpath(store().backupFolder()));
    if (kind == QLatin1String("foreign")) {
        QFile file(store().backupPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("This is not a logbook.\n");
    } else {
        QVERIFY(QFile::copy(program->db.path(), store().backupPath()));
        const QByteArray code = program->db.value(QStringLiteral("SELECT DOK FROM DOK WHERE id = 400")).toUtf8();
        QVERIFY(damage::overwritePage(store().backupPath(), damage::pageHolding(store().backupPath(), code)));
    }
    const QByteArray live = damage::bytes(program->db.path());

    restore();

    QVERIFY(prompter().questions.isEmpty());
    QVERIFY(prompter().messages.isEmpty());
    QCOMPARE(prompter().errors.size(), 1);
    QVERIFY(prompter().errors.first().startsWith(QStringLiteral("The backup cannot be restored: ")));
    QVERIFY(prompter().errors.first().endsWith(QStringLiteral("\rNothing was changed.")));
    QCOMPARE(damage::bytes(program->db.path()), live);
    verifyEveryViewOpen();
}

void MaintenanceMenuTest::compactAndRepair_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes ends and starts the repair") << true;
    QTest::newRow("no stays") << false;
}

void MaintenanceMenuTest::compactAndRepair()
{
    QFETCH(bool, yes);
    program = std::make_unique<ProgramFixture>();
    main();
    QSignalSpy terminated(program->program.get(), &Startup::terminated);
    QVERIFY(main().action(QStringLiteral("Compact1"))->isEnabled());
    prompter().answer(yes);

    main().action(QStringLiteral("Compact1"))->trigger();

    QCOMPARE(prompter().questions,
             QStringList{QStringLiteral("This function should be used only if you have serious problems with your "
                                        "database.\rDo you want to exit now?")});
    QCOMPARE(prompter().questionKinds, QList<Prompter::Question>{Prompter::Question::YesNo});
    if (yes) {
        QCOMPARE(terminated.count(), 1);
        QVERIFY(!dm().ADOconn.isConnected());
        QCOMPARE(program->services.desktop.startedPrograms,
                 QStringList{QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("menddb"))});
        QCOMPARE(program->services.desktop.startedArguments, QList<QStringList>{QStringList{}});
    } else {
        QCOMPARE(terminated.count(), 0);
        QVERIFY(dm().ADOconn.isConnected());
        QVERIFY(program->services.desktop.startedPrograms.isEmpty());
    }
}

QTEST_MAIN(MaintenanceMenuTest)
#include "tst_maintenancemenu.moc"
