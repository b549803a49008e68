#pragma once

#include <QString>
#include <QStringList>

// The command line of the windowed programs, wzplog and menddb: "PROGRAM [--data DIR]" with
// --help and --version. It is read before the application is made, so that help, version and
// usage errors need no display; the options Qt's window system takes itself (-platform NAME,
// -style NAME, ...) pass through to it.
struct ProgramCommandLine
{
    enum class Outcome { Run, ShowText, BadUsage };

    Outcome outcome = Outcome::Run;
    QString text;       // the help or version text, or what is wrong
    QString dataFolder; // --data, empty when not given

    // arguments with the program's name first; help is the text of --help.
    static ProgramCommandLine read(const QStringList &arguments, const QString &help);
};

// The arguments as the system gives them.
QStringList argumentsOf(int argc, char *argv[]);
