#include "mendcommand.h"

#include "datafolder.h"
#include "tables.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

namespace mendcommand {

QString dataFolder()
{
    return datafolder::choose(QDir::currentPath(), QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

DatabaseMender::Result run(const QString &folder, int waitMilliseconds)
{
    // The program starts menddb as it ends, so the folder may still be held for a moment.
    const QDeadlineTimer deadline(waitMilliseconds);
    auto lock = datafolder::lock(folder);
    while (!lock && !deadline.hasExpired()) {
        QThread::msleep(100);
        lock = datafolder::lock(folder);
    }
    if (!lock) {
        return {false,
                {QStringLiteral("WZP Logbook is still working on %1.").arg(QDir::toNativeSeparators(folder)),
                 QStringLiteral("Close it and start menddb again; nothing was changed.")}};
    }
    return DatabaseMender(folder, schema::databasePassword).mend();
}

} // namespace mendcommand
