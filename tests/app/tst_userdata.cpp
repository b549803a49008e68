#include "datamodule.h"
#include "mainwindow.h"
#include "programfixture.h"
#include "userdatawindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const char *const filledRow = "UPDATE INFO SET CALL='IK2ABC', NOME='MARIO', COGN='ROSSI', INDIR='VIA ROMA 1', "
                              "CITTA='MILANO', ZIP='20100', PROV='MI', LOCATOR='JN45', EMAIL='ik2abc@example.org', "
                              "OM='OM', stato='Italy'";

// Replaces a field's text the way a user does: select everything, then type (or delete).
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

} // namespace

class UserDataTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFixture> fixture;

    UserDataWindow &window() { return fixture->program->userData(); }
    template <typename T>
    T *control(const char *name)
    {
        T *found = window().findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void open()
    {
        fixture->start();
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ProgramFixture>();
        fixture->db.execute(QString::fromLatin1(filledRow));
    }

    void cleanup() { fixture.reset(); }

    void showsTheStoredRowAndEveryCountrySorted()
    {
        open();
        QCOMPARE(window().windowTitle(), QStringLiteral("User data"));
        QCOMPARE(control<QLineEdit>("DBEdit1")->text(), QStringLiteral("IK2ABC"));
        QCOMPARE(control<QLineEdit>("DBEdit9")->text(), QStringLiteral("ik2abc@example.org"));
        QCOMPARE(control<QComboBox>("DBComboBox1")->currentText(), QStringLiteral("OM"));
        QComboBox *state = control<QComboBox>("combobox1");
        // Like every field but the mail address, the State box shows its text in upper case.
        QCOMPARE(state->currentText(), QStringLiteral("ITALY"));
        QCOMPARE(state->count(), 346);
        QStringList items;
        for (int i = 0; i < state->count(); ++i)
            items << state->itemText(i);
        QStringList sorted = items;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(items, sorted);
        QVERIFY(items.contains(QStringLiteral("Fed. Rep. of Germany")));
        QVERIFY(control<QLabel>("Label16")->isHidden());
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("DBEdit1"));
        QVERIFY(!(window().windowFlags() & Qt::WindowCloseButtonHint));
    }

    void fieldLimitsAndUpperCase()
    {
        open();
        const QList<std::pair<const char *, int>> limits{{"DBEdit1", 15}, {"DBEdit2", 15}, {"DBEdit3", 20},
                                                         {"DBEdit4", 60}, {"DBEdit5", 50}, {"DBEdit6", 8},
                                                         {"DBEdit7", 2}};
        for (const auto &[name, limit] : limits)
            QCOMPARE(control<QLineEdit>(name)->maxLength(), limit);
        QCOMPARE(control<QComboBox>("combobox1")->lineEdit()->maxLength(), 40);
        retype(control<QLineEdit>("DBEdit1"), "dl1abc");
        retype(control<QLineEdit>("DBEdit9"), "Me@Home.de");
        control<QPushButton>("SpeedButton1")->click();
        QCOMPARE(fixture->db.value("SELECT CALL || ' ' || EMAIL FROM INFO"), QStringLiteral("DL1ABC Me@Home.de"));
    }

    void theCallsignIsSelectedOnOpening()
    {
        open();
        QCOMPARE(control<QLineEdit>("DBEdit1")->selectedText(), QStringLiteral("IK2ABC"));
        QTest::keyClicks(QApplication::focusWidget(), "dl9xyz");
        QCOMPARE(control<QLineEdit>("DBEdit1")->text(), QStringLiteral("DL9XYZ"));
    }

    void aSharpSIsStoredAsTyped()
    {
        open();
        retype(control<QLineEdit>("DBEdit4"), QStringLiteral("Hauptstraße 12"));
        retype(control<QLineEdit>("DBEdit5"), QStringLiteral("Großenhain"));
        control<QPushButton>("SpeedButton1")->click();
        QCOMPARE(fixture->db.value("SELECT INDIR || '|' || CITTA FROM INFO"),
                 QStringLiteral("HAUPTSTRAßE 12|GROßENHAIN"));
    }

    void enterMovesToTheNextField()
    {
        open();
        control<QLineEdit>("DBEdit1")->setFocus();
        QTest::keyClick(control<QLineEdit>("DBEdit1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QComboBox>("DBComboBox1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("DBEdit2"));
        // Escape does not leave the window either: "Save and exit" is the only way out.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(window().isVisible());
    }

    void everyFieldMustBeFilled_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closes");
        QTest::newRow("empty ZIP") << "DBEdit6" << "" << false;
        QTest::newRow("empty callsign") << "DBEdit1" << "" << false;
        QTest::newRow("empty mail") << "DBEdit9" << "" << false;
        QTest::newRow("blank ZIP counts as filled") << "DBEdit6" << "  " << true;
        QTest::newRow("blank OM/YL/SWL") << "DBComboBox1" << "  " << false;
        QTest::newRow("blank State") << "combobox1" << "  " << false;
    }

    void everyFieldMustBeFilled()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, closes);
        open();
        QWidget *target = window().findChild<QWidget *>(field);
        auto *box = qobject_cast<QComboBox *>(target);
        retype(box ? box->lineEdit() : qobject_cast<QLineEdit *>(target), text);
        QVERIFY(fixture->program->mainWindow().isHidden());
        control<QPushButton>("SpeedButton1")->click();
        QCOMPARE(window().isVisible(), !closes);
        QCOMPARE(control<QLabel>("Label16")->isVisible(), !closes);
        // The main window comes up only with the window gone, never over the request to fill all.
        QCOMPARE(fixture->program->mainWindow().isVisible(), closes);
        if (!closes) {
            QCOMPARE(control<QLabel>("Label16")->text(), QStringLiteral("  You must fill all fields !   "));
            QVERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
        }
    }

    void choosingACountryStoresItAtOnce()
    {
        open();
        QComboBox *state = control<QComboBox>("combobox1");
        state->setCurrentIndex(state->findText("Austria"));
        QCOMPARE(fixture->db.value("SELECT stato FROM INFO"), QStringLiteral("AUSTRIA"));
    }

    void modalFromTheMainWindow()
    {
        MainWindow &main = fixture->mainWindow();
        bool wasModal = false;
        QTimer::singleShot(0, this, [&] {
            wasModal = window().isModal() && window().isVisible();
            retype(control<QLineEdit>("DBEdit2"), "luigi");
            control<QPushButton>("SpeedButton1")->click();
        });
        main.findChild<QAction *>("SpeedButton20")->trigger();
        QVERIFY(wasModal);
        QVERIFY(!window().isVisible());
        QCOMPARE(fixture->db.value("SELECT NOME FROM INFO"), QStringLiteral("LUIGI"));
    }
};

QTEST_MAIN(UserDataTest)
#include "tst_userdata.moc"
