#pragma once

#include "connection.h"
#include "tableview.h"

#include <QObject>

// The data module: the one connection and every table view, shared by all windows for the
// whole run. Windows keep no copies of data; they work on these views.
class LogData : public QObject
{
    Q_OBJECT

public:
    explicit LogData(const QString &databasePath, QObject *parent = nullptr);

    Connection ADOconn;
    TableView dok;
    TableView dxcc;
    TableView info;
    TableView log;
    TableView riep;
    TableView logbanda; // re-pointed at one band table at a time
    TableView logmodo;  // re-pointed at one mode table at a time
    TableView Dipl;

    // The sound switch: loaded from INFO at start-up, changed by the Utility menu.
    bool soundOn = true;
};
