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

InfoMenu::InfoMenu(LogData &dm, QWidget *owner) : QObject(owner), Dm(dm), m_owner(owner)
{
}

void InfoMenu::DOKHelp1Click()
{
    HelpWindow window(m_owner);
    window.exec();
}

void InfoMenu::Emailme1Click()
{
    openMailLink(Dm);
}

void InfoMenu::WEBsite1Click()
{
    services::desktop().openUrl(QUrl(infotext::webSite));
}

void InfoMenu::WZPOfficialpage1Click()
{
    services::desktop().openUrl(QUrl(infotext::officialPage));
}

void InfoMenu::Whatsnew1Click()
{
    if (m_whatsNew)
        m_whatsNew->exec();
}

void InfoMenu::About2Click()
{
    AboutWindow window(Dm, m_owner);
    window.exec();
}

void InfoMenu::Rules1Click()
{
    RulesWindow window(m_owner);
    window.exec();
}
