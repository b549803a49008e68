#include "awardentry.h"
#include "awardqsos.h"

#include <QtTest>

class AwardEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void entryText_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("mode");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("entry");
        QTest::newRow("band") << 300 << "14" << false << "New Application" << "WZP_300 , 14 mhz - New Application";
        QTest::newRow("mode") << 100 << "CW" << true << "Endorsement" << "WZP_100 , CW mod - Endorsement";
        QTest::newRow("TTY") << 200 << "TTY" << true << "New Application" << "WZP_200 , TTY mod - New Application";
        QTest::newRow("1000 on 1.8") << 1000 << "1.8" << false << "Own text" << "WZP_1000 , 1.8 mhz - Own text";
    }

    void entryText()
    {
        QFETCH(int, level);
        QFETCH(QString, column);
        QFETCH(bool, mode);
        QFETCH(QString, type);
        QFETCH(QString, entry);
        QCOMPARE(awardentry::make(level, column, mode, type), entry);
    }

    void partsOfAnEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("band");
        QTest::newRow("band") << "WZP_300 , 14 mhz - New Application" << "WZP_300" << "300" << "14" << true;
        QTest::newRow("1.8") << "WZP_1000 , 1.8 mhz - Endorsement" << "WZP_1000" << "1000" << "1.8" << true;
        QTest::newRow("mode") << "WZP_100 , CW mod - Endorsement" << "WZP_100" << "100" << "CW" << false;
        QTest::newRow("TTY") << "WZP_200 , TTY mod - New Application" << "WZP_200" << "200" << "TTY" << false;
    }

    void partsOfAnEntry()
    {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, level);
        QFETCH(QString, subject);
        QFETCH(bool, band);
        QCOMPARE(awardentry::awardName(entry), name);
        QCOMPARE(awardentry::level(entry), level);
        QCOMPARE(awardentry::subject(entry), subject);
        QCOMPARE(awardentry::isBandEntry(entry), band);
    }

    void newTypeKeepsTheTextUpToTheFirstDash()
    {
        QCOMPARE(awardentry::withType("WZP_300 , 14 mhz - New Application", "Endorsement"),
                 QString("WZP_300 , 14 mhz - Endorsement"));
        QCOMPARE(awardentry::withType("WZP_100 , CW mod - Endorsement", "A-B"), QString("WZP_100 , CW mod - A-B"));
    }

    void summary_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("summary");
        QTest::newRow("none") << QStringList{} << "WZP";
        QTest::newRow("one") << QStringList{"WZP_100 , 14 mhz - New Application"} << "WZP_100";
        QTest::newRow("1000 then 100") << QStringList{"WZP_1000 , 14 mhz - x", "WZP_100 , 7 mhz - x"} << "WZP_1000_100";
        QTest::newRow("same level twice")
            << QStringList{"WZP_100 , 14 mhz - x", "WZP_100 , CW mod - x"} << "WZP_100";
        QTest::newRow("three levels")
            << QStringList{"WZP_200 , 14 mhz - x", "WZP_100 , 1.8 mhz - x", "WZP_300 , CW mod - x"} << "WZP_200_100_300";
        QTest::newRow("first level again later")
            << QStringList{"WZP_200 , 14 mhz - x", "WZP_300 , 7 mhz - x", "WZP_200 , 10 mhz - x"} << "WZP_200_300";
    }

    void summary()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, summary);
        QCOMPARE(awardentry::summary(entries), summary);
    }

    void tableAndCountersOfAnAward_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("accredited");
        QTest::addColumn<QString>("confirmed");
        QTest::addColumn<int>("level");
        QTest::newRow("14") << "WZP_200 , 14 mhz - New Application" << "LOG14" << "AT14" << "CT14" << 200;
        QTest::newRow("1.8") << "WZP_100 , 1.8 mhz - New Application" << "LOG1" << "AT1" << "CT1" << 100;
        QTest::newRow("3.5") << "WZP_1000 , 3.5 mhz - New Application" << "LOG3" << "AT3" << "CT3" << 1000;
        QTest::newRow("CW") << "WZP_300 , CW mod - New Application" << "LOGCW" << "ACW" << "CCW" << 300;
        QTest::newRow("TTY") << "WZP_200 , TTY mod - Endorsement" << "LOGRTTY" << "ARTTY" << "CRTTY" << 200;
    }

    void tableAndCountersOfAnAward()
    {
        QFETCH(QString, entry);
        QFETCH(QString, table);
        QFETCH(QString, accredited);
        QFETCH(QString, confirmed);
        QFETCH(int, level);
        const AwardQsos award(entry);
        QCOMPARE(award.tableName(), table);
        QCOMPARE(award.accreditedCounter(), accredited);
        QCOMPARE(award.confirmedCounter(), confirmed);
        QCOMPARE(award.level(), level);
    }
};

QTEST_MAIN(AwardEntryTest)
#include "tst_awardentry.moc"
