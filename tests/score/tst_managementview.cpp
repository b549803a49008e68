#include "adifreader.h"
#include "controls.h"
#include "detailswindow.h"
#include "entrypanel.h"
#include "hint.h"
#include "mainwindow.h"
#include "managementview.h"
#include "programfixture.h"
#include "qsoimporter.h"
#include "recalculation.h"
#include "scorefixture.h"
#include "scriptedservices.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

int columnTitled(QTableView *grid, const QString &title)
{
    for (int i = 0; i < grid->model()->columnCount(); ++i) {
        if (grid->model()->headerData(i, Qt::Horizontal).toString() == title)
            return i;
    }
    qFatal("no column %s", qPrintable(title));
}

} // namespace

class ManagementViewTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedServices> services;
    std::unique_ptr<ScoreFixture> data;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<DetailsWindow> details;
    ManagementView *view = nullptr;

    // Four DOKs, three of them worked; the matrix as a refresh leaves it.
    void addLog()
    {
        data->addDoks({"A01", "B02", "C03", "D04"});
        data->addSavedQso("A01", "14", "SSB", "C");
        data->addSavedQso("A01", "14", "CW", "C");
        data->addSavedQso("A01", "3.5", "CW", "C");
        data->addSavedQso("A01", "7", "SSB", "A");
        data->addSavedQso("B02", "14", "SSB", "A");
        data->addSavedQso("C03", "1.8", "RTTY", "C");
    }
    void showMain()
    {
        LogData &dm = data->open();
        Recalculation(dm).run();
        main = std::make_unique<MainWindow>(dm, nullptr);
        details = std::make_unique<DetailsWindow>(dm);
        view = main->managementView();
        view->setDetailsWindow(details.get());
        main->show();
    }
    void openView()
    {
        main->action("Management1")->trigger();
    }
    LogData &dm() { return data->dm(); }
    QWidget *control(const QString &name) { return child(*view, name); }
    QPushButton *button(const QString &name) { return child<QPushButton>(*view, name); }
    QTableView *grid(const QString &name) { return child<QTableView>(*view, name); }
    QString front() { return child<QStackedWidget>(*view, "Grids")->currentWidget()->objectName(); }
    QString statusText() { return main->statusPanel(1)->text(); }
    bool statusRaised() { return main->statusPanel(1)->frameShadow() == QFrame::Raised; }
    bool enabled(const QString &action) { return main->action(action)->isEnabled(); }
    void clickCell(QTableView *table, int row, int column)
    {
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    int dokRow(const QString &dok)
    {
        const QStringList doks = column(grid("DBGdok"), 0);
        return int(doks.indexOf(dok));
    }

private slots:
    void init()
    {
        services = std::make_unique<ScriptedServices>();
        data = std::make_unique<ScoreFixture>();
    }

    void cleanup()
    {
        view = nullptr;
        main.reset();
        details.reset();
        data.reset();
        services.reset();
    }

    void openingShowsTheBandTableOfTheCurrentQso_data()
    {
        QTest::addColumn<QString>("dok");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("count");
        QTest::newRow("3.5 MHz") << "A01" << "B3" << "LOG3" << "DOK on 3.5 MHz" << "  1 DOK confirmed on 3.5 MHz (25.0 %)";
        QTest::newRow("1.8 MHz") << "C03" << "B1" << "LOG1" << "DOK on 1.8 MHz" << "  1 DOK confirmed on 1.8 MHz (25.0 %)";
        QTest::newRow("empty band opens 14 MHz") << "D04" << "B14" << "LOG14" << "DOK on 14 MHz"
                                                 << "  2 DOK confirmed on 14 MHz (50.0 %)";
    }

    void openingShowsTheBandTableOfTheCurrentQso()
    {
        QFETCH(QString, dok);
        QFETCH(QString, buttonName);
        QFETCH(QString, table);
        QFETCH(QString, label);
        QFETCH(QString, count);
        addLog();
        data->addQso("D04", "", "SSB", "C");
        data->addQso("A01", "3.5", "CW", "C");
        showMain();
        dm().log.setSort("dok");
        QVERIFY(dm().log.locate("dok;banda", {dok, dok == "A01" ? "3.5" : dok == "C03" ? "1.8" : ""}));
        openView();
        QVERIFY(view->isVisible());
        QVERIFY(main->entryPanel()->isHidden());
        QVERIFY(control("Panel5")->isVisible());
        QCOMPARE(dm().logbanda.tableName(), table);
        QVERIFY(button(buttonName)->isChecked());
        QCOMPARE(view->findChildren<QPushButton *>(QRegularExpression("^B[0-9A-Z]+$")).size(), 17);
        for (QPushButton *other : control("Panel5")->findChildren<QPushButton *>())
            QCOMPARE(other->isChecked(), other->objectName() == buttonName);
        QCOMPARE(child<QLabel>(*view, "Label2")->text(), label);
        QCOMPARE(statusText(), count);
        QVERIFY(statusRaised());
        QCOMPARE(front(), QStringLiteral("DBGBand"));
        QCOMPARE(grid("DBGBand")->model()->rowCount(), dm().logbanda.recordCount());
        QVERIFY(control("Panel4")->isVisible());
        QCOMPARE(main->viewMarker(), QLatin1Char('N'));
        QCOMPARE(hint::of(main->action("SpeedButton6")), QStringLiteral("Close | Exit DOK management"));
        for (const char *name : {"Compact1", "Nuovo1", "Speednew", "Calcolo1", "Calcolo2", "Registra1", "Speedreg"})
            QVERIFY2(!enabled(name), name);
        for (const char *name : {"Modifica1", "Speedmod", "Delete1", "Speeddel", "Backup1", "SpeedBack", "Restore1", "SpeedRest"})
            QVERIFY2(enabled(name), name);
        QVERIFY(!control("Button4")->isEnabled());
        QCOMPARE(button("Button4")->text(), QStringLiteral("Show Details"));
        QCOMPARE(hint::of(control("Button4")), QStringLiteral("Click on the C cells | Show QSO data by band or mode"));
        QVERIFY(control("SpeedButton1")->isVisible());
        QCOMPARE(button("SpeedButton1")->text(), QStringLiteral("Accredited"));
        QCOMPARE(view->dokTotal(), 4);
        QCOMPARE(grid("DBGdok")->columnWidth(0), 62);
        QCOMPARE(grid("DBGdok")->columnWidth(5), 26);
    }

    void emptyLogDoesNotOpen()
    {
        data->addDoks({"A01"});
        showMain();
        openView();
        QCOMPARE(services->prompter.messages, QStringList{"No DOKs confirmed in the LOG !"});
        QVERIFY(view->isHidden());
        QVERIFY(!enabled("Compact1"));
        QVERIFY(enabled("Nuovo1"));
        QVERIFY(!enabled("Backup1"));
    }

    void countTextAndPercentageOfABand()
    {
        QStringList codes;
        for (int i = 0; i < 1000; ++i)
            codes << QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'));
        data->addDoks(codes);
        data->addQso("X000", "7", "SSB", "C");
        // The refresh builds the band table from these QSOs.
        data->db().execute("INSERT INTO LOG (call, data, banda, modo, dok, conf, mhz) "
                           "SELECT 'DL1ABC', '05/03/2004', '14', 'CW', DOK, 'C', 14 FROM DOK ORDER BY id LIMIT 123");
        showMain();
        openView();
        button("B14")->click();
        QCOMPARE(child<QLabel>(*view, "Label2")->text(), QStringLiteral("DOK on 14 MHz"));
        QCOMPARE(statusText(), QStringLiteral("  123 DOK confirmed on 14 MHz (12.3 %)"));
        QCOMPARE(grid("DBGBand")->model()->rowCount(), 123);
    }

    void bandAndModeButtons_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("band");
        QTest::newRow("1.8") << "B1" << "LOG1" << "DOK on 1.8 MHz" << "  1 DOK confirmed on 1.8 MHz (25.0 %)" << true;
        QTest::newRow("3.5") << "B3" << "LOG3" << "DOK on 3.5 MHz" << "  1 DOK confirmed on 3.5 MHz (25.0 %)" << true;
        QTest::newRow("TTY") << "BRTTY" << "LOGRTTY" << "DOK on RTTY mode" << "  1 DOK confirmed on RTTY Mode (25.0 %)" << false;
        QTest::newRow("SSB") << "BSSB" << "LOGSSB" << "DOK on SSB mode" << "  2 DOK confirmed on SSB Mode (50.0 %)" << false;
    }

    void bandAndModeButtons()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, table);
        QFETCH(QString, label);
        QFETCH(QString, count);
        QFETCH(bool, band);
        addLog();
        showMain();
        openView();
        button("Button1")->click();
        button(buttonName)->click();
        TableView &shown = band ? dm().logbanda : dm().logmodo;
        QCOMPARE(shown.tableName(), table);
        QCOMPARE(child<QLabel>(*view, "Label2")->text(), label);
        QVERIFY(control("Label2")->isVisible());
        QCOMPARE(statusText(), count);
        QCOMPARE(front(), QStringLiteral("DBGBand"));
        QCOMPARE(column(grid("DBGBand"), 0).size(), shown.recordCount());
        QCOMPARE(control("SpeedButton1")->isVisible(), band);
        QCOMPARE(enabled("Modifica1"), band);
        QCOMPARE(enabled("Speeddel"), band);
        QVERIFY(!control("Button4")->isEnabled());
        QVERIFY(button(buttonName)->isChecked());
        QVERIFY(!button("Button1")->isChecked());
    }

    void tableWithOnlyItsPlaceholder_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("message");
        QTest::newRow("band") << "B50" << "No DOKs confirmed on this band !";
        QTest::newRow("mode") << "BPSK" << "No DOKs confirmed on this mode !";
    }

    void tableWithOnlyItsPlaceholder()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, message);
        addLog();
        showMain();
        openView();
        button(buttonName)->click();
        QCOMPARE(services->prompter.messages, QStringList{message});
        QCOMPARE(grid("DBGBand")->model()->rowCount(), 0);
        QCOMPARE(front(), QStringLiteral("DBGBand"));
        QVERIFY(control("Panel4")->isHidden());
        QCOMPARE(statusText(), QString());
        QVERIFY(!statusRaised());
    }

    void accreditedToggle()
    {
        addLog();
        for (const QString &code : QStringList{"E05", "F06", "G07", "H08"}) {
            data->addDoks({code});
            data->addSavedQso(code, "14", "CW", "A");
        }
        showMain();
        openView();
        button("B14")->click();
        QCOMPARE(statusText(), QStringLiteral("  6 DOK confirmed on 14 MHz (75.0 %)"));
        button("SpeedButton1")->click();
        QCOMPARE(statusText(), QStringLiteral("  5 DOK accredited on 14 MHz (62.5 %)"));
        QCOMPARE(button("SpeedButton1")->text(), QStringLiteral("Confirmed"));
        QCOMPARE(column(grid("DBGBand"), columnTitled(grid("DBGBand"), "Cf")), QStringList(5, "A"));
        button("SpeedButton1")->click();
        QCOMPARE(statusText(), QStringLiteral("  6 DOK confirmed on 14 MHz (75.0 %)"));
        QCOMPARE(button("SpeedButton1")->text(), QStringLiteral("Accredited"));
    }

    void filterButtonsStoreConfirmedAndNotConfirmed()
    {
        addLog();
        showMain();
        openView();
        // Right after a refresh the figures are those of the log, before any filter button.
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(*view, "Label8")->text(), QStringLiteral("75.0 %"));
        QCOMPARE(child<QLabel>(*view, "DBnconf")->text(), QStringLiteral("1"));

        button("Button1")->click();
        QCOMPARE(data->value("SELECT conf || '/' || nconf FROM RIEP"), QStringLiteral("3/1"));
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(*view, "DBnconf")->text(), QStringLiteral("1"));
        QCOMPARE(child<QLabel>(*view, "Label8")->text(), QStringLiteral("75.0 %"));
        QCOMPARE(front(), QStringLiteral("DBGdok"));
        QCOMPARE(column(grid("DBGdok"), 0), (QStringList{"A01", "B02", "C03"}));
        QVERIFY(control("Button4")->isEnabled());
        QVERIFY(control("Label2")->isHidden());
        QVERIFY(control("SpeedButton1")->isHidden());
        QVERIFY(!enabled("Modifica1"));
        QVERIFY(!enabled("Delete1"));
        QCOMPARE(grid("DBGdok")->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(grid("DBGdok")->editTriggers(), QAbstractItemView::NoEditTriggers);

        button("Button3")->click();
        QCOMPARE(data->value("SELECT conf || '/' || nconf FROM RIEP"), QStringLiteral("3/1"));
        QCOMPARE(column(grid("DBGdok"), 0), QStringList{"D04"});
        QVERIFY(!control("Button4")->isEnabled());
        QCOMPARE(child<QLabel>(*view, "Label8")->text(), QStringLiteral("75.0 %"));

        button("Button2")->click();
        QCOMPARE(column(grid("DBGdok"), 0), (QStringList{"A01", "B02", "C03", "D04"}));
        QVERIFY(!control("Button4")->isEnabled());

        // After a deletion the confirmed figures are refreshed without enabling the details.
        view->showDoksWithQso(nullptr);
        QVERIFY(!control("Button4")->isEnabled());
        QCOMPARE(data->value("SELECT conf + nconf FROM RIEP"), QStringLiteral("4"));
    }

    void figuresSayWhatTheyCount()
    {
        addLog();
        // D04's only QSO is not confirmed: it has a QSO, but no confirmed one.
        data->addSavedQso("D04", "14", "SSB", "*");
        showMain();
        openView();
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("4"));
        QCOMPARE(child<QLabel>(*view, "confCaption")->text(), QStringLiteral("DOKs with a QSO"));
        QCOMPARE(child<QLabel>(*view, "Label8")->text(), QStringLiteral("100.0 %"));
        QCOMPARE(child<QLabel>(*view, "shareCaption")->text(), QStringLiteral("of all DOKs"));
        QCOMPARE(child<QLabel>(*view, "DBnconf")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLabel>(*view, "nconfCaption")->text(), QStringLiteral("DOKs without a QSO"));
        for (const char *caption : {"confCaption", "shareCaption", "nconfCaption"})
            QVERIFY2(control(caption)->isVisible(), caption);
        QCOMPARE(child<QLabel>(*view, "all")->text(), QStringLiteral("4"));
    }

    // Every figure shown follows QSOs that come in while the view is open (an import from the
    // QSO menu), DOKs added to the list included.
    void figuresFollowAnImportWhileTheViewIsShown()
    {
        addLog();
        showMain();
        openView();
        QTest::mouseClick(button("B14"), Qt::LeftButton);
        QCOMPARE(statusText(), QStringLiteral("  2 DOK confirmed on 14 MHz (50.0 %)"));
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("3"));
        const auto qso = [](const char *call, const char *dok) {
            return QByteArray("<CALL:5>") + call + "<QSO_DATE:8>20110301<BAND:3>20m<MODE:3>SSB<DARC_DOK:3>" + dok
                + "<QSL_RCVD:1>Y<EOR>\n";
        };
        AdifReader reader(QByteArray("<EOH>\n") + qso("DL1AA", "D04") + qso("DL2BB", "E05"));
        QsoImporter importer(dm());
        importer.addUnknownDoks = [](const QStringList &) { return true; };
        QCOMPARE(importer.run(reader).imported, 2);
        QTRY_COMPARE(statusText(), QStringLiteral("  4 DOK confirmed on 14 MHz (80.0 %)"));
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("5"));
        QCOMPARE(child<QLabel>(*view, "DBnconf")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLabel>(*view, "Label8")->text(), QStringLiteral("100.0 %"));
        QCOMPARE(child<QLabel>(*view, "all")->text(), QStringLiteral("5"));
        QCOMPARE(view->dokTotal(), 5);
    }

    void deletingTheOnlyQsoOfABandLeavesNoStaleFigure_data()
    {
        QTest::addColumn<bool>("refreshNow");
        QTest::newRow("refresh declined") << false;
        QTest::newRow("refresh run") << true;
    }
    void deletingTheOnlyQsoOfABandLeavesNoStaleFigure()
    {
        QFETCH(bool, refreshNow);
        addLog();
        data->addSavedQso("D04", "50", "SSB", "C");
        showMain();
        openView();
        QTest::mouseClick(button("B50"), Qt::LeftButton);
        QCOMPARE(statusText(), QStringLiteral("  1 DOK confirmed on 50 MHz (25.0 %)"));
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("4"));
        const QRect row = grid("DBGBand")->visualRect(grid("DBGBand")->model()->index(0, 0));
        QTest::mouseClick(grid("DBGBand")->viewport(), Qt::LeftButton, {}, row.center());
        services->prompter.answer(true);
        services->prompter.answer(refreshNow);
        if (refreshNow) {
            QTimer::singleShot(0, this, [&] {
                auto *refresh = QApplication::activeModalWidget();
                QVERIFY(refresh);
                services->prompter.answer(true);
                child<QPushButton>(*refresh, "SpeedButton3")->click();
                child<QPushButton>(*refresh, "SpeedButton5")->click();
            });
        }
        main->action("Speeddel")->trigger();
        QCOMPARE(data->value("SELECT count(*) FROM LOG WHERE dok = 'D04'"), QStringLiteral("0"));
        QCOMPARE(statusText(), QString());
        QVERIFY(!statusRaised());
        // D04 has no QSO left, refreshed or not.
        QCOMPARE(child<QLabel>(*view, "DBconf")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(*view, "DBnconf")->text(), QStringLiteral("1"));
        QCOMPARE(child<QLabel>(*view, "Label8")->text(), QStringLiteral("75.0 %"));
        QCOMPARE(data->value("SELECT conf || '/' || nconf FROM RIEP"), QStringLiteral("3/1"));
        QTest::mouseClick(button("B50"), Qt::LeftButton);
        QCOMPARE(services->prompter.messages.value(services->prompter.messages.size() - 1),
                 QStringLiteral("No DOKs confirmed on this band !"));
        QCOMPARE(statusText(), QString());
        QVERIFY(services->prompter.unexpectedQuestions.isEmpty());
    }

    void toggleGroupKeepsAtMostOneButtonDown()
    {
        addLog();
        showMain();
        openView();
        const auto down = [&] {
            QStringList names;
            for (QPushButton *b : view->findChildren<QPushButton *>()) {
                if (b->isChecked())
                    names << b->objectName();
            }
            return names;
        };
        QCOMPARE(down(), QStringList{"B14"});
        button("Button1")->click();
        QCOMPARE(down(), QStringList{"Button1"});
        button("Button3")->click();
        QCOMPARE(down(), QStringList{"Button3"});
        button("B7")->click();
        QCOMPARE(down(), QStringList{"B7"});
        button("BCW")->click();
        QCOMPARE(down(), QStringList{"BCW"});
        // Pressing the button that is down raises it and still runs its command.
        button("B14")->click();
        button("B14")->click();
        QCOMPARE(down(), QStringList());
        QCOMPARE(statusText(), QStringLiteral("  2 DOK confirmed on 14 MHz (50.0 %)"));
        QCOMPARE(dm().logbanda.tableName(), QStringLiteral("LOG14"));
    }

    void selectedDokOfTheBandTableIsFollowedInTheDokView()
    {
        addLog();
        showMain();
        openView();
        button("B14")->click();
        QCOMPARE(column(grid("DBGBand"), 0), (QStringList{"A01", "B02"}));
        clickCell(grid("DBGBand"), 1, 1);
        QCOMPARE(dm().dok.text("DOK"), QStringLiteral("B02"));
        QCOMPARE(child<QLabel>(*view, "DBText1")->text(), QStringLiteral("B02"));
        QCOMPARE(child<QLabel>(*view, "DBText3")->text(), QStringLiteral("Ortsverband B02"));
        // While awards print, the marker is "D" and the DOK view stays where it is.
        main->setViewMarker(QLatin1Char('D'));
        clickCell(grid("DBGBand"), 0, 1);
        QCOMPARE(dm().logbanda.text("DOK"), QStringLiteral("A01"));
        QCOMPARE(dm().dok.text("DOK"), QStringLiteral("B02"));
    }

    void releasingTheMouseRemembersTheBand()
    {
        addLog();
        showMain();
        openView();
        button("B3")->click();
        clickCell(grid("DBGBand"), 0, 0);
        QCOMPARE(view->rememberedBand(), QStringLiteral("3"));
        button("BSSB")->click();
        const int row = int(column(grid("DBGBand"), 0).indexOf("B02"));
        clickCell(grid("DBGBand"), row, 0);
        QCOMPARE(view->rememberedBand(), QStringLiteral("14"));
    }

    void detailsMode()
    {
        addLog();
        data->addSavedQso("A01", "28", "SSB", "*");
        showMain();
        openView();
        button("Button1")->click();
        button("Button4")->click();
        QCOMPARE(button("Button4")->text(), QStringLiteral("Hide Details"));
        QCOMPARE(hint::of(control("Button4")), QStringLiteral("Reset the window | Stop showing QSO data by band or mode"));
        QCOMPARE(main->viewMarker(), QLatin1Char('S'));
        QVERIFY(control("Panel5")->isHidden());
        QVERIFY(control("Label2")->isHidden());
        for (const char *name : {"Button1", "Button2", "Button3"})
            QVERIFY(!control(name)->isEnabled());
        QCOMPARE(dm().log.sort(), QStringLiteral("mhz,modo"));
        QCOMPARE(grid("DBGdok")->selectionBehavior(), QAbstractItemView::SelectItems);

        QTableView *dokGrid = grid("DBGdok");
        QTableView *qsos = child<QTableView>(*details, "DBGBand");
        const int a01 = dokRow("A01");
        clickCell(dokGrid, a01, columnTitled(dokGrid, "14"));
        QVERIFY(details->isVisible());
        // Beside the matrix's cells, level with its top, below the menus and the tool bar.
        const QRect cells(dokGrid->viewport()->mapToGlobal(QPoint(0, 0)),
                          QSize(dokGrid->horizontalHeader()->length(), dokGrid->viewport()->height()));
        QVERIFY(!details->frameGeometry().intersects(cells));
        QCOMPARE(details->y(), dokGrid->mapToGlobal(QPoint(0, 0)).y());
        QVERIFY(details->screen()->availableGeometry().contains(details->frameGeometry()));
        QCOMPARE(details->windowTitle(), QStringLiteral("Details for DOK A01 on 14 Mhz"));
        QCOMPARE(dm().log.filter(), QStringLiteral("dok='A01' and banda='14'"));
        QVERIFY(dm().log.isFiltered());
        QCOMPARE(column(qsos, columnTitled(qsos, "MODO")), (QStringList{"CW", "SSB"}));

        clickCell(dokGrid, a01, columnTitled(dokGrid, "3.5"));
        QCOMPARE(details->windowTitle(), QStringLiteral("Details for DOK A01 on 3.5 Mhz"));
        QCOMPARE(column(qsos, columnTitled(qsos, "MHz")), QStringList{"3.5"});

        clickCell(dokGrid, a01, columnTitled(dokGrid, "CW"));
        QCOMPARE(details->windowTitle(), QStringLiteral("Details for DOK A01 on CW Mode"));
        QCOMPARE(column(qsos, columnTitled(qsos, "MHz")), (QStringList{"3.5", "14"}));

        clickCell(dokGrid, a01, columnTitled(dokGrid, "Cf"));
        QCOMPARE(details->windowTitle(), QStringLiteral("Details for DOK A01 on all Bands/Modes"));
        QCOMPARE(column(qsos, columnTitled(qsos, "MHz")), (QStringList{"3.5", "7", "14", "14", "28"}));

        // The 28 MHz QSO is not confirmed: its cell shows "*".
        clickCell(dokGrid, a01, columnTitled(dokGrid, "28"));
        QVERIFY(details->isHidden());

        button("Button4")->click();
        QCOMPARE(button("Button4")->text(), QStringLiteral("Show Details"));
        QCOMPARE(hint::of(control("Button4")), QStringLiteral("Click on the C cells | Show QSO data by band or mode"));
        QCOMPARE(main->viewMarker(), QLatin1Char('N'));
        QVERIFY(control("Panel5")->isVisible());
        QVERIFY(control("Button1")->isEnabled());
        QVERIFY(details->isHidden());
        QCOMPARE(dm().dok.filter(), QString());
        QCOMPARE(dm().log.sort(), QStringLiteral("dok"));
        QCOMPARE(dokGrid->selectionBehavior(), QAbstractItemView::SelectRows);
        // Every DOK shows again: "All records" is the button down, not "Confirmed all band/mode".
        QCOMPARE(dokGrid->model()->rowCount(), 4);
        QVERIFY(!button("Button1")->isChecked());
        QVERIFY(button("Button2")->isChecked());
        QVERIFY(!button("Button3")->isChecked());

        // Outside details mode a click on a cell shows nothing.
        const QString filter = dm().log.filter();
        clickCell(dokGrid, dokRow("A01"), columnTitled(dokGrid, "14"));
        QVERIFY(details->isHidden());
        QCOMPARE(dm().log.filter(), filter);
    }

    void exitLeavesTheViewFromDetailsMode()
    {
        addLog();
        showMain();
        openView();
        button("Button1")->click();
        button("Button4")->click();
        clickCell(grid("DBGdok"), dokRow("B02"), columnTitled(grid("DBGdok"), "Cf"));
        QVERIFY(details->isVisible());
        main->action("Esci1")->trigger();
        QVERIFY(view->isHidden());
        QVERIFY(details->isHidden());
        QCOMPARE(main->viewMarker(), QLatin1Char('N'));
        QCOMPARE(button("Button4")->text(), QStringLiteral("Show Details"));
        QCOMPARE(hint::of(control("Button4")), QStringLiteral("Click on the C cells | Show QSO data by band or mode"));
        QVERIFY(!control("Panel5")->isHidden());
        QCOMPARE(grid("DBGdok")->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(grid("DBGdok")->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(hint::of(main->action("SpeedButton6")), QStringLiteral("Exit | Application terminate"));
        QCOMPARE(statusText(), QString());
        QVERIFY(!statusRaised());
        for (const char *name : {"Compact1", "Nuovo1", "Calcolo1"})
            QVERIFY2(enabled(name), name);
        for (const char *name : {"Modifica1", "Delete1", "Backup1", "Restore1"})
            QVERIFY2(!enabled(name), name);
        QCOMPARE(dm().dok.filter(), QString());
        QCOMPARE(dm().log.sort(), QStringLiteral("dok"));
    }

    void gridsShowTheirColumns()
    {
        addLog();
        showMain();
        openView();
        const auto titles = [](QTableView *table) {
            QStringList out;
            for (int i = 0; i < table->model()->columnCount(); ++i)
                out << table->model()->headerData(i, Qt::Horizontal).toString();
            return out;
        };
        QCOMPARE(titles(grid("DBGBand")), (QStringList{"DOK", "CALL", "MHz", "MODO", "DATE", "Cf", "QTH"}));
        QCOMPARE(titles(grid("DBGdok")), (QStringList{"DOK", "Cf", "50", "28", "24", "21", "18", "14", "10", "7", "3.5",
                                                      "1.8", "144", "433", "SSB", "CW", "TTY", "PSK", "FM"}));
        QCOMPARE(titles(child<QTableView>(*details, "DBGBand")),
                 (QStringList{"DOK", "CALL", "MHz", "MODO", "DATA", "Cf", "QTH"}));
        QCOMPARE(column(grid("DBGBand"), 1), (QStringList{"DL1ABC", "DL1ABC"}));
        QCOMPARE(column(grid("DBGBand"), 6), (QStringList{"BERLIN", "BERLIN"}));
    }

    void theProgramShowsDetailsInTheWindowCreatedAtStart()
    {
        services.reset();
        ProgramFixture program;
        program.db.execute("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                           "VALUES ('DL1ABC', 'BERLIN', '05/03/2004', '14', 'CW', 'A01', 'C', 14)");
        program.db.execute("UPDATE LOG14 SET call='DL1ABC', banda='14', modo='CW', dok='A01', conf='C', num=1");
        program.db.execute("UPDATE INFO SET CALL='IK2ABC'");
        MainWindow &main = program.mainWindow();
        Recalculation(program.dm()).run();
        main.action("speedman")->trigger();
        ManagementView &view = *main.managementView();
        QVERIFY(view.isVisible());
        QCOMPARE(main.statusPanel(1)->text(), QStringLiteral("  1 DOK confirmed on 14 MHz (0.1 %)"));
        child<QPushButton>(view, "Button1")->click();
        child<QPushButton>(view, "Button4")->click();
        auto *dokGrid = child<QTableView>(view, "DBGdok");
        clickCell(dokGrid, 0, columnTitled(dokGrid, "CW"));
        DetailsWindow &window = program.program->details();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Details for DOK A01 on CW Mode"));
        main.action("Esci1")->trigger();
        QVERIFY(window.isHidden());
        QVERIFY(view.isHidden());
    }

    void detailsWindowIsOnTopWithItsOwnTitleStrip()
    {
        data->addDoks({"A01"});
        data->addSavedQso("A01", "14", "SSB", "C");
        LogData &dm = data->open();
        DetailsWindow window(dm);
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        window.setWindowTitle(QStringLiteral("Details for DOK A01 on 14 Mhz"));
        window.move(0, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *caption = child<QLabel>(window, "Caption");
        QCOMPARE(caption->text(), QStringLiteral("Details for DOK A01 on 14 Mhz"));
        QVERIFY(caption->isVisible());

        // Every column shows its longest text whole.
        auto *grid = child<QTableView>(window, "DBGBand");
        for (int c = 0; c + 1 < grid->model()->columnCount(); ++c) {
            const QString text = grid->model()->index(0, c).data().toString();
            QVERIFY2(grid->columnWidth(c) >= grid->fontMetrics().horizontalAdvance(text), qPrintable(text));
        }
        QVERIFY2(window.width() >= grid->horizontalHeader()->length(),
                 qPrintable(QStringLiteral("%1 %2 at %3 screen %4").arg(window.width()).arg(grid->horizontalHeader()->length()).arg(window.x()).arg(window.screen()->availableGeometry().width())));

        // Dragging the title strip moves the window by as much.
        const QPoint start = window.pos();
        const QPoint grab = caption->rect().center();
        QTest::mousePress(caption, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(40, 25)), QPointF(caption->mapToGlobal(grab + QPoint(40, 25))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(caption, &move);
        QTest::mouseRelease(caption, Qt::LeftButton, {}, grab + QPoint(40, 25));
        QCOMPARE(window.pos(), start + QPoint(40, 25));
    }
};

QTEST_MAIN(ManagementViewTest)
#include "tst_managementview.moc"
