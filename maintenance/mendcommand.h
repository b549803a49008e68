#pragma once

#include "databasemender.h"

#include <QString>

// What menddb does: finds the data folder as the program does, waits a moment for the program to
// let go of it, and mends its log.mdb; while the folder stays held it refuses.
namespace mendcommand {

QString dataFolder();

// onLine, when given, hears the report as it grows (see DatabaseMender::onLine).
DatabaseMender::Result run(const QString &folder, int waitMilliseconds,
                           const std::function<void(const QString &, bool)> &onLine = {});

} // namespace mendcommand
