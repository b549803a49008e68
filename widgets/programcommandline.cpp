#include "programcommandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace {

void addWindowSystemOptions(QCommandLineParser &parser)
{
    const char *valued[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                            "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                            "geometry", "title", "name", "style", "stylesheet"};
    const char *switches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char *name : valued) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : switches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

ProgramCommandLine ProgramCommandLine::read(const QStringList &arguments, const QString &help)
{
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QCommandLineOption dataOption(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringLiteral("version"));
    QCommandLineParser parser;
    // Single-dash words are long options, as Qt's window system reads them (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({dataOption, helpOption, versionOption});
    addWindowSystemOptions(parser);

    ProgramCommandLine line;
    const auto failed = [&](const QString &problem) {
        line.outcome = Outcome::BadUsage;
        line.text = QStringLiteral("%1: %2\nTry \"%1 --help\".\n").arg(program, problem);
        return line;
    };
    if (!parser.parse(arguments))
        return failed(parser.errorText());
    const QStringList given = parser.optionNames();
    if (given.contains(QStringLiteral("h")) || given.contains(QStringLiteral("help"))) {
        line.outcome = Outcome::ShowText;
        line.text = help;
        return line;
    }
    if (given.contains(QStringLiteral("version"))) {
        line.outcome = Outcome::ShowText;
        line.text = QStringLiteral("%1 (WZP Logbook) %2\n").arg(program, QStringLiteral(WZP_VERSION));
        return line;
    }
    if (!parser.positionalArguments().isEmpty())
        return failed(QStringLiteral("unexpected argument \"%1\".").arg(parser.positionalArguments().first()));
    if (given.contains(QStringLiteral("data"))) {
        line.dataFolder = parser.value(dataOption);
        if (line.dataFolder.isEmpty())
            return failed(QStringLiteral("--data needs a folder."));
    }
    return line;
}

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
