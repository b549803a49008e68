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
