#include "adddokwindow.h"
#include "logbook.h"
#include "vocabulary.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QAccessible>
#include <QtTest>

namespace {

QWidget *focused()
{
    return QApplication::focusWidget();
}

// Types a code the DOK list lacks and answers Yes to the offer to add it; act runs in the
// add-DOK window.
void offerToAdd(Logbook &book, EntryForm &form, const QString &code, std::function<void(AddDokWindow *)> act)
{
    book.main->action("Nuovo1")->trigger();
    QTest::keyClicks(form.dok, code);
    book.services.prompter.answer(true);
    whenDialogShows([act](QDialog *dialog) { act(qobject_cast<AddDokWindow *>(dialog)); });
    QTest::keyClick(form.dok, Qt::Key_Return);
    book.activate();
}

template <typename T>
T *control(AddDokWindow *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

int positionOf(TableView &view, const QString &dok)
{
    for (int i = 0; i < view.recordCount(); ++i) {
        if (view.textAt(i, view.columnIndex("DOK")) == dok)
            return i;
    }
    return -1;
}

} // namespace

class AddDokWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void aDokIsAddedWithAnEmptyStatusRow_data()
    {
        QTest::addColumn<QString>("special");
        QTest::addColumn<QString>("qth");
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("descr");
        QTest::newRow("special with Y") << "Y" << "lake constance" << "S" << "LAKE CONSTANCE";
        QTest::newRow("special with S") << "S" << "" << "S" << "<null>";
        QTest::newRow("lower-case y is ordinary") << "y" << "" << "<null>" << "<null>";
        QTest::newRow("N is ordinary") << "N" << "" << "<null>" << "<null>";
        QTest::newRow("anything else is ordinary") << "YES" << "x" << "<null>" << "X";
    }

