#include "datamodule.h"
#include "mainwindow.h"
#include "modalwindow.h"
#include "programfixture.h"
#include "uilanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

namespace {

// The letter after a single '&', lower case; none: an empty text.
QString mnemonic(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Texts that share a mnemonic, as "a: &Apple, &Avocado" lines.
QStringList clashes(const QStringList &texts)
{
    QMap<QString, QStringList> byLetter;
    for (const QString &text : texts) {
        if (const QString letter = mnemonic(text); !letter.isEmpty())
            byLetter[letter] << text;
    }
    QStringList found;
    for (auto it = byLetter.cbegin(); it != byLetter.cend(); ++it) {
        if (it.value().size() > 1)
            found << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    }
    return found;
}

// The texts of the menu's visible items.
QStringList itemTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        if (!action->isSeparator() && action->isVisible())
            texts << action->text();
    }
    return texts;
}

// The texts of the controls shown together in a window: buttons, group boxes, tabs and the
// labels that lead to a field.
QStringList controlTexts(const QWidget &window)
{
    QStringList texts;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window) || widget->window() != &window)
            continue;
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        else if (const auto *box = qobject_cast<const QGroupBox *>(widget))
            texts << box->title();
        else if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->buddy())
            texts << label->text();
        else if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
    }
    return texts;
}

} // namespace

class MnemonicsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFixture> fixture;

private slots:
    void init()
    {
        fixture = std::make_unique<ProgramFixture>();
        fixture->db.execute("UPDATE INFO SET CALL='DL1ABC'");
        fixture->addConfirmedQso();
    }
    void cleanup() { fixture.reset(); }

    void menusHaveNoClash()
    {
        auto &main = fixture->mainWindow();
        QStringList bar;
        for (const QAction *entry : main.menuBar()->actions())
            bar << entry->text();
        QVERIFY2(clashes(bar).isEmpty(), qPrintable(clashes(bar).join('\n')));
        const auto menus = main.menuBar()->findChildren<QMenu *>();
        QVERIFY(menus.size() >= 4);
        for (const QMenu *menu : menus)
            QVERIFY2(clashes(itemTexts(*menu)).isEmpty(), qPrintable(menu->title() + ": " + clashes(itemTexts(*menu)).join('\n')));
    }

    // The commands named in the menus each have a mnemonic.
    void everyMenuItemHasAMnemonic()
    {
        auto &main = fixture->mainWindow();
        for (const QMenu *menu : main.menuBar()->findChildren<QMenu *>()) {
            for (const QString &text : itemTexts(*menu))
                QVERIFY2(!mnemonic(text).isEmpty(), qPrintable(menu->title() + ": " + text));
        }
    }

    void standardShortcutsStandBesideTheCommands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("help") << "DOKHelp1" << QKeySequence(Qt::Key_F1);
        QTest::newRow("new QSO") << "Nuovo1" << QKeySequence(Qt::CTRL | Qt::Key_N);
        QTest::newRow("save") << "Registra1" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("exit") << "Esci1" << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("refresh") << "Calcolo2" << QKeySequence(Qt::Key_F5);
        QTest::newRow("modify by call") << "Modifica1" << QKeySequence(Qt::CTRL | Qt::Key_F);
    }

    void standardShortcutsStandBesideTheCommands()
    {
        QFETCH(QString, action);
        QFETCH(QKeySequence, keys);
        QCOMPARE(fixture->action(action)->shortcut(), keys);
    }

    // The keys work from the main window as a user presses them.
    void shortcutKeysOpenTheirWindows_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("window");
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "TForm38";
        QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << "TForm9";
    }

    void shortcutKeysOpenTheirWindows()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, window);
        auto &main = fixture->mainWindow();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QString opened;
        // A timer of this function: when no window opens it goes with the function, unfired.
        QTimer look;
        look.setSingleShot(true);
        connect(&look, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened = dialog->objectName();
                dialog->done(QDialog::Rejected);
            }
        });
        look.start(0);
        QTest::keySequence(&main, keys);
        QCOMPARE(opened, window);
    }

    void windowsHaveNoClash_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("before"); // an action that makes the window's command available
        QTest::newRow("modify") << "Modifica1" << "Management1";
        QTest::newRow("user data") << "UserData1" << "";
        QTest::newRow("refresh") << "Calcolo2" << "";
        QTest::newRow("summary") << "Summary1" << "";
        QTest::newRow("progress") << "Progress1" << "";
        QTest::newRow("award application") << "Request1" << "";
        QTest::newRow("rules") << "Rules1" << "";
        QTest::newRow("map") << "MaP1" << "";
        QTest::newRow("help") << "DOKHelp1" << "";
        QTest::newRow("what's new") << "Whatsnew1" << "";
        QTest::newRow("about") << "About2" << "";
    }

    void windowsHaveNoClash()
    {
        QFETCH(QString, action);
        QFETCH(QString, before);
        if (!before.isEmpty())
            fixture->action(before)->trigger();
        QStringList found;
        QString window;
        QVERIFY(withModalWindow(*fixture->action(action), [&](QDialog &dialog) {
            window = dialog.objectName();
            found = clashes(controlTexts(dialog));
        }));
        QVERIFY2(found.isEmpty(), qPrintable(window + ": " + found.join('\n')));
    }

    void everyButtonOfTheAwardWindowHasAMnemonic()
    {
        QStringList without;
        QVERIFY(withModalWindow(*fixture->action("Request1"), [&](QDialog &dialog) {
            for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>()) {
                if (!button->text().isEmpty() && mnemonic(button->text()).isEmpty())
                    without << button->objectName() + " " + button->text();
            }
        }));
        QVERIFY2(without.isEmpty(), qPrintable(without.join(", ")));
    }

    void mainWindowHasNoClash()
    {
        auto &main = fixture->mainWindow();
        QStringList texts = controlTexts(main);
        QVERIFY2(clashes(texts).isEmpty(), qPrintable(clashes(texts).join('\n')));
        fixture->action("Management1")->trigger();
        texts = controlTexts(main);
        QVERIFY2(clashes(texts).isEmpty(), qPrintable(clashes(texts).join('\n')));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // As the program does: German texts on a German desktop. The test runs under both languages.
    const bool german = uilanguage::install(app, QLocale::system(), QStringLiteral(WZP_SHARE_PATH));
    if (QLocale::system().language() == QLocale::German && !german)
        qFatal("the German texts were not found");
    MnemonicsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mnemonics.moc"
