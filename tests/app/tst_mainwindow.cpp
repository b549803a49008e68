#include "datamodule.h"
#include "desktopidentity.h"
#include "entrypanel.h"
#include "hint.h"
#include "mainwindow.h"
#include "managementview.h"
#include "memoryload.h"
#include "programfixture.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTimer>
#include <QtTest>

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    static QAction *action(MainWindow &main, const char *name)
    {
        QAction *found = main.findChild<QAction *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no action %s", name);
        return found;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void idleStateAfterShowing()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        QCOMPARE(main.windowTitle(), QStringLiteral("ZER Uvizeru"));
        for (const char *name : {"Nuovo1", "Speednew", "Management1", "speedman", "Request1", "SpeedButton2", "Rules1",
                                 "SpeedButton4", "MaP1", "Calcolo1", "Calcolo2", "Summary1", "Summary2", "UserData1",
                                 "SpeedButton20", "Sound1", "Compact1", "DOKHelp1", "Whatsnew1", "About2", "Esci1",
                                 "SpeedButton6"})
            QVERIFY2(action(main, name)->isEnabled(), name);
        for (const char *name : {"Modifica1", "Speedmod", "Delete1", "Speeddel", "Registra1", "Speedreg", "Backup1",
                                 "SpeedBack", "Restore1", "SpeedRest"})
            QVERIFY2(!action(main, name)->isEnabled(), name);
        QVERIFY(main.entryPanel()->isHidden());
        QVERIFY(main.managementView()->isHidden());
        QCOMPARE(main.findChild<QLabel *>("all")->text(), QStringLiteral("1176"));
        LogData &dm = fixture.dm();
        QVERIFY(dm.log.isFiltered());
        QCOMPARE(dm.dok.filter(), QString());
        QCOMPARE(dm.dok.position(), 0);
        QVERIFY(main.clockTimer()->isActive());
        QCOMPARE(main.clockTimer()->interval(), 500);
    }

    // A shell finds the program's desktop entry, and with it its name and icon.
    void theDesktopKnowsTheProgram()
    {
        desktopidentity::apply();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.wzplog.logbook"));
        QVERIFY(QFile::exists(QStringLiteral(WZP_SOURCE_DIR "/packaging/") + QGuiApplication::desktopFileName()
                              + QStringLiteral(".desktop")));
        const QIcon icon = QGuiApplication::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(32, 32).isNull());
    }

    void soundSwitchFollowsTheStoredSetting_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("caption");
        QTest::newRow("on") << 1 << true << "&Sounds OFF";
        QTest::newRow("off") << 0 << false << "&Sounds ON";
    }

    void soundSwitchFollowsTheStoredSetting()
    {
        QFETCH(int, stored);
        QFETCH(bool, ticked);
        QFETCH(QString, caption);
        ProgramFixture fixture;
        fixture.db.execute(QStringLiteral("UPDATE INFO SET sound=%1").arg(stored));
        MainWindow &main = fixture.mainWindow();
        QAction *sound = action(main, "Sound1");
        QCOMPARE(sound->isChecked(), ticked);
        QCOMPARE(sound->text(), caption);
        QCOMPARE(fixture.dm().soundOn, ticked);
        QCOMPARE(fixture.db.value("SELECT sound FROM INFO"), QString::number(stored));

        sound->trigger();
        QCOMPARE(sound->isChecked(), !ticked);
        QCOMPARE(fixture.dm().soundOn, !ticked);
        QCOMPARE(fixture.db.value("SELECT sound FROM INFO"), QString::number(1 - stored));
        QCOMPARE(sound->text(), ticked ? QStringLiteral("&Sounds ON") : QStringLiteral("&Sounds OFF"));
    }

    void clockLabels()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        const QDateTime local(QDate(2026, 12, 9), QTime(9, 5, 7));
        fixture.services.clock.current = local;
        main.tickClock();
        QCOMPARE(main.findChild<QLabel *>("LabelLOC")->text(), QStringLiteral("09.05.07"));
        const QTime utc = local.toUTC().time();
        QCOMPARE(main.findChild<QLabel *>("LabelUTC")->text(),
                 QStringLiteral("%1.%2").arg(utc.hour(), 2, 10, QLatin1Char('0')).arg(utc.minute(), 2, 10, QLatin1Char('0')));
        const QString memory = main.statusPanel(2)->text();
        QVERIFY2(memory.startsWith("Memoria in uso ") && memory.endsWith(" %"), qPrintable(memory));
    }

    void memoryLoadFromMeminfo()
    {
        QCOMPARE(memoryLoadPercent("MemTotal:       1000 kB\nMemFree:  100 kB\nMemAvailable:    250 kB\n"), 75);
        QCOMPARE(memoryLoadPercent("MemTotal: 1000 kB\n"), std::nullopt);
    }

    void lastRefreshDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::newRow("slash") << QLocale(QLocale::English, QLocale::UnitedStates) << "5/03/2004";
        QTest::newRow("dot") << QLocale(QLocale::German, QLocale::Germany) << "5.03.2004";
    }

    void lastRefreshDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QLocale::setDefault(locale);
        ProgramFixture fixture;
        fixture.db.execute("UPDATE RIEP SET dataagg='2004-03-05 21:07:00'");
        MainWindow &main = fixture.mainWindow();
        QCOMPARE(action(main, "Calcolo2")->text(), "Refresh &Data: last on " + date);
        QCOMPARE(hint::of(action(main, "Calcolo1")), " Refresh Data| Recalculate the score: last on " + date);
    }

    void hintsGoToTheStatusBar()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        QAction *newQso = action(main, "Speednew");
        QCOMPARE(newQso->toolTip(), QStringLiteral(" New QSO "));
        newQso->showStatusText(&main);
        QCOMPARE(main.statusPanel(0)->text(), QStringLiteral(" Write a new QSO "));
        action(main, "Modifica1")->showStatusText(&main);
        QCOMPARE(main.statusPanel(0)->text(), QStringLiteral(" Modify data of a QSO"));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(&main, &leave);
        QCOMPARE(main.statusPanel(0)->text(), QString());
        QCOMPARE(main.statusPanel(0)->width(), 260);
        // A long hint, such as a district's figures on the map, is shown whole.
        QStatusTipEvent longHint{QStringLiteral("DOK district B: 11 of 43 DOKs with a QSO (26 %)")};
        QApplication::sendEvent(&main, &longHint);
        QTRY_VERIFY(main.statusPanel(0)->width() >= main.statusPanel(0)->sizeHint().width());
        QVERIFY(main.statusPanel(0)->width() > 260);
        QApplication::sendEvent(&main, &leave);
        QVERIFY(main.statusPanel(1)->width() >= 220);
        QVERIFY(main.statusPanel(2)->width() >= 75);
        const QString count = QStringLiteral("  123 DOK accredited on 144 MHz (12.3 %)");
        main.statusPanel(1)->setText(count);
        QTRY_VERIFY(main.statusPanel(1)->contentsRect().width()
                    >= main.statusPanel(1)->fontMetrics().horizontalAdvance(count));
    }

    void exitInIdleEndsTheProgram()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        action(main, "SpeedButton6")->trigger();
        QCOMPARE(terminated.count(), 1);
        QVERIFY(!fixture.dm().ADOconn.isConnected());
    }

    void exitClosesTheEntryPanelFirst()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        main.entryPanel()->show();
        main.setExitHint("Close this panel| Exit QSO management");
        main.setCommandEnabled(MainWindow::Command::Save, true);
        main.setCommandEnabled(MainWindow::Command::Management, false);
        main.setCommandEnabled(MainWindow::Command::Refresh, false);
        action(main, "Compact1")->setEnabled(false);
        fixture.dm().log.setFilter("dok='A01'");

        action(main, "Esci1")->trigger();
        QCOMPARE(terminated.count(), 0);
        QVERIFY(main.entryPanel()->isHidden());
        QCOMPARE(hint::of(action(main, "SpeedButton6")), QStringLiteral("Exit | Application terminate"));
        QVERIFY(!action(main, "Registra1")->isEnabled());
        QVERIFY(!action(main, "Speedreg")->isEnabled());
        QVERIFY(action(main, "Management1")->isEnabled());
        QVERIFY(action(main, "Calcolo1")->isEnabled());
        QVERIFY(action(main, "Compact1")->isEnabled());
        QCOMPARE(fixture.dm().log.filter(), QString());

        action(main, "Esci1")->trigger();
        QCOMPARE(terminated.count(), 1);
    }

    void exitClosesTheManagementViewFirst()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        main.managementView()->show();
        main.setViewMarker(QLatin1Char('S'));
        main.setCommandEnabled(MainWindow::Command::New, false);
        main.setCommandEnabled(MainWindow::Command::Backup, true);
        main.setCommandEnabled(MainWindow::Command::Modify, true);
        main.showCount("  12 DOK confirmed on 14 MHz (1.4 %)");
        fixture.dm().dok.setFilter("conf<>'*'");

        action(main, "SpeedButton6")->trigger();
        QCOMPARE(terminated.count(), 0);
        QVERIFY(main.managementView()->isHidden());
        QCOMPARE(main.viewMarker(), QLatin1Char('N'));
        QVERIFY(action(main, "Nuovo1")->isEnabled());
        QVERIFY(action(main, "Speednew")->isEnabled());
        QVERIFY(!action(main, "Backup1")->isEnabled());
        QVERIFY(!action(main, "Modifica1")->isEnabled());
        QCOMPARE(main.statusPanel(1)->text(), QString());
        QCOMPARE(main.statusPanel(1)->frameShadow(), QFrame::Sunken);
        QCOMPARE(fixture.dm().dok.filter(), QString());
        QCOMPARE(fixture.dm().log.sort(), QStringLiteral("dok"));
    }

    void closingTheMainWindowEndsTheProgram()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        QSignalSpy terminated(fixture.program.get(), &Startup::terminated);
        main.entryPanel()->show();
        main.close();
        QCOMPARE(terminated.count(), 1);
        QVERIFY(!fixture.dm().ADOconn.isConnected());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
