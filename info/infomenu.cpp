#include "infomenu.h"

#include "aboutwindow.h"
#include "datamodule.h"
#include "desktop.h"
#include "engineguard.h"
#include "helpwindow.h"
#include "infoconstants.h"
#include "maillink.h"
#include "ruleswindow.h"
#include "services.h"

#include <QDialog>

void openMailLink(LogData &dm)
{
    QString call;
    if (reportEngineErrors([&] { call = dm.info.text(QStringLiteral("call")); }))
        services::desktop().openUrl(mailLink(call));
}

InfoMenu::InfoMenu(LogData &dm, QWidget *owner) : QObject(owner), m_data(dm), m_owner(owner)
{
}

void InfoMenu::openDokHelp()
{
    HelpWindow window(m_owner);
    window.exec();
}

void InfoMenu::writeEmail()
{
    openMailLink(m_data);
}

void InfoMenu::openWebsite()
{
    services::desktop().openUrl(QUrl(infotext::webSite));
}

void InfoMenu::openOfficialPage()
{
    services::desktop().openUrl(QUrl(infotext::officialPage));
}

void InfoMenu::openWhatsNew()
{
    if (m_whatsNew)
        m_whatsNew->exec();
}

void InfoMenu::openAbout()
{
    AboutWindow window(m_data, m_owner);
    window.exec();
}

void InfoMenu::openRules()
{
    RulesWindow window(m_owner);
    window.exec();
}
