#include "awardfixture.h"
#include "awardwindow.h"
#include "controls.h"
#include "datamodule.h"
#include "mainwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString maxMessage = QStringLiteral("You can claim 5 awards max each time!");
const QString claimedMessage = QStringLiteral("This Award has been already claimed");
const QString notEnoughMessage = QStringLiteral("You have not enough DOKs confirmed in order to claim this Award");
const QString claimQuestion = QStringLiteral("Mark these awards as claimed?");
const QString accreditQuestion = QStringLiteral("Mark these QSOs accredited?");

} // namespace

class AwardWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AwardFixture> f;

    QPushButton *button(const char *name) { return child<QPushButton>(f->window(), name); }
    QString summary() { return child<QLabel>(f->window(), "Label3")->text(); }
    QListWidget *list() { return child<QListWidget>(f->window(), "ListBox1"); }
    QComboBox *type() { return child<QComboBox>(f->window(), "Appl"); }
    void selectEntry(int index)
    {
        QListWidget *box = list();
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(index)).center());
    }
    // The three awards of a typical application, all claimable.
    void chooseThree()
    {
        f->setMark(200, "14", "To claim");
        f->setMark(100, "1", "To claim");
        f->setMark(300, "CW", "To claim");
        f->openWindow();
        f->clickCell(200, "14");
        f->clickCell(100, "1.8");
        f->clickCell(300, "CW");
    }

