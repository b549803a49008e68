#include "datamodule.h"
#include "mainwindow.h"
#include "modalwindow.h"
#include "programfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

namespace {

// How a window opened from the main window was left.
struct Outcome
{
    QString window;
    bool closed = false;
    int result = -1;
    bool operator==(const Outcome &) const = default;
};

QString describe(const Outcome &outcome)
{
    return QStringLiteral("%1 closed=%2 result=%3").arg(outcome.window).arg(outcome.closed).arg(outcome.result);
}

} // namespace

class EscapeKeyTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFixture> fixture;

    // Opens the window of the main window's action, lets prepare and then leave act on it.
    Outcome openAndLeave(const QString &action, const std::function<void(QDialog &)> &prepare,
                         const std::function<void(QDialog &)> &leave)
    {
        Outcome outcome;
        withModalWindow(*fixture->action(action), [&](QDialog &dialog) {
            outcome.window = dialog.objectName();
            connect(&dialog, &QDialog::finished, this, [&](int result) {
                outcome.closed = true;
                outcome.result = result;
            });
            prepare(dialog);
            leave(dialog);
            if (dialog.isVisible())
                dialog.disconnect(this);
        });
        return outcome;
    }

    static void pressEscape(QDialog &dialog)
    {
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused && dialog.isAncestorOf(focused) ? focused : &dialog, Qt::Key_Escape);
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ProgramFixture>();
        fixture->db.execute("UPDATE INFO SET CALL='DL1ABC', NOME='HANS', COGN='MEIER', INDIR='HAUPTSTR 1', "
                            "CITTA='BONN', ZIP='53111', PROV='NRW', LOCATOR='JO30', EMAIL='dl1abc@example.org', "
                            "OM='OM', stato='Germany'");
        fixture->addConfirmedQso();
    }
    void cleanup() { fixture.reset(); }

    void escapeDoesWhatTheCloseButtonDoes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("before"); // an action that makes the window's command available
        QTest::newRow("user data") << "UserData1" << "TForm3" << "SpeedButton1" << "";
        QTest::newRow("modify") << "Modifica1" << "TForm8" << "SpeedButton1" << "Management1";
        QTest::newRow("refresh") << "Calcolo2" << "TForm9" << "SpeedButton5" << "";
        QTest::newRow("summary") << "Summary1" << "TForm9" << "SpeedButton2" << "";
        QTest::newRow("progress") << "Progress1" << "TFormProgress" << "Exit" << "";
        QTest::newRow("award application") << "Request1" << "TForm11" << "Button2" << "";
        QTest::newRow("help") << "DOKHelp1" << "TForm38" << "BitBtn1" << "";
        QTest::newRow("rules") << "Rules1" << "TForm6" << "Button1" << "";
    }

    void escapeDoesWhatTheCloseButtonDoes()
    {
        QFETCH(QString, action);
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, before);
        if (!before.isEmpty())
            fixture->mainWindow().findChild<QAction *>(before)->trigger();
        const auto nothing = [](QDialog &) {};
        bool clickable = false;
        const Outcome byButton = openAndLeave(action, nothing, [&](QDialog &dialog) {
            auto *close = dialog.findChild<QAbstractButton *>(button);
            clickable = close && close->isVisible() && close->isEnabled();
            if (clickable)
                close->click();
        });
        QVERIFY2(clickable, qPrintable(button));
        QVERIFY2(byButton.closed, qPrintable(describe(byButton)));
        const Outcome byEscape = openAndLeave(action, nothing, pressEscape);
        QCOMPARE(byEscape.window, window);
        QVERIFY2(byEscape == byButton, qPrintable(describe(byEscape) + " / " + describe(byButton)));
    }

    // Opened from the main window the user data window is left with Escape as with "Save and
    // exit": what was typed is stored.
    void escapeSavesTheUserData()
    {
        const Outcome outcome = openAndLeave(
            "UserData1",
            [](QDialog &dialog) {
                auto *city = dialog.findChild<QLineEdit *>("DBEdit5");
                city->setFocus();
                city->selectAll();
                QTest::keyClicks(city, "Koeln");
            },
            pressEscape);
        QVERIFY2(outcome.closed, qPrintable(describe(outcome)));
        QCOMPARE(fixture->db.value("SELECT CITTA FROM INFO"), QStringLiteral("KOELN"));
    }

    // A field left empty keeps the window open, with Escape as with the button.
    void escapeKeepsUserDataWithAnEmptyField()
    {
        const Outcome outcome = openAndLeave(
            "UserData1",
            [](QDialog &dialog) {
                auto *city = dialog.findChild<QLineEdit *>("DBEdit5");
                city->setFocus();
                city->selectAll();
                QTest::keyClick(city, Qt::Key_Backspace);
            },
            pressEscape);
        QCOMPARE(outcome.window, QStringLiteral("TForm3"));
        QVERIFY(!outcome.closed);
    }
};

QTEST_MAIN(EscapeKeyTest)
#include "tst_escapekey.moc"
