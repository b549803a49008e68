#include "controls.h"
#include "engineerror.h"
#include "faultydisk.h"
#include "hint.h"
#include "mainwindow.h"
#include "refreshwindow.h"
#include "scorefixture.h"
#include "scriptedservices.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

const QString question = QStringLiteral("Do you really want to refresh your data?\rIf yes, please wait.");

QString front(QWidget &window)
{
    return child<QStackedWidget>(window, "Panels")->currentWidget()->objectName();
}

} // namespace

class RefreshWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServices> services;
    std::unique_ptr<ScoreFixture> data;
    std::unique_ptr<QTimer> clock;
    std::unique_ptr<RefreshWindow> window;

    RefreshWindow &openWindow(bool summary = false)
    {
        window = std::make_unique<RefreshWindow>(data->open(), clock.get());
        summary ? window->showSummaryPanel() : window->showRefreshPanel();
        window->show();
        return *window;
    }
    void clickGo(bool yes = true)
    {
        services->prompter.answer(yes);
        child<QPushButton>(*window, "SpeedButton3")->click();
    }
    QLabel *counter(const QString &column) { return child<QLabel>(*window, column); }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        services = std::make_unique<ScriptedServices>();
        services->clock.current = QDateTime(QDate(2004, 3, 5), QTime(21, 7));
        data = std::make_unique<ScoreFixture>();
        data->addDoks({"A01", "B02", "C03"});
        clock = std::make_unique<QTimer>();
        clock->start(500);
    }

    void cleanup()
    {
        window.reset();
        clock.reset();
        data.reset();
        services.reset();
        QVERIFY(!QApplication::overrideCursor());
    }

    void mainWindowOpensThePanelOfTheCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Calcolo1") << "Calcolo1" << "Panel2" << "Refresh data and recalculate score";
        QTest::newRow("Calcolo2") << "Calcolo2" << "Panel2" << "Refresh data and recalculate score";
        QTest::newRow("Summary1") << "Summary1" << "Panel1" << "Summary by band and mode";
        QTest::newRow("Summary2") << "Summary2" << "Panel1" << "Summary by band and mode";
    }

    void mainWindowOpensThePanelOfTheCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, panel);
        QFETCH(QString, caption);
        MainWindow main(data->open(), nullptr);
        QString seenPanel, seenCaption;
        bool seenModal = false;
        bool clockRanDuringRun = false;
        QTimer::singleShot(0, this, [&] {
            auto *opened = qobject_cast<RefreshWindow *>(QApplication::activeModalWidget());
            QVERIFY(opened);
            seenModal = opened->isModal();
            seenPanel = front(*opened);
            seenCaption = opened->windowTitle();
            if (panel == QLatin1String("Panel2")) {
                services->prompter.answer(true);
                child<QPushButton>(*opened, "SpeedButton3")->click();
                clockRanDuringRun = main.clockTimer()->isActive();
                child<QPushButton>(*opened, "SpeedButton5")->click();
            } else {
                child<QPushButton>(*opened, "SpeedButton2")->click();
            }
        });
        main.action(command)->trigger();
        QVERIFY(seenModal);
        QCOMPARE(seenPanel, panel);
        QCOMPARE(seenCaption, caption);
        QVERIFY(!clockRanDuringRun || panel == QLatin1String("Panel1"));
        QVERIFY(main.clockTimer()->isActive());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theMainWindowNamesTheNewRefreshDate()
    {
        MainWindow main(data->open(), nullptr);
        main.prepareOnShow();
        QCOMPARE(main.action("Calcolo2")->text(), QStringLiteral("Refresh &Data: last on never"));
        QTimer::singleShot(0, this, [&] {
            auto *opened = qobject_cast<RefreshWindow *>(QApplication::activeModalWidget());
            QVERIFY(opened);
            services->prompter.answer(true);
            child<QPushButton>(*opened, "SpeedButton3")->click();
            child<QPushButton>(*opened, "SpeedButton5")->click();
        });
        main.action("Calcolo1")->trigger();
        QCOMPARE(main.action("Calcolo2")->text(), QStringLiteral("Refresh &Data: last on 5/03/2004"));
        QCOMPARE(hint::of(main.action("Calcolo1")),
                 QStringLiteral(" Refresh Data| Recalculate the score: last on 5/03/2004"));
    }

    void refreshPanelOnShow()
    {
        data->db().execute("UPDATE RIEP SET dataagg='2010-11-25 00:05:00'");
        openWindow();
        QCOMPARE(child<QLabel>(*window, "Lab2")->text(), QStringLiteral("Last refresh on  25/11/2010,  at  12:05 AM"));
        QVERIFY(child(*window, "ProgressBar1")->isHidden());
        QVERIFY(child(*window, "Lab1")->isHidden());
        auto *grid = child<QTableView>(*window, "DBGdok");
        QStringList titles;
        for (int i = 0; i < grid->model()->columnCount(); ++i)
            titles << grid->model()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"DOK", "Cf", "50", "28", "24", "21", "18", "14", "10", "7", "3.5", "1.8", "144",
                                      "433", "ssb", "cw", "tty", "psk", "fm"}));
        QCOMPARE(grid->columnWidth(0), 62);
        QCOMPARE(grid->columnWidth(18), 26);
        QCOMPARE(grid->model()->rowCount(), 3);
    }

    void answeringNoChangesNothing()
    {
        data->addQso("A01", "14", "SSB", "C");
        openWindow();
        clickGo(false);
        QCOMPARE(services->prompter.questions, QStringList{question});
        QCOMPARE(services->prompter.questionKinds, QList<Prompter::Question>{Prompter::Question::YesNo});
        QCOMPARE(data->value("SELECT dataagg FROM RIEP"), QString());
        QCOMPARE(data->value("SELECT T14 FROM DOK WHERE DOK='A01'"), QStringLiteral("*"));
        QVERIFY(clock->isActive());
        QVERIFY(child(*window, "Lab1")->isHidden());
    }

    void goRecalculatesAndShowsTheNewStamp()
    {
        data->addQso("A01", "1.8", "CW", "C");
        openWindow();
        clickGo();
        QCOMPARE(data->value("SELECT T1 || CW1 || CW || CONF FROM DOK WHERE DOK='A01'"), QStringLiteral("CCCC"));
        QCOMPARE(data->value("SELECT CT1 FROM RIEP"), QStringLiteral("1"));
        QCOMPARE(child<QLabel>(*window, "Lab1")->text(), QStringLiteral("Data have been succefully refreshed!"));
        QVERIFY(child(*window, "Lab1")->isVisible());
        QCOMPARE(child<QLabel>(*window, "Lab2")->text(), QStringLiteral("Last refresh on  5/03/2004,  at  09:07 PM"));
        QVERIFY(child(*window, "ProgressBar1")->isHidden());
        QVERIFY(!clock->isActive());
        QVERIFY(child(*window, "SpeedButton3")->isEnabled());
        // The grid follows the DOK table.
        auto *grid = child<QTableView>(*window, "DBGdok");
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("C"));
    }

    void goCannotStartASecondRun()
    {
        data->addQso("A01", "14", "SSB", "C");
        openWindow();
        bool goEnabled = true;
        bool exitEnabled = true;
        bool closed = true;
        bool running = false;
        QString stepShown;
        // Runs inside the first pass of window events during the recalculation.
        QTimer::singleShot(0, this, [&] {
            running = window->isRecalculating();
            stepShown = child<QLabel>(*window, "Lab1")->text();
            goEnabled = child(*window, "SpeedButton3")->isEnabled();
            exitEnabled = child(*window, "SpeedButton5")->isEnabled() || child(*window, "SpeedButton2")->isEnabled();
            services->prompter.answer(true);
            window->runRefresh();
            closed = !window->close();
            QTest::keyClick(window.get(), Qt::Key_Escape);
        });
        clickGo();
        QVERIFY(running);
        QCOMPARE(stepShown, QStringLiteral("Going to clear old values"));
        QVERIFY(!goEnabled);
        QVERIFY(!exitEnabled);
        QVERIFY(closed);
        QVERIFY(window->isVisible());
        QCOMPARE(services->prompter.questions.size(), 1);
        QCOMPARE(data->value("SELECT CT14 FROM RIEP"), QStringLiteral("1"));
    }

    void failingRunReportsTheEngineErrorAndKeepsTheData()
    {
        data->addQso("A01", "14", "SSB", "C");
        data->db().execute("CREATE TRIGGER broken BEFORE UPDATE ON RIEP BEGIN SELECT RAISE(ABORT, 'database is locked'); END");
        openWindow();
        clickGo();
        QCOMPARE(services->prompter.errors.size(), 1);
        QVERIFY(services->prompter.errors.first().endsWith("database is locked"));
        QCOMPARE(data->value("SELECT T14 FROM DOK WHERE DOK='A01'"), QStringLiteral("*"));
        QCOMPARE(child<QLabel>(*window, "Lab1")->text(), QStringLiteral("Going to recalculate the score"));
        QCOMPARE(child<QLabel>(*window, "Lab2")->text(), QStringLiteral("Last refresh: never"));
        QVERIFY(child(*window, "ProgressBar1")->isHidden());
        QVERIFY(child(*window, "SpeedButton3")->isEnabled());
        QVERIFY(child(*window, "SpeedButton5")->isEnabled());
    }

    void aDiskFailingDuringTheRunIsOneMessageAndKeepsTheData_data()
    {
        QTest::addColumn<int>("goodWrites");
        QTest::newRow("in the DOK table") << 0;
        QTest::newRow("in the counters") << 4;
        QTest::newRow("in the commit") << 8;
    }

    void aDiskFailingDuringTheRunIsOneMessageAndKeepsTheData()
    {
        QFETCH(int, goodWrites);
        FaultyDisk disk;
        data->addQso("A01", "14", "SSB", "C");
        openWindow();
        const QString before = data->db().content();
        disk.failAfterWrites(goodWrites);
        clickGo();
        QVERIFY(disk.refusals() > 0);
        QCOMPARE(services->prompter.errors.size(), 1);
        QVERIFY2(services->prompter.errors.first().endsWith("disk I/O error"), qPrintable(services->prompter.errors.first()));
        QVERIFY(window->isVisible());
        QVERIFY(child(*window, "SpeedButton3")->isEnabled());
        // The views that could not be re-read say why instead of showing the rows of the failed run.
        try {
            data->dm().dok.text("T14");
            QFAIL("the DOK view shows rows it could not re-read");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().endsWith("disk I/O error"), qPrintable(error.text()));
        }

        disk.heal();
        data->dm().ADOconn.disconnect();
        data->dm().ADOconn.connect();
        QCOMPARE(data->db().content(), before);
        // Once the disk is back, a new run re-reads its tables and succeeds.
        clickGo();
        QCOMPARE(services->prompter.errors.size(), 1);
        QCOMPARE(data->value("SELECT T14 FROM DOK WHERE DOK='A01'"), QStringLiteral("C"));
    }

    // Escape presses the Exit of the page shown.
    void escapeClosesTheWindow_data()
    {
        QTest::addColumn<bool>("summary");
        QTest::newRow("refresh page") << false;
        QTest::newRow("summary page") << true;
    }

    void escapeClosesTheWindow()
    {
        QFETCH(bool, summary);
        openWindow();
        if (summary)
            window->showSummaryPanel();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void summaryShowsCountersAndGreyZeroMarks()
    {
        data->db().execute("UPDATE RIEP SET CCW1=1, ACW1=0, CT3=12, AT3=4, CSSB14=0, cssb=0, ccw=7, crtty=1, cpsk=0, cfm=3");
        openWindow(true);
        QCOMPARE(front(*window), QStringLiteral("Panel1"));
        QCOMPARE(counter("CCW1")->text(), QStringLiteral("1"));
        QVERIFY(counter("CCW1")->isVisible());
        QVERIFY(!counter("ACW1")->isVisible());
        QCOMPARE(counter("CT3")->text(), QStringLiteral("12"));
        QCOMPARE(counter("AT3")->text(), QStringLiteral("4"));
        QVERIFY(!counter("CSSB14")->isVisible());
        // Marks of inner box n are "mylabel" + (1 + 50 (n - 1) + position among the box's children).
        const struct
        {
            const char *column;
            const char *box;
            int first;
        } marks[] = {{"CSSB14", "GroupBox1", 1}, {"CCW1", "GroupBox2", 51}, {"ACW1", "GroupBox2", 51},
                     {"CT3", "GroupBox6", 251}};
        for (const auto &mark : marks) {
            QLabel *label = counter(mark.column);
            auto *box = child<QGroupBox>(*window, mark.box);
            const int position = int(box->children().indexOf(label));
            auto *zero = child<QLabel>(*window, QStringLiteral("mylabel%1").arg(mark.first + position));
            QCOMPARE(zero->parent(), box);
            QCOMPARE(zero->text(), QStringLiteral("*"));
            QCOMPARE(zero->x(), label->x() + 1);
            QCOMPARE(zero->y(), label->y());
            QCOMPARE(zero->isVisible(), !label->isVisible());
            QVERIFY(zero->styleSheet().contains("grey"));
        }
        QCOMPARE(child<QGroupBox>(*window, "Groupfon")->title(), QStringLiteral("PHONE - 0"));
        QCOMPARE(child<QGroupBox>(*window, "Groupcw")->title(), QStringLiteral("CW - 7"));
        QCOMPARE(child<QGroupBox>(*window, "Grouptty")->title(), QStringLiteral("RTTY - 1"));
        QCOMPARE(child<QGroupBox>(*window, "Grouppsk")->title(), QStringLiteral("PSK - 0"));
        QCOMPARE(child<QGroupBox>(*window, "Groupfm")->title(), QStringLiteral("FM - 3"));
        QCOMPARE(child<QGroupBox>(*window, "Grouptot")->title(), QStringLiteral("TOTAL"));
    }

    void everyRowShowsTheCountersOfItsOwnBand()
    {
        data->db().execute("UPDATE RIEP SET CCW18=5, ACW18=2, CT1=9, AT1=8");
        openWindow(true);
        const auto row = [&](const char *box, int band) {
            auto *inner = child<QGroupBox>(*window, QString::fromLatin1(box));
            QList<QLabel *> labels;
            for (QLabel *label : inner->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
                if (!label->objectName().startsWith("mylabel"))
                    labels << label;
            }
            std::sort(labels.begin(), labels.end(), [](QLabel *a, QLabel *b) {
                return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
            });
            return QStringList{labels[2 * band]->text(), labels[2 * band + 1]->text()};
        };
        // Rows top to bottom: 50, 28, 24, 21, 18, 14, 10, 7, 3.5, 1.8, 144, 433.
        QCOMPARE(row("GroupBox2", 4), (QStringList{"5", "2"}));
        QCOMPARE(row("GroupBox6", 9), (QStringList{"9", "8"}));
        QCOMPARE(row("GroupBox6", 4), (QStringList{"0", "0"}));
    }

    void goThenSummaryShowsTheNewCounters()
    {
        data->db().execute("UPDATE RIEP SET CSSB14=4, cssb=4");
        data->addQso("A01", "1.8", "CW", "C");
        openWindow();
        QVERIFY(!counter("CCW1")->isVisible());
        clickGo();
        // The bound label follows at once; captions and marks wait for "&Summary".
        QCOMPARE(counter("CCW1")->text(), QStringLiteral("1"));
        QCOMPARE(counter("CSSB14")->text(), QStringLiteral("0"));
        QCOMPARE(child<QGroupBox>(*window, "Groupcw")->title(), QStringLiteral("CW - 0"));
        child<QPushButton>(*window, "SpeedButton4")->click();
        QCOMPARE(window->windowTitle(), QStringLiteral("Summary by band and mode"));
        QCOMPARE(front(*window), QStringLiteral("Panel1"));
        QVERIFY(counter("CCW1")->isVisible());
        QVERIFY(!counter("CSSB14")->isVisible());
        QCOMPARE(child<QGroupBox>(*window, "Groupcw")->title(), QStringLiteral("CW - 1"));
        QCOMPARE(child<QGroupBox>(*window, "Groupfon")->title(), QStringLiteral("PHONE - 0"));
        QCOMPARE(window->findChildren<QLabel *>(QRegularExpression("^mylabel")).size(), 6 * 24);

        child<QPushButton>(*window, "SpeedButton1")->click();
        QCOMPARE(window->windowTitle(), QStringLiteral("Refresh data and recalculate score"));
        QCOMPARE(front(*window), QStringLiteral("Panel2"));
    }

    void emptyLogThenSummaryShowsOnlyZeroMarks()
    {
        data->db().execute("UPDATE RIEP SET CT14=3, AT14=1, CSSB=3, CCW=2");
        openWindow();
        clickGo();
        child<QPushButton>(*window, "SpeedButton4")->click();
        int shown = 0;
        for (QLabel *label : window->findChildren<QLabel *>(QRegularExpression("^mylabel")))
            shown += label->isVisible() ? 1 : 0;
        QCOMPARE(shown, 6 * 24);
        for (const char *column : {"CT14", "AT14", "CSSB14", "CFM433"})
            QVERIFY(!counter(QString::fromLatin1(column))->isVisible());
        for (const auto &[box, text] : {std::pair("Groupfon", "PHONE - 0"), std::pair("Groupcw", "CW - 0"),
                                        std::pair("Grouptty", "RTTY - 0"), std::pair("Grouppsk", "PSK - 0"),
                                        std::pair("Groupfm", "FM - 0")})
            QCOMPARE(child<QGroupBox>(*window, QString::fromLatin1(box))->title(), QString::fromLatin1(text));
    }

    void summaryExitSwitchesTheFiltersOff()
    {
        LogData &dm = data->open();
        dm.dok.setFilter("conf='C'");
        dm.log.setFilter("dok='A01'");
        openWindow(true);
        child<QPushButton>(*window, "SpeedButton2")->click();
        QVERIFY(!window->isVisible());
        QVERIFY(!dm.dok.isFiltered());
        QVERIFY(!dm.log.isFiltered());
        QCOMPARE(dm.dok.filter(), QString());
        QCOMPARE(dm.log.filter(), QString());
    }
};

QTEST_MAIN(RefreshWindowTest)
#include "tst_refreshwindow.moc"
