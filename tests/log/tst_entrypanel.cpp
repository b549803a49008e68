#include "controls.h"
#include "entrypanel.h"
#include "faultydisk.h"
#include "hint.h"
#include "logbook.h"
#include "managementview.h"
#include "viewmodel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

QString value(const Logbook &book, const QString &sql)
{
    return book.db.value(sql);
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

ViewModel *modelOf(QTableView *grid)
{
    return qobject_cast<ViewModel *>(grid->model());
}

QString header(QTableView *grid, int column)
{
    return grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

// The DOK column shown in a column of the DOK grid, or "" when it shows none.
QString boundColumn(const Logbook &book, int gridColumn)
{
    const int field = modelOf(book.control<QTableView>("DOKDBG"))->fieldIndex(gridColumn);
    return field < 0 ? QString() : book.dm->dok.columnName(field);
}

// A point of a cell that lies inside the grid, though the cell may be cut at the bottom.
QPoint visiblePoint(QTableView *grid, const QModelIndex &index)
{
    const QRect cell = grid->visualRect(index);
    return {cell.center().x(), cell.top() + 2};
}

const QStringList clearedPanel{"", "14", "SSB", "", "", "", "", ""};

// QSOs of A05 on 14 MHz CW, 7 MHz CW and 21 MHz FM, and one of B01 on 14 MHz SSB.
const char *const workedA05 =
    "INSERT INTO LOG (call, data, banda, modo, dok, conf, mhz) VALUES"
    " ('DL1AA', '01/01/2020', '14', 'CW', 'A05', 'C', 14),"
    " ('DL2BB', '02/01/2020', '7', 'CW', 'A05', 'C', 7),"
    " ('DL3CC', '03/01/2020', '21', 'FM', 'A05', 'C', 21),"
    " ('DL4DD', '04/01/2020', '14', 'SSB', 'B01', 'C', 14)";

} // namespace

class EntryPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void newOpensAnEmptyPanel_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("menu item") << "Nuovo1";
        QTest::newRow("tool button") << "Speednew";
    }

    void newOpensAnEmptyPanel()
    {
        QFETCH(QString, command);
        Logbook book;
        QVERIFY(book.isActive());
        EntryForm form(book);
        QVERIFY(form.panel->isHidden());
        book.main->action(command)->trigger();
        QVERIFY(form.panel->isVisible());
        QVERIFY(book.main->managementView()->isHidden());
        for (const char *name : {"Compact1", "Modifica1", "Speedmod", "Calcolo1", "Calcolo2", "Delete1", "Speeddel",
                                 "Backup1", "SpeedBack", "Restore1", "SpeedRest", "speedman", "Management1"})
            QVERIFY2(!book.main->action(name)->isEnabled(), name);
        QCOMPARE(hint::of(book.main->action("SpeedButton6")), "Close this panel| Exit QSO management");
        QCOMPARE(form.texts(), clearedPanel);
        QVERIFY(form.saveDisabled()); // as the main window left them
        QCOMPARE(focused(), form.dok);
        QCOMPARE(form.callDBG->model()->rowCount(), 0);
        QCOMPARE(header(form.DOKDBG, 3), "14");
        QCOMPARE(boundColumn(book, 3), "T14");
        QCOMPARE(form.DOKDBG->columnWidth(3), 25);
        QCOMPARE(header(form.DOKDBG, 4), "SSB");
        QCOMPARE(boundColumn(book, 4), "SSB");
        QCOMPARE(form.DOKDBG->columnWidth(4), 35);
        for (QLabel *label : {form.nuovo, form.conferm, form.Label3, form.Label10})
            QVERIFY(label->isHidden());
        QCOMPARE(hint::of(form.registra2), " Registra i dati ");
        QCOMPARE(hint::of(form.DOKDBG), "Double Click to edit");
    }

    void theQsoListStartsEmptyAfterARefresh()
    {
        Logbook book("INSERT INTO LOG (call, dok, banda, modo, conf, mhz) VALUES ('DL1AAA', 'A01', '14', 'SSB', 'C', 14)");
        EntryForm form(book);
        // The refresh and summary window switches filtering of LOG off when it closes.
        book.dm->log.setFiltered(false);
        book.main->action("Nuovo1")->trigger();
        QCOMPARE(form.callDBG->model()->rowCount(), 0);
    }

    void theDokGridFollowsTheTypedPrefix()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "a0");
        QCOMPARE(form.dok->text(), "A0");
        QCOMPARE(book.dm->dok.text("DOK"), "A01");
        QCOMPARE(form.DOKDBG->currentIndex().row(), book.dm->dok.position());
        QCOMPARE(form.DOKDBG->model()->index(form.DOKDBG->currentIndex().row(), 0).data().toString(), "A01");
        QVERIFY(form.saveEnabled());
        QVERIFY(form.Label3->isHidden());
        QCOMPARE(focused(), form.dok);

        QTest::keyClicks(form.dok, "1");
        QCOMPARE(focused(), form.mhz);
        QVERIFY(form.saveEnabled());
        QVERIFY(book.services.prompter.questions.isEmpty());
    }

    void aLongTextThatBeginsNoDokIsReportedWhileTyping()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "4QX");
        QVERIFY(form.Label3->isVisible());
        QCOMPARE(form.Label3->text(), "This DOK does not exists or typing error");
        QVERIFY(form.Label10->isVisible());
        QCOMPARE(form.Label10->text(), "(Press 'Return' to add)");
        QCOMPARE(book.services.prompter.beeps, 1);
        QVERIFY(form.saveDisabled());
        QCOMPARE(focused(), form.dok);

        // Enter leaves the field, which offers to add the DOK; Cancel empties the field.
        book.services.prompter.answer(false);
        QTest::keyClick(form.dok, Qt::Key_Return);
        QCOMPARE(book.services.prompter.questions,
                 QStringList{"This DOK does not exists or typing error?\rDo you want to add it, right now?"});
        QCOMPARE(book.services.prompter.questionKinds.value(0), Prompter::Question::YesCancel);
        QCOMPARE(form.dok->text(), "");
        QCOMPARE(focused(), form.dok);
        QVERIFY(form.saveDisabled());
        QCOMPARE(value(book, "SELECT count(*) FROM DOK WHERE DOK='4QX'"), "0");
    }

    void aShortTextThatBeginsNoDokKeepsSavingEnabledUntilItIsLeft()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "4");
        QVERIFY(form.saveEnabled());
        QVERIFY(form.Label3->isHidden());
        QCOMPARE(book.services.prompter.beeps, 0);

        book.services.prompter.answer(false);
        form.call->setFocus();
        QCOMPARE(book.services.prompter.questions.size(), 1);
        QVERIFY(form.saveDisabled());
        QCOMPARE(focused(), form.dok);
    }

    void anotherWindowComingAndGoingIsNoLeavingOfTheField()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "4");
        QWidget other;
        other.show();
        other.activateWindow();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.close();
        book.activate();
        QCOMPARE(focused(), form.dok);
        QCOMPARE(form.dok->text(), "4");
        QVERIFY(book.services.prompter.questions.isEmpty());
    }

    void savingAShortTextThatNamesNoDokChangesNothing()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.call, "DL1ABC");
        for (QLineEdit *date : {form.Ged, form.Med})
            QTest::keyClicks(date, "1");
        QTest::keyClicks(form.Aed, "2020");
        form.dok->setFocus();
        QTest::keyClicks(form.dok, "4"); // the DOK list now stands on its first DOK
        QVERIFY(form.saveEnabled());
        const QStringList typed = form.texts();
        const QString before = book.db.content();

        book.main->action("Speedreg")->trigger(); // a tool button leaves the focus where it is
        QCOMPARE(book.services.prompter.messages, QStringList{"This DOK does not exists or typing error"});
        QVERIFY(book.services.prompter.questions.isEmpty());
        QCOMPARE(book.db.content(), before);
        QCOMPARE(form.texts(), typed);
        QCOMPARE(focused(), form.dok);
    }

    void theFirstQsoOfADokIsStoredAndThePanelCleared_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("panel button") << "registra2";
        QTest::newRow("menu item") << "Registra1";
        QTest::newRow("tool button") << "Speedreg";
    }

    void theFirstQsoOfADokIsStoredAndThePanelCleared()
    {
        QFETCH(QString, control);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("a01", "1.8", "CW", "dl1abc", "5", "3", "2009", "berlin");
        QCOMPARE(form.texts(), (QStringList{"A01", "1.8", "CW", "DL1ABC", "5", "3", "2009", "BERLIN"}));
        QVERIFY(form.nuovo->isVisible());
        if (control == "registra2")
            QTest::mouseClick(form.registra2, Qt::LeftButton);
        else
            book.main->action(control)->trigger();

        QCOMPARE(value(book, "SELECT CW1||T1||CW||CONF||SSB1||T14 FROM DOK WHERE DOK='A01'"), "CCCC**");
        QCOMPARE(value(book, "SELECT count(*) FROM LOG"), "1");
        const QString id = value(book, "SELECT id FROM LOG");
        QCOMPARE(value(book, "SELECT call||'|'||loc||'|'||data||'|'||banda||'|'||modo||'|'||dok||'|'||conf||'|'"
                             "||coalesce(spec,'-')||'|'||mhz FROM LOG"),
                 "DL1ABC|BERLIN|05/03/2009|1.8|CW|A01|C|-|1");
        for (const char *table : {"LOG1", "LOGCW"}) {
            QCOMPARE(value(book, QStringLiteral("SELECT count(*) FROM %1").arg(table)), "1");
            QCOMPARE(value(book, QStringLiteral("SELECT dok||'|'||banda||'|'||num FROM %1").arg(table)), "A01|1.8|" + id);
        }
        QVERIFY(book.services.prompter.messages.isEmpty());
        QVERIFY(book.services.prompter.errors.isEmpty());
        QCOMPARE(form.texts(), clearedPanel);
        QCOMPARE(focused(), form.dok);
        QVERIFY(form.saveEnabled());
        QCOMPARE(form.callDBG->model()->rowCount(), 0);
        QVERIFY(form.nuovo->isHidden());

        // The cleared panel stops a second save at the callsign.
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.messages, QStringList{"You need to write a valid callsign"});
        QCOMPARE(value(book, "SELECT count(*) FROM LOG"), "1");
    }

    void theNextQsoInAnotherModeLeavesTheBandTableAlone()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "1.8", "CW", "DL1ABC");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        const QString log1 = value(book, "SELECT group_concat(call||dok||modo||num) FROM LOG1");
        form.enter("A01", "1.8", "SSB", "DK2XY");
        QVERIFY(form.nuovo->isVisible());
        QTest::mouseClick(form.registra2, Qt::LeftButton);

        QCOMPARE(value(book, "SELECT SSB1||SSB||CW1||T1 FROM DOK WHERE DOK='A01'"), "CCCC");
        QCOMPARE(value(book, "SELECT count(*) FROM LOG"), "2");
        QCOMPARE(value(book, "SELECT group_concat(call||dok||modo||num) FROM LOG1"), log1);
        QCOMPARE(value(book, "SELECT call||'|'||num FROM LOGSSB"), "DK2XY|" + value(book, "SELECT max(id) FROM LOG"));
    }

    void anAccreditedBandCellIsKept()
    {
        Logbook book("UPDATE DOK SET T1='A', CW1='C', CW='C', CONF='C' WHERE DOK='A01'");
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "1.8", "SSB", "DL1ABC");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(value(book, "SELECT T1||SSB1||SSB FROM DOK WHERE DOK='A01'"), "ACC");
    }

    void savingAgainAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes adds the QSO and keeps the earlier one") << true;
        QTest::newRow("Cancel writes nothing") << false;
    }

    void savingAgainAsksFirst()
    {
        QFETCH(bool, yes);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "14", "CW", "DL1OLD");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        const QString id = value(book, "SELECT id FROM LOG");
        const QString before = book.db.content();

        form.enter("A01", "14", "CW", "DL1NEW", "12", "10", "2021", "BONN");
        QVERIFY(form.conferm->isVisible());
        book.services.prompter.answer(yes);
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.questions,
                 QStringList{"This DOK has been already Confirmed on this Band/Mode.\rWould you like to save anyway ?"});
        QCOMPARE(book.services.prompter.questionKinds.value(0), Prompter::Question::YesCancel);
        QCOMPARE(form.texts(), clearedPanel);
        if (!yes) {
            QCOMPARE(book.db.content(), before);
            return;
        }
        QCOMPARE(value(book, "SELECT group_concat(call||data||loc, ' ') FROM (SELECT * FROM LOG ORDER BY id)"),
                 "DL1OLD05/03/2009BERLIN DL1NEW12/10/2021BONN");
        const QString newId = value(book, "SELECT id FROM LOG WHERE call='DL1NEW'");
        QVERIFY(newId != id);
        for (const char *table : {"LOG14", "LOGCW"})
            QCOMPARE(value(book, QStringLiteral("SELECT count(*)||call||num FROM %1").arg(table)), "1DL1NEW" + newId);
    }

    void anAccreditedQsoIsRefused()
    {
        Logbook book("UPDATE DOK SET CW1='A' WHERE DOK='A01'");
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "1.8", "CW", "DL1ABC");
        const QString before = book.db.content();
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.messages, QStringList{"This DOK has been already Accredited on this Band/Mode."});
        QVERIFY(book.services.prompter.questions.isEmpty());
        QCOMPARE(book.db.content(), before);
        QCOMPARE(form.texts(), clearedPanel);
    }

    void aSpecialDoksQsoIsMarkedSpecial()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("CW", "14", "SSB", "DL1ABC");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        for (const char *table : {"LOG", "LOG14", "LOGSSB"})
            QCOMPARE(value(book, QStringLiteral("SELECT dok||spec FROM %1").arg(table)), "CWS");
    }

    void anEmptyFieldStopsTheSave_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("callsign") << "call" << "You need to write a valid callsign";
        QTest::newRow("DOK") << "dok" << "You need to write the DOK";
        QTest::newRow("band") << "mhz" << "You need to choose a valid Band";
        QTest::newRow("mode") << "modo" << "You need to choose a valid Mode";
        QTest::newRow("day") << "Ged" << "You need to write a valid Date";
        QTest::newRow("month") << "Med" << "You need to write a valid Date";
        QTest::newRow("year") << "Aed" << "You need to write a valid Date";
    }

    void anEmptyFieldStopsTheSave()
    {
        QFETCH(QString, field);
        QFETCH(QString, message);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "7", "FM", "DL1ABC");
        auto *control = book.main->findChild<QWidget *>(field);
        if (auto *box = qobject_cast<QComboBox *>(control))
            box->lineEdit()->clear();
        else
            static_cast<QLineEdit *>(control)->clear();
        const QStringList typed = form.texts();
        const QString before = book.db.content();

        book.main->action("Registra1")->trigger();
        QCOMPARE(book.services.prompter.messages, QStringList{message});
        QCOMPARE(focused(), field.endsWith("ed") ? form.Ged : control);
        QCOMPARE(form.texts(), typed);
        QCOMPARE(book.db.content(), before);
    }

    void bandAndModeAreCheckedAgainstTheirLists_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("column");
        QTest::newRow("9 begins no band") << "mhz" << "9" << "" << "The value 9 is not allowed!" << "14" << "14" << "T14";
        QTest::newRow("2 begins 21, 24, 28") << "mhz" << "2" << "" << "" << "2" << "2" << "";
        QTest::newRow("1 already names 1.8's cells") << "mhz" << "1" << "" << "" << "1" << "1" << "T1";
        QTest::newRow("1.8 picked") << "mhz" << "" << "1.8" << "" << "1.8" << "1.8" << "T1";
        QTest::newRow("433 typed") << "mhz" << "433" << "" << "" << "433" << "433" << "T433";
        QTest::newRow("X begins no mode") << "modo" << "x" << "" << "The value X is not allowed!" << "SSB" << "SSB"
                                          << "SSB";
        QTest::newRow("R begins RTTY") << "modo" << "r" << "" << "" << "R" << "R" << "";
        QTest::newRow("RTTY picked") << "modo" << "" << "RTTY" << "" << "RTTY" << "RTTY" << "RTTY";
    }

    void bandAndModeAreCheckedAgainstTheirLists()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, picked);
        QFETCH(QString, message);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, column);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        auto *list = book.control<QComboBox>(box.toLatin1().constData());
        list->setFocus(); // the band and mode held here are restored after a wrong text
        if (typed.isEmpty())
            EntryForm::pick(list, picked);
        else
            EntryForm::type(list, typed);
        QCOMPARE(book.services.prompter.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(list->currentText(), text);
        const int gridColumn = box == "mhz" ? 3 : 4;
        QCOMPARE(header(form.DOKDBG, gridColumn), title);
        QCOMPARE(boundColumn(book, gridColumn), column);
    }

    void theBandTakesDigitsAndTheDotOfABandOnly()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.mhz->setFocus();
        form.mhz->lineEdit()->clear();
        QTest::keyClicks(form.mhz, "1,8");
        QCOMPARE(form.mhz->currentText(), "18");
        QCOMPARE(book.services.prompter.beeps, 1);
        form.mhz->lineEdit()->clear();
        QTest::keyClicks(form.mhz, "1.8");
        QCOMPARE(form.mhz->currentText(), "1.8");
        QCOMPARE(book.services.prompter.beeps, 1);
        QTest::keyClicks(form.Ged, "a1");
        QCOMPARE(form.Ged->text(), "1");
        QCOMPARE(book.services.prompter.beeps, 2);
    }

    void newOrAlreadyConfirmedIsShownWithItsSound_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("worked on the band only") << "14" << "SSB" << true << QStringList();
        QTest::newRow("worked in the mode only") << "18" << "CW" << true << QStringList();
        QTest::newRow("worked on neither") << "50" << "PSK" << true << QStringList();
        QTest::newRow("worked on both") << "14" << "CW" << false << QStringList{"DL1AA", "DL2BB"};
        QTest::newRow("both in one QSO") << "21" << "FM" << false << QStringList{"DL3CC"};
    }

    void newOrAlreadyConfirmedIsShownWithItsSound()
    {
        QFETCH(QString, band);
        QFETCH(QString, mode);
        QFETCH(bool, isNew);
        QFETCH(QStringList, listed);
        Logbook book(workedA05);
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        EntryForm::pick(form.mhz, band);
        EntryForm::pick(form.modo, mode);
        QVERIFY(book.services.sound.played.isEmpty()); // nothing to test without a DOK
        QTest::keyClicks(form.dok, "A05");
        QCOMPARE(form.nuovo->isVisible(), isNew);
        QCOMPARE(form.conferm->isVisible(), !isNew);
        QCOMPARE(book.services.sound.played, QStringList{isNew ? "newdok.wav" : "confdok.wav"});
        QStringList calls = column(form.callDBG, 1);
        calls.sort();
        QCOMPARE(calls, listed);
    }

    void theNewOrConfirmedTestFollowsBandAndMode()
    {
        Logbook book(workedA05);
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "A05");
        QVERIFY(form.nuovo->isVisible());
        EntryForm::pick(form.modo, "CW");
        QVERIFY(form.nuovo->isHidden());
        QVERIFY(form.conferm->isVisible());
        QCOMPARE(form.conferm->text(), "DOK Already confirmed");
        QCOMPARE(form.nuovo->text(), "NEW DOK");
        QCOMPARE(book.services.sound.played, (QStringList{"newdok.wav", "confdok.wav"}));
        QCOMPARE(form.callDBG->model()->rowCount(), 2);
        for (const auto &[column, title] : {std::pair{0, "DOK"}, {1, "CALL"}, {2, "DATA"}, {3, "MHz"}, {4, "MODE"},
                                            {5, "QTH"}, {6, "Conf."}})
            QCOMPARE(header(form.callDBG, column), title);
        EntryForm::pick(form.mhz, "50");
        QVERIFY(form.nuovo->isVisible());
        QCOMPARE(form.callDBG->model()->rowCount(), 0);
    }

    void noSoundWhileSoundsAreOff()
    {
        Logbook book(workedA05);
        EntryForm form(book);
        book.main->action("Sound1")->trigger();
        QVERIFY(!book.dm->soundOn);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "A05");
        EntryForm::pick(form.modo, "CW");
        QVERIFY(form.conferm->isVisible());
        QVERIFY(book.services.sound.played.isEmpty());
    }

    void dayAndMonthAreChecked_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("next");
        QTest::newRow("day 32") << "Ged" << "32" << "Invalid Day!" << "";
        QTest::newRow("day 00") << "Ged" << "00" << "Invalid Day!" << "";
        QTest::newRow("day 31") << "Ged" << "31" << "" << "Med";
        QTest::newRow("day 01") << "Ged" << "01" << "" << "Med";
        QTest::newRow("month 13") << "Med" << "13" << "Invalid Month!" << "";
        QTest::newRow("month 12") << "Med" << "12" << "" << "Aed";
        QTest::newRow("year") << "Aed" << "2024" << "" << "LOC";
    }

    void dayAndMonthAreChecked()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, next);
        Logbook book;
        book.main->action("Nuovo1")->trigger();
        auto *edit = book.control<QLineEdit>(field.toLatin1().constData());
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        if (message.isEmpty()) {
            QCOMPARE(edit->text(), typed);
            QCOMPARE(focused(), book.control<QWidget>(next.toLatin1().constData()));
            QCOMPARE(book.services.prompter.beeps, 0);
        } else {
            QCOMPARE(book.services.prompter.messages, QStringList{message});
            QCOMPARE(book.services.prompter.beeps, 1);
            QCOMPARE(edit->text(), "");
            QCOMPARE(focused(), edit);
        }
    }

    void enterMovesOnAndCyclesBackToTheDok()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "B05");
        QCOMPARE(focused(), form.mhz);
        const QList<QWidget *> order{form.mhz, form.modo, form.call, form.Ged, form.Med, form.Aed, form.LOC};
        QTest::keyClicks(form.call, "DL1ABC");
        for (int i = 0; i + 1 < order.size(); ++i) {
            QTest::keyClick(order[i], Qt::Key_Return);
            QCOMPARE(focused(), order[i + 1]);
        }
        QTest::keyClick(form.LOC, Qt::Key_Return);
        QCOMPARE(focused(), form.dok);
        QCOMPARE(form.dok->text(), "B05");
    }

    void enteringTheDokWithABlankCallsignEmptiesIt()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "B05");
        QTest::keyClicks(form.call, "  ");
        QTest::keyClick(form.LOC, Qt::Key_Return);
        QCOMPARE(focused(), form.dok);
        QCOMPARE(form.dok->text(), "");
    }

    void exitClosesThePanel()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "4QX");
        QVERIFY(form.Label3->isVisible());
        book.main->action("Esci1")->trigger();
        QVERIFY(form.panel->isHidden());
        QVERIFY(form.Label3->isHidden());
        QCOMPARE(form.dok->text(), "");
        QVERIFY(!book.main->action("Registra1")->isEnabled());
        QVERIFY(!book.main->action("Speedreg")->isEnabled());
        for (const char *name : {"speedman", "Management1", "Compact1", "Calcolo1", "Calcolo2"})
            QVERIFY2(book.main->action(name)->isEnabled(), name);
        QCOMPARE(book.dm->log.filter(), "");
        QCOMPARE(hint::of(book.main->action("SpeedButton6")), "Exit | Application terminate");
        QVERIFY(book.services.prompter.questions.isEmpty());
    }

    void aFailingWriteIsRolledBackAndThePanelKeepsTheQso()
    {
        Logbook book("CREATE TRIGGER refuseUpdate BEFORE UPDATE ON LOGCW BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"
                     "CREATE TRIGGER refuseInsert BEFORE INSERT ON LOGCW BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "1.8", "CW", "DL1ABC");
        const QStringList typed = form.texts();
        const QString before = book.db.content();
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.errors.size(), 1);
        QVERIFY2(book.services.prompter.errors[0].contains("disk is full"), qPrintable(book.services.prompter.errors[0]));
        QCOMPARE(book.db.content(), before);
        QCOMPARE(form.texts(), typed);
        QCOMPARE(book.dm->dok.text("CW1"), "*");

        book.dm->ADOconn.execute("DROP TRIGGER refuseUpdate; DROP TRIGGER refuseInsert");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(value(book, "SELECT count(*) FROM LOG"), "1");
        QCOMPARE(value(book, "SELECT CW1 FROM DOK WHERE DOK='A01'"), "C");
        QCOMPARE(form.texts(), clearedPanel);
    }

    void aDiskFailingDuringTheSaveLosesNeitherTheProgramNorTheQso_data()
    {
        QTest::addColumn<int>("goodWrites");
        QTest::newRow("in the DOK row") << 0;
        QTest::newRow("in the LOG row") << 6;
        QTest::newRow("in the band table") << 10;
        QTest::newRow("in the mode table") << 14;
        QTest::newRow("in the commit's journal") << 18;
        QTest::newRow("in the commit's last write") << 25;
    }

    void aDiskFailingDuringTheSaveLosesNeitherTheProgramNorTheQso()
    {
        QFETCH(int, goodWrites);
        FaultyDisk disk;
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "1.8", "CW", "DL1ABC");
        const QStringList typed = form.texts();
        const QString before = book.db.content();
        disk.failAfterWrites(goodWrites);
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QVERIFY(disk.refusals() > 0);
        QCOMPARE(book.services.prompter.errors.size(), 1);
        QVERIFY2(book.services.prompter.errors[0].endsWith("disk I/O error"), qPrintable(book.services.prompter.errors[0]));
        QCOMPARE(form.texts(), typed);
        QVERIFY(book.main->isVisible());

        // With the disk still gone, trying again says why and shows no stale DOK row.
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.errors.size(), 2);
        QVERIFY2(book.services.prompter.errors[1].endsWith("disk I/O error"), qPrintable(book.services.prompter.errors[1]));
        QCOMPARE(form.texts(), typed);
        QCOMPARE(form.DOKDBG->model()->rowCount(), book.dm->dok.isOpen() ? book.dm->dok.recordCount() : 0);

        // Back on a sound disk, the next connection finds the file as it was before the save.
        disk.heal();
        book.dm->ADOconn.disconnect();
        book.dm->ADOconn.connect();
        QCOMPARE(book.db.content(), before);
    }

    void quotesInCallsignAndQthAreStored()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.enter("A01", "14", "SSB", "dl'1x", "1", "1", "2020", "st. john's (nf)");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(value(book, "SELECT call||'|'||loc FROM LOG"), "DL'1X|ST. JOHN'S (NF)");
        QVERIFY(book.services.prompter.errors.isEmpty());
    }

    void aClickInTheDokGridTakesItsDok()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "B01");
        QCOMPARE(focused(), form.mhz);
        const int row = book.dm->dok.position() + 2;
        const QString code = form.DOKDBG->model()->index(row, 0).data().toString();
        QTest::mouseClick(form.DOKDBG->viewport(), Qt::LeftButton, {}, visiblePoint(form.DOKDBG, form.DOKDBG->model()->index(row, 2)));
        QCOMPARE(form.dok->text(), code);
        QCOMPARE(book.dm->dok.text("DOK"), code);
        QCOMPARE(focused(), form.mhz);
        QVERIFY(book.services.prompter.questions.isEmpty());
    }

    void aDoubleClickLetsTheDokGridBeEdited()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "C07");
        const int row = book.dm->dok.position();
        const QModelIndex name = form.DOKDBG->model()->index(row, 2);
        QVERIFY(!(form.DOKDBG->model()->flags(name) & Qt::ItemIsEditable));

        // A double click: the first click, then the second one that the window system marks.
        QTest::mouseClick(form.DOKDBG->viewport(), Qt::LeftButton, {}, visiblePoint(form.DOKDBG, name));
        QTest::mouseDClick(form.DOKDBG->viewport(), Qt::LeftButton, {}, visiblePoint(form.DOKDBG, name));
        QCOMPARE(form.dok->text(), "C07");
        QVERIFY(form.DOKDBG->model()->flags(name) & Qt::ItemIsEditable);
        QCOMPARE(form.DOKDBG->selectionBehavior(), QAbstractItemView::SelectItems);
        form.DOKDBG->setCurrentIndex(name);
        form.DOKDBG->edit(name);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Kleinstadt");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(value(book, "SELECT DESCR FROM DOK WHERE DOK='C07'"), "Kleinstadt"); // committed when Enter is handled

        form.call->setFocus();
        QVERIFY(!(form.DOKDBG->model()->flags(name) & Qt::ItemIsEditable));
        QCOMPARE(form.DOKDBG->selectionBehavior(), QAbstractItemView::SelectRows);
    }
};

QTEST_MAIN(EntryPanelTest)
#include "tst_entrypanel.moc"
