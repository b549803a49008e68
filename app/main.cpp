#include "datafolder.h"
#include "desktopidentity.h"
#include "programcommandline.h"
#include "prompter.h"
#include "services.h"
#include "startup.h"
#include "uilanguage.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

namespace {

const QString help = QStringLiteral(
    "Usage: wzplog [--data DIR]\n"
    "\n"
    "WZP Logbook: the logbook for the DOKs of the WZP award.\n"
    "\n"
    "Options:\n"
    "  --data DIR  work on the data folder DIR, which must hold log.mdb\n"
    "  -h, --help  show this text\n"
    "  --version   show the program's version\n"
    "\n"
    "Without --data the program works on log.mdb in the working folder, or beside the program when it\n"
    "is there; otherwise in the user's data folder (~/.local/share/wzplog), which gets a copy of the\n"
    "delivered database on the first start. \"wzplog-cli init DIR\" makes a new data folder.\n");

} // namespace

int main(int argc, char *argv[])
{
    // Help, version and mistakes are answered before a window system is asked for.
    const ProgramCommandLine line = ProgramCommandLine::read(argumentsOf(argc, argv), help);
    if (line.outcome != ProgramCommandLine::Outcome::Run) {
        const bool shown = line.outcome == ProgramCommandLine::Outcome::ShowText;
        std::fputs(line.text.toLocal8Bit().constData(), shown ? stdout : stderr);
        return shown ? 0 : 2;
    }
    if (!line.dataFolder.isEmpty()) {
        if (const QString problem = datafolder::namedFolderProblem(line.dataFolder); !problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
            return 1;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wzplog"));
    QApplication::setApplicationDisplayName(QStringLiteral("WZP Logbook"));
    desktopidentity::apply();
    // The splash window stays hidden once left; the program ends only by an explicit exit.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programFolder = QApplication::applicationDirPath();
    const QString shareFolder = datafolder::shareFolder(programFolder);
    uilanguage::install(app, QLocale::system(), shareFolder);
    const QString folder = !line.dataFolder.isEmpty()
        ? QDir(line.dataFolder).absolutePath()
        : datafolder::choose(QDir::currentPath(), programFolder,
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QString problem = datafolder::prepare(folder, shareFolder);
    if (!problem.isEmpty()) {
        services::prompter().error(problem);
        return 1;
    }
    // menddb, started as the program ends, finds the folder as the working folder.
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
