#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class SplashWindow;
}
class LogData;

// The splash window: connects to the database when shown, and leads into the program.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(LogData &dm, QWidget *parent = nullptr);
    ~SplashWindow() override;
    // The windows "Enter" leads to: the main window, or the user data window while no callsign
    // is stored.
    void setFollowers(QWidget *userData, QWidget *mainWindow);

    void prepareOnShow();
    void enterLog();
    void exitProgram();

signals:
    void terminateRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // On a damaged log: says what is wrong and offers to start the repair program. False when the
    // log is not damaged, so the caller reports the failure itself.
    bool offerRepair();

    std::unique_ptr<Ui::SplashWindow> ui;
    LogData &m_data;
    QWidget *m_userData = nullptr;
    QWidget *m_mainWindow = nullptr;
};
