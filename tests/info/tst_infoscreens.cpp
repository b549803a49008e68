#include "aboutwindow.h"
#include "buildversion.h"
#include "controls.h"
#include "datamodule.h"
#include "helpwindow.h"
#include "infoconstants.h"
#include "maillink.h"
#include "mainwindow.h"
#include "programfixture.h"
#include "ruleswindow.h"
#include "whatsnewwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>
#include <functional>

namespace {

// Runs the check on the modal window the command opens, then closes it the way the user does.
template<typename Window>
void whileOpen(QAction *command, const std::function<void(Window &)> &check, const QString &closeButton)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (window) {
            seen = true;
            check(*window);
            // For looking at the windows by hand: WZP_SCREENSHOTS names a folder for their pictures.
            if (const QString folder = qEnvironmentVariable("WZP_SCREENSHOTS"); !folder.isEmpty())
                window->grab().save(QStringLiteral("%1/%2.png").arg(folder, window->objectName()));
            QTest::mouseClick(child<QAbstractButton>(*window, closeButton), Qt::LeftButton);
        }
        if (QWidget *still = QApplication::activeModalWidget())
            still->close();
    });
    command->trigger();
    QVERIFY2(seen, qPrintable(command->objectName()));
}

QString front(QWidget &window, const QString &stack)
{
    return child<QStackedWidget>(window, stack)->currentWidget()->objectName();
}

// Every label and button of the window is at least as large as its text needs.
void verifyTextsFit(QWidget &window)
{
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        QVERIFY2(label->width() >= label->minimumSizeHint().width(), qPrintable(label->objectName()));
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->minimumSizeHint().height();
        QVERIFY2(label->height() >= needed, qPrintable(label->objectName()));
    }
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            QVERIFY2(button->width() >= button->minimumSizeHint().width(), qPrintable(button->objectName()));
    }
}

void move(QWidget *widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class InfoScreensTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFixture> program;
    QAction *command(const QString &name) { return program->mainWindow().action(name); }
    ScriptedDesktop &desktop() { return program->services.desktop; }

private slots:
    void init() { program = std::make_unique<ProgramFixture>(); }
    void cleanup() { program.reset(); }

    void helpAlwaysOpensOnDok();
    void helpPagesHoldTheirSections_data();
    void helpPagesHoldTheirSections();
    void rulesAlwaysOpenOnItalian();
    void eachFlagBringsItsLanguageToFront_data();
    void eachFlagBringsItsLanguageToFront();
    void rulesToolButtonOpensTheRules();
    void whatsNewListsTheVersionAndItsNews();
    void aboutShowsTheProductAndTheBuildVersion();
    void aboutAddressColoursOnHoverAndMails();
    void mailCommandSendsTheStoredCallsign_data();
    void mailCommandSendsTheStoredCallsign();
    void webPages_data();
    void webPages();
};

void InfoScreensTest::helpAlwaysOpensOnDok()
{
    whileOpen<HelpWindow>(command(QStringLiteral("DOKHelp1")), [](HelpWindow &window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("DOK Help"));
        QCOMPARE(front(window, QStringLiteral("Pages")), QStringLiteral("dok"));
        QVERIFY(child<QAbstractButton>(window, QStringLiteral("Button1"))->isChecked());
        QTest::mouseClick(child<QAbstractButton>(window, QStringLiteral("Button3")), Qt::LeftButton);
        QCOMPARE(front(window, QStringLiteral("Pages")), QStringLiteral("util"));
        QVERIFY(!child<QAbstractButton>(window, QStringLiteral("Button1"))->isChecked());
        QTest::mouseClick(child<QAbstractButton>(window, QStringLiteral("Button2")), Qt::LeftButton);
        QCOMPARE(front(window, QStringLiteral("Pages")), QStringLiteral("qso"));
        QVERIFY(!child<QAbstractButton>(window, QStringLiteral("Button3"))->isChecked());
        verifyTextsFit(window);
    }, QStringLiteral("BitBtn1"));
    whileOpen<HelpWindow>(command(QStringLiteral("DOKHelp1")), [](HelpWindow &window) {
        QCOMPARE(front(window, QStringLiteral("Pages")), QStringLiteral("dok"));
        QVERIFY(child<QAbstractButton>(window, QStringLiteral("Button1"))->isChecked());
        QVERIFY(!child<QAbstractButton>(window, QStringLiteral("Button2"))->isChecked());
    }, QStringLiteral("BitBtn1"));
}

