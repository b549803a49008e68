#pragma once

#include <QObject>

class QDialog;
class QWidget;
class LogData;

// The main window's Help menu and its rules command: help, rules, what's new, about, the mail
// link and the two web pages.
class InfoMenu : public QObject
{
    Q_OBJECT

public:
    InfoMenu(LogData &dm, QWidget *owner);

    // The what's-new window lives for the whole run; start-up creates it.
    void setWhatsNewWindow(QDialog *window) { m_whatsNew = window; }

    void openDokHelp();
    void writeEmail();
    void openWebsite();
    void openOfficialPage();
    void openWhatsNew();
    void openAbout();
    void openRules();

private:
    LogData &m_data;
    QWidget *m_owner;
    QDialog *m_whatsNew = nullptr;
};

// Opens the mail link with the callsign stored in INFO.
void openMailLink(LogData &dm);
