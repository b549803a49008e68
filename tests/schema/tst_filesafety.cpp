#include "filesafety.h"
#include "smalldisk.h"
#include "testdatabase.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <unistd.h>

namespace {

void write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class FileSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsWrittenOverADatabase_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("refused");
        QTest::newRow("the log") << "data/log.mdb" << true;
        QTest::newRow("its backup") << "data/backup/log.mdb" << true;
        QTest::newRow("a symbolic link to the log") << "elsewhere/link.adi" << true;
        QTest::newRow("a hard link to the log") << "elsewhere/twin.adi" << true;
        QTest::newRow("a kept damaged copy") << "data/log-damaged-20261210-030405.mdb" << true;
        QTest::newRow("the log's journal") << "data/log.mdb-journal" << true;
        QTest::newRow("the lock") << "data/log.mdb.lock" << true;
        QTest::newRow("an old export") << "data/old.adi" << false;
        QTest::newRow("a new file") << "data/new.adi" << false;
        QTest::newRow("a new file beside the log") << "data/log.pdf" << false;
    }

    void nothingIsWrittenOverADatabase()
    {
        QFETCH(QString, target);
        QFETCH(bool, refused);
        QTemporaryDir root;
        const QDir dir(root.path());
        const QString log = dir.filePath("data/log.mdb");
        write(log, TestDatabase::fileBytes(TestDatabase::templatePath()));
        write(dir.filePath("data/backup/log.mdb"), TestDatabase::fileBytes(TestDatabase::templatePath()));
        // A damaged copy whose first page is gone is still known by its name.
        write(dir.filePath("data/log-damaged-20261210-030405.mdb"), QByteArray(4096, char(0xAB)));
        write(dir.filePath("data/log.mdb-journal"), "journal");
        write(dir.filePath("data/log.mdb.lock"), "");
        write(dir.filePath("data/old.adi"), "ADIF");
        QVERIFY(dir.mkpath("elsewhere"));
        QVERIFY(QFile::link(log, dir.filePath("elsewhere/link.adi")));
        QVERIFY(::link(QFile::encodeName(log).constData(), QFile::encodeName(dir.filePath("elsewhere/twin.adi")).constData()) == 0);

        const QString problem = filesafety::overwriteProblem(dir.filePath(target));

        if (refused)
            QCOMPARE(problem, QStringLiteral("%1 is a database; it is never written over. Choose another file.").arg(dir.filePath(target)));
        else
            QCOMPARE(problem, QString());
    }

    void aFullDiskIsNamedAsSuch()
    {
        SmallDisk disk(256);
        if (!disk.isMounted())
            QSKIP("A small disk cannot be mounted without root's rights.");
        disk.fill();
        QFile file(QDir(disk.path()).filePath("report.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QCOMPARE(file.write(QByteArray(8192, 'x')), qint64(-1));
        QCOMPARE(filesafety::writeError(file), QStringLiteral("the disk is full"));
    }
};

QTEST_GUILESS_MAIN(FileSafetyTest)
#include "tst_filesafety.moc"