void InfoScreensTest::helpPagesHoldTheirSections_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("DOK") << "dok" << QStringList{"MANAGEMENT", "REQUEST", "RULES", "MAP", "REFRESH DATA and SUMMARY"};
    QTest::newRow("QSO") << "qso" << QStringList{"NEW", "MODIFY and DELETE"};
    QTest::newRow("UTILITY") << "util" << QStringList{"USER DATA", "BACKUP - RESTORE", "SOUND"};
}

void InfoScreensTest::helpPagesHoldTheirSections()
{
    QFETCH(QString, page);
    QFETCH(QStringList, headings);
    HelpWindow window;
    QStringList found;
    for (const QString &line : child<QTextBrowser>(window, page)->toPlainText().split(QLatin1Char('\n'))) {
        if (headings.contains(line.trimmed()))
            found << line.trimmed();
    }
    QCOMPARE(found, headings);
}

void InfoScreensTest::rulesAlwaysOpenOnItalian()
{
    whileOpen<RulesWindow>(command(QStringLiteral("Rules1")), [](RulesWindow &window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("WZP Rules"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("Label1"))->text(), infotext::awardFullName + QStringLiteral(" (WZP)"));
        QCOMPARE(front(window, QStringLiteral("Texts")), QStringLiteral("ITm"));
        QTest::mouseClick(child<QAbstractButton>(window, QStringLiteral("DAim")), Qt::LeftButton);
        QCOMPARE(front(window, QStringLiteral("Texts")), QStringLiteral("DAm"));
        verifyTextsFit(window);
    }, QStringLiteral("Button1"));
    whileOpen<RulesWindow>(command(QStringLiteral("Rules1")), [](RulesWindow &window) {
        QCOMPARE(front(window, QStringLiteral("Texts")), QStringLiteral("ITm"));
    }, QStringLiteral("Button1"));
}

void InfoScreensTest::eachFlagBringsItsLanguageToFront_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word"); // a word only that language's text uses
    QTest::newRow("Italian") << "ITim" << "ITm" << "Regolamento";
    QTest::newRow("English") << "ENim" << "ENm" << "Rules";
    QTest::newRow("German") << "DAim" << "DAm" << "Bedingungen";
    QTest::newRow("French") << "FRim" << "FRm" << "Règlement";
    QTest::newRow("Spanish") << "EAim" << "eam" << "Bases";
}

void InfoScreensTest::eachFlagBringsItsLanguageToFront()
{
    QFETCH(QString, picture);
    QFETCH(QString, text);
    QFETCH(QString, word);
    RulesWindow window;
    window.show();
    auto *flag = child<QAbstractButton>(window, picture);
    QVERIFY(!flag->icon().pixmap(36, 24).isNull());
    QTest::mouseClick(flag, Qt::LeftButton);
    QCOMPARE(front(window, QStringLiteral("Texts")), text);
    auto *box = child<QTextBrowser>(window, text);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QString rules = box->toPlainText();
    QVERIFY(rules.startsWith(word));
    for (const QString &fact : {QStringLiteral("100"), QStringLiteral("1000"), QStringLiteral("DOK"), QStringLiteral("SWL"),
                                infotext::awardManagerAddress, infotext::awardBankDetails})
        QVERIFY2(rules.contains(fact), qPrintable(fact));
}

void InfoScreensTest::rulesToolButtonOpensTheRules()
{
    whileOpen<RulesWindow>(command(QStringLiteral("SpeedButton4")), [](RulesWindow &window) {
        QCOMPARE(front(window, QStringLiteral("Texts")), QStringLiteral("ITm"));
    }, QStringLiteral("Button1"));
}

