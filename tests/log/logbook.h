#pragma once

#include "datamodule.h"
#include "scriptedservices.h"
#include "testdatabase.h"

#include <QString>
#include <functional>
#include <memory>

class EntryPanel;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class MainWindow;

// The data module on a copy of the delivered database, with the scripted services installed and
// every view opened as the splash window opens them. setupSql runs on the file first.
class DataModule
{
public:
    explicit DataModule(const QString &setupSql = {});
    virtual ~DataModule();

    TestDatabase db;
    ScriptedServices services;
    std::unique_ptr<LogData> dm;
};

// ... and the main window shown and active, so focus moves as it does for the user.
class Logbook : public DataModule
{
public:
    explicit Logbook(const QString &setupSql = {});
    ~Logbook() override;

    // Makes the main window the active window, as the window system does when a dialog closes.
    void activate();
    bool isActive() const;
    template <typename T>
    T *control(const char *name) const;

    std::unique_ptr<MainWindow> main;
};

// The entry panel's controls, found by name, and what a user does with them.
struct EntryForm
{
    explicit EntryForm(const Logbook &book);

    // Replaces the list's text by typing, or picks an item of its list.
    static void type(QComboBox *box, const QString &text);
    static void pick(QComboBox *box, const QString &item);
    // Types a whole QSO, DOK first.
    void enter(const QString &dok, const QString &band, const QString &mode, const QString &call,
               const QString &day = QStringLiteral("5"), const QString &month = QStringLiteral("3"),
               const QString &year = QStringLiteral("2009"), const QString &qth = QStringLiteral("BERLIN"));
    // The texts of all fields, DOK to QTH.
    QStringList texts() const;
    // Registra1, Speedreg and registra2 together; false as well when they disagree.
    bool saveEnabled() const;
    bool saveDisabled() const;

    const Logbook &book;
    EntryPanel *panel;
    QLineEdit *dok;
    QComboBox *mhz;
    QComboBox *modo;
    QLineEdit *call;
    QLineEdit *Ged;
    QLineEdit *Med;
    QLineEdit *Aed;
    QLineEdit *LOC;
    QPushButton *registra2;
    QLabel *nuovo;
    QLabel *conferm;
    QLabel *Label3;
    QLabel *Label10;
    QTableView *DOKDBG;
    QTableView *callDBG;
};

// Runs act on the next modal dialog as soon as it is shown (a dialog opened with exec()); a
// dialog that act leaves open is closed after it.
void whenDialogShows(std::function<void(QDialog *)> act);

#include "mainwindow.h"

template <typename T>
T *Logbook::control(const char *name) const
{
    return main->findChild<T *>(QString::fromLatin1(name));
}
