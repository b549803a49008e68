#include "datafolder.h"
#include "desktopidentity.h"
#include "prompter.h"
#include "services.h"
#include "startup.h"
#include "uilanguage.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wzplog"));
    QApplication::setApplicationDisplayName(QStringLiteral("WZP Logbook"));
    desktopidentity::apply();
    // The splash window stays hidden once left; the program ends only by an explicit exit.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programFolder = QApplication::applicationDirPath();
    uilanguage::install(app, QLocale::system(), datafolder::shareFolder(programFolder));
    const QString folder = datafolder::choose(QDir::currentPath(), programFolder,
                                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QString problem = datafolder::prepare(folder, datafolder::shareFolder(programFolder));
    if (!problem.isEmpty()) {
        services::prompter().error(problem);
        return 1;
    }
    QDir::setCurrent(folder);

    const QString database = QDir(folder).filePath(datafolder::databaseName);
    // One writer per database: a second instance is turned away. A log that cannot be written
    // is opened read-only instead, and a reader needs no lock.
    const QString writeProblem = datafolder::writeProblem(database);
    datafolder::DatabaseLock lock;
    if (writeProblem.isEmpty()) {
        lock = datafolder::lock(database);
        if (!lock.file) {
            services::prompter().error(lock.problem);
            return 1;
        }
    }

    Startup startup(database);
    if (!writeProblem.isEmpty())
        startup.openReadOnly(writeProblem);
    QObject::connect(&startup, &Startup::terminated, &app, &QApplication::quit, Qt::QueuedConnection);
    startup.start();
    return app.exec();
}
