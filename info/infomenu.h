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

    void DOKHelp1Click();
    void Emailme1Click();
    void WEBsite1Click();
    void WZPOfficialpage1Click();
    void Whatsnew1Click();
    void About2Click();
    void Rules1Click();

private:
    LogData &Dm;
    QWidget *m_owner;
    QDialog *m_whatsNew = nullptr;
};

// Opens the mail link with the callsign stored in INFO.
void openMailLink(LogData &dm);
