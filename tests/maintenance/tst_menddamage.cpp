// menddb on the damage real disks make: zeroed pages at the top, the first leaf, random bytes in
// several pages, long texts on overflow pages. Each time it must end, keep every row a point seek
// on the damaged file can read, invent nothing, leave a log the check finds sound, and say whether
// rows were lost.
#include "connection.h"
#include "damage.h"
#include "databasemender.h"
#include "datamodule.h"
#include "logcheck.h"
#include "recalculation.h"
#include "scriptedservices.h"
#include "tables.h"
#include "testdatabase.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>
#include <map>
#include <sqlite3.h>

namespace {

using Rows = std::map<qint64, QString>;

QString callOf(int i)
{
    return QStringLiteral("DQ%1XY").arg(i, 5, 10, QLatin1Char('0'));
}

// count QSOs with a QTH of qthLength characters; every seventh has one long enough to need
// overflow pages when longTexts is set.
void addQsos(const TestDatabase &db, int count, int qthLength, bool longTexts)
{
    // DOKs of the list, as the program saves them.
    const QStringList doks = db.value(QStringLiteral("SELECT group_concat(DOK) FROM (SELECT DOK FROM DOK WHERE SPEC IS NULL "
                                                     "ORDER BY id LIMIT 90)"))
                                 .split(',');
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        const QString qth = longTexts && i % 7 == 0 ? QStringLiteral("QTH%1-").arg(i).repeated(400)
                                                    : QStringLiteral("K%1").arg(i).leftJustified(qthLength, QLatin1Char('N'));
        rows << QStringLiteral("('%1', '%2', '03/04/2021', '7', 'CW', '%3', 'C', 7)").arg(callOf(i), qth, doks.at(i % doks.size()));
        if (rows.size() == 500) {
            db.execute(QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) VALUES ") + rows.join(','));
            rows.clear();
        }
    }
    if (!rows.isEmpty())
        db.execute(QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) VALUES ") + rows.join(','));
}

QString rowText(sqlite3_stmt *statement)
{
    QStringList values;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
        values << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
    }
    return values.join('|');
}

// The rows of a table a point seek by rowid reads, for rowids 1 to highest; of DOK only what is
// not derived from LOG (the status cells are derived again by the repair).
Rows seekable(const QString &path, const QString &table, qint64 highest)
{
    const QString columns = table == QLatin1String("DOK") ? QStringLiteral("id, DOK, DESCR, SPEC") : QStringLiteral("*");
    Rows rows;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *seek = nullptr;
    sqlite3_prepare_v2(db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns, table).toUtf8().constData(), -1, &seek, nullptr);
    for (qint64 rowid = 1; seek && rowid <= highest; ++rowid) {
        sqlite3_reset(seek);
        sqlite3_bind_int64(seek, 1, rowid);
        if (sqlite3_step(seek) == SQLITE_ROW)
            rows[rowid] = rowText(seek);
    }
    sqlite3_finalize(seek);
    sqlite3_close(db);
    return rows;
}

int rootOf(const TestDatabase &db, const QString &table)
{
    return db.value(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = '%1'").arg(table)).toInt();
}

bool overwrite(const QString &path, qint64 at, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(at) && file.write(bytes) == bytes.size();
}

bool zeroPage(const QString &path, int page)
{
    const int size = damage::pageSize(damage::bytes(path));
    return overwrite(path, qint64(page - 1) * size, QByteArray(size, '\0'));
}

} // namespace

