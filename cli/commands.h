#pragma once

#include <QStringList>

class QTextStream;

// wzplog-cli: the log's work from a terminal, on the same code as the windows.
namespace cli {

enum ExitStatus { Ok = 0, Failed = 1, BadUsage = 2 };

// Runs one command line (without the program's name). Reports go to out, errors and progress
// to err.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace cli
