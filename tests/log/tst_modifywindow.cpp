#include "controls.h"
#include "managementview.h"
#include "modifybook.h"
#include "modifywindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

namespace {

// Two QSOs of DL1ABC on different bands, one of DK7XY; ids in call order are 3, 1, 2.
QString threeQsos()
{
    return savedQso(1, QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DL1ABC"))
        + savedQso(2, QStringLiteral("B05"), QStringLiteral("21"), QStringLiteral("CW"), QStringLiteral("DL1ABC"), QStringLiteral("07/04/2010"))
        + savedQso(3, QStringLiteral("A02"), QStringLiteral("7"), QStringLiteral("FM"), QStringLiteral("DK7XY"), QStringLiteral("01/02/2003"));
}

// The panel's fields, found by name.
struct ModifyForm
{
    explicit ModifyForm(ModifyWindow *window)
        : window(window),
          Edicall(child<QLineEdit>(*window, "Edicall")),
          Edidok(child<QLineEdit>(*window, "Edidok")),
          grid(child<QTableView>(*window, "DBGBand")),
          panel(child(*window, "Panel6")),
          call(child<QLineEdit>(*window, "call")),
          dok(child<QLineEdit>(*window, "dok")),
          mhz(child<QComboBox>(*window, "mhz")),
          modo(child<QComboBox>(*window, "modo")),
          Ged(child<QLineEdit>(*window, "Ged")),
          Med(child<QLineEdit>(*window, "Med")),
          Aed(child<QLineEdit>(*window, "Aed")),
          loc(child<QLineEdit>(*window, "loc")),
          status(child<QComboBox>(*window, "status")),
          Labsaved(child<QLabel>(*window, "Labsaved"))
    {
    }

    void searchByCall(const QString &text)
    {
        QTest::mouseClick(child<QPushButton>(*window, "modCall"), Qt::LeftButton);
        QTest::keyClicks(Edicall, text);
    }
    void searchByDok(const QString &text)
    {
        QTest::mouseClick(child<QPushButton>(*window, "ModDOK"), Qt::LeftButton);
        QTest::keyClicks(Edidok, text);
    }
    void clickRow(int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 1)).center());
    }
    void exit() { QTest::mouseClick(child<QPushButton>(*window, "SpeedButton1"), Qt::LeftButton); }
    QStringList texts() const
    {
        return {call->text(), dok->text(), mhz->currentText(), modo->currentText(), Ged->text(),
                Med->text(),  Aed->text(), loc->text(),        status->currentText()};
    }

    ModifyWindow *window;
    QLineEdit *Edicall;
    QLineEdit *Edidok;
    QTableView *grid;
    QWidget *panel;
    QLineEdit *call;
    QLineEdit *dok;
    QComboBox *mhz;
    QComboBox *modo;
    QLineEdit *Ged;
    QLineEdit *Med;
    QLineEdit *Aed;
    QLineEdit *loc;
    QComboBox *status;
    QLabel *Labsaved;
};

} // namespace

class ModifyWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void theWindowOpensIdle()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            QCOMPARE(window->windowTitle(), "Modify QSOs");
            ModifyForm form(window);
            QVERIFY(!form.grid->isEnabled());
            QVERIFY(!form.panel->isEnabled());
            QVERIFY(!form.Edicall->isEnabled());
            QVERIFY(!form.Edidok->isEnabled());
            QVERIFY(form.Labsaved->isHidden());
            QCOMPARE(form.grid->model()->headerData(2, Qt::Horizontal).toString(), "MHz");
            QCOMPARE(form.grid->model()->headerData(4, Qt::Horizontal).toString(), "DATE");
            QCOMPARE(form.grid->model()->headerData(5, Qt::Horizontal).toString(), "Cf");
        });
    }

    void aSearchFollowsTheTyping_data()
    {
        QTest::addColumn<bool>("byCall");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("call prefix in lower case") << true << "dl1"
            << QStringList{"DL1ABC", "A01", "14", "SSB", "05", "03", "2009", "BERLIN", "C"};
        QTest::newRow("whole call") << true << "DK7XY"
            << QStringList{"DK7XY", "A02", "7", "FM", "01", "02", "2003", "BERLIN", "C"};
        QTest::newRow("DOK") << false << "b0"
            << QStringList{"DL1ABC", "B05", "21", "CW", "07", "04", "2010", "BERLIN", "C"};
    }

    void aSearchFollowsTheTyping()
    {
        QFETCH(bool, byCall);
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            byCall ? form.searchByCall(typed) : form.searchByDok(typed);
            QVERIFY(form.panel->isEnabled());
            QCOMPARE(form.texts(), shown);
        });
    }

    // Ctrl+F, which opened the window, starts the search by callsign.
    void theFindKeySearchesByCall()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            QTest::keySequence(window, QKeySequence(Qt::CTRL | Qt::Key_F));
            QVERIFY(form.Edicall->isEnabled());
            QCOMPARE(QApplication::focusWidget(), form.Edicall);
            QTest::keyClicks(form.Edicall, "dk7");
            QCOMPARE(form.call->text(), "DK7XY");
        });
    }

    void aSearchThatFindsNothingOrOnlyBlanksDisablesThePanel()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByCall(QStringLiteral("DL"));
            QVERIFY(form.panel->isEnabled());
            QTest::keyClicks(form.Edicall, QStringLiteral("Q"));
            QVERIFY(!form.panel->isEnabled());
            form.Edicall->selectAll();
            QTest::keyClicks(form.Edicall, QStringLiteral("  "));
            QVERIFY(!form.panel->isEnabled());
            QCOMPARE(form.call->text(), "DK7XY"); // the first row in callsign order
        });
    }

    void aGridClickShowsTheClickedQso()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            QTest::mouseClick(child<QPushButton>(*window, "modCall"), Qt::LeftButton);
            form.clickRow(2); // the second QSO of DL1ABC
            QCOMPARE(form.Edicall->text(), "DL1ABC");
            QVERIFY(form.panel->isEnabled());
            QCOMPARE(form.texts(), (QStringList{"DL1ABC", "B05", "21", "CW", "07", "04", "2010", "BERLIN", "C"}));
        });
    }

    void aGridClickBeforeASearchChangesNothing()
    {
        ModifyBook book(threeQsos());
        const QString before = book.db.content();
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            const QStringList shown = form.texts();
            form.clickRow(2);
            QCOMPARE(form.texts(), shown);
            QVERIFY(!form.panel->isEnabled());
            QCOMPARE(form.Edicall->text(), QString());
        });
        QCOMPARE(book.db.content(), before);
    }

    void aChangedFieldIsWrittenWhenLeft()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByCall(QStringLiteral("DK7"));
            retype(form.loc, QStringLiteral("kiel"));
            QCOMPARE(form.loc->text(), "KIEL");
            QVERIFY(form.Labsaved->isHidden());
            leave(form.loc);
            QVERIFY(form.Labsaved->isVisible());
            QCOMPARE(book.value("SELECT loc FROM LOG WHERE id=3"), "KIEL");
            QCOMPARE(book.value("SELECT loc FROM LOG7 WHERE num=3"), "KIEL");
            QCOMPARE(book.value("SELECT loc FROM LOGFM WHERE num=3"), "KIEL");
            QCOMPARE(book.services.sound.played, QStringList{"saved.wav"});
            QTRY_VERIFY_WITH_TIMEOUT(form.Labsaved->isHidden(), 3000);
        });
    }

    void anUnchangedFieldWritesNothing()
    {
        ModifyBook book(threeQsos());
        const QString before = book.db.content();
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByCall(QStringLiteral("DK7"));
            retype(form.call, QStringLiteral("DK7XY"));
            leave(form.call);
            QVERIFY(form.Labsaved->isHidden());
        });
        QCOMPARE(book.db.content(), before);
        QVERIFY(book.services.sound.played.isEmpty());
    }

    void noSoundWhenSoundsAreOff()
    {
        ModifyBook book(threeQsos());
        book.dm->soundOn = false;
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByCall(QStringLiteral("DK7"));
            retype(form.loc, QStringLiteral("KIEL"));
            leave(form.loc);
            QVERIFY(form.Labsaved->isVisible());
        });
        QVERIFY(book.services.sound.played.isEmpty());
    }

    void statusChangeFollowsIntoTheCells()
    {
        ModifyBook book(threeQsos() + "UPDATE DOK SET SSB='A' WHERE DOK='A01';");
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            retype(form.status, QStringLiteral("*"));
            leave(form.status);
        });
        QCOMPARE(book.value("SELECT conf FROM LOG WHERE id=1"), "*");
        QCOMPARE(book.value("SELECT conf FROM LOG14 WHERE num=1"), "*");
        QCOMPARE(book.value("SELECT conf FROM LOGSSB WHERE num=1"), "*");
        QCOMPARE(book.value("SELECT T14 || SSB14 || SSB || CONF FROM DOK WHERE DOK='A01'"), "**AC");
    }

    void aDokChangeCarriesTheTableRows()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A02"));
            retype(form.dok, QStringLiteral("c01"));
            leave(form.dok);
        });
        QCOMPARE(book.value("SELECT dok FROM LOG WHERE id=3"), "C01");
        QCOMPARE(book.value("SELECT dok FROM LOG7 WHERE num=3"), "C01");
        QCOMPARE(book.value("SELECT dok FROM LOGFM WHERE num=3"), "C01");
        QCOMPARE(book.value("SELECT T7 || FM7 || FM FROM DOK WHERE DOK='C01'"), "CCC");
        QCOMPARE(book.value("SELECT T7 || FM7 || FM FROM DOK WHERE DOK='A02'"), "CCC");
    }

    void aBandPickedFromTheListMovesTheQso()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            pickItem(form.mhz, QStringLiteral("21"));
            QTRY_COMPARE(QApplication::focusWidget(), form.modo);
            QVERIFY(form.Labsaved->isVisible());
        });
        QCOMPARE(book.value("SELECT banda FROM LOG WHERE id=1"), "21");
        QCOMPARE(book.value("SELECT count(*) || dok FROM LOG14"), "1*");
        QCOMPARE(book.value("SELECT group_concat(dok || ':' || num) FROM LOG21"), "B05:2,A01:1");
        QCOMPARE(book.value("SELECT T21 || SSB21 || SSB || T14 || SSB14 FROM DOK WHERE DOK='A01'"), "CCCCC");
    }

    void aTypedBandIsCompletedOrReverted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("band");
        QTest::addColumn<bool>("movedOn");
        QTest::newRow("begins one band") << "5" << "50" << true;
        QTest::newRow("whole band") << "21" << "21" << true;
        QTest::newRow("begins three bands") << "2" << "14" << false;
        QTest::newRow("begins four bands") << "1" << "14" << false;
        QTest::newRow("emptied") << "" << "14" << false;
    }

    void aTypedBandIsCompletedOrReverted()
    {
        QFETCH(QString, typed);
        QFETCH(QString, band);
        QFETCH(bool, movedOn);
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            retype(form.mhz, typed);
            QCOMPARE(QApplication::focusWidget() == form.modo, movedOn);
            if (!movedOn)
                leave(form.mhz);
            QCOMPARE(form.mhz->currentText(), band);
            QVERIFY(book.services.prompter.messages.isEmpty());
        });
        QCOMPARE(book.value("SELECT banda FROM LOG WHERE id=1"), band);
        QCOMPARE(book.value("SELECT count(*) FROM LOG WHERE banda NOT IN ('14', '21', '7', '50')"), "0");
    }

    void aTypedModeIsCompleted()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            retype(form.modo, QStringLiteral("r"));
            QCOMPARE(form.modo->currentText(), "RTTY");
            QCOMPARE(QApplication::focusWidget(), form.Ged);
        });
        QCOMPARE(book.value("SELECT modo FROM LOG WHERE id=1"), "RTTY");
        QCOMPARE(book.value("SELECT dok || num FROM LOGRTTY"), "A011");
        QCOMPARE(book.value("SELECT dok FROM LOGSSB"), "*");
    }

    void aValueOfNoItemIsRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("band") << "mhz" << "6" << "14";
        QTest::newRow("mode") << "modo" << "X" << "SSB";
        QTest::newRow("status") << "status" << "Q" << "C";
    }

    void aValueOfNoItemIsRefused()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ModifyBook book(threeQsos());
        const QString before = book.db.content();
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            auto *list = child<QComboBox>(*window, box);
            retype(list, typed);
            QCOMPARE(book.services.prompter.messages, QStringList{"The value " + typed + " is not allowed!"});
            QCOMPARE(list->currentText(), kept);
            leave(list);
        });
        QCOMPARE(book.db.content(), before);
    }

    void aLetterInTheBandBoxIsDroppedWithABeep()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            clickInto(form.mhz);
            QTest::keyClick(form.mhz, Qt::Key_End);
            QTest::keyClicks(form.mhz, QStringLiteral("x"));
            QCOMPARE(book.services.prompter.beeps, 1);
            QCOMPARE(form.mhz->currentText(), "14");
        });
    }

    void anInvalidDayOrMonthIsEmptied_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("day 32") << "Ged" << "32" << "Invalid Day!";
        QTest::newRow("day 00") << "Ged" << "00" << "Invalid Day!";
        QTest::newRow("month 13") << "Med" << "13" << "Invalid Month!";
        QTest::newRow("month 00") << "Med" << "00" << "Invalid Month!";
    }

    void anInvalidDayOrMonthIsEmptied()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            auto *edit = child<QLineEdit>(*window, field);
            retype(edit, typed);
            QCOMPARE(book.services.prompter.messages, QStringList{message});
            QCOMPARE(book.services.prompter.beeps, 1);
            QCOMPARE(edit->text(), QString());
            QCOMPARE(QApplication::focusWidget(), edit);
            leave(edit);
        });
        // Left empty, it names no day of the calendar: nothing is written.
        QCOMPARE(book.value("SELECT data FROM LOG WHERE id=1"), "05/03/2009");
    }

    void anImpossibleDateIsNotWritten_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        // Each field is written as it is left while the date it makes exists (31/03/2009 on the way).
        QTest::newRow("31 February") << "31" << "02" << "2025"
                                     << "The Date 31/02/2025 does not exist: please correct the day or the month."
                                     << "Ged" << "31/03/2009";
        QTest::newRow("two-digit year") << "01" << "04" << "25"
                                        << "The year of the Date needs four digits (dd/mm/yyyy)." << "Aed"
                                        << "01/04/2009";
    }

    void anImpossibleDateIsNotWritten()
    {
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, message);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            retype(form.Ged, day);
            QCOMPARE(QApplication::focusWidget(), form.Med);
            QTest::keyClicks(form.Med, month);
            QCOMPARE(QApplication::focusWidget(), form.Aed);
            QTest::keyClicks(form.Aed, year);
            if (year.size() < 4)
                leave(form.Aed);
            // Within the date nothing is said yet; leaving it tells and takes the user back.
            QTRY_COMPARE(book.services.prompter.messages, QStringList{message});
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), field);
            QCOMPARE(book.value("SELECT data FROM LOG WHERE id=1"), stored);
            // Corrected, the date is written as usual.
            retype(form.Ged, QStringLiteral("01"));
            QTest::keyClicks(form.Med, QStringLiteral("04"));
            QTest::keyClicks(form.Aed, QStringLiteral("2025"));
            QTRY_COMPARE(book.value("SELECT data FROM LOG WHERE id=1"), "01/04/2025");
        });
    }

    void theDateIsPaddedAndMovesTheFocusOn()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            retype(form.Ged, QStringLiteral("7"));
            leave(form.Ged);
            QCOMPARE(book.value("SELECT data FROM LOG WHERE id=1"), "07/03/2009");
            QCOMPARE(QApplication::focusWidget(), form.Med);
            QTest::keyClick(form.Med, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(form.Med, QStringLiteral("11"));
            QCOMPARE(QApplication::focusWidget(), form.Aed);
            QTest::keyClick(form.Aed, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(form.Aed, QStringLiteral("2011"));
            QCOMPARE(QApplication::focusWidget(), form.loc);
        });
        QCOMPARE(book.value("SELECT data FROM LOG WHERE id=1"), "07/11/2011");
        QCOMPARE(book.value("SELECT data FROM LOG14 WHERE num=1"), "07/11/2011");
        QCOMPARE(book.value("SELECT data FROM LOGSSB WHERE num=1"), "07/11/2011");
    }

    void enterMovesTheFocusOnAndBackFromTheStatus()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("A01"));
            clickInto(form.loc);
            QTest::keyClick(form.loc, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form.status);
            QTest::keyClick(form.status, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form.call);
            QVERIFY(window->isVisible());
        });
    }

    void exitWritesTheFieldInEditAndShowsTheQsosBand()
    {
        ModifyBook book(threeQsos());
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByDok(QStringLiteral("B05"));
            retype(form.loc, QStringLiteral("KIEL"));
            form.exit();
            QVERIFY(!window->isVisible());
        });
        QCOMPARE(book.value("SELECT loc FROM LOG WHERE id=2"), "KIEL");
        QCOMPARE(book.value("SELECT loc FROM LOG21 WHERE num=2"), "KIEL");
        ManagementView *view = book.main->managementView();
        QVERIFY(child<QPushButton>(*view, "B21")->isChecked());
        QVERIFY(!child<QPushButton>(*view, "B14")->isChecked());
        QCOMPARE(child<QLabel>(*view, "Label2")->text(), "DOK on 21 MHz");
        QCOMPARE(column(child<QTableView>(*view, "DBGBand"), 0), QStringList{"B05"});
        QCOMPARE(book.dm->log.sort(), "dok");
        QVERIFY(book.dm->log.isFiltered());
        QVERIFY(book.dm->logbanda.isFiltered());
        QVERIFY(book.dm->logmodo.isFiltered());
    }

    void aFailingWriteBackIsShownAndChangesNothing()
    {
        ModifyBook book(threeQsos());
        book.db.execute("CREATE TRIGGER refuse BEFORE UPDATE ON LOGFM BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        const QString before = book.db.content();
        book.modify([&](ModifyWindow *window) {
            ModifyForm form(window);
            form.searchByCall(QStringLiteral("DK7"));
            retype(form.loc, QStringLiteral("KIEL"));
            leave(form.loc);
            QCOMPARE(book.services.prompter.errors.size(), 1);
            QVERIFY2(book.services.prompter.errors.first().contains("disk full"), qPrintable(book.services.prompter.errors.first()));
            QVERIFY(form.Labsaved->isHidden());
            QCOMPARE(form.loc->text(), "BERLIN");
            QCOMPARE(book.db.content(), before);
            // The window goes on working.
            book.db.execute("DROP TRIGGER refuse");
            retype(form.loc, QStringLiteral("KIEL"));
            leave(form.loc);
            QVERIFY(form.Labsaved->isVisible());
        });
        QCOMPARE(book.value("SELECT loc FROM LOGFM WHERE num=3"), "KIEL");
    }
};

QTEST_MAIN(ModifyWindowTest)
#include "tst_modifywindow.moc"
