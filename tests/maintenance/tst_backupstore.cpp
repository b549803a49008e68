#include "backupstore.h"
#include "connection.h"
#include "damage.h"
#include "databasefile.h"
#include "tables.h"
#include "smalldisk.h"
#include "testdatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

void addQsos(const TestDatabase &db, int count, const QString &call = QStringLiteral("DL1ABC"))
{
    for (int i = 0; i < count; ++i) {
        db.execute(QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                                  "VALUES ('%1', 'BONN', '01/02/2020', '14', 'SSB', 'G01', 'C', 14)")
                       .arg(call));
    }
}

// Files written by this process may not grow beyond the limit while it lives, as on a full disk.
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

class BackupStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void firstBackupCreatesFolderWithCopy();
    void secondBackupReplacesFirst();
    void backupFailingHalfWayKeepsOldBackup();
    void restorePutsBackupBackAndKeepsReplacedFile();
    void aFullDiskIsNamed_data();
    void aFullDiskIsNamed();
    void unusableBackupIsRefused_data();
    void unusableBackupIsRefused();
    void foldersOfAnyNameAndLength();
    void aLinkedLogIsRestoredWhereTheLinkPoints();
};

void BackupStoreTest::firstBackupCreatesFolderWithCopy()
{
    TestDatabase db;
    addQsos(db, 2);
    BackupStore store(db.folder(), schema::databasePassword);
    QVERIFY(!QFileInfo::exists(store.backupFolder()));

    QCOMPARE(store.backup(), QString());

    QVERIFY(QFileInfo(store.backupPath()).isFile());
    QCOMPARE(store.backupPath(), QDir(db.folder()).filePath(QStringLiteral("backup/log.mdb")));
    QCOMPARE(TestDatabase::contentOf(store.backupPath()), db.content());
    QCOMPARE(databasefile::check(store.backupPath(), schema::databasePassword), QString());
    QCOMPARE(QDir(store.backupFolder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

void BackupStoreTest::secondBackupReplacesFirst()
{
    TestDatabase db;
    addQsos(db, 2);
    BackupStore store(db.folder(), schema::databasePassword);
    QCOMPARE(store.backup(), QString());
    addQsos(db, 3, QStringLiteral("DK2XY"));

    QCOMPARE(store.backup(), QString());

    QCOMPARE(TestDatabase::contentOf(store.backupPath()), db.content());
    QVERIFY(TestDatabase::contentOf(store.backupPath()).contains(QStringLiteral("DK2XY")));
}

void BackupStoreTest::backupFailingHalfWayKeepsOldBackup()
{
    TestDatabase db;
    addQsos(db, 2);
    BackupStore store(db.folder(), schema::databasePassword);
    QCOMPARE(store.backup(), QString());
    const QByteArray oldBackup = damage::bytes(store.backupPath());
    addQsos(db, 3, QStringLiteral("DK2XY"));

    QString problem;
    {
        FileSizeLimit full(rlim_t(QFileInfo(db.path()).size() / 2));
        problem = store.backup();
    }

    QVERIFY2(!problem.isEmpty(), "the failed copy is reported");
    QCOMPARE(damage::bytes(store.backupPath()), oldBackup);
    QCOMPARE(QDir(store.backupFolder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

void BackupStoreTest::restorePutsBackupBackAndKeepsReplacedFile()
{
    TestDatabase db;
    addQsos(db, 2);
    BackupStore store(db.folder(), schema::databasePassword);
    QCOMPARE(store.backup(), QString());
    const QString backedUp = db.content();
    addQsos(db, 3, QStringLiteral("DK2XY"));
    const QString replaced = db.content();

    QCOMPARE(store.restore(), QString());

    QCOMPARE(db.content(), backedUp);
    QCOMPARE(TestDatabase::contentOf(store.beforeRestorePath()), replaced);
    QCOMPARE(TestDatabase::contentOf(store.backupPath()), backedUp);
    QCOMPARE(QDir(db.folder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

void BackupStoreTest::aFullDiskIsNamed_data()
{
    QTest::addColumn<double>("freeLogs");
    QTest::newRow("no room at all") << 0.0;
    QTest::newRow("room for one copy only") << 1.5;
}

void BackupStoreTest::aFullDiskIsNamed()
{
    QFETCH(double, freeLogs);
    SmallDisk disk(8192);
    if (!disk.isMounted())
        QSKIP("A small disk cannot be mounted without root's rights.");
    TestDatabase db;
    addQsos(db, 2);
    const QString folder = QDir(disk.path()).filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(db.path(), QDir(folder).filePath(QStringLiteral("log.mdb"))));
    BackupStore store(folder, schema::databasePassword);
    QCOMPARE(store.backup(), QString());
    const QByteArray live = damage::bytes(store.livePath());
    disk.fill(qint64(freeLogs * double(live.size())));

    const QString problem = store.restore();

    QVERIFY2(problem.contains(QStringLiteral("the disk is full")), qPrintable(problem));
    QCOMPARE(damage::bytes(store.livePath()), live);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

void BackupStoreTest::unusableBackupIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("not a database") << "text";
    QTest::newRow("another password") << "password";
    QTest::newRow("another program's database") << "foreign";
    QTest::newRow("damaged pages") << "damaged";
}

void BackupStoreTest::unusableBackupIsRefused()
{
    QFETCH(QString, kind);
    TestDatabase db;
    addQsos(db, 2);
    BackupStore store(db.folder(), schema::databasePassword);
    QVERIFY(QDir().mkpath(store.backupFolder()));
    if (kind == QLatin1String("text")) {
        QFile file(store.backupPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    } else if (kind == QLatin1String("password")) {
        schema::createDatabase(store.backupPath(), QStringLiteral("another"));
    } else if (kind == QLatin1String("foreign")) {
        Connection::create(store.backupPath(), schema::databasePassword);
    } else {
        QVERIFY(QFile::copy(db.path(), store.backupPath()));
        const int page = damage::pageHolding(store.backupPath(),
                                             db.value(QStringLiteral("SELECT DOK FROM DOK WHERE id = 400")).toUtf8());
        QCOMPARE(damage::pageKind(store.backupPath(), page), 0x0D);
        QVERIFY(damage::overwritePage(store.backupPath(), page));
    }
    const QByteArray live = damage::bytes(db.path());
    const QByteArray backup = damage::bytes(store.backupPath());

    QVERIFY(!store.checkBackup().isEmpty());
    QVERIFY(!store.restore().isEmpty());

    QCOMPARE(damage::bytes(db.path()), live);
    QCOMPARE(damage::bytes(store.backupPath()), backup);
    QVERIFY(!QFileInfo::exists(store.beforeRestorePath()));
    QCOMPARE(QDir(db.folder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

void BackupStoreTest::foldersOfAnyNameAndLength()
{
    QTemporaryDir root;
    QString folder = root.path();
    for (const QString &part : {QStringLiteral("Dati dell'utente \"WZP\""), QStringLiteral("Übersicht & Ärger #1 ?"),
                                QString(90, QLatin1Char('d')), QString(90, QLatin1Char('e'))})
        folder = QDir(folder).filePath(part);
    QVERIFY(folder.size() > 200);
    QVERIFY(QDir().mkpath(folder));
    BackupStore store(folder, schema::databasePassword);
    QVERIFY(QFile::copy(TestDatabase::templatePath(), store.livePath()));
    QFile::setPermissions(store.livePath(), QFile::ReadOwner | QFile::WriteOwner);
    const QString original = TestDatabase::contentOf(store.livePath());

    QCOMPARE(store.backup(), QString());
    Connection(store.livePath(), schema::databasePassword).execute(QStringLiteral("DELETE FROM DOK"));
    QCOMPARE(store.restore(), QString());

    QCOMPARE(TestDatabase::contentOf(store.livePath()), original);
    QVERIFY(QFileInfo(store.beforeRestorePath()).isFile());
}

void BackupStoreTest::aLinkedLogIsRestoredWhereTheLinkPoints()
{
    TestDatabase db;
    addQsos(db, 2);
    QTemporaryDir linkedFolder;
    const QString link = QDir(linkedFolder.path()).filePath(QStringLiteral("log.mdb"));
    QVERIFY(QFile::link(db.path(), link));
    BackupStore store(linkedFolder.path(), schema::databasePassword);
    QCOMPARE(store.backup(), QString());
    const QString backedUp = db.content();
    addQsos(db, 3, QStringLiteral("DK2XY"));

    QCOMPARE(store.restore(), QString());

    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).canonicalFilePath(), QFileInfo(db.path()).canonicalFilePath());
    QCOMPARE(db.content(), backedUp);
    QCOMPARE(QDir(db.folder()).entryList(QDir::Files), QStringList{QStringLiteral("log.mdb")});
}

QTEST_GUILESS_MAIN(BackupStoreTest)
#include "tst_backupstore.moc"
