// SplashWindow: the splash window.
#include "splashwindow.h"

#include "databasefile.h"
#include "datamodule.h"
#include "desktop.h"
#include "engineerror.h"
#include "engineguard.h"
#include "maintenancemenu.h"
#include "prompter.h"
#include "services.h"
#include "tables.h"
#include "ui_splashwindow.h"

#include <QDir>
#include <QScreen>
#include <QShowEvent>

SplashWindow::SplashWindow(LogData &dm, QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::SplashWindow>()), m_data(dm)
{
    ui->setupUi(this);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &SplashWindow::enterLog);
    connect(ui->SpeedButton2, &QPushButton::clicked, this, &SplashWindow::exitProgram);
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::setFollowers(QWidget *userData, QWidget *mainWindow)
{
    m_userData = userData;
    m_mainWindow = mainWindow;
}

void SplashWindow::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void SplashWindow::prepareOnShow()
{
    if (!reportEngineErrors([&] {
            m_data.ADOconn.connect();
            schema::upgrade(m_data.ADOconn);
        }))
        return;
    // A damaged file fails every view alike: the user gets one message naming each failure once.
    QStringList failures;
    const auto collect = [&](const std::function<void()> &step) {
        try {
            step();
        } catch (const EngineError &error) {
            if (!failures.contains(error.text()))
                failures << error.text();
        }
    };
    for (TableView *view : {&m_data.log, &m_data.logbanda, &m_data.logmodo, &m_data.info})
        collect([&] { view->open(); });
    if (m_data.info.isOpen())
        collect([&] { m_data.soundOn = m_data.info.boolean(QStringLiteral("sound")); });
    for (TableView *view : {&m_data.dxcc, &m_data.riep, &m_data.dok, &m_data.Dipl})
        collect([&] { view->open(); });
    if (failures.isEmpty())
        return;
    if (!offerRepair())
        services::prompter().error(failures.join(QLatin1Char('\n')));
}

bool SplashWindow::offerRepair()
{
    // Only a file that opens with the password but fails SQLite's own check is damaged; another
    // program's file or a wrong password is no case for the repair.
    if (!m_data.ADOconn.isConnected())
        return false;
    const QStringList problems = databasefile::integrityProblems(m_data.ADOconn.database());
    if (problems.isEmpty())
        return false;
    const QString question = QStringLiteral("The log %1 is damaged (%2), so WZP Logbook cannot work on it.\r"
                                            "Start the repair now? It keeps the damaged file and rebuilds the log "
                                            "from what can still be read.")
                                 .arg(QDir::toNativeSeparators(m_data.ADOconn.database()), problems.first());
    if (!services::prompter().ask(question, Prompter::Question::YesNo))
        return true;
    m_data.ADOconn.disconnect();
    emit terminateRequested();
    services::desktop().startProgram(MaintenanceMenu::repairProgram(), {});
    return true;
}

void SplashWindow::enterLog()
{
    QString call;
    bool readable = false;
    try {
        call = m_data.info.text(QStringLiteral("call"));
        readable = true;
    } catch (const EngineError &error) {
        if (!offerRepair())
            services::prompter().error(error.text());
    }
    if (!readable)
        return; // without a readable database the splash stays, so the user can still leave
    hide();
    QWidget *next = call.isEmpty() ? m_userData : m_mainWindow;
    if (next)
        next->show();
}

void SplashWindow::exitProgram()
{
    m_data.ADOconn.disconnect();
    emit terminateRequested();
}
