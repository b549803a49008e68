#pragma once

#include <QStringList>

class QWidget;
class LogData;

// The main window's commands for log files: each asks for the file, runs the exchange logic
// with a progress dialog where it can take long, and reports the outcome.
namespace exchangecommands {

// Returns true when the user wants the data refreshed after QSOs came in.
bool importAdif(LogData &dm, QWidget *parent);
// Confirmations that arrive later (DCL, LoTW, eQSL, cards); true when the user wants the data
// refreshed after QSOs were confirmed.
bool importConfirmations(LogData &dm);
void exportAdif(LogData &dm);
// The confirmed QSOs behind the award of one band or mode ("14", "CW", "TTY"); the file dialog
// suggests name.adi.
void exportAward(LogData &dm, const QString &award, const QString &name);
void updateDokList(LogData &dm);

// The import's question about DOKs missing from the list, naming the first ten of them.
QString unknownDoksQuestion(const QStringList &codes);

} // namespace exchangecommands
