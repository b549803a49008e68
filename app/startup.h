#pragma once

#include <QObject>
#include <memory>

class TDm;
class TForm1;
class TForm3;
class TForm4;
class TForm7;
class TForm39;

// Creates the data module and the windows that live for the whole run, and wires them together.
class Startup : public QObject
{
    Q_OBJECT

public:
    explicit Startup(const QString &databasePath, QObject *parent = nullptr);
    ~Startup() override;

    TDm &dm() const { return *m_dm; }
    TForm1 &splash() const { return *m_splash; }
    TForm3 &userData() const { return *m_userData; }
    TForm4 &mainWindow() const { return *m_main; }
    TForm7 &details() const { return *m_details; }
    TForm39 &whatsNew() const { return *m_whatsNew; }

    // Opens the database read-only, for the given reason (see datafolder::writeProblem): the user
    // is told once, the main window's title says so, and every save names the reason.
    void openReadOnly(const QString &problem);

    // Shows the splash window, which connects to the database.
    void start();

signals:
    // The program is to end; the connection is already closed.
    void terminated();

private:
    std::unique_ptr<TDm> m_dm;
    std::unique_ptr<TForm1> m_splash;
    std::unique_ptr<TForm3> m_userData;
    std::unique_ptr<TForm4> m_main;
    std::unique_ptr<TForm7> m_details;
    std::unique_ptr<TForm39> m_whatsNew;
};
