#include "adddokwindow.h"
#include "controls.h"
#include "logbook.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QWidget *focused()
{
    return QApplication::focusWidget();
}

// Types the way a user does: every key goes to whatever field holds the focus at that moment.
void typeAtFocus(const QString &text)
{
    for (const QChar c : text)
        QTest::keyClicks(focused(), QString(c));
}

void pressAtFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), key, modifiers);
}

QString selectedText(QWidget *field)
{
    if (auto *box = qobject_cast<QComboBox *>(field))
        return box->lineEdit()->selectedText();
    return qobject_cast<QLineEdit *>(field)->selectedText();
}

// From the band field on, the rest of a QSO typed with Return between the fields, then saved
// with the button's shortcut.
void typeRestOfQso(const QString &band, const QString &mode, const QString &date = QStringLiteral("05032009"))
{
    typeAtFocus(band);
    pressAtFocus(Qt::Key_Return);
    typeAtFocus(mode);
    pressAtFocus(Qt::Key_Return);
    typeAtFocus("dl1abc");
    pressAtFocus(Qt::Key_Return);
    typeAtFocus(date);
    typeAtFocus("bonn");
    pressAtFocus(Qt::Key_S, Qt::AltModifier);
}

} // namespace

class KeyboardFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void aWholeQsoIsTypedTheWayAHamTypesIt()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QCOMPARE(focused(), form.dok);

        typeAtFocus("N11");
        // The complete DOK moves on to the band, whose text typing replaces.
        QCOMPARE(focused(), form.mhz);
        QCOMPARE(selectedText(form.mhz), "14");
        typeAtFocus("7");
        QCOMPARE(form.mhz->currentText(), "7");
        pressAtFocus(Qt::Key_Return);
        QCOMPARE(focused(), form.modo);
        QCOMPARE(selectedText(form.modo), "SSB");
        typeAtFocus("CW");
        QCOMPARE(form.modo->currentText(), "CW");
        pressAtFocus(Qt::Key_Return);
        QCOMPARE(focused(), form.call);
        typeAtFocus("dl1abc");
        pressAtFocus(Qt::Key_Return);
        QCOMPARE(focused(), form.Ged);
        typeAtFocus("05");
        QCOMPARE(focused(), form.Med);
        typeAtFocus("03");
        QCOMPARE(focused(), form.Aed);
        typeAtFocus("2009");
        QCOMPARE(focused(), form.LOC);
        typeAtFocus(QStringLiteral("Großenhain"));
        QCOMPARE(form.LOC->text(), QStringLiteral("GROßENHAIN"));
        QVERIFY(form.nuovo->isVisible());
        QVERIFY(form.saveEnabled());
        // "&Save" clicks its button the way a shortcut does, a moment after the key.
        pressAtFocus(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(book.db.value("SELECT count(*) FROM LOG"), "1");

        QCOMPARE(book.services.prompter.messages, QStringList());
        QCOMPARE(book.db.value("SELECT call||'|'||data||'|'||banda||'|'||modo||'|'||dok||'|'||loc||'|'||mhz FROM LOG"),
                 QStringLiteral("DL1ABC|05/03/2009|7|CW|N11|GROßENHAIN|7"));
        QCOMPARE(book.db.value("SELECT T7||CW7||CW||CONF FROM DOK WHERE DOK='N11'"), "CCCC");
        QCOMPARE(form.texts(), (QStringList{"", "14", "SSB", "", "", "", "", ""}));
        QCOMPARE(focused(), form.dok);
    }

    void bandsAreTypedAsTheyAreWritten_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("160 m") << "1.8" << "1";
        QTest::newRow("80 m") << "3.5" << "3";
        QTest::newRow("17 m") << "18" << "18";
    }

    void bandsAreTypedAsTheyAreWritten()
    {
        QFETCH(QString, band);
        QFETCH(QString, suffix);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("N11");
        QCOMPARE(focused(), form.mhz);
        typeRestOfQso(band, "CW");
        QTRY_COMPARE(book.db.value("SELECT count(*) FROM LOG"), "1");
        QCOMPARE(book.services.prompter.messages, QStringList());
        QCOMPARE(book.db.value("SELECT banda||'|'||mhz||'|'||modo FROM LOG"), band + "|" + suffix + "|CW");
        QCOMPARE(book.db.value(QStringLiteral("SELECT group_concat(dok) FROM LOG%1").arg(suffix)), "N11");
    }

    void aBandFieldStillRefusesWhatNoBandHas_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a letter is dropped") << "1x8" << "18" << QStringList();
        QTest::newRow("a dot after a whole band") << "14." << "14" << QStringList{"The value 14. is not allowed!"};
        QTest::newRow("a dot first") << "." << "14" << QStringList{"The value . is not allowed!"};
    }

    void aBandFieldStillRefusesWhatNoBandHas()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("N11");
        QCOMPARE(focused(), form.mhz);
        typeAtFocus(keys);
        QCOMPARE(book.services.prompter.messages, messages);
        QCOMPARE(form.mhz->currentText(), shown);
    }

    void everyDokCanBeTyped_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("endKey");
        QTest::addColumn<QString>("dok");
        const int none = 0;
        QTest::newRow("HSC70, whose start HSC is a code too") << "HSC70" << none << "HSC70";
        QTest::newRow("HSC itself, ended by Return") << "HSC" << int(Qt::Key_Return) << "HSC";
        QTest::newRow("HSC itself, ended by Tab") << "HSC" << int(Qt::Key_Tab) << "HSC";
        QTest::newRow("YLO, whose start YL is a code too") << "YLO" << none << "YLO";
        QTest::newRow("K01 and Tab") << "K01" << int(Qt::Key_Tab) << "K01";
        QTest::newRow("K01 and Return") << "K01" << int(Qt::Key_Return) << "K01";
    }

    void everyDokCanBeTyped()
    {
        QFETCH(QString, keys);
        QFETCH(int, endKey);
        QFETCH(QString, dok);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus(keys);
        if (endKey)
            pressAtFocus(Qt::Key(endKey));
        QCOMPARE(form.dok->text(), dok);
        QCOMPARE(focused(), form.mhz);
        QCOMPARE(selectedText(form.mhz), "14");
        typeRestOfQso("7", "CW");
        QTRY_COMPARE(book.db.value("SELECT count(*) FROM LOG"), "1");
        QCOMPARE(book.services.prompter.messages, QStringList());
        QCOMPARE(book.db.value("SELECT dok||'|'||banda||'|'||modo FROM LOG"), dok + "|7|CW");
        QCOMPARE(book.db.value(QStringLiteral("SELECT T7||CW7||CW FROM DOK WHERE DOK='%1'").arg(dok)), "CCC");
    }

    void aCodeThatBeginsALongerOneWaitsForTheRest()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("HSC");
        QCOMPARE(focused(), form.dok);
        QVERIFY(form.saveEnabled());
        QVERIFY(form.Label3->isHidden());
    }

    void typingOverTheBandLeavesTheModeSelected()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("B05");
        QCOMPARE(focused(), form.mhz);
        typeAtFocus("18");
        pressAtFocus(Qt::Key_Return);
        QCOMPARE(focused(), form.modo);
        QCOMPARE(selectedText(form.modo), "SSB");
        typeAtFocus("SSB");
        QCOMPARE(form.modo->currentText(), "SSB");
        pressAtFocus(Qt::Key_Return);
        QCOMPARE(focused(), form.call);
        typeAtFocus("dl1abc");
        pressAtFocus(Qt::Key_Tab);
        QCOMPARE(focused(), form.Ged);
        typeAtFocus("05032009");
        pressAtFocus(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(book.db.value("SELECT count(*) FROM LOG"), "1");
        QCOMPARE(book.services.prompter.messages, QStringList());
        QCOMPARE(book.db.value("SELECT dok||'|'||banda||'|'||modo FROM LOG"), "B05|18|SSB");
    }

    void aQsoSavedAnywayJoinsTheEarlierOne()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("B05");
        typeRestOfQso("14", "SSB");
        QTRY_COMPARE(book.db.value("SELECT count(*) FROM LOG"), "1");
        QCOMPARE(focused(), form.dok);
        typeAtFocus("B05");
        QVERIFY(form.conferm->isVisible());
        book.services.prompter.answer(true);
        typeRestOfQso("14", "SSB", "06032009");
        QTRY_COMPARE(book.db.value("SELECT count(*) FROM LOG"), "2");
        QCOMPARE(book.services.prompter.questions,
                 QStringList{"This DOK has been already Confirmed on this Band/Mode.\rWould you like to save anyway ?"});
        QCOMPARE(book.db.value("SELECT group_concat(data, ' ') FROM (SELECT data FROM LOG ORDER BY id)"),
                 "05/03/2009 06/03/2009");
        QCOMPARE(book.db.value("SELECT count(*) FROM LOG14 WHERE dok='B05'"), "1");
        QCOMPARE(book.db.value("SELECT count(*) FROM LOGSSB WHERE dok='B05'"), "1");
    }

    void anImpossibleDateIsRefusedAtSave_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("field");
        QTest::newRow("31 February") << "31022025"
                                     << "The Date 31/02/2025 does not exist: please correct the day or the month."
                                     << "Ged";
        QTest::newRow("two-digit year") << "010425"
                                        << "The year of the Date needs four digits (dd/mm/yyyy)." << "Aed";
    }

    void anImpossibleDateIsRefusedAtSave()
    {
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(QString, field);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("N11");
        typeAtFocus("7");
        pressAtFocus(Qt::Key_Return);
        typeAtFocus("CW");
        pressAtFocus(Qt::Key_Return);
        typeAtFocus("dl1abc");
        pressAtFocus(Qt::Key_Return);
        typeAtFocus(date);
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.messages, QStringList{message});
        QCOMPARE(focused()->objectName(), field);
        QCOMPARE(book.db.value("SELECT count(*) FROM LOG"), "0");
        QCOMPARE(book.db.value("SELECT T7||CW7||CW||CONF FROM DOK WHERE DOK='N11'"), "****");
        // The panel keeps what was typed, for the user to correct.
        QCOMPARE(form.call->text(), "DL1ABC");
    }

    void theDateFieldsSelectWhatTheyHoldWhenTheFocusMovesIn()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        form.Ged->setFocus();
        typeAtFocus("05032009");
        QCOMPARE(focused(), form.LOC);
        // Back to the day through its label: the new date replaces the old one as it is typed.
        QTest::mouseClick(book.control<QWidget>("dateLabel"), Qt::LeftButton);
        QCOMPARE(focused(), form.Ged);
        QCOMPARE(form.Ged->selectedText(), "05");
        typeAtFocus("07");
        QCOMPARE(focused(), form.Med);
        QCOMPARE(form.Med->selectedText(), "03");
        typeAtFocus("08");
        QCOMPARE(focused(), form.Aed);
        QCOMPARE(form.Aed->selectedText(), "2009");
        typeAtFocus("2010");
        QCOMPARE((QStringList{form.Ged->text(), form.Med->text(), form.Aed->text()}),
                 (QStringList{"07", "08", "2010"}));
        QCOMPARE(book.services.prompter.messages, QStringList());
    }

    void aFailedSaveSelectsTheFieldItNames()
    {
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("N11");
        form.Ged->setFocus();
        typeAtFocus("05");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.messages, QStringList{"You need to write a valid callsign"});
        QCOMPARE(focused(), form.call);
        form.call->setText("DL1ABC");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.services.prompter.messages.last(), "You need to write a valid Date");
        QCOMPARE(focused(), form.Ged);
        QCOMPARE(form.Ged->selectedText(), "05");
    }

    void aDisabledCommandsShortcutIsNeverTyped_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("DOK") << "dok";
        QTest::newRow("callsign") << "call";
        QTest::newRow("QTH") << "LOC";
    }

    void aDisabledCommandsShortcutIsNeverTyped()
    {
        QFETCH(QString, field);
        Logbook book;
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QVERIFY(form.saveDisabled());
        auto *edit = book.control<QLineEdit>(field.toLatin1().constData());
        edit->setFocus();
        pressAtFocus(Qt::Key_S, Qt::AltModifier);
        QCOMPARE(edit->text(), "");
        QCOMPARE(book.db.value("SELECT count(*) FROM LOG"), "0");
        // Typing goes on as before.
        typeAtFocus("b");
        QCOMPARE(edit->text(), "B");
    }

    void anAddedDokLeavesNoOfferToAddIt()
    {
        Logbook book;
        EntryForm form(book);
        const QString total = book.db.value("SELECT count(*) FROM DOK");
        QCOMPARE(book.control<QLabel>("all")->text(), total);
        book.main->action("Nuovo1")->trigger();
        typeAtFocus("4QX");
        QVERIFY(form.Label10->isVisible());
        book.services.prompter.answer(true);
        bool shown = false;
        whenDialogShows([&](QDialog *dialog) {
            shown = true;
            QTest::mouseClick(child<QPushButton>(*dialog, "Button1"), Qt::LeftButton);
        });
        pressAtFocus(Qt::Key_Return);
        book.activate();
        QVERIFY(shown);
        QVERIFY(form.Label3->isHidden());
        QVERIFY(form.Label10->isHidden());
        QVERIFY(form.nuovo->isVisible());
        QCOMPARE(focused(), form.mhz);
        QCOMPARE(selectedText(form.mhz), "14");
        // The management view's "All records" count has the new DOK.
        QCOMPARE(book.control<QLabel>("all")->text(), QString::number(total.toInt() + 1));
    }
};

QTEST_MAIN(KeyboardFlowTest)
#include "tst_keyboardflow.moc"