void InfoScreensTest::whatsNewListsTheVersionAndItsNews()
{
    program->start();
    WhatsNewWindow *created = &program->program->whatsNew();
    for (int shown = 0; shown < 2; ++shown) {
        whileOpen<WhatsNewWindow>(command(QStringLiteral("Whatsnew1")), [&](WhatsNewWindow &window) {
            QCOMPARE(&window, created);
            QCOMPARE(window.windowTitle(), QStringLiteral("What's new"));
            const QStringList lines = child<QPlainTextEdit>(window, QStringLiteral("Memo1"))->toPlainText().split(QLatin1Char('\n'));
            QCOMPARE(lines, (QStringList{QString(),
                                         QStringLiteral("  Version %1 - %2").arg(buildversion::version, infotext::releaseMonth),
                                         QStringLiteral("  - Compact and repair database (Utility)"),
                                         QStringLiteral("  - Recalculate score improved"),
                                         QStringLiteral("  - View also Accredited in DOK Management"),
                                         QStringLiteral("  - Removed some bugs"),
                                         QStringLiteral("  - Added links to my email and WEB pages (Help)")}));
            auto *memo = child<QPlainTextEdit>(window, QStringLiteral("Memo1"));
            QVERIFY(memo->viewport()->width() >= memo->fontMetrics().horizontalAdvance(lines.last()));
            verifyTextsFit(window);
        }, QStringLiteral("SpeedButton1"));
    }
}

void InfoScreensTest::aboutShowsTheProductAndTheBuildVersion()
{
    whileOpen<AboutWindow>(command(QStringLiteral("About2")), [](AboutWindow &window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("About"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("ProductName"))->text(), QStringLiteral("WZP Logbook"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("Version"))->text(),
                 QStringLiteral("%1 (%2)").arg(QStringLiteral(WZP_PROJECT_VERSION), infotext::releaseYear));
        QCOMPARE(child<QLabel>(window, QStringLiteral("Comments"))->text(), QStringLiteral("Program for management of D.O.K. Award"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("MapCredit"))->text(),
                 QStringLiteral("Map borders approximate: GeoNames (CC BY 4.0), Digital Chart of the World"));
        QVERIFY(!child<QLabel>(window, QStringLiteral("ProgramIcon"))->pixmap().isNull());
        QVERIFY(child<QPushButton>(window, QStringLiteral("OKButton"))->isDefault());
        verifyTextsFit(window);
    }, QStringLiteral("OKButton"));
}

void InfoScreensTest::aboutAddressColoursOnHoverAndMails()
{
    program->start();
    AboutWindow window(program->dm());
    window.show();
    auto *address = child<QLabel>(window, QStringLiteral("Label7"));
    QCOMPARE(address->text(), infotext::authorMail);
    QCOMPARE(address->palette().color(QPalette::WindowText), QColor(Qt::black));

    move(address);
    QCOMPARE(address->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(address->cursor().shape(), Qt::PointingHandCursor);

    move(child<QWidget>(window, QStringLiteral("Panel1")));
    QCOMPARE(address->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(address->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(address, Qt::LeftButton);
    QCOMPARE(desktop().openedUrls, QList<QUrl>{mailLink(QString())});
}

void InfoScreensTest::mailCommandSendsTheStoredCallsign_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("no callsign yet") << "";
    QTest::newRow("callsign with an ampersand") << "DL1&X";
}

void InfoScreensTest::mailCommandSendsTheStoredCallsign()
{
    QFETCH(QString, call);
    program->db.execute(QStringLiteral("UPDATE INFO SET CALL = '%1'").arg(call));

    command(QStringLiteral("Emailme1"))->trigger();

    QCOMPARE(desktop().openedUrls.size(), 1);
    const QUrl link = desktop().openedUrls.first();
    QCOMPARE(link, mailLink(call));
    QCOMPARE(QUrlQuery(link).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Da ") + call);
    QVERIFY(program->services.prompter.errors.isEmpty());
}

void InfoScreensTest::webPages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("page");
    QTest::newRow("my web site") << "WEBsite1" << infotext::webSite;
    QTest::newRow("official page") << "WZPOfficialpage1" << infotext::officialPage;
}

void InfoScreensTest::webPages()
{
    QFETCH(QString, command);
    QFETCH(QString, page);
    desktop().succeed = false;

    this->command(command)->trigger();

    QCOMPARE(desktop().openedUrls, QList<QUrl>{QUrl(page)});
    QVERIFY(program->services.prompter.messages.isEmpty());
    QVERIFY(program->services.prompter.errors.isEmpty());
}

QTEST_MAIN(InfoScreensTest)
#include "tst_infoscreens.moc"