class MendDamageTest : public QObject
{
    Q_OBJECT

private:
    ScriptedServices services;

private slots:
    void everyReadableRowIsKeptAndNothingInvented_data()
    {
        QTest::addColumn<int>("qsos");
        QTest::addColumn<int>("qthLength");
        QTest::addColumn<bool>("longTexts");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("seed");
        QTest::newRow("LOG's root zeroed") << 500 << 5 << false << "zero LOG root" << 0;
        QTest::newRow("LOG's root zeroed, 5000 QSOs") << 5000 << 5 << false << "zero LOG root" << 0;
        QTest::newRow("LOG's first leaf zeroed") << 500 << 5 << false << "zero first leaf" << 0;
        QTest::newRow("DOK's root zeroed") << 500 << 5 << false << "zero DOK root" << 0;
        QTest::newRow("an inner page of LOG zeroed, 15000 QSOs") << 15000 << 200 << false << "zero inner page" << 0;
        QTest::newRow("LOG's root zeroed, long texts") << 700 << 5 << true << "zero LOG root" << 0;
        QTest::newRow("an overflow page overwritten") << 700 << 5 << true << "overflow" << 0;
        for (int seed = 1; seed <= 8; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("3 pages with random bytes, seed %1").arg(seed)))
                << 500 << 5 << false << "random" << seed;
        for (int seed = 11; seed <= 13; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("5 pages XOR-ed, 5000 QSOs, seed %1").arg(seed)))
                << 5000 << 5 << false << "xor" << seed;
    }

    void everyReadableRowIsKeptAndNothingInvented()
    {
        QFETCH(int, qsos);
        QFETCH(int, qthLength);
        QFETCH(bool, longTexts);
        QFETCH(QString, damage);
        QFETCH(int, seed);
        TestDatabase db;
        addQsos(db, qsos, qthLength, longTexts);
        {
            // The band and mode tables and the status, as the program keeps them.
            LogData dm(db.path());
            Recalculation(dm).run();
        }
        const Rows original = seekable(db.path(), "LOG", qsos);
        const Rows originalDoks = seekable(db.path(), "DOK", 5000);
        QCOMPARE(int(original.size()), qsos);
        const QByteArray file = damage::bytes(db.path());
        const int pageSize = damage::pageSize(file);
        const int pages = int(file.size() / pageSize);

        if (damage == "zero LOG root") {
            QVERIFY(zeroPage(db.path(), rootOf(db, "LOG")));
        } else if (damage == "zero DOK root") {
            QVERIFY(zeroPage(db.path(), rootOf(db, "DOK")));
        } else if (damage == "zero first leaf") {
            QVERIFY(zeroPage(db.path(), damage::pageHolding(db.path(), callOf(0).toUtf8())));
        } else if (damage == "zero inner page") {
            // A child of LOG's root that is itself an inner page.
            const QByteArray root = damage::page(db.path(), rootOf(db, "LOG"));
            QCOMPARE(quint8(root.at(0)), quint8(0x05));
            const int child = int(qFromBigEndian<quint32>(root.constData() + 8)); // the right-most child
            QCOMPARE(damage::pageKind(db.path(), child), 0x05);
            QVERIFY(zeroPage(db.path(), child));
        } else if (damage == "overflow") {
            const int page = damage::pageHolding(db.path(), "QTH350-QTH350-QTH350-QTH350-");
            QVERIFY(page > 0);
            QVERIFY(overwrite(db.path(), qint64(page - 1) * pageSize + 100, QByteArray(600, char(0x5A))));
        } else {
            QRandomGenerator random{quint32(seed)};
            const int count = damage == "random" ? 3 : 5;
            for (int i = 0; i < count; ++i) {
                const int page = random.bounded(2, pages + 1);
                const qint64 start = qint64(page - 1) * pageSize;
                QByteArray bytes = damage == "random" ? QByteArray(600, '\0') : file.mid(start, pageSize);
                const int at = damage == "random" ? random.bounded(0, pageSize - 600) : 0;
                for (char &byte : bytes)
                    byte = damage == "random" ? char(random.bounded(256)) : char(byte ^ char(random.bounded(1, 256)));
                QVERIFY(overwrite(db.path(), start + at, bytes));
            }
        }
        const Rows readable = seekable(db.path(), "LOG", qsos);
        const Rows readableDoks = seekable(db.path(), "DOK", 5000);

        const DatabaseMender::Result result =
            DatabaseMender(db.folder(), schema::databasePassword, TestDatabase::templatePath()).mend();
        const QString report = result.lines.join('\n');

        QVERIFY2(result.success, qPrintable(report));
        const Rows mended = seekable(db.path(), "LOG", qsos);
        const Rows mendedDoks = seekable(db.path(), "DOK", 5000);
        // Every row a seek could read intact is there, and every row there is one of the log's own.
        for (const auto &[rowid, row] : readable) {
            if (original.at(rowid) == row)
                QVERIFY2(mended.count(rowid), qPrintable(QStringLiteral("LOG %1 lost\n%2").arg(rowid).arg(report)));
        }
        // A row whose bytes the damage changed is kept as the damaged file reads it.
        const auto ownRow = [](const Rows &before, const Rows &damaged, qint64 rowid, const QString &row) {
            return (before.count(rowid) && before.at(rowid) == row) || (damaged.count(rowid) && damaged.at(rowid) == row);
        };
        for (const auto &[rowid, row] : mended)
            QVERIFY2(ownRow(original, readable, rowid, row), qPrintable(QStringLiteral("LOG %1 invented").arg(rowid)));
        for (const auto &[rowid, row] : readableDoks) {
            if (originalDoks.count(rowid) && originalDoks.at(rowid) == row)
                QVERIFY2(mendedDoks.count(rowid), qPrintable(QStringLiteral("DOK %1 lost\n%2").arg(rowid).arg(report)));
        }
        for (const auto &[rowid, row] : mendedDoks)
            QVERIFY2(ownRow(originalDoks, readableDoks, rowid, row), qPrintable(QStringLiteral("DOK %1 invented").arg(rowid)));
        // What is derived from LOG was derived again, so the check of the command line finds nothing.
        {
            Connection connection(db.path(), schema::databasePassword);
            const QStringList problems = checkLog(connection);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 5).join('\n') + '\n' + report));
        }
        if (damage.startsWith("zero") && damage != "zero first leaf")
            QVERIFY2(mended.size() * 100 >= original.size() * 95, qPrintable(report));
        // The report and the status tell whether rows were lost.
        const bool lostQsos = mended.size() < original.size();
        const bool lostDoks = mendedDoks.size() < originalDoks.size();
        if (lostQsos)
            QVERIFY2(std::any_of(result.lines.cbegin(), result.lines.cend(),
                                 [](const QString &line) { return line.startsWith("LOG: ") && line.contains("lost"); }),
                     qPrintable(report));
        if (lostQsos || lostDoks)
            QVERIFY2(result.rowsLost, qPrintable(report));
        if (!result.rowsLost && result.success)
            QVERIFY2(!lostQsos && !lostDoks, qPrintable(report));
    }
};

QTEST_GUILESS_MAIN(MendDamageTest)
#include "tst_menddamage.moc"