private slots:
    void init() { f = std::make_unique<AwardFixture>(); }
    void cleanup() { f.reset(); }

    // The commands look like buttons, so a disabled one shows as disabled; the link that opens
    // the award's choice looks like a link.
    void buttonsLookLikeButtonsAndTheLinkLikeALink()
    {
        f->openWindow();
        for (const char *name : {"Butdel", "Butprep", "ButExport", "Button2", "ButAccredit"})
            QVERIFY2(!child<QPushButton>(f->window(), name)->isFlat(), name);
        QVERIFY(!child<QPushButton>(f->window(), "ButAccredit")->isEnabled());
        auto *choose = child<QPushButton>(f->window(), "Choose");
        QCOMPARE(choose->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(choose->styleSheet().contains("underline"));
    }

    void opensWithTheGridOfTheLastRefresh()
    {
        f->setMark(100, "14", "Claimed");
        f->setMark(200, "14", "To claim");
        f->setMark(300, "RTTY", "To claim");
        f->setMark(1000, "433", "");
        AwardWindow &window = f->openWindow();
        QCOMPARE(window.windowTitle(), QString("WZP Diplome Print"));
        auto *grid = child<QTableWidget>(window, "Grid");
        QCOMPARE(grid->columnCount(), 18);
        QCOMPARE(grid->rowCount(), 11);
        QStringList header;
        for (int column = 0; column < 18; ++column)
            header << f->cell(0, column);
        QCOMPARE(header, QStringList({"WZP", "1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144",
                                      "433", "SSB", "CW", "TTY", "PSK", "FM"}));
        QStringList levels;
        for (int row = 1; row <= 10; ++row)
            levels << f->cell(row, 0);
        QCOMPARE(levels, QStringList({"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000"}));
        QCOMPARE(f->cell(1, 5), QString("C"));
        QCOMPARE(f->cell(2, 5), QString("T"));
        QCOMPARE(f->cell(3, 15), QString("T"));
        QCOMPARE(f->cell(10, 12), QString());
        QCOMPARE(f->cell(3, 5), QString("*"));
        QCOMPARE(grid->columnWidth(3), 28);
        QCOMPARE(grid->rowHeight(3), 18);
        QVERIFY(!button("Butdel")->isEnabled());
        QVERIFY(!button("Butprep")->isEnabled());
        QCOMPARE(summary(), QString("WZP"));
        QCOMPARE(type()->currentText(), QString("New Application"));
        QCOMPARE(list()->count(), 0);
        QCOMPARE(list()->toolTip(), QString("Select to modify"));
        QVERIFY(!(grid->item(0, 3)->flags() & Qt::ItemIsSelectable));
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus(Qt::TabFocusReason); // coming into the grid chooses nothing
        QVERIFY(grid->hasFocus());
        QCOMPARE(list()->count(), 0);
        QVERIFY(f->services.prompter.messages.isEmpty());
    }

    void acceptedCellAddsItsEntry_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("entry");
        QTest::newRow("band") << 300 << "14" << "14" << "To claim" << "WZP_300 , 14 mhz - New Application";
        QTest::newRow("1.8") << 100 << "1" << "1.8" << "To claim" << "WZP_100 , 1.8 mhz - New Application";
        QTest::newRow("mode") << 100 << "CW" << "CW" << "To claim" << "WZP_100 , CW mod - New Application";
        QTest::newRow("TTY") << 200 << "RTTY" << "TTY" << "To claim" << "WZP_200 , TTY mod - New Application";
        QTest::newRow("empty cell") << 1000 << "433" << "433" << "" << "WZP_1000 , 433 mhz - New Application";
    }

    void acceptedCellAddsItsEntry()
    {
        QFETCH(int, level);
        QFETCH(QString, stored);
        QFETCH(QString, header);
        QFETCH(QString, mark);
        QFETCH(QString, entry);
        f->setMark(level, stored, mark);
        f->openWindow();
        f->clickCell(level, header);
        QCOMPARE(f->entries(), QStringList{entry});
        QCOMPARE(child<QGroupBox>(f->window(), "GroupBox1")->title(), "WZP_" + QString::number(level));
        QCOMPARE(summary(), "WZP_" + QString::number(level));
        QVERIFY(f->services.prompter.messages.isEmpty());
        QVERIFY(button("Butdel")->isEnabled());
        QVERIFY(button("Butprep")->isEnabled());
    }

    void refusedCellChangesNothing_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("entriesBefore");
        QTest::addColumn<QString>("message");
        QTest::newRow("claimed") << "Claimed" << 0 << claimedMessage;
        QTest::newRow("not enough") << "*" << 0 << notEnoughMessage;
        QTest::newRow("claimed after one entry") << "Claimed" << 1 << claimedMessage;
        QTest::newRow("five entries, claimed cell") << "Claimed" << 5 << maxMessage;
        QTest::newRow("five entries, claimable cell") << "To claim" << 5 << maxMessage;
    }

    void refusedCellChangesNothing()
    {
        QFETCH(QString, mark);
        QFETCH(int, entriesBefore);
        QFETCH(QString, message);
        f->setMark(500, "21", mark);
        f->setMark(100, "7", "To claim");
        f->openWindow();
        for (int i = 0; i < entriesBefore; ++i)
            f->clickCell(100, "7");
        const QStringList before = f->entries();
        const QString summaryBefore = summary();
        f->clickCell(500, "21");
        QCOMPARE(f->services.prompter.messages, QStringList{message});
        QCOMPARE(f->entries(), before);
        QCOMPARE(summary(), summaryBefore);
        QVERIFY(button("Butdel")->isEnabled());
        QVERIFY(button("Butprep")->isEnabled());
        QCOMPARE(f->cell(5, f->gridColumn("21")), mark.left(1));
    }

    void sameCellTwiceGivesTwoEntriesAndTwoPrintouts()
    {
        f->setMark(200, "14", "To claim");
        f->openWindow();
        f->clickCell(200, "14");
        f->clickCell(200, "14");
        const QString entry = "WZP_200 , 14 mhz - New Application";
        QCOMPARE(f->entries(), QStringList({entry, entry}));
        QCOMPARE(summary(), QString("WZP_200"));
        f->services.prompter.answer(false);
        button("Butprep")->click();
        QCOMPARE(int(f->printouts.size()), 2);
        QCOMPARE(f->printouts[0].entry, entry);
        QCOMPARE(f->printouts[1].entry, entry);
    }

    void keyboardSelectionCounts()
    {
        f->setMark(200, "14", "To claim");
        f->setMark(200, "18", "To claim");
        f->openWindow();
        f->clickCell(200, "14");
        QTest::keyClick(child<QTableWidget>(f->window(), "Grid"), Qt::Key_Right);
        QCOMPARE(f->entries(),
                 QStringList({"WZP_200 , 14 mhz - New Application", "WZP_200 , 18 mhz - New Application"}));
    }

    void summaryListsEachLevelOnce()
    {
        f->setMark(1000, "14", "To claim");
        f->setMark(100, "14", "To claim");
        f->setMark(100, "CW", "To claim");
        f->openWindow();
        f->clickCell(1000, "14");
        f->clickCell(100, "14");
        QCOMPARE(summary(), QString("WZP_1000_100"));
        f->clickCell(100, "CW");
        QCOMPARE(summary(), QString("WZP_1000_100"));
    }

    void typedTypeGoesIntoNewEntries()
    {
        f->setMark(200, "14", "To claim");
        f->openWindow();
        QLineEdit *edit = type()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "Second endorsement of the year");
        QCOMPARE(type()->currentText(), QString("Second endorsem"));
        f->clickCell(200, "14");
        QCOMPARE(f->entries(), QStringList{"WZP_200 , 14 mhz - Second endorsem"});
    }

    void endorsementOnTheSelectedEntryResortsTheList()
    {
        chooseThree();
        QCOMPARE(summary(), QString("WZP_200_100_300"));
        selectEntry(1);
        QCOMPARE(list()->selectedItems().size(), 1);
        QTest::keyClick(type(), Qt::Key_Down); // "New Application" -> "Endorsement"
        QCOMPARE(type()->currentText(), QString("Endorsement"));
        QCOMPARE(f->entries(), QStringList({"WZP_100 , 1.8 mhz - Endorsement", "WZP_200 , 14 mhz - New Application",
                                            "WZP_300 , CW mod - New Application"}));
        QVERIFY(list()->selectedItems().isEmpty());
        QCOMPARE(summary(), QString("WZP_200_100_300"));
        selectEntry(0);
        QCOMPARE(type()->currentText(), QString("Endorsement"));
        selectEntry(1);
        QCOMPARE(type()->currentText(), QString("New Application"));
        QCOMPARE(f->entries()[0], QString("WZP_100 , 1.8 mhz - Endorsement"));
    }

    void deleteDownToNone()
    {
        chooseThree();
        selectEntry(0);
        button("Butdel")->click();
        QCOMPARE(f->entries(), QStringList({"WZP_100 , 1.8 mhz - New Application", "WZP_300 , CW mod - New Application"}));
        QCOMPARE(summary(), QString("WZP_100_300"));
        selectEntry(1);
        button("Butdel")->click();
        QCOMPARE(f->entries(), QStringList{"WZP_100 , 1.8 mhz - New Application"});
        QCOMPARE(summary(), QString("WZP_100"));
        QVERIFY(button("Butdel")->isEnabled());
        QVERIFY(button("Butprep")->isEnabled());
        list()->clearSelection();
        button("Butdel")->click(); // nothing selected: nothing removed
        QCOMPARE(f->entries().size(), 1);
        selectEntry(0);
        button("Butdel")->click();
        QVERIFY(f->entries().isEmpty());
        QCOMPARE(summary(), QString("WZP"));
        QCOMPARE(child<QGroupBox>(f->window(), "GroupBox1")->title(), QString());
        QVERIFY(!button("Butdel")->isEnabled());
        QVERIFY(!button("Butprep")->isEnabled());
        QVERIFY(!button("ButExport")->isEnabled());
    }

    void prepareShowsOnePrintoutPerEntryOnItsView()
    {
        chooseThree();
        f->addRows("LOG14", 3);
        f->services.prompter.answer(false);
        button("Butprep")->click();
        QCOMPARE(int(f->printouts.size()), 3);
        QCOMPARE(f->printouts[0].entry, QString("WZP_200 , 14 mhz - New Application"));
        QCOMPARE(f->printouts[0].bandTable, QString("LOG14"));
        QCOMPARE(f->printouts[0].bandFilter, QString("conf='C'"));
        QCOMPARE(f->printouts[1].bandTable, QString("LOG1"));
        QCOMPARE(f->printouts[2].modeTable, QString("LOGCW"));
        QCOMPARE(f->printouts[2].modeFilter, QString("conf='C'"));
        for (const auto &printout : f->printouts) {
            QVERIFY(!printout.clockActive);
            QCOMPARE(printout.marker, QChar('D'));
        }
        QCOMPARE(f->services.prompter.questions, QStringList{claimQuestion});
        QVERIFY(!f->mainWindow().clockTimer()->isActive());
        QCOMPARE(f->mainWindow().viewMarker(), QChar('D'));
    }

    // Each listed award's confirmed QSOs go into a file of their own; a cancelled dialog skips one.
    void exportWritesTheQsosOfEachListedAward()
    {
        chooseThree();
        f->addRows("LOG14", 2);
        f->addRows("LOG14", 1, "*", false, 3);
        f->addRows("LOGCW", 1, "C", false, 4);
        f->data.db().execute("INSERT INTO LOG (id, call, loc, data, banda, modo, dok, conf, mhz) VALUES "
                             "(1, 'DL1AB', 'QTH 1', '05/03/2004', '14', 'SSB', 'A0001', 'C', 14),"
                             "(2, 'DL2AB', 'QTH 2', '05/03/2004', '14', 'SSB', 'A0002', 'C', 14),"
                             "(3, 'DL3AB', 'QTH 3', '05/03/2004', '14', 'SSB', 'A0003', '*', 14),"
                             "(4, 'DL4AB', 'QTH 4', '06/03/2004', '14', 'CW', 'A0004', 'C', 14)");
        QVERIFY(button("ButExport")->isEnabled());
        QTemporaryDir folder;
        f->services.desktop.chooseFile(folder.filePath("band.adi"));
        f->services.desktop.chooseFile(QString()); // 1.8 MHz: cancelled
        f->services.desktop.chooseFile(folder.filePath("cw.adi"));
        button("ButExport")->click();

        QCOMPARE(f->services.desktop.dialogCaptions,
                 QStringList({"Export ADIF: WZP_200-14", "Export ADIF: WZP_100-1.8", "Export ADIF: WZP_300-CW"}));
        QCOMPARE(f->services.prompter.messages, QStringList({"QSOs exported: 2", "QSOs exported: 1"}));
        const auto calls = [&](const QString &name) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                return QStringList();
            QStringList found;
            const QRegularExpression call(QStringLiteral("<CALL:\\d+>(\\w+)"), QRegularExpression::CaseInsensitiveOption);
            for (auto match = call.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();)
                found << match.next().captured(1);
            return found;
        };
        QCOMPARE(calls("band.adi"), QStringList({"DL1AB", "DL2AB"}));
        QCOMPARE(calls("cw.adi"), QStringList{"DL4AB"});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList({"band.adi", "cw.adi"}));
    }

    void ttyPointsTheModeViewAtRtty()
    {
        f->setMark(200, "RTTY", "To claim");
        f->openWindow();
        f->clickCell(200, "TTY");
        QCOMPARE(f->entries(), QStringList{"WZP_200 , TTY mod - New Application"});
        f->services.prompter.answer(false);
        button("Butprep")->click();
        QCOMPARE(int(f->printouts.size()), 1);
        QCOMPARE(f->printouts[0].modeTable, QString("LOGRTTY"));
    }

    void prepareWithAnEmptyListPrintsNothing()
    {
        f->setMark(100, "14", "Claimed");
        f->openWindow();
        f->clickCell(100, "14");
        QVERIFY(button("Butprep")->isEnabled());
        button("Butprep")->click();
        QVERIFY(f->printouts.empty());
        QVERIFY(f->services.prompter.questions.isEmpty());
        QVERIFY(!f->mainWindow().clockTimer()->isActive());
        QCOMPARE(f->mainWindow().viewMarker(), QChar('D'));
    }

    void exitRestoresTheViewsTheMarkerAndTheClock()
    {
        chooseThree();
        f->services.prompter.answer(false);
        button("Butprep")->click();
        LogData &dm = f->data.dm();
        button("Button2")->click();
        QVERIFY(!f->window().isVisible());
        QCOMPARE(dm.logbanda.tableName(), QString("LOG1"));
        QCOMPARE(dm.logmodo.tableName(), QString("LOGCW"));
        QCOMPARE(dm.logbanda.filter(), QString());
        QCOMPARE(dm.logmodo.filter(), QString());
        QVERIFY(dm.logbanda.isFiltered());
        QVERIFY(dm.logmodo.isFiltered());
        QCOMPARE(f->mainWindow().viewMarker(), QChar('N'));
        QVERIFY(f->mainWindow().clockTimer()->isActive());
    }

    void claimedAfterTheLastPreview_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void claimedAfterTheLastPreview()
    {
        QFETCH(bool, yes);
        f->setMark(400, "14", "To claim");
        chooseThree();
        f->services.prompter.answer(yes);
        button("Butprep")->click();
        QCOMPARE(f->services.prompter.questions, QStringList{claimQuestion});
        QCOMPARE(f->services.prompter.questionKinds.value(0), Prompter::Question::YesNo);
        const QString expected = yes ? "Claimed" : "To claim";
        QCOMPARE(f->data.value("SELECT \"14\" FROM Diplome WHERE id=2"), expected);
        QCOMPARE(f->data.value("SELECT \"1\" FROM Diplome WHERE id=1"), expected);
        QCOMPARE(f->data.value("SELECT CW FROM Diplome WHERE id=3"), expected);
        QCOMPARE(f->data.value("SELECT \"14\" FROM Diplome WHERE id=4"), QString("To claim"));
        QCOMPARE(f->cell(2, f->gridColumn("14")), expected.left(1));
        QCOMPARE(f->cell(3, f->gridColumn("CW")), expected.left(1));
        QCOMPARE(f->cell(4, f->gridColumn("14")), QString("T"));
    }

    // An application printed now, or one printed and claimed earlier and chosen in the grid; the
    // user says Yes or No to crediting its QSOs.
    void accreditingThePrintedQsos_data()
    {
        QTest::addColumn<bool>("printedNow");
        QTest::addColumn<bool>("yes");
        QTest::newRow("printed now, yes") << true << true;
        QTest::newRow("printed now, no") << true << false;
        QTest::newRow("claimed earlier, yes") << false << true;
        QTest::newRow("claimed earlier, no") << false << false;
    }

    void accreditingThePrintedQsos()
    {
        QFETCH(bool, printedNow);
        QFETCH(bool, yes);
        f->setMark(100, "14", printedNow ? "To claim" : "Claimed");
        f->addRows("LOG14", 3);
        f->addRows("LOG14", 1, "*", false, 4);
        f->data.addDoks({"A0001", "A0002", "A0003", "A0004"});
        f->data.db().execute("INSERT INTO LOG (id, call, loc, data, banda, modo, dok, conf, mhz) "
                             "SELECT num, call, loc, data, banda, modo, dok, conf, 14 FROM LOG14");
        f->openWindow();
        QVERIFY(!button("ButAccredit")->isEnabled());
        f->clickCell(100, "14");
        if (printedNow) {
            f->services.prompter.answer(false); // not marked claimed
            button("Butprep")->click();
            QCOMPARE(f->printouts.size(), size_t(1));
        } else {
            QCOMPARE(f->services.prompter.messages, QStringList{claimedMessage});
        }
        QVERIFY(button("ButAccredit")->isEnabled());
        f->services.prompter.answer(yes);
        button("ButAccredit")->click();
        QCOMPARE(f->services.prompter.questions.last(), accreditQuestion);
        QCOMPARE(f->services.prompter.questionKinds.last(), Prompter::Question::YesNo);
        const QString credited = yes ? "A" : "C";
        QCOMPARE(f->data.value("SELECT group_concat(id||conf) FROM LOG"), "1" + credited + ",2" + credited + ",3" + credited + ",4*");
        QCOMPARE(f->data.value("SELECT group_concat(num||conf) FROM LOG14"), "1" + credited + ",2" + credited + ",3" + credited + ",4*");
        QCOMPARE(f->data.value("SELECT T14||SSB14||SSB FROM DOK WHERE DOK='A0001'"), yes ? QString("AAA") : QString("***"));
        QCOMPARE(f->services.prompter.messages.contains("QSOs accredited: 3"), yes);
    }

    void mainWindowOpensTheWindowModally_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Request1") << "Request1";
        QTest::newRow("SpeedButton2") << "SpeedButton2";
    }

    void mainWindowOpensTheWindowModally()
    {
        QFETCH(QString, command);
        f->setMark(200, "14", "To claim");
        LogData &dm = f->data.open();
        MainWindow main(dm, nullptr);
        QCOMPARE(main.action("Request1")->text(), QString("&Request"));
        QString caption;
        bool modal = false, clockDuringPrint = true;
        QChar markerDuringPrint;
        int printed = 0;
        QTimer::singleShot(0, this, [&] {
            auto *window = qobject_cast<AwardWindow *>(QApplication::activeModalWidget());
            QVERIFY(window);
            modal = window->isModal();
            caption = window->windowTitle();
            window->setPreviewRunner([&](const report::Layout &, const QString &) {
                ++printed;
                clockDuringPrint = main.clockTimer()->isActive();
                markerDuringPrint = main.viewMarker();
            });
            auto *grid = child<QTableWidget>(*window, "Grid");
            const QRect rect = grid->visualRect(grid->model()->index(2, 5));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
            f->services.prompter.answer(false);
            child<QPushButton>(*window, "Butprep")->click();
            child<QPushButton>(*window, "Button2")->click();
        });
        main.action(command)->trigger();
        QVERIFY(modal);
        QCOMPARE(caption, QString("WZP Diplome Print"));
        QCOMPARE(printed, 1);
        QVERIFY(!clockDuringPrint);
        QCOMPARE(markerDuringPrint, QChar('D'));
        QCOMPARE(main.viewMarker(), QChar('N'));
        QVERIFY(main.clockTimer()->isActive());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!main.findChild<AwardWindow *>());
    }
};

QTEST_MAIN(AwardWindowTest)
#include "tst_awardwindow.moc"
