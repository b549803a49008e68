#pragma once

class QWidget;
class TDm;

// The main window's commands for log files: each asks for the file, runs the exchange logic
// with a progress dialog where it can take long, and reports the outcome.
namespace exchangecommands {

// Returns true when the user wants the data refreshed after QSOs came in.
bool importAdif(TDm &dm, QWidget *parent);
void exportAdif(TDm &dm);
void updateDokList(TDm &dm);

} // namespace exchangecommands
