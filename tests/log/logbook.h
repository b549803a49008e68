#pragma once

#include "datamodule.h"
#include "scriptedservices.h"
#include "testdatabase.h"

#include <QString>
#include <functional>
#include <memory>

class QDialog;
class TForm4;

// The data module on a copy of the delivered database, with the scripted services installed and
// every view opened as the splash window opens them. setupSql runs on the file first.
class DataModule
{
public:
    explicit DataModule(const QString &setupSql = {});
    virtual ~DataModule();

    TestDatabase db;
    ScriptedServices services;
    std::unique_ptr<TDm> dm;
};

// ... and the main window shown and active, so focus moves as it does for the user.
class Logbook : public DataModule
{
public:
    explicit Logbook(const QString &setupSql = {});
    ~Logbook() override;

    bool isActive() const;
    template <typename T>
    T *control(const char *name) const;

    std::unique_ptr<TForm4> main;
};

// Every row of every table of the file, as text: equal before and after means nothing changed.
QString databaseContent(const TestDatabase &db);

// Runs act on the next modal dialog as soon as it is shown (a dialog opened with exec()).
void whenDialogShows(std::function<void(QDialog *)> act);

#include "mainwindow.h"

template <typename T>
T *Logbook::control(const char *name) const
{
    return main->findChild<T *>(QString::fromLatin1(name));
}
