#include "connection.h"
#include "damage.h"
#include "databasefile.h"
#include "databasemender.h"
#include "datafolder.h"
#include "mendcommand.h"
#include "mendreportwindow.h"
#include "controls.h"
#include "scriptedservices.h"
#include "smalldisk.h"
#include "tables.h"
#include "vocabulary.h"
#include "tablesalvager.h"
#include "testdatabase.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <unistd.h>

namespace {

QString callOf(int i)
{
    return QStringLiteral("DQ%1XY").arg(i, 4, 10, QLatin1Char('0'));
}

void addQsos(const TestDatabase &db, int count)
{
    // DOKs of the list, as the program saves them.
    const QStringList doks = db.value(QStringLiteral("SELECT group_concat(DOK) FROM (SELECT DOK FROM DOK WHERE SPEC IS NULL "
                                                     "ORDER BY id LIMIT 90)"))
                                 .split(',');
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("('%1', 'KOELN', '03/04/2021', '7', 'CW', '%2', 'C', 7)").arg(callOf(i), doks.at(i % doks.size()));
    db.execute(QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) VALUES ") + rows.join(QLatin1Char(',')));
}

// The rows of LOG by callsign, each as its columns read back.
QHash<QString, QString> logRows(const TestDatabase &db)
{
    QHash<QString, QString> rows;
    for (const QString &line : db.table(QStringLiteral("LOG")).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch call = QRegularExpression(QStringLiteral("call=(\\S+)")).match(line);
        rows.insert(call.captured(1), line);
    }
    return rows;
}

QStringList damagedCopies(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("log-damaged-*.mdb")}, QDir::Files);
}

} // namespace

class MenddbTest : public QObject
{
    Q_OBJECT

private:
    ScriptedServices services;

private slots:
    void soundFileIsCompactedAndKeepsPassword();
    void damagedFileKeepsEveryReadableQso();
    void damagedFileIsKeptBesideTheRepairedOne();
    void lostDokRowsComeBackFromTheDeliveredDatabase();
    void leavesAloneWhatItCannotMend_data();
    void leavesAloneWhatItCannotMend();
    void refusesWhileTheProgramHoldsTheFolder();
    void takesOverAStaleEmptyLock();
    void namesWhatKeepsTheLockFromBeingMade();
    void commandRepairsTheDataFolderAndReportsOnTheTerminal();
    void aDisplayThatIsGoneLeavesTheReportOnTheTerminal();
    void aFullDiskIsNamed_data();
    void aFullDiskIsNamed();
    void aFolderThatCannotBeWrittenIsNamed();
    void reportWindowFollowsTheRepair();
};

