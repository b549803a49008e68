#include "controls.h"
#include "entrypanel.h"
#include "mainwindow.h"
#include "programfixture.h"
#include "uilanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <functional>

namespace {

bool germanInstalled = false;

// Runs the check on the modal window the command opens, then closes it with the named button.
void whileOpen(QAction *command, const std::function<void(QWidget &)> &check, const QString &closeButton)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (QWidget *window = QApplication::activeModalWidget()) {
            seen = true;
            check(*window);
            if (const QString folder = qEnvironmentVariable("WZP_SCREENSHOTS"); !folder.isEmpty())
                window->grab().save(QStringLiteral("%1/%2-de.png").arg(folder, window->objectName()));
            QTest::mouseClick(child<QAbstractButton>(*window, closeButton), Qt::LeftButton);
        }
        if (QWidget *still = QApplication::activeModalWidget())
            still->close();
    });
    command->trigger();
    QVERIFY2(seen, qPrintable(command->objectName()));
}

QAction *action(QWidget &window, const char *name)
{
    return child<QAction>(window, QString::fromLatin1(name));
}

// The mnemonic letter of a text, lower case, or an empty text when it has none.
QString mnemonicOf(const QString &text)
{
    for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
         at = text.indexOf(QLatin1Char('&'), at + 2)) {
        if (text.at(at + 1) != QLatin1Char('&'))
            return text.at(at + 1).toLower();
    }
    return {};
}

// Fails on two texts of one menu, or of one window, that share a mnemonic.
void verifyMnemonicsUnique(const QString &where, const QStringList &texts)
{
    QHash<QString, QString> owners;
    for (const QString &text : texts) {
        const QString letter = mnemonicOf(text);
        if (letter.isEmpty())
            continue;
        QVERIFY2(!owners.contains(letter), qPrintable(QStringLiteral("%1: \"%2\" and \"%3\" share the mnemonic %4")
                                                          .arg(where, owners.value(letter), text, letter)));
        owners.insert(letter, text);
    }
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *item : menu->actions()) {
        if (!item->isSeparator() && item->isVisible())
            texts << item->text();
    }
    return texts;
}

// Every visible label and button of the window is as large as its text needs.
void verifyTextsFit(QWidget &window)
{
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (label->isVisible() && !label->text().isEmpty() && !label->wordWrap())
            QVERIFY2(label->width() >= label->minimumSizeHint().width(), qPrintable(label->objectName()));
    }
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            QVERIFY2(button->width() >= button->minimumSizeHint().width(), qPrintable(button->objectName()));
    }
}

} // namespace

