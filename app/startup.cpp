#include "startup.h"

#include "datafolder.h"
#include "datamodule.h"
#include "detailswindow.h"
#include "mainwindow.h"
#include "managementview.h"
#include "prompter.h"
#include "services.h"
#include "splashwindow.h"
#include "userdatawindow.h"
#include "whatsnewwindow.h"

Startup::Startup(const QString &databasePath, QObject *parent)
    : QObject(parent),
      m_dm(std::make_unique<LogData>(databasePath)),
      m_splash(std::make_unique<SplashWindow>(*m_dm)),
      m_userData(std::make_unique<UserDataWindow>(*m_dm)),
      m_main(std::make_unique<MainWindow>(*m_dm, m_userData.get())),
      m_details(std::make_unique<DetailsWindow>(*m_dm)),
      m_whatsNew(std::make_unique<WhatsNewWindow>(m_main.get()))
{
    m_main->setWhatsNewWindow(m_whatsNew.get());
    m_main->managementView()->setDetailsWindow(m_details.get());
    m_splash->setFollowers(m_userData.get(), m_main.get());
    connect(m_userData.get(), &UserDataWindow::mainWindowRequested, m_main.get(), &QWidget::show);
    connect(m_splash.get(), &SplashWindow::terminateRequested, this, &Startup::terminated);
    connect(m_main.get(), &MainWindow::terminateRequested, this, &Startup::terminated);
}

Startup::~Startup()
{
    // Windows go before the data module whose views they show.
    m_whatsNew.reset();
    m_main.reset();
    m_details.reset();
    m_userData.reset();
    m_splash.reset();
}

void Startup::openReadOnly(const QString &problem)
{
    m_dm->ADOconn.setReadOnly(datafolder::readOnlyReason(problem));
    m_main->setWindowTitle(m_main->windowTitle() + QStringLiteral(" (read-only)"));
    services::prompter().message(datafolder::readOnlyNotice(problem));
}

void Startup::start()
{
    m_splash->show();
}
