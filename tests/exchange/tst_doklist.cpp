#include "doklist.h"
#include "exchangeerror.h"
#include "logbook.h"
#include "vocabulary.h"

#include <QtTest>

namespace {

// code/name/special of every entry.
QStringList entriesOf(const DokList &list)
{
    QStringList out;
    for (const DokListEntry &entry : list.entries)
        out << entry.code + QLatin1Char('/') + entry.name + QLatin1Char('/') + (entry.special ? "S" : "-");
    return out;
}

} // namespace

class DokListTest : public QObject
{
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("ignored");
        QTest::newRow("plain list with NM")
            << QByteArray("A01\r\nb02\r\n\r\nNM\r\nXMAS24\r\n70AFUG\r\n") << QStringList{"A01//-", "B02//-", "XMAS24//S", "70AFUG//S"} << 0;
        QTest::newRow("plain list, codes of special form before NM")
            << QByteArray("# comment\nA01\nDARC\n?!\n") << QStringList{"A01//-", "DARC//S"} << 1;
        QTest::newRow("DOK;District;Name with header")
            << QByteArray("DOK;District;Name\nA01;Baden;Freiburg\nZ99;;\nX77;Sachsen-Anhalt;\nbad line\n")
            << QStringList{"A01/Freiburg/-", "Z99//-", "X77/Sachsen-Anhalt/-"} << 1;
        QTest::newRow("DOK;District;Name without header")
            << QByteArray("B01;Franken;N\xc3\xbcrnberg\n") << QStringList{QStringLiteral("B01/N\u00fcrnberg/-")} << 0;
        QTest::newRow("special-DOK list in ISO 8859-1, a DOK repeating")
            << QByteArray("XMAS24;Weihnachten;DL0XM;01.12.24;31.12.24;A01\n"
                          "50DARC;50 Jahre DARC;DA0DARC;01.01.00;31.12.00;Z99\n"
                          "XMAS24;Weihnachten 2024 M\xfcnchen;DL0XM;01.12.24;31.12.24;C12\n")
            << QStringList{QStringLiteral("XMAS24/Weihnachten 2024 M\u00fcnchen/S"), "50DARC/50 Jahre DARC/S"} << 0;
    }

    void formats()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(int, ignored);
        const DokList list = parseDokList(file);
        QCOMPARE(entriesOf(list), entries);
        QCOMPARE(list.ignoredLines, ignored);
    }

    void emptyListIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(ExchangeError, parseDokList("# nothing\n\n"));
        QVERIFY_THROWS_EXCEPTION(ExchangeError, parseDokList("?!\n"));
        QVERIFY_THROWS_EXCEPTION(ExchangeError, readDokList("/nonexistent/doks.txt"));
    }

    void updateAddsAndRenamesButNeverDeletes()
    {
        DataModule data("UPDATE DOK SET T14='C', CONF='C' WHERE DOK='A01'");
        const int before = data.db.value("SELECT count(*) FROM DOK").toInt();
        const DokList list = parseDokList("DOK;District;Name\nA01;Baden;Freiburg\nA02;Baden;\nQ77;Nowhere;Test\nXMAS99;;Fest\n");
        const DokListReport report = DokListUpdate(*data.dm).run(list);
        QCOMPARE(report.added, 2);
        QCOMPARE(report.renamed, 1);
        QCOMPARE(report.unchanged, 1);
        QCOMPARE(data.db.value("SELECT count(*) FROM DOK").toInt(), before + 2);
        QCOMPARE(data.db.value("SELECT DESCR||T14||CONF FROM DOK WHERE DOK='A01'"), QStringLiteral("FreiburgCC"));
        QCOMPARE(data.db.value("SELECT DESCR FROM DOK WHERE DOK='A02'"), QStringLiteral("Baden"));
        QCOMPARE(data.db.value("SELECT DESCR||'/'||ifnull(SPEC,'null') FROM DOK WHERE DOK='Q77'"), QStringLiteral("Test/null"));
        QCOMPARE(data.db.value("SELECT DESCR||'/'||SPEC FROM DOK WHERE DOK='XMAS99'"), QStringLiteral("Fest/S"));
        QStringList notBlank;
        for (const QString &cell : vocab::statusCells() + QStringList{vocab::summaryCell})
            notBlank << QStringLiteral("%1 IS NOT '*'").arg(cell);
        QCOMPARE(data.db.value("SELECT count(*) FROM DOK WHERE DOK IN ('Q77','XMAS99') AND (" + notBlank.join(" OR ") + ")"),
                 QStringLiteral("0"));
        QVERIFY(data.dm->dok.locate("DOK", {"XMAS99"}));
        QCOMPARE(report.text(), QStringLiteral("DOKs added: 2\nDOKs renamed: 1\nDOKs unchanged: 1"));

        // The same list again changes nothing.
        const QString doks = data.db.table("DOK");
        const DokListReport again = DokListUpdate(*data.dm).run(list);
        QCOMPARE(again.added + again.renamed, 0);
        QCOMPARE(again.unchanged, 4);
        QCOMPARE(data.db.table("DOK"), doks);
    }
};

QTEST_MAIN(DokListTest)
#include "tst_doklist.moc"
