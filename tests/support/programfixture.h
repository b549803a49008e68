#pragma once

#include "scriptedservices.h"
#include "startup.h"
#include "testdatabase.h"

#include <memory>

class LogData;
class QAction;
class QString;
class MainWindow;

// The whole program on a test database with scripted services: start() shows the splash window,
// which opens every view; mainWindow() then leads into the main window as "Enter" would with a
// callsign stored.
class ProgramFixture
{
public:
    explicit ProgramFixture(TestDatabase::Content content = TestDatabase::Content::Delivered);
    ~ProgramFixture();

    void start();
    // One confirmed QSO (DL1AB, A01, 14 MHz SSB) in the log and its band and mode tables, so that
    // the log can be managed and modified.
    void addConfirmedQso();
    MainWindow &mainWindow();
    // The main window's action of that object name; a test without it stops.
    QAction *action(const QString &objectName);

    TestDatabase db;
    ScriptedServices services;
    std::unique_ptr<Startup> program;
    LogData &dm() const;
};
