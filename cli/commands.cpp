#include "commands.h"

#include "awardaccreditation.h"
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
#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace cli {
namespace {

const QString usage = QStringLiteral(
    "Usage: wzplog-cli [--data DIR] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  import FILE [--add-unknown-doks]  bring the QSOs of an ADIF file (.adi, .adx) into the log\n"
    "  confirm FILE [--dry-run]          confirm logged QSOs from a file of confirmations (DCL, LoTW,\n"
    "                                    eQSL, cards); --dry-run only reports\n"
    "  export FILE [--award BAND|MODE]   write the log, or the QSOs behind one award, as ADIF\n"
    "  accredit --award BAND|MODE        mark the QSOs of a credited application accredited\n"
    "  update-doks FILE                  add new DOKs and names from a DOK list\n"
    "  refresh                           recalculate the DOK status, the counters and the awards\n"
    "  summary                           show the counters as a table\n"
    "  check                             check the database and its band and mode tables\n"
    "\n"
    "Options:\n"
    "  --data DIR   work on log.mdb in DIR instead of the program's data folder\n"
    "  --help       show this text\n"
    "\n"
    "Exit status: 0 done, 1 failed, 2 bad usage.\n");

struct Command
{
    QString name;
    QStringList arguments;
    QStringList options;
};

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

int importFile(LogData &dm, const Command &command, QTextStream &out, QTextStream &err)
{
    const std::unique_ptr<QsoReader> file = logfiles::openReader(command.arguments.at(0));
    QsoReader &reader = *file;
    const bool addDoks = command.options.contains(QStringLiteral("--add-unknown-doks"));
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

int confirmFile(LogData &dm, const Command &command, QTextStream &out)
{
    const std::unique_ptr<QsoReader> reader = logfiles::openReader(command.arguments.at(0));
    const bool dryRun = command.options.contains(QStringLiteral("--dry-run"));
    const ConfirmationReport report = QsoConfirmation(dm).run(*reader, dryRun);
    out << report.text() << '\n';
    if (!dryRun && report.confirmedNow.count > 0)
        out << "Run \"wzplog-cli refresh\" to recalculate the score.\n";
    return Ok;
}

int exportFile(LogData &dm, const Command &command, QTextStream &out)
{
    QsoExporter exporter(dm);
    const int awardAt = command.options.indexOf(QStringLiteral("--award"));
    const std::unique_ptr<QsoWriter> file = logfiles::createWriter(command.arguments.at(0));
    QsoWriter &writer = *file;
    const int written = awardAt >= 0 ? exporter.exportAward(writer, command.options.at(awardAt + 1))
                                     : exporter.exportLog(writer);
    out << QStringLiteral("QSOs exported: %1\n").arg(written);
    return Ok;
}

int accredit(LogData &dm, const Command &command, QTextStream &out)
{
    const QString award = command.options.at(command.options.indexOf(QStringLiteral("--award")) + 1);
    out << QStringLiteral("QSOs accredited: %1\n").arg(AwardAccreditation(dm).accredit({award}));
    out << "Run \"wzplog-cli refresh\" to recalculate the score.\n";
    return Ok;
}

int updateDoks(LogData &dm, const Command &command, QTextStream &out)
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

int summary(LogData &dm, QTextStream &out)
{
    dm.riep.open();
    dm.riep.first();
    const auto counter = [&](const QString &name) { return dm.riep.text(name).rightJustified(6); };
    const QDateTime stamp = dm.riep.dateTime(QStringLiteral("dataagg"));
    out << (stamp.isValid() ? QStringLiteral("Last refresh: ") + stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                            : QStringLiteral("Last refresh: never"))
        << '\n';
    Statement worked(dm.ADOconn, QStringLiteral("SELECT count(*) FROM DOK WHERE upper(CONF) = 'C'"));
    out << QStringLiteral("DOKs with QSOs: %1\n\n").arg(worked.next() ? worked.integer(0) : 0);
    out << QStringLiteral("Band  ");
    for (const QString &mode : vocab::modes())
        out << mode.rightJustified(6);
    out << QStringLiteral("  Band  Accr.\n");
    for (const QString &band : vocab::bands()) {
        const QString suffix = vocab::bandSuffix(band);
        out << band.leftJustified(6);
        for (const QString &mode : vocab::modes())
            out << counter(vocab::confirmedCounter(vocab::pairCell(mode, suffix)));
        out << counter(vocab::confirmedCounter(vocab::bandCell(suffix)))
            << counter(vocab::accreditedCounter(vocab::bandCell(suffix))) << '\n';
    }
    out << QStringLiteral("Mode  ");
    for (const QString &mode : vocab::modes())
        out << counter(vocab::confirmedCounter(vocab::modeCell(mode)));
    out << QStringLiteral("\nAccr. ");
    for (const QString &mode : vocab::modes())
        out << counter(vocab::accreditedCounter(vocab::modeCell(mode)));
    out << "\n";
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

struct CommandShape
{
    const char *name;
    int arguments;
    QStringList options;     // switches
    QStringList valued;      // options followed by a value
};

const std::vector<CommandShape> &shapes()
{
    static const std::vector<CommandShape> list{
        {"import", 1, {QStringLiteral("--add-unknown-doks")}, {}},
        {"confirm", 1, {QStringLiteral("--dry-run")}, {}},
        {"export", 1, {}, {QStringLiteral("--award")}},
        {"accredit", 0, {}, {QStringLiteral("--award")}},
        {"update-doks", 1, {}, {}},
        {"refresh", 0, {}, {}},
        {"summary", 0, {}, {}},
        {"check", 0, {}, {}},
    };
    return list;
}

// Splits the words after the command into arguments and known options; false on a word that
// does not belong.
bool parse(const QStringList &words, Command &command, QString &problem)
{
    const auto shape = std::find_if(shapes().begin(), shapes().end(),
                                    [&](const CommandShape &s) { return command.name == QLatin1String(s.name); });
    if (shape == shapes().end()) {
        problem = QStringLiteral("Unknown command \"%1\".").arg(command.name);
        return false;
    }
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (shape->options.contains(word)) {
            command.options << word;
        } else if (shape->valued.contains(word)) {
            if (i + 1 >= words.size()) {
                problem = QStringLiteral("%1 needs a value.").arg(word);
                return false;
            }
            command.options << word << words[++i];
        } else if (word.startsWith(QStringLiteral("--"))) {
            problem = QStringLiteral("Unknown option \"%1\" for %2.").arg(word, command.name);
            return false;
        } else {
            command.arguments << word;
        }
    }
    if (command.arguments.size() != shape->arguments) {
        problem = shape->arguments == 0 ? QStringLiteral("%1 takes no file.").arg(command.name)
                                        : QStringLiteral("%1 needs one file.").arg(command.name);
        return false;
    }
    return true;
}

// The commands that change nothing in the log.
bool readsOnly(const Command &command)
{
    const QString &name = command.name;
    return name == QLatin1String("summary") || name == QLatin1String("check") || name == QLatin1String("export")
        || (name == QLatin1String("confirm") && command.options.contains(QStringLiteral("--dry-run")));
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

int execute(LogData &dm, const Command &command, QTextStream &out, QTextStream &err)
{
    if (command.name == QLatin1String("import"))
        return importFile(dm, command, out, err);
    if (command.name == QLatin1String("confirm"))
        return confirmFile(dm, command, out);
    if (command.name == QLatin1String("export"))
        return exportFile(dm, command, out);
    if (command.name == QLatin1String("accredit"))
        return accredit(dm, command, out);
    if (command.name == QLatin1String("update-doks"))
        return updateDoks(dm, command, out);
    if (command.name == QLatin1String("refresh"))
        return refresh(dm, out, err);
    if (command.name == QLatin1String("summary"))
        return summary(dm, out);
    return check(dm, out);
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList words = arguments;
    if (words.contains(QStringLiteral("--help")) || words.contains(QStringLiteral("-h"))) {
        out << usage;
        return Ok;
    }
    QString folder;
    if (!words.isEmpty() && words.first() == QLatin1String("--data")) {
        if (words.size() < 2) {
            err << "--data needs a folder.\n\n" << usage;
            return BadUsage;
        }
        folder = words.at(1);
        words = words.mid(2);
    }
    if (words.isEmpty()) {
        err << "No command given.\n\n" << usage;
        return BadUsage;
    }
    Command command{words.first(), {}, {}};
    QString problem;
    if (!parse(words.mid(1), command, problem)) {
        err << problem << "\n\n" << usage;
        return BadUsage;
    }
    const int awardAt = command.options.indexOf(QStringLiteral("--award"));
    if (command.name == QLatin1String("accredit") && awardAt < 0) {
        err << "accredit needs --award BAND|MODE.\n\n" << usage;
        return BadUsage;
    }
    if (awardAt >= 0 && vocab::awardTable(command.options.at(awardAt + 1)).isEmpty()) {
        err << QStringLiteral("There is no award \"%1\": name a band (%2) or a mode (%3).\n")
                   .arg(command.options.at(awardAt + 1), vocab::bands().join(QStringLiteral(", ")),
                        vocab::modes().join(QStringLiteral(", ")));
        return BadUsage;
    }

    if (folder.isEmpty())
        folder = programDataFolder();
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
        const int status = execute(dm, command, out, err);
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
