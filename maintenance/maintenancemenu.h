#pragma once

#include "backupstore.h"

#include <QObject>
#include <functional>

class LogData;

// The Utility menu's backup, restore and compact-and-repair commands of the main window.
class MaintenanceMenu : public QObject
{
    Q_OBJECT

public:
    // endProgram closes the connection and asks the program to end.
    MaintenanceMenu(LogData &dm, std::function<void()> endProgram, QObject *parent = nullptr);

    // The repair program, beside the program's executable.
    static QString repairProgram();

    void backUp();
    void restore();
    void compact();

private:
    // Closes the views and the connection around a file operation and opens again every view
    // that was open.
    void withDatabaseClosed(const std::function<void()> &operation);

    LogData &m_data;
    std::function<void()> m_endProgram;
    BackupStore m_store;
};
