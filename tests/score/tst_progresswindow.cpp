#include "controls.h"
#include "dokprogress.h"
#include "mainwindow.h"
#include "progresswindow.h"
#include "scorefixture.h"
#include "scriptedservices.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class ProgressWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServices> services;
    std::unique_ptr<ScoreFixture> data;

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        services = std::make_unique<ScriptedServices>();
        data = std::make_unique<ScoreFixture>();
        data->addDoks({"A01", "B02", "C03"});
        data->db().execute("INSERT INTO LOG (call, data, banda, modo, dok, conf, mhz) VALUES"
                           " ('DL1AA', '05/03/2009', '14', 'SSB', 'A01', 'C', 14),"
                           " ('DL2BB', '01/04/2009', '14', 'CW', 'B02', 'A', 14),"
                           " ('DL3CC', 'spring 10', '7', 'CW', 'C03', 'C', 7),"
                           " ('DL4DD', '01/05/2009', '7', 'CW', 'A01', '*', 7)");
    }

    void cleanup()
    {
        data.reset();
        services.reset();
    }

    void theMenuItemAndTheToolButtonOpenItModally_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("menu item") << "Progress1";
        QTest::newRow("tool button") << "SpeedProgress";
    }

    void theMenuItemAndTheToolButtonOpenItModally()
    {
        QFETCH(QString, command);
        MainWindow main(data->open(), nullptr);
        QCOMPARE(main.action("Progress1")->text(), QStringLiteral("&Progress"));
        bool seenModal = false;
        QString title;
        QTimer::singleShot(0, this, [&] {
            auto *opened = qobject_cast<ProgressWindow *>(QApplication::activeModalWidget());
            QVERIFY(opened);
            seenModal = opened->isModal();
            title = opened->windowTitle();
            child<QPushButton>(*opened, "Exit")->click();
        });
        main.action(command)->trigger();
        QVERIFY(seenModal);
        QCOMPARE(title, QStringLiteral("Progress"));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theWholeLogAndOneBandOrMode()
    {
        LogData &dm = data->open();
        dm.log.setFilter("dok='B02'");
        dm.log.setFiltered(true);
        ProgressWindow window(dm);
        window.show();
        // The whole log is read; the LOG view keeps its filter.
        QCOMPARE(window.shownCurve().total(), 3);
        QCOMPARE(dm.log.recordCount(), 1);
        QVERIFY(dm.log.isFiltered());
        auto *undated = child<QLabel>(window, "Undated");
        QVERIFY(undated->isVisible());
        QCOMPARE(undated->text(),
                 QStringLiteral("1 DOK(s) confirmed only by QSOs whose date cannot be read are counted at the end."));
        QVERIFY(child<QLabel>(window, "Levels")->text().contains(QStringLiteral(" 100: not yet")));
        auto *chart = child<QChartView>(window, "Chart")->chart();
        // The growth and the first level still to reach.
        QCOMPARE(chart->series().size(), 2);
        auto *growth = qobject_cast<QLineSeries *>(chart->series().first());
        QCOMPARE(growth->points().last().y(), 3.0);
        // What is counted is said: A01 counts by its confirmed QSO, not by its unconfirmed one.
        QCOMPARE(chart->title(), QStringLiteral("DOKs with a confirmed or accredited QSO: 3 (All bands and modes)"));
        QVERIFY(child<QLabel>(window, "CountNote")->isVisible());
        QVERIFY(child<QLabel>(window, "CountNote")->text().startsWith(
            QStringLiteral("A DOK counts from the date of its first QSO marked confirmed (C) or accredited (A)")));

        auto *selection = child<QComboBox>(window, "Selection");
        selection->setCurrentIndex(selection->findText("CW"));
        QCOMPARE(window.shownCurve().total(), 2); // B02 accredited, C03 undated; A01's CW QSO is unconfirmed
        QCOMPARE(child<QChartView>(window, "Chart")->chart()->title(),
                 QStringLiteral("DOKs with a confirmed or accredited QSO: 2 (CW)"));
        QCOMPARE(window.shownCurve().undated, 1);
        selection->setCurrentIndex(selection->findText("14 MHz"));
        QCOMPARE(window.shownCurve().total(), 2);
        QVERIFY(undated->isHidden());
        QCOMPARE(window.shownCurve().steps.back().date, QDate(2009, 4, 1));
    }

    // The window works each distinct text of the log out once; its curves are those of reading
    // every QSO's texts, for the whole log and for every band and mode, whatever the case and the
    // spaces of the texts, dates that do not parse and statuses that do not count.
    void curvesAreThoseOfEveryQsoReadAsText()
    {
        data->db().execute("INSERT INTO LOG (call, data, banda, modo, dok, conf, mhz) VALUES"
                           " ('DL5EE', '5/3/2009', ' 14 ', 'ssb', 'a01', 'C', 14),"
                           " ('DL6FF', '07/03/2008', '14', 'SSB', 'C03', 'c', 14),"
                           " ('DL7GG', '02/02/2010', '7', 'CW ', 'B02', 'A', 7),"
                           " ('DL8HH', '31/02/2010', '7', 'FM', 'D04', 'C', 7),"
                           " ('DL9II', '01/01/2000', NULL, 'FM', NULL, 'C', 7),"
                           " ('DK1JJ', '03/03/2003', '433', 'FM', 'E05', NULL, 433),"
                           " ('DK2KK', '04/04/2004', '433', 'FM', 'E05', 'A', 433)");
        DokProgress expected;
        const QStringList rows = data->db().value("SELECT group_concat(ifnull(dok,'')||'|'||ifnull(banda,'')||'|'||"
                                                  "ifnull(modo,'')||'|'||ifnull(data,'')||'|'||ifnull(conf,''), ';') FROM LOG")
                                     .split(QLatin1Char(';'));
        for (const QString &row : rows) {
            const QStringList texts = row.split(QLatin1Char('|'));
            expected.add(texts[0], texts[1], texts[2], texts[3], texts[4]);
        }
        LogData &dm = data->open();
        ProgressWindow window(dm);
        window.show();
        auto *selection = child<QComboBox>(window, "Selection");
        QCOMPARE_GT(selection->count(), 1);
        for (int i = 0; i < selection->count(); ++i) {
            selection->setCurrentIndex(i);
            const DokProgress::Curve want = expected.curve(selection->currentData().toString());
            QCOMPARE(window.shownCurve().steps, want.steps);
            QCOMPARE(window.shownCurve().undated, want.undated);
            QCOMPARE(window.shownCurve().levels, want.levels);
        }
        // A01, B02, C03 (its lower-case "c" does not count, so only its undated QSO does), D04
        // (31 February: undated) and E05 by its "A".
        selection->setCurrentIndex(0);
        QCOMPARE(window.shownCurve().total(), 5);
        QCOMPARE(window.shownCurve().undated, 2);
    }

    void levelsShowTheDateTheyWereReached()
    {
        QStringList doks;
        for (int i = 0; i < 120; ++i)
            doks << QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'));
        data->addDoks(doks);
        QStringList rows;
        for (int i = 0; i < 120; ++i)
            rows << QStringLiteral("('DL1AA', '%1/01/2010', '14', 'SSB', '%2', 'C', 14)").arg(1 + i % 28).arg(doks[i]);
        data->db().execute("INSERT INTO LOG (call, data, banda, modo, dok, conf, mhz) VALUES " + rows.join(','));
        ProgressWindow window(data->open());
        QVERIFY(child<QLabel>(window, "Levels")->text().contains(QStringLiteral(" 100: 23/01/2010")));
        QVERIFY(child<QLabel>(window, "Levels")->text().contains(QStringLiteral(" 200: not yet")));
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "tst_progresswindow.moc"
