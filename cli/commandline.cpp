#include "commandline.h"

#include "vocabulary.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <algorithm>
#include <vector>

namespace cli {
namespace {

const QCommandLineOption dataOption(QStringLiteral("data"),
                                    QStringLiteral("work on the data folder DIR, which must hold log.mdb, instead of "
                                                   "the program's own"),
                                    QStringLiteral("DIR"));
const QCommandLineOption quietOption({QStringLiteral("q"), QStringLiteral("quiet")}, QStringLiteral("print no report"));
const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("show this text"));
const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("show the program's version"));
const QCommandLineOption addUnknownDoksOption(QStringLiteral("add-unknown-doks"),
                                              QStringLiteral("add the file's DOKs that are not in the list, instead "
                                                             "of leaving their QSOs out"));
const QCommandLineOption dryRunOption(QStringLiteral("dry-run"), QStringLiteral("only report; nothing is written"));
const QCommandLineOption awardOption(QStringLiteral("award"),
                                     QStringLiteral("the award of a band (1.8 ... 433) or a mode (SSB, CW, ...)"),
                                     QStringLiteral("BAND|MODE"));
const QCommandLineOption formatOption(QStringLiteral("format"),
                                      QStringLiteral("text (a table, the default), csv or json"),
                                      QStringLiteral("text|csv|json"));

// Options that take a value, in every command: the word after them is never the command.
const QStringList valuedOptions{QStringLiteral("--data"), QStringLiteral("--award"), QStringLiteral("--format")};

struct CommandShape
{
    QString name;
    QString arguments;   // as the usage line names them, e.g. "FILE"
    int count;           // how many arguments it needs
    bool optionalArgument;
    QString overview;    // the line in the list of commands
    QString description; // what its own help adds
    QList<QCommandLineOption> options;
    bool onTheLog = true;        // works on a data folder: --data and -q apply
    bool optionRequired = false; // its option is not optional (accredit's --award)
};

const std::vector<CommandShape> &shapes()
{
    static const std::vector<CommandShape> list{
        {QStringLiteral("import"), QStringLiteral("FILE"), 1, false,
         QStringLiteral("bring the QSOs of an ADIF file (.adi, .adx) into the log"),
         QStringLiteral("Brings the QSOs of an ADIF file into the log: .adx files are read as ADIF's XML form, every\n"
                        "other file as its text form. FILE \"-\" reads standard input (XML when it starts with \"<?xml\").\n"
                        "QSOs already in the log are counted as duplicates and left out."),
         {addUnknownDoksOption}},
        {QStringLiteral("confirm"), QStringLiteral("FILE"), 1, false,
         QStringLiteral("confirm logged QSOs from a file of confirmations (DCL, LoTW, eQSL, cards)"),
         QStringLiteral("Marks the logged QSOs that the confirmations of FILE (an ADIF file from DCL, LoTW, eQSL or\n"
                        "of cards) name as confirmed. FILE \"-\" reads standard input."),
         {dryRunOption}},
        {QStringLiteral("export"), QStringLiteral("FILE"), 1, false,
         QStringLiteral("write the log, or the QSOs behind one award, as ADIF"),
         QStringLiteral("Writes the log, or with --award the QSOs behind one award, as ADIF: FILE ending in .adx in\n"
                        "ADIF's XML form, any other in its text form. An existing database is never written over.\n"
                        "FILE \"-\" writes ADIF text to standard output; the report then goes to standard error."),
         {awardOption}},
        {QStringLiteral("accredit"), QString(), 0, false,
         QStringLiteral("mark the QSOs of a credited application accredited (needs --award)"),
         QStringLiteral("Marks the QSOs of a credited award application accredited."), {awardOption}, true, true},
        {QStringLiteral("update-doks"), QStringLiteral("FILE"), 1, false,
         QStringLiteral("add new DOKs and names from a DOK list"),
         QStringLiteral("Adds the new DOKs and names of a DOK list to the log's list of DOKs."), {}},
        {QStringLiteral("refresh"), QString(), 0, false,
         QStringLiteral("recalculate the DOK status, the counters and the awards"),
         QStringLiteral("Recalculates the status of every DOK, the counters and the awards, as the program's\n"
                        "refresh does."),
         {}},
        {QStringLiteral("summary"), QString(), 0, false, QStringLiteral("show the counters as a table, CSV or JSON"),
         QStringLiteral(
             "Shows the counters of the last refresh: how many DOKs are confirmed on each band in each mode,\n"
             "on each band and in each mode, and how many of them are accredited.\n"
             "\n"
             "--format text: a table, one row per band and a row per mode.\n"
             "--format csv: a header line \"figure,band,mode,count\", then one line per figure:\n"
             "  last_refresh,,,TIME      the time of the last refresh (yyyy-MM-ddThh:mm), empty when never\n"
             "  doks_with_qsos,,,N       DOKs with at least one QSO in the log\n"
             "  confirmed,BAND,MODE,N    DOKs confirmed on BAND in MODE\n"
             "  confirmed,BAND,,N        DOKs confirmed on BAND in any mode\n"
             "  accredited,BAND,,N       of those, DOKs accredited on BAND\n"
             "  confirmed,,MODE,N        DOKs confirmed in MODE on any band\n"
             "  accredited,,MODE,N       of those, DOKs accredited in MODE\n"
             "--format json: one object with the same figures:\n"
             "  {\"last_refresh\": TIME or null, \"doks_with_qsos\": N,\n"
             "   \"bands\": [{\"band\": BAND, \"confirmed\": N, \"accredited\": N, \"modes\": {MODE: N, ...}}, ...],\n"
             "   \"modes\": [{\"mode\": MODE, \"confirmed\": N, \"accredited\": N}, ...]}\n"
             "Bands are named as in the program (1.8, 3.5, 7, ... 433), modes as stored (SSB, CW, ...)."),
         {formatOption}},
        {QStringLiteral("check"), QString(), 0, false, QStringLiteral("check the database and its band and mode tables"),
         QStringLiteral("Checks the database file and the band and mode tables against the log; exits with 1 when it\n"
                        "finds a problem."),
         {}},
        {QStringLiteral("init"), QStringLiteral("DIR"), 1, false,
         QStringLiteral("make DIR a new data folder, with a copy of the delivered database"),
         QStringLiteral("Makes DIR a new data folder: creates it when needed and puts a copy of the delivered database\n"
                        "there as log.mdb, with the program's sounds, as the program does on its first start. A folder\n"
                        "that already holds log.mdb is left as it is."),
         {}, false},
        {QStringLiteral("help"), QStringLiteral("COMMAND"), 1, true, QStringLiteral("show the help of COMMAND"),
         QStringLiteral("Shows the help of a command, or this overview."), {}, false},
    };
    return list;
}