void MenddbTest::soundFileIsCompactedAndKeepsPassword()
{
    TestDatabase db;
    addQsos(db, 3000);
    db.execute(QStringLiteral("DELETE FROM LOG WHERE id > 500"));
    const QString before = db.content();
    const qint64 size = QFileInfo(db.path()).size();

    const DatabaseMender::Result result = DatabaseMender(db.folder(), schema::databasePassword).mend();

    QVERIFY2(result.success, qPrintable(result.lines.join(QLatin1Char('\n'))));
    QVERIFY(result.lines.contains(QStringLiteral("The file is sound.")));
    QVERIFY(QFileInfo(db.path()).size() < size);
    QCOMPARE(db.content(), before);
    QCOMPARE(databasefile::check(db.path(), schema::databasePassword), QString());
    QVERIFY(damagedCopies(db.folder()).isEmpty());
    QCOMPARE(QDir(db.folder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

void MenddbTest::damagedFileKeepsEveryReadableQso()
{
    TestDatabase db;
    addQsos(db, 3000);
    const QHash<QString, QString> original = logRows(db);
    // The status cells are derived from LOG again; the rest of DOK stays as it was.
    QStringList derived = vocab::statusCells();
    derived << vocab::summaryCell;
    const QString dokTable = db.table(QStringLiteral("DOK"), derived);
    // Two leaves of LOG's table, one in the middle and the last one, are overwritten.
    QSet<QString> lost;
    for (int victim : {1500, 2999}) {
        const int page = damage::pageHolding(db.path(), callOf(victim).toUtf8());
        QCOMPARE(damage::pageKind(db.path(), page), 0x0D);
        const QByteArray bytes = damage::page(db.path(), page);
        for (const QString &call : original.keys()) {
            if (bytes.contains(call.toUtf8()))
                lost.insert(call);
        }
        QVERIFY(damage::overwritePage(db.path(), page));
    }
    QVERIFY(lost.contains(callOf(1500)) && lost.contains(callOf(2999)));
    QVERIFY(lost.size() < 300);
    QVERIFY(!databasefile::integrityProblems(db.path()).isEmpty());

    const DatabaseMender::Result result = DatabaseMender(db.folder(), schema::databasePassword).mend();

    QVERIFY2(result.success, qPrintable(result.lines.join(QLatin1Char('\n'))));
    // QSO i has the id i + 1; the report names every id it could not read.
    std::vector<qint64> lostIds;
    for (const QString &call : lost)
        lostIds.push_back(call.mid(2, 4).toLongLong() + 1);
    std::sort(lostIds.begin(), lostIds.end());
    QVERIFY2(result.lines.contains(QStringLiteral("LOG: %1 rows recovered, at least %2 lost (ids %3 unreadable).")
                                       .arg(3000 - lost.size())
                                       .arg(lost.size())
                                       .arg(idRanges(lostIds))),
             qPrintable(result.lines.join('\n')));
    QVERIFY(result.rowsLost);
    QVERIFY(result.lines.last().contains("rows were lost: compare it with your backup"));
    const QHash<QString, QString> recovered = logRows(db);
    QCOMPARE(recovered.size(), original.size() - lost.size());
    for (auto row = original.cbegin(); row != original.cend(); ++row) {
        if (!lost.contains(row.key()))
            QCOMPARE(recovered.value(row.key()), row.value());
    }
    QCOMPARE(db.table(QStringLiteral("DOK"), derived), dokTable);
    QVERIFY(result.lines.contains(QStringLiteral("The band and mode tables, the DOK status, the counters and the awards were derived again from LOG.")));
    QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE CONF = 'C'")),
             db.value(QStringLiteral("SELECT count(DISTINCT upper(dok)) FROM LOG")));
    QCOMPARE(databasefile::check(db.path(), schema::databasePassword), QString());
    // New QSOs do not take the numbers of the lost ones.
    db.execute(QStringLiteral("INSERT INTO LOG (call) VALUES ('DL9NEW')"));
    QCOMPARE(db.value(QStringLiteral("SELECT id FROM LOG WHERE call = 'DL9NEW'")), QStringLiteral("3001"));
}

void MenddbTest::lostDokRowsComeBackFromTheDeliveredDatabase()
{
    TestDatabase db;
    addQsos(db, 300);
    // A DOK the user added, with a QSO.
    db.execute(QStringLiteral("INSERT INTO DOK (DOK, SPEC) VALUES ('XMAS26', 'S')"));
    db.execute(QStringLiteral("INSERT INTO LOG (call, data, banda, modo, dok, conf, spec, mhz) "
                              "VALUES ('DA0XM', '24/12/2026', '14', 'SSB', 'XMAS26', 'C', 'S', 14)"));
    // Every leaf of DOK is overwritten: all its rows are gone.
    const int root = db.value(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'DOK'")).toInt();
    const QByteArray rootPage = damage::page(db.path(), root);
    QCOMPARE(quint8(rootPage.at(0)), quint8(0x05));
    const int cells = qFromBigEndian<quint16>(rootPage.constData() + 3);
    QVERIFY(damage::overwritePage(db.path(), int(qFromBigEndian<quint32>(rootPage.constData() + 8))));
    for (int i = 0; i < cells; ++i) {
        const int offset = qFromBigEndian<quint16>(rootPage.constData() + 12 + 2 * i);
        QVERIFY(damage::overwritePage(db.path(), int(qFromBigEndian<quint32>(rootPage.constData() + offset))));
    }

    const DatabaseMender::Result result =
        DatabaseMender(db.folder(), schema::databasePassword, TestDatabase::templatePath()).mend();

    QVERIFY2(result.success, qPrintable(result.lines.join(QLatin1Char('\n'))));
    QVERIFY(result.rowsLost);
    QVERIFY2(result.lines.contains(QStringLiteral("DOK: 1176 rows brought back from the delivered database.")),
             qPrintable(result.lines.join(QLatin1Char('\n'))));
    QVERIFY(result.lines.contains(QStringLiteral("DOK: 1 code of LOG added to the list.")));
    QCOMPARE(db.value(QStringLiteral("SELECT group_concat(id || DOK || ifnull(DESCR, '') || ifnull(SPEC, ''), '|') FROM "
                                     "(SELECT * FROM DOK WHERE id <= 1176 ORDER BY id)")),
             TestDatabase(TestDatabase::Content::Delivered)
                 .value(QStringLiteral("SELECT group_concat(id || DOK || ifnull(DESCR, '') || ifnull(SPEC, ''), '|') FROM "
                                       "(SELECT * FROM DOK ORDER BY id)")));
    QCOMPARE(db.value(QStringLiteral("SELECT SPEC || T14 || SSB14 || SSB || CONF FROM DOK WHERE DOK = 'XMAS26'")),
             QStringLiteral("SCCCC"));
    QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE CONF = 'C'")),
             db.value(QStringLiteral("SELECT count(DISTINCT upper(dok)) FROM LOG")));
}

void MenddbTest::damagedFileIsKeptBesideTheRepairedOne()
{
    TestDatabase db;
    addQsos(db, 1000);
    QVERIFY(damage::overwritePage(db.path(), damage::pageHolding(db.path(), callOf(500).toUtf8())));
    const QByteArray damaged = damage::bytes(db.path());
    services.clock.current = QDateTime(QDate(2026, 12, 10), QTime(3, 4, 5));

    const DatabaseMender::Result result = DatabaseMender(db.folder(), schema::databasePassword).mend();

    QVERIFY(result.success);
    QCOMPARE(damagedCopies(db.folder()), QStringList{QStringLiteral("log-damaged-20261210-030405.mdb")});
    QCOMPARE(damage::bytes(QDir(db.folder()).filePath(QStringLiteral("log-damaged-20261210-030405.mdb"))), damaged);
    QVERIFY(result.lines.contains(QStringLiteral("The damaged file was kept as %1.")
                                      .arg(QDir::toNativeSeparators(QDir(db.folder()).filePath(damagedCopies(db.folder()).first())))));
}

void MenddbTest::leavesAloneWhatItCannotMend_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("another password") << "password" << "The file does not open with the program's password; it was left as it is.";
    QTest::newRow("no log.mdb") << "missing" << "There is no log.mdb in ";
    QTest::newRow("table list destroyed") << "header" << "log.mdb was not changed: ";
}

void MenddbTest::leavesAloneWhatItCannotMend()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestDatabase db(TestDatabase::Content::Empty);
    QFile::remove(db.path());
    if (kind == QLatin1String("password"))
        schema::createDatabase(db.path(), QStringLiteral("another"));
    else if (kind == QLatin1String("header")) {
        schema::createDatabase(db.path());
        QVERIFY(damage::overwritePage(db.path(), 1));
    }
    const QByteArray before = damage::bytes(db.path());

    const DatabaseMender::Result result = DatabaseMender(db.folder(), schema::databasePassword).mend();

    QVERIFY(!result.success);
    QVERIFY2(std::any_of(result.lines.cbegin(), result.lines.cend(),
                         [&](const QString &line) { return line.startsWith(reason); }),
             qPrintable(result.lines.join(QLatin1Char('\n'))));
    QCOMPARE(damage::bytes(db.path()), before);
    QVERIFY(!QFileInfo::exists(db.path() + QStringLiteral(".mending")));
}