    void aDokIsAddedWithAnEmptyStatusRow()
    {
        QFETCH(QString, special);
        QFETCH(QString, qth);
        QFETCH(QString, spec);
        QFETCH(QString, descr);
        Logbook book;
        EntryForm form(book);
        bool shown = false;
        offerToAdd(book, form, "4QX", [&](AddDokWindow *window) {
            shown = window;
            QCOMPARE(window->windowTitle(), "Add new DOK");
            QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(control<QLineEdit>(window, "dok")->text(), "4QX");
            QCOMPARE(control<QComboBox>(window, "ComboBox1")->currentText(), "N");
            control<QComboBox>(window, "ComboBox1")->setEditText(special);
            QTest::keyClicks(control<QLineEdit>(window, "LOC"), qth);
            QTest::mouseClick(control<QPushButton>(window, "Button1"), Qt::LeftButton);
        });
        QVERIFY(shown);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(book.db.value("SELECT count(*) FROM DOK WHERE DOK='4QX'"), "1");
        QCOMPARE(book.db.value("SELECT coalesce(SPEC, '<null>') FROM DOK WHERE DOK='4QX'"), spec);
        QCOMPARE(book.db.value("SELECT coalesce(DESCR, '<null>') FROM DOK WHERE DOK='4QX'"), descr);
        QStringList cells = vocab::statusCells();
        cells << vocab::summaryCell;
        QCOMPARE(book.db.value("SELECT " + cells.join("||") + " FROM DOK WHERE DOK='4QX'"), QString(78, '*'));

        // The panel goes on with the DOK just added.
        QCOMPARE(book.dm->dok.text("DOK"), "4QX");
        QVERIFY(form.nuovo->isVisible());
        QCOMPARE(book.services.sound.played.last(), "newdok.wav");
        QVERIFY(form.saveEnabled());
        form.enter("", "7", "CW", "DL1ABC");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.db.value("SELECT T7||CW7||CW||CONF FROM DOK WHERE DOK='4QX'"), "CCCC");
        QCOMPARE(book.db.value("SELECT dok||coalesce(spec, '-') FROM LOG"), QString(spec == "S" ? "4QXS" : "4QX-"));
    }

    void specialDoksSortAfterOrdinaryOnes_data()
    {
        QTest::addColumn<QString>("special");
        QTest::addColumn<bool>("afterOrdinary");
        QTest::newRow("special") << "Y" << true;
        QTest::newRow("ordinary") << "N" << false;
    }

    void specialDoksSortAfterOrdinaryOnes()
    {
        QFETCH(QString, special);
        QFETCH(bool, afterOrdinary);
        Logbook book;
        EntryForm form(book);
        offerToAdd(book, form, "4QX", [&](AddDokWindow *window) {
            control<QComboBox>(window, "ComboBox1")->setEditText(special);
            QTest::mouseClick(control<QPushButton>(window, "Button1"), Qt::LeftButton);
        });
        const int added = positionOf(book.dm->dok, "4QX");
        QVERIFY(added >= 0);
        // "4QX" sorts before every ordinary code, which begin with a letter.
        QCOMPARE(added > positionOf(book.dm->dok, "Z01"), afterOrdinary);
        QCOMPARE(added < positionOf(book.dm->dok, "A01"), !afterOrdinary);
    }

    void theWindowStoresTheCodeAsTyped_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("a code that exists") << "A01";
        QTest::newRow("no code at all") << "";
    }

    void theWindowStoresTheCodeAsTyped()
    {
        QFETCH(QString, code);
        Logbook book;
        EntryForm form(book);
        const QString before = book.db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE DOK='%1'").arg(code));
        offerToAdd(book, form, "4QX", [&](AddDokWindow *window) {
            control<QLineEdit>(window, "dok")->setText(code);
            QTest::mouseClick(control<QPushButton>(window, "Button1"), Qt::LeftButton);
        });
        QCOMPARE(book.db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE DOK='%1'").arg(code)),
                 QString::number(before.toInt() + 1));
        QCOMPARE(book.db.value("SELECT count(*) FROM DOK WHERE DOK='4QX'"), "0");
    }

    void exitWithoutSavingEmptiesTheDokField()
    {
        Logbook book;
        EntryForm form(book);
        const QString before = book.db.content();
        offerToAdd(book, form, "4QX", [&](AddDokWindow *window) {
            QTest::mouseClick(control<QPushButton>(window, "Button2"), Qt::LeftButton);
        });
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(book.db.content(), before);
        QCOMPARE(form.dok->text(), "");
        QCOMPARE(focused(), form.dok);
        QVERIFY(form.saveDisabled());
    }

    void enterMovesThroughTheWindowAndEscapeLeavesWithoutSaving()
    {
        Logbook book;
        EntryForm form(book);
        QStringList visited;
        bool closed = false;
        offerToAdd(book, form, "4QX", [&](AddDokWindow *window) {
            auto *dok = control<QLineEdit>(window, "dok");
            dok->setFocus();
            for (int i = 0; i < 3; ++i) {
                visited << focused()->objectName();
                QTest::keyClick(focused(), Qt::Key_Return);
            }
            visited << focused()->objectName();
            // Escape does what "Exit without saving" does.
            QTest::keyClick(focused(), Qt::Key_Escape);
            closed = !window->isVisible();
            if (!closed)
                QTest::mouseClick(control<QPushButton>(window, "Button2"), Qt::LeftButton);
        });
        QCOMPARE(visited, (QStringList{"dok", "ComboBox1", "LOC", "Button1"}));
        QVERIFY(closed);
        QCOMPARE(book.db.value("SELECT count(*) FROM DOK WHERE DOK='4QX'"), "0");
    }

    // A screen reader names the special list's line edit like the list.
    void theListsLineEditIsNamed()
    {
        Logbook book;
        EntryForm form(book);
        QString name;
        offerToAdd(book, form, "4QX", [&](AddDokWindow *window) {
            QLineEdit *edit = control<QComboBox>(window, "ComboBox1")->lineEdit();
            name = QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name);
            QTest::mouseClick(control<QPushButton>(window, "Button2"), Qt::LeftButton);
        });
        QVERIFY(!name.isEmpty());
        QVERIFY(!name.contains('&'));
    }

    void aCodeWithAQuoteIsLookedUpAndSavedSafely()
    {
        Logbook book;
        EntryForm form(book);
        offerToAdd(book, form, "K'9", [&](AddDokWindow *window) {
            QTest::mouseClick(control<QPushButton>(window, "Button1"), Qt::LeftButton);
        });
        form.enter("", "14", "SSB", "DL1OLD");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QTest::keyClicks(form.dok, "K'9");
        QVERIFY(form.conferm->isVisible());
        QCOMPARE(form.callDBG->model()->rowCount(), 1);
        book.services.prompter.answer(true);
        form.enter("", "14", "SSB", "DL1NEW");
        QTest::mouseClick(form.registra2, Qt::LeftButton);
        QCOMPARE(book.db.value("SELECT group_concat(dok||call, ' ') FROM (SELECT * FROM LOG ORDER BY id)"),
                 "K'9DL1OLD K'9DL1NEW");
        QVERIFY(book.services.prompter.errors.isEmpty());
    }
};

QTEST_MAIN(AddDokWindowTest)
#include "tst_adddokwindow.moc"
