#include "connection.h"
#include "engineerror.h"
#include "referencedata.h"
#include "tables.h"
#include "tableview.h"
#include "testdatabase.h"
#include "vocabulary.h"

#include <QtTest>

class SchemaTest : public QObject
{
    Q_OBJECT

private:
    TestDatabase db;

    QString value(const QString &sql) const { return db.value(sql); }

    QStringList columns(const QString &table)
    {
        Connection connection(db.path(), schema::databasePassword);
        TableView view(connection, table);
        view.open();
        QStringList names;
        for (int i = 0; i < view.columnCount(); ++i)
            names << view.columnName(i);
        return names;
    }

private slots:
    void bandSuffixes_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("160 m") << "1.8" << "1";
        QTest::newRow("80 m") << "3.5" << "3";
        QTest::newRow("20 m") << "14" << "14";
        QTest::newRow("70 cm") << "433" << "433";
    }

    void bandSuffixes()
    {
        QFETCH(QString, band);
        QFETCH(QString, suffix);
        QCOMPARE(vocab::bandSuffix(band), suffix);
        QCOMPARE(vocab::bandOfSuffix(suffix), band);
        QCOMPARE(vocab::bandTable(suffix), QStringLiteral("LOG") + suffix);
        QCOMPARE(vocab::bandCell(suffix), QStringLiteral("T") + suffix);
    }

    void namesBuiltFromTheVocabulary()
    {
        QCOMPARE(vocab::pairCell(QStringLiteral("CW"), vocab::bandSuffix(QStringLiteral("1.8"))), QStringLiteral("CW1"));
        QCOMPARE(vocab::modeTable(QStringLiteral("RTTY")), QStringLiteral("LOGRTTY"));
        QCOMPARE(vocab::modeOfTitle(QStringLiteral("TTY")), QStringLiteral("RTTY"));
        QCOMPARE(vocab::confirmedCounter(QStringLiteral("T14")), QStringLiteral("CT14"));
        QCOMPARE(vocab::accreditedCounter(QStringLiteral("SSB14")), QStringLiteral("ASSB14"));
        QCOMPARE(vocab::statusCells().size(), 77);
    }

    void dokColumnPositions()
    {
        const QStringList names = columns(QStringLiteral("DOK"));
        QCOMPARE(names.size(), 82);
        const QList<std::pair<int, QString>> expected{
            {0, "id"},     {1, "DOK"},    {2, "T50"},  {11, "T1"},   {13, "T433"}, {14, "SSB50"}, {25, "SSB433"},
            {26, "CW50"},  {73, "FM433"}, {74, "SSB"}, {76, "RTTY"}, {78, "FM"},   {79, "CONF"},  {80, "DESCR"},
            {81, "SPEC"},
        };
        for (const auto &[position, name] : expected)
            QCOMPARE(names.at(position), name);
    }

    void deliveredDoks()
    {
        QCOMPARE(value("SELECT count(*) FROM DOK"), QStringLiteral("1176"));
        QCOMPARE(value("SELECT count(*) FROM DOK WHERE SPEC='S'"), QStringLiteral("83"));
        QCOMPARE(value("SELECT DESCR || '/' || ifnull(SPEC, 'null') FROM DOK WHERE DOK='A01'"), QStringLiteral("Baden/null"));
        QCOMPARE(value("SELECT DESCR FROM DOK WHERE DOK='Y01'"), QStringLiteral("Brandenburg"));
        QCOMPARE(value("SELECT ifnull(DESCR, 'null') || '/' || SPEC FROM DOK WHERE DOK='APOLLO'"), QStringLiteral("null/S"));
        // Z DOKs belong to no district: ordinary, without a name.
        QCOMPARE(value("SELECT count(*) FROM DOK WHERE DOK LIKE 'Z__' AND SPEC IS NULL AND DESCR IS NULL"),
                 QStringLiteral("86"));
        QStringList notBlank;
        for (const QString &cell : vocab::statusCells() + QStringList{vocab::summaryCell})
            notBlank << QStringLiteral("%1 IS NOT '*'").arg(cell);
        QCOMPARE(value("SELECT count(*) FROM DOK WHERE " + notBlank.join(" OR ")), QStringLiteral("0"));
    }

    void specialDoksSortLast()
    {
        Connection connection(db.path(), schema::databasePassword);
        TableView dok(connection, QStringLiteral("DOK"));
        dok.setSort(QStringLiteral("SPEC;DOK"));
        dok.open();
        const int spec = dok.columnIndex(QStringLiteral("SPEC"));
        QCOMPARE(dok.textAt(0, dok.columnIndex(QStringLiteral("DOK"))), QStringLiteral("A01"));
        QCOMPARE(dok.textAt(1092, spec), QString());
        QCOMPARE(dok.textAt(1093, spec), QStringLiteral("S"));
        QCOMPARE(dok.textAt(1175, spec), QStringLiteral("S"));
    }

    void ordinaryDokCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("ordinary");
        QTest::newRow("district and chapter") << "A01" << true;
        QTest::newRow("Z association") << "Z40" << true;
        QTest::newRow("name") << "APOLLO" << false;
        QTest::newRow("digits first") << "70AFUG" << false;
        QTest::newRow("letter and three digits") << "A010" << false;
        QTest::newRow("two letters") << "CW" << false;
    }

    void ordinaryDokCodes()
    {
        QFETCH(QString, code);
        QFETCH(bool, ordinary);
        QCOMPARE(reference::isOrdinaryDok(code), ordinary);
    }

    void counters()
    {
        const QStringList names = columns(QStringLiteral("RIEP"));
        QCOMPARE(names.size(), 2 + 2 * 77 + 2);
        QCOMPARE(names.mid(0, 2), (QStringList{"id", "dataagg"}));
        for (const char *name : {"CT14", "ASSB14", "CSSB", "ACW", "CCW1", "conf", "nconf"})
            QVERIFY2(names.contains(QString::fromLatin1(name)), name);
        QCOMPARE(value("SELECT count(*) FROM RIEP"), QStringLiteral("1"));
        QCOMPARE(value("SELECT ifnull(dataagg, 'null') FROM RIEP"), QStringLiteral("null"));
        QStringList sum;
        for (const QString &name : names.mid(2))
            sum << name;
        QCOMPARE(value("SELECT " + sum.join("+") + " FROM RIEP"), QStringLiteral("0"));
    }

    void userRow()
    {
        QCOMPARE(columns(QStringLiteral("INFO")),
                 (QStringList{"CALL", "NOME", "COGN", "INDIR", "CITTA", "ZIP", "PROV", "LOCATOR", "EMAIL", "OM", "stato", "sound"}));
        QCOMPARE(value("SELECT count(*) || '/' || sound || '/' || ifnull(CALL, 'null') FROM INFO"), QStringLiteral("1/1/null"));
    }

    void logAndItsTables()
    {
        QCOMPARE(columns(QStringLiteral("LOG")),
                 (QStringList{"id", "call", "loc", "data", "banda", "modo", "dok", "conf", "spec", "mhz"}));
        QCOMPARE(value("SELECT count(*) FROM LOG"), QStringLiteral("0"));
        const QStringList tables = schema::bandAndModeTables();
        QCOMPARE(tables.size(), 17);
        for (const QString &table : tables) {
            QCOMPARE(columns(table), (QStringList{"call", "loc", "data", "banda", "modo", "dok", "conf", "spec", "num"}));
            QCOMPARE(value("SELECT count(*) || dok || ifnull(call, '') || ifnull(num, '') FROM " + table),
                     QStringLiteral("1*"));
        }
    }

    void countriesAndAwards()
    {
        QCOMPARE(value("SELECT count(*) FROM DXCC"), QStringLiteral("346"));
        QCOMPARE(value("SELECT count(*) FROM DXCC WHERE coun='Fed. Rep. of Germany'"), QStringLiteral("1"));
        const QStringList names = columns(QStringLiteral("Diplome"));
        QCOMPARE(names.size(), 19);
        QCOMPARE(names.mid(2, 12), (QStringList{"1", "3", "7", "10", "14", "18", "21", "24", "28", "50", "144", "433"}));
        QCOMPARE(names.mid(14), (QStringList{"SSB", "CW", "RTTY", "PSK", "FM"}));
        QCOMPARE(value("SELECT count(*) FROM Diplome"), QStringLiteral("10"));
        QCOMPARE(value("SELECT count(*) FROM Diplome WHERE \"14\"='*' AND \"433\"='*' AND SSB='*' AND FM='*'"),
                 QStringLiteral("10"));
    }

    void passwordProtectsTheDeliveredFile()
    {
        Connection right(db.path(), QStringLiteral("vqt38KX"));
        right.connect();
        QVERIFY(right.isConnected());
        Connection wrong(db.path(), QString());
        QVERIFY_THROWS_EXCEPTION(EngineError, wrong.connect());
    }
};

QTEST_GUILESS_MAIN(SchemaTest)
#include "tst_schema.moc"