void MenddbTest::refusesWhileTheProgramHoldsTheFolder()
{
    TestDatabase db;
    const QByteArray before = damage::bytes(db.path());
    const auto held = datafolder::lock(db.path());
    QVERIFY(held.file);

    const DatabaseMender::Result result = mendcommand::run(db.folder(), 300);

    QVERIFY(!result.success);
    QCOMPARE(result.lines.first(), QStringLiteral("WZP Logbook is still working on %1.").arg(QDir::toNativeSeparators(db.folder())));
    QCOMPARE(damage::bytes(db.path()), before);
}

void MenddbTest::takesOverAStaleEmptyLock()
{
    TestDatabase db;
    QFile lock(db.path() + QStringLiteral(".lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.close();

    const DatabaseMender::Result result = mendcommand::run(db.folder(), 300);

    QVERIFY2(result.success, qPrintable(result.lines.join(QLatin1Char('\n'))));
    QVERIFY(result.lines.contains(QStringLiteral("The file is sound.")));
}

void MenddbTest::namesWhatKeepsTheLockFromBeingMade()
{
    TestDatabase db;
    const QByteArray before = damage::bytes(db.path());
    // Where the lock file should go stands a folder.
    QVERIFY(QDir().mkpath(db.path() + QStringLiteral(".lock")));
    QElapsedTimer timer;
    timer.start();

    const DatabaseMender::Result result = mendcommand::run(db.folder(), 5000);

    QVERIFY(timer.elapsed() < 4000); // no waiting for a program that is not there
    QVERIFY(!result.success);
    QCOMPARE(result.lines, QStringList({QStringLiteral("Cannot create the lock file %1.lock: Is a directory.").arg(db.path()),
                                        QStringLiteral("Nothing was changed.")}));
    QCOMPARE(damage::bytes(db.path()), before);
}

void MenddbTest::commandRepairsTheDataFolderAndReportsOnTheTerminal()
{
    TestDatabase db;
    addQsos(db, 1000);
    QVERIFY(damage::overwritePage(db.path(), damage::pageHolding(db.path(), callOf(500).toUtf8())));
    QProcess menddb;
    menddb.setWorkingDirectory(db.folder());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    menddb.setProcessEnvironment(environment);

    menddb.start(QStringLiteral(MENDDB_PATH), {});
    QVERIFY(menddb.waitForFinished(60000));

    const QString output = QString::fromUtf8(menddb.readAllStandardOutput());
    QCOMPARE(menddb.exitCode(), 2); // mended, but rows were lost
    QVERIFY2(output.contains(QStringLiteral("The file is damaged")), qPrintable(output));
    QVERIFY2(output.contains(QRegularExpression(QStringLiteral("LOG: 9\\d\\d rows recovered, at least \\d+ lost \\(ids [0-9–, ]+ unreadable\\)."))),
             qPrintable(output));
    QCOMPARE(databasefile::check(db.path(), schema::databasePassword), QString());
    QCOMPARE(damagedCopies(db.folder()).size(), 1);
    QVERIFY(datafolder::lock(db.path()).file);
}

void MenddbTest::aDisplayThatIsGoneLeavesTheReportOnTheTerminal()
{
    TestDatabase db;
    QProcess menddb;
    menddb.setWorkingDirectory(db.folder());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":97")); // no X server answers there
    menddb.setProcessEnvironment(environment);

    menddb.start(QStringLiteral(MENDDB_PATH), {});
    QVERIFY(menddb.waitForFinished(60000));

    const QString output = QString::fromUtf8(menddb.readAllStandardOutput());
    QCOMPARE(menddb.exitStatus(), QProcess::NormalExit);
    QCOMPARE(menddb.exitCode(), 0);
    QVERIFY2(output.contains(QStringLiteral("The file is sound.")), qPrintable(output + menddb.readAllStandardError()));
    QVERIFY(output.contains(QStringLiteral("Done: log.mdb is ready for WZP Logbook.")));
}

