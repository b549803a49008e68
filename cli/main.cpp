// wzplog-cli: import, export, DOK list update, refresh, summary and check from a terminal.
#include "commands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = cli::run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
