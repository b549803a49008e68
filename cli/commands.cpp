#include "commands.h"

#include "adifreader.h"
#include "adxreader.h"
#include "awardaccreditation.h"
#include "commandline.h"
#include "datafolder.h"
#include "datamodule.h"
#include "doklist.h"
#include "engineerror.h"
#include "exchangeerror.h"
#include "logcheck.h"
#include "logfiles.h"
#include "qsoconfirmation.h"
#include "qsoexporter.h"
#include "qsoimporter.h"
#include "recalculation.h"
#include "summaryfigures.h"
#include "tables.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace cli {
namespace {

// Standard input or output, for a file named "-".
const QString standardStream = QStringLiteral("-");

// The data folder as the program chooses it: the working folder or the program's folder when
// it holds log.mdb, else the user's data folder.
QString programDataFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    QCoreApplication::setApplicationName(QStringLiteral("wzplog"));
    return datafolder::choose(QDir::currentPath(), programFolder,
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

class Progress
{
public:
    explicit Progress(QTextStream &err) : m_err(err), m_terminal(isatty(fileno(stderr)) != 0) {}
    ~Progress() { done(); }

    void show(const QString &what, qint64 done, qint64 total)
    {
        if (!m_terminal || total <= 0)
            return;
        m_err << '\r' << what << ' ' << int(done * 100 / total) << '%' << Qt::flush;
        m_shown = true;
    }
    void done()
    {
        if (m_shown)
            m_err << '\n' << Qt::flush;
        m_shown = false;
    }

private:
    QTextStream &m_err;
    bool m_terminal;
    bool m_shown = false;
};

// A log file, or standard input for "-": read whole, as ADIF's XML form when it says so.
std::unique_ptr<QsoReader> openInput(const QString &name)
{
    if (name != standardStream)
        return logfiles::openReader(name);
    QByteArray bytes = readWholeFile(QStringLiteral("/dev/stdin"));
    if (bytes.trimmed().startsWith("<?xml"))
        return std::make_unique<AdxReader>(std::move(bytes));
    return std::make_unique<AdifReader>(std::move(bytes));
}

int importFile(LogData &dm, const CommandLine &command, QTextStream &out, QTextStream &err)
{
    const std::unique_ptr<QsoReader> file = openInput(command.arguments.at(0));
    QsoReader &reader = *file;
    const bool addDoks = command.addUnknownDoks;
    QsoImporter importer(dm);
    Progress progress(err);
    int unknownDoks = 0;
    importer.addUnknownDoks = [&](const QStringList &codes) {
        unknownDoks = int(codes.size());
        return addDoks;
    };
    importer.onProgress = [&](qint64 done, qint64 total) {
        progress.show(QStringLiteral("Importing"), done, total);
        return true;
    };
    const ImportReport report = importer.run(reader);
    progress.done();
    out << report.text() << '\n';
    if (unknownDoks > 0 && !addDoks)
        out << QStringLiteral("%1 DOKs of the file are not in the list; --add-unknown-doks adds them.\n").arg(unknownDoks);
    if (report.imported > 0)
        out << "Run \"wzplog-cli refresh\" to recalculate the score.\n";
    return Ok;
}

int confirmFile(LogData &dm, const CommandLine &command, QTextStream &out)
{
    const std::unique_ptr<QsoReader> reader = openInput(command.arguments.at(0));
    const bool dryRun = command.dryRun;
    const ConfirmationReport report = QsoConfirmation(dm).run(*reader, dryRun);
    out << report.text() << '\n';
    if (!dryRun && report.confirmedNow.count > 0)
        out << "Run \"wzplog-cli refresh\" to recalculate the score.\n";
    return Ok;
}

int exportInto(LogData &dm, const CommandLine &command, const QString &path)
{
    QsoExporter exporter(dm);
    const std::unique_ptr<QsoWriter> file = logfiles::createWriter(path);
    QsoWriter &writer = *file;
    return command.award.isEmpty() ? exporter.exportLog(writer) : exporter.exportAward(writer, command.award);
}

// "-" writes ADIF text to standard output, so the report goes to err there.
int exportFile(LogData &dm, const CommandLine &command, QTextStream &out, QTextStream &report)
{
    const QString target = command.arguments.at(0);
    int written = 0;
    if (target == standardStream) {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("export.adi"));
        written = exportInto(dm, command, path);
        out << QString::fromUtf8(readWholeFile(path)) << Qt::flush;
    } else {
        written = exportInto(dm, command, target);
    }
    report << QStringLiteral("QSOs exported: %1\n").arg(written);
    return Ok;
}

int accredit(LogData &dm, const CommandLine &command, QTextStream &out)
{
    out << QStringLiteral("QSOs accredited: %1\n").arg(AwardAccreditation(dm).accredit({command.award}));
    out << "Run \"wzplog-cli refresh\" to recalculate the score.\n";
    return Ok;
}

int updateDoks(LogData &dm, const CommandLine &command, QTextStream &out)
{
    const DokList list = readDokList(command.arguments.at(0));
    out << DokListUpdate(dm).run(list).text() << '\n';
    return Ok;
}

int refresh(LogData &dm, QTextStream &out, QTextStream &err)
{
    Recalculation recalculation(dm);
    Progress progress(err);
    recalculation.onProgress = [&](int done, int total) { progress.show(QStringLiteral("Refreshing"), done, total); };
    recalculation.run();
    progress.done();
    out << "Data have been refreshed.\n";
    return Ok;
}

int summary(LogData &dm, const CommandLine &command, QTextStream &out)
{
    const SummaryFigures figures = SummaryFigures::read(dm);
    if (command.format == QLatin1String("csv"))
        out << figures.csv();
    else if (command.format == QLatin1String("json"))
        out << figures.json();
    else
        out << figures.text();
    return Ok;
}

int check(LogData &dm, QTextStream &out)
{
    const QStringList problems = checkLog(dm.ADOconn);
    if (problems.isEmpty()) {
        out << "The log is sound.\n";
        return Ok;
    }
    for (const QString &problem : problems)
        out << problem << '\n';
    out << QStringLiteral("Problems found: %1\n").arg(problems.size());
    return Failed;
}

// The commands that change nothing in the log.
bool readsOnly(const CommandLine &command)
{
    const QString &name = command.command;
    return name == QLatin1String("summary") || name == QLatin1String("check") || name == QLatin1String("export")
        || (name == QLatin1String("confirm") && command.dryRun);
}

// A reason as a sentence of its own: first letter in upper case, a full stop at the end.
QString sentence(const QString &reason)
{
    QString text = reason;
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

int execute(LogData &dm, const CommandLine &command, QTextStream &out, QTextStream &report, QTextStream &err)
{
    const QString &name = command.command;
    if (name == QLatin1String("import"))
        return importFile(dm, command, report, err);
    if (name == QLatin1String("confirm"))
        return confirmFile(dm, command, report);
    if (name == QLatin1String("export"))
        return exportFile(dm, command, out, command.arguments.at(0) == standardStream && !command.quiet ? err : report);
    if (name == QLatin1String("accredit"))
        return accredit(dm, command, report);
    if (name == QLatin1String("update-doks"))
        return updateDoks(dm, command, report);
    if (name == QLatin1String("refresh"))
        return refresh(dm, report, err);
    if (name == QLatin1String("summary"))
        return summary(dm, command, out);
    return check(dm, report);
}

// Makes a new data folder, as the program does with its own on the first start.
int init(const CommandLine &command, QTextStream &report, QTextStream &err)
{
    const QString folder = QDir(command.arguments.at(0)).absolutePath();
    if (QFileInfo::exists(QDir(folder).filePath(datafolder::databaseName))) {
        err << QStringLiteral("The folder %1 already holds a log; it was left as it is.\n").arg(QDir::toNativeSeparators(folder));
        return Failed;
    }
    const QString problem = datafolder::prepare(folder, datafolder::shareFolder(QCoreApplication::applicationDirPath()));
    if (!problem.isEmpty()) {
        err << problem << '\n';
        return Failed;
    }
    report << QStringLiteral("The data folder %1 is ready; work on it with --data %1.\n").arg(QDir::toNativeSeparators(folder));
    return Ok;
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const CommandLine command = parseCommandLine(arguments);
    if (command.outcome == CommandLine::Outcome::ShowText) {
        out << command.text;
        return Ok;
    }
    if (command.outcome == CommandLine::Outcome::BadUsage) {
        err << command.text;
        return BadUsage;
    }
    QString discarded;
    QTextStream silent(&discarded);
    QTextStream &report = command.quiet ? silent : out;
    if (command.command == QLatin1String("init"))
        return init(command, report, err);

    QString folder = command.dataFolder;
    if (folder.isEmpty()) {
        folder = programDataFolder();
    } else if (const QString problem = datafolder::namedFolderProblem(folder); !problem.isEmpty()) {
        err << problem << '\n';
        return Failed;
    }
    folder = QDir(folder).absolutePath();
    const QString prepared = datafolder::prepare(folder, datafolder::shareFolder(QCoreApplication::applicationDirPath()));
    if (!prepared.isEmpty()) {
        err << prepared << '\n';
        return Failed;
    }
    const QString database = QDir(folder).filePath(datafolder::databaseName);
    // A command that only reads works on a log that cannot be written, without the lock, as the
    // program's read-only start does; every other command needs the lock and names what keeps it.
    QString readOnlyProblem = datafolder::writeProblem(database);
    datafolder::DatabaseLock lock;
    if (readOnlyProblem.isEmpty()) {
        lock = datafolder::lock(database);
        if (lock.heldByAnother) {
            err << QStringLiteral("WZP Logbook is using the data folder %1; close it first.\n").arg(QDir::toNativeSeparators(folder));
            return Failed;
        }
        if (!lock.file)
            readOnlyProblem = lock.problem;
    }
    if (!readOnlyProblem.isEmpty() && !readsOnly(command)) {
        err << QStringLiteral("The log cannot be changed: %1\n").arg(sentence(readOnlyProblem));
        return Failed;
    }
    try {
        LogData dm(database);
        if (!readOnlyProblem.isEmpty())
            dm.ADOconn.setReadOnly(datafolder::readOnlyReason(readOnlyProblem));
        dm.ADOconn.connect();
        if (readOnlyProblem.isEmpty())
            schema::upgrade(dm.ADOconn);
        const int status = execute(dm, command, out, report, err);
        dm.ADOconn.disconnect();
        return status;
    } catch (const ExchangeError &error) {
        err << error.text() << '\n';
    } catch (const EngineError &error) {
        err << error.text() << '\n';
    }
    return Failed;
}

} // namespace cli