void MenddbTest::aFullDiskIsNamed_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<double>("freeLogs");
    QTest::addColumn<QString>("reason");
    QTest::newRow("sound file, no room for the compacted copy") << false << 0.0 << "log.mdb was not changed: the disk is full";
    QTest::newRow("damaged file, no room to keep it") << true << 0.0
                                                       << "The damaged file could not be kept, so it was left as it is: ";
    QTest::newRow("damaged file kept, no room for the rebuilt one") << true << 1.3 << "log.mdb was not changed: the disk is full";
}

void MenddbTest::aFullDiskIsNamed()
{
    QFETCH(bool, damaged);
    QFETCH(double, freeLogs);
    QFETCH(QString, reason);
    SmallDisk disk(8192);
    if (!disk.isMounted())
        QSKIP("A small disk cannot be mounted without root's rights.");
    TestDatabase db;
    addQsos(db, 1000);
    if (damaged)
        QVERIFY(damage::overwritePage(db.path(), damage::pageHolding(db.path(), callOf(500).toUtf8())));
    const QString folder = QDir(disk.path()).filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("log.mdb"));
    QVERIFY(QFile::copy(db.path(), path));
    const QByteArray before = damage::bytes(path);
    disk.fill(16 * 1024 + qint64(freeLogs * double(before.size()))); // room for the lock and what the row allows

    const DatabaseMender::Result result = mendcommand::run(folder, 300);

    const QString report = result.lines.join(QLatin1Char('\n'));
    QVERIFY(!result.success);
    QVERIFY2(report.contains(reason) && report.contains(QStringLiteral("the disk is full")), qPrintable(report));
    QCOMPARE(damage::bytes(path), before);
}