// The program as started on a German desktop (LANG=de_DE.UTF-8): main() installs the German
// texts, and the windows show them.
class GermanDesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void aGermanLocaleChoosesGerman()
    {
        QCOMPARE(QLocale::system().language(), QLocale::German);
        QVERIFY(germanInstalled);
        QVERIFY(!uilanguage::install(*QCoreApplication::instance(), QLocale(QLocale::French), QStringLiteral(WZP_SHARE_PATH)));
    }

    void qtsOwnButtonsAreGerman()
    {
        QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(buttons.button(QDialogButtonBox::No)->text(), QStringLiteral("&Nein"));
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }

    void mainWindowMenusAreGerman()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        const QMenuBar *bar = main.menuBar();
        QStringList titles;
        for (const QAction *item : bar->actions())
            titles << item->text();
        QCOMPARE(titles, (QStringList{"&QSO", "DO&K", "&Extras", "&Hilfe", "&Beenden"}));
        QCOMPARE(action(main, "Nuovo1")->text(), QStringLiteral("&Neu"));
        QCOMPARE(action(main, "Management1")->text(), QStringLiteral("&Verwaltung"));
        QCOMPARE(action(main, "Request1")->text(), QStringLiteral("&Antrag"));
        QCOMPARE(action(main, "UserData1")->text(), QStringLiteral("&Benutzerdaten"));
        QCOMPARE(action(main, "Calcolo2")->text(), QStringLiteral("&Daten aktualisieren: noch nie"));
        QCOMPARE(action(main, "Speednew")->toolTip().trimmed(), QStringLiteral("Neues QSO"));
        verifyMnemonicsUnique(QStringLiteral("menu bar"), titles);
        for (const QAction *item : bar->actions()) {
            if (item->menu())
                verifyMnemonicsUnique(item->text(), menuTexts(item->menu()));
        }
    }

    // The German captions are longer: still every tool-bar button stands in the bar, none is
    // pushed into the overflow menu.
    void toolBarKeepsEveryButton()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        auto *bar = child<QToolBar>(main, QStringLiteral("ToolBar1"));
        int buttons = 0;
        for (QAction *item : bar->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            ++buttons;
            QVERIFY2(bar->widgetForAction(item)->isVisible(), qPrintable(item->objectName() + ": " + item->text()));
        }
        QCOMPARE(buttons, 14);
    }

    void entryPanelIsGerman()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        action(main, "Nuovo1")->trigger();
        QWidget &panel = *main.entryPanel();
        QVERIFY(panel.isVisible());
        const QStringList captions{child<QLabel>(panel, QStringLiteral("dokLabel"))->text(),
                                   child<QLabel>(panel, QStringLiteral("mhzLabel"))->text(),
                                   child<QLabel>(panel, QStringLiteral("modoLabel"))->text(),
                                   child<QLabel>(panel, QStringLiteral("callLabel"))->text(),
                                   child<QLabel>(panel, QStringLiteral("dateLabel"))->text(),
                                   child<QLabel>(panel, QStringLiteral("locLabel"))->text(),
                                   child<QPushButton>(panel, QStringLiteral("registra2"))->text()};
        QCOMPARE(captions, (QStringList{"&DOK", "&MHz", "Betriebs&art", "&Rufzeichen", "Dat&um (tt/mm/jjjj)", "Q&TH",
                                        "&Speichern"}));
        QCOMPARE(child<QLabel>(panel, QStringLiteral("Label12"))->text(), QStringLiteral("Ortszeit"));
        QStringList reachable = captions;
        for (const QAction *item : main.menuBar()->actions())
            reachable << item->text();
        verifyMnemonicsUnique(QStringLiteral("main window with the entry panel"), reachable);
        verifyTextsFit(panel);

        auto *day = child<QLineEdit>(panel, QStringLiteral("Ged"));
        day->setFocus();
        QTest::keyClicks(day, QStringLiteral("45"));
        QCOMPARE(fixture.services.prompter.messages, QStringList{QStringLiteral("Ungültiger Tag!")});
    }

    void awardWindowIsGerman()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        whileOpen(action(main, "Request1"), [](QWidget &window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("WZP-Diplomantrag drucken"));
            QCOMPARE(child<QComboBox>(window, QStringLiteral("Appl"))->currentText(), QStringLiteral("Neuantrag"));
            QCOMPARE(child<QPushButton>(window, QStringLiteral("Butprep"))->text().remove(QLatin1Char('&')),
                     QStringLiteral("Vorbereiten"));
            verifyTextsFit(window);
        }, QStringLiteral("Button2"));
    }

    void rulesOpenOnTheGermanText()
    {
        ProgramFixture fixture;
        MainWindow &main = fixture.mainWindow();
        whileOpen(action(main, "Rules1"), [](QWidget &window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("WZP-Diplombedingungen"));
            QCOMPARE(child<QStackedWidget>(window, QStringLiteral("Texts"))->currentWidget()->objectName(),
                     QStringLiteral("DAm"));
            verifyTextsFit(window);
        }, QStringLiteral("Button1"));
    }
};

int main(int argc, char *argv[])
{
    // A German desktop, whatever the test runner's environment says.
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    germanInstalled = uilanguage::install(app, QLocale::system(), QStringLiteral(WZP_SHARE_PATH));
    GermanDesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_germandesktop.moc"