const CommandShape *shapeNamed(const QString &name)
{
    const auto found = std::find_if(shapes().begin(), shapes().end(), [&](const CommandShape &s) { return s.name == name; });
    return found == shapes().end() ? nullptr : &*found;
}

// Where the command stands among the words: the first word that is neither an option nor an
// option's value; -1 when there is none.
int commandIndex(const QStringList &words)
{
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (word == QLatin1String("--"))
            return i + 1 < words.size() ? i + 1 : -1;
        if (word.size() < 2 || !word.startsWith(QLatin1Char('-')))
            return i;
        if (valuedOptions.contains(word))
            ++i;
    }
    return -1;
}

QList<QCommandLineOption> optionsOf(const CommandShape *shape)
{
    QList<QCommandLineOption> options;
    if (shape)
        options = shape->options;
    if (!shape || shape->onTheLog)
        options << dataOption << quietOption;
    if (shape && shape->name == QLatin1String("init"))
        options << quietOption;
    options << helpOption << versionOption;
    return options;
}

QString optionName(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

QString optionList(const QList<QCommandLineOption> &options)
{
    int width = 0;
    for (const QCommandLineOption &option : options)
        width = std::max(width, int(optionName(option).size()));
    QString text;
    for (const QCommandLineOption &option : options)
        text += QStringLiteral("  ") + optionName(option).leftJustified(width + 2) + option.description() + QLatin1Char('\n');
    return text;
}

QString usageLine(const CommandShape &shape)
{
    QString line = QStringLiteral("wzplog-cli ");
    if (shape.onTheLog)
        line += QStringLiteral("[--data DIR] [-q] ");
    line += shape.name;
    if (!shape.arguments.isEmpty())
        line += QLatin1Char(' ') + (shape.optionalArgument ? QLatin1Char('[') + shape.arguments + QLatin1Char(']') : shape.arguments);
    for (const QCommandLineOption &option : shape.options) {
        const QString name = optionName(option);
        line += QLatin1Char(' ') + (shape.optionRequired ? name : QLatin1Char('[') + name + QLatin1Char(']'));
    }
    return line;
}

QString helpText(const CommandShape &shape)
{
    return QStringLiteral("Usage: ") + usageLine(shape) + QStringLiteral("\n\n") + shape.description
        + QStringLiteral("\n\nOptions:\n") + optionList(optionsOf(&shape)) + QStringLiteral("\nExit status: 0 done, 1 failed, 2 bad usage.\n");
}

CommandLine failed(const QString &problem)
{
    CommandLine line;
    line.outcome = CommandLine::Outcome::BadUsage;
    line.text = problem + QStringLiteral("\n\n") + usageText();
    return line;
}

CommandLine shown(const QString &text)
{
    CommandLine line;
    line.outcome = CommandLine::Outcome::ShowText;
    line.text = text;
    return line;
}

// The checks of what the options say, beyond their names.
QString valueProblem(const CommandLine &line)
{
    if (line.command == QLatin1String("accredit") && line.award.isEmpty())
        return QStringLiteral("accredit needs --award BAND|MODE.");
    if (!line.award.isEmpty() && vocab::awardTable(line.award).isEmpty()) {
        return QStringLiteral("There is no award \"%1\": name a band (%2) or a mode (%3).")
            .arg(line.award, vocab::bands().join(QStringLiteral(", ")), vocab::modes().join(QStringLiteral(", ")));
    }
    if (!QStringList{QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")}.contains(line.format))
        return QStringLiteral("--format takes text, csv or json, not \"%1\".").arg(line.format);
    return {};
}

QString countProblem(const CommandShape &shape, int count)
{
    if (count == shape.count || (shape.optionalArgument && count < shape.count))
        return {};
    if (shape.count == 0)
        return QStringLiteral("%1 takes no file.").arg(shape.name);
    if (shape.arguments == QLatin1String("DIR"))
        return QStringLiteral("%1 needs one folder.").arg(shape.name);
    if (shape.optionalArgument)
        return QStringLiteral("%1 takes one %2 at most.").arg(shape.name, shape.arguments);
    return QStringLiteral("%1 needs one file.").arg(shape.name);
}

} // namespace

QString usageText()
{
    int width = 0;
    for (const CommandShape &shape : shapes())
        width = std::max(width, int(shape.name.size() + 1 + shape.arguments.size()));
    QString commands;
    for (const CommandShape &shape : shapes())
        commands += QStringLiteral("  ") + (shape.name + QLatin1Char(' ') + shape.arguments).leftJustified(width + 2) + shape.overview + QLatin1Char('\n');
    return QStringLiteral("Usage: wzplog-cli [--data DIR] [-q] COMMAND [ARGUMENTS] [OPTIONS]\n\n"
                          "Commands:\n")
        + commands + QStringLiteral("\nOptions:\n") + optionList(optionsOf(nullptr))
        + QStringLiteral("\n\"wzplog-cli help COMMAND\" or \"wzplog-cli COMMAND --help\" shows the command's options.\n"
                         "Exit status: 0 done, 1 failed, 2 bad usage.\n");
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    const int at = commandIndex(arguments);
    const CommandShape *shape = at >= 0 ? shapeNamed(arguments.at(at)) : nullptr;
    if (at >= 0 && !shape)
        return failed(QStringLiteral("Unknown command \"%1\".").arg(arguments.at(at)));

    QCommandLineParser parser;
    parser.addOptions(optionsOf(shape));
    if (!parser.parse(QStringList{QStringLiteral("wzplog-cli")} + arguments))
        return failed(parser.errorText());
    // Asking the parser about an option the command does not have would only warn.
    const auto given = [&](const QCommandLineOption &option) {
        const QStringList found = parser.optionNames();
        const QStringList names = option.names();
        return std::any_of(names.begin(), names.end(), [&](const QString &name) { return found.contains(name); });
    };
    const auto value = [&](const QCommandLineOption &option) { return given(option) ? parser.value(option) : QString(); };
    if (given(helpOption))
        return shown(shape && shape->name != QLatin1String("help") ? helpText(*shape) : usageText());
    if (given(versionOption))
        return shown(QStringLiteral("wzplog-cli (WZP Logbook) %1\n").arg(QStringLiteral(WZP_VERSION)));
    if (!shape)
        return failed(QStringLiteral("No command given."));

    CommandLine line;
    line.command = shape->name;
    line.arguments = parser.positionalArguments().mid(1);
    if (const QString problem = countProblem(*shape, int(line.arguments.size())); !problem.isEmpty())
        return failed(problem);
    if (line.command == QLatin1String("help")) {
        if (line.arguments.isEmpty())
            return shown(usageText());
        const CommandShape *asked = shapeNamed(line.arguments.first());
        if (!asked)
            return failed(QStringLiteral("Unknown command \"%1\".").arg(line.arguments.first()));
        return shown(helpText(*asked));
    }
    line.dataFolder = value(dataOption);
    if (given(dataOption) && line.dataFolder.isEmpty())
        return failed(QStringLiteral("--data needs a folder."));
    line.quiet = given(quietOption);
    line.addUnknownDoks = given(addUnknownDoksOption);
    line.dryRun = given(dryRunOption);
    line.award = value(awardOption);
    if (given(formatOption))
        line.format = value(formatOption);
    if (const QString problem = valueProblem(line); !problem.isEmpty())
        return failed(problem);
    return line;
}

} // namespace cli