void MenddbTest::aFolderThatCannotBeWrittenIsNamed()
{
    TestDatabase db;
    const QByteArray before = damage::bytes(db.path());
    const auto entered = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(db.folder(), entered);
    QFile::setPermissions(db.path(), QFile::ReadOwner | QFile::ReadOther);
    QProcess menddb;
    menddb.setWorkingDirectory(db.folder());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    menddb.setProcessEnvironment(environment);
    // Root may write anything; the folder is seen as a user without rights sees it.
    if (geteuid() == 0) {
        menddb.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(99);
        });
    }

    menddb.start(QStringLiteral(MENDDB_PATH), {});
    QVERIFY(menddb.waitForFinished(60000));
    QFile::setPermissions(db.folder(), entered | QFile::WriteOwner);
    QFile::setPermissions(db.path(), QFile::ReadOwner | QFile::WriteOwner);

    const QString output = QString::fromUtf8(menddb.readAllStandardOutput());
    QCOMPARE(menddb.exitCode(), 1);
    QCOMPARE(output, QStringLiteral("Cannot create the lock file %1.lock: the folder cannot be written.\nNothing was changed.\n")
                         .arg(db.path()));
    QCOMPARE(damage::bytes(db.path()), before);
}

void MenddbTest::reportWindowFollowsTheRepair()
{
    MendReportWindow window;
    window.show();
    auto *close = child<QPushButton>(window, QStringLiteral("Close"));
    auto *outcome = child<QLabel>(window, QStringLiteral("Outcome"));
    window.addLine(QStringLiteral("The file is sound."));
    window.showProgress(QStringLiteral("LOG: 2,000 of 5,000 rows"));
    QCOMPARE(outcome->text(), QStringLiteral("Mending log.mdb… LOG: 2,000 of 5,000 rows"));
    // While the repair runs, nothing closes the window.
    QVERIFY(!close->isEnabled());
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());
    window.addLine(QStringLiteral("Compacted from 300 KB to 280 KB."));
    window.finish(true);
    QCOMPARE(outcome->text(), QStringLiteral("log.mdb has been checked and compacted."));
    QCOMPARE(child<QPlainTextEdit>(window, QStringLiteral("Report"))->toPlainText(),
             QStringLiteral("The file is sound.\nCompacted from 300 KB to 280 KB."));
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Accepted));
}

QTEST_MAIN(MenddbTest)
#include "tst_menddb.moc"
