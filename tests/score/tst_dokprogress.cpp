#include "dokprogress.h"

#include <QtTest>

using Step = DokProgress::Step;

namespace {

const QDate newYear(2009, 1, 1);
const QDate march(2009, 3, 5);

DokProgress smallLog()
{
    DokProgress progress;
    progress.add(u"A01", u"14", u"SSB", u"05/03/2009", u"C");
    progress.add(u"A01", u"7", u"CW", u"01/01/2009", u"C"); // an earlier QSO of the same DOK
    progress.add(u"b02", u"14", u"CW", u"1/01/2009", u"A");
    progress.add(u"C03", u"14", u"SSB", u"10/10/2010", u"*"); // not confirmed
    progress.add(u"D04", u"14", u"SSB", u"31/02/2009", u"C"); // a date that does not exist
    progress.add(u"E05", u"21", u"FM", u"", u"C");
    progress.add(u"E05", u"21", u"FM", u"07/07/2011", u"C"); // dated after all: counts at its date
    return progress;
}

} // namespace

class DokProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void theCurveOfASelection_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<std::vector<Step>>("steps");
        QTest::addColumn<int>("undated");
        QTest::newRow("whole log") << "" << std::vector<Step>{{newYear, 2}, {QDate(2011, 7, 7), 3}} << 1;
        QTest::newRow("14 MHz") << "14" << std::vector<Step>{{newYear, 1}, {march, 2}} << 1;
        QTest::newRow("CW") << "CW" << std::vector<Step>{{newYear, 2}} << 0;
        QTest::newRow("SSB") << "SSB" << std::vector<Step>{{march, 1}} << 1;
        QTest::newRow("a band without QSOs") << "1.8" << std::vector<Step>{} << 0;
    }

    void theCurveOfASelection()
    {
        QFETCH(QString, selection);
        QFETCH(std::vector<Step>, steps);
        QFETCH(int, undated);
        const DokProgress::Curve curve = smallLog().curve(selection);
        QCOMPARE(curve.steps, steps);
        QCOMPARE(curve.undated, undated);
        QCOMPARE(curve.total(), (steps.empty() ? 0 : steps.back().count) + undated);
    }

    void datesAreReadDayMonthYear_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("as saved") << "05/03/2009" << march;
        QTest::newRow("one-digit day and month") << "5/3/2009" << march;
        QTest::newRow("blanks around") << " 05/03/2009 " << march;
        QTest::newRow("no such day") << "31/02/2009" << QDate();
        QTest::newRow("two-digit year") << "05/03/09" << QDate();
        QTest::newRow("letters") << "xx/03/2009" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("no separators") << "05032009" << QDate();
    }

    void datesAreReadDayMonthYear()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(DokProgress::parseDate(text), date);
    }

    void everyLevelHasTheDateItWasReached()
    {
        DokProgress progress;
        const QDate start(2000, 1, 1);
        // 250 DOKs, one a day, then 60 whose dates cannot be read.
        for (int i = 0; i < 250; ++i) {
            const QDate day = start.addDays(i);
            progress.add(QStringLiteral("K%1").arg(i), u"14", u"CW",
                         QStringLiteral("%1/%2/%3").arg(day.day()).arg(day.month()).arg(day.year()), u"C");
        }
        for (int i = 0; i < 60; ++i)
            progress.add(QStringLiteral("U%1").arg(i), u"14", u"CW", u"?", u"C");
        const DokProgress::Curve curve = progress.curve();
        QCOMPARE(curve.total(), 310);
        QCOMPARE(int(curve.levels.size()), 10);
        QCOMPARE(curve.levels[0], (DokProgress::Level{100, start.addDays(99), false}));
        QCOMPARE(curve.levels[1], (DokProgress::Level{200, start.addDays(199), false}));
        QCOMPARE(curve.levels[2], (DokProgress::Level{300, QDate(), true}));
        QCOMPARE(curve.levels[3], (DokProgress::Level{400, QDate(), false}));
        QCOMPARE(curve.levels[9].dokCount, 1000);
    }
};

QTEST_MAIN(DokProgressTest)
#include "tst_dokprogress.moc"
