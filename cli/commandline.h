#pragma once

#include <QString>
#include <QStringList>

// wzplog-cli's command line: global options (--data, -q, --help, --version) before or after the
// command, the command's own options and its arguments. Reading it touches no file.
namespace cli {

struct CommandLine
{
    enum class Outcome { Run, ShowText, BadUsage };

    Outcome outcome = Outcome::Run;
    // The help or version text to print (ShowText), or what is wrong (BadUsage).
    QString text;

    QString command;
    QStringList arguments; // the command's files or folder
    QString dataFolder;    // --data, empty when not given
    bool quiet = false;
    bool addUnknownDoks = false;
    bool dryRun = false;
    QString award;                          // --award, empty when not given
    QString format = QStringLiteral("text"); // summary --format
};

// arguments without the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

// The overview of all commands.
QString usageText();

} // namespace cli
