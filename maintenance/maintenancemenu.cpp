#include "maintenancemenu.h"

#include "datamodule.h"
#include "desktop.h"
#include "engineguard.h"
#include "prompter.h"
#include "services.h"
#include "tables.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const char *const restoreSecondWarning = QT_TRANSLATE_NOOP("MaintenanceMenu",
    "Do you really like to restore your data ?\r\rYou will loose data from the last backup !");

QString folderOf(const QString &databasePath)
{
    return QFileInfo(databasePath).absolutePath();
}

// The hourglass for as long as it lives.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

MaintenanceMenu::MaintenanceMenu(LogData &dm, std::function<void()> endProgram, QObject *parent)
    : QObject(parent), m_data(dm), m_endProgram(std::move(endProgram)),
      m_store(folderOf(dm.ADOconn.database()), schema::databasePassword)
{
}

QString MaintenanceMenu::repairProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("menddb"));
}

void MaintenanceMenu::withDatabaseClosed(const std::function<void()> &operation)
{
    // The order in which the views are opened again.
    TableView *const views[] = {&m_data.log, &m_data.logbanda, &m_data.logmodo, &m_data.info, &m_data.dxcc, &m_data.riep, &m_data.dok, &m_data.Dipl};
    bool wasOpen[std::size(views)];
    for (size_t i = 0; i < std::size(views); ++i)
        wasOpen[i] = views[i]->isOpen();
    reportEngineErrors([&] { m_data.log.setFiltered(false); });
    for (TableView *view : {&m_data.dok, &m_data.log, &m_data.logbanda, &m_data.logmodo, &m_data.info, &m_data.dxcc, &m_data.riep, &m_data.Dipl})
        view->close();
    m_data.ADOconn.disconnect();
    operation();
    if (reportEngineErrors([&] { m_data.ADOconn.connect(); })) {
        for (size_t i = 0; i < std::size(views); ++i) {
            if (wasOpen[i])
                reportEngineErrors([&] { views[i]->open(); });
        }
    }
    reportEngineErrors([&] { m_data.log.setFiltered(true); });
}

void MaintenanceMenu::backUp()
{
    if (m_data.log.recordCount() < 2) {
        services::prompter().message(tr("Not enough data to backup!"));
        return;
    }
    if (!services::prompter().ask(tr("Do you like really to backup your data ?"),
                                  Prompter::Question::YesCancel))
        return;
    QString problem;
    {
        BusyCursor busy;
        // The copy is read through a connection of its own while the log stays open: nothing in
        // the database changes, so no view needs reading again.
        problem = m_store.backup();
    }
    if (problem.isEmpty())
        services::prompter().message(
            tr("Backup has been successfully done in %1!").arg(QDir::toNativeSeparators(m_store.backupFolder())));
    else
        services::prompter().error(tr("The backup failed: %1\rThe previous backup is unchanged.").arg(problem));
}

void MaintenanceMenu::restore()
{
    if (!m_store.hasBackup()) {
        services::prompter().message(tr("No data to restore!"));
        return;
    }
    if (!m_store.hasLive()) {
        services::prompter().message(tr("No files to restore !"));
        return;
    }
    if (const QString problem = m_store.checkBackup(); !problem.isEmpty()) {
        services::prompter().error(
            tr("The backup cannot be restored: %1\rNothing was changed.").arg(problem));
        return;
    }
    const QString restoreWarning = tr("Do you like to restore your data \r\rfrom %1 to %2 ?\r\r"
                                      "You will loose data from the last backup !")
                                       .arg(QDir::toNativeSeparators(m_store.backupFolder()),
                                            QDir::toNativeSeparators(folderOf(m_data.ADOconn.database())));
    if (!services::prompter().ask(restoreWarning, Prompter::Question::YesCancel))
        return;
    if (!services::prompter().ask(tr(restoreSecondWarning), Prompter::Question::YesCancel))
        return;
    QString problem;
    {
        BusyCursor busy;
        withDatabaseClosed([&] { problem = m_store.restore(); });
    }
    if (problem.isEmpty())
        services::prompter().message(tr("You restored successfully your data!"));
    else
        services::prompter().error(tr("The restore failed: %1\rYour data are unchanged.").arg(problem));
}

void MaintenanceMenu::compact()
{
    // "Yes" to "exit now?" leads on to the repair program; "No" stays in the program.
    if (!services::prompter().ask(tr("This function should be used only if you have serious problems "
                                                 "with your database.\rDo you want to exit now?"),
                                  Prompter::Question::YesNo))
        return;
    m_endProgram();
    services::desktop().startProgram(repairProgram(), {});
}
