#include "counttext.h"
#include "detailsquery.h"

#include <QLocale>
#include <QtTest>

class ScoreTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void percentage_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("123 of 1000") << 123 << 1000 << "12.3";
        QTest::newRow("rounded") << 2 << 3 << "66.7";
        QTest::newRow("all") << 933 << 933 << "100.0";
        QTest::newRow("none") << 0 << 933 << "0.0";
        QTest::newRow("no DOKs at all") << 0 << 0 << "0.0";
    }

    void percentage()
    {
        QFETCH(int, count);
        QFETCH(int, total);
        QFETCH(QString, text);
        QCOMPARE(counttext::percentage(count, total), text);
    }

    void percentageUsesTheUsersDecimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(counttext::percentage(123, 1000), QStringLiteral("12,3"));
        QLocale::setDefault(QLocale::c());
    }

    void countTexts()
    {
        QCOMPARE(counttext::band(123, "14", 1000), QStringLiteral("  123 DOK confirmed on 14 MHz (12.3 %)"));
        QCOMPARE(counttext::band(1, "1.8", 4), QStringLiteral("  1 DOK confirmed on 1.8 MHz (25.0 %)"));
        QCOMPARE(counttext::mode(5, "RTTY", 1000), QStringLiteral("  5 DOK confirmed on RTTY Mode (0.5 %)"));
        QCOMPARE(counttext::accredited(5, "3.5", 1000), QStringLiteral("  5 DOK accredited on 3.5 MHz (0.5 %)"));
    }

    void detailsOfACell_data()
    {
        QTest::addColumn<QString>("dok");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("title");
        QTest::newRow("band") << "A01" << "T14" << "dok='A01' and banda='14'" << "Details for DOK A01 on 14 Mhz";
        QTest::newRow("3.5") << "A01" << "T3" << "dok='A01' and banda='3.5'" << "Details for DOK A01 on 3.5 Mhz";
        QTest::newRow("1.8") << "A01" << "T1" << "dok='A01' and banda='1.8'" << "Details for DOK A01 on 1.8 Mhz";
        QTest::newRow("433") << "A01" << "T433" << "dok='A01' and banda='433'" << "Details for DOK A01 on 433 Mhz";
        QTest::newRow("mode") << "B02" << "RTTY" << "dok='B02' and modo='RTTY'" << "Details for DOK B02 on RTTY Mode";
        QTest::newRow("CONF") << "B02" << "CONF" << "dok='B02'" << "Details for DOK B02 on all Bands/Modes";
        QTest::newRow("DOK code") << "B02" << "DOK" << "dok='B02'" << "Details for DOK B02 on all Bands/Modes";
        QTest::newRow("quote in the code") << "O'1" << "CW" << "dok='O''1' and modo='CW'" << "Details for DOK O'1 on CW Mode";
    }

    void detailsOfACell()
    {
        QFETCH(QString, dok);
        QFETCH(QString, column);
        QFETCH(QString, filter);
        QFETCH(QString, title);
        for (const char *shown : {"C", "A"}) {
            const auto query = detailsQuery(dok, column, QString::fromLatin1(shown));
            QVERIFY(query);
            QCOMPARE(query->filter, filter);
            QCOMPARE(query->title, title);
        }
    }

    void cellShowingNothingHasNoDetails()
    {
        QVERIFY(!detailsQuery("A01", "T14", "*"));
        QVERIFY(!detailsQuery("A01", "CONF", "*"));
    }
};

QTEST_MAIN(ScoreTextsTest)
#include "tst_scoretexts.moc"
