#include "logbook.h"

#include "entrypanel.h"
#include "mainwindow.h"
#include "splashwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

DataModule::DataModule(const QString &setupSql)
{
    if (!setupSql.isEmpty())
        db.execute(setupSql);
    dm = std::make_unique<LogData>(db.path());
    SplashWindow splash(*dm);
    splash.prepareOnShow();
}

DataModule::~DataModule() = default;

Logbook::Logbook(const QString &setupSql) : DataModule(setupSql), main(std::make_unique<MainWindow>(*dm, nullptr))
{
    main->resize(1000, 700);
    main->show();
    activate();
}

void Logbook::activate()
{
    main->activateWindow();
    QApplication::setActiveWindow(main.get());
    if (!QTest::qWaitForWindowActive(main.get()))
        qWarning("the main window did not become active");
}

Logbook::~Logbook()
{
    main.reset();
}

bool Logbook::isActive() const
{
    return QApplication::activeWindow() == main.get();
}

EntryForm::EntryForm(const Logbook &book)
    : book(book),
      panel(book.main->entryPanel()),
      dok(book.control<QLineEdit>("dok")),
      mhz(book.control<QComboBox>("mhz")),
      modo(book.control<QComboBox>("modo")),
      call(book.control<QLineEdit>("call")),
      Ged(book.control<QLineEdit>("Ged")),
      Med(book.control<QLineEdit>("Med")),
      Aed(book.control<QLineEdit>("Aed")),
      LOC(book.control<QLineEdit>("LOC")),
      registra2(book.control<QPushButton>("registra2")),
      nuovo(book.control<QLabel>("nuovo")),
      conferm(book.control<QLabel>("conferm")),
      Label3(book.control<QLabel>("Label3")),
      Label10(book.control<QLabel>("Label10")),
      DOKDBG(book.control<QTableView>("DOKDBG")),
      callDBG(book.control<QTableView>("callDBG"))
{
}

void EntryForm::type(QComboBox *box, const QString &text)
{
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, text);
}

void EntryForm::pick(QComboBox *box, const QString &item)
{
    box->setCurrentIndex(box->findText(item));
}

void EntryForm::enter(const QString &dok, const QString &band, const QString &mode, const QString &call,
                      const QString &day, const QString &month, const QString &year, const QString &qth)
{
    QTest::keyClicks(this->dok, dok);
    pick(mhz, band);
    pick(modo, mode);
    QTest::keyClicks(this->call, call);
    QTest::keyClicks(Ged, day);
    QTest::keyClicks(Med, month);
    QTest::keyClicks(Aed, year);
    QTest::keyClicks(LOC, qth);
}

QStringList EntryForm::texts() const
{
    return {dok->text(), mhz->currentText(), modo->currentText(), call->text(),
            Ged->text(), Med->text(),        Aed->text(),         LOC->text()};
}

bool EntryForm::saveEnabled() const
{
    return book.main->action("Registra1")->isEnabled() && book.main->action("Speedreg")->isEnabled()
        && registra2->isEnabled();
}

bool EntryForm::saveDisabled() const
{
    return !book.main->action("Registra1")->isEnabled() && !book.main->action("Speedreg")->isEnabled()
        && !registra2->isEnabled();
}

void whenDialogShows(std::function<void(QDialog *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    auto triesLeft = std::make_shared<int>(1000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, triesLeft] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog || --*triesLeft <= 0) {
            timer->stop();
            timer->deleteLater();
        }
        if (!dialog)
            return;
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("the dialog did not become active");
        act(dialog);
        // A failed check inside act must not leave the test waiting on the dialog.
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}
