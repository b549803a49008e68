#pragma once

#include <QObject>
#include <memory>

class LogData;
class SplashWindow;
class UserDataWindow;
class MainWindow;
class DetailsWindow;
class WhatsNewWindow;

// Creates the data module and the windows that live for the whole run, and wires them together.
class Startup : public QObject
{
    Q_OBJECT

public:
    explicit Startup(const QString &databasePath, QObject *parent = nullptr);
    ~Startup() override;

    LogData &dm() const { return *m_dm; }
    SplashWindow &splash() const { return *m_splash; }
    UserDataWindow &userData() const { return *m_userData; }
    MainWindow &mainWindow() const { return *m_main; }
    DetailsWindow &details() const { return *m_details; }
    WhatsNewWindow &whatsNew() const { return *m_whatsNew; }

    // Opens the database read-only, for the given reason (see datafolder::writeProblem): the user
    // is told once, the main window's title says so, and every save names the reason.
    void openReadOnly(const QString &problem);

    // Shows the splash window, which connects to the database.
    void start();

signals:
    // The program is to end; the connection is already closed.
    void terminated();

private:
    std::unique_ptr<LogData> m_dm;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<UserDataWindow> m_userData;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<DetailsWindow> m_details;
    std::unique_ptr<WhatsNewWindow> m_whatsNew;
};
